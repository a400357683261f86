// Run-mode dispatch and the hidden main window with its timer, control messages and loop.
#pragma once

#include <cstdint>
#include <string>

namespace stubwin {

// Messages other processes post to a running agent's window.
constexpr unsigned wm_ShutDown = 1123;  // wParam: ticks left before the agent quits
constexpr unsigned wm_LocalMsg = 1124;  // wParam: listener window, lParam: its message number
constexpr unsigned wm_AgentMsg = 1125;  // wParam: command, lParam: argument; answers the result

// Codes of the notifications posted to a registered listener (wParam), with their lParam.
enum ListenerCode : unsigned {
  kNotifyInfoDownload = 40,    // 1 at the start, 2 at the end
  kNotifyFileDownload = 41,    // 1 at the start, 2 at the end
  kNotifyUpdateRun = 42,       // 1 at the start, 2 at the end
  kNotifyLoopEnded = 43,       // 0
  kNotifyMainWindow = 50,      // the main window's handle
  kNotifyAgentMessage = 51,    // the number of wm_AgentMsg
};

// Chooses the run mode from the package, the file name and the switches, and runs it.
void DoRunStubWin();

// Registers the window class, creates the hidden main window and runs the message loop until
// the setup run or the agent ends it.
void WinMain();

// First close request only stops a running download (result false); a second one closes.
bool CloseMainWindow();
void DestroyMainWindow();

// The caption line of the main window, in the language's font.
void SetCaption(const std::string& text, const std::string& fontName, int charset, int fontSize);

// Posts a notification to the registered listener; nothing without one.
void NotifyListener(unsigned code, intptr_t value);

// While the extraction waits for a disk, the window answers AutoPlay's "QueryCancelAutoPlay"
// with 1 so that inserting the disk does not start anything.
void RegisterQueryCancelAutoPlay(bool on);

// The main window and its two progress bars (null before WinMain creates them).
void* MainWindowHandle();
void* MainProgressHandle();
void* ActivityBarHandle();

}  // namespace stubwin
