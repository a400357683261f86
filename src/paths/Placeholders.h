// Placeholder expansion: texts written by a setup's author, such as "<InstallDir>\App.exe" or
// "<WinSysDir>\x.dll /log=<TempDir>\<Date=6>.log", turned into concrete paths and command lines
// of the machine the stub runs on. Matching ignores letter case; placeholders that are not
// known stay in the text as they are.
//
// The ...In forms are plain text work over a PlaceholderContext (Placeholders.cpp); the forms
// without it read the running system (Placeholders_win32.cpp).
#pragma once

#include <string>

#include "paths/PlaceholderContext.h"

namespace paths {

// The folders behind "<InstallDir>", "<InstallCommonDir>" and "<InstallAuxDir>" (and their
// older names "<Application Folder>", "<Common Folder>", "<Auxiliary Folder>") for the rest of
// the process; empty until set.
void SetInstallFolders(const std::string& Application, const std::string& Common,
                       const std::string& Auxiliary);
InstallFolders GetInstallFolders();

// Text expanded: first the date placeholder and the names, then, with PathPass, the folder
// placeholders, where Suffix (the stub passes "\") follows a folder that more text follows;
// with ExpandDots, ".." parts are resolved last.
std::string ExpandPlaceholdersIn(const PlaceholderContext& Context, const std::string& Text,
                                 const std::string& Suffix, bool ExpandDots, bool PathPass);

// The 16-bit system folder: the system folder without its last "32" when that folder exists,
// else the Windows folder's "System" when that exists, else the system folder itself.
std::string GetSystem16DirIn(const PlaceholderContext& Context);

// The program that started this setup: the value of "/OriginExe=" in Tail, or ProgramPath when
// the switch is absent.
std::string OriginExeOf(const std::string& Tail, const std::string& ProgramPath);
// The folder of OriginExe without a closing backslash; StubDir when that is empty.
std::string OriginDirOf(const std::string& OriginExe, const std::string& StubDir,
                        sys::LeadBytePredicate IsLeadByte);

// Win32: the same on the running system. The origin executable and folder are read once and
// kept for the process.
std::string ExpandPlaceholders(const std::string& Text, const std::string& Suffix = "\\",
                               bool ExpandDots = true, bool PathPass = true);
std::string ExpandDatePlaceholder(const std::string& Text);
std::string ExpandRelativePaths(const std::string& Text);
std::string GetSystem16Dir();
std::string GetOriginExe();
std::string GetOriginDir();

}  // namespace paths
