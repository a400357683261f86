// Writes a package: the stub program, the header strings, the entry stream and the trailer, over
// one or more volume files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PackOptions.h"

namespace stubpack {

struct PackResult {
  // A disk set that runs from a copy: the file the user starts, the stub with the header strings
  // and no entries; the volumes are then named after it with ".001", ".002" and so on.
  std::string launcherPath;
  std::vector<std::string> volumePaths;
  uint32_t filesCount = 0;
  uint64_t totalSize = 0;
  size_t entryCount = 0;
};

// On failure the volume files written so far are removed and error says why.
bool WritePackage(const PackOptions& options, PackResult& result, std::string& error);

}  // namespace stubpack
