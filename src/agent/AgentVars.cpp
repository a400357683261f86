// This file must contain only truly operating-system independent code.
#include "agent/AgentVars.h"

#include <algorithm>

namespace au {

AgentVars& Agent() {
  static AgentVars vars;
  return vars;
}

bool AdvanceTickCounters(AgentVars& vars) {
  vars.AgentState = 0;
  if (vars.userCheckMode == 2) vars.userCheckMode = 1;
  if (vars.userCheckMode == 1) vars.tickCount = 0;
  const bool quit = vars.stopCountdown == 0;
  if (vars.stopCountdown >= 0) --vars.stopCountdown;
  ++vars.tickCount;
  return quit;
}

void ApplySleepSwitch(AgentVars& vars, int64_t sleepX) {
  if (sleepX >= 0) vars.tickCount = static_cast<int32_t>(-std::min<int64_t>(sleepX, INT32_MAX));
}

void RequestCheck(AgentVars& vars, int32_t argument) {
  vars.force = true;
  vars.tickCount = std::max(1, vars.tickCount);
  if (argument == 2) vars.userCheckMode = 2;
}

}  // namespace au
