// The agent's variables: set by the control messages of the main window and by the agent's
// timer ticks. One agent per process; everything runs on the window's thread.
#pragma once

#include <cstdint>
#include <string>

namespace au {

struct AgentVars {
  int32_t tickCount = -3;       // checks are considered once it reaches 1 (log: AutoUpdateTimerCount)
  int32_t stopCountdown = -1;   // ticks left before the agent quits; -1: never
  int32_t userCheckMode = 0;    // 2: the user asked for a check; 1: that check runs in this tick
  bool force = false;           // the next tick checks, whatever the schedule says
  bool probingEnabled = true;   // cleared after a one-time check
  bool fetchInfoOnly = false;   // the next tick only fetches the update description
  bool busy = false;            // a tick is running
  int32_t AgentState = 0;       // 0 idle, 1 checking, 2 fetching, 3 running the update
  bool testMode = false;        // every download comes from testModeURL, never from the web
  std::string testModeURL;      // the test-mode folder: a drive or network folder
};

AgentVars& Agent();

// What one tick does with the counters before any check: the stop countdown, the user-check
// mode and the tick count. Returns true when the agent must quit after this tick.
bool AdvanceTickCounters(AgentVars& vars);

// The "/SleepX=" switch: when present and not negative, the tick count starts at minus it.
void ApplySleepSwitch(AgentVars& vars, int64_t sleepX);

// Control code 31: check now (argument 2: the user asked, so ask and tell).
void RequestCheck(AgentVars& vars, int32_t argument);

}  // namespace au
