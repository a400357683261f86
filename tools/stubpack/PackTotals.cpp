// This file must contain only truly operating-system independent code.
#include "PackTotals.h"

namespace stubpack {

void PackTotals::AddFile(uint64_t size) {
  total_ += size;
  for (int i = 1; i <= 8; ++i) {
    const uint64_t cluster = pack::SizeClass(i);
    onDisk_[i - 1] += (size + cluster - 1) / cluster * cluster;
  }
}

bool PackTotals::StoreInto(pack::TPackTrailer& trailer, std::string& error) const {
  // SizeOnDisk 8 is the largest of all, so checking it covers the others.
  if (onDisk_[7] > UINT32_MAX) {
    error = "the packed files need " + std::to_string(onDisk_[7]) +
            " bytes on disk, more than the 4294967295 that the package can record";
    return false;
  }
  trailer.SetWord(pack::at::TotalSize, static_cast<uint32_t>(total_));
  for (int i = 1; i <= 8; ++i)
    trailer.SetWord(pack::at::SizeOnDisk + 4 * static_cast<size_t>(i - 1),
                    static_cast<uint32_t>(onDisk_[i - 1]));
  return true;
}

}  // namespace stubpack
