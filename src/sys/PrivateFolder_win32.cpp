// Creating a folder with an access list of its own.
// This file must contain only Win32 code.
#include "sys/PrivateFolder.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

#include <sddl.h>

namespace sys {
namespace {

// The account this process runs as, in its "S-1-..." form; empty when it cannot be read.
std::string ProcessUserSid() {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return std::string();
  const ScopedKernelHandle token(rawToken);
  DWORD size = 0;
  ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::string buffer(size, '\0');
  if (size == 0 || !::GetTokenInformation(token.Get(), TokenUser, &buffer[0], size, &size))
    return std::string();
  char* text = nullptr;
  if (!::ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(&buffer[0])->User.Sid, &text))
    return std::string();
  const ScopedLocalMemory owned(text);
  return text;
}

}  // namespace

NewFolder CreatePrivateFolder(const std::string& folder) {
  const std::string sid = ProcessUserSid();
  if (sid.empty()) return NewFolder::kFailed;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(
          PrivateFolderAccessText(sid).c_str(), SDDL_REVISION_1, &descriptor, nullptr))
    return NewFolder::kFailed;
  const ScopedLocalMemory owned(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  // CreateDirectory never opens what is there: a folder, file or link of that name fails it.
  if (::CreateDirectoryA(folder.c_str(), &attributes)) return NewFolder::kCreated;
  return ::GetLastError() == ERROR_ALREADY_EXISTS ? NewFolder::kNameTaken : NewFolder::kFailed;
}

}  // namespace sys
