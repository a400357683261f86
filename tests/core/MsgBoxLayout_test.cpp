#include "ui/MsgBoxLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace komsgbox;

namespace {

TEST(MsgBoxMeasure, LinesAreSplitAtLineBreaksWithoutALastEmptyOne) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {" "}},
      {"one", {"one"}},
      {"one\r\ntwo", {"one", "two"}},
      {"one\r\n", {"one"}},
      {"one\r\n\r\n", {"one", ""}},
      {"\r\n", {""}},
      {"a\nb\rc", {"a\nb\rc"}},  // only CR LF breaks a line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(MeasuredLines(c.text), c.lines);
  }
}

TEST(MsgBoxMeasure, WidestLinePlusTenAtMostSixHundredAndWrappedLinesCount) {
  struct Case {
    std::vector<int> widths;
    int cx, cy;
  } cases[] = {
      {{100}, 110, 13},          // one line
      {{100, 250, 0}, 260, 39},  // the widest counts, an empty line too
      {{599}, 600, 13},          // 609 capped
      {{600}, 600, 26},          // a line of 600 already counts twice
      {{1300, 20}, 600, 52},     // three lines of 600 and one more
      {{}, 0, 0},                // nothing to measure
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cx);
    const Size size = MeasureText(c.widths, 13);
    EXPECT_EQ(size.cx, c.cx);
    EXPECT_EQ(size.cy, c.cy);
  }
}

TEST(MsgBoxMeasure, LineHeightAddsExternalLeadingAndOnePixelForMsPGothic) {
  EXPECT_EQ(LineHeight(13, 0, "Tahoma"), 13);
  EXPECT_EQ(LineHeight(13, 2, "Tahoma"), 15);
  EXPECT_EQ(LineHeight(13, 2, " ms pgothic "), 16);
  EXPECT_EQ(LineHeight(13, 0, "MS Gothic"), 13);
}

TEST(MsgBoxBoldWidth, FitHeightCountsTheEmptyLineAfterAFinalLineBreak) {
  EXPECT_EQ(FitHeight("HEADING\r\n\r\nText\r\n", 39, 13), 52);
  EXPECT_EQ(FitHeight("Text", 13, 13), 13);
  EXPECT_EQ(FitHeight("Text\r\nmore", 26, 13), 26);
  EXPECT_EQ(FitHeight("Text\n", 13, 13), 13);
}

TEST(MsgBoxBoldWidth, TakesTheFirstWidthAtWhichTheTextFits) {
  std::vector<int> tried;
  // The text fits from 230 pixels on; narrower it needs a second line.
  const int width = SearchBoldWidth(200, 26, [&tried](int w) {
    tried.push_back(w);
    return Size{w, w >= 230 ? 26 : 39};
  });
  EXPECT_EQ(width, 230);
  EXPECT_EQ(tried, (std::vector<int>{200, 210, 220, 230}));
}

TEST(MsgBoxBoldWidth, WithoutAFitTakesTheWidestRequestPlusTen) {
  int tries = 0;
  EXPECT_EQ(SearchBoldWidth(200, 26,
                            [&tries](int w) {
                              ++tries;
                              return Size{w + 5, 39};
                            }),
            415);  // 200 + 200 asked as 405
  EXPECT_EQ(tries, 21);
  // Requests narrower than the start leave the start as the widest.
  EXPECT_EQ(SearchBoldWidth(200, 26, [](int) { return Size{50, 39}; }), 210);
}

TEST(MsgBoxBoxSize, MarginsFramesAndTheMinimumWidth) {
  struct Case {
    Size control;
    int cx, cy;
  } cases[] = {
      {{23, 13}, 360, 13 + 36 + 90 + 8 + 19},              // narrow and low: wide margins
      {{199, 39}, 199 + 54 + 128 + 8, 39 + 36 + 64 + 27},  // narrow only
      {{200, 38}, 360, 38 + 36 + 90 + 27},
      {{610, 130}, 610 + 54 + 64 + 8, 130 + 36 + 64 + 27},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.control.cx) + "x" + std::to_string(c.control.cy));
    const Size box = BoxSize(c.control, 4, 4, 19);
    EXPECT_EQ(box.cx, c.cx);
    EXPECT_EQ(box.cy, c.cy);
  }
}

TEST(MsgBoxPlace, BoxCentredInTheWorkArea) {
  const Rect at = CentreIn(Rect{0, 0, 1024, 738}, Size{361, 151});
  EXPECT_EQ(at.left, 331);
  EXPECT_EQ(at.top, 293);
  const Rect shifted = CentreIn(Rect{100, 30, 800, 600}, Size{360, 150});
  EXPECT_EQ(shifted.left, 320);
  EXPECT_EQ(shifted.top, 255);
  // A box bigger than the work area: the half is truncated toward 0.
  EXPECT_EQ(CentreIn(Rect{0, 0, 300, 200}, Size{361, 200}).left, -30);
}

TEST(MsgBoxPlace, TextControlRightOfTheBandAboveTheStrip) {
  const Rect text = TextControlPlace(Size{354, 150}, Size{120, 26});
  EXPECT_EQ(text.left, 54 + (354 - 54 - 120) / 2);
  EXPECT_EQ(text.top, (150 - 36 - 26) / 2);
  EXPECT_EQ(text.width, 120);
  EXPECT_EQ(text.height, 150 - text.top - 39);
}

TEST(MsgBoxPlace, ButtonsTouchAndEndEightyFromTheRight) {
  const Size client{354, 150};
  const int lefts[] = {354 - 80 - 140, 354 - 80 - 70, 354 - 80};
  for (int i = 0; i < 3; ++i) {
    const Rect b = ButtonPlace(client, i, 3);
    EXPECT_EQ(b.left, lefts[i]);
    EXPECT_EQ(b.top, 121);
    EXPECT_EQ(b.width, 70);
    EXPECT_EQ(b.height, 23);
  }
  EXPECT_EQ(ButtonPlace(client, 0, 1).left, 274);
}

}  // namespace
