// The agent's downloads on real files, real INI functions, the local HTTP servers and real
// message boxes: where each kind comes from, where it lands, the token check and what the user
// is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../core/AgentFilesScope.h"
#include "../core/AgentPackageImage.h"
#include "BoxDriver.h"
#include "Processes.h"
#include "TestServers.h"
#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/UpdateDecision.h"
#include "agent/UpdateDownload.h"
#include "agent/UpdateFilesIni.h"
#include "net/DownloadAbort.h"
#include "pack/GFileInfo.h"
#include "pack/Scramble.h"
#include "sys/ScopedHandle.h"
#include "sys/ScrambleText.h"
#include "sys/Sha256.h"
#include "ui/KoProgBar.h"

namespace {

const char kToken[] = "PRODUCTTOKEN0123456789ABCDEFGHIJ";

using testimg::ProgramWithToken;

// Records what the downloads do with the main window.
class RecordingHost : public au::AgentHost {
 public:
  uintptr_t MainWindow() const override { return 0; }
  void ShowMainWindow(bool visible) override { events.push_back(visible ? "show" : "hide"); }
  void SetCaption(const std::string& text, const std::string&, int, int) override {
    events.push_back("caption " + text);
  }
  void Progress(int32_t kind, int32_t max, const std::string&, int32_t, int32_t) override {
    events.push_back(kind == koprogbar::kProgressStep ? "step" : "range " + std::to_string(max));
  }
  std::vector<std::string> events;
};

struct Box {
  bool shown = false;
  testkit::BoxReport report;
};

class UpdateDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testkit::MakeScratchFolder("agentdl");
    updates_ = folder_ + "\\updates";
    ::CreateDirectoryA(updates_.c_str(), nullptr);
    scope_ = std::make_unique<AgentFilesScope>(au::SystemIniAccess(), folder_, &descriptor_);
    previousHost_ = au::SetHost(&host_);
    ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Tool.original",
                                        "[OriginalSetup]\r\nVersionOriginal=1\r\n"
                                        "[AutoUpdate]\r\ns32=Fetching the update\r\n"));
    Info("");
    servers_.Load();
  }
  void TearDown() override {
    au::Agent() = au::AgentVars();
    au::SetHost(previousHost_);
    koprogbar::ReleaseSharedProgressBar();
    scope_.reset();
    testkit::DeleteTree(folder_);
    for (const std::string& name : served_) ::DeleteFileA((servers_.wwwWindows + "\\" + name).c_str());
  }

  // The .info file as the last check fetched it, [NewSetup] lines given.
  void Info(const std::string& newSetup) {
    ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Tool.info", "[NewSetup]\r\n" + newSetup));
  }
  void TestMode() {
    au::Agent().testMode = true;
    au::Agent().testModeURL = updates_;
  }
  // The web folder of a server: its address without the closing "/".
  std::string Web(int port) const {
    const std::string url = servers_.Url(port, "");
    return url.substr(0, url.size() - 1);
  }
  std::string Serve(const std::string& name, const std::string& data) {
    const std::string served = "agentdl_" + std::to_string(::GetCurrentProcessId()) + "_" + name;
    EXPECT_TRUE(testkit::WriteWholeFile(servers_.wwwWindows + "\\" + served, data));
    served_.push_back(served);
    return served;
  }

  // Runs the download while a second thread reads and confirms the box it shows, if any.
  bool Download(const std::string& folder, const std::string& file, int kind, std::string& error,
                Box& box, au::FetchReport* report = nullptr) {
    std::atomic<bool> finished{false};
    std::thread driver([&] {
      HWND wnd = nullptr;
      while (!wnd && !finished) wnd = testkit::WaitForBox(100, ::GetCurrentProcessId());
      if (!wnd) return;
      box.shown = testkit::ReadBox(wnd, box.report);
      testkit::AnswerBox(wnd, testkit::BoxAnswer::Click("OK"));
    });
    const bool result = au::DownloadFileAU(folder, file, kind, error, report);
    finished = true;
    driver.join();
    return result;
  }

  std::string folder_, updates_;
  TGFileInfo descriptor_ = testimg::AgentDescriptor(kToken);
  RecordingHost host_;
  testkit::TestServers servers_;
  std::vector<std::string> served_;

 private:
  std::unique_ptr<AgentFilesScope> scope_;
  au::AgentHost* previousHost_ = nullptr;
};

TEST_F(UpdateDownload, InfoFileComesFromTheTestModeFolderAndIsWrittenBesideTheAgent) {
  TestMode();
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Tool.info", "[NewSetup]\r\nVersionNew=2\r\n"));
  std::string error = "x";
  Box box;
  EXPECT_TRUE(Download("http://127.0.0.1:9/nowhere", "Tool.info", au::kInfoDownload, error, box));
  EXPECT_EQ("", error);
  EXPECT_FALSE(box.shown);
  EXPECT_EQ("[NewSetup]\r\nVersionNew=2\r\n", testkit::ReadWholeFile(folder_ + "\\Tool.info"));
  const std::vector<std::string> expected = {"caption Downloading INFO File..."};
  EXPECT_EQ(expected, host_.events) << "the .info file is never fetched in front of the user";
}

TEST_F(UpdateDownload, FailedInfoFetchLeavesAnEmptyInfoFile) {
  TestMode();  // and no file in the test-mode folder: nothing is fetched from the web
  std::string error = "x";
  Box box;
  EXPECT_FALSE(Download("http://127.0.0.1:9/nowhere", "Tool.info", au::kInfoDownload, error, box));
  EXPECT_EQ("", error);
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\Tool.info"));
  EXPECT_EQ("", testkit::ReadWholeFile(folder_ + "\\Tool.info"));
  int code = -1;
  std::string text;
  EXPECT_FALSE(au::GetOkToPerformAU(false, code, text));
  EXPECT_EQ(0, code);
  EXPECT_EQ("Error downloading .INFO file", text);
}

TEST_F(UpdateDownload, InfoFileFromTheWebAndAnErrorPageInItsPlace) {
  if (!servers_.plain) GTEST_SKIP() << "the local test servers are not running";
  const std::string name = Serve("Tool.info", "[NewSetup]\r\nVersionNew=7\r\n");
  std::string error;
  Box box;
  EXPECT_TRUE(Download(Web(servers_.plain), name, au::kInfoDownload, error, box));
  EXPECT_EQ("[NewSetup]\r\nVersionNew=7\r\n", testkit::ReadWholeFile(folder_ + "\\Tool.info"));

  // nginx answers a missing file with its own page: no .info file, and no box for it.
  EXPECT_FALSE(Download(Web(servers_.nginx), name + ".gone", au::kInfoDownload, error, box));
  EXPECT_NE(std::string::npos, error.find("404")) << error;
  EXPECT_EQ("", testkit::ReadWholeFile(folder_ + "\\Tool.info"));
  EXPECT_FALSE(box.shown);
}

TEST_F(UpdateDownload, UpdateFromAFolderIsCopiedWithTheAnimationOfAVisibleDownload) {
  Info("RequestConfirmationBeforeDownload=1\r\n");
  const std::string update = ProgramWithToken(kToken);
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Setup2.exe", update));
  std::string error;
  Box box;
  EXPECT_TRUE(Download(updates_, "Setup2.exe", au::kUpdateDownload, error, box));
  EXPECT_FALSE(box.shown);
  EXPECT_TRUE(update == testkit::ReadWholeFile(folder_ + "\\Setup2.exe"));
  const std::vector<std::string> expected = {
      "show", "caption Fetching the update", "range 10", "step", "step", "step", "step", "step",
      "step", "step", "step", "step", "step", "range 0", "hide"};
  EXPECT_EQ(expected, host_.events);
}

TEST_F(UpdateDownload, UpdateWithAnotherTokenIsDeletedAndReported) {
  TestMode();
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Setup2.exe", ProgramWithToken("SOMEBODYELSE")));
  std::string error;
  Box box;
  EXPECT_FALSE(Download("http://unused", "Setup2.exe", au::kUpdateDownload, error, box));
  EXPECT_EQ("", error);
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\Setup2.exe"));
  ASSERT_TRUE(box.shown);
  EXPECT_EQ("Error", box.report.caption);
  EXPECT_NE(std::string::npos, box.report.text.find("Bad Secret Token!")) << box.report.text;
  // An interactive-free download hides nothing it did not show.
  EXPECT_TRUE(std::find(host_.events.begin(), host_.events.end(), "show") == host_.events.end());
}

TEST_F(UpdateDownload, NoSourceIsAFailedDownloadToldOnlyWhereABoxIsDue) {
  TestMode();  // and no file in the test-mode folder, as for a machine off line
  struct Case {
    const char* info;
    int userCheckMode;
    bool told;
  } const cases[] = {
      {"", 0, false},  // a silent background update
      {"RequestConfirmationBeforeDownload=1\r\n", 0, true},
      {"", 1, true},   // the user's own check
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.info) + " user check " + std::to_string(c.userCheckMode));
    Info(c.info);
    au::Agent().userCheckMode = c.userCheckMode;
    std::string error;
    Box box;
    au::FetchReport report;
    EXPECT_FALSE(Download("http://unused", "Setup2.exe", au::kUpdateDownload, error, box, &report));
    EXPECT_EQ(au::FetchFailure::kNoSource, report.failure);
    EXPECT_NE("", error);
    EXPECT_EQ(c.told, box.shown);
    if (box.shown) {
      EXPECT_EQ("Attention", box.report.caption);
      EXPECT_EQ(std::string::npos, box.report.text.find("Bad Secret Token!")) << box.report.text;
      EXPECT_NE(std::string::npos, box.report.text.find(updates_ + "\\Setup2.exe"))
          << box.report.text;
    }
  }
}

TEST_F(UpdateDownload, NoDownloadTouchesTheInstallationsFilesWhateverItsName) {
  TestMode();
  // Every one of them carries the product's token here, as the agent and its copy do: only the
  // comparison by identity tells them from an earlier download.
  const std::string token = ProgramWithToken(kToken);
  const std::map<std::string, std::string> installation = {
      {"Tool.exe", token},      {"X_Tool.exe", token},    {"Tool.original", token},
      {"Tool.info", token},     {"Tool.info.sig", token}, {"Product.exe", "the product"}};
  for (const auto& [name, data] : installation)
    ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\" + name, data));
  char shortPath[MAX_PATH] = "";
  ASSERT_NE(0u, ::GetShortPathNameA((folder_ + "\\Tool.original").c_str(), shortPath, MAX_PATH));
  const std::string shortName = std::string(shortPath).substr(std::string(shortPath).rfind('\\') + 1);
  ASSERT_NE("Tool.original", shortName) << "the system gives the file a short name of its own";
  // A leftover of an interrupted download of "Tool" is this program's own to sweep.
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Tool.4096", "left over"));

  for (const std::string& name : {std::string("Tool"), shortName, std::string("Product.exe")}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\" + name, ProgramWithToken(kToken)));
    std::string error;
    Box box;
    const bool fetched = Download("http://unused", name, au::kUpdateDownload, error, box);
    ::DeleteFileA((updates_ + "\\" + name).c_str());
    if (name == "Tool") {  // a new name: it lands, and only the leftover went
      EXPECT_TRUE(fetched) << error;
      EXPECT_FALSE(testkit::PathExists(folder_ + "\\Tool.4096"));
      ::DeleteFileA((folder_ + "\\Tool").c_str());
    } else {
      EXPECT_FALSE(fetched);
      EXPECT_NE(std::string::npos, error.find("Download refused")) << error;
    }
    for (const auto& [own, data] : installation)
      EXPECT_TRUE(data == testkit::ReadWholeFile(folder_ + "\\" + own)) << own;
  }
}

TEST_F(UpdateDownload, AnEarlierDownloadIsReplacedOnlyByAFileThatPassedItsChecks) {
  TestMode();
  std::string earlier = ProgramWithToken(kToken);
  earlier[128] = static_cast<char>(earlier[128] ^ 1);  // a byte nobody reads: an earlier build
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Setup2.exe", earlier));
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Setup2.exe", ProgramWithToken("SOMEBODYELSE")));
  std::string error;
  Box box;
  EXPECT_FALSE(Download("http://unused", "Setup2.exe", au::kUpdateDownload, error, box));
  EXPECT_TRUE(box.shown);
  EXPECT_TRUE(earlier == testkit::ReadWholeFile(folder_ + "\\Setup2.exe"));
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\Setup2.exe.0")) << "no staging file stays";

  const std::string update = ProgramWithToken(kToken);
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Setup2.exe", update));
  EXPECT_TRUE(Download("http://unused", "Setup2.exe", au::kUpdateDownload, error, box)) << error;
  EXPECT_TRUE(update == testkit::ReadWholeFile(folder_ + "\\Setup2.exe"));
}

TEST_F(UpdateDownload, AFilePublishedInTheAgentFolderIsCheckedWhereItLies) {
  au::Agent().testMode = true;
  au::Agent().testModeURL = folder_;  // the test-mode folder is the agent folder
  const std::string update = ProgramWithToken(kToken);
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Setup2.exe", update));
  std::string error;
  au::FetchReport report;
  EXPECT_TRUE(au::DownloadFileAU("http://unused", "Setup2.exe", au::kUpdateDownload, error,
                                 &report)) << error;
  EXPECT_TRUE(report.inPlace);
  EXPECT_EQ(folder_ + "\\Setup2.exe", report.path);
  EXPECT_TRUE(update == testkit::ReadWholeFile(folder_ + "\\Setup2.exe"));

  // Checked all the same: another product's file fails, and is not this program's to delete.
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Setup2.exe", ProgramWithToken("SOMEBODYELSE")));
  Box box;
  EXPECT_FALSE(Download("http://unused", "Setup2.exe", au::kUpdateDownload, error, box));
  EXPECT_TRUE(box.shown);
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\Setup2.exe"));
}

TEST_F(UpdateDownload, TheInfoFileACheckDecidesOnIsTheOneItFetched) {
  TestMode();
  const std::string fetched = "[NewSetup]\r\nVersionNew=2\r\n";
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Tool.info", fetched));
  const std::string info = folder_ + "\\Tool.info";
  ASSERT_TRUE(testkit::WriteWholeFile(info, "[NewSetup]\r\nVersionNew=1\r\n"));
  std::string error;
  au::FetchReport report;
  {
    // Another program holds the old file open, sharing reading only: no write can replace it.
    sys::ScopedFileHandle held(::CreateFileA(info.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(au::DownloadFileAU("http://unused", "Tool.info", au::kInfoDownload, error, &report));
    EXPECT_EQ(au::FetchFailure::kNotSaved, report.failure);
    EXPECT_NE("", error);
  }
  {
    const au::InfoFileHold hold;
    EXPECT_TRUE(au::DownloadFileAU("http://unused", "Tool.info", au::kInfoDownload, error)) << error;
    EXPECT_EQ("2", au::IniReadString(info, "NewSetup", "VersionNew", ""));
    // While the check runs, no other program writes the file it decides on.
    sys::ScopedFileHandle writer(::CreateFileA(info.c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(writer);
  }
  EXPECT_TRUE(testkit::WriteWholeFile(info, "")) << "let go when the check ends";
}

TEST_F(UpdateDownload, AnInfoFetchErrorKeepsItsTextWhateverItBeginsWith) {
  if (!servers_.faults) GTEST_SKIP() << "the local test servers are not running";
  // The file name, which the error text begins with, begins with "3".
  std::string error;
  au::FetchReport report;
  EXPECT_FALSE(au::DownloadFileAU(servers_.Url(servers_.faults, "/cut"),
                                  "3D.info?size=100&after=10", au::kInfoDownload, error, &report));
  EXPECT_EQ(au::FetchFailure::kTransfer, report.failure);
  EXPECT_EQ(0u, error.find("3D.info")) << error;
}

TEST_F(UpdateDownload, FailedWebDownloadIsReportedWhenConfirmationOrTheUserAskedForIt) {
  if (!servers_.faults) GTEST_SKIP() << "the local test servers are not running";
  const std::string url = servers_.Url(servers_.faults, "/len0");
  struct Case {
    bool confirm;
    int userCheckMode;  // 1: the user asked, and the main window stays hidden
  } const cases[] = {{true, 1}, {false, 1}, {false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.confirm) + " " + std::to_string(c.userCheckMode));
    Info(c.confirm ? "RequestConfirmationBeforeDownload=1\r\n" : "");
    au::Agent().userCheckMode = c.userCheckMode;
    host_.events.clear();
    std::string error;
    Box box;
    EXPECT_FALSE(Download(url, "Setup2.exe", au::kUpdateDownload, error, box));
    EXPECT_NE("", error);
    EXPECT_EQ(c.confirm || c.userCheckMode == 1, box.shown);
    if (box.shown) {
      EXPECT_EQ("Attention", box.report.caption);
      EXPECT_NE(std::string::npos, box.report.text.find(url + "/Setup2.exe")) << box.report.text;
      EXPECT_NE(std::string::npos, box.report.text.find("Unable to Download File!"));
    }
    const bool visible = c.confirm && c.userCheckMode != 1;
    EXPECT_EQ(visible,
              std::find(host_.events.begin(), host_.events.end(), "show") != host_.events.end());
  }
}

TEST_F(UpdateDownload, UpdateFromTheWebCarryingTheToken) {
  if (!servers_.plain) GTEST_SKIP() << "the local test servers are not running";
  const std::string update = ProgramWithToken(kToken);
  const std::string name = Serve("Setup2.exe", update);
  std::string error;
  Box box;
  EXPECT_TRUE(Download(Web(servers_.plain), name, au::kUpdateDownload, error, box));
  EXPECT_EQ("", error);
  EXPECT_FALSE(box.shown);
  EXPECT_TRUE(update == testkit::ReadWholeFile(folder_ + "\\" + name));
}

TEST_F(UpdateDownload, InformFileCarriesTheTokenPlainOrScrambled) {
  TestMode();
  const std::string notice = "|" + pack::Scramble(kToken, 5) + "|x|y|<B>Version 2</B> is out";
  for (const std::string& text : {notice, sys::ScrambleTextWithKey(notice, 'Q')}) {
    ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\News.txt", text));
    std::string error;
    Box box;
    EXPECT_TRUE(Download("http://unused", "News.txt", au::kInformDownload, error, box));
    EXPECT_FALSE(box.shown);
    EXPECT_EQ(text, testkit::ReadWholeFile(folder_ + "\\News.txt"));
  }
}

TEST_F(UpdateDownload, SizeTestComparesThePublishedSizeWithTheSource) {
  TestMode();
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Setup2.exe", std::string(1099, 'x')));
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\News.txt", std::string(1100, 'x')));
  struct Case {
    const char* info;
    bool ok;
  } cases[] = {
      {"SizeOfUpdateFile=1000\r\n", true},
      {"SizeOfUpdateFile=999\r\n", false},
      {"[General]\r\nAutoInform=1\r\n[AutoInform]\r\nSizeOfInformFile=1000\r\n", false},
      {"[General]\r\nAutoInform=1\r\n[AutoInform]\r\nSizeOfInformFile=1001\r\n", true},
  };
  for (const Case& c : cases) {
    Info(c.info);
    EXPECT_EQ(c.ok, au::IsDownloadSizeOK("http://unused", "Setup2.exe", "News.txt")) << c.info;
  }
  // Nothing to measure: -1 against an absent size passes; the download itself then fails.
  Info("");
  EXPECT_TRUE(au::IsDownloadSizeOK("http://unused", "Missing.exe", "News.txt"));
}

TEST_F(UpdateDownload, SizeTestAsksTheServer) {
  if (!servers_.plain) GTEST_SKIP() << "the local test servers are not running";
  const std::string name = Serve("Setup2.exe", std::string(5000, 'u'));
  Info("SizeOfUpdateFile=5050\r\n");
  EXPECT_TRUE(au::IsDownloadSizeOK(Web(servers_.plain), name, ""));
  Info("SizeOfUpdateFile=5100\r\n");
  EXPECT_FALSE(au::IsDownloadSizeOK(Web(servers_.plain), name, ""));
}

// The agent of a package that carries its publisher's key (made by OpenSSL with the message
// signed by it, tests/signing/make-vectors).
class SignedDownload : public UpdateDownload {
 protected:
  SignedDownload() { descriptor_ = testimg::AgentDescriptor(kToken, Vector("publisher.txt")); }
  static std::string Vector(const std::string& name) {
    return testkit::ReadWholeFile(testkit::HostPathToWindows(SIGNING_DIR_UNIX_PATH) + "\\" + name);
  }

  // The update Setup2.exe fetched in a check the user asked for: kept, or deleted and the user
  // told.
  // Fetches Setup2.exe from the test-mode folder, with no earlier download of that name.
  void ExpectUpdateKept(bool kept) {
    ::DeleteFileA((folder_ + "\\Setup2.exe").c_str());
    au::Agent().userCheckMode = 1;
    std::string error;
    Box box;
    EXPECT_EQ(kept, Download("http://unused", "Setup2.exe", au::kUpdateDownload, error, box));
    EXPECT_EQ(kept, testkit::PathExists(folder_ + "\\Setup2.exe"));
    EXPECT_EQ(!kept, box.shown);
    if (box.shown) {
      EXPECT_NE(std::string::npos, box.report.text.find("could not be verified"))
          << box.report.text;
    }
  }
};

TEST_F(SignedDownload, InfoFileIsKeptOnlyWithItsPublishersSignature) {
  TestMode();
  const std::string info = Vector("message.info");
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Tool.info", info));
  struct Case {
    const char* signature;  // the vector put beside the .info file; null: none
    bool kept;
  } const cases[] = {{"message.info.sig", true}, {nullptr, false}, {"stranger.sig", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.signature ? c.signature : "no signature");
    const std::string sig = updates_ + "\\Tool.info.sig";
    ::DeleteFileA(sig.c_str());
    if (c.signature) {
      ASSERT_TRUE(testkit::WriteWholeFile(sig, Vector(c.signature)));
    }
    std::string error;
    Box box;
    EXPECT_EQ(c.kept, Download("http://unused", "Tool.info", au::kInfoDownload, error, box));
    EXPECT_EQ(c.kept ? info : "", testkit::ReadWholeFile(folder_ + "\\Tool.info"));
    EXPECT_EQ(c.kept, error.empty()) << error;
    if (!c.kept) {
      EXPECT_NE(std::string::npos, error.find("could not be verified")) << error;
    }
    EXPECT_FALSE(box.shown) << "the check that fetched it tells the user";
  }
}

TEST_F(SignedDownload, SignatureComesFromBesideTheInfoFileOnTheWeb) {
  if (!servers_.nginx) GTEST_SKIP() << "the local test servers are not running";
  const std::string name = Serve("Tool.info", Vector("message.info"));
  std::string error;
  Box box;
  // nginx's page for the missing signature is no signature.
  EXPECT_FALSE(Download(Web(servers_.nginx), name, au::kInfoDownload, error, box));
  Serve("Tool.info.sig", Vector("message.info.sig"));
  EXPECT_TRUE(Download(Web(servers_.nginx), name, au::kInfoDownload, error, box)) << error;
  EXPECT_EQ(Vector("message.info"), testkit::ReadWholeFile(folder_ + "\\Tool.info"));
}

TEST_F(SignedDownload, UpdateIsKeptOnlyWithItsPublishedChecksum) {
  TestMode();
  const std::string update = ProgramWithToken(kToken, Vector("publisher.txt"));
  ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Setup2.exe", update));
  const std::string right = sys::Sha256Text(sys::Sha256Of(update));
  std::string wrong = right;
  wrong[0] = wrong[0] == '0' ? '1' : '0';
  struct Case {
    std::string published;
    bool kept;
  } const cases[] = {{"UpdateFileSHA256=" + right, true},
                     {"UpdateFileSHA256=" + wrong, false},
                     {"", false}};  // a signed package's update must publish one
  for (const Case& c : cases) {
    SCOPED_TRACE(c.published);
    Info(c.published + "\r\n");
    ExpectUpdateKept(c.kept);
  }
}

// The update installs the next agent, which checks with the key of the update's package: that
// key must be the installation's, or the new one that the signed .info file names.
TEST_F(SignedDownload, UpdateIsKeptOnlyWithTheInstallationsKeyOrTheNamedNewOne) {
  TestMode();
  const std::string own = Vector("publisher.txt"), next = "04" + std::string(128, 'b');
  const struct {
    const char* what;
    std::string key, named;
    bool kept;
  } cases[] = {
      {"the installation's key", own, "", true},
      {"no key", "", "", false},
      {"no key, a new one named", "", next, false},
      {"another key, none named", next, "", false},
      {"another key than the named one", "04" + std::string(128, 'c'), next, false},
      {"the named new key", next, next, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string update = ProgramWithToken(kToken, c.key);
    ASSERT_TRUE(testkit::WriteWholeFile(updates_ + "\\Setup2.exe", update));
    Info("UpdateFileSHA256=" + sys::Sha256Text(sys::Sha256Of(update)) + "\r\n" +
         (c.named.empty() ? "" : "UpdatePublicKeyNew=" + c.named + "\r\n"));
    ExpectUpdateKept(c.kept);
  }
}

}  // namespace
