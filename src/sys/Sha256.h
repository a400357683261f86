// SHA-256 of byte strings and files, for the checksums published beside updates and setup files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sys {

using Sha256Digest = std::array<uint8_t, 32>;

// Feeds any number of pieces, then Finish gives the digest (the object is spent afterwards).
class Sha256 {
 public:
  Sha256();
  void Update(const void* data, size_t size);
  Sha256Digest Finish();

 private:
  void Compress(const uint8_t* block);

  std::array<uint32_t, 8> state_;
  std::array<uint8_t, 64> block_{};
  size_t blockUsed_ = 0;
  uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(const std::string& bytes);

// 64 lower-case hexadecimal digits.
std::string Sha256Text(const Sha256Digest& digest);
// A digest from 64 hexadecimal digits of either case; false for anything else.
bool ParseSha256Text(const std::string& text, Sha256Digest& digest);

}  // namespace sys
