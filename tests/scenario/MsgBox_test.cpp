// The message box as a user meets it. This program's main thread shows the box (which runs its
// own modal loop) while a second thread drives it with the box driver, the same driver the
// scenarios of a running stub.exe use.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Artifacts.h"
#include "BoxDriver.h"
#include "Processes.h"
#include "sys/UtilsText.h"
#include "ui/KoMsgBox.h"
#include "ui/MsgBoxWindow.h"

namespace scenario {
namespace {

using namespace komsgbox;
using testkit::BoxAnswer;
using testkit::BoxReport;
using Names = std::vector<std::string>;

constexpr unsigned kBoxWaitMs = testkit::kPatienceMs;
constexpr unsigned kSettleMs = 250;

// What the driving thread saw: the box as it appeared, then after each step that left it open.
struct Driven {
  bool found = false;
  BoxReport shown;
  std::vector<BoxReport> afterSteps;
  bool gone = false;
};

struct Script {
  Script(std::vector<BoxAnswer> steps_, std::function<void(const BoxReport&)> look_ = nullptr,
         std::string imagePath_ = "")
      : steps(std::move(steps_)), look(std::move(look_)), imagePath(std::move(imagePath_)) {}
  std::vector<BoxAnswer> steps;                // the last one is to close the box
  std::function<void(const BoxReport&)> look;  // on the driving thread, box still up
  std::string imagePath;                       // a picture of the box is saved there
};

void ReadAfterStep(HWND box, Driven& out) {
  ::Sleep(kSettleMs);  // posted keys are handled in turn by the box's loop
  BoxReport now;
  testkit::ReadBox(box, now);
  out.afterSteps.push_back(now);
}

void DriveBox(const Script& script, Driven& out) {
  const HWND box = testkit::WaitForBox(kBoxWaitMs, ::GetCurrentProcessId());
  out.found = box != nullptr;
  if (!box) return;
  testkit::ReadBox(box, out.shown);
  if (script.look) script.look(out.shown);
  if (!script.imagePath.empty()) {
    ::Sleep(kSettleMs);
    testkit::SaveBoxImage(box, script.imagePath);
  }
  for (size_t i = 0; i < script.steps.size(); ++i) {
    testkit::AnswerBox(box, script.steps[i]);
    if (i + 1 < script.steps.size()) ReadAfterStep(box, out);
  }
  out.gone = testkit::WaitForBoxGone(box, testkit::kPatienceMs);
  if (!out.gone) ::PostMessageA(box, WM_CLOSE, 0, 0);  // never leave the test in the box's loop
}

// Runs show() on this thread while the script drives the box; returns show()'s result.
int ShowDriven(const std::function<int()>& show, const Script& script, Driven& out) {
  std::thread driver([&script, &out] { DriveBox(script, out); });
  const int result = show();
  driver.join();
  return result;
}

std::function<int()> Box(uintptr_t owner, const std::string& text, uint32_t flags,
                         int timeoutMs = 0, int charset = 0) {
  return [=] {
    return ShowMsgBox(owner, text, "Confirm", timeoutMs, flags, charset, kDefaultButtonTexts);
  };
}

LRESULT SendTo(HWND wnd, UINT msg) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(wnd, msg, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  return static_cast<LRESULT>(result);
}

// Width of a text in the default box font (Tahoma, 8 points).
int WidthInBoxFont(const std::string& text) {
  const HDC screen = ::GetDC(nullptr);
  const HFONT font =
      ::CreateFontA(-::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, 0, FALSE, FALSE,
                    FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
  const HGDIOBJ old = ::SelectObject(screen, font);
  SIZE extent{};
  ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
  ::SelectObject(screen, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, screen);
  return extent.cx;
}

// A top-level window of this thread to own boxes; active when made.
struct OwnerWindow {
  HWND wnd = ::CreateWindowExA(0, "Static", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300,
                               200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  OwnerWindow() {
    ::SetForegroundWindow(wnd);
    ::SetActiveWindow(wnd);
  }
  ~OwnerWindow() { ::DestroyWindow(wnd); }
};

struct FrontEndCase {
  const char* what;
  std::function<int()> show;
  BoxAnswer answer;
  const char* caption;
  Names buttons;
  int result;  // -1: the front-end returns nothing
};

TEST(MsgBox, FrontEndsShowTheirButtonsAndAnswer) {
  const std::string german = "|&OK|&Abbrechen|&Ja|&Nein|";
  const FrontEndCase cases[] = {
      {"error box",
       [] { return ErrorBox(1, "Disk full", "", 0, ""), -1; },
       BoxAnswer::Click("OK"),
       "Error",
       {"OK"},
       -1},
      {"attention box",
       [] { return AttentionBox(1, "Insert disk 2", "", 0, 0, ""), -1; },
       BoxAnswer::Key(VK_RETURN),
       "Attention",
       {"OK"},
       -1},
      {"yes",
       [] { return int{ConfirmYesNo(1, "Go on?", "", 0, 0, "")}; },
       BoxAnswer::Click("Yes"),
       "Confirm",
       {"Yes", "No"},
       1},
      {"no",
       [] { return int{ConfirmYesNo(1, "Go on?", "", 0, 0, "")}; },
       BoxAnswer::Click("&No"),
       "Confirm",
       {"Yes", "No"},
       0},
      {"Y answers Yes",
       [] { return int{ConfirmYesNo(1, "Go on?", "", 0, 0, "")}; },
       BoxAnswer::Key('Y'),
       "Confirm",
       {"Yes", "No"},
       1},
      {"Alt+N answers No",
       [] { return int{ConfirmYesNo(1, "Go on?", "", 0, 0, "")}; },
       BoxAnswer::Alt('N'),
       "Confirm",
       {"Yes", "No"},
       0},
      {"Escape on Yes/No",
       [] { return int{ConfirmYesNo(1, "Go on?", "", 0, 0, "")}; },
       BoxAnswer::Escape(),
       "Confirm",
       {"Yes", "No"},
       0},
      {"Close on Yes/No",
       [] { return int{ConfirmYesNo(1, "Go on?", "", 0, 0, "")}; },
       BoxAnswer::Close(),
       "Confirm",
       {"Yes", "No"},
       0},
      {"ok",
       [] { return int{ConfirmOkCancel(1, "Insert disk", "", 0, "")}; },
       BoxAnswer::Click("OK"),
       "Confirm",
       {"OK", "Cancel"},
       1},
      {"cancel",
       [] { return int{ConfirmOkCancel(1, "Insert disk", "", 0, "")}; },
       BoxAnswer::Click("Cancel"),
       "Confirm",
       {"OK", "Cancel"},
       0},
      {"Escape on OK/Cancel",
       [] { return int{ConfirmOkCancel(1, "Insert disk", "", 0, "")}; },
       BoxAnswer::Escape(),
       "Confirm",
       {"OK", "Cancel"},
       0},
      {"Close on OK/Cancel",
       [] { return int{ConfirmOkCancel(1, "Insert disk", "", 0, "")}; },
       BoxAnswer::Close(),
       "Confirm",
       {"OK", "Cancel"},
       0},
      {"translated",
       [german] { return int{ConfirmYesNo(1, "Weiter?", "Frage", 0, 0, german)}; },
       BoxAnswer::Alt('J'),
       "Frage",
       {"Ja", "Nein"},
       1},
  };
  for (const FrontEndCase& c : cases) {
    SCOPED_TRACE(c.what);
    Driven d;
    const int result = ShowDriven(c.show, Script{{c.answer}}, d);
    ASSERT_TRUE(d.found);
    EXPECT_TRUE(d.gone);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(d.shown.caption, c.caption);
    EXPECT_EQ(d.shown.ButtonNames(), c.buttons);
    EXPECT_EQ(d.shown.DefaultButton(), 0);
    EXPECT_TRUE(d.shown.topmost);
  }
}

TEST(MsgBox, ButtonTypesAnswerWithTheirCodes) {
  struct Case {
    uint32_t flags;
    BoxAnswer answer;
    Names buttons;
    std::vector<int> codes;
    int result;
  } cases[] = {
      {kAbortRetryIgnore, BoxAnswer::Click("Ignore"), {"Abort", "Retry", "Ignore"}, {3, 4, 5}, 5},
      {kYesNoCancel, BoxAnswer::Click("Cancel"), {"Yes", "No", "Cancel"}, {6, 7, 2}, 2},
      {kRetryCancel, BoxAnswer::Key('R'), {"Retry", "Cancel"}, {4, 2}, 4},
      {6, BoxAnswer::Escape(), {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    Driven d;
    EXPECT_EQ(ShowDriven(Box(1, "Choose", c.flags), Script{{c.answer}}, d), c.result);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.shown.ButtonNames(), c.buttons);
    std::vector<int> codes;
    for (const testkit::BoxButton& b : d.shown.buttons) codes.push_back(b.code);
    EXPECT_EQ(codes, c.codes);
  }
}

TEST(MsgBox, KeyboardChoosesMovesAndCloses) {
  const BoxAnswer enter = BoxAnswer::Key(VK_RETURN);
  struct Case {
    const char* what;
    uint32_t defaultField;
    std::vector<BoxAnswer> steps;
    int result;
  } cases[] = {
      {"N", 0, {BoxAnswer::Key('N')}, kIdNo},
      {"C", 0, {BoxAnswer::Key('C')}, kIdCancel},
      {"Alt+Y", 0, {BoxAnswer::Alt('Y')}, kIdYes},
      {"Alt+C", 0, {BoxAnswer::Alt('C')}, kIdCancel},
      {"Enter on the first", 0, {enter}, kIdYes},
      {"Enter on the second as default", 0x100, {enter}, kIdNo},
      {"Right, Enter", 0, {BoxAnswer::Key(VK_RIGHT), enter}, kIdNo},
      {"Left wraps", 0, {BoxAnswer::Key(VK_LEFT), enter}, kIdCancel},
      {"Tab, Tab", 0, {BoxAnswer::Key(VK_TAB), BoxAnswer::Key(VK_TAB), enter}, kIdCancel},
      {"Down wraps", 0x200, {BoxAnswer::Key(VK_DOWN), enter}, kIdYes},
      {"Up", 0x100, {BoxAnswer::Key(VK_UP), enter}, kIdYes},
      {"a letter of no button", 0, {BoxAnswer::Key('Z'), BoxAnswer::Escape()}, kNoChoice},
      {"Escape", 0, {BoxAnswer::Escape()}, kNoChoice},
      {"Close command", 0, {BoxAnswer::Close()}, kNoChoice},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Driven d;
    EXPECT_EQ(
        ShowDriven(Box(1, "Save changes?", kYesNoCancel | c.defaultField), Script{c.steps}, d),
        c.result);
    EXPECT_TRUE(d.gone);
  }
}

TEST(MsgBox, ArrowsMoveTheFocusAndTheDefaultStyleTogether) {
  Driven d;
  const Script script{{BoxAnswer::Key(VK_RIGHT), BoxAnswer::Key(VK_RIGHT), BoxAnswer::Key(VK_RIGHT),
                       BoxAnswer::Key(VK_LEFT), BoxAnswer::Escape()}};
  EXPECT_EQ(ShowDriven(Box(1, "Save changes?", kYesNoCancel), script, d), kNoChoice);
  ASSERT_TRUE(d.found);
  EXPECT_TRUE(d.shown.buttons[0].focused);
  const int expected[] = {1, 2, 0, 2};
  ASSERT_EQ(d.afterSteps.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(d.afterSteps[i].DefaultButton(), expected[i]);
    EXPECT_TRUE(d.afterSteps[i].buttons[expected[i]].focused);
  }
}

TEST(MsgBox, TimeOutAnswersWithTheLeftmostButton) {
  struct Case {
    const char* what;
    std::function<int()> show;
    int result;
  } cases[] = {
      {"ConfirmYesNo", [] { return int{ConfirmYesNo(1, "Go on?", "", 400, 0, "")}; }, 1},
      {"default on No", Box(1, "Go on?", kYesNo | 0x100, 400), kIdYes},
      {"Retry/Cancel", Box(1, "Again?", kRetryCancel, 400), kIdRetry},
      {"no buttons", Box(1, "Wait", 6, 400), kNoChoice},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Driven d;
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(ShowDriven(c.show, Script{{BoxAnswer::Nothing()}}, d), c.result);
    EXPECT_GE(::GetTickCount() - start, 400u);
    EXPECT_TRUE(d.gone);
  }
}

TEST(MsgBox, OwnerModesHeadingCloseCommandAndOwnerWindow) {
  struct Case {
    uintptr_t owner;
    const char* text;
    Names bold;
    int closeState;
  } cases[] = {
      {0, "CONFIRM\r\n\r\nGo on?\r\n", {"CONFIRM"}, 0},
      {1, "Go on?", {}, 0},
      {2, "Go on?", {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.owner);
    OwnerWindow owner;
    ASSERT_EQ(::GetActiveWindow(), owner.wnd);
    Driven d;
    ShowDriven(Box(c.owner, "Go on?", kYesNo), Script{{BoxAnswer::Click("Yes")}}, d);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.shown.text, c.text);
    EXPECT_EQ(d.shown.BoldTexts(), c.bold);
    EXPECT_EQ(d.shown.closeState, c.closeState);
    EXPECT_EQ(d.shown.owner, owner.wnd);
    EXPECT_FALSE(d.shown.ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(owner.wnd));
    EXPECT_EQ(::GetActiveWindow(), owner.wnd);
  }
}

TEST(MsgBox, HeadingNeedsNoWiderTextControlThanItsMeasure) {
  Driven d;
  ShowDriven(Box(0, "Go on?", kYesNo), Script{{BoxAnswer::Escape()}}, d);
  ASSERT_TRUE(d.found);
  ASSERT_EQ(d.shown.BoldTexts(), Names{"CONFIRM"});
  // Widest line plus 10, plus 10 for the control: the first width tried already fits.
  const int measured = std::max(WidthInBoxFont("CONFIRM"), WidthInBoxFont("Go on?")) + 10;
  EXPECT_EQ(d.shown.textPlace.right - d.shown.textPlace.left, measured + 10);
}

TEST(MsgBox, OwnerHandleIsTheParentThatIsDisabled) {
  OwnerWindow parent;
  OwnerWindow active;
  ASSERT_EQ(::GetActiveWindow(), active.wnd);
  Driven d;
  const auto handle = reinterpret_cast<uintptr_t>(parent.wnd);
  EXPECT_EQ(ShowDriven(Box(handle, "Go on?", kYesNo), Script{{BoxAnswer::Click("No")}}, d), kIdNo);
  ASSERT_TRUE(d.found);
  EXPECT_EQ(d.shown.owner, parent.wnd);
  EXPECT_FALSE(d.shown.ownerEnabled);
  EXPECT_EQ(d.shown.text, "Go on?");  // a handle gives no heading
  EXPECT_TRUE(::IsWindowEnabled(parent.wnd));
  EXPECT_TRUE(::IsWindowEnabled(active.wnd));
  EXPECT_EQ(::GetActiveWindow(), parent.wnd);
}

TEST(MsgBox, HebrewAndArabicReadRightToLeftWithButtonsLeftToRight) {
  struct Case {
    int charset;
    bool rightToLeft;
  } cases[] = {{177, true}, {178, true}, {0, false}, {204, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.charset);
    Driven d;
    ShowDriven(Box(1, "Go on?", kYesNo, 0, c.charset), Script{{BoxAnswer::Escape()}}, d);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.shown.textRightAligned, c.rightToLeft);
    EXPECT_EQ(d.shown.textRightToLeft, c.rightToLeft);
    ASSERT_EQ(d.shown.ButtonNames(), (Names{"Yes", "No"}));
    EXPECT_LT(d.shown.buttons[0].place.left, d.shown.buttons[1].place.left);
  }
}

TEST(MsgBox, LongLinesWrapShortTextsKeepTheMinimumWidth) {
  std::string longLine;
  for (int i = 0; i < 60; ++i) longLine += "wrapping ";
  struct Case {
    std::string text;
    int minLines;
  } cases[] = {{longLine, 3}, {"OK?", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Driven d;
    LRESULT lines = 0;
    const auto countLines = [&lines](const BoxReport& shown) {
      lines = SendTo(shown.textControl, EM_GETLINECOUNT);
    };
    ShowDriven(Box(1, c.text, kOkOnly), Script{{BoxAnswer::Escape()}, countLines}, d);
    ASSERT_TRUE(d.found);
    EXPECT_GE(lines, c.minLines);
    EXPECT_LE(d.shown.textPlace.right - d.shown.textPlace.left, 610);
    EXPECT_GE(d.shown.Width(), 360);
  }
}

TEST(MsgBox, BoldRunsAreBoldAndFitOnTheirLines) {
  const std::string text =
      "Please insert <B>DISK #2</B> and press OK<P><b>This whole line is bold, wider than its "
      "measure</b>";
  Driven d;
  LRESULT lines = 0;
  const auto countLines = [&lines](const BoxReport& shown) {
    lines = SendTo(shown.textControl, EM_GETLINECOUNT);
  };
  ShowDriven(Box(1, text, kOkCancel), Script{{BoxAnswer::Escape()}, countLines}, d);
  ASSERT_TRUE(d.found);
  const MarkedText expected = ParseMarkup(text);
  EXPECT_EQ(d.shown.text, expected.plain);
  ASSERT_EQ(d.shown.bold.size(), expected.bold.size());
  for (size_t i = 0; i < expected.bold.size(); ++i) {
    EXPECT_EQ(d.shown.bold[i].start, expected.bold[i].start);
    EXPECT_EQ(d.shown.bold[i].end, expected.bold[i].end);
  }
  EXPECT_EQ(d.shown.BoldTexts(),
            (Names{"DISK #2", "This whole line is bold, wider than its measure"}));
  EXPECT_EQ(lines, 2);  // the width search made room for the bold line
}

TEST(MsgBox, WithoutTheRichEditLibraryThePlainTextIsShown) {
  SetRichEditLibraryName("NoSuchRichEdit.dll");
  Driven d;
  ShowDriven(Box(1, "Please insert <B>DISK #2</B><P>and press OK", kOkOnly),
             Script{{BoxAnswer::Key(VK_RETURN)}}, d);
  SetRichEditLibraryName("RICHED32.DLL");
  ASSERT_TRUE(d.found);
  EXPECT_TRUE(sys::EqualsNoCase(d.shown.textClass, "Edit")) << d.shown.textClass;
  EXPECT_EQ(d.shown.text, "Please insert DISK #2\r\nand press OK");
  EXPECT_TRUE(d.shown.bold.empty());
  EXPECT_TRUE(d.gone);
}

TEST(MsgBox, FontFollowsSetMsgBoxFont) {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  struct Case {
    const char* name;
    int size;
    const char* face;
    int height;
  } cases[] = {
      {"Courier New", 12, "Courier New", -::MulDiv(12, dpi, 72)},
      {"Arial", 0, "Arial", -::MulDiv(12, dpi, 72)},  // size 0 keeps the size
      {"Tahoma", 8, "Tahoma", -::MulDiv(8, dpi, 72)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetMsgBoxFont(c.name, c.size, DEFAULT_CHARSET);
    Driven d;
    ShowDriven(Box(1, "Font", kOkOnly), Script{{BoxAnswer::Escape()}}, d);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.shown.fontFace, c.face);
    EXPECT_EQ(d.shown.fontHeight, c.height);
  }
}

TEST(MsgBox, AutoPlayIsCancelledWhileTheBoxIsUp) {
  LRESULT answer = 0;
  Driven d;
  const auto ask = [&answer](const BoxReport& shown) {
    answer = SendTo(shown.window, ::RegisterWindowMessageA("QueryCancelAutoPlay"));
  };
  ShowDriven(Box(1, "Insert disk 2", kOkCancel), Script{{BoxAnswer::Escape()}, ask}, d);
  ASSERT_TRUE(d.found);
  EXPECT_EQ(answer, 1);
}

// A box opened by a timer of the caller while another box is up keeps its own state; the
// outer box is its owner and is disabled meanwhile.
int InnerResult = -1;

void CALLBACK ShowInnerBox(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  InnerResult = ShowMsgBox(1, "Inner", "Inner", 0, kYesNo, 0, kDefaultButtonTexts);
}

TEST(MsgBox, BoxOpenedFromInsideAnotherBoxKeepsItsOwnAnswer) {
  InnerResult = -1;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, ShowInnerBox);
  ASSERT_NE(timer, 0u);
  bool outerDisabledMeanwhile = false;
  std::thread driver([&outerDisabledMeanwhile] {
    const DWORD start = ::GetTickCount();
    HWND inner = nullptr;
    while (!(inner = ::FindWindowA("KoMsgBox", "Inner")) && ::GetTickCount() - start < kBoxWaitMs)
      ::Sleep(20);
    const HWND outer = ::FindWindowA("KoMsgBox", "Outer");
    ::Sleep(kSettleMs);
    outerDisabledMeanwhile = outer && !::IsWindowEnabled(outer);
    testkit::AnswerBox(inner, BoxAnswer::Key('N'));
    testkit::WaitForBoxGone(inner, testkit::kPatienceMs);
    ::Sleep(kSettleMs);
    testkit::AnswerBox(outer, BoxAnswer::Key('Y'));
  });
  const int outerResult = ShowMsgBox(1, "Outer", "Outer", 0, kYesNo, 0, kDefaultButtonTexts);
  driver.join();
  EXPECT_EQ(InnerResult, kIdNo);
  EXPECT_EQ(outerResult, kIdYes);
  EXPECT_TRUE(outerDisabledMeanwhile);
}

// A quit request while the box is up ends the box without a choice and is left for the caller's
// own loop. The request comes once the box has been seen, however long it took to appear.
TEST(MsgBox, QuitRequestEndsTheBoxAndStaysQueued) {
  const DWORD boxThread = ::GetCurrentThreadId();
  const auto requestQuit = [boxThread](const BoxReport&) {
    ::PostThreadMessageA(boxThread, WM_QUIT, 7, 0);
  };
  Driven d;
  EXPECT_EQ(ShowDriven(Box(1, "Go on?", kYesNo), Script{{BoxAnswer::Nothing()}, requestQuit}, d),
            kNoChoice);
  EXPECT_TRUE(d.found);
  EXPECT_TRUE(d.gone);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(MsgBox, PicturesOfAnErrorBoxAndOfAYesNoBoxWithBoldText) {
  struct Case {
    const char* file;
    std::function<int()> show;
  } cases[] = {
      {"msgbox-error.bmp",
       [] {
         ErrorBox(0, "The setup file could not be read completely.<P>Please download it again.", "",
                  0, "");
         return 0;
       }},
      {"msgbox-yesno-bold.bmp",
       [] {
         return int{ConfirmYesNo(0,
                                 "<b>Internet download</b><P>The setup file will be downloaded "
                                 "now.<P><P>Size:<T><b>12.5 MB</b><P>Continue with setup?",
                                 "", 0, 0, "")};
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = testkit::ArtifactPath(c.file);
    ::DeleteFileA(path.c_str());
    Driven d;
    ShowDriven(c.show, Script{{BoxAnswer::Escape()}, nullptr, path}, d);
    ASSERT_TRUE(d.found);
    const std::string image = testkit::ReadWholeFile(path);
    const size_t rowBytes = (d.shown.Width() * 3 + 3) & ~3u;
    EXPECT_EQ(image.size(), 54 + rowBytes * d.shown.Height());
    EXPECT_EQ(image.substr(0, 2), "BM");
  }
}

}  // namespace
}  // namespace scenario
