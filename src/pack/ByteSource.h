// Random access to the bytes of a program file, whether it is open on disk or held in memory
// (a downloaded setup file, a fuzzer's input).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sys/Host.h"

namespace pack {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual bool Size(uint64_t& size) const = 0;
  // Exactly n bytes at offset, or false.
  virtual bool ReadAt(uint64_t offset, void* buffer, size_t n) const = 0;
};

class MemorySource final : public ByteSource {
 public:
  MemorySource(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
  explicit MemorySource(const std::string& image) : MemorySource(image.data(), image.size()) {}
  bool Size(uint64_t& size) const override;
  bool ReadAt(uint64_t offset, void* buffer, size_t n) const override;

 private:
  const uint8_t* data_;
  size_t size_;
};

class FileSource final : public ByteSource {
 public:
  explicit FileSource(const std::string& path,
                      sys::ReadSharing sharing = sys::ReadSharing::kWithWriters)
      : file_(path, sharing) {}
  bool IsOpen() const { return file_.IsOpen(); }
  bool Size(uint64_t& size) const override { return file_.Size(size); }
  bool ReadAt(uint64_t offset, void* buffer, size_t n) const override {
    return file_.ReadAt(offset, buffer, n);
  }

 private:
  sys::ReadOnlyFile file_;
};

}  // namespace pack
