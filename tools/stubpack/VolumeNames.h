// Names of the volume files of a spanned package. The stub derives them the same way from the
// first volume's path, so the builder must follow its rule exactly.
#pragma once

#include <string>

namespace stubpack {

// The highest volume number that three digits can write.
constexpr int kMaxVolumes = 999;

// The first volume's path without a final ".001"; otherwise the whole path.
std::string VolumeBaseName(const std::string& firstVolumePath);

// Path of volume k: the first volume itself for k = 1, else base + "." + k in three digits.
std::string VolumePath(const std::string& firstVolumePath, int k);

}  // namespace stubpack
