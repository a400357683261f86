// File and disk routines of the stub.
#pragma once

#include <string>

namespace sys {

// Starts the batch that deletes exePath once this process has ended, and its folder too when
// asked.
void SelfDelete(const std::string& exePath, bool removeFolder);

}  // namespace sys
