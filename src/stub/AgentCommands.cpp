// This file must contain only truly operating-system independent code.
#include "stub/AgentCommands.h"

#include "agent/TransientFlags.h"
#include "agent/UpdateFiles.h"

namespace stubwin {
namespace {

// Reads answer with the low 32 bits of the value.
int32_t Low32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

}  // namespace

int32_t RunAgentCommand(uint32_t command, int32_t argument, au::AgentVars& vars) {
  const int64_t value = argument;  // writes store the argument sign-extended
  switch (command) {
    case 4: return au::original::VersionOriginal();
    case 5: return au::info::VersionNew();
    case 7: return vars.AgentState;
    case 8: return Low32(au::original::ProbeSecondsInterval());
    case 9: return Low32(au::original::ReAskSecondsInterval());
    case 10: return Low32(au::original::ProbeSecondsLast());
    case 11: return Low32(au::original::ReAskSecondsLast());
    case 12: au::original::SetProbeSecondsInterval(value); return 0;
    case 13: au::original::SetReAskSecondsInterval(value); return 0;
    case 14: au::original::SetProbeSecondsLast(value); return 0;
    case 15: au::original::SetReAskSecondsLast(value); return 0;
    case 30: vars.stopCountdown = argument; return 0;
    case 31: au::RequestCheck(vars, argument); return 0;
    case 32: vars.fetchInfoOnly = true; return 0;
    default:
      au::SetTransientFlagByControlCode(command, value);  // 20 to 25; others do nothing
      return 0;
  }
}

}  // namespace stubwin
