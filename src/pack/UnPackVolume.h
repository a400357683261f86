// Facts about one volume file that the extraction checks before reading its stream: whether it
// passes its volume checksum, and where its package ends.
#pragma once

#include <cstdint>

#include "pack/ByteSource.h"
#include "pack/PackFormat.h"

namespace pack {

// The volume's word sum (kNoChecksum for a volume larger than kChecksumLimit) compared with the
// trailer's VolumeChecksum. An unreadable volume fails.
bool VolumePassesChecksum(const ByteSource& volume, const TPackTrailer& trailer);

// PackageEnd for a program file that has a non-zero one, otherwise the file size.
uint64_t EffectiveVolumeLength(const ByteSource& volume);

}  // namespace pack
