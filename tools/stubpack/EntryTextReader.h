// Reads the body of one entry block, inflating it when it is a zlib stream, in pieces: only the
// name list is kept, the data is counted and checksummed as it passes. Every length is bounded,
// so a damaged or hostile package cannot make the reader allocate or loop without limit.
#pragma once

#include <cstdint>
#include <string>

#include "pack/ByteSource.h"

namespace stubpack {

// A name list longer than this is damage: file names and a date are far shorter.
constexpr uint64_t kMaxNameList = 64u << 10;
// Entry texts are at most this long once inflated (the largest entry stubpack writes plus
// its name list).
constexpr uint64_t kMaxEntryText = (64u << 20) + kMaxNameList + 1;

struct EntryText {
  bool empty = true;      // no byte at all
  std::string nameList;   // the bytes before the first byte 0
  uint64_t dataSize = 0;  // the bytes after it
  uint32_t dataCrc = 0;   // CRC-32 of those
};

// The body of bodySize bytes at offset; zlib tells how it is stored.
bool ReadEntryText(const pack::ByteSource& file, uint64_t offset, uint64_t bodySize, bool zlib,
                   EntryText& text, std::string& error);

}  // namespace stubpack
