// This file must contain only truly operating-system independent code.
#include "pack/PackFormat.h"

#include <algorithm>
#include <cstring>

namespace pack {

uint32_t ReadLE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void WriteLE32(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t TPackTrailer::Word(size_t offset) const { return ReadLE32(bytes + offset); }
void TPackTrailer::SetWord(size_t offset, uint32_t value) { WriteLE32(bytes + offset, value); }
void TPackTrailer::Clear() { std::memset(bytes, 0, sizeof bytes); }

bool IsPEImage(const uint8_t* head, size_t size) {
  return size >= kPEHeaderOffset + 2 && head[0] == 'M' && head[1] == 'Z' &&
         head[kPEHeaderOffset] == 'P' && head[kPEHeaderOffset + 1] == 'E';
}

uint32_t ComputeVolumeChecksum(const uint8_t* image, size_t size, uint32_t trailerSize) {
  constexpr size_t kChunk = 4096;
  int64_t remaining = static_cast<int64_t>(size);
  size_t pos = 0;
  // A signed program file counts only up to the low PackageEnd word, from offset 512 on.
  if (IsPEImage(image, size) && size >= kPackageEndLowOffset + 4) {
    uint32_t end = ReadLE32(image + kPackageEndLowOffset);
    if (end != 0) {
      remaining = static_cast<int64_t>(end) - 512;
      pos = 512;
    }
  }
  remaining -= trailerSize;
  uint32_t sum = 0;
  for (;;) {
    size_t chunk = pos < size ? std::min(kChunk, size - pos) : 0;
    for (size_t w = 0; w + 4 <= chunk; w += 4) {
      remaining -= 4;
      if (remaining > 4) sum += ReadLE32(image + pos + w);
    }
    if (remaining > 4) sum += kNoChecksum;
    pos += chunk;
    if (chunk < kChunk) break;
  }
  return sum;
}

}  // namespace pack
