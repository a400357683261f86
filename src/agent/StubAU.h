// The auto-update agent's schedule: one timer tick, test mode, the question before a check,
// the check itself and the plain fetch of the update description.
#pragma once

namespace au {

// Reads the test-mode values of the registry when forced or after 30 seconds; the flag.
bool CheckTestMode(bool Force);
// One timer tick of an agent.
void AgentTick();
// Asks the user before a check; a refusal sets Status to 0.
void AskToCheck(int& Status);
// One check: fetch the .info file, record the time, decide, and act on a due update or notice.
void PerformShot();
// Fetches the .info file only; its result.
bool JustDownloadInfoFile();

}  // namespace au
