// One block of the entry stream: a signed 32-bit little-endian Length and the body. The body is
// the entry text (name list, a byte 0, file data), as a zlib stream (Length > 0) or stored as is
// (Length <= 0, the magnitude is the size).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "PackOptions.h"

namespace stubpack {

// Item 0 is the target name (the run entry adds "*" and its parameters), item 1 the decimal
// DOS date-time.
std::string EntryNameList(const PackFile& file, uint32_t dosDate);

struct EntryBlock {
  std::string bytes;  // Length word and body, ready to write
  bool zlib = false;
};

// Encodes the entry text nameList + 0 + data[0, size) as one block.
bool EncodeEntryBlock(const std::string& nameList, const char* data, size_t size,
                      Compression compression, int level, EntryBlock& block, std::string& error);

// The size of the block that stores the entry text without compression.
inline uint64_t StoredBlockSize(size_t nameListSize, uint64_t dataSize) {
  return 4 + nameListSize + 1 + dataSize;
}

}  // namespace stubpack
