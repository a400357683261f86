// This file must contain only truly operating-system independent code.
#include "sys/ScrambleText.h"

#include <cstdint>
#include <cstring>

#include "sys/HexText.h"
#include "sys/RandomRange.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

const size_t kMarkLength = std::strlen(kScrambledMark);

// Character i (from 1) is combined with i + k, and k changes sign after every character. The
// step is its own inverse, so the same run scrambles and unscrambles.
std::string XorRun(const std::string& Body, int Key) {
  std::string out(Body);
  int64_t k = Key;
  for (size_t i = 0; i < out.size(); ++i) {
    int64_t mask = static_cast<int64_t>(i + 1) + k;
    out[i] = static_cast<char>((mask ^ static_cast<unsigned char>(out[i])) & 0xFF);
    k = -k;
  }
  return out;
}

std::string Scrambled(const std::string& Text, unsigned char Key, bool AsHex) {
  std::string result = kScrambledMark + std::string(1, static_cast<char>(Key)) + XorRun(Text, Key);
  return AsHex ? BytesToHex(result) : result;
}

std::string Unscrambled(const std::string& Text) {
  if (Text.size() <= kMarkLength) return std::string();
  int key = static_cast<unsigned char>(Text[kMarkLength]);
  return XorRun(Text.substr(kMarkLength + 1), key);
}

bool IsMarked(const std::string& Text) { return StartsWith(Text, kScrambledMark); }

}  // namespace

std::string ScrambleText(const std::string& Text, bool Scramble, bool AsHex) {
  if (Text.empty()) return Text;
  std::string text = AsHex && !Scramble ? HexToBytes(Text) : Text;
  if (IsMarked(text) == Scramble) return text;
  if (!Scramble) return Unscrambled(text);
  return Scrambled(text, static_cast<unsigned char>(RandomInRange(0, 89) + 33), AsHex);
}

std::string ScrambleTextWithKey(const std::string& Text, unsigned char Key, bool AsHex) {
  if (Text.empty() || IsMarked(Text)) return Text;
  return Scrambled(Text, Key, AsHex);
}

}  // namespace sys
