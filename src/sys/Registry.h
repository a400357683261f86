// Registry reads that never fail: a key or value that cannot be read gives the caller's default.
// Paths are written as "HKEY_LOCAL_MACHINE\SOFTWARE\..." or "HKLM\SOFTWARE\..."; a path without
// a root name lies under HKEY_CURRENT_USER. Splitting paths and turning value data into text are
// plain functions here; the reads themselves are Win32 (Registry_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace sys {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// "HKEY_LOCAL_MACHINE" or "HKLM" (any case) and so on; an unknown name gives CurrentUser.
RegRoot RegRootFromName(const std::string& Name);
// The long name, as "HKEY_LOCAL_MACHINE".
std::string RegRootName(RegRoot Root);

struct RegPath {
  RegRoot Root = RegRoot::CurrentUser;
  std::string SubKey;
};

// The trimmed Path split into root and sub-key. A path that begins with "HK" (any case) names
// its root before the first "\" (or is a root alone when it has none); any other path is a
// sub-key of HKEY_CURRENT_USER.
RegPath SplitRegPath(const std::string& Path);

// Value types whose data are shown in a form of their own.
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

// A value's data as text: a 4-byte REG_DWORD as its unsigned decimal number; a REG_MULTI_SZ
// longer than 2 bytes without its closing zero bytes and with "<0>" for every zero byte that
// separates its strings; anything else up to its first zero byte.
std::string RegValueText(uint32_t Type, const std::string& Data);

// Where Windows keeps the registered owner and organisation: "...\Windows NT\CurrentVersion" on
// NT, "...\Windows\CurrentVersion" on Windows 95, 98 and ME.
std::string RegisteredInfoPath(bool IsNT);

// Win32: the value read with KEY_READ (and the 64-bit registry view when View64 is set, which
// callers set when the system is 64-bit) as RegValueText shows it; Default when the key or value
// cannot be read or the value is larger than 10240 bytes.
std::string RegReadString(const std::string& Path, const std::string& ValueName,
                          const std::string& Default = "", bool View64 = false);
// Win32: the owner (the user name when none, or an empty one, is registered) and organisation
// entered when Windows was installed, trimmed.
std::string GetRegisteredOwner();
std::string GetRegisteredOrganization();

}  // namespace sys
