// This file must contain only truly operating-system independent code.
#include "paths/ShellDir.h"

#include "sys/Folders.h"

namespace paths {
namespace {

// The shell's folder identifiers; 0x8000 asks the shell to create a missing folder.
constexpr int kCreate = 0x8000;
constexpr int kPersonal = 0x0005;
constexpr int kLocalAppData = 0x001C;
constexpr int kAppData = 0x001A;
constexpr int kCommonAppData = 0x0023;
constexpr int kCommonDocuments = 0x002E;
constexpr int kStartMenu = 11;
constexpr int kCommonStartMenu = 22;
constexpr int kPrograms = 2;
constexpr int kCommonPrograms = 23;
constexpr int kDesktopFolder = 16;
constexpr int kCommonDesktopFolder = 25;

enum class Call { FolderPath, SpecialFolderPath };
enum class Base { None, Profile, Windows, User, AllUsers };

// A folder of a chain: Base followed by Tail.
struct Fallback {
  Base base;
  const char* tail;
};

struct FolderRule {
  Call call;
  int id;
  int parents;  // how many levels to climb from the first source while the folder exists
  Fallback fallbacks[2];
};

const FolderRule& RuleOf(ShellFolderId Id) {
  static const FolderRule kRules[] = {
      /* DocumentsAndSettings */ {Call::FolderPath, kCreate | kPersonal, 2,
                                  {{Base::Profile, ""}, {Base::None, ""}}},
      /* User */ {Call::FolderPath, kCreate | kPersonal, 1,
                  {{Base::Profile, ""}, {Base::None, ""}}},
      /* AllUsers */ {Call::FolderPath, kCreate | kCommonAppData, 1,
                      {{Base::Windows, ""}, {Base::None, ""}}},
      /* UserLocalAppData */ {Call::FolderPath, kCreate | kLocalAppData, 0,
                              {{Base::Profile, "\\Application Data"}, {Base::None, ""}}},
      /* UserAppData */ {Call::FolderPath, kCreate | kAppData, 0,
                         {{Base::Profile, "\\Application Data"}, {Base::None, ""}}},
      /* AllUsersAppData */ {Call::FolderPath, kCreate | kCommonAppData, 0,
                             {{Base::Windows, "\\Application Data"}, {Base::None, ""}}},
      /* MyDocuments */ {Call::FolderPath, kCreate | kPersonal, 0,
                         {{Base::Profile, "\\My Documents"}, {Base::None, ""}}},
      /* AllUsersDocuments */ {Call::FolderPath, kCreate | kCommonDocuments, 0,
                               {{Base::Windows, "\\Documents"}, {Base::None, ""}}},
      /* UserStartMenu */ {Call::SpecialFolderPath, kStartMenu, 0,
                           {{Base::User, "\\Start Menu"}, {Base::AllUsers, "\\Start Menu"}}},
      /* AllUsersStartMenu */ {Call::SpecialFolderPath, kCommonStartMenu, 0,
                               {{Base::AllUsers, "\\Start Menu"}, {Base::None, ""}}},
      /* UserStartProgramMenu */ {Call::SpecialFolderPath, kPrograms, 0,
                                  {{Base::User, "\\Start Menu\\Programs"},
                                   {Base::AllUsers, "\\Start Menu\\Programs"}}},
      /* AllUsersStartProgramMenu */ {Call::SpecialFolderPath, kCommonPrograms, 0,
                                      {{Base::AllUsers, "\\Start Menu\\Programs"},
                                       {Base::None, ""}}},
      /* UserDesktop */ {Call::SpecialFolderPath, kDesktopFolder, 0,
                         {{Base::User, "\\Desktop"}, {Base::AllUsers, "\\Desktop"}}},
      /* AllUsersDesktop */ {Call::SpecialFolderPath, kCommonDesktopFolder, 0,
                             {{Base::AllUsers, "\\Desktop"}, {Base::None, ""}}},
  };
  return kRules[static_cast<int>(Id)];
}

bool Exists(const ShellFolderSource& Source, const std::string& Path) {
  return !Path.empty() && Source.FolderExists(Path);
}

// The folder above Path, without a closing backslash. A closing backslash of Path itself is
// dropped first, so "C:\A\B\" climbs to "C:\A" as "C:\A\B" does.
std::string ParentOf(const ShellFolderSource& Source, const std::string& Path) {
  std::string folder = WithClosingBackslash(Path, false, Source.LeadBytes());
  return sys::FolderOfPath(folder, false, Source.LeadBytes());
}

std::string BaseFolder(const ShellFolderSource& Source, Base Which) {
  switch (Which) {
    case Base::Profile: return ProfileDir(Source, false);
    case Base::Windows: return Source.WindowsDir();
    case Base::User: return ShellFolderPath(ShellFolderId::User, Source, false);
    case Base::AllUsers: return ShellFolderPath(ShellFolderId::AllUsers, Source, false);
    case Base::None: break;
  }
  return std::string();
}

// Base and Tail; no folder when the base has none, rather than a folder in the drive's root.
std::string FallbackFolder(const ShellFolderSource& Source, const Fallback& Step) {
  std::string base = BaseFolder(Source, Step.base);
  return base.empty() ? std::string() : base + Step.tail;
}

std::string FirstSource(const ShellFolderSource& Source, const FolderRule& Rule) {
  std::string path = Rule.call == Call::FolderPath ? Source.FolderPath(Rule.id)
                                                   : Source.SpecialFolderPath(Rule.id);
  for (int level = 0; level < Rule.parents && Exists(Source, path); ++level)
    path = ParentOf(Source, path);
  return path;
}

}  // namespace

std::string WithClosingBackslash(const std::string& Path, bool Closing,
                                 sys::LeadBytePredicate IsLeadByte) {
  if (!Closing && Path.size() <= 2) return Path;
  return sys::FolderWithBackslash(Path, Closing, IsLeadByte);
}

std::string ProfileDir(const ShellFolderSource& Source, bool Closing) {
  std::string windows = Source.WindowsDir();
  std::string profile = windows + "\\Profiles\\" + Source.RegisteredOwner();
  std::string folder = Exists(Source, profile) ? profile : windows;
  return WithClosingBackslash(folder, Closing, Source.LeadBytes());
}

std::string ShellFolderPath(ShellFolderId Id, const ShellFolderSource& Source, bool Closing) {
  const FolderRule& rule = RuleOf(Id);
  std::string path = FirstSource(Source, rule);
  for (const Fallback& step : rule.fallbacks) {
    if (Exists(Source, path) || step.base == Base::None) break;
    path = FallbackFolder(Source, step);
  }
  return WithClosingBackslash(path, Closing, Source.LeadBytes());
}

}  // namespace paths
