// Finding a running process by the path of its program file. Four searches exist because the
// Windows versions offer different interfaces: the ToolHelp snapshot on Windows 95, 98 and ME,
// PSAPI or the process list on the NT family, and "tasklist.exe" from Windows 8 on.
//
// Which search serves which question, and when a process counts as a match, are plain rules
// (ProcessSearch.cpp); the searches themselves are Win32 (ProcessSearch_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "sys/WinVersion.h"

namespace sys {

enum class ProcessSearch {
  Tasklist,     // the CSV output of "tasklist.exe /FO csv"; the first row wins
  Psapi,        // EnumProcesses and the module of each process; the last id wins
  ProcessList,  // GetProcessList with ids, read from its end
  ToolHelp,     // the process snapshot; the last entry wins
};

// The search that finds the process whose main window is wanted: tasklist on Windows 8 and
// later, PSAPI on other NT versions, ToolHelp on Windows 95, 98 and ME.
ProcessSearch WindowSearchFor(const WindowsVersion& V);
// The search that tells whether a program runs and which process to terminate: the process
// list on the NT family, ToolHelp on Windows 95, 98 and ME.
ProcessSearch RunningSearchFor(const WindowsVersion& V);

// Two names match when they are equal after trimming and upper-casing; an empty name matches
// nothing, so an empty path never finds a process.
bool ProcessNamesMatch(const std::string& A, const std::string& B);
// Short (8.3) paths match only when both are known and equal.
bool ShortPathsMatch(const std::string& A, const std::string& B);

// The file-name part of Path: what follows its last "\", "/" or ":" ("C:\App\Tool.exe" gives
// "Tool.exe"); Path itself when it has none.
std::string ProcessFileName(const std::string& Path);

// What a search wants: a program path as the caller gave it and its short path (empty when the
// file has none or does not exist).
struct ProcessTarget {
  std::string Path;
  std::string ShortPath;
};

// One process as a search sees it: its program file as the system names it (a full path or a
// bare file name), the base name of that file, and the short path of the program file.
struct ProcessCandidate {
  std::string Program;
  std::string BaseName;
  std::string ShortPath;
};

// Target.Path names the candidate's program file, or (unless FullPath) its base name, or the
// short paths match. With FullPath a process of the same name in another folder is no match.
bool ProcessMatches(const ProcessTarget& Target, const ProcessCandidate& Candidate, bool FullPath);

// The name the process list gives the system's own pseudo processes, which have no program
// file: "System Idle Process" for id 0, "System Process" for id 2 on NT 4 and id 8 on Windows
// 2000; empty for every other id.
std::string SystemProcessName(uint32_t ProcessId, const WindowsVersion& V);

// Win32. The id of the process that runs Path, found by the given search; 0 when none matches
// or the interface is missing. The tasklist search compares file names only.
uint32_t FindProcessIdBy(ProcessSearch Search, const std::string& Path, bool FullPath);

// Win32. The short (8.3) path of an existing file; empty when it has none.
std::string ShortPathOf(const std::string& Path);

}  // namespace sys
