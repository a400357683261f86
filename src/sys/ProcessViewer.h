// The list of running programs. On Windows XP it comes from PSAPI, one item per process; on the
// other versions from the top-level windows, one item per window (TProcessData), after the
// processes that have no window at all, so that a console or background program is listed too.
//
// The window list and the reading of the finished list are plain text work (ProcessViewer.cpp);
// the enumeration is Win32 (ProcessViewer_win32.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sys/WinVersion.h"

namespace sys {

// One top-level window as the enumeration finds it.
struct ListedWindow {
  uint32_t ProcessId = 0;
  std::string ProgramName;  // the program file of its process, as the system names it
  std::string ClassName;
  uintptr_t Window = 0;
  uint32_t ThreadId = 0;
  std::string Title;
  bool Visible = false;
};

// The window-list record: each field a "|" list with one item per listed window, in
// enumeration order. A "|" inside a class name or title becomes "?", so that the lists stay
// aligned item by item.
struct TProcessData {
  // 1: every window is listed. 0: a program name already listed is skipped, and the enumeration
  // stops at a window whose program name equals TargetName (exactly) or whose process id is
  // TargetProcessId.
  uint8_t ListAll = 1;
  std::string TargetName;
  uint32_t TargetProcessId = 0xFFFFFFFFu;  // none
  std::string ProcessIds = "|";
  std::string ProgramNames = "|";
  std::string ClassNames = "|";
  std::string Windows = "|";  // decimal
  std::string ThreadIds = "|";
  std::string Titles = "|";
  std::string VisibleFlags = "|";  // "1" or "0"

  // Lists Window as the mode asks; false when the enumeration should stop.
  bool AddWindow(const ListedWindow& Window);
  // "|name=id|..." pairing ProgramNames with ProcessIds item by item ("|name|..." without
  // WithIds); windows whose program is unknown are left out.
  std::string ProgramList(bool WithIds) const;
};

// Whether the list of running programs comes from PSAPI (Windows XP) or from the windows.
bool ProcessListUsesPsapi(const WindowsVersion& V);

// The id of the process in List (items name=id as GetProcessList gives them) whose name matches
// TargetName, or whose short path (by ShortPathOf) matches TargetShortPath; of several, the one
// listed last. 0 when none matches or the id is no number.
uint32_t FindIdInProcessList(const std::string& List, const std::string& TargetName,
                             const std::string& TargetShortPath,
                             const std::function<std::string(const std::string&)>& ShortPathOf);

// Win32. "|" list of the running programs, as "Tool.exe" or, with FullPaths on Windows XP,
// "C:\App\Tool.exe"; WithIds writes each as name=id ("Tool.exe=1234"). A program with several
// windows is listed several times. Where the list comes from the windows, the programs without
// a window come first.
std::string GetProcessList(bool FullPaths, bool WithIds);

}  // namespace sys
