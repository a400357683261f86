// This file must contain only truly operating-system independent code.
#include "sys/HexText.h"

#include <limits>

#include "sys/UtilsText.h"

namespace sys {
namespace {

constexpr const char* kDigits = "0123456789ABCDEF";

// The value of digit C below Base, or -1.
int DigitOf(char C, int Base) {
  char upper = C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
  for (int value = 0; value < Base; ++value)
    if (kDigits[value] == upper) return value;
  return -1;
}

}  // namespace

std::string BytesToHex(const std::string& Bytes, bool Prefix, bool Blanks) {
  std::string hex;
  for (size_t i = 0; i < Bytes.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(Bytes[i]);
    if (Prefix) hex += "0x";
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
    if (Blanks) hex += (i + 1) % 8 == 0 ? "  " : " ";
  }
  return hex;
}

std::string HexToBytes(const std::string& Hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < Hex.size(); i += 2) {
    int high = DigitOf(Hex[i], 16);
    int low = DigitOf(Hex[i + 1], 16);
    if (high < 0 || low < 0) break;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

int64_t ParseNumberInBase(const std::string& Text, int Base, int64_t Default) {
  if (Base < 2 || Base > 16) return Default;
  std::string text = StartsWith(Text, "0x", true) ? Text.substr(2) : Text;
  if (text.empty()) return Default;
  const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t value = 0;
  for (char c : text) {
    int digit = DigitOf(c, Base);
    if (digit < 0 || value > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(Base))
      return Default;
    value = value * static_cast<uint64_t>(Base) + static_cast<uint64_t>(digit);
  }
  return static_cast<int64_t>(value);
}

}  // namespace sys
