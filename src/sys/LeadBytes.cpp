// This file must contain only truly operating-system independent code.
#include "sys/LeadBytes.h"

namespace sys {
namespace {

// Shift-JIS leaves 0xA0-0xDF to the single-byte half-width katakana.
bool IsLeadByte932(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// GBK, Unified Hangul Code and Big5 all open their characters with 0x81-0xFE.
bool IsLeadByte81ToFE(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

}  // namespace

LeadBytePredicate LeadBytesOfCodePage(uint32_t codePage) {
  switch (codePage) {
    case 932:
      return IsLeadByte932;
    case 936:
    case 949:
    case 950:
      return IsLeadByte81ToFE;
    default:
      return nullptr;
  }
}

std::vector<bool> TrailBytes(const std::string& Text, LeadBytePredicate IsLeadByte) {
  std::vector<bool> trail(Text.size(), false);
  if (!IsLeadByte) return trail;
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (!IsLeadByte(static_cast<unsigned char>(Text[i]))) continue;
    trail[i + 1] = true;
    ++i;
  }
  return trail;
}

}  // namespace sys
