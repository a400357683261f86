// This file must contain only truly operating-system independent code.
#include "PackReport.h"

namespace stubpack {

uint64_t PackageReport::CountedTotalSize() const {
  uint64_t total = 0;
  for (const FileReport& file : files) total += file.size;
  return total;
}

const VolumeReport* PackageReport::FirstFailingVolume() const {
  for (const VolumeReport& volume : volumes)
    if (!volume.checksumPasses) return &volume;
  return nullptr;
}

}  // namespace stubpack
