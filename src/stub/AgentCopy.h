// The plain auto-update agent does no agent work itself: it writes its transient copy
// ("X_" + its name, same folder), starts it, and hands the control switches of its own command
// line on to the running copy as window messages. These are the rules of that relaunch; the
// Win32 side (AgentCopies_win32.cpp) copies, starts and posts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stubwin {

// The folder of exePath, "X_" and its file name.
std::string XCopyPath(const std::string& exePath);

// The transient copy's arguments: " /SleepX=" with the value of "/DELAY=" when given, else
// " /TRANSIENTx=" with the value of "/TRANSIENT=" when given, else nothing.
std::string XCopyArguments(const std::string& commandTail);

// "/_ZZ=99" asks for a new copy even while one runs (a restarting agent's successor).
bool WantsSecondXCopy(const std::string& commandTail);

// One window message for the running copy, with the debug-log line that announces it (empty
// for none).
struct ControlPost {
  unsigned message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  std::string logLine;
};

// The messages that the switches "/STOP=", "/WM_MSG=" and "/TEST=" of commandTail ask for, in
// this order. A test check ("/TEST=" above 0) that had to start the copy also gives it a stop
// countdown of 2, so the copy quits once it has done the check.
std::vector<ControlPost> ControlPostsFor(const std::string& commandTail, const std::string& xPath,
                                         bool xWasRunning);

}  // namespace stubwin
