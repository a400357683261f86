// This file must contain only truly operating-system independent code.
#include "stub/AgentCopy.h"

#include "stub/RunMode.h"
#include "stub/StubWin.h"
#include "sys/KoSUB.h"
#include "sys/Switches.h"

namespace stubwin {
namespace {

// Command 31 of wm_AgentMsg: check now.
constexpr uintptr_t kPerformUpdateCycle = 31;
// The stop countdown of a copy started only for a test check.
constexpr uintptr_t kTestCopyCountdown = 2;

// "h:m" as two integers (0 for what is not a number); a value without ":" gives m = 0.
void ParseListener(const std::string& value, uintptr_t& window, intptr_t& message,
                   std::string& wrapped) {
  wrapped = ":" + value + ":";
  window = static_cast<uintptr_t>(sys::SUB::GetItemInt64(wrapped, 0, 0));
  message = static_cast<intptr_t>(sys::SUB::GetItemInt64(wrapped, 1, 0));
}

}  // namespace

std::string XCopyPath(const std::string& exePath) {
  const std::string name = FileNameOf(exePath);
  return exePath.substr(0, exePath.size() - name.size()) + "X_" + name;
}

std::string XCopyArguments(const std::string& commandTail) {
  const std::string delay = sys::GetSwitchValueIn(commandTail, "/DELAY=", "");
  if (!delay.empty()) return " /SleepX=" + delay;
  const std::string transient = sys::GetSwitchValueIn(commandTail, "/TRANSIENT=", "");
  if (!transient.empty()) return " /TRANSIENTx=" + transient;
  return "";
}

bool WantsSecondXCopy(const std::string& commandTail) {
  return sys::GetSwitchValueIn(commandTail, "/_ZZ=", "") == "99";
}

std::vector<ControlPost> ControlPostsFor(const std::string& commandTail, const std::string& xPath,
                                         bool xWasRunning) {
  std::vector<ControlPost> posts;
  const int64_t stop = sys::GetSwitchIntIn(commandTail, "/STOP=", -1);
  if (stop >= 0)
    posts.push_back({wm_ShutDown, static_cast<uintptr_t>(stop), 0,
                     "PostProcessMessage(wm_ShutDown) to: " + xPath});
  const std::string listener = sys::GetSwitchValueIn(commandTail, "/WM_MSG=", "");
  if (!listener.empty()) {
    ControlPost post{wm_LocalMsg, 0, 0, ""};
    std::string wrapped;
    ParseListener(listener, post.wParam, post.lParam, wrapped);
    post.logLine = "PostProcessMessage(wm_LocalMsg) to: " + xPath + " - " + wrapped;
    posts.push_back(post);
  }
  const int64_t test = sys::GetSwitchIntIn(commandTail, "/TEST=", -1);
  if (test >= 0) {
    posts.push_back({wm_AgentMsg, kPerformUpdateCycle, static_cast<intptr_t>(test),
                     "PostProcessMessage(wm_AgentMsg) to: " + xPath + " - AU_PerformUpdateCycle (" +
                         std::to_string(test) + ")"});
    if (!xWasRunning && test > 0) posts.push_back({wm_ShutDown, kTestCopyCountdown, 0, ""});
  }
  return posts;
}

}  // namespace stubwin
