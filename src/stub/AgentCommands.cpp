// This file must contain only truly operating-system independent code.
#include "stub/AgentCommands.h"

namespace stubwin {

int32_t RunAgentCommand(uint32_t command, int32_t argument, stubau::AgentVars& vars) {
  switch (command) {
    case 7:
      return vars.AgentState;
    case 30:
      vars.stopCountdown = argument;
      return 0;
    case 31:
      stubau::RequestCheck(vars, argument);
      return 0;
    case 32:
      vars.fetchInfoOnly = true;
      return 0;
    default:
      return 0;
  }
}

}  // namespace stubwin
