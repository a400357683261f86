// Run-time folders: the placeholders "<RunTimeDir_1>" to "<RunTimeDir_8>" name folders that a
// setup looks up on the target machine by rules of its own. The stub carries no such rules, so
// every run-time folder is empty and its placeholder simply disappears from an expanded text.
#pragma once

#include <string>

namespace paths {

constexpr int kRunTimeDirCount = 8;

// Run-time folder N (1 to kRunTimeDirCount), with or without a closing backslash; empty for
// every N in the stub.
std::string RunTimeDir(int N, bool Closing);

}  // namespace paths
