// The system services of the stub against the running system: version, program versions,
// folders, windows, shell start, library entry points, error texts, dates and developer mode.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "DebugViewer.h"
#include "Processes.h"
#include "sys/DateText.h"
#include "sys/DeveloperMode.h"
#include "sys/ExeVersion.h"
#include "sys/Folders.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/LibraryEntry.h"
#include "sys/Platform.h"
#include "sys/ShellStart.h"
#include "sys/SysError.h"
#include "sys/UtilsText.h"
#include "sys/VersionText.h"
#include "sys/WinVersion.h"
#include "sys/WindowInfo.h"

namespace {

const std::string kStubExe = testkit::HostPathToWindows(STUB_EXE_UNIX_PATH);

std::string EnvironmentValue(const char* name) {
  char buffer[512];
  DWORD length = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

TEST(RunningWindows, VersionAndNameAgreeWithTheSystem) {
  OSVERSIONINFOA raw{};
  raw.dwOSVersionInfoSize = sizeof raw;
  ASSERT_TRUE(::GetVersionExA(&raw));
  sys::WindowsVersion v = sys::GetWindowsVersion();
  EXPECT_EQ(v.PlatformId, raw.dwPlatformId);
  if (!(raw.dwMajorVersion > 5 && raw.dwMinorVersion > 2)) {
    EXPECT_EQ(v.Major, raw.dwMajorVersion);
    EXPECT_EQ(v.Minor, raw.dwMinorVersion);
    EXPECT_EQ(v.Build, raw.dwBuildNumber);
  }
  sys::WindowsName name = sys::GetWindowsName();
  EXPECT_EQ(name.Version, std::to_string(v.Major) + "." + std::to_string(v.Minor));
  EXPECT_EQ(name.ServicePack, sys::Trim(raw.szCSDVersion));
  EXPECT_FALSE(name.Name.empty());
  EXPECT_NE(name.Bit, 0u);
  EXPECT_TRUE(sys::IsWindowsNT());
  EXPECT_EQ(sys::IsWindowsXP(), v.Major == 5 && v.Minor == 1);
  EXPECT_EQ(sys::IsWindows8OrLater(), v.Major > 6 || (v.Major == 6 && v.Minor >= 2));
}

TEST(RunningWindows, SixtyFourBitAndServerTests) {
  // The machine's own processor, whatever this program is built for.
  SYSTEM_INFO native{};
  ::GetNativeSystemInfo(&native);
  const WORD cpu = native.wProcessorArchitecture;
  EXPECT_EQ(sys::Is64BitWindows(), cpu == PROCESSOR_ARCHITECTURE_AMD64 ||
                                       cpu == PROCESSOR_ARCHITECTURE_ARM64 ||
                                       cpu == PROCESSOR_ARCHITECTURE_IA64);
  OSVERSIONINFOEXA ex{};
  ex.dwOSVersionInfoSize = sizeof ex;
  ASSERT_TRUE(::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)));
  bool server = ::GetSystemMetrics(SM_SERVERR2) != 0 || ex.wProductType != VER_NT_WORKSTATION;
  EXPECT_EQ(sys::IsServerWindows(), server);
}

TEST(ProgramVersions, FileAndProductVersionOfTheStub) {
  struct Case {
    int width, parts;
    std::string want;
  } cases[] = {{1, 4, "1.0.0.1"}, {3, 4, "001.000.000.001"}, {1, 2, "1.0"}, {2, 3, "01.00.00"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(sys::GetExeVersion(kStubExe, c.width, c.parts), c.want);
    EXPECT_EQ(sys::GetProductVersion(kStubExe, c.width, c.parts), c.want);
  }
  EXPECT_EQ(sys::GetExeVersion(kStubExe), "1.0.0.1") << "the form start-up uses";
}

TEST(ProgramVersions, SystemLibrariesHaveFourPartVersions) {
  std::string kernel = sys::SystemFolder(true) + "kernel32.dll";
  std::string version = sys::GetExeVersion(kernel);
  EXPECT_TRUE(std::regex_match(version, std::regex("\\d+\\.\\d+\\.\\d+\\.\\d+"))) << version;
  std::string product = sys::GetProductVersion(kernel, 1, 4);
  EXPECT_TRUE(std::regex_match(product, std::regex("\\d+\\.\\d+\\.\\d+\\.\\d+"))) << product;
}

TEST(ProgramVersions, QueriesAndFailuresAreReportedOnTheConsole) {
  kodebug::InstallConsoleChannel();
  testkit::DebugViewer viewer;
  ASSERT_TRUE(viewer.IsOpen());
  EXPECT_EQ(sys::GetProductVersion(kStubExe), "1.0.0.1");
  EXPECT_EQ(viewer.Text().rfind("[QueryValue]  [\\StringFileInfo\\040904b0\\ProductVersion]  "
                                "[1.0.0.1]  [",
                                0),
            0u)
      << viewer.Text();
  viewer.Clear();
  const std::string missing = "C:\\no\\such\\program.exe";
  EXPECT_EQ(sys::GetExeVersion(missing), "");
  EXPECT_EQ(viewer.Text().rfind(" --- Utils.GetExeVersion() --- " + missing + " --- ", 0), 0u)
      << viewer.Text();
  viewer.Clear();
  EXPECT_EQ(sys::GetProductVersion(missing), "");
  EXPECT_EQ(viewer.Text().rfind(" --- Utils.GetProductVersion() --- " + missing + " --- ", 0),
            0u)
      << viewer.Text();
}

TEST(SystemFolders, WithOrWithoutOneClosingBackslash) {
  char windows[MAX_PATH + 1], system[MAX_PATH + 1], temp[MAX_PATH + 1];
  ASSERT_GT(::GetWindowsDirectoryA(windows, sizeof windows), 0u);
  ASSERT_GT(::GetSystemDirectoryA(system, sizeof system), 0u);
  ASSERT_GT(::GetTempPathA(sizeof temp, temp), 0u);
  struct Case {
    std::string with, without, raw;
  } cases[] = {
      {sys::WindowsFolder(true), sys::WindowsFolder(false), windows},
      {sys::SystemFolder(true), sys::SystemFolder(false), system},
      {sys::TempFolder(true), sys::TempFolder(false), temp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.raw);
    ASSERT_FALSE(c.without.empty());
    EXPECT_NE(c.without.back(), '\\');
    EXPECT_EQ(c.with, c.without + "\\");
    EXPECT_TRUE(sys::EqualsNoCase(c.without, sys::FolderWithBackslash(c.raw, false)));
  }
}

TEST(SystemFolders, ProgramFolderAndName) {
  std::string path = sys::ProgramPath();
  EXPECT_EQ(sys::ProgramFolder(true) + sys::ProgramNameWithoutExtension(false) + ".exe", path);
  EXPECT_EQ(sys::ProgramFolder(false) + "\\", sys::ProgramFolder(true));
  EXPECT_EQ(sys::ProgramNameWithoutExtension(true), "win32_tests");
}

class TestWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "UtilsTestWindowClass";
    ::RegisterClassA(&wc);
    top_ = Make("Top window", nullptr);
    middle_ = Make("Middle window", top_);
    bottom_ = Make(std::string(3000, 'c'), middle_);
  }
  void TearDown() override {
    ::DestroyWindow(bottom_);
    ::DestroyWindow(middle_);
    ::DestroyWindow(top_);
  }
  static HWND Make(const std::string& caption, HWND owner) {
    return ::CreateWindowA("UtilsTestWindowClass", caption.c_str(), WS_POPUP, 0, 0, 10, 10, owner,
                           nullptr, ::GetModuleHandleA(nullptr), nullptr);
  }
  HWND top_ = nullptr, middle_ = nullptr, bottom_ = nullptr;
};

TEST_F(TestWindows, ClassNameAndCaption) {
  EXPECT_EQ(sys::WindowClassText(middle_), "UtilsTestWindowClass");
  EXPECT_EQ(sys::WindowCaptionText(middle_), "Middle window");
  EXPECT_EQ(sys::WindowCaptionText(bottom_), std::string(3000, 'c'));
  EXPECT_EQ(sys::WindowClassText(nullptr), "");
  EXPECT_EQ(sys::WindowCaptionText(nullptr), "");
}

TEST_F(TestWindows, TopMostOwnerFollowsTheOwnerChain) {
  EXPECT_EQ(sys::TopMostOwner(bottom_), top_);
  EXPECT_EQ(sys::TopMostOwner(middle_), top_);
  EXPECT_EQ(sys::TopMostOwner(top_), top_);
  EXPECT_EQ(sys::TopMostOwner(nullptr), nullptr);
}

TEST(Screen, CentredInTheWorkArea) {
  RECT area{};
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
  sys::ScreenPoint p = sys::CenterInWorkArea(201, 100);
  EXPECT_EQ(p.Left, area.left + (area.right - area.left - 201) / 2);
  EXPECT_EQ(p.Top, area.top + (area.bottom - area.top - 100) / 2);
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(sys::ScreenLogPixelsY(), ::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);
}

TEST(ShellStart, StartsProgramsAndReportsMissingFiles) {
  std::string folder = testkit::MakeScratchFolder("shell");
  std::string marker = folder + "\\started.txt";
  std::string cmd = sys::SystemFolder(true) + "cmd.exe";
  EXPECT_TRUE(sys::StartDocument(cmd, "/c echo x> \"" + marker + "\"", SW_HIDE));
  for (int i = 0; i < 100 && !testkit::PathExists(marker); ++i) testkit::PumpFor(50);
  EXPECT_TRUE(testkit::PathExists(marker));
  EXPECT_FALSE(sys::StartDocument(folder + "\\missing.exe", "", SW_HIDE));
  testkit::DeleteTree(folder);
}

TEST(LibraryEntries, FoundOnlyWhenLibraryAndEntryExist) {
  using GetTickCountFunction = DWORD(WINAPI*)();
  auto tick = sys::EntryPointAs<GetTickCountFunction>(
      sys::LibraryEntryPoint("kernel32.dll", "GetTickCount"));
  ASSERT_NE(tick, nullptr);
  EXPECT_GT(tick(), 0u);
  EXPECT_EQ(sys::LibraryEntryPoint("kernel32.dll", "NoSuchEntryPoint"), nullptr);
  EXPECT_EQ(sys::LibraryEntryPoint("no_such_library_xyz.dll", "Entry"), nullptr);
}

TEST(LibraryEntries, BareLibraryNamesComeFromTheSystemFolderOnly) {
  const std::string system = sys::SystemFolder(true);
  const struct {
    const char* library;
    std::string path;
  } cases[] = {{"version.dll", system + "version.dll"},
               {"RICHED32.DLL", system + "RICHED32.DLL"},
               {"C:\\Some\\Own.dll", "C:\\Some\\Own.dll"},
               {"sub/Own.dll", "sub/Own.dll"}};
  for (const auto& c : cases) EXPECT_EQ(c.path, sys::SystemLibraryPath(c.library)) << c.library;
}

TEST(SystemErrors, MessageOfTheLastErrorWithoutLineEnd) {
  ::SetLastError(ERROR_FILE_NOT_FOUND);
  std::string text = sys::SysErrorText();
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text, sys::TrimRight(text));
  EXPECT_EQ(text, sys::SysErrorTextOf(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(sys::SysErrorTextOf(0x2FFFFFFF).rfind("Error Reading ", 0), 0u);
}

TEST(LocalTime, NowAndTheLogStamp) {
  SYSTEMTIME before{};
  ::GetLocalTime(&before);
  sys::DateTimeParts now = sys::LocalNow();
  EXPECT_EQ(now.Year, before.wYear);
  EXPECT_EQ(now.Month, before.wMonth);
  EXPECT_GE(now.Hour, 0);
  EXPECT_LE(now.Hour, 23);
  EXPECT_TRUE(std::regex_match(sys::LogStampNow(false),
                               std::regex("\\d\\d.\\d\\d.\\d\\d \\d\\d.\\d\\d.\\d\\d")));
  EXPECT_TRUE(std::regex_match(sys::LogStampNow(true),
                               std::regex("\\d\\d.\\d\\d.\\d{4} \\d\\d.\\d\\d.\\d\\d")));
}

TEST(DeveloperMode, FollowsTheDvxVariable) {
  EXPECT_EQ(sys::IsDeveloperMode(), sys::IsDeveloperModeSetting(EnvironmentValue("DVX")));
}

}  // namespace
