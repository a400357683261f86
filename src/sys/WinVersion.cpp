// This file must contain only truly operating-system independent code.
#include "sys/WinVersion.h"

#include <cstdint>
#include <vector>

#include "sys/UtilsText.h"
#include "sys/VersionText.h"

namespace sys {
namespace {

struct NameRow {
  uint32_t Major, Minor;
  const char* Name;
  uint32_t Bit;
};

// Each block overrides what the blocks before it gave, so a version without a row of its own in
// a later block keeps its earlier name (a 64-bit server 5.2 stays "XP.64").
constexpr NameRow kNtNames[] = {
    {4, 0, "NT", 8},          {5, 0, "2000", 16},       {5, 1, "XP", 32},
    {5, 2, "2003", 64},       {6, 0, "Vista", 128},     {6, 1, "7", 1024},
    {6, 2, "8", 32768},       {6, 3, "8.1", 262144},    {10, 0, "10", 2097152},
};
constexpr NameRow kNt64Names[] = {
    {5, 2, "XP.64", 256},     {6, 0, "Vista.64", 512},  {6, 1, "7.64", 2048},
    {6, 2, "8.64", 65536},    {6, 3, "8.1.64", 524288}, {10, 0, "10.64", 4194304},
};
constexpr NameRow kServer64Names[] = {
    {6, 0, "2008.64", 8192},
    {6, 1, "2008R2.64", 16384},
    {6, 2, "2012.64", 131072},
    {6, 3, "2012R2.64", 1048576},
};
constexpr NameRow kServer32Names[] = {
    {6, 0, "2008", 4096},
};
constexpr NameRow k9xNames[] = {
    {4, 0, "95", 1},
    {4, 10, "98", 2},
    {4, 90, "ME", 4},
};

template <size_t N>
bool ApplyRow(const NameRow (&Rows)[N], uint32_t Major, uint32_t Minor, WindowsName& Out) {
  for (const NameRow& row : Rows) {
    if (row.Major != Major || row.Minor != Minor) continue;
    Out.Name = row.Name;
    Out.Bit = row.Bit;
    return true;
  }
  return false;
}

void NameNT(uint32_t Major, uint32_t Minor, bool Is64Bit, bool IsServer, WindowsName& Out) {
  if (!ApplyRow(kNtNames, Major, Minor, Out)) {
    Out.Name = "NTx";
    Out.Bit = 8;
  }
  if (Is64Bit) ApplyRow(kNt64Names, Major, Minor, Out);
  if (IsServer && Is64Bit) ApplyRow(kServer64Names, Major, Minor, Out);
  if (IsServer && !Is64Bit) ApplyRow(kServer32Names, Major, Minor, Out);
}

void Name9x(uint32_t Major, uint32_t Minor, WindowsName& Out) {
  if (!ApplyRow(k9xNames, Major, Minor, Out)) {
    Out.Name = "9x";
    Out.Bit = 1;
  }
}

// Windows ME can report itself as 4.10 with build 3000.
bool IsMEInDisguise(const WindowsVersion& V) {
  return V.PlatformId == kPlatformWindows9x && V.Major == 4 && V.Minor == 10 && V.Build == 3000;
}

}  // namespace

WindowsName GetWindowsName(const WindowsVersion& V, bool Is64Bit, bool IsServer) {
  uint32_t minor = IsMEInDisguise(V) ? 90 : V.Minor;
  WindowsName out;
  out.Version = std::to_string(V.Major) + "." + std::to_string(minor);
  out.ServicePack = Trim(V.ServicePack);
  out.Build = V.Build;
  if (V.PlatformId == kPlatformWin32s) out.Name = "32S";
  if (V.PlatformId == kPlatformWindows9x) Name9x(V.Major, minor, out);
  if (V.PlatformId == kPlatformWindowsNT) NameNT(V.Major, minor, Is64Bit, IsServer, out);
  return out;
}

bool VersionNeedsCorrection(const WindowsVersion& Reported) {
  return Reported.Major > 5 && Reported.Minor > 2;
}

WindowsVersion CorrectedWindowsVersion(const WindowsVersion& Reported,
                                       const std::string& KernelProductVersion) {
  if (!VersionNeedsCorrection(Reported)) return Reported;
  std::vector<uint32_t> numbers = VersionNumbers(KernelProductVersion, 3);
  // An unreadable product version would otherwise turn the system into "0.0".
  if (numbers[0] == 0) return Reported;
  WindowsVersion corrected = Reported;
  corrected.Major = numbers[0];
  corrected.Minor = numbers[1];
  corrected.Build = numbers[2];
  return corrected;
}

bool IsNTVersion(const WindowsVersion& V) { return V.PlatformId == kPlatformWindowsNT; }

bool IsXPVersion(const WindowsVersion& V) { return IsNTVersion(V) && V.Major == 5 && V.Minor == 1; }

bool IsWindows8OrLaterVersion(const WindowsVersion& V) {
  // Compared as a pair rather than as the decimal number "major.minor", which would put a
  // minor version 10 below 2.
  return IsNTVersion(V) && (V.Major > 6 || (V.Major == 6 && V.Minor >= 2));
}

}  // namespace sys
