#include "sys/WinVersion.h"

#include <gtest/gtest.h>

#include <string>

using namespace sys;

namespace {

WindowsVersion Version(uint32_t Platform, uint32_t Major, uint32_t Minor, uint32_t Build = 0,
                       const std::string& ServicePack = "") {
  WindowsVersion v;
  v.PlatformId = Platform;
  v.Major = Major;
  v.Minor = Minor;
  v.Build = Build;
  v.ServicePack = ServicePack;
  return v;
}

TEST(WindowsNaming, NamesEveryVersionWithItsOwnBit) {
  struct Case {
    uint32_t platform, major, minor, build;
    bool is64, server;
    const char* version;
    const char* name;
    uint32_t bit;
  } cases[] = {
      {0, 3, 10, 0, false, false, "3.10", "32S", 0},
      {1, 4, 0, 950, false, false, "4.0", "95", 1},
      {1, 4, 10, 1998, false, false, "4.10", "98", 2},
      {1, 4, 10, 3000, false, false, "4.90", "ME", 4},  // ME reporting itself as 4.10
      {1, 4, 90, 3000, false, false, "4.90", "ME", 4},
      {1, 5, 0, 0, false, false, "5.0", "9x", 1},
      {2, 4, 0, 1381, false, false, "4.0", "NT", 8},
      {2, 5, 0, 2195, false, false, "5.0", "2000", 16},
      {2, 5, 1, 2600, false, false, "5.1", "XP", 32},
      {2, 5, 2, 3790, false, false, "5.2", "2003", 64},
      {2, 5, 2, 3790, true, false, "5.2", "XP.64", 256},
      {2, 5, 2, 3790, true, true, "5.2", "XP.64", 256},  // no row of its own for servers
      {2, 6, 0, 6002, false, false, "6.0", "Vista", 128},
      {2, 6, 0, 6002, true, false, "6.0", "Vista.64", 512},
      {2, 6, 0, 6002, false, true, "6.0", "2008", 4096},
      {2, 6, 0, 6002, true, true, "6.0", "2008.64", 8192},
      {2, 6, 1, 7601, false, false, "6.1", "7", 1024},
      {2, 6, 1, 7601, true, false, "6.1", "7.64", 2048},
      {2, 6, 1, 7601, false, true, "6.1", "7", 1024},  // no 32-bit server 6.1
      {2, 6, 1, 7601, true, true, "6.1", "2008R2.64", 16384},
      {2, 6, 2, 9200, false, false, "6.2", "8", 32768},
      {2, 6, 2, 9200, true, false, "6.2", "8.64", 65536},
      {2, 6, 2, 9200, true, true, "6.2", "2012.64", 131072},
      {2, 6, 3, 9600, false, false, "6.3", "8.1", 262144},
      {2, 6, 3, 9600, true, false, "6.3", "8.1.64", 524288},
      {2, 6, 3, 9600, true, true, "6.3", "2012R2.64", 1048576},
      {2, 10, 0, 19045, false, false, "10.0", "10", 2097152},
      {2, 10, 0, 19045, true, false, "10.0", "10.64", 4194304},
      {2, 10, 0, 20348, false, true, "10.0", "10", 2097152},
      {2, 10, 0, 20348, true, true, "10.0", "10.64", 4194304},
      {2, 3, 51, 1057, false, false, "3.51", "NTx", 8},
      {2, 11, 0, 0, true, true, "11.0", "NTx", 8},
      {3, 6, 0, 0, false, false, "6.0", "", 0},  // unknown platform: no name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.name);
    WindowsName n = GetWindowsName(Version(c.platform, c.major, c.minor, c.build), c.is64, c.server);
    EXPECT_EQ(n.Version, c.version);
    EXPECT_EQ(n.Name, c.name);
    EXPECT_EQ(n.Bit, c.bit);
    EXPECT_EQ(n.Build, c.build);
  }
}

TEST(WindowsNaming, TrimsTheServicePack) {
  WindowsName n = GetWindowsName(Version(2, 5, 1, 2600, "  Service Pack 3 \t"), false, false);
  EXPECT_EQ(n.ServicePack, "Service Pack 3");
}

TEST(WindowsVersionCorrection, TakesTheKernelProductVersionOnlyWhenSixThreeOrLaterIsReported) {
  struct Case {
    uint32_t major, minor, build;
    std::string kernel;
    uint32_t wantMajor, wantMinor, wantBuild;
  } cases[] = {
      {6, 3, 9600, "10.0.19041.3636", 10, 0, 19041},  // Windows 10 reporting 6.3
      {6, 3, 9600, "6.3.9600.20778", 6, 3, 9600},
      {6, 3, 9600, "10, 0, 22621, 1", 10, 0, 22621},  // commas as in some resources
      {6, 2, 9200, "10.0.19041.1", 6, 2, 9200},       // 6.2 is taken as it comes
      {5, 3, 1, "10.0.19041.1", 5, 3, 1},             // major 5 too
      {6, 3, 9600, "", 6, 3, 9600},                   // no product version: keep the report
      {6, 3, 9600, "abc", 6, 3, 9600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kernel);
    WindowsVersion reported = Version(2, c.major, c.minor, c.build, "SP");
    WindowsVersion v = CorrectedWindowsVersion(reported, c.kernel);
    EXPECT_EQ(v.Major, c.wantMajor);
    EXPECT_EQ(v.Minor, c.wantMinor);
    EXPECT_EQ(v.Build, c.wantBuild);
    EXPECT_EQ(v.PlatformId, 2u);
    EXPECT_EQ(v.ServicePack, "SP");
  }
}

TEST(WindowsNaming, WindowsTenReportingSixThreeIsNamedTen) {
  WindowsVersion v = CorrectedWindowsVersion(Version(2, 6, 3, 9600), "10.0.19045.1");
  EXPECT_EQ(GetWindowsName(v, false, false).Name, "10");
  EXPECT_EQ(GetWindowsName(v, true, false).Name, "10.64");
}

TEST(WindowsVersionTests, ComparesMajorAndMinorAsAPair) {
  struct Case {
    uint32_t platform, major, minor;
    bool nt, xp, eightOrLater;
  } cases[] = {
      {2, 5, 1, true, true, false},   {2, 5, 2, true, false, false}, {2, 6, 1, true, false, false},
      {2, 6, 2, true, false, true},   {2, 6, 10, true, false, true}, {2, 10, 0, true, false, true},
      {1, 6, 2, false, false, false}, {1, 5, 1, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.platform) + ":" + std::to_string(c.major) + "." +
                 std::to_string(c.minor));
    WindowsVersion v = Version(c.platform, c.major, c.minor);
    EXPECT_EQ(IsNTVersion(v), c.nt);
    EXPECT_EQ(IsXPVersion(v), c.xp);
    EXPECT_EQ(IsWindows8OrLaterVersion(v), c.eightOrLater);
  }
}

}  // namespace
