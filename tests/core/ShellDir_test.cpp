// The shell folder chains over a made-up machine: which folders the shell functions give, and
// which folders exist.
#include "paths/ShellDir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "sys/LeadBytes.h"
#include "sys/UtilsText.h"

using namespace paths;

namespace {

class FakeShell : public ShellFolderSource {
 public:
  std::map<int, std::string> special, folder;
  std::set<std::string> existing;  // upper case
  std::string windows = "C:\\WINDOWS";
  std::string owner = "Ann";

  void Exists(const std::string& Path) { existing.insert(sys::UpperCase(Path)); }

  std::string SpecialFolderPath(int Id) const override { return Find(special, Id); }
  std::string FolderPath(int Id) const override { return Find(folder, Id); }
  // As the system's query, with or without a closing backslash.
  bool FolderExists(const std::string& Path) const override {
    std::string path = Path;
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return existing.count(sys::UpperCase(path)) > 0;
  }
  std::string WindowsDir() const override { return windows; }
  std::string RegisteredOwner() const override { return owner; }
  sys::LeadBytePredicate LeadBytes() const override { return nullptr; }

 private:
  static std::string Find(const std::map<int, std::string>& Map, int Id) {
    auto hit = Map.find(Id);
    return hit == Map.end() ? std::string() : hit->second;
  }
};

constexpr ShellFolderId kAll[] = {
    ShellFolderId::DocumentsAndSettings, ShellFolderId::User,
    ShellFolderId::AllUsers,             ShellFolderId::UserLocalAppData,
    ShellFolderId::UserAppData,          ShellFolderId::AllUsersAppData,
    ShellFolderId::MyDocuments,          ShellFolderId::AllUsersDocuments,
    ShellFolderId::UserStartMenu,        ShellFolderId::AllUsersStartMenu,
    ShellFolderId::UserStartProgramMenu, ShellFolderId::AllUsersStartProgramMenu,
    ShellFolderId::UserDesktop,          ShellFolderId::AllUsersDesktop,
};

// A machine whose shell knows every folder, as a modern Windows does.
FakeShell ModernMachine() {
  FakeShell shell;
  shell.windows = "C:\\Windows";
  shell.folder[0x8005] = "C:\\Users\\ann\\Documents";
  shell.folder[0x8023] = "C:\\ProgramData";
  shell.folder[0x801C] = "C:\\Users\\ann\\AppData\\Local";
  shell.folder[0x801A] = "C:\\Users\\ann\\AppData\\Roaming";
  shell.folder[0x802E] = "C:\\Users\\Public\\Documents";
  shell.special[11] = "C:\\Users\\ann\\Start";
  shell.special[22] = "C:\\ProgramData\\Start";
  shell.special[2] = "C:\\Users\\ann\\Start\\Programs";
  shell.special[23] = "C:\\ProgramData\\Start\\Programs";
  shell.special[16] = "C:\\Users\\ann\\Desktop";
  shell.special[25] = "C:\\Users\\Public\\Desktop";
  for (const auto& f : shell.folder) shell.Exists(f.second);
  for (const auto& f : shell.special) shell.Exists(f.second);
  for (const char* f : {"C:\\Windows", "C:\\Users\\ann", "C:\\Users", "C:"}) shell.Exists(f);
  return shell;
}

TEST(ShellDir, FirstSourcesWithTheirAdjustments) {
  FakeShell shell = ModernMachine();
  struct Case {
    ShellFolderId id;
    std::string path;
  } cases[] = {
      {ShellFolderId::DocumentsAndSettings, "C:\\Users"},  // two levels above the documents
      {ShellFolderId::User, "C:\\Users\\ann"},
      {ShellFolderId::AllUsers, "C:"},  // the folder directly above common application data
      {ShellFolderId::UserLocalAppData, "C:\\Users\\ann\\AppData\\Local"},
      {ShellFolderId::UserAppData, "C:\\Users\\ann\\AppData\\Roaming"},
      {ShellFolderId::AllUsersAppData, "C:\\ProgramData"},
      {ShellFolderId::MyDocuments, "C:\\Users\\ann\\Documents"},
      {ShellFolderId::AllUsersDocuments, "C:\\Users\\Public\\Documents"},
      {ShellFolderId::UserStartMenu, "C:\\Users\\ann\\Start"},
      {ShellFolderId::AllUsersStartMenu, "C:\\ProgramData\\Start"},
      {ShellFolderId::UserStartProgramMenu, "C:\\Users\\ann\\Start\\Programs"},
      {ShellFolderId::AllUsersStartProgramMenu, "C:\\ProgramData\\Start\\Programs"},
      {ShellFolderId::UserDesktop, "C:\\Users\\ann\\Desktop"},
      {ShellFolderId::AllUsersDesktop, "C:\\Users\\Public\\Desktop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.id));
    EXPECT_EQ(ShellFolderPath(c.id, shell, false), c.path);
  }
}

TEST(ShellDir, AllUsersIsTheFolderAboveCommonApplicationData) {
  FakeShell shell = ModernMachine();
  shell.folder[0x8023] = "D:\\Data\\All Users\\Application Data";
  shell.Exists("D:\\Data\\All Users\\Application Data");
  shell.Exists("D:\\Data\\All Users");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::AllUsers, shell, false), "D:\\Data\\All Users");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::AllUsers, shell, true), "D:\\Data\\All Users\\");
  // A closing backslash from the shell climbs the same level.
  shell.folder[0x8023] = "D:\\Data\\All Users\\Application Data\\";
  EXPECT_EQ(ShellFolderPath(ShellFolderId::AllUsers, shell, false), "D:\\Data\\All Users");
}

TEST(ShellDir, DocumentsAndSettingsClimbsOnlyThroughExistingFolders) {
  FakeShell shell = ModernMachine();
  shell.folder[0x8005] = "E:\\Docs\\Ann\\My Documents";
  shell.Exists("E:\\Docs\\Ann\\My Documents");
  shell.Exists("E:\\Docs\\Ann");
  shell.Exists("E:\\Docs");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::DocumentsAndSettings, shell, false), "E:\\Docs");
  // The parent is missing: no second climb, and the chain falls back to the Windows folder
  // (no profile folder exists on this machine).
  shell.existing.erase("E:\\DOCS\\ANN");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::DocumentsAndSettings, shell, false), "C:\\Windows");
}

TEST(ShellDir, WithoutShellFunctionsTheChainsFallBackToProfileAndWindowsFolders) {
  FakeShell shell;  // no shell folder functions, as on the oldest systems
  shell.Exists("C:\\WINDOWS");
  // No profile folder: everything is built from the Windows folder.
  EXPECT_EQ(ProfileDir(shell, false), "C:\\WINDOWS");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::MyDocuments, shell, false),
            "C:\\WINDOWS\\My Documents");
  shell.Exists("C:\\WINDOWS\\Profiles\\Ann");
  EXPECT_EQ(ProfileDir(shell, true), "C:\\WINDOWS\\Profiles\\Ann\\");
  struct Case {
    ShellFolderId id;
    std::string path;
  } cases[] = {
      {ShellFolderId::MyDocuments, "C:\\WINDOWS\\Profiles\\Ann\\My Documents"},
      {ShellFolderId::User, "C:\\WINDOWS\\Profiles\\Ann"},
      {ShellFolderId::DocumentsAndSettings, "C:\\WINDOWS\\Profiles\\Ann"},
      {ShellFolderId::AllUsers, "C:\\WINDOWS"},
      {ShellFolderId::UserAppData, "C:\\WINDOWS\\Profiles\\Ann\\Application Data"},
      {ShellFolderId::UserLocalAppData, "C:\\WINDOWS\\Profiles\\Ann\\Application Data"},
      {ShellFolderId::AllUsersAppData, "C:\\WINDOWS\\Application Data"},
      {ShellFolderId::AllUsersDocuments, "C:\\WINDOWS\\Documents"},
      // Two-step chains: the user's folder first, the shared one when that does not exist.
      {ShellFolderId::UserStartMenu, "C:\\WINDOWS\\Start Menu"},
      {ShellFolderId::UserStartProgramMenu, "C:\\WINDOWS\\Start Menu\\Programs"},
      {ShellFolderId::UserDesktop, "C:\\WINDOWS\\Desktop"},
      {ShellFolderId::AllUsersStartMenu, "C:\\WINDOWS\\Start Menu"},
      {ShellFolderId::AllUsersStartProgramMenu, "C:\\WINDOWS\\Start Menu\\Programs"},
      {ShellFolderId::AllUsersDesktop, "C:\\WINDOWS\\Desktop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.id));
    EXPECT_EQ(ShellFolderPath(c.id, shell, false), c.path);
  }
  // The user's own start menu wins when it exists.
  shell.Exists("C:\\WINDOWS\\Profiles\\Ann\\Start Menu");
  shell.Exists("C:\\WINDOWS\\Profiles\\Ann\\Desktop");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::UserStartMenu, shell, false),
            "C:\\WINDOWS\\Profiles\\Ann\\Start Menu");
  EXPECT_EQ(ShellFolderPath(ShellFolderId::UserDesktop, shell, false),
            "C:\\WINDOWS\\Profiles\\Ann\\Desktop");
}

TEST(ShellDir, AFolderTheShellNamesButThatIsMissingFallsBack) {
  FakeShell shell = ModernMachine();
  shell.folder[0x8005] = "X:\\Gone\\Documents";
  EXPECT_EQ(ShellFolderPath(ShellFolderId::MyDocuments, shell, false), "C:\\Windows\\My Documents");
  shell.special[16] = "X:\\Gone\\Desktop";
  // UserDir itself falls back to the Windows folder, where no Desktop exists; the shared one
  // (above C:\ProgramData) is the chain's last word.
  EXPECT_EQ(ShellFolderPath(ShellFolderId::UserDesktop, shell, false), "C:\\Desktop");
}

TEST(ShellDir, TheFlagAddsOrRemovesTheClosingBackslash) {
  for (FakeShell shell : {ModernMachine(), FakeShell()}) {
    for (ShellFolderId id : kAll) {
      SCOPED_TRACE(static_cast<int>(id));
      std::string with = ShellFolderPath(id, shell, true);
      std::string without = ShellFolderPath(id, shell, false);
      ASSERT_GT(with.size(), 1u);
      EXPECT_EQ(with.back(), '\\');
      EXPECT_NE(without.back(), '\\');
      EXPECT_EQ(with, without + "\\");
    }
  }
}

TEST(ShellDir, ClosingBackslashRule) {
  struct Case {
    std::string path, with, without;
  } cases[] = {
      {"C:\\Data", "C:\\Data\\", "C:\\Data"},
      {"C:\\Data\\", "C:\\Data\\", "C:\\Data"},
      {"C:\\", "C:\\", "C:"},
      {"C:", "C:\\", "C:"},
      {"\\\\", "", "\\\\"},  // two characters are never shortened
      {"", "", ""},          // no folder stays no folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(WithClosingBackslash(c.path, true, nullptr), c.with);
    EXPECT_EQ(WithClosingBackslash(c.path, false, nullptr), c.without);
  }
  // "\x95\x5C" is one character of code page 932: its "\" is no closing backslash.
  const sys::LeadBytePredicate shiftJis = sys::LeadBytesOfCodePage(932);
  EXPECT_EQ(WithClosingBackslash("C:\\\x95\x5C", false, shiftJis), "C:\\\x95\x5C");
  EXPECT_EQ(WithClosingBackslash("C:\\\x95\x5C", true, shiftJis), "C:\\\x95\x5C\\");
}

}  // namespace
