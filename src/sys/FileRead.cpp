// This file must contain only truly operating-system independent code.
#include <limits>
#include <new>

#include "sys/Files.h"
#include "sys/Host.h"

namespace sys {
namespace {

// Bytes to read from offset in a file of size bytes: up to the end, or maxLen when it is
// smaller and not 0. 0 when offset lies outside the file.
uint64_t BytesToRead(uint64_t size, int64_t offset, size_t maxLen) {
  if (offset < 0 || static_cast<uint64_t>(offset) >= size) return 0;
  const uint64_t rest = size - static_cast<uint64_t>(offset);
  return maxLen != 0 && maxLen < rest ? maxLen : rest;
}

}  // namespace

std::string ReadFileToString(const std::string& path, size_t maxLen, int64_t offset) {
  ReadOnlyFile file(path);
  uint64_t size = 0;
  if (!file.IsOpen() || !file.Size(size)) return std::string();
  const uint64_t count = BytesToRead(size, offset, maxLen);
  std::string data;
  // A 32-bit process cannot hold every file; such a read fails like any other.
  if (count == 0 || count > data.max_size()) return std::string();
  try {
    data.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return std::string();
  }
  if (!file.ReadAt(static_cast<uint64_t>(offset), &data[0], data.size())) return std::string();
  return data;
}

}  // namespace sys
