#include "agent/InformLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "agent/InformAddress.h"

using namespace au;

namespace {

void ExpectRect(const InformRect& got, int left, int top, int width, int height) {
  EXPECT_EQ(got.left, left);
  EXPECT_EQ(got.top, top);
  EXPECT_EQ(got.width, width);
  EXPECT_EQ(got.height, height);
}

TEST(InformLayout, TextFillsTheClientFromXThreeDownToTheFooterOrTheBottom) {
  struct Case {
    int cx, cy;
    bool footer;
    int width, height;
  } cases[] = {
      {354, 326, true, 351, 283},
      {354, 326, false, 351, 326},
      {3, 43, true, 0, 0},   // nothing left for the text
      {1, 20, true, 0, 0},   // a window made smaller still: never negative
      {0, 0, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cx) + "x" + std::to_string(c.cy));
    ExpectRect(InformTextPlace(c.cx, c.cy, c.footer), 3, 0, c.width, c.height);
  }
}

TEST(InformLayout, ButtonIsCentredThirtyThreeAboveTheBottom) {
  struct Case {
    int cx, cy, left, top;
  } cases[] = {
      {354, 326, 97, 293},
      {355, 326, 97, 293},  // the half pixel is dropped
      {600, 400, 220, 367},
      {159, 100, 0, 67},    // (159 - 160) / 2 rounds toward zero
      {100, 100, -30, 67},  // narrower than the button: it overhangs both sides alike
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cx);
    ExpectRect(InformButtonPlace(c.cx, c.cy), c.left, c.top, 160, 25);
  }
}

TEST(InformLayout, FooterLineLiesFortyThreeAboveTheBottomJustBelowTheText) {
  EXPECT_EQ(InformFooterLineY(326), 283);
  const InformRect text = InformTextPlace(354, 326, true);
  EXPECT_EQ(text.top + text.height, InformFooterLineY(326));
  // The button stands inside the strip below the line.
  EXPECT_GT(InformButtonPlace(354, 326).top, InformFooterLineY(326));
}

TEST(InformLayout, WindowIsCentredAtTheSizeAskedKeptOnTheScreen) {
  struct Case {
    int screenW, screenH, w, h;
    int left, top, width, height;
  } cases[] = {
      {1024, 768, 360, 360, 332, 204, 360, 360},
      {1024, 768, 361, 359, 331, 204, 361, 359},  // halves rounded toward zero
      {1024, 768, 5000, 300, 0, 234, 1024, 300},  // wider than the screen
      {1024, 768, 400, 90000, 312, 0, 400, 768},  // higher than the screen
      {1024, 768, 0, -7, 412, 324, 200, 120},     // nothing or less: the smallest usable
      {150, 100, 360, 360, 0, 0, 150, 100},       // a screen smaller than the smallest window
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    ExpectRect(InformWindowPlace(c.screenW, c.screenH, c.w, c.h), c.left, c.top, c.width,
               c.height);
  }
}

TEST(InformLayout, TextFaceIsVerdanaUnlessAnotherFaceThanTahomaIsNamed) {
  struct Case {
    const char* fontName;
    const char* face;
  } cases[] = {
      {"", "Verdana"},         {"Tahoma", "Verdana"}, {"Arial", "Arial"},
      {"tahoma", "tahoma"},    // compared exactly
      {"Tahoma ", "Tahoma "},  // as written
      {"MS PGothic", "MS PGothic"},
  };
  for (const Case& c : cases) EXPECT_EQ(InformTextFace(c.fontName), c.face) << c.fontName;
}

TEST(InformAddress, OnlyWebAddressesAreOpened) {
  struct Case {
    std::string address;
    std::string opened;
  } cases[] = {
      {"http://example.com/news", "http://example.com/news"},
      {"  HTTPS://example.com/a?b=1&c=%20  ", "HTTPS://example.com/a?b=1&c=%20"},
      {"http://h", "http://h"},
      {"", ""},
      {"   ", ""},
      {"http://", ""},                   // no host
      {"http:///etc/passwd", ""},        // no host either
      {"https:example.com", ""},
      {"ftp://example.com/x", ""},
      {"file:///C:/Windows/System32/calc.exe", ""},
      {"C:\\Windows\\System32\\calc.exe", ""},
      {"\\\\server\\share\\run.exe", ""},
      {"javascript:alert(1)", ""},
      {"mailto:someone@example.com", ""},
      {"http://example.com/a b", ""},    // a blank would end the browser's argument
      {"http://x\" --new-profile \"", ""},  // and so would a quote
      {"http://example.com/\tx", ""},
      {"http://example.com/\x7F", ""},
      {"http://b\xE9r.example/", ""},   // not ASCII: must come percent-encoded
      {"httpx://example.com", ""},
      // Without a scheme: a web address all the same.
      {"www.example.com/news?id=4", "http://www.example.com/news?id=4"},
      {" example.com ", "http://example.com"},
      {"www.example.com:8080/a", "http://www.example.com:8080/a"},  // a port, not a scheme
      {"localhost:8080", "http://localhost:8080"},
      {"www.example.com/a b", ""},
      {"www.example.com/\"x", ""},
      {"/etc/passwd", ""},         // no host name in front
      {"..\\run.exe", ""},
      {"C:/Windows/notepad.exe", ""},
      {"ms-settings:display", ""},
      {"vbscript:msgbox(1)", ""},
      {"shell:startup", ""},
      {"http:example.com", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(OpenableWebAddress(c.address), c.opened);
    EXPECT_EQ(IsOpenableWebAddress(c.address), !c.opened.empty() && c.opened == c.address);
  }
}

TEST(InformAddress, ANoticeCountsAsShownUnlessItHasNothingAtAll) {
  struct Case {
    bool body;
    std::string address;
    au::NoticeShow show;
    std::string opened;
    bool shown;
  } cases[] = {
      {true, "http://example.com/n", au::NoticeShow::kWindow, "http://example.com/n", true},
      {true, "www.example.com/n", au::NoticeShow::kWindow, "http://www.example.com/n", true},
      {true, "mailto:a@example.com", au::NoticeShow::kWindow, "", true},  // no button
      {true, "", au::NoticeShow::kWindow, "", true},
      {false, " https://example.com/n ", au::NoticeShow::kOpen, "https://example.com/n", true},
      {false, "example.com/n", au::NoticeShow::kOpen, "http://example.com/n", true},
      {false, "file:///C:/Windows/notepad.exe", au::NoticeShow::kRefused, "", true},
      {false, "javascript:alert(1)", au::NoticeShow::kRefused, "", true},
      {false, "", au::NoticeShow::kNothing, "", false},
      {false, "  ", au::NoticeShow::kNothing, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.body ? "text, " : "no text, ") + c.address);
    const au::NoticePlan plan = au::PlanNotice(c.body, c.address);
    EXPECT_EQ(c.show, plan.show);
    EXPECT_EQ(c.opened, plan.address);
    EXPECT_EQ(c.shown, plan.countsAsShown);
  }
}

}  // namespace
