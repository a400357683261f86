// Run-mode dispatch and the hidden main window with its timer, control messages and loop.
#pragma once

#include <cstdint>
#include <string>

#include "agent/AgentHost.h"

namespace stubwin {

// Messages other processes post to a running agent's window.
constexpr unsigned wm_ShutDown = 1123;  // wParam: ticks left before the agent quits
constexpr unsigned wm_LocalMsg = 1124;  // wParam: listener window, lParam: its message number
constexpr unsigned wm_AgentMsg = 1125;  // wParam: command, lParam: argument; answers the result

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
