// How a byte string is cut into writes when it is saved: large buffers go to the system in
// pieces, so that no single call carries a very large buffer.
#pragma once

#include <cstddef>
#include <vector>

namespace sys {

// Up to this length a byte string is written in one call.
constexpr size_t kSingleWriteLimit = 1048576;

// Length of each write when saving length bytes: the whole length up to 1 MiB; above that a
// tenth of the length, but at most 1 MiB.
size_t SaveChunkSize(size_t length);

// The successive write lengths that save length bytes when every write is complete: chunks of
// SaveChunkSize, the last one holding what remains. Empty for 0 bytes.
std::vector<size_t> SaveChunkLengths(size_t length);

}  // namespace sys
