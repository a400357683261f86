// This file must contain only truly operating-system independent code.
#include <cstdlib>
#include <limits>

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

// Whether a block of n bytes can be had from the heap now. The program has one thread, so the
// block freed here is there for the string that takes it next; a file too large for the address
// space then fails like any other read instead of ending the program.
bool HeapCanHold(size_t n) {
  // volatile: the compiler may otherwise drop the pair of calls and take the block as had.
  void* volatile probe = std::malloc(n);
  const bool had = probe != nullptr;
  std::free(probe);
  return had;
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
  if (!HeapCanHold(static_cast<size_t>(count))) return std::string();
  data.resize(static_cast<size_t>(count));
  if (!file.ReadAt(static_cast<uint64_t>(offset), &data[0], data.size())) return std::string();
  return data;
}

}  // namespace sys
