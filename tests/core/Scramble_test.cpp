#include "pack/Scramble.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

bool IsDecimal(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return std::stoi(s) <= 99998;
}

TEST(Scramble, KnownStoredFormDescrambles) {
  // Key byte 0 (first and last byte both 0): B = 00 01 01 FF 41 42 84 00, one leading and one
  // trailing filler byte (the trailing one is the checksum 0x84), text "AB"; digits stored +50.
  EXPECT_EQ("AB", pack::Descramble("bbbcbcxxfcfdjfbb"));
}

TEST(Scramble, EveryScrambledFormDescramblesToThePlainText) {
  const std::string plains[] = {"", "A", "TokenOfProduct42",
                                std::string("\x00\xff\x7f with bytes", 15),
                                "abcdefghijklmnopqrstuvwxyz0123456789"};
  for (const std::string& plain : plains)
    for (uint32_t seed = 0; seed < 64; ++seed) {
      const std::string stored = pack::Scramble(plain, seed);
      for (char c : stored) ASSERT_TRUE(std::islower(static_cast<unsigned char>(c))) << stored;
      ASSERT_EQ(plain, pack::Descramble(stored)) << "seed " << seed;
    }
}

TEST(Scramble, DamagedTextsGiveARandomNumberText) {
  std::string good = pack::Scramble("Token", 5);
  std::string flipped = good;
  flipped[6] = flipped[6] == 'b' ? 'c' : 'b';
  const std::string damaged[] = {"", "bbbb", "bbbbbbbb", good.substr(0, good.size() - 2), flipped,
                                 "zz" + good.substr(2), "not a token at all"};
  for (const std::string& text : damaged) EXPECT_TRUE(IsDecimal(pack::Descramble(text))) << text;
  // Two failures practically never agree, so two broken tokens never look alike.
  int equal = 0;
  for (int i = 0; i < 20; ++i) equal += pack::Descramble("") == pack::Descramble("");
  EXPECT_LT(equal, 3);
}

}  // namespace
