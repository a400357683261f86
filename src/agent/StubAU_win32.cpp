#include "agent/StubAU.h"

#include "stub/NotBuiltYet.h"

namespace stubau {

void CheckTestMode(bool forceReread) {
  NotBuiltYet(std::string("CheckTestMode force=") + (forceReread ? "TRUE" : "FALSE"));
}

void AgentTick() {
  // Ticks come every second; say it once rather than flood the log.
  static bool said = false;
  if (!said) NotBuiltYet("AgentTick");
  said = true;
}

}  // namespace stubau
