// How the stub decides what it is: a setup, a disk set that relaunches itself, a plain
// auto-update agent, its transient "X_" copy, or a second instance that must stay quiet.
// Everything here is a pure function of the package flags, the file name and the switches.
#pragma once

#include <cstdint>
#include <string>

namespace stubwin {

// Running file's name equals the agent program name (blanks trimmed, case ignored).
bool IsPlainAgentName(const std::string& exeFileName, const std::string& programExeName);
// Running file's name equals "X_" followed by the agent program name.
bool IsXAgentName(const std::string& exeFileName, const std::string& programExeName);

// The window class that the transient copy of the agent registers: a window of this class is
// how a plain agent knows its copy is running.
std::string XAgentClassName(const std::string& programExeName);
// The window class of this process, also its single-instance lock: the full path for a setup
// stub, ".AutoUpdate." and the file name without its last extension for an agent.
std::string StubClassNameFor(bool isAutoUpdateProg, const std::string& exePath);

// "/SpanCdLvl=" as the stub reads it: absent or not a number counts as 1.
bool NeedSpanCopy(bool spanCdCopyFlag, int64_t spanCdLvl);
bool IsSpanCopy(int64_t spanCdLvl);

enum class Branch {
  None,            // another instance of this file or agent name runs: do nothing
  CreateXExe,      // plain agent: start the transient copy
  TransientAgent,  // the "X_" copy: test mode, main window, then remove itself
  SpanRelaunch,    // disk set: copy itself to the work folder and start the copy
  MainWindow,      // setup stub, span copy or an agent under another name
};

struct RunInputs {
  bool isAutoUpdateProg = false;
  std::string exePath;         // full path of the running file
  std::string programExeName;  // the package's agent program name
  bool spanCdCopyFlag = false;
  int64_t spanCdLvl = 1;
  bool instanceRunning = false;  // a window of the stub's class already exists
};

struct RunPlan {
  Branch branch = Branch::MainWindow;
  bool selfDelete = false;          // start the self-removal batch when the branch is done
  bool selfDeleteFolder = false;    // ... and remove the running file's folder with it
  bool handleParamOK = false;       // forward control switches to the transient copy
};

RunPlan DecideRunPlan(const RunInputs& in);
const char* BranchName(Branch branch);

// The file-name part of a Windows or POSIX path.
std::string FileNameOf(const std::string& path);
// A file name without its last extension ("X_Tool.Agent.exe" gives "X_Tool.Agent").
std::string WithoutLastExtension(const std::string& name);

}  // namespace stubwin
