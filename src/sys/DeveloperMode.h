// Developer mode: the environment variable "DVX" set to "386" on a developer's machine makes
// some messages add internal details.
#pragma once

#include <string>

namespace sys {

// Whether a value of "DVX" switches developer mode on: exactly "386".
bool IsDeveloperModeSetting(const std::string& Value);

// Win32: the process environment's "DVX", read once.
bool IsDeveloperMode();

}  // namespace sys
