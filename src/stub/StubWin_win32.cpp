// Run-mode dispatch and the hidden main window.
// This file must contain only Win32 code.
#include "stub/StubWin.h"

#include "agent/StubAU.h"
#include "pack/GFileInfo.h"
#include "stub/AgentCopies.h"
#include "stub/RunMode.h"
#include "stub/StubGlob.h"
#include "stub/StubSetup.h"
#include "sys/Files.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"

#include "sys/Switches.h"

using kodebug::DebugLog;

namespace stubwin {
namespace {

bool WindowClassExists(const std::string& className) {
  return ::FindWindowA(className.c_str(), nullptr) != nullptr;
}

}  // namespace

void DoRunStubWin() {
  DebugLog("DoRunStubWin() --- Start");
  const TGFileInfo& own = *stubglob::OwnFileInfo;
  const std::string exePath = sys::ProgramPath();
  stubglob::StubClassName = StubClassNameFor(stubglob::ThisIs_AutoUpdateProg, exePath);

  RunInputs in;
  in.isAutoUpdateProg = stubglob::ThisIs_AutoUpdateProg;
  in.exePath = exePath;
  in.programExeName = own.GetProgramExeName();
  in.spanCdCopyFlag = own.SpanCdCopy();
  in.spanCdLvl = sys::GetSwitchInt("/SpanCdLvl=", 1);

  const bool xExeIsRunning = WindowClassExists(XAgentClassName(in.programExeName));
  const std::string name = FileNameOf(exePath);
  DebugLog(std::string("X_ExeIsRunning=") + kodebug::TrueFalse(xExeIsRunning));
  DebugLog(std::string("ThisIs_Plain_AutoUpdate_Exe=") +
           kodebug::TrueFalse(in.isAutoUpdateProg && IsPlainAgentName(name, in.programExeName)));
  DebugLog(std::string("ThisIs_X_AutoUpdate_Exe=") +
           kodebug::TrueFalse(in.isAutoUpdateProg && IsXAgentName(name, in.programExeName)));

  in.instanceRunning = WindowClassExists(stubglob::StubClassName);
  const RunPlan plan = DecideRunPlan(in);
  switch (plan.branch) {
    case Branch::None:
      break;
    case Branch::CreateXExe:
      CreateAndRun_X_Exe();
      break;
    case Branch::TransientAgent:
      DebugLog("CheckTestMode");
      au::CheckTestMode(true);
      DebugLog("WinMain");
      WinMain();
      DebugLog("DeleteMySelf");
      break;
    case Branch::SpanRelaunch:
      RunSpanCopy();
      return;
    case Branch::MainWindow:
      WinMain();
      break;
  }
  if (plan.selfDelete) sys::SelfDelete(exePath, plan.selfDeleteFolder);
  if (plan.handleParamOK) HandleParamOK(xExeIsRunning);
  DebugLog("DoRunStubWin() --- End");
}

}  // namespace stubwin
