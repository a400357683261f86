// The plain rules behind a few system services: wait steps, failure lines, developer mode and
// random ranges, and how a folder tree is taken down.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "sys/DeveloperMode.h"
#include "sys/FolderRemoval.h"
#include "sys/Pumping.h"
#include "sys/RandomRange.h"
#include "sys/SysError.h"

using namespace sys;

namespace {

TEST(PumpingStep, TenthOfTheWaitWithinOneAndTwentyFive) {
  struct Case {
    uint32_t step, ms, want;
  } cases[] = {
      {0, 100, 10}, {0, 2, 1},  {0, 0, 1},   {0, 9, 1},     {0, 19, 1},
      {0, 250, 25}, {0, 1000, 25}, {0, 249, 24}, {7, 1000, 7}, {30, 5, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.step) + "/" + std::to_string(c.ms));
    EXPECT_EQ(PumpingStep(c.step, c.ms), c.want);
  }
}

TEST(PumpDue, WhenTheIntervalHasPassedAlsoAcrossTheClocksWrap) {
  EXPECT_FALSE(PumpDue(1000, 1000, 5));
  EXPECT_FALSE(PumpDue(1000, 1004, 5));
  EXPECT_TRUE(PumpDue(1000, 1005, 5));
  EXPECT_TRUE(PumpDue(1000, 90000, 5));
  EXPECT_FALSE(PumpDue(0xFFFFFFFEu, 2, 5));  // 4 ms across the wrap
  EXPECT_TRUE(PumpDue(0xFFFFFFFEu, 3, 5));
  EXPECT_TRUE(PumpDue(7, 7, 0));
}

TEST(FailureLines, PlaceDetailAndMessage) {
  EXPECT_EQ(FailureLine("YieldX", "", "boom"), " --- YieldX --- boom");
  EXPECT_EQ(FailureLine("Utils.GetExeVersion()", "C:\\a.exe", "not found"),
            " --- Utils.GetExeVersion() --- C:\\a.exe --- not found");
  EXPECT_EQ(ValueReportLine("QueryValue", "b", "", "4"), "[QueryValue]  [b]  []  [4]");
}

TEST(DeveloperMode, OnlyExactly386) {
  struct Case {
    std::string value;
    bool on;
  } cases[] = {{"386", true}, {" 386", false}, {"386 ", false}, {"0386", false}, {"", false},
               {"486", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(IsDeveloperModeSetting(c.value), c.on);
  }
}

TEST(RandomRange, StaysWithinTheClosedRangeAndReachesBothEnds) {
  std::set<int64_t> seen;
  for (int i = 0; i < 2000; ++i) {
    int64_t n = RandomInRange(3, 7);
    ASSERT_GE(n, 3);
    ASSERT_LE(n, 7);
    seen.insert(n);
  }
  EXPECT_EQ(seen.size(), 5u);
  EXPECT_EQ(RandomInRange(5, 5), 5);
  int64_t swapped = RandomInRange(9, 8);
  EXPECT_TRUE(swapped == 8 || swapped == 9);
}

TEST(FolderRemoval, ALinkLosesOnlyItselfAndOnlyRealFoldersAreEmptied) {
  struct Case {
    const char* what;
    bool exists, isFolder, isLink;
    FolderRemoval want;
  } cases[] = {
      {"real folder", true, true, false, FolderRemoval::kEmptyThenRemove},
      {"junction or folder link", true, true, true, FolderRemoval::kRemoveLinkOnly},
      {"file", true, false, false, FolderRemoval::kNone},
      {"link to a file", true, false, true, FolderRemoval::kNone},
      {"nothing there", false, false, false, FolderRemoval::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(HowToRemoveFolder(c.exists, c.isFolder, c.isLink), c.want);
  }
}

}  // namespace
