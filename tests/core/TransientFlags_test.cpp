#include "agent/TransientFlags.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

const std::string kAllKeyDecides = "|255|255|255|255|255|255|255|255|";

class TransientFlags : public ::testing::Test {
 protected:
  void SetUp() override { au::ResetTransientFlags(); }
  void TearDown() override { au::ResetTransientFlags(); }

  static void Fill(uint8_t value) {
    for (int i = 0; i < au::kTransientFlagCount; ++i) au::SetTransientFlag(i, value);
  }
};

TEST_F(TransientFlags, StartWithTheKeysDeciding) {
  EXPECT_EQ(kAllKeyDecides, au::FormatTransientFlags());
  for (int i = 0; i < au::kTransientFlagCount; ++i) {
    EXPECT_EQ(255, au::GetTransientFlag(i));
    EXPECT_FALSE(au::TransientFlagOverrides(i));
  }
  EXPECT_FALSE(au::AskBeforeCheck());
}

TEST_F(TransientFlags, SingleBytesByIndexOnly) {
  au::SetTransientFlag(au::tfAskBeforeCheck, 1);
  au::SetTransientFlag(au::tfRequestConfirmationBeforeInstallForce, 0);
  au::SetTransientFlag(-1, 9);
  au::SetTransientFlag(8, 9);
  EXPECT_EQ("|1|255|255|255|255|255|255|0|", au::FormatTransientFlags());
  EXPECT_EQ(255, au::GetTransientFlag(-1));
  EXPECT_EQ(255, au::GetTransientFlag(8));
}

TEST_F(TransientFlags, ControlCodes20To25SetBytes0To5ToTheLowByte) {
  struct Case {
    uint32_t code;
    int64_t argument;
    std::string list;
  } cases[] = {
      {20, 1, "|1|255|255|255|255|255|255|255|"},    {21, 1, "|255|1|255|255|255|255|255|255|"},
      {22, 0, "|255|255|0|255|255|255|255|255|"},    {23, 257, "|255|255|255|1|255|255|255|255|"},
      {24, -1, "|255|255|255|255|255|255|255|255|"}, {24, -256, "|255|255|255|255|0|255|255|255|"},
      {25, 2, "|255|255|255|255|255|2|255|255|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " " + std::to_string(c.argument));
    au::ResetTransientFlags();
    EXPECT_TRUE(au::SetTransientFlagByControlCode(c.code, c.argument));
    EXPECT_EQ(c.list, au::FormatTransientFlags());
  }
  for (uint32_t other : {0u, 19u, 26u, 31u, 0xFFFFFFFFu}) {
    au::ResetTransientFlags();
    EXPECT_FALSE(au::SetTransientFlagByControlCode(other, 0)) << other;
    EXPECT_EQ(kAllKeyDecides, au::FormatTransientFlags()) << other;
  }
}

TEST_F(TransientFlags, OverrideReplacesTheKeyUnless255) {
  struct Case {
    uint8_t byte;
    bool key;
    bool flag;
  } cases[] = {
      {255, true, true}, {255, false, false}, {0, true, false}, {0, false, false},
      {1, false, true},  {1, true, true},     {2, true, false}, {254, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.byte) + (c.key ? " key 1" : " key 0"));
    au::SetTransientFlag(au::tfRestartProcess, c.byte);
    EXPECT_EQ(c.flag, au::ApplyTransientFlag(au::tfRestartProcess, c.key));
    EXPECT_EQ(c.byte != 255, au::TransientFlagOverrides(au::tfRestartProcess));
  }
}

// AskBeforeCheck has no key: only the byte 1 makes it true, 255 included.
TEST_F(TransientFlags, AskBeforeCheckOnlyWhenByteIsOne) {
  for (int byte : {0, 1, 2, 255}) {
    au::SetTransientFlag(au::tfAskBeforeCheck, static_cast<uint8_t>(byte));
    EXPECT_EQ(byte == 1, au::AskBeforeCheck()) << byte;
  }
}

TEST_F(TransientFlags, ParseLeavesEmptyAndNonNumericItemsAlone) {
  Fill(7);
  au::ParseTransientFlags("|0||1|x|1|0|1|0|");
  EXPECT_EQ("|0|7|1|7|1|0|1|0|", au::FormatTransientFlags());
}

TEST_F(TransientFlags, ParseStoresTheLowEightBits) {
  au::ParseTransientFlags("|256|-1|511|$10|0x20| 3 |1000|-255|");
  EXPECT_EQ("|0|255|255|16|32|3|232|1|", au::FormatTransientFlags());
}

TEST_F(TransientFlags, ParseTakesOnlyTheItemsThatExist) {
  struct Case {
    std::string text;
    std::string after;
  } cases[] = {
      {"", "|7|7|7|7|7|7|7|7|"},
      {"|1|0|1", "|7|7|7|7|7|7|7|7|"},  // not closed: no items at all
      {"|1|0|", "|1|0|7|7|7|7|7|7|"},
      {"|1|1|1|1|1|1|1|1|0|0|", "|1|1|1|1|1|1|1|1|"},  // a ninth item has no byte
      {"*1*0*255*2*3*4*5*6*", "|1|0|255|2|3|4|5|6|"},  // a list keeps its own delimiter
      {"|1 2|++1|1.0|", "|7|7|7|7|7|7|7|7|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Fill(7);
    au::ParseTransientFlags(c.text);
    EXPECT_EQ(c.after, au::FormatTransientFlags());
  }
}

TEST_F(TransientFlags, FormattedListParsesBackToTheSameBytes) {
  const uint8_t bytes[] = {1, 0, 255, 2, 128, 9, 1, 0};
  for (int i = 0; i < au::kTransientFlagCount; ++i) au::SetTransientFlag(i, bytes[i]);
  const std::string list = au::FormatTransientFlags();
  EXPECT_EQ("|1|0|255|2|128|9|1|0|", list);
  au::ResetTransientFlags();
  au::ParseTransientFlags(list);
  for (int i = 0; i < au::kTransientFlagCount; ++i) EXPECT_EQ(bytes[i], au::GetTransientFlag(i));
}

}  // namespace
