// The four-part file version of a program file, read from its version resource.
#pragma once

#include <string>

namespace sys {

// "major.minor.release.build", or an empty text when the file has no version resource.
std::string GetExeVersion(const std::string& path);

}  // namespace sys
