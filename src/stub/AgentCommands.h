// The numbered commands that other processes send a running agent with wm_AgentMsg: read and
// write the schedule in the .original file, set override flags, stop, or ask for a check.
#pragma once

#include <cstdint>

#include "agent/AgentVars.h"

namespace stubwin {

// Runs command with its argument; the result is the message's answer (0 for writes and
// unknown commands, the low 32 bits of the value for reads).
int32_t RunAgentCommand(uint32_t command, int32_t argument, au::AgentVars& vars);

}  // namespace stubwin
