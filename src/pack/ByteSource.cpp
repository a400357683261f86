// This file must contain only truly operating-system independent code.
#include "pack/ByteSource.h"

#include <cstring>

namespace pack {

bool MemorySource::Size(uint64_t& size) const {
  size = size_;
  return true;
}

bool MemorySource::ReadAt(uint64_t offset, void* buffer, size_t n) const {
  if (offset > size_ || n > size_ - offset) return false;
  if (n > 0) std::memcpy(buffer, data_ + offset, n);
  return true;
}

}  // namespace pack
