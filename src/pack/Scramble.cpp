// This file must contain only truly operating-system independent code.
#include "pack/Scramble.h"

#include "sys/Host.h"

#include <random>
#include <vector>

namespace pack {
namespace {

constexpr int kShift = 50;

int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Stops at the first pair that is not hexadecimal, as a lenient reader of the stored text would;
// whatever was read by then must still pass the checksum.
std::vector<uint8_t> UnshiftHexPairs(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int hi = HexValue(static_cast<unsigned char>(text[i] - kShift));
    int lo = HexValue(static_cast<unsigned char>(text[i + 1] - kShift));
    if (hi < 0 || lo < 0) break;
    bytes.push_back(static_cast<uint8_t>(hi << 4 | lo));
  }
  return bytes;
}

std::string RandomFailureText() {
  static std::minstd_rand generator(static_cast<uint32_t>(sys::ClockSeed()));
  return std::to_string(std::uniform_int_distribution<int>(0, 99998)(generator));
}

}  // namespace

std::string Descramble(const std::string& text) {
  std::vector<uint8_t> b = UnshiftHexPairs(text);  // b[0] is B[1] of the stored form
  const size_t n = b.size();
  if (n <= 4) return RandomFailureText();
  uint8_t sum = 0;
  for (size_t i = 0; i < n; ++i)
    if (i != n - 2) sum = static_cast<uint8_t>(sum + b[i]);
  if (sum != b[n - 2]) return RandomFailureText();
  const uint8_t key = b[0] ^ b[n - 1];
  for (size_t i = 1; i + 1 < n; ++i) b[i] ^= key;
  const size_t leading = b[1], trailing = b[2];
  if (leading + trailing + 4 > n) return RandomFailureText();
  const size_t length = n - leading - trailing - 4;
  return std::string(b.begin() + static_cast<long>(leading + 3),
                     b.begin() + static_cast<long>(leading + 3 + length));
}

std::string Scramble(const std::string& plain, uint32_t seed) {
  std::minstd_rand generator(seed | 1);
  auto next = [&] { return static_cast<uint8_t>(generator() >> 8); };
  const uint8_t leading = next() % 4, trailing = 1 + next() % 4;
  // Layout: B1, P, S, P filler, text, S filler (the last one is the checksum), Bn.
  std::vector<uint8_t> b;
  b.push_back(next());
  b.push_back(leading);
  b.push_back(trailing);
  for (int i = 0; i < leading; ++i) b.push_back(next());
  b.insert(b.end(), plain.begin(), plain.end());
  for (int i = 0; i < trailing; ++i) b.push_back(next());
  b.push_back(next());
  const uint8_t key = b.front() ^ b.back();
  for (size_t i = 1; i + 1 < b.size(); ++i) b[i] ^= key;
  uint8_t sum = 0;
  for (size_t i = 0; i < b.size(); ++i)
    if (i != b.size() - 2) sum = static_cast<uint8_t>(sum + b[i]);
  b[b.size() - 2] = sum;
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (uint8_t v : b) {
    out += static_cast<char>(kDigits[v >> 4] + kShift);
    out += static_cast<char>(kDigits[v & 15] + kShift);
  }
  return out;
}

}  // namespace pack
