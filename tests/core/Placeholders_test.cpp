// Placeholder expansion over a made-up machine: every placeholder, the order in which they are
// replaced, and the examples of how setup authors write them.
#include "paths/Placeholders.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "FakeFullPath.h"
#include "paths/PlaceholderText.h"
#include "sys/UtilsText.h"

using namespace paths;

namespace {

// The shell folders and the names their placeholders are made of ("<" name "Dir>").
struct ShellName {
  const char* name;
  ShellFolderId id;
};
const ShellName kShellNames[] = {
    {"User", ShellFolderId::User},
    {"UserAppData", ShellFolderId::UserAppData},
    {"UserLocalAppData", ShellFolderId::UserLocalAppData},
    {"MyDocuments", ShellFolderId::MyDocuments},
    {"UserStartMenu", ShellFolderId::UserStartMenu},
    {"UserStartProgramMenu", ShellFolderId::UserStartProgramMenu},
    {"UserDesktop", ShellFolderId::UserDesktop},
    {"DocumentsAndSettings", ShellFolderId::DocumentsAndSettings},
    {"AllUsers", ShellFolderId::AllUsers},
    {"AllUsersAppData", ShellFolderId::AllUsersAppData},
    {"AllUsersDocuments", ShellFolderId::AllUsersDocuments},
    {"AllUsersStartMenu", ShellFolderId::AllUsersStartMenu},
    {"AllUsersStartProgramMenu", ShellFolderId::AllUsersStartProgramMenu},
    {"AllUsersDesktop", ShellFolderId::AllUsersDesktop},
};

class FakeMachine : public PlaceholderContext {
 public:
  std::map<std::string, std::string> registry;  // "key|name" -> value
  std::map<ShellFolderId, std::string> shell;
  std::set<std::string> existing = {"C:\\WINDOWS\\SYSTEM", "D:\\FONTS"};  // upper case
  InstallFolders install{"C:\\Tools", "C:\\Common", "C:\\Aux"};
  std::string user = " ann ", owner = " Ann Owner ", organization = " ACME ",
              computer = " PC1 ", domain = "WORKGROUP";
  std::string windows = "C:\\Windows", system = "C:\\Windows\\System32", temp = "C:\\Temp",
              stub = "E:\\Setup", origin = "F:\\Media";
  LocaleDate today;
  std::string currentFolder = "C:\\Cur";
  mutable int shellCalls = 0;

  FakeMachine() {
    registry[ShellFoldersKey() + "|Start Menu"] = "C:\\Menu";
    registry[ShellFoldersKey() + "|Fonts"] = "D:\\Fonts";
    registry[CurrentVersionKey() + "|ProgramFilesDir"] = "C:\\Program Files";
    registry[CurrentVersionKey() + "|CommonFilesDir"] = "C:\\Program Files\\Common Files";
    for (const ShellName& named : kShellNames) shell[named.id] = std::string("S:\\") + named.name;
    today.Now.Year = 2024;
    today.Now.Month = 3;
    today.Now.Day = 5;
    today.DateSeparator = "/";
    today.TimeSeparator = ":";
    today.MonthName = "March";
  }

  static std::string ShellFoldersKey() {
    return "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
           "Shell Folders";
  }
  static std::string CurrentVersionKey() {
    return "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  }
  std::string LoggedUserName() const override { return user; }
  std::string RegisteredOwner() const override { return owner; }
  std::string RegisteredOrganization() const override { return organization; }
  std::string ComputerName() const override { return computer; }
  std::string DomainName() const override { return domain; }
  InstallFolders Installation() const override { return install; }
  std::string WindowsDir() const override { return windows; }
  std::string SystemDir() const override { return system; }
  std::string TempDir() const override { return temp; }
  std::string StubDir() const override { return stub; }
  std::string OriginDir() const override { return origin; }
  std::string ShellFolder(ShellFolderId Id) const override {
    ++shellCalls;
    auto hit = shell.find(Id);
    return hit == shell.end() ? std::string() : hit->second;
  }
  std::string RunTimeFolder(int) const override { return std::string(); }
  bool FolderExists(const std::string& Path) const override {
    return existing.count(sys::UpperCase(Path)) > 0;
  }
  std::string RegistryValue(const std::string& Key, const std::string& Name) const override {
    auto hit = registry.find(Key + "|" + Name);
    return hit == registry.end() ? std::string() : hit->second;
  }
  LocaleDate Today() const override { return today; }
  std::string FullPath(const std::string& Path) const override {
    return FakeFullPath(Path, currentFolder);
  }
  sys::LeadBytePredicate LeadBytes() const override { return nullptr; }
};

std::string Expand(const FakeMachine& Machine, const std::string& Text) {
  return ExpandPlaceholdersIn(Machine, Text, "\\", true, true);
}

TEST(ExpandPlaceholders, HowSetupAuthorsWriteThem) {
  FakeMachine machine;
  struct Case {
    std::string text, result;
  } cases[] = {
      // Letter case ignored, the doubled backslash collapsed.
      {"<installdir>\\App.exe", "C:\\Tools\\App.exe"},
      {"<InstallDir>App.exe", "C:\\Tools\\App.exe"},
      // A blank after the placeholder: no backslash.
      {"<InstallDir> /quiet", "C:\\Tools /quiet"},
      {"|<InstallDir>|<WinDir>|", "|C:\\Tools|C:\\Windows|"},
      // A system folder before the install folder makes the install folder a left-over.
      {"<System Directory>\\<InstallDir>\\x.dll", "C:\\Windows\\System32\\x.dll"},
      {"<AbsoluteDir>C:\\Data\\x.dat", "C:\\Data\\x.dat"},
      {"<Date=6>", "2024-03-05"},
      {"<Date=9>", "<Date=9>"},
      {"<Date=6", "<Date=6"},
      {"<RunTimeDir_1><RunTimeDir_8>x.dll", "x.dll"},
      {"<RunTimeDir_9>\\<Unknown>\\x.dll", "<RunTimeDir_9>\\<Unknown>\\x.dll"},
      {"\\\\Server\\Share\\\\Setups\\<AbsoluteDir>x.exe", "\\\\Server\\Share\\Setups\\x.exe"},
      {"<InstallDir>\\..\\Shared\\x.dll", "C:\\Shared\\x.dll"},
      {"C:\\A\\..\\B.exe", "C:\\B.exe"},  // no placeholder, still resolved
      {"<WinDir>\\\\x", "C:\\Windows\\x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Expand(machine, c.text), c.result);
  }
}

TEST(ExpandPlaceholders, EveryPlaceholderAndItsValue) {
  FakeMachine machine;
  struct Case {
    std::string placeholder, value;
  } cases[] = {
      {"<LoggedUserName>", "ann"},
      {"<UserName>", "Ann Owner"},
      {"<CompanyName>", "ACME"},
      {"<ComputerName>", "PC1"},
      {"<CurrentDomainName>", "WORKGROUP"},
      {"<LastExecutableExitCode>", "0"},
      {"<ReqFreeDiskSpaceMB>", "0"},
      {"<EnteredUserName>", ""},
      {"<EnteredCompanyName>", ""},
      {"<EnteredSerialNum>", ""},
      {"<EnteredStartProgramMenu>", ""},
      {"<VendorCompanyName>", ""},
      {"<ProjectName>", ""},
      {"<ProgramDescriptiveName>", ""},
      {"<ProgramVersion>", ""},
      {"<SelectedLanguage>", ""},
      {"<UnInstallExePath>", ""},
      {"<Application Folder>", "C:\\Tools"},
      {"<Common Folder>", "C:\\Common"},
      {"<Auxiliary Folder>", "C:\\Aux"},
      {"<Windows Directory>", "C:\\Windows"},
      {"<System Directory>", "C:\\Windows\\System32"},
      {"<System16 Directory>", "C:\\Windows\\System"},
      {"<AbsoluteDir>", ""},
      {"<InstallDir>", "C:\\Tools"},
      {"<InstallCommonDir>", "C:\\Common"},
      {"<InstallAuxDir>", "C:\\Aux"},
      {"<WinDir>", "C:\\Windows"},
      {"<WinSysDir>", "C:\\Windows\\System32"},
      {"<WinSys32Dir>", "C:\\Windows\\System32"},
      {"<WinSys16Dir>", "C:\\Windows\\System"},
      {"<InstallDrive>", "C:\\"},
      {"<WinDrive>", "C:\\"},
      {"<WinSysDrive>", "C:\\"},
      {"<OriginDrive>", "F:\\"},
      {"<InstallDisk>", "C:"},
      {"<WinDisk>", "C:"},
      {"<WinSysDisk>", "C:"},
      {"<OriginDisk>", "F:"},
      {"<StartMenuDir>", "C:\\Menu"},
      {"<ProgramFilesDir>", "C:\\Program Files"},
      {"<CommonFilesDir>", "C:\\Program Files\\Common Files"},
      {"<FontDir>", "D:\\Fonts"},
      {"<SrcDir>", "E:\\Setup"},
      {"<OriginDir>", "F:\\Media"},
      {"<TempDir>", "C:\\Temp"},
      {"<ServiceDir>", "E:\\Setup"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.placeholder);
    EXPECT_EQ(Expand(machine, "[" + c.placeholder + " ]"), "[" + c.value + " ]");
    EXPECT_EQ(Expand(machine, sys::LowerCase(c.placeholder) + " "), c.value + " ");
  }
  for (const ShellName& named : kShellNames) {
    std::string placeholder = std::string("<") + named.name + "Dir>";
    SCOPED_TRACE(placeholder);
    EXPECT_EQ(Expand(machine, placeholder + "\\x"), std::string("S:\\") + named.name + "\\x");
  }
}

TEST(ExpandPlaceholders, FolderAlternativesWhenTheMachineLacksTheFirstChoice) {
  FakeMachine machine;
  // The fonts folder the registry names does not exist.
  machine.existing.erase("D:\\FONTS");
  EXPECT_EQ(Expand(machine, "<FontDir>\\a.ttf"), "C:\\Windows\\Fonts\\a.ttf");
  // No 16-bit system folder without "32": the Windows folder's "System"; failing that, the
  // system folder itself.
  machine.system = "C:\\Windows\\Sys";
  EXPECT_EQ(Expand(machine, "<WinSys16Dir>"), "C:\\Windows\\System");
  EXPECT_EQ(GetSystem16DirIn(machine), "C:\\Windows\\System");
  machine.existing.clear();
  EXPECT_EQ(GetSystem16DirIn(machine), "C:\\Windows\\Sys");
  // Only the last "32" goes.
  machine.system = "C:\\Win32\\System32";
  machine.existing.insert("C:\\WIN32\\SYSTEM");
  EXPECT_EQ(GetSystem16DirIn(machine), "C:\\Win32\\System");
}

TEST(ExpandPlaceholders, LaterPlaceholdersAreFoundInEarlierValuesButNotTheReverse) {
  FakeMachine machine;
  machine.registry[FakeMachine::CurrentVersionKey() + "|ProgramFilesDir"] = "<TempDir>\\PF";
  EXPECT_EQ(Expand(machine, "<ProgramFilesDir>\\x"), "C:\\Temp\\PF\\x");
  machine.temp = "<WinDir>\\T";
  EXPECT_EQ(Expand(machine, "<TempDir>\\x"), "<WinDir>\\T\\x");
  // A value is never searched again for its own placeholder.
  machine.user = "<LoggedUserName>";
  EXPECT_EQ(Expand(machine, "<LoggedUserName>"), "<LoggedUserName>");
}

TEST(ExpandPlaceholders, AbsoluteFolderPlaceholdersDropTheInstallFolders) {
  FakeMachine machine;
  struct Case {
    std::string text, result;
  } cases[] = {
      {"<Windows Directory>\\<InstallCommonDir>\\<InstallAuxDir>\\x", "C:\\Windows\\x"},
      {"<Application Folder>\\<InstallDir>\\x", "C:\\Tools\\x"},
      // Empty values count too: the placeholder was there.
      {"<UnInstallExePath><InstallDir>\\x", "\\x"},
      {"<RunTimeDir_2><InstallDir>\\x", "\\x"},
      {"<InstallDir>\\x", "C:\\Tools\\x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Expand(machine, c.text), c.result);
  }
}

TEST(ExpandPlaceholders, PassesTheCallerLeavesOut) {
  FakeMachine machine;
  const std::string text = "<InstallDir>\\..\\x <UserName> <Date=4>";
  EXPECT_EQ(ExpandPlaceholdersIn(machine, text, "\\", false, false),
            "<InstallDir>\\..\\x Ann Owner 05-03-2024");
  EXPECT_EQ(ExpandPlaceholdersIn(machine, text, "\\", false, true),
            "C:\\Tools\\..\\x Ann Owner 05-03-2024");
  EXPECT_EQ(ExpandPlaceholdersIn(machine, text, "\\", true, true), "C:\\x Ann Owner 05-03-2024");
  // Another suffix.
  EXPECT_EQ(ExpandPlaceholdersIn(machine, "<InstallDir>x", "/", false, true), "C:\\Tools/x");
  // Without a change in the folder pass, doubled backslashes stay.
  EXPECT_EQ(Expand(machine, "<UserName>\\\\x"), "Ann Owner\\\\x");
}

TEST(ExpandPlaceholders, MissingValuesAndHostileOnes) {
  FakeMachine machine;
  machine.registry.clear();
  // A registry value that cannot be read is empty; no backslash is put in its place.
  EXPECT_EQ(Expand(machine, "<ProgramFilesDir> x"), " x");
  EXPECT_EQ(Expand(machine, "<StartMenuDir>Programs"), "Programs");
  // An install folder never set.
  machine.install = InstallFolders{};
  EXPECT_EQ(Expand(machine, "<InstallDrive>|<InstallDisk>|<InstallDir>"), "||");
  // A value built to multiply the text stops growing at a command line's length.
  std::string bomb;
  for (int i = 0; i < 600; ++i) bomb += "<TempDir>";
  machine.registry[FakeMachine::CurrentVersionKey() + "|ProgramFilesDir"] = bomb;
  machine.temp = std::string(3000, 't');
  std::string text;
  for (int i = 0; i < 5; ++i) text += "<ProgramFilesDir> ";
  std::string result = Expand(machine, text);
  EXPECT_LE(result.size(), kMaxExpandedLength);
  EXPECT_NE(result.find("<TempDir>"), std::string::npos);
}

TEST(ExpandPlaceholders, ShellFoldersAreLookedUpOnlyWhenNamed) {
  FakeMachine machine;
  EXPECT_EQ(Expand(machine, "<InstallDir>\\x"), "C:\\Tools\\x");
  EXPECT_EQ(machine.shellCalls, 0);
  EXPECT_EQ(Expand(machine, "<UserDesktopDir>\\a <UserDesktopDir>\\b"),
            "S:\\UserDesktop\\a S:\\UserDesktop\\b");
  EXPECT_EQ(machine.shellCalls, 1);
}

TEST(InstallFolders, SetOnceForTheProcess) {
  SetInstallFolders("C:\\App", "C:\\Shared", "C:\\Aux");
  InstallFolders folders = GetInstallFolders();
  EXPECT_EQ(folders.Application, "C:\\App");
  EXPECT_EQ(folders.Common, "C:\\Shared");
  EXPECT_EQ(folders.Auxiliary, "C:\\Aux");
  SetInstallFolders("", "", "");
  EXPECT_EQ(GetInstallFolders().Application, "");
}

TEST(OriginExe, FromTheSwitchOrTheRunningProgram) {
  struct Case {
    std::string tail, exe, dir;
  } cases[] = {
      {"/OriginExe=\"D:\\Media\\Setup.exe\" /x", "D:\\Media\\Setup.exe", "D:\\Media"},
      {"/originexe=D:\\Setup.exe", "D:\\Setup.exe", "D:"},
      {"/x", "C:\\Temp\\stub.exe", "C:\\Temp"},
      {"/OriginExe=", "", "E:\\Stub"},        // present but empty: the stub's folder
      {"/OriginExe=Setup.exe", "Setup.exe", "E:\\Stub"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    std::string exe = OriginExeOf(c.tail, "C:\\Temp\\stub.exe");
    EXPECT_EQ(exe, c.exe);
    EXPECT_EQ(OriginDirOf(exe, "E:\\Stub", nullptr), c.dir);
  }
}

}  // namespace
