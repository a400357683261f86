// The current local time for the agent's time stamps, with the milliseconds that their rounding
// needs.
// This file must contain only Win32 code.
#include "agent/AgentClock.h"
#include "sys/Platform.h"

namespace au {

LocalDateTime ClockNow() { return sys::LocalNow(); }

int64_t NowSeconds() { return SecondsSince1899(ClockNow()); }

}  // namespace au
