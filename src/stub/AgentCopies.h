// The plain agent's transient "X_" copy, the forwarding of control switches to it, and the
// disk set's relaunch from the work folder.
#pragma once

namespace stubwin {

void CreateAndRun_X_Exe();
// xExeWasRunning: whether the "X_" copy's window existed when the process started.
// True when anything was posted.
bool HandleParamOK(bool xExeWasRunning);
void RunSpanCopy();

}  // namespace stubwin
