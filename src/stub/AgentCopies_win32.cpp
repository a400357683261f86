// This file must contain only Win32 code.
#include "stub/AgentCopies.h"

#include <algorithm>

#include "agent/TransientFlags.h"
#include "pack/GFileInfo.h"
#include "stub/AgentCopy.h"
#include "stub/RunMode.h"
#include "stub/StubGlob.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/Process.h"
#include "sys/ProgramStart.h"
#include "sys/Pumping.h"
#include "sys/Switches.h"
#include "sys/SysError.h"

using kodebug::DebugLog;

namespace stubwin {
namespace {

// How long a plain agent with switches to forward waits for its copy: the process must show up
// within the first span; once it runs, its window is awaited up to the second.
constexpr int64_t kCopyStartPatienceMs = 3000;
constexpr int64_t kCopyWindowPatienceMs = 30000;
constexpr uint32_t kCopyStartPollMs = 200;

bool XCopyWindowExists() {
  const std::string className = XAgentClassName(stubglob::OwnFileInfo->GetProgramExeName());
  return ::FindWindowA(className.c_str(), nullptr) != nullptr;
}

// The copy is started by its full path, quoted and named as the program, so that a folder with
// blanks ("C:\Program Files\...") can never make the system run some other file.
void StartXCopy(const std::string& xPath, const std::string& arguments) {
  DebugLog("WinExec: " + xPath + arguments);
  if (!sys::StartProgram("\"" + xPath + "\"" + arguments, false, xPath))
    sys::LogFailure("StubWin.CreateAndRun_X_Exe()", xPath, ::GetLastError());
}

// Until the copy's window exists: the switches forwarded next are posted to that window, and a
// copy that runs but has not made it yet (a slow machine) would lose them. Gives up when no
// copy runs after the first span, or after the second.
void WaitForXCopy(const std::string& xPath) {
  const int64_t start = sys::MillisecondClock();
  for (;;) {
    if (XCopyWindowExists()) return;
    const int64_t waited = sys::MillisecondClock() - start;
    if (waited >= kCopyWindowPatienceMs) return;
    if (waited >= kCopyStartPatienceMs && !sys::IsProcessRunning(xPath)) return;
    sys::DelayPumping(kCopyStartPollMs);
  }
}

// The running file copied over the X_ file. When that fails, the X_ file that is there may be
// a stale copy of an older agent, or one that somebody else put there: it must not run in place
// of this one, so nothing is started.
bool WriteXCopy(const std::string& xPath) {
  if (::CopyFileA(sys::ProgramPath().c_str(), xPath.c_str(), FALSE)) {
    DebugLog("Create X_ File ");
    return true;
  }
  sys::LogFailure("StubWin.CreateAndRun_X_Exe()", xPath, ::GetLastError());
  DebugLog("X_ File not written, not started: " + xPath);
  return false;
}

}  // namespace

void CreateAndRun_X_Exe() {
  DebugLog("CreateAndRun_X_Exe() --- Start");
  const std::string tail = sys::CommandTail();
  kodebug::ConsoleProcessLine(" CreateAndRun_X_Exe-1 " + sys::GetSwitchValueIn(tail, "/_ZZ=", ""));
  if (stubglob::ThisIs_AutoUpdateProg && (!XCopyWindowExists() || WantsSecondXCopy(tail))) {
    kodebug::ConsoleProcessLine(" CreateAndRun_X_Exe-2");
    const int64_t wait = sys::GetSwitchIntIn(tail, "/WAIT=", 0);
    DebugLog("Wait " + std::to_string(wait) + " SEC");
    if (wait > 0) sys::DelayPumping(static_cast<uint32_t>(std::min<int64_t>(wait, 86400) * 1000));
    const std::string xPath = XCopyPath(sys::ProgramPath());
    if (WriteXCopy(xPath)) {
      StartXCopy(xPath, XCopyArguments(tail));
      if (!tail.empty()) WaitForXCopy(xPath);
    }
  }
  DebugLog("CreateAndRun_X_Exe() --- End");
}

bool HandleParamOK(bool xExeWasRunning) {
  DebugLog("HandleParamOK() --- Start");
  const std::string tail = sys::CommandTail();
  const std::string xPath = XCopyPath(sys::ProgramPath());
  bool posted = false;
  if (sys::FileExists(xPath)) {
    for (const ControlPost& post : ControlPostsFor(tail, xPath, xExeWasRunning)) {
      if (!post.logLine.empty()) DebugLog(post.logLine);
      posted |= sys::PostProcessMessage(xPath, true, post.message, post.wParam, post.lParam);
    }
  }
  const std::string transient = sys::GetSwitchValueIn(tail, "/TRANSIENTx=", "");
  if (!transient.empty()) au::ParseTransientFlags(transient);
  DebugLog("HandleParamOK() --- End");
  return posted;
}

}  // namespace stubwin
