#include "sys/ScrambleText.h"

#include <gtest/gtest.h>

#include <string>

#include "sys/HexText.h"

using namespace sys;

namespace {

const char kWithZero[] = "zero\0byte and \xFF high \x80 bytes";

const std::string kTexts[] = {
    "a",
    "Hello, World",
    "http://example.invalid/notice.rtf?x=1&y=2",
    std::string(kWithZero, sizeof kWithZero - 1),
    std::string(300, 'x'),
};

TEST(ScrambleText, RoundTripGivesTheTextBack) {
  for (bool asHex : {false, true}) {
    for (const std::string& text : kTexts) {
      SCOPED_TRACE(text.substr(0, 20) + (asHex ? " hex" : ""));
      std::string scrambled = ScrambleText(text, true, asHex);
      EXPECT_NE(scrambled, text);
      EXPECT_EQ(ScrambleText(scrambled, false, asHex), text);
    }
  }
}

TEST(ScrambleText, MarksTheTextAndCarriesAPrintableKey) {
  for (int i = 0; i < 200; ++i) {
    std::string scrambled = ScrambleText("secret", true);
    ASSERT_EQ(scrambled.size(), 12u + 1u + 6u);
    EXPECT_EQ(scrambled.substr(0, 12), "Scrambled=01");
    unsigned char key = static_cast<unsigned char>(scrambled[12]);
    EXPECT_GE(key, 33);
    EXPECT_LE(key, 122);
  }
}

TEST(ScrambleText, CombinesEachCharacterWithItsPositionAndAnAlternatingKey) {
  // Key 40: "AB" becomes (1 + 40) xor 'A' and (2 - 40) xor 'B', low 8 bits.
  std::string want = std::string("Scrambled=01") + '(' + static_cast<char>(41 ^ 'A') +
                     static_cast<char>(((2 - 40) ^ 'B') & 0xFF);
  EXPECT_EQ(ScrambleTextWithKey("AB", 40), want);
  EXPECT_EQ(ScrambleTextWithKey("AB", 40, true), BytesToHex(want));
  EXPECT_EQ(ScrambleText(want, false), "AB");
}

TEST(ScrambleText, TextsAlreadyInTheWantedFormComeBackUnchanged) {
  std::string scrambled = ScrambleTextWithKey("abc", 50);
  EXPECT_EQ(ScrambleText(scrambled, true), scrambled);
  EXPECT_EQ(ScrambleText("plain", false), "plain");
  EXPECT_EQ(ScrambleText("", true), "");
  EXPECT_EQ(ScrambleText("", false, true), "");
  // Unscrambling from hexadecimal decodes even a text that was never scrambled.
  EXPECT_EQ(ScrambleText(BytesToHex("plain"), false, true), "plain");
}

TEST(ScrambleText, AMarkWithoutKeyUnscramblesToNothing) {
  EXPECT_EQ(ScrambleText("Scrambled=01", false), "");
  EXPECT_EQ(ScrambleText(std::string("Scrambled=01") + 'A', false), "");
}

}  // namespace
