// The update cycle in-process, on real files and INI functions, with the real test product and
// real message boxes answered by a second thread; the setup run itself is recorded by the host.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../core/AgentFilesScope.h"
#include "../core/AgentPackageImage.h"
#include "BoxDriver.h"
#include "Processes.h"
#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateCycle.h"
#include "agent/UpdateFilesIni.h"
#include "pack/GFileInfo.h"

namespace {

const std::string kProductExe = testkit::HostPathToWindows(PRODUCT_EXE_UNIX_PATH);
const char kToken[] = "PRODUCTTOKEN0123456789ABCDEFGHIJ";
constexpr const char* kProductClass = "StubTestProduct";

using testimg::ProgramWithToken;

// Records the setup runs and listener notifications; the run's outcome is the test's to choose.
class RecordingHost : public au::AgentHost {
 public:
  bool RunUpdate(const pack::ByteSource&, const std::string& file, bool foreground,
                 const std::string& arguments) override {
    runs.push_back(file + "|" + (foreground ? "foreground" : "background") + "|" + arguments);
    return succeed;
  }
  void NotifyListener(unsigned code, intptr_t value) override {
    notes.push_back(std::to_string(code) + ":" + std::to_string(value));
  }
  bool succeed = true;
  std::vector<std::string> runs, notes;
};

struct SeenBox {
  std::string text, caption;
  std::vector<std::string> buttons;
  int closeState = -1;
};

// Answers the boxes of this process in turn, one answer each, until the cycle has ended.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::vector<std::string> answers)
      : answers_(std::move(answers)), thread_([this] { Run(); }) {}
  ~BoxAnswerer() { Finish(); }
  void Finish() {
    finished_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::vector<SeenBox> seen;

 private:
  void Run() {
    for (const std::string& answer : answers_) {
      HWND box = nullptr;
      while (!box && !finished_) box = testkit::WaitForBox(100, ::GetCurrentProcessId());
      if (!box) return;
      testkit::BoxReport report;
      testkit::ReadBox(box, report);
      seen.push_back({report.text, report.caption, report.ButtonNames(), report.closeState});
      testkit::AnswerBox(box, testkit::BoxAnswer::Click(answer));
      testkit::WaitForBoxGone(box, testkit::kPatienceMs);
    }
  }
  std::vector<std::string> answers_;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

class UpdateCycle : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testkit::MakeScratchFolder("cycle");
    updates_ = folder_ + "\\updates";
    app_ = folder_ + "\\app";
    ::CreateDirectoryA(updates_.c_str(), nullptr);
    ::CreateDirectoryA(app_.c_str(), nullptr);
    ASSERT_TRUE(testkit::CopyFileTo(kProductExe, app_ + "\\Product.exe"));
    scope_ = std::make_unique<AgentFilesScope>(au::SystemIniAccess(), folder_, &descriptor_);
    previousHost_ = au::SetHost(&host_);
    au::Agent().testMode = true;
    au::Agent().testModeURL = updates_;
    ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Update2.exe", ProgramWithToken(kToken)));
    ASSERT_TRUE(testkit::WriteWholeFile(
        folder_ + "\\Tool.original",
        "[OriginalSetup]\r\nVersionOriginal=1\r\n[Directories]\r\nTargetDir=" + app_ +
            "\r\n[AutoUpdate]\r\ns11=Get PROG_NAME?\r\ns12=<P>Installed at once.\r\n"
            "s13=<P>Asked again.\r\ns18=<P>Forced.\r\ns14=Install PROG_NAME?\r\n"
            "s15=Close PROG_NAME!\r\ns16=PROG_NAME is new.\r\ns17=<P>Start it?\r\n"));
  }
  void TearDown() override {
    testkit::EndProcessesWithWindowClass(kProductClass);
    au::Agent() = au::AgentVars();
    au::SetHost(previousHost_);
    scope_.reset();
    testkit::DeleteTree(folder_);
  }

  void Info(const std::string& lines) {
    ASSERT_TRUE(testkit::WriteWholeFile(
        folder_ + "\\Tool.info",
        "[NewSetup]\r\nDownloadURL_UPDATE=http://unused\r\nNameOfUpdateFile=Update2.exe\r\n"
        "RunningProcess=<InstallDir>\\Product.exe\r\nProgramName=Tool 2\r\nVersionNew=2\r\n" +
            lines));
  }
  void StartProduct() {
    product_ = testkit::StartProcess("\"" + app_ + "\\Product.exe\"", app_);
    ASSERT_TRUE(testkit::WaitForWindowClass(kProductClass, testkit::kPatienceMs));
  }
  // The product started again, up to its window: a product still starting when the test ends
  // would outlive it and be taken for the next test's.
  bool ProductRestarted() const {
    return testkit::BecomesTrue([&] { return ProductStarts() == 2; }) &&
           testkit::WaitForWindowClass(kProductClass, testkit::kPatienceMs) != nullptr;
  }
  std::string ProductLog() const { return testkit::ReadWholeFile(app_ + "\\Product.log"); }
  size_t ProductStarts() const {
    const std::string log = ProductLog();
    size_t n = 0;
    for (size_t at = log.find("started"); at != std::string::npos; at = log.find("started", at + 1)) ++n;
    return n;
  }
  std::string VersionOriginal() const {
    char value[32] = "";
    ::GetPrivateProfileStringA("OriginalSetup", "VersionOriginal", "", value, sizeof value,
                               (folder_ + "\\Tool.original").c_str());
    return value;
  }
  // Runs the cycle with the boxes answered in turn; what the boxes showed.
  std::vector<SeenBox> Perform(const std::vector<std::string>& answers, bool& result) {
    BoxAnswerer answerer(answers);
    result = au::PerformAutoUpdate();
    answerer.Finish();
    return answerer.seen;
  }

  std::string folder_, updates_, app_;
  TGFileInfo descriptor_ = testimg::AgentDescriptor(kToken);
  RecordingHost host_;
  testkit::Started product_;

 private:
  std::unique_ptr<AgentFilesScope> scope_;
  au::AgentHost* previousHost_ = nullptr;
};

TEST_F(UpdateCycle, ConfirmedUpdateClosesRunsRecordsTellsAndRestarts) {
  Info("RequestConfirmationBeforeDownload=1\r\nShutDownMethod=Using WM_CLOSE\r\nRestartProcess=1\r\n"
       "InformFinish=1\r\n");
  StartProduct();
  bool result = false;
  const auto boxes = Perform({"Yes", "Yes"}, result);
  EXPECT_TRUE(result);
  ASSERT_EQ(2u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find("Get Tool 2?\r\nInstalled at once.")) << boxes[0].text;
  EXPECT_NE(std::string::npos, boxes[1].text.find("Tool 2 is new.\r\nStart it?")) << boxes[1].text;
  EXPECT_NE(std::string::npos, ProductLog().find("WM_CLOSE 15 255")) << ProductLog();
  EXPECT_TRUE(ProductRestarted()) << ProductLog();
  ASSERT_EQ(1u, host_.runs.size());
  EXPECT_EQ(folder_ + "\\Update2.exe|foreground|/OriginalInfoFile=\"" + folder_ + "\\Tool.info\"",
            host_.runs[0]);
  EXPECT_EQ("2", VersionOriginal());
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\Update2.exe"));
  const std::vector<std::string> notes = {"41:1", "41:2", "42:1", "42:2"};
  EXPECT_EQ(notes, host_.notes);
}

TEST_F(UpdateCycle, EachShutDownMethodEndsTheProductItsWay) {
  struct Case {
    const char* method;
    const char* logged;   // what the product wrote after its start
    bool stillRunning;
  } cases[] = {
      {"Using Terminate Process", "", false},
      {"Using WM_QUIT", "WM_QUIT 15 255", false},
      {"using wm_close", "", true},  // not a method: nothing is posted, the cycle only waits
      {"Don't Shut Down", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    ::DeleteFileA((app_ + "\\Product.log").c_str());
    Info(std::string("ShutDownMethod=") + c.method + "\r\nRestartProcess=1\r\n");
    ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Update2.exe", ProgramWithToken(kToken)));
    StartProduct();
    bool result = false;
    EXPECT_TRUE(Perform({}, result).empty()) << "no box without confirmations or notices";
    EXPECT_TRUE(result);
    const std::string log = ProductLog();
    if (*c.logged) {
      EXPECT_NE(std::string::npos, log.find(c.logged)) << log;
    }
    EXPECT_EQ(c.stillRunning, ::FindWindowA(kProductClass, nullptr) != nullptr);
    // A product that ran on is not started again; one that was stopped is.
    if (c.stillRunning) {
      EXPECT_EQ(1u, ProductStarts()) << log;
    } else {
      EXPECT_TRUE(ProductRestarted()) << log;
    }
    if (c.stillRunning) {
      EXPECT_EQ(std::string::npos, log.find("WM_"));
    }
    testkit::EndProcessesWithWindowClass(kProductClass);
  }
}

TEST_F(UpdateCycle, FailedUpdateKeepsTheVersionAndTellsNothing) {
  Info("ShutDownMethod=Using WM_CLOSE\r\nRestartProcess=1\r\nInformFinish=1\r\n");
  host_.succeed = false;
  StartProduct();
  bool result = true;
  EXPECT_TRUE(Perform({"Yes"}, result).empty());
  EXPECT_FALSE(result);
  EXPECT_EQ("1", VersionOriginal());
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\Update2.exe")) << "deleted in every case";
  EXPECT_TRUE(ProductRestarted()) << "stopped, so restarted";
}

TEST_F(UpdateCycle, RefusedDownloadFetchesAndRunsNothing) {
  Info("RequestConfirmationBeforeDownload=1\r\nRequestConfirmationBeforeInstall=1\r\n");
  bool result = true;
  const auto boxes = Perform({"No"}, result);
  EXPECT_FALSE(result);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find("Get Tool 2?\r\nAsked again.")) << boxes[0].text;
  EXPECT_TRUE(host_.runs.empty());
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\Update2.exe"));
}

TEST_F(UpdateCycle, RefusedInstallLeavesTheUpdateFile) {
  Info("RequestConfirmationBeforeInstall=1\r\n");
  bool result = true;
  const auto boxes = Perform({"No"}, result);
  EXPECT_FALSE(result);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find("Install Tool 2?")) << boxes[0].text;
  EXPECT_TRUE(host_.runs.empty());
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\Update2.exe"));
}

TEST_F(UpdateCycle, ForcedDownloadIsOnlyToldWithoutAClose) {
  Info("RequestConfirmationBeforeDownload=1\r\nRequestConfirmationBeforeDownloadForce=1\r\n");
  bool result = false;
  const auto boxes = Perform({"OK"}, result);
  EXPECT_TRUE(result);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find("Get Tool 2?\r\nForced.")) << boxes[0].text;
  const std::vector<std::string> ok = {"OK"};
  EXPECT_EQ(ok, boxes[0].buttons);
  EXPECT_EQ(1, boxes[0].closeState) << "the Close command is greyed";
}

TEST_F(UpdateCycle, CheckAskedByTheUserAsksNothingButTellsTheOutcome) {
  Info("RequestConfirmationBeforeDownload=1\r\nRequestConfirmationBeforeInstall=1\r\n"
       "BackgroundUpdate=1\r\n");
  au::Agent().userCheckMode = 1;
  bool result = false;
  const auto boxes = Perform({"OK"}, result);
  EXPECT_TRUE(result);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find("Tool 2 is new.")) << boxes[0].text;
  EXPECT_EQ(std::string::npos, boxes[0].text.find("Start it?")) << "nothing to restart";
  ASSERT_EQ(1u, host_.runs.size());
  EXPECT_NE(std::string::npos, host_.runs[0].find("|background|"));
}

TEST_F(UpdateCycle, TheFetchedFileRunsWhereverItsNameOrItsSourcePutIt) {
  struct Case {
    const char* name;     // "NameOfUpdateFile" as published
    bool publishedHere;   // the update lies in the agent folder itself (the test-mode folder)
    bool keptAfterwards;  // only a file this agent fetched is its to delete
  } const cases[] = {
      {"Update2.exe", false, false},
      {"v2\\Update2.exe", false, false},  // a folder part: the file-name part counts everywhere
      {"Update2.exe", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.publishedHere ? " published in the agent folder" : ""));
    host_.runs.clear();
    Info(std::string("NameOfUpdateFile=") + c.name + "\r\n");
    const std::string source = (c.publishedHere ? folder_ : updates_) + "\\Update2.exe";
    ASSERT_TRUE(testkit::WriteWholeFile(source, ProgramWithToken(kToken)));
    au::Agent().testModeURL = c.publishedHere ? folder_ : updates_;
    bool result = false;
    bool fetchFailed = true;
    BoxAnswerer answerer({});
    result = au::PerformAutoUpdate(&fetchFailed);
    answerer.Finish();
    EXPECT_TRUE(answerer.seen.empty()) << answerer.seen[0].text;
    EXPECT_TRUE(result);
    EXPECT_FALSE(fetchFailed);
    ASSERT_EQ(1u, host_.runs.size());
    EXPECT_EQ(0u, host_.runs[0].find(folder_ + "\\Update2.exe|")) << host_.runs[0];
    EXPECT_EQ(c.keptAfterwards, testkit::PathExists(folder_ + "\\Update2.exe"));
    ::DeleteFileA((folder_ + "\\Update2.exe").c_str());
  }
}

TEST_F(UpdateCycle, OnlyAFailedFetchIsReportedAsOne) {
  struct Case {
    const char* lines;
    std::vector<std::string> answers;
    bool fetchFailed;
  } const cases[] = {
      {"", {}, true},  // nothing in the test-mode folder
      {"RequestConfirmationBeforeDownload=1\r\n", {"No"}, false},  // the user's answer
      {"RequestConfirmationBeforeInstall=1\r\n", {"No"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    Info(c.lines);
    if (c.fetchFailed) {
      ::DeleteFileA((updates_ + "\\Update2.exe").c_str());
    } else {
      ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Update2.exe", ProgramWithToken(kToken)));
    }
    bool fetchFailed = !c.fetchFailed;
    BoxAnswerer answerer(c.answers);
    EXPECT_FALSE(au::PerformAutoUpdate(&fetchFailed));
    answerer.Finish();
    EXPECT_EQ(c.fetchFailed, fetchFailed);
    EXPECT_TRUE(host_.runs.empty());
  }
}

TEST_F(UpdateCycle, RestartStartsThePlainAgentWithTheOverridesUnlessAStopIsCounting) {
  // The plain agent here is the test product, which records its command line.
  ASSERT_TRUE(testkit::CopyFileTo(kProductExe, folder_ + "\\Tool.exe"));
  au::SetTransientFlagByControlCode(21, 1);
  au::Agent().stopCountdown = 5;
  au::ReStartAutoUpdateExe();
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\Product.log"));

  au::Agent().stopCountdown = -1;
  au::ReStartAutoUpdateExe();
  // The product writes its log once it runs: the line may come a while after the file.
  const std::string log = folder_ + "\\Product.log";
  ASSERT_TRUE(testkit::BecomesTrue([&] { return testkit::PathExists(log); }));
  EXPECT_TRUE(testkit::BecomesTrue([&] {
    return testkit::ReadWholeFile(log).find(
               "/_ZZ=99 /WAIT=10 /TRANSIENT=|255|1|255|255|255|255|255|255|") != std::string::npos;
  })) << testkit::ReadWholeFile(log);
}

}  // namespace
