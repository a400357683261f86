// The size fields of the trailer: the exact total of the packed files and, for each of the eight
// cluster sizes, the room they take on a disk with that cluster size. The stub compares the entry
// for the work drive's cluster size with its free space before extracting.
#pragma once

#include <cstdint>
#include <string>

#include "pack/PackFormat.h"

namespace stubpack {

class PackTotals {
 public:
  void AddFile(uint64_t size);

  uint64_t TotalSize() const { return total_; }
  // Entry i (1 to 8): sizes rounded up per file to clusters of pack::SizeClass(i).
  uint64_t SizeOnDisk(int i) const { return onDisk_[i - 1]; }

  // Writes the nine words; false when a value exceeds the 32 bits the trailer has.
  bool StoreInto(pack::TPackTrailer& trailer, std::string& error) const;

 private:
  uint64_t total_ = 0;
  uint64_t onDisk_[8] = {};
};

}  // namespace stubpack
