#include "sys/VersionText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sys;

namespace {

TEST(NormalizeVersion, PadsAndCutsToWidthAndParts) {
  struct Case {
    std::string text;
    int width, parts;
    std::string want;
  } cases[] = {
      {"1.2.3.4", 1, 4, "1.2.3.4"},
      {"2.10", 2, 2, "02.10"},
      {"1,2", 3, 4, "001.002.000.000"},
      {"1.2.3.4.5", 1, 4, "1.2.3.4"},
      {"1.2.3.4", 1, 2, "1.2"},
      {"v1.02 (beta)", 1, 3, "1.2.0"},  // letters, blanks and brackets go; leading zeros too
      {"1..3", 2, 3, "01.00.03"},       // an empty part is 0
      {"", 1, 2, "0.0"},
      {"12345.1", 3, 2, "12345.001"},   // a longer part keeps its digits
      {"99999999999999999999999.1", 1, 2, "99999999999999999999999.1"},
      {"1.2", 0, 2, "1.2"},
      {"1.2", 1, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NormalizeVersion(c.text, c.width, c.parts), c.want);
  }
}

TEST(NormalizeVersion, SameWidthAndPartsCompareAsPlainStrings) {
  std::string older = NormalizeVersion("1.9.0", 4, 4);
  std::string newer = NormalizeVersion("1,10", 4, 4);
  EXPECT_LT(older, newer);
  EXPECT_EQ(NormalizeVersion("1.10.0.0", 4, 4), newer);
}

TEST(VersionNumbers, ReadsPartsAsNumbers) {
  EXPECT_EQ(VersionNumbers("10.0.19041.1", 3), (std::vector<uint32_t>{10, 0, 19041}));
  EXPECT_EQ(VersionNumbers("6", 3), (std::vector<uint32_t>{6, 0, 0}));
  EXPECT_EQ(VersionNumbers("4294967296.4294967295", 2), (std::vector<uint32_t>{0, 4294967295u}));
  EXPECT_TRUE(VersionNumbers("1.2", 0).empty());
}

}  // namespace
