// Placeholder expansion and the shell folders on the running system, checked against what the
// system itself reports.
#include "paths/Placeholders.h"

#include <gtest/gtest.h>

#include <string>

#include "paths/ShellDir.h"
#include "sys/Accounts.h"
#include "sys/DateText.h"
#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Host.h"
#include "sys/Platform.h"
#include "sys/Registry.h"
#include "sys/UtilsText.h"
#include "sys/WinVersion.h"

using namespace paths;

namespace {

using FolderFunction = std::string (*)(bool);

struct NamedFolder {
  const char* name;
  FolderFunction function;
  ShellFolderId id;
};

const NamedFolder kFolders[] = {
    {"DocumentsAndSettingsDir", DocumentsAndSettingsDir, ShellFolderId::DocumentsAndSettings},
    {"UserDir", UserDir, ShellFolderId::User},
    {"AllUsersDir", AllUsersDir, ShellFolderId::AllUsers},
    {"UserLocalAppDataDir", UserLocalAppDataDir, ShellFolderId::UserLocalAppData},
    {"UserAppDataDir", UserAppDataDir, ShellFolderId::UserAppData},
    {"AllUsersAppDataDir", AllUsersAppDataDir, ShellFolderId::AllUsersAppData},
    {"MyDocumentsDir", MyDocumentsDir, ShellFolderId::MyDocuments},
    {"AllUsersDocumentsDir", AllUsersDocumentsDir, ShellFolderId::AllUsersDocuments},
    {"UserStartMenuDir", UserStartMenuDir, ShellFolderId::UserStartMenu},
    {"AllUsersStartMenuDir", AllUsersStartMenuDir, ShellFolderId::AllUsersStartMenu},
    {"UserStartProgramMenuDir", UserStartProgramMenuDir, ShellFolderId::UserStartProgramMenu},
    {"AllUsersStartProgramMenuDir", AllUsersStartProgramMenuDir,
     ShellFolderId::AllUsersStartProgramMenu},
    {"UserDesktopDir", UserDesktopDir, ShellFolderId::UserDesktop},
    {"AllUsersDesktopDir", AllUsersDesktopDir, ShellFolderId::AllUsersDesktop},
};

std::string Parent(const std::string& Path) { return sys::FolderOfPath(Path, false); }

TEST(ShellDirWin32, EveryFolderExistsAndTakesTheFlag) {
  for (const NamedFolder& folder : kFolders) {
    SCOPED_TRACE(folder.name);
    std::string with = folder.function(true), without = folder.function(false);
    // At least a drive: above C:\ProgramData, the shared folder of newer systems, lies "C:".
    ASSERT_GE(without.size(), 2u);
    EXPECT_EQ(with, without + "\\");
    EXPECT_NE(without.back(), '\\');
    EXPECT_TRUE(sys::FolderExists(without)) << without;
    EXPECT_EQ(ShellFolderDir(folder.id, false), without);
  }
}

TEST(ShellDirWin32, FirstSourcesAreTheShellsOwnFolders) {
  SystemShellFolders shell;
  const std::string documents = shell.FolderPath(0x8005);
  const std::string commonData = shell.FolderPath(0x8023);
  ASSERT_FALSE(documents.empty());
  ASSERT_FALSE(commonData.empty());
  EXPECT_TRUE(sys::EqualsNoCase(MyDocumentsDir(false), documents));
  EXPECT_TRUE(sys::EqualsNoCase(UserDir(false), Parent(documents)));
  EXPECT_TRUE(sys::EqualsNoCase(DocumentsAndSettingsDir(false), Parent(Parent(documents))));
  EXPECT_TRUE(sys::EqualsNoCase(AllUsersDir(false), Parent(commonData)));
  EXPECT_TRUE(sys::EqualsNoCase(AllUsersAppDataDir(false), commonData));
  const std::string desktop = shell.SpecialFolderPath(16);
  ASSERT_FALSE(desktop.empty());
  EXPECT_TRUE(sys::EqualsNoCase(UserDesktopDir(false), desktop));
}

TEST(ShellDirWin32, WithoutTheLibrariesTheChainsTakeOver) {
  // No such libraries: both first sources fail as on a system without them.
  SystemShellFolders missing("NoSuchShell32.dll", "NoSuchSHFolder.dll");
  EXPECT_EQ(missing.FolderPath(0x8005), "");
  EXPECT_EQ(missing.SpecialFolderPath(16), "");
  const std::string windows = sys::WindowsFolder(false);
  const std::string profile = ProfileDir(missing, false);
  const std::string profiles = windows + "\\Profiles\\" + sys::GetRegisteredOwner();
  EXPECT_EQ(profile, sys::FolderExists(profiles) ? profiles : windows);
  EXPECT_EQ(ShellFolderPath(ShellFolderId::MyDocuments, missing, false),
            profile + "\\My Documents");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::AllUsersDocuments, missing, true),
            windows + "\\Documents\\");
  // A library without the entry point counts the same.
  SystemShellFolders noEntry("kernel32.dll", "kernel32.dll");
  EXPECT_EQ(noEntry.FolderPath(0x8005), "");
  EXPECT_EQ(noEntry.SpecialFolderPath(16), "");
}

std::string TodayAsCode6() {
  sys::DateTimeParts now = sys::LocalNow();
  return sys::ZeroPad(now.Year, 4) + "-" + sys::ZeroPad(now.Month, 2) + "-" +
         sys::ZeroPad(now.Day, 2);
}

TEST(PlaceholdersWin32, FoldersAndNamesOfTheRunningSystem) {
  SetInstallFolders("C:\\Tools", "C:\\Shared", "C:\\Aux");
  const std::string windows = sys::WindowsFolder(false), system = sys::SystemFolder(false);
  const bool view64 = sys::Is64BitWindows();
  const std::string currentVersion = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  struct Case {
    std::string text, result;
  } cases[] = {
      {"<installdir>\\App.exe", "C:\\Tools\\App.exe"},
      {"<InstallDir> /quiet", "C:\\Tools /quiet"},
      {"<InstallCommonDir>x.dll", "C:\\Shared\\x.dll"},
      {"<WinDir>\\x.dll", windows + "\\x.dll"},
      {"<WinSysDir>x.dll", system + "\\x.dll"},
      {"<System Directory>\\<InstallDir>\\x.dll", system + "\\x.dll"},
      {"<TempDir>\\x", sys::TempFolder(false) + "\\x"},
      {"<SrcDir>\\x", sys::ProgramFolder(false) + "\\x"},
      // The tests run without "/OriginExe=": the origin is the program itself.
      {"<OriginDir>\\x", sys::ProgramFolder(false) + "\\x"},
      {"<ComputerName>", sys::ComputerName()},
      {"<LoggedUserName>", sys::CurrentUserName()},
      {"<UserName>", sys::GetRegisteredOwner()},
      {"<CompanyName>", sys::GetRegisteredOrganization()},
      {"<CurrentDomainName>", sys::UserDomainName()},
      {"<ProgramFilesDir>\\x",
       sys::RegReadString(currentVersion, "ProgramFilesDir", "", view64) + "\\x"},
      {"<WinSys16Dir>", GetSystem16Dir()},
      {"<UserDesktopDir>\\a.lnk", UserDesktopDir(false) + "\\a.lnk"},
      {"<Date=6>", TodayAsCode6()},
      {"<AbsoluteDir>C:\\Data\\x.dat", "C:\\Data\\x.dat"},
      {"<RunTimeDir_1>x.dll", "x.dll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ExpandPlaceholders(c.text), c.result);
  }
  EXPECT_FALSE(sys::ComputerName().empty());
  EXPECT_EQ(GetOriginExe(), sys::ProgramPath());
  EXPECT_EQ(GetOriginDir(), sys::ProgramFolder(false));
  SetInstallFolders("", "", "");
}

TEST(PlaceholdersWin32, SixteenBitSystemAndFontFolders) {
  const std::string system16 = GetSystem16Dir();
  EXPECT_TRUE(sys::FolderExists(system16)) << system16;
  std::string fonts = ExpandPlaceholders("<FontDir>");
  EXPECT_TRUE(sys::FolderExists(fonts)) << fonts;
}

TEST(PlaceholdersWin32, DateInTheLocaleForm) {
  std::string date = ExpandDatePlaceholder("<Date=#>");
  sys::DateTimeParts now = sys::LocalNow();
  std::string month = sys::LocaleMonthName(now.Month);
  ASSERT_FALSE(month.empty());
  EXPECT_NE(date.find(month), std::string::npos) << date;
  EXPECT_EQ(date.substr(0, 2), sys::ZeroPad(now.Day, 2));
  EXPECT_EQ(ExpandDatePlaceholder("<Date=9>"), "<Date=9>");
}

TEST(PlaceholdersWin32, DotsResolvedAsTheSystemDoes) {
  char current[MAX_PATH + 1];
  DWORD length = ::GetCurrentDirectoryA(sizeof current, current);
  ASSERT_GT(length, 0u);
  const std::string folder = sys::FolderWithBackslash(std::string(current, length), false);
  EXPECT_EQ(ExpandRelativePaths("sub\\..\\x.dll"), folder + "\\x.dll");
  EXPECT_EQ(ExpandRelativePaths("|C:\\A\\..\\B|C:\\C|"), "|C:\\B|C:\\C|");
  SetInstallFolders("C:\\Tools\\App", "", "");
  EXPECT_EQ(ExpandPlaceholders("<InstallDir>\\..\\Shared\\x.dll"), "C:\\Tools\\Shared\\x.dll");
  SetInstallFolders("", "", "");
}

}  // namespace
