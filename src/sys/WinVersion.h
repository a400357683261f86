// Which Windows the program runs on, and the name under which a package knows that version.
// The naming and the version correction are plain functions of a version record, so they can be
// checked for every Windows without running on it; the queries of the running system live in
// WinVersion_win32.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// The fields of the system's version record that the program uses.
struct WindowsVersion {
  uint32_t Major = 0;
  uint32_t Minor = 0;
  uint32_t Build = 0;       // on Windows 95, 98 and ME only the build number, without the version
  uint32_t PlatformId = 0;  // 0 Win32s, 1 Windows 95/98/ME, 2 NT
  std::string ServicePack;
};

// What a package compares against: each name has its own bit, so that a set of supported
// versions is one integer.
struct WindowsName {
  std::string Version;      // major + "." + minor, as "6.1" or "4.10"
  std::string Name;         // "7", "7.64", "2008R2.64", "ME", ... or empty for an unknown platform
  std::string ServicePack;  // trimmed
  uint32_t Build = 0;
  uint32_t Bit = 0;
};

constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatformWindows9x = 1;
constexpr uint32_t kPlatformWindowsNT = 2;

// The name of version V on a system that is (or is not) 64-bit and a server.
WindowsName GetWindowsName(const WindowsVersion& V, bool Is64Bit, bool IsServer);

// Whether the reported version is one that CorrectedWindowsVersion may change.
bool VersionNeedsCorrection(const WindowsVersion& Reported);
// From Windows 8.1 on the system reports 6.3 whatever it really is; the product version of its
// kernel32.dll ("10.0.19041.1") tells the truth. Reported is returned unchanged when it needs no
// correction or when KernelProductVersion gives no usable major version.
WindowsVersion CorrectedWindowsVersion(const WindowsVersion& Reported,
                                       const std::string& KernelProductVersion);

bool IsNTVersion(const WindowsVersion& V);
bool IsXPVersion(const WindowsVersion& V);
bool IsWindows8OrLaterVersion(const WindowsVersion& V);

// The running system (Win32). The version is read once and corrected as above.
WindowsVersion GetWindowsVersion();
WindowsName GetWindowsName();
bool IsWindowsNT();
bool IsWindowsXP();
bool IsWindows8OrLater();
// The process runs under WOW64, i.e. the 32-bit program on a 64-bit Windows.
bool Is64BitWindows();
bool IsServerWindows();

}  // namespace sys
