// This file must contain only Win32 code.
#include "sys/Registry.h"

#include <vector>

#include "sys/Accounts.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"
#include "sys/UtilsText.h"
#include "sys/WinVersion.h"

namespace sys {
namespace {

static_assert(kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ, "value types of the system");

constexpr DWORD kValueBufferSize = 10241;

HKEY RootKey(RegRoot Root) {
  switch (Root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::Users: return HKEY_USERS;
    case RegRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegRoot::DynData: return HKEY_DYN_DATA;
    case RegRoot::CurrentUser: break;
  }
  return HKEY_CURRENT_USER;
}

// The value's type and data; false when it cannot be read or does not fit the buffer.
bool QueryValue(HKEY Key, const std::string& ValueName, DWORD& Type, std::string& Data) {
  std::vector<BYTE> buffer(kValueBufferSize);
  DWORD size = kValueBufferSize;
  if (::RegQueryValueExA(Key, ValueName.c_str(), nullptr, &Type, buffer.data(), &size) !=
      ERROR_SUCCESS)
    return false;
  Data.assign(reinterpret_cast<const char*>(buffer.data()), size);
  return true;
}

}  // namespace

std::string RegReadString(const std::string& Path, const std::string& ValueName,
                          const std::string& Default, bool View64) {
  RegPath path = SplitRegPath(Path);
  DWORD type = 0;
  std::string data;
  if (path.SubKey.empty()) {
    // A root alone is read through its predefined handle, which must not be closed.
    if (!QueryValue(RootKey(path.Root), ValueName, type, data)) return Default;
    return RegValueText(type, data);
  }
  HKEY opened = nullptr;
  REGSAM access = KEY_READ | (View64 ? KEY_WOW64_64KEY : 0);
  if (::RegOpenKeyExA(RootKey(path.Root), path.SubKey.c_str(), 0, access, &opened) !=
      ERROR_SUCCESS)
    return Default;
  ScopedRegKey key(opened);
  if (!QueryValue(key.Get(), ValueName, type, data)) return Default;
  return RegValueText(type, data);
}

std::string GetRegisteredOwner() {
  std::string owner = Trim(
      RegReadString(RegisteredInfoPath(IsWindowsNT()), "RegisteredOwner", "", Is64BitWindows()));
  // Some installations leave the value empty; an owner of no name is no use in a path or text.
  return owner.empty() ? CurrentUserName() : owner;
}

std::string GetRegisteredOrganization() {
  return Trim(RegReadString(RegisteredInfoPath(IsWindowsNT()), "RegisteredOrganization", "",
                            Is64BitWindows()));
}

}  // namespace sys
