// Starting another program with a chosen show state, the stub's environment and current folder.
// This file must contain only Win32 code.
#pragma once

#include <string>

#include "sys/ScopedHandle.h"

namespace sys {

// Starts commandLine, shown or hidden; the process handle, or an empty one when it could not be
// started. The program is program when given, else the command line's first item (quoted when
// it may hold blanks).
ScopedKernelHandle StartProgram(std::string commandLine, bool shown, const std::string& program = "");

}  // namespace sys
