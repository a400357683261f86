// The whole update story with the real programs: a product installed by a setup, its agent
// started as the product starts it, an update published on the local web server, found at the
// agent's scheduled check, confirmed by the user, fetched, the product stopped by the named
// method, the update run, the version recorded, the user told, the product and the agent
// restarted; later checks find nothing to do.
#include <gtest/gtest.h>

#include <algorithm>

#include "AgentProbe.h"
#include "BoxDriver.h"
#include "InstalledAgent.h"
#include "TestServers.h"

namespace scenario {
namespace {

const std::string kProductExe = testkit::HostPathToWindows(PRODUCT_EXE_UNIX_PATH);
const std::string kEngine = testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH);
constexpr const char* kProductClass = "StubTestProduct";

const char kOriginal[] =
    "[OriginalSetup]\r\nVersionOriginal=1\r\nProbeSecondsInterval=1\r\nReAskSecondsInterval=0\r\n"
    "ProgramName=Tool\r\n"
    "[AutoUpdate]\r\n"
    "s11=Update PROG_NAME now?\r\ns12=<P>It is installed right away.\r\n"
    "s16=PROG_NAME was updated.\r\ns17=<P>Start it again?\r\n"
    "s21=There is no newer version.\r\ns22=Look for a new version of PROG_NAME?\r\n"
    "[MsgBox]\r\nConfirm=Question\r\nAttention=Note\r\n";

class UpdateStory : public InstalledAgent {
 protected:
  void SetUp() override {
    InstalledAgent::SetUp();
    if (!servers_.Load()) GTEST_SKIP() << "the local test servers are not running";
    published_ = "story_" + std::to_string(::GetCurrentProcessId());
    web_ = servers_.wwwWindows + "\\" + published_;
    ::CreateDirectoryA(web_.c_str(), nullptr);
  }
  void TearDown() override {
    testkit::EndProcessesWithWindowClass(kProductClass);
    InstalledAgent::TearDown();
    if (!web_.empty()) testkit::DeleteTree(web_);
  }

  // nginx: a missing file comes as its 404 page, which the agent tells from a file.
  std::string UpdateUrl() const { return servers_.Url(servers_.nginx, "/" + published_); }

  // Version 2: the product again and a marker file, installed by the engine into the product's
  // folder; the package carries the product's token and agent.
  std::string BuildUpdate() {
    const std::string update = folder_ + "\\update";
    ::CreateDirectoryA(update.c_str(), nullptr);
    EXPECT_TRUE(testkit::CopyFileTo(kEngine, update + "\\Engine.exe"));
    EXPECT_TRUE(testkit::CopyFileTo(kProductExe, update + "\\Product.exe"));
    EXPECT_TRUE(testkit::WriteWholeFile(update + "\\version2.txt", "2"));
    EXPECT_TRUE(testkit::WriteWholeFile(update + "\\Engine.ini", "[Engine]\r\nTargetDir=" + product_ + "\r\n"));
    std::vector<std::string> options = ProductOptions(UpdateUrl());
    options.insert(options.end(), {"--dir", update, "--run", "Engine.exe*/S"});
    return Pack("Update2.exe", options);
  }

  void Publish(const std::string& updateFile) {
    const std::string image = testkit::ReadWholeFile(updateFile);
    ASSERT_TRUE(testkit::WriteWholeFile(web_ + "\\Update2.exe", image));
    ASSERT_TRUE(testkit::WriteWholeFile(
        web_ + "\\Tool.info",
        "[NewSetup]\r\nDownloadURL_UPDATE=" + UpdateUrl() +
            "\r\nNameOfUpdateFile=Update2.exe\r\nSizeOfUpdateFile=" + std::to_string(image.size()) +
            "\r\nRequestConfirmationBeforeDownload=1\r\nShutDownMethod=Using WM_CLOSE\r\n"
            "RestartProcess=1\r\nInformFinish=1\r\nRunningProcess=<InstallDir>\\Product.exe\r\n"
            "ProgramName=Tool 2\r\nVersionNew=2\r\nStamp=5\r\n"));
  }

  // Waits for a box of the process, checks that its text holds what it must say, and presses a
  // button.
  void Answer(uint32_t pid, const std::string& says, const std::string& button) {
    const HWND box = testkit::WaitForBox(testkit::kPatienceMs, pid);
    ASSERT_TRUE(box) << "no box saying " << says << "\n" << viewer_.Text() << "\nTool.info:\n"
                     << testkit::ReadWholeFile(product_ + "\\Tool.info") << "\nX_Tool.log:\n"
                     << testkit::ReadWholeFile(product_ + "\\X_Tool.log");
    testkit::BoxReport report;
    ASSERT_TRUE(testkit::ReadBox(box, report));
    EXPECT_NE(std::string::npos, report.text.find(says)) << report.Describe();
    EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click(button)));
    EXPECT_TRUE(testkit::WaitForBoxGone(box, testkit::kPatienceMs));
  }

  std::string Original(const char* key) const {
    char value[64] = "";
    ::GetPrivateProfileStringA("OriginalSetup", key, "", value, sizeof value,
                               (product_ + "\\Tool.original").c_str());
    return value;
  }

  size_t ProductStarts() const {
    const std::string log = testkit::ReadWholeFile(product_ + "\\Product.log");
    size_t n = 0;
    for (size_t at = log.find("started"); at != std::string::npos; at = log.find("started", at + 1)) ++n;
    return n;
  }

  testkit::TestServers servers_;
  std::string published_, web_;
};

TEST_F(UpdateStory, PublishedUpdateIsFoundConfirmedInstalledAndEverythingRestarts) {
  ::CreateDirectoryA(PackageFolder().c_str(), nullptr);
  ASSERT_TRUE(testkit::CopyFileTo(kProductExe, PackageFolder() + "\\Product.exe"));
  Install(kOriginal, {"--update-url", UpdateUrl()});
  testkit::Started product = testkit::StartProcess("\"" + product_ + "\\Product.exe\"", product_);
  ASSERT_TRUE(testkit::WaitForWindowClass(kProductClass, testkit::kPatienceMs));

  // The product starts its agent with a listener and checks from the first tick on.
  testkit::AgentProbe probe;
  const std::string listener = std::to_string(reinterpret_cast<uintptr_t>(probe.Window())) + ":" +
                               std::to_string(testkit::AgentProbe::kListenerMsg);
  ASSERT_TRUE(RunPlainAgent("/WM_MSG=" + listener + " /DELAY=0").ended);
  const uint32_t copy = ProcessOf(WaitForXCopy());
  ASSERT_NE(0u, copy);
  // Nothing published yet: the check cannot fetch the description.
  ASSERT_TRUE(WaitForLineOf(copy, " GetOkToPerformAU=0")) << viewer_.Text();

  Publish(BuildUpdate());
  Answer(copy, "Update Tool 2 now?", "Yes");
  Answer(copy, "Tool 2 was updated.", "Yes");

  // The product was asked to close, the update installed, the version recorded, the update file
  // removed, and the product started again.
  EXPECT_TRUE(testkit::BecomesTrue([&] { return ProductStarts() == 2; }))
      << testkit::ReadWholeFile(product_ + "\\Product.log");
  // Up to its window, so that the end of the test finds it and ends it.
  EXPECT_TRUE(testkit::WaitForWindowClass(kProductClass, testkit::kPatienceMs));
  const std::string log = testkit::ReadWholeFile(product_ + "\\Product.log");
  EXPECT_NE(std::string::npos, log.find("WM_CLOSE 15 255")) << log;
  EXPECT_EQ("2", testkit::ReadWholeFile(product_ + "\\version2.txt"));
  EXPECT_EQ("2", Original("VersionOriginal"));
  EXPECT_EQ("5", Original("Stamp"));
  EXPECT_FALSE(testkit::PathExists(product_ + "\\Update2.exe"));
  for (const auto& [code, value] : {std::pair{41, 1}, {41, 2}, {42, 1}, {42, 2}}) {
    const auto& got = probe.Received();
    EXPECT_TRUE(std::any_of(got.begin(), got.end(), [&](const testkit::Notification& n) {
      return n.code == static_cast<WPARAM>(code) && n.value == value;
    })) << code << " " << value;
  }

  // The agent replaced itself: the old copy ends, a new one starts and finds nothing to do.
  EXPECT_TRUE(WaitForProcessEnd(copy));
  uint32_t next = 0;
  ASSERT_TRUE(testkit::BecomesTrue([&] {
    next = ProcessOf(::FindWindowA(kXCopyClass, nullptr));
    return next != 0 && next != copy;
  })) << viewer_.Text();
  EXPECT_TRUE(WaitForLineOf(next, " GetOkToPerformAU=2")) << viewer_.Text();

  // Asked by the user, the check passes the handled stamp but finds no newer version.
  ASSERT_TRUE(RunPlainAgent("/TEST=2").ended);
  Answer(next, "Look for a new version of Tool?", "Yes");
  Answer(next, "There is no newer version.", "OK");
  // The console lines of a stub are lost while this test, which shows them, waits on a box; the
  // agent's own log keeps every line.
  EXPECT_TRUE(testkit::BecomesTrue([&] {
    return testkit::ReadWholeFile(product_ + "\\X_Tool.log")
               .find("GetOkToPerformAU = 3 - New version is not higher then old version") !=
           std::string::npos;
  }));
}

}  // namespace
}  // namespace scenario
