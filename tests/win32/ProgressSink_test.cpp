// The main window's bars as the shared progress reporter moves them.
#include <gtest/gtest.h>

#include "sys/Platform.h"

#include <commctrl.h>

#include "stub/ProgressSink.h"
#include "ui/KoProgBar.h"

namespace {

class ProgressBars : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    parent_ = ::CreateWindowExA(0, "Static", "", WS_OVERLAPPED, 0, 0, 500, 100, nullptr, nullptr,
                                nullptr, nullptr);
    main_ = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 392, 13, parent_, nullptr,
                              nullptr, nullptr);
    activity_ = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 20, 46, 13, parent_,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(main_ && activity_);
  }
  void TearDown() override { ::DestroyWindow(parent_); }

  static int Pos(HWND bar) { return static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0)); }
  static int High(HWND bar) { return static_cast<int>(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0)); }

  HWND parent_ = nullptr, main_ = nullptr, activity_ = nullptr;
};

TEST_F(ProgressBars, RangeThenStepsMoveTheMainBarAndCycleTheActivityBar) {
  koprogbar::TProgBar bar([this](int32_t kind, int32_t max, const std::string&, int32_t step,
                                 int32_t position) {
    stubwin::MoveProgressBars(main_, activity_, kind, max, step, position);
  });
  bar.SetRange(1, 70000);  // more than 16 bits of steps still show
  EXPECT_EQ(70000, High(main_));
  EXPECT_EQ(1, Pos(main_));
  EXPECT_EQ(5, High(activity_));
  const int expected[] = {1, 2, 3, 4, 5, 0, 1};
  for (int i = 0; i < 7; ++i) {
    bar.Step("text");
    EXPECT_EQ(2 + i, Pos(main_));
    EXPECT_EQ(expected[i], Pos(activity_)) << "step " << i + 1;
  }
}

TEST(ActivityBar, CyclesThroughFiveThenZero) {
  int position = 0;
  std::string seen;
  for (int i = 0; i < 12; ++i) seen += std::to_string(position = stubwin::NextActivityPosition(position));
  EXPECT_EQ("123450123450", seen);
}

}  // namespace
