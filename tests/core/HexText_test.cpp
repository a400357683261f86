#include "sys/HexText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace sys;

namespace {

TEST(HexText, BytesToHexWithPrefixesAndGroups) {
  const std::string bytes("\x00\x0A\xFF\x10", 4);
  EXPECT_EQ(BytesToHex(bytes), "000AFF10");
  EXPECT_EQ(BytesToHex(bytes, true), "0x000x0A0xFF0x10");
  EXPECT_EQ(BytesToHex(bytes, false, true), "00 0A FF 10 ");
  EXPECT_EQ(BytesToHex(std::string(9, '\x01'), false, true),
            "01 01 01 01 01 01 01 01  01 ");
  EXPECT_EQ(BytesToHex(""), "");
}

TEST(HexText, HexToBytesTwoDigitsAtATime) {
  struct Case {
    std::string hex, want;
  } cases[] = {
      {"000AFF10", std::string("\x00\x0A\xFF\x10", 4)},
      {"0aff", "\x0A\xFF"},
      {"414", "A"},     // a lone last digit is ignored
      {"41zz42", "A"},  // the conversion stops at a pair that is no number
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(HexToBytes(c.hex), c.want);
  }
}

TEST(HexText, ParseNumberInBaseUsesTheDigitTable) {
  struct Case {
    std::string text;
    int base;
    int64_t want;
  } cases[] = {
      {"FF", 16, 255},      {"0xff", 16, 255},   {"0X1A", 16, 26},      {"777", 8, 511},
      {"1010", 2, 10},      {"123", 10, 123},    {"8", 8, -1},          {"12 ", 10, -1},
      {"-5", 10, -1},       {"", 16, -1},        {"0x", 16, -1},        {"G", 16, -1},
      {"10", 1, -1},        {"10", 17, -1},      {"7FFFFFFFFFFFFFFF", 16, INT64_MAX},
      {"8000000000000000", 16, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " base " + std::to_string(c.base));
    EXPECT_EQ(ParseNumberInBase(c.text, c.base, -1), c.want);
  }
}

}  // namespace
