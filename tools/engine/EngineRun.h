// One run of the setup engine, from its command line to its exit code (see Engine.cpp for what
// a run does). Win32 code.
#pragma once

namespace engine {

// Returns the process exit code.
int RunEngine();

}  // namespace engine
