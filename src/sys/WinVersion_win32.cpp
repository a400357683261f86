// This file must contain only Win32 code.
#include "sys/WinVersion.h"

#include <cstring>

#include "sys/ExeVersion.h"
#include "sys/Folders.h"
#include "sys/LibraryEntry.h"
#include "sys/Platform.h"

namespace sys {
namespace {

WindowsVersion ReportedVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  WindowsVersion v;
  if (!::GetVersionExA(&info)) return v;
  v.Major = info.dwMajorVersion;
  v.Minor = info.dwMinorVersion;
  v.PlatformId = info.dwPlatformId;
  // Windows 95, 98 and ME keep the version in the high word of the build number.
  v.Build = v.PlatformId == kPlatformWindows9x ? LOWORD(info.dwBuildNumber) : info.dwBuildNumber;
  v.ServicePack.assign(info.szCSDVersion, ::strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
  return v;
}

WindowsVersion ReadWindowsVersion() {
  WindowsVersion reported = ReportedVersion();
  if (!VersionNeedsCorrection(reported)) return reported;
  std::string kernel = SystemFolder(true) + "kernel32.dll";
  return CorrectedWindowsVersion(reported, GetProductVersion(kernel, 1, 4));
}

bool RunsUnderWow64() {
  using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64Process = EntryPointAs<IsWow64ProcessFunction>(
      LibraryEntryPoint("kernel32.dll", "IsWow64Process"));
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64 &&
         LibraryEntryPoint("kernel32.dll", "GetSystemWow64DirectoryA");
}

bool ProductTypeIsServer() {
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return false;
  return info.wProductType == VER_NT_DOMAIN_CONTROLLER || info.wProductType == VER_NT_SERVER;
}

}  // namespace

WindowsVersion GetWindowsVersion() {
  static const WindowsVersion version = ReadWindowsVersion();
  return version;
}

WindowsName GetWindowsName() {
  return GetWindowsName(GetWindowsVersion(), Is64BitWindows(), IsServerWindows());
}

bool IsWindowsNT() { return IsNTVersion(GetWindowsVersion()); }

bool IsWindowsXP() {
  static const bool xp = IsXPVersion(GetWindowsVersion());
  return xp;
}

bool IsWindows8OrLater() { return IsWindows8OrLaterVersion(GetWindowsVersion()); }

bool Is64BitWindows() {
  // A 64-bit program runs only on 64-bit Windows, and never under WOW64.
  static const bool is64 = sizeof(void*) == 8 || RunsUnderWow64();
  return is64;
}

bool IsServerWindows() { return ::GetSystemMetrics(SM_SERVERR2) != 0 || ProductTypeIsServer(); }

}  // namespace sys
