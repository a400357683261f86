#include "stub/AgentCopies.h"

#include "agent/NotBuiltYet.h"

namespace stubwin {

void CreateAndRun_X_Exe() { NotBuiltYet("CreateAndRun_X_Exe"); }
void HandleParamOK(bool xExeWasRunning) {
  NotBuiltYet(std::string("HandleParamOK X_ExeIsRunning=") + (xExeWasRunning ? "TRUE" : "FALSE"));
}

}  // namespace stubwin
