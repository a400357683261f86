// Finding, stopping and watching other programs by the path of their program file: whether a
// program runs, waiting for its end, its main window, posting a message to that window, and
// terminating it. Paths are trimmed and lose surrounding double quotes first; a program that
// cannot be found counts as not running, and what would act on it does nothing and reports
// false. Every wait dispatches the thread's messages.
// Win32 (Process_win32.cpp); the rules behind it are plain functions in ProcessSearch.h,
// ProcessAnalizer.h and ProcessTasklist.h.
#pragma once

#include <cstdint>
#include <string>

#include "sys/WindowInfo.h"

namespace sys {

// Whether a process runs Path's program file, compared by file name: by the process list on
// the NT family, by the ToolHelp snapshot on Windows 95, 98 and ME.
bool IsProcessRunning(const std::string& Path);

// Polls IsProcessRunning every 100 ms until the program has ended or TimeoutMs (0 means 1000)
// have passed; true when it no longer runs.
bool WaitProcessEnd(const std::string& Path, uint32_t TimeoutMs);

// The id of the process whose main window FindProcessWindow looks for: by tasklist on Windows
// 8 and later, by PSAPI on other NT versions, by ToolHelp on Windows 95, 98 and ME; 0 when none.
// FullPath compares whole paths only (tasklist knows file names alone).
uint32_t FindProcessId(const std::string& Path, bool FullPath);

// The main window (TAnalizer) among the top-level windows of the process; nullptr when it has
// none that scores.
WindowHandle MainWindowOfProcess(uint32_t ProcessId);

// MainWindowOfProcess(FindProcessId(Path, FullPath)).
WindowHandle FindProcessWindow(const std::string& Path, bool FullPath);

// Posts Msg with WParam and LParam to FindProcessWindow(Path, FullPath); true when a window was
// found and the message posted.
bool PostProcessMessage(const std::string& Path, bool FullPath, uint32_t Msg, uintptr_t WParam,
                        intptr_t LParam);

// Posts WM_CLOSE (wParam 15, lParam 255), then, when WaitMs is above 0, waits for the end as
// WaitProcessEnd does. The result is that of the posting.
bool CloseProcess(const std::string& Path, bool FullPath, uint32_t WaitMs);

// Posts WM_QUIT (wParam 15, lParam 255), which ends the message loop of the window's thread.
bool QuitProcess(const std::string& Path, bool FullPath);

// Terminates the process found as IsProcessRunning finds it, with exit code 0; true when the
// system did so.
bool KillProcess(const std::string& Path, bool FullPath);

// Returns once no top-level window of ClassName with Title exists, dispatching messages and
// sleeping 100 ms between looks. An empty ClassName or Title stands for any; when both are
// empty there is nothing to wait for.
void WaitWhileWindowExists(const std::string& ClassName, const std::string& Title);

}  // namespace sys
