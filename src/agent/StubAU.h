// The auto-update agent: scheduling, test mode and the update cycle.
#pragma once

namespace au {

void CheckTestMode(bool forceReread);
// One timer tick of an agent.
void AgentTick();

}  // namespace au
