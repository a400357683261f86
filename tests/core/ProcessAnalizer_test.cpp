// Picking the main window of a process among its top-level windows.
#include "sys/ProcessAnalizer.h"

#include <gtest/gtest.h>

#include <vector>

using sys::TAnalizer;

namespace {

struct Window {
  uintptr_t handle;
  uintptr_t root;  // last window of its owner chain
  bool titled;
  bool visible;
};

TEST(TAnalizer, ScoresOwnersTitlesAndVisibility) {
  struct Case {
    const char* what;
    std::vector<Window> windows;
    std::vector<uint16_t> scores;
    uintptr_t main;
  } cases[] = {
      {"hidden owner of a visible titled window",
       {{10, 10, false, false}, {11, 10, true, true}}, {8, 3}, 10},
      {"the owned window listed first", {{11, 10, true, true}, {10, 10, false, false}}, {3, 8}, 10},
      {"one plain hidden window", {{5, 5, false, false}}, {4}, 5},
      {"equal scores: the first wins", {{7, 7, true, true}, {8, 8, true, true}}, {7, 7}, 7},
      {"owner of three", {{1, 1, false, false}, {2, 1, true, true}, {3, 1, true, true},
                          {4, 4, true, true}}, {12, 3, 3, 7}, 1},
      {"owned by another program, hidden, untitled", {{20, 99, false, false}}, {0}, 0},
      {"owned by another program, titled", {{20, 99, true, false}, {21, 99, false, true}},
       {2, 1}, 20},
      {"no windows", {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TAnalizer analizer(1234);
    for (const Window& w : c.windows) analizer.Collect(w.handle, w.root, w.titled, w.visible);
    EXPECT_EQ(analizer.Count(), static_cast<int>(c.windows.size()));
    EXPECT_EQ(analizer.Scores(), c.scores);
    EXPECT_EQ(analizer.MainWindow(), c.main);
  }
}

TEST(TAnalizer, IgnoresWindowsBeyondItsCapacity) {
  TAnalizer analizer(7);
  EXPECT_EQ(analizer.ProcessId(), 7u);
  // Every window belongs to the first: its score is the highest any full collection can reach.
  for (int i = 0; i < TAnalizer::kMaxWindows; ++i)
    ASSERT_TRUE(analizer.Collect(static_cast<uintptr_t>(i + 1), 1, true, true));
  EXPECT_FALSE(analizer.Collect(5000, 5000, true, true));
  EXPECT_EQ(analizer.Count(), TAnalizer::kMaxWindows);
  std::vector<uint16_t> scores = analizer.Scores();
  EXPECT_EQ(scores.front(), TAnalizer::kMaxWindows * 4 + 3);
  EXPECT_EQ(analizer.MainWindow(), 1u);
}

}  // namespace
