// This file must contain only truly operating-system independent code.
#include "paths/Placeholders.h"

#include "paths/PlaceholderText.h"
#include "paths/RunTimeDir.h"
#include "sys/Folders.h"
#include "sys/Switches.h"
#include "sys/UtilsText.h"

namespace paths {
namespace {

InstallFolders& InstallFoldersOfProcess() {
  static InstallFolders folders;
  return folders;
}

// Answers and settings of an interactive setup, which the stub does not have.
const char* const kSetupAnswers[] = {
    "<EnteredUserName>", "<EnteredCompanyName>",     "<EnteredSerialNum>",
    "<EnteredStartProgramMenu>", "<VendorCompanyName>", "<ProjectName>",
    "<ProgramDescriptiveName>",  "<ProgramVersion>",    "<SelectedLanguage>",
};

const char kCurrentVersionKey[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kShellFoldersKey[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct ShellPlaceholder {
  const char* placeholder;
  ShellFolderId id;
};

const ShellPlaceholder kShellPlaceholders[] = {
    {"<UserDir>", ShellFolderId::User},
    {"<UserAppDataDir>", ShellFolderId::UserAppData},
    {"<UserLocalAppDataDir>", ShellFolderId::UserLocalAppData},
    {"<MyDocumentsDir>", ShellFolderId::MyDocuments},
    {"<UserStartMenuDir>", ShellFolderId::UserStartMenu},
    {"<UserStartProgramMenuDir>", ShellFolderId::UserStartProgramMenu},
    {"<UserDesktopDir>", ShellFolderId::UserDesktop},
    {"<DocumentsAndSettingsDir>", ShellFolderId::DocumentsAndSettings},
    {"<AllUsersDir>", ShellFolderId::AllUsers},
    {"<AllUsersAppDataDir>", ShellFolderId::AllUsersAppData},
    {"<AllUsersDocumentsDir>", ShellFolderId::AllUsersDocuments},
    {"<AllUsersStartMenuDir>", ShellFolderId::AllUsersStartMenu},
    {"<AllUsersStartProgramMenuDir>", ShellFolderId::AllUsersStartProgramMenu},
    {"<AllUsersDesktopDir>", ShellFolderId::AllUsersDesktop},
};

// Names and fixed values: no suffix ever follows them.
std::string ReplaceNames(const PlaceholderContext& C, std::string Text) {
  Text = ReplacePlaceholder(Text, "<LoggedUserName>", sys::Trim(C.LoggedUserName()));
  Text = ReplacePlaceholder(Text, "<UserName>", sys::Trim(C.RegisteredOwner()));
  Text = ReplacePlaceholder(Text, "<CompanyName>", sys::Trim(C.RegisteredOrganization()));
  Text = ReplacePlaceholder(Text, "<ComputerName>", sys::Trim(C.ComputerName()));
  Text = ReplacePlaceholder(Text, "<CurrentDomainName>", C.DomainName());
  // The stub runs no program whose exit code, and records no space need, that these report.
  Text = ReplacePlaceholder(Text, "<LastExecutableExitCode>", "0");
  Text = ReplacePlaceholder(Text, "<ReqFreeDiskSpaceMB>", "0");
  for (const char* answer : kSetupAnswers) Text = ReplacePlaceholder(Text, answer, "");
  return Text;
}

// The placeholders that name a folder outright; when one of them was present, the text is a
// complete path and the install-folder placeholders in it are left-overs.
std::string ReplaceAbsoluteFolders(const PlaceholderContext& C, std::string Text,
                                   const std::string& Suffix) {
  const InstallFolders install = C.Installation();
  Text = ReplacePlaceholder(Text, "<UnInstallExePath>", "");
  if (sys::PosNoCase(Text, "<RunTimeDir_") != 0) {
    for (int n = 1; n <= kRunTimeDirCount; ++n)
      Text = ReplaceFolderPlaceholder(Text, "<RunTimeDir_" + std::to_string(n) + ">",
                                      C.RunTimeFolder(n), Suffix);
  }
  Text = ReplaceFolderPlaceholder(Text, "<Application Folder>", install.Application, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<Common Folder>", install.Common, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<Auxiliary Folder>", install.Auxiliary, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<Windows Directory>", C.WindowsDir(), Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<System Directory>", C.SystemDir(), Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<System16 Directory>", GetSystem16DirIn(C), Suffix);
  return Text;
}

std::string ReplaceInstallAndSystemFolders(const PlaceholderContext& C, std::string Text,
                                           const std::string& Suffix) {
  const InstallFolders install = C.Installation();
  Text = ReplaceFolderPlaceholder(Text, "<InstallDir>", install.Application, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<InstallCommonDir>", install.Common, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<InstallAuxDir>", install.Auxiliary, Suffix);
  const std::string system = C.SystemDir();
  Text = ReplaceFolderPlaceholder(Text, "<WinDir>", C.WindowsDir(), Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<WinSysDir>", system, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<WinSys32Dir>", system, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<WinSys16Dir>", GetSystem16DirIn(C), Suffix);
  return Text;
}

// "<...Drive>" is the folder's first 3 characters, as "C:\", "<...Disk>" its first 2, as "C:".
std::string ReplaceDrives(const PlaceholderContext& C, std::string Text) {
  const std::string folders[] = {C.Installation().Application, C.WindowsDir(), C.SystemDir(),
                                 C.OriginDir()};
  const char* const drives[] = {"<InstallDrive>", "<WinDrive>", "<WinSysDrive>", "<OriginDrive>"};
  const char* const disks[] = {"<InstallDisk>", "<WinDisk>", "<WinSysDisk>", "<OriginDisk>"};
  for (int i = 0; i < 4; ++i) Text = ReplacePlaceholder(Text, drives[i], folders[i].substr(0, 3));
  for (int i = 0; i < 4; ++i) Text = ReplacePlaceholder(Text, disks[i], folders[i].substr(0, 2));
  return Text;
}

std::string FontDirOf(const PlaceholderContext& C) {
  std::string fonts = C.RegistryValue(kShellFoldersKey, "Fonts");
  if (!fonts.empty() && C.FolderExists(fonts)) return fonts;
  return C.WindowsDir() + "\\Fonts";
}

std::string ReplaceRegistryFolders(const PlaceholderContext& C, std::string Text,
                                   const std::string& Suffix) {
  Text = ReplaceFolderPlaceholder(Text, "<StartMenuDir>",
                                  C.RegistryValue(kShellFoldersKey, "Start Menu"), Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<ProgramFilesDir>",
                                  C.RegistryValue(kCurrentVersionKey, "ProgramFilesDir"), Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<CommonFilesDir>",
                                  C.RegistryValue(kCurrentVersionKey, "CommonFilesDir"), Suffix);
  if (sys::PosNoCase(Text, "<FontDir>") != 0)
    Text = ReplaceFolderPlaceholder(Text, "<FontDir>", FontDirOf(C), Suffix);
  return Text;
}

std::string ReplaceProgramFolders(const PlaceholderContext& C, std::string Text,
                                  const std::string& Suffix) {
  const std::string stub = C.StubDir();
  Text = ReplaceFolderPlaceholder(Text, "<SrcDir>", stub, Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<OriginDir>", C.OriginDir(), Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<TempDir>", C.TempDir(), Suffix);
  Text = ReplaceFolderPlaceholder(Text, "<ServiceDir>", stub, Suffix);
  return Text;
}

std::string ReplaceShellFolders(const PlaceholderContext& C, std::string Text,
                                const std::string& Suffix) {
  for (const ShellPlaceholder& shell : kShellPlaceholders) {
    // Each shell folder costs system calls: only the ones the text names are looked up.
    if (sys::PosNoCase(Text, shell.placeholder) == 0) continue;
    Text = ReplaceFolderPlaceholder(Text, shell.placeholder, C.ShellFolder(shell.id), Suffix);
  }
  return Text;
}

std::string ReplaceFolders(const PlaceholderContext& C, const std::string& Before,
                           const std::string& Suffix) {
  std::string text = ReplaceAbsoluteFolders(C, Before, Suffix);
  if (text != Before) {
    text = ReplacePlaceholder(text, "<InstallDir>", "");
    text = ReplacePlaceholder(text, "<InstallCommonDir>", "");
    text = ReplacePlaceholder(text, "<InstallAuxDir>", "");
  }
  text = ReplacePlaceholder(text, "<AbsoluteDir>", "");
  text = ReplaceInstallAndSystemFolders(C, text, Suffix);
  text = ReplaceDrives(C, text);
  text = ReplaceRegistryFolders(C, text, Suffix);
  text = ReplaceProgramFolders(C, text, Suffix);
  text = ReplaceShellFolders(C, text, Suffix);
  return text != Before ? CollapseBackslashes(text, C.LeadBytes()) : Before;
}

}  // namespace

void SetInstallFolders(const std::string& Application, const std::string& Common,
                       const std::string& Auxiliary) {
  InstallFoldersOfProcess() = InstallFolders{Application, Common, Auxiliary};
}

InstallFolders GetInstallFolders() { return InstallFoldersOfProcess(); }

std::string ExpandPlaceholdersIn(const PlaceholderContext& Context, const std::string& Text,
                                 const std::string& Suffix, bool ExpandDots, bool PathPass) {
  std::string result = Text;
  if (result.find('<') != std::string::npos) {
    // The date costs locale calls: it is only looked up for a text that has the placeholder.
    std::string dated = sys::PosNoCase(Text, "<Date=") != 0
                            ? ExpandDatePlaceholder(Text, Context.Today())
                            : Text;
    std::string before = ReplaceNames(Context, dated);
    result = PathPass ? ReplaceFolders(Context, before, Suffix) : before;
  }
  if (!ExpandDots) return result;
  return ExpandRelativePaths(result, [&Context](const std::string& Path) {
    return Context.FullPath(Path);
  });
}

std::string GetSystem16DirIn(const PlaceholderContext& Context) {
  const std::string system = Context.SystemDir();
  size_t at = sys::LastPos(system, "32");
  if (at != 0) {
    std::string without32 = system.substr(0, at - 1) + system.substr(at + 1);
    if (!without32.empty() && Context.FolderExists(without32)) return without32;
  }
  std::string windowsSystem = Context.WindowsDir() + "\\System";
  if (!Context.WindowsDir().empty() && Context.FolderExists(windowsSystem)) return windowsSystem;
  return system;
}

std::string OriginExeOf(const std::string& Tail, const std::string& ProgramPath) {
  return sys::GetSwitchValueIn(Tail, "/OriginExe=", ProgramPath);
}

std::string OriginDirOf(const std::string& OriginExe, const std::string& StubDir,
                        sys::LeadBytePredicate IsLeadByte) {
  std::string folder = sys::FolderOfPath(OriginExe, false, IsLeadByte);
  return folder.empty() ? StubDir : folder;
}

}  // namespace paths
