// Names of the volume files of a spanned package, derived from the first volume's path.
#pragma once

#include <string>

namespace pack {

// The first volume's path without a final ".001"; otherwise the whole path.
std::string UnPackBaseName(const std::string& packagePath);
// Volume k (2 and up): the base name, "." and k in three digits with leading zeros.
std::string UnPackVolumePath(const std::string& baseName, int k);
// Whether an agent copy may come from this package: its path ends with ".exe" or ".exe.001".
bool IsAgentCarrierPath(const std::string& packagePath);

}  // namespace pack
