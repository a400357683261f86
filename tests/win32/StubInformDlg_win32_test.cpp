// The notice of a publication on real files, real INI functions, the real shell and real
// windows: PerformAutoInform fetches it from the test-mode folder and shows it while a second
// thread reads the window, resizes it, presses its button or closes it. The shell opens web
// addresses through a handler that this test program registers for "http" in Wine's registry:
// a copy of itself that writes down the address it was given.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../core/AgentFilesScope.h"
#include "../core/AgentPackageImage.h"
#include "Artifacts.h"
#include "HttpHandler.h"
#include "BoxDriver.h"
#include "Processes.h"
#include "TestServers.h"
#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/AutoInform.h"
#include "agent/InformLayout.h"
#include "agent/StubInformDlg.h"
#include "agent/UpdateDecision.h"
#include "agent/UpdateFiles.h"
#include "agent/UpdateFilesIni.h"
#include "pack/GFileInfo.h"
#include "pack/Scramble.h"
#include "sys/Platform.h"
#include "sys/ScrambleText.h"
#include "sys/UtilsText.h"

#include <richedit.h>  // after the system headers it builds on

namespace {

const char kToken[] = "PRODUCTTOKEN0123456789ABCDEFGHIJ";
const char kAddress[] = "http://news.example.invalid/tool?v=4&lang=en";
const char kBody[] =
    "Version 4 of Tool is out. It opens projects twice as fast, reads the files of every "
    "earlier version and brings a new report window.\r\n\r\nPress the button below to read "
    "what else has changed.";

// ---- What the agent does around the notice ---------------------------------------------------

struct Notification {
  unsigned code;
  intptr_t value;
  int32_t agentState;
  bool operator==(const Notification& other) const {
    return code == other.code && value == other.value && agentState == other.agentState;
  }
};

class RecordingHost : public au::AgentHost {
 public:
  void NotifyListener(unsigned code, intptr_t value) override {
    notifications.push_back(Notification{code, value, au::Agent().AgentState});
  }
  std::vector<Notification> notifications;
};

// ---- Reading the window ------------------------------------------------------------------------

// The window as a user sees it, read from the driving thread.
struct InformView {
  testkit::BoxReport report;  // caption, frame, client, text control and its place, buttons
  std::string textFace;
  COLORREF footerRow = CLR_INVALID;  // just left of the text control, on the footer line's row
  COLORREF stripRow = CLR_INVALID;   // the same column, 20 pixels above the bottom
};

COLORREF Nearest(HDC dc, int colourIndex) {
  return ::GetNearestColor(dc, ::GetSysColor(colourIndex));
}

// Waits until the window has painted the column left of its text control, then reads two pixels
// of it: the line and the strip when there is a footer, the white text area otherwise.
void ReadFooter(HWND wnd, bool footerExpected, InformView& view) {
  const int height = view.report.client.cy;
  const int lineY = au::InformFooterLineY(height);
  const HDC dc = ::GetDC(wnd);
  const COLORREF painted = Nearest(dc, footerExpected ? COLOR_3DDKSHADOW : COLOR_WINDOW);
  testkit::BecomesTrue([&] { return ::GetPixel(dc, 1, lineY) == painted; }, 10000);
  view.footerRow = ::GetPixel(dc, 1, lineY);
  view.stripRow = ::GetPixel(dc, 1, height - 20);
  ::ReleaseDC(wnd, dc);
}

bool ReadInform(HWND wnd, bool footerExpected, InformView& view) {
  if (!testkit::ReadBox(wnd, view.report)) return false;
  // A rich-edit control does not answer WM_GETFONT: its default character format names the
  // face. The window is of this process, so the format can be passed by address.
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(view.report.textControl, EM_GETCHARFORMAT, SCF_DEFAULT,
                        reinterpret_cast<LPARAM>(&format), SMTO_ABORTIFHUNG, 2000, &ignored);
  if (format.dwMask & CFM_FACE) view.textFace = format.szFaceName;
  ReadFooter(wnd, footerExpected, view);
  return ::IsWindow(wnd);
}

// Resizes the window from outside, as dragging its frame would, and waits until the controls
// stand where the new client area puts them.
bool ResizeTo(HWND wnd, int width, int height, bool footerExpected, InformView& view) {
  ::SetWindowPos(wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return testkit::BecomesTrue(
      [&] {
        if (!ReadInform(wnd, footerExpected, view)) return false;
        const SIZE client = view.report.client;
        const au::InformRect text = au::InformTextPlace(client.cx, client.cy, footerExpected);
        return view.report.Width() == width &&
               view.report.textPlace.right == text.left + text.width;
      },
      10000);
}

void ExpectPlace(const RECT& got, const au::InformRect& want, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(got.left, want.left);
  EXPECT_EQ(got.top, want.top);
  EXPECT_EQ(got.right - got.left, want.width);
  EXPECT_EQ(got.bottom - got.top, want.height);
}

// Text control and button where the layout puts them for the client area the view found.
void ExpectLaidOut(const InformView& view, bool withButton) {
  const SIZE client = view.report.client;
  ExpectPlace(view.report.textPlace, au::InformTextPlace(client.cx, client.cy, withButton), "text");
  ASSERT_EQ(view.report.buttons.size(), withButton ? 1u : 0u);
  if (withButton)
    ExpectPlace(view.report.buttons[0].place, au::InformButtonPlace(client.cx, client.cy),
                "button");
}

bool ClassRegistered() {
  WNDCLASSA wc{};
  return ::GetClassInfoA(::GetModuleHandleA(nullptr), au::kInformClassName, &wc) != FALSE;
}

// ---- The fixture ------------------------------------------------------------------------------

// What one run met: the inform windows and message boxes it showed, in order.
struct Met {
  int informWindows = 0;
  std::vector<testkit::BoxReport> boxes;
};

using OnInform = std::function<void(HWND)>;

class AutoInform : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testkit::MakeScratchFolder("inform");
    ASSERT_EQ(std::string::npos, folder_.find(' ')) << "the handler's command line needs it";
    updates_ = folder_ + "\\updates";
    opened_ = folder_ + "\\opened.txt";
    ::CreateDirectoryA(updates_.c_str(), nullptr);
    scope_ = std::make_unique<AgentFilesScope>(au::SystemIniAccess(), folder_, &descriptor_);
    previousHost_ = au::SetHost(&host_);
    handler_ = std::make_unique<testkit::HttpHandlerScope>(opened_);
    ASSERT_TRUE(handler_->ok());
    Original("");
    Info(std::string("DownloadURL_INFORM=") + kAddress + "\r\n");
    au::Agent().testMode = true;
    au::Agent().testModeURL = updates_;
  }
  void TearDown() override {
    handler_.reset();
    au::Agent() = au::AgentVars();
    au::SetHost(previousHost_);
    scope_.reset();
    testkit::DeleteTree(folder_);
  }

  // The .original file with VersionOriginal 1, the window's texts, and more lines (sections
  // given) at its end.
  void Original(const std::string& more) {
    ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Tool.original",
                                        "[OriginalSetup]\r\nVersionOriginal=1\r\n"
                                        "[AutoUpdate]\r\ns34=News of Tool\r\ns35=Read more\r\n" +
                                            more));
  }
  // The .info file of a notice, version 4, with more lines of section "AutoInform".
  void Info(const std::string& autoInform, const std::string& name = "News.txt") {
    ASSERT_TRUE(testkit::WriteWholeFile(
        folder_ + "\\Tool.info",
        "[NewSetup]\r\nDownloadURL_UPDATE=http://unused.invalid/updates\r\nVersionNew=4\r\n"
        "[General]\r\nAutoInform=1\r\n[AutoInform]\r\nNameOfInformFile=" + name + "\r\n" +
            autoInform));
  }
  // The inform file in the test-mode folder.
  void Publish(const std::string& body, const std::string& token = kToken,
               bool scrambled = false) {
    const std::string text = "|" + pack::Scramble(token, 5) + "|x|y|" + body;
    ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\News.txt",
                                        scrambled ? sys::ScrambleTextWithKey(text, 'Q') : text));
  }

  // PerformAutoInform on this thread while a second one hands each inform window to onInform
  // (which must close it) and answers each message box with its first button.
  bool Run(const OnInform& onInform, Met& met) {
    std::atomic<bool> finished{false};
    std::thread driver([&] {
      const DWORD self = ::GetCurrentProcessId();
      while (!finished) {
        if (HWND wnd = testkit::WaitForWindowOfClass(au::kInformClassName, 300, self)) {
          ++met.informWindows;
          onInform(wnd);
          if (::IsWindow(wnd)) ::PostMessageA(wnd, WM_CLOSE, 0, 0);  // never leave it hanging
          testkit::WaitForBoxGone(wnd, testkit::kPatienceMs);
        }
        if (HWND box = testkit::WaitForBox(300, self)) {
          met.boxes.emplace_back();
          testkit::ReadBox(box, met.boxes.back());
          testkit::AnswerBox(box, testkit::BoxAnswer::Key(VK_ESCAPE));
          testkit::WaitForBoxGone(box, testkit::kPatienceMs);
        }
      }
    });
    const bool result = au::PerformAutoInform();
    finished = true;
    driver.join();
    return result;
  }

  // The addresses the handler was given, one per line, once count of them have come.
  std::vector<std::string> Opened(size_t count) {
    std::vector<std::string> lines;
    testkit::BecomesTrue([&] {
      lines.clear();
      std::string text = testkit::ReadWholeFile(opened_);
      for (size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1))
        lines.push_back(text.substr(0, end));
      return lines.size() >= count;
    });
    return lines;
  }

  std::string folder_, updates_, opened_;
  TGFileInfo descriptor_ = testimg::AgentDescriptor(kToken);
  RecordingHost host_;

 private:
  std::unique_ptr<AgentFilesScope> scope_;
  std::unique_ptr<testkit::HttpHandlerScope> handler_;
  au::AgentHost* previousHost_ = nullptr;
};

const std::vector<Notification> kAroundTheFetch = {{41, 1, 2}, {41, 2, 2}};

TEST_F(AutoInform, NoticeIsShownAndItsButtonOpensTheAddressAndClosesTheWindow) {
  Publish(kBody);
  ASSERT_EQ(au::kDecisionOK, au::UpdateDecisionCode(true, true, 0, [] { return true; }));
  InformView view;
  bool gone = false;
  Met met;
  const bool result = Run(
      [&](HWND wnd) {
        ReadInform(wnd, true, view);
        testkit::SaveBoxImage(wnd, testkit::ArtifactPath("inform-notice.bmp"));
        testkit::AnswerBox(wnd, testkit::BoxAnswer::Click("Read more"));
        gone = testkit::WaitForBoxGone(wnd, testkit::kPatienceMs);
      },
      met);
  EXPECT_TRUE(result);
  EXPECT_EQ(1, met.informWindows);
  EXPECT_TRUE(met.boxes.empty());
  EXPECT_TRUE(gone) << "pressing the button closes the window";

  const testkit::BoxReport& r = view.report;
  EXPECT_EQ("News of Tool", r.caption);
  EXPECT_EQ(kBody, r.text);
  EXPECT_TRUE(sys::EqualsNoCase(r.textClass, "RichEdit")) << r.textClass;
  ASSERT_EQ(std::vector<std::string>{"Read more"}, r.ButtonNames());
  EXPECT_EQ(0, r.DefaultButton());
  EXPECT_TRUE(r.buttons[0].focused);
  EXPECT_EQ(au::kInformButtonData, r.buttons[0].code);
  ExpectLaidOut(view, true);
  // The agent's box font: Tahoma for the button, and so Verdana for the text.
  EXPECT_EQ("Tahoma", r.fontFace);
  EXPECT_EQ("Verdana", view.textFace);
  ::HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(Nearest(screen, COLOR_3DDKSHADOW), view.footerRow);
  EXPECT_EQ(Nearest(screen, COLOR_BTNFACE), view.stripRow);
  ::ReleaseDC(nullptr, screen);

  EXPECT_EQ(std::vector<std::string>{kAddress}, Opened(1));
  EXPECT_EQ(4, au::original::VersionOriginal());
  EXPECT_EQ(au::kNotHigher, au::UpdateDecisionCode(true, true, 0, [] { return true; }))
      << "the same notice is not offered again";
  EXPECT_EQ(kAroundTheFetch, host_.notifications);
  EXPECT_FALSE(ClassRegistered());
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\News.txt")) << "the notice stays beside the agent";
}

TEST_F(AutoInform, NoticePublishedOnAWebServerIsFetchedAndShown) {
  testkit::TestServers servers;
  if (!servers.Load() || !servers.plain) GTEST_SKIP() << "the local test servers are not running";
  // Served under a name of this process alone: the servers' folder is shared.
  const std::string name = "inform_" + std::to_string(::GetCurrentProcessId()) + "_News.txt";
  const std::string served = servers.wwwWindows + "\\" + name;
  ASSERT_TRUE(testkit::WriteWholeFile(served, "|" + pack::Scramble(kToken, 5) + "|x|y|" + kBody));
  const std::string web = servers.Url(servers.plain, "");
  ASSERT_TRUE(testkit::WriteWholeFile(
      folder_ + "\\Tool.info",
      "[NewSetup]\r\nDownloadURL_UPDATE=" + web.substr(0, web.size() - 1) +
          "\r\nVersionNew=4\r\n[General]\r\nAutoInform=1\r\n[AutoInform]\r\nNameOfInformFile=" +
          name + "\r\n"));
  au::Agent().testMode = false;
  InformView view;
  Met met;
  const bool result = Run([&](HWND wnd) { ReadInform(wnd, false, view); }, met);
  ::DeleteFileA(served.c_str());
  EXPECT_TRUE(result);
  EXPECT_EQ(kBody, view.report.text);
  EXPECT_TRUE(view.report.buttons.empty());
  EXPECT_EQ(4, au::original::VersionOriginal());
  EXPECT_EQ(kAroundTheFetch, host_.notifications);
}

TEST_F(AutoInform, ClosingTheWindowOpensNothingAndStillCountsAsShown) {
  Publish(kBody);
  Met met;
  EXPECT_TRUE(Run([](HWND wnd) { testkit::AnswerBox(wnd, testkit::BoxAnswer::Close()); }, met));
  EXPECT_EQ(1, met.informWindows);
  EXPECT_EQ(4, au::original::VersionOriginal());
  EXPECT_FALSE(testkit::PathExists(opened_));
}

TEST_F(AutoInform, ResizingKeepsTheButtonCentredAboveTheBottom) {
  Publish(kBody);
  std::vector<InformView> views(3);
  bool resized[3] = {true, false, false};
  Met met;
  Run(
      [&](HWND wnd) {
        ReadInform(wnd, true, views[0]);
        resized[1] = ResizeTo(wnd, 641, 500, true, views[1]);
        resized[2] = ResizeTo(wnd, 250, 200, true, views[2]);
      },
      met);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(resized[i]);
    ExpectLaidOut(views[i], true);
    const RECT button = views[i].report.buttons.empty() ? RECT{} : views[i].report.buttons[0].place;
    EXPECT_EQ(views[i].report.client.cy - 33, button.top);
    EXPECT_LE(std::abs(button.left - (views[i].report.client.cx - button.right)), 1)
        << "as far from the left as from the right";
  }
  EXPECT_EQ(641, views[1].report.Width());
  EXPECT_EQ(200, views[2].report.Height());
}

TEST_F(AutoInform, NoticeWithoutAddressHasNoButtonAndNoFooter) {
  struct Case {
    const char* autoInform;
  } cases[] = {
      {""},
      {"DownloadURL_INFORM=   \r\n"},
      // Only web pages are opened: anything else counts as no address.
      {"DownloadURL_INFORM=C:\\windows\\system32\\notepad.exe\r\n"},
      {"DownloadURL_INFORM=file:///C:/windows/system32/notepad.exe\r\n"},
      {"DownloadURL_INFORM=mailto:news@example.invalid\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.autoInform);
    Original("");
    Info(c.autoInform);
    Publish(kBody);
    InformView view;
    Met met;
    EXPECT_TRUE(Run([&](HWND wnd) { ReadInform(wnd, false, view); }, met));
    EXPECT_EQ(1, met.informWindows);
    ExpectLaidOut(view, false);
    ::HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(Nearest(screen, COLOR_WINDOW), view.footerRow);
    EXPECT_EQ(Nearest(screen, COLOR_WINDOW), view.stripRow);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(4, au::original::VersionOriginal());
  }
  EXPECT_FALSE(testkit::PathExists(opened_));
}

TEST_F(AutoInform, NoticeWithoutBodyOpensItsAddressAtOnceOrShowsNothing) {
  struct Case {
    std::string address;
    bool result;
    std::vector<std::string> opened;
  } cases[] = {
      {std::string("  ") + kAddress + " ", true, {kAddress}},
      {"news.example.invalid/tool", true, {"http://news.example.invalid/tool"}},
      {"", false, {}},
      // An address that is not opened: nothing happens, and the notice is done with all the
      // same, or it would come back at every check.
      {"file:///C:/windows/system32/notepad.exe", true, {}},
      {"mailto:news@example.invalid", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    ::DeleteFileA(opened_.c_str());
    Original("");
    Info("DownloadURL_INFORM=" + c.address + "\r\n");
    Publish("");
    Met met;
    EXPECT_EQ(c.result, Run([](HWND) {}, met));
    EXPECT_EQ(0, met.informWindows);
    EXPECT_TRUE(met.boxes.empty());
    EXPECT_EQ(c.result ? 4 : 1, au::original::VersionOriginal());
    EXPECT_EQ(c.opened, Opened(c.opened.size()));
    EXPECT_EQ(kAroundTheFetch, host_.notifications);
    host_.notifications.clear();
  }
}

TEST_F(AutoInform, AnotherProductsNoticeIsRejectedAndNotShown) {
  Publish(kBody, "SOMEBODYELSE0123456789ABCDEFGHIJ");
  Met met;
  EXPECT_FALSE(Run([](HWND) {}, met));
  EXPECT_EQ(0, met.informWindows);
  ASSERT_EQ(1u, met.boxes.size());
  EXPECT_NE(std::string::npos, met.boxes[0].text.find("Bad Secret Token!")) << met.boxes[0].text;
  EXPECT_EQ(1, au::original::VersionOriginal());
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\News.txt"));
  EXPECT_EQ(kAroundTheFetch, host_.notifications);
}

TEST_F(AutoInform, NothingToFetchEndsBeforeTheListenerHearsOfIt) {
  struct Case {
    const char* info;
  } cases[] = {
      {"[General]\r\nAutoInform=1\r\n[AutoInform]\r\nNameOfInformFile=News.txt\r\n"},
      {"[NewSetup]\r\nDownloadURL_UPDATE=http://unused.invalid\r\n[General]\r\nAutoInform=1\r\n"},
  };
  Publish(kBody);
  for (const Case& c : cases) {
    ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Tool.info", c.info));
    Met met;
    EXPECT_FALSE(Run([](HWND) {}, met)) << c.info;
    EXPECT_EQ(0, met.informWindows);
    EXPECT_TRUE(host_.notifications.empty());
    EXPECT_EQ(0, au::Agent().AgentState);
  }
}

TEST_F(AutoInform, ScrambledNoticeIsReadAndANameWithAFolderIsTakenByItsFileName) {
  Publish(kBody, kToken, true);
  Info(std::string("DownloadURL_INFORM=") + kAddress + "\r\n", "sub\\News.txt");
  // The download fetched and checked News.txt in the agent folder; this one was never checked.
  ::CreateDirectoryA((folder_ + "\\sub").c_str(), nullptr);
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\sub\\News.txt",
                                      "|" + pack::Scramble(kToken, 5) + "|x|y|not the notice"));
  InformView view;
  Met met;
  EXPECT_TRUE(Run([&](HWND wnd) { ReadInform(wnd, true, view); }, met));
  EXPECT_EQ(kBody, view.report.text);
}

TEST_F(AutoInform, WindowTakesTheSizeTheInfoFileAsksCentredOnTheScreen) {
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    std::string lines;
    int width, height;
  } cases[] = {
      {"", 360, 360},
      {"AutoInformW=520\r\nAutoInformH=301\r\n", 520, 301},
      {"AutoInformW=100000\r\nAutoInformH=-5\r\n", screenW, au::kInformMinHeight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    Info(c.lines + "DownloadURL_INFORM=" + kAddress + "\r\n");
    Publish(kBody);
    InformView view;
    Met met;
    Run([&](HWND wnd) { ReadInform(wnd, true, view); }, met);
    EXPECT_EQ(c.width, view.report.Width());
    EXPECT_EQ(c.height, view.report.Height());
    EXPECT_EQ((screenW - c.width) / 2, view.report.frame.left);
    EXPECT_EQ((screenH - c.height) / 2, view.report.frame.top);
    ExpectLaidOut(view, true);
  }
}

TEST_F(AutoInform, TextFontIsTheAgentsBoxFontWhenItIsNotTahoma) {
  Original("[MsgBox]\r\nFontName=Arial\r\nFontSize=12\r\n");
  Publish(kBody);
  InformView view;
  Met met;
  Run([&](HWND wnd) { ReadInform(wnd, true, view); }, met);
  EXPECT_EQ("Arial", view.textFace);
  EXPECT_EQ("Arial", view.report.fontFace);
  const HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(-::MulDiv(12, ::GetDeviceCaps(screen, LOGPIXELSY), 72), view.report.fontHeight);
  ::ReleaseDC(nullptr, screen);
}

TEST_F(AutoInform, ShowInformReadsRightToLeftAndEndsOnAQuitRequest) {
  InformView view;
  std::atomic<bool> finished{false};
  std::thread driver([&] {
    HWND wnd = nullptr;
    while (!wnd && !finished)
      wnd = testkit::WaitForWindowOfClass(au::kInformClassName, 100, ::GetCurrentProcessId());
    if (!wnd) return;
    ReadInform(wnd, false, view);
    ::PostThreadMessageA(::GetWindowThreadProcessId(wnd, nullptr), WM_QUIT, 7, 0);
  });
  EXPECT_TRUE(au::ShowInform(0, "RTL", "", 177, 8, "Tahoma", true, 300, 300, "", "shalom"));
  finished = true;
  driver.join();
  EXPECT_TRUE(view.report.textRightAligned);
  EXPECT_TRUE(view.report.textRightToLeft);
  EXPECT_FALSE(ClassRegistered());
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      << "the quit request stays for the caller's loop";
  EXPECT_EQ(7u, msg.wParam);
}

}  // namespace
