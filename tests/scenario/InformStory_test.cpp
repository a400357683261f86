// A notice published for an installed product: the agent fetches it at its scheduled check,
// shows it in its window, opens the notice's web address from the button, records the version
// and does not show the same notice again.
#include <gtest/gtest.h>

#include "BoxDriver.h"
#include "HttpHandler.h"
#include "InstalledAgent.h"
#include "TestServers.h"
#include "pack/Scramble.h"

namespace scenario {
namespace {

constexpr const char* kInformClass = "KoRichEditBox";
constexpr const char* kAddress = "http://news.example.invalid/tool?v=2";

const char kOriginal[] =
    // The publication may be offered again a second after it was handled: only its version
    // keeps it from being shown twice.
    "[OriginalSetup]\r\nVersionOriginal=1\r\nProbeSecondsInterval=1\r\nReAskSecondsInterval=1\r\n"
    "[AutoUpdate]\r\ns34=News of Tool\r\ns35=Read more\r\n";

class InformStory : public InstalledAgent {
 protected:
  void SetUp() override {
    InstalledAgent::SetUp();
    if (!servers_.Load()) GTEST_SKIP() << "the local test servers are not running";
    published_ = "inform_" + std::to_string(::GetCurrentProcessId());
    web_ = servers_.wwwWindows + "\\" + published_;
    ::CreateDirectoryA(web_.c_str(), nullptr);
  }
  void TearDown() override {
    InstalledAgent::TearDown();
    if (!web_.empty()) testkit::DeleteTree(web_);
  }
  std::string Url() const { return servers_.Url(servers_.nginx, "/" + published_); }

  void Publish(const std::string& notice) {
    ASSERT_TRUE(testkit::WriteWholeFile(web_ + "\\News.txt", notice));
    ASSERT_TRUE(testkit::WriteWholeFile(
        web_ + "\\Tool.info",
        "[NewSetup]\r\nDownloadURL_UPDATE=" + Url() + "\r\nVersionNew=2\r\nStamp=7\r\n"
        "[General]\r\nAutoInform=1\r\n[AutoInform]\r\nNameOfInformFile=News.txt\r\n"
        "SizeOfInformFile=" + std::to_string(notice.size()) + "\r\nDownloadURL_INFORM=" +
            kAddress + "\r\n"));
  }

  testkit::TestServers servers_;
  std::string published_, web_;
};

TEST_F(InformStory, NoticeIsShownOnceAndItsButtonOpensTheAddress) {
  Install(kOriginal, {"--update-url", Url()});
  Publish("|" + pack::Scramble(kToken, 11) + "|a|b|Version 2 of Tool is out.");
  const std::string opened = folder_ + "\\opened.txt";
  testkit::HttpHandlerScope handler(opened);
  ASSERT_TRUE(handler.ok());

  ASSERT_TRUE(RunPlainAgent("/DELAY=0").ended);
  const uint32_t copy = ProcessOf(WaitForXCopy());
  ASSERT_NE(0u, copy);
  const HWND notice = testkit::WaitForWindowOfClass(kInformClass, testkit::kPatienceMs, copy);
  ASSERT_TRUE(notice) << viewer_.Text() << AgentLog();
  testkit::BoxReport report;
  ASSERT_TRUE(testkit::ReadBox(notice, report));
  EXPECT_EQ("News of Tool", report.caption);
  EXPECT_NE(std::string::npos, report.text.find("Version 2 of Tool is out.")) << report.Describe();
  const std::vector<std::string> buttons = {"Read more"};
  EXPECT_EQ(buttons, report.ButtonNames());

  ASSERT_TRUE(testkit::AnswerBox(notice, testkit::BoxAnswer::Click("Read more")));
  EXPECT_TRUE(testkit::WaitForBoxGone(notice, testkit::kPatienceMs));
  EXPECT_TRUE(testkit::BecomesTrue([&] {
    return testkit::ReadWholeFile(opened) == std::string(kAddress) + "\n";
  })) << testkit::ReadWholeFile(opened);

  // Recorded: later checks stop at the version and show nothing more.
  EXPECT_TRUE(testkit::BecomesTrue([&] {
    return AgentLog().find("GetOkToPerformAU = 3 - New version is not higher then old version") !=
           std::string::npos;
  })) << AgentLog();
  EXPECT_EQ(nullptr, ::FindWindowA(kInformClass, nullptr));
  char version[16] = "";
  ::GetPrivateProfileStringA("OriginalSetup", "VersionOriginal", "", version, sizeof version,
                             (product_ + "\\Tool.original").c_str());
  EXPECT_STREQ("2", version);
}

}  // namespace
}  // namespace scenario
