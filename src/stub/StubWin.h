// Run-mode dispatch and the hidden main window with its timer and message loop.
#pragma once

namespace stubwin {

// Chooses the run mode from the package, the file name and the switches, and runs it.
void DoRunStubWin();

// Registers the window class, creates the hidden main window and runs the message loop until
// the setup run or the agent ends it.
void WinMain();

// First close request only stops a running download (result false); a second one closes.
bool CloseMainWindow();
void DestroyMainWindow();

}  // namespace stubwin
