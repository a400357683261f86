// This file must contain only truly operating-system independent code.
#include "pack/UnPackVolume.h"

#include <string>

#include "pack/GFileInfo.h"

namespace pack {
namespace {

bool ComputedChecksum(const ByteSource& volume, uint32_t trailerSize, uint32_t& sum) {
  uint64_t size = 0;
  if (!volume.Size(size)) return false;
  if (size > kChecksumLimit) {
    sum = kNoChecksum;
    return true;
  }
  std::string image(static_cast<size_t>(size), '\0');
  if (size > 0 && !volume.ReadAt(0, &image[0], image.size())) return false;
  sum = ComputeVolumeChecksum(reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                              trailerSize);
  return true;
}

}  // namespace

bool VolumePassesChecksum(const ByteSource& volume, const TPackTrailer& trailer) {
  uint32_t sum = 0;
  return ComputedChecksum(volume, trailer.TrailerSize(), sum) &&
         VolumeChecksumPasses(sum, trailer.VolumeChecksum());
}

uint64_t EffectiveVolumeLength(const ByteSource& volume) {
  if (TGFileInfo::IsPEFile(volume)) {
    const uint64_t packageEnd = TGFileInfo::ReadPackageEnd(volume);
    if (packageEnd != 0) return packageEnd;
  }
  uint64_t size = 0;
  return volume.Size(size) ? size : 0;
}

}  // namespace pack
