// This file must contain only truly operating-system independent code.
#include "sys/FileChunks.h"

#include <algorithm>

namespace sys {

size_t SaveChunkSize(size_t length) {
  if (length <= kSingleWriteLimit) return length;
  return std::min(length / 10, kSingleWriteLimit);
}

std::vector<size_t> SaveChunkLengths(size_t length) {
  std::vector<size_t> lengths;
  const size_t chunk = SaveChunkSize(length);
  for (size_t done = 0; done < length; done += lengths.back())
    lengths.push_back(std::min(chunk, length - done));
  return lengths;
}

}  // namespace sys
