// This file must contain only truly operating-system independent code.
#include "VolumeNames.h"

#include <cstdio>

namespace stubpack {

std::string VolumeBaseName(const std::string& firstVolumePath) {
  const std::string ending = ".001";
  const size_t n = firstVolumePath.size();
  if (n >= ending.size() && firstVolumePath.compare(n - ending.size(), ending.size(), ending) == 0)
    return firstVolumePath.substr(0, n - ending.size());
  return firstVolumePath;
}

std::string VolumePath(const std::string& firstVolumePath, int k) {
  if (k <= 1) return firstVolumePath;
  char number[16];
  std::snprintf(number, sizeof number, ".%03d", k);
  return VolumeBaseName(firstVolumePath) + number;
}

}  // namespace stubpack
