// This file must contain only truly operating-system independent code.
#include "stub/RunMode.h"

#include "sys/UtilsText.h"

namespace stubwin {

std::string FileNameOf(const std::string& path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string WithoutLastExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool IsPlainAgentName(const std::string& exeFileName, const std::string& programExeName) {
  return sys::SameText(exeFileName, programExeName);
}

bool IsXAgentName(const std::string& exeFileName, const std::string& programExeName) {
  return sys::SameText(exeFileName, "X_" + sys::Trim(programExeName));
}

std::string XAgentClassName(const std::string& programExeName) {
  return ".AutoUpdate.X_" + WithoutLastExtension(programExeName);
}

std::string StubClassNameFor(bool isAutoUpdateProg, const std::string& exePath) {
  if (!isAutoUpdateProg) return exePath;
  return ".AutoUpdate." + WithoutLastExtension(FileNameOf(exePath));
}

bool NeedSpanCopy(bool spanCdCopyFlag, int64_t spanCdLvl) { return spanCdCopyFlag && spanCdLvl == 1; }
bool IsSpanCopy(int64_t spanCdLvl) { return spanCdLvl == 2; }

RunPlan DecideRunPlan(const RunInputs& in) {
  const std::string name = FileNameOf(in.exePath);
  const bool plainAgent = in.isAutoUpdateProg && IsPlainAgentName(name, in.programExeName);
  const bool xAgent = in.isAutoUpdateProg && IsXAgentName(name, in.programExeName);
  RunPlan plan;
  // A plain agent forwards its switches whether or not another instance runs.
  plan.handleParamOK = plainAgent;
  if (in.instanceRunning) {
    plan.branch = Branch::None;
  } else if (plainAgent) {
    plan.branch = Branch::CreateXExe;
  } else if (xAgent) {
    plan.branch = Branch::TransientAgent;
    plan.selfDelete = true;
  } else if (NeedSpanCopy(in.spanCdCopyFlag, in.spanCdLvl)) {
    plan.branch = Branch::SpanRelaunch;
  } else {
    plan.branch = Branch::MainWindow;
    plan.selfDelete = plan.selfDeleteFolder = IsSpanCopy(in.spanCdLvl);
  }
  return plan;
}

const char* BranchName(Branch branch) {
  switch (branch) {
    case Branch::None: return "None";
    case Branch::CreateXExe: return "CreateXExe";
    case Branch::TransientAgent: return "TransientAgent";
    case Branch::SpanRelaunch: return "SpanRelaunch";
    case Branch::MainWindow: return "MainWindow";
  }
  return "?";
}

}  // namespace stubwin
