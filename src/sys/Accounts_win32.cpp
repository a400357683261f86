// This file must contain only Win32 code.
#include "sys/Accounts.h"

#include <cstring>
#include <vector>

#include "sys/Platform.h"
#include "sys/UtilsText.h"

namespace sys {

std::string CurrentUserName() {
  char buffer[257];  // a user name has at most 256 characters
  DWORD size = sizeof buffer;
  if (!::GetUserNameA(buffer, &size) || size == 0) return std::string();
  // The count includes the closing zero.
  return Trim(std::string(buffer, size - 1));
}

std::string ComputerName() {
  char buffer[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = sizeof buffer;
  if (!::GetComputerNameA(buffer, &size)) return std::string();
  return Trim(std::string(buffer, size));
}

std::string UserDomainName() {
  std::string user = CurrentUserName();
  if (user.empty()) return std::string();
  DWORD sidSize = 0, domainSize = 0;
  SID_NAME_USE use = SidTypeUnknown;
  // The first call only asks for the sizes and is expected to fail.
  ::LookupAccountNameA(nullptr, user.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
  if (sidSize == 0 || domainSize == 0) return std::string();
  std::vector<BYTE> sid(sidSize);
  std::vector<char> domain(domainSize);
  if (!::LookupAccountNameA(nullptr, user.c_str(), sid.data(), &sidSize, domain.data(),
                            &domainSize, &use))
    return std::string();
  // Up to the closing zero, whatever the count says.
  return std::string(domain.data(), ::strnlen(domain.data(), domain.size()));
}

}  // namespace sys
