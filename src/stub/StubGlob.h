// Process-wide state that start-up sets and the other units read.
#pragma once

#include <cstdint>
#include <string>

class TGFileInfo;

namespace stubglob {

// Descriptor of the running file; owned by the main routine, alive from start-up to exit.
extern TGFileInfo* OwnFileInfo;
// The running file is an auto-update agent (its package says so), not a setup stub.
extern bool ThisIs_AutoUpdateProg;
// Window class of this process and its single-instance lock.
extern std::string StubClassName;
// What the process returns to the system: the setup engine's exit code once it ran, else 0.
extern uint32_t ExitCode;

}  // namespace stubglob
