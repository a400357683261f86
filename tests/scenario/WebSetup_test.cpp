// The web installer as a user meets it: the real stub.exe fetches its setup file from a real
// local server (python's http.server, nginx), asks before the download, checks the file's token,
// runs it with the reference engine, and shows what went wrong in its error box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxDriver.h"
#include "CodeSigning.h"
#include "StubRunner.h"
#include "TestServers.h"
#include "sys/Folders.h"
#include "pack/PESecurityDirectory.h"
#include "sys/ScopedHandle.h"
#include "sys/UtilsText.h"

namespace scenario {
namespace {

const std::string kEngineExe = testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH);
const char kWinExec[] = " ==== WinExec(Engine.exe) >>";
const char kToken[] = "abcdefghijklmnopqrstuvwxyzabcdef";
const char kOtherToken[] = "zyxwvutsrqponmlkjihgfedcbazyxwvu";

class WebSetup : public StubScenario {
 protected:
  void SetUp() override {
    StubScenario::SetUp();
    if (!servers_.Load()) GTEST_SKIP() << "the local test servers are not running";
    // Each test serves its files from a folder of its own.
    web_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    served_ = servers_.wwwWindows + "\\" + web_;
    ::CreateDirectoryA(served_.c_str(), nullptr);
    package_ = folder_ + "\\package";
    record_ = folder_ + "\\record.txt";
    ::CreateDirectoryA(package_.c_str(), nullptr);
    ASSERT_TRUE(testkit::CopyFileTo(kEngineExe, package_ + "\\Engine.exe"));
    WriteEngineIni(record_);
  }
  void TearDown() override {
    if (!served_.empty()) testkit::DeleteTree(served_);
    StubScenario::TearDown();
  }

  // The engine of the next FullSetup records its run in record.
  void WriteEngineIni(const std::string& record) {
    ASSERT_TRUE(testkit::WriteWholeFile(
        package_ + "\\Engine.ini", "[Engine]\r\nTargetDir=" + folder_ + "\\installed\r\nRecord=" +
                                       record + "\r\nExitCode=6\r\n"));
  }

  // The full setup file with the engine, carrying token, written to path.
  void FullSetup(const std::string& path, const std::string& token,
                 std::vector<std::string> more = {}) {
    std::vector<std::string> options = {"--dir", package_, "--run", "Engine.exe*/S",
                                        "--web-token", token};
    options.insert(options.end(), more.begin(), more.end());
    const std::string built = Pack("full\\Full.exe", options);
    ASSERT_TRUE(testkit::CopyFileTo(built, path));
  }

  // The web stub that fetches Full.exe from the web folder at port (or from webUrl).
  std::string WebStub(int port, std::vector<std::string> more = {}, std::string webUrl = "") {
    if (webUrl.empty()) webUrl = servers_.Url(port, web_);
    std::vector<std::string> options = {"--web-setup",   "--web-url",
                                        webUrl, "--web-file",
                                        "Full.exe",      "--web-token",
                                        kToken,          "--web-size",
                                        "5242880"};
    options.insert(options.end(), more.begin(), more.end());
    return Pack("web\\WebSetup.exe", options);
  }

  std::string Downloaded() const { return sys::TempFolder(true) + "Full.exe"; }

  // Starts the stub and reads its first box; null when none came within the time.
  HWND StartToBox(const std::string& stub, const std::string& args, testkit::Started& process,
                  testkit::BoxReport& report, unsigned waitMs = 30000) {
    process = testkit::StartProcess("\"" + stub + "\"" + args, folder_);
    const HWND box = process ? testkit::WaitForBox(waitMs, process.pid) : nullptr;
    return box && testkit::ReadBox(box, report) ? box : nullptr;
  }

  testkit::TestServers servers_;
  std::string web_, served_, package_, record_;
};

TEST_F(WebSetup, AsksWithTheSizeDownloadsChecksTheTokenAndRunsTheSetup) {
  FullSetup(served_ + "\\Full.exe", kToken);
  const std::string stub = WebStub(servers_.plain, {"--confirm-download"});
  testkit::Started process;
  testkit::BoxReport question;
  const HWND box = StartToBox(stub, "", process, question);
  ASSERT_TRUE(box != nullptr);
  EXPECT_NE(std::string::npos, question.text.find("INTERNET DOWNLOAD")) << question.Describe();
  EXPECT_NE(std::string::npos, question.text.find("Size: 5.00 MB")) << question.Describe();
  EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click("Yes")));
  const StubRun run = Collect(process, stub, 60000);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(6u, run.exitCode);
  EXPECT_TRUE(run.HasStart(kWinExec)) << viewer_.Text();
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\installed\\readme.txt"));
  EXPECT_FALSE(testkit::PathExists(Downloaded()));  // a downloaded setup file goes again
}

TEST_F(WebSetup, ADeclinedDownloadShowsNothingMore) {
  // Nothing listens on port 1: had the stub tried, it would have had an error to show.
  const std::string stub = WebStub(1, {"--confirm-download"});
  testkit::Started process;
  testkit::BoxReport question;
  const HWND box = StartToBox(stub, "", process, question);
  ASSERT_TRUE(box != nullptr);
  EXPECT_NE(std::string::npos, question.text.find("INTERNET DOWNLOAD")) << question.Describe();
  EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click("No")));
  // A second box would wait for its answer: the stub ends only when none came.
  const StubRun run = Collect(process, stub, 30000);
  ASSERT_TRUE(run.ended) << viewer_.Text();
  EXPECT_FALSE(run.HasStart(kWinExec));
  EXPECT_FALSE(testkit::PathExists(Downloaded()));
}

TEST_F(WebSetup, HiddenAsksNothingButStillShowsErrors) {
  FullSetup(served_ + "\\Full.exe", kToken);
  const std::string stub = WebStub(servers_.nginx, {"--confirm-download"});
  const StubRun quiet = Run(stub, "/hide", 60000);
  ASSERT_TRUE(quiet.ended);
  EXPECT_EQ(6u, quiet.exitCode);
  EXPECT_TRUE(quiet.HasStart(kWinExec)) << viewer_.Text();

  // A file of another product: the error box comes even so.
  FullSetup(served_ + "\\Full.exe", kOtherToken);
  ::DeleteFileA(record_.c_str());
  testkit::Started process;
  testkit::BoxReport report;
  const HWND box = StartToBox(stub, " /hide", process, report);
  ASSERT_TRUE(box != nullptr);
  EXPECT_NE(std::string::npos, report.text.find("Bad Secret Token!")) << report.Describe();
  testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK"));
  const StubRun refused = Collect(process, stub, 30000);
  EXPECT_FALSE(refused.HasStart(kWinExec));
  EXPECT_FALSE(testkit::PathExists(record_));
  EXPECT_FALSE(testkit::PathExists(Downloaded()));
}

TEST_F(WebSetup, AnErrorPageIsReportedAsNotFoundAndDeleted) {
  // nginx answers the missing Full.exe with its own 404 page, which WinINet downloads like a file.
  const std::string stub = WebStub(servers_.nginx);
  testkit::Started process;
  testkit::BoxReport report;
  const HWND box = StartToBox(stub, " /hide", process, report);
  ASSERT_TRUE(box != nullptr);
  EXPECT_NE(std::string::npos, report.text.find("404 File Not Found")) << report.Describe();
  testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK"));
  const StubRun run = Collect(process, stub, 30000);
  ASSERT_TRUE(run.ended);
  EXPECT_FALSE(run.HasStart(kWinExec));
  EXPECT_FALSE(testkit::PathExists(Downloaded()));
}

TEST_F(WebSetup, ALocalSetupFileIsUsedWithoutDownloadAndKept) {
  // Nothing listens on the web folder's port: only the file beside the stub can be used.
  const std::string stub = WebStub(1, {"--confirm-download"});
  const std::string local = folder_ + "\\web\\Full.exe";
  FullSetup(local, kToken);
  const StubRun run = Run(stub, "", 60000);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(6u, run.exitCode);
  EXPECT_TRUE(run.HasStart(kWinExec)) << viewer_.Text();
  EXPECT_TRUE(testkit::PathExists(local));

  // It is token-checked all the same, and kept after the refusal too.
  FullSetup(local, kOtherToken);
  testkit::Started process;
  testkit::BoxReport report;
  const HWND box = StartToBox(stub, "", process, report);
  ASSERT_TRUE(box != nullptr);
  EXPECT_NE(std::string::npos, report.text.find("Bad Secret Token!")) << report.Describe();
  testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK"));
  Collect(process, stub, 30000);
  EXPECT_TRUE(testkit::PathExists(local));
}

TEST_F(WebSetup, AStaleSetupFileInTheTemporaryFolderIsNeverRun) {
  // A setup file of this very product lies in the temporary folder under the downloaded name, as
  // an earlier run (or someone else) may leave it; it would record its run in a file of its own.
  const std::string staleRecord = folder_ + "\\stale.txt";
  const std::string stale = folder_ + "\\stale.exe";
  WriteEngineIni(staleRecord);
  FullSetup(stale, kToken);
  WriteEngineIni(record_);
  FullSetup(served_ + "\\Full.exe", kToken);
  const std::string chunked = servers_.Url(servers_.faults, "chunkedfile/" + web_);
  // Cut off after 100000 of 300000 bytes; the setup file's name ends the query.
  const std::string cut =
      servers_.Url(servers_.faults, "chunked/" + web_ + "?size=300000&after=100000&f=");
  const struct Case {
    const char* what;
    std::string webUrl;
    bool holdStale;  // the test keeps the stale file open, so that it cannot be deleted
    std::vector<std::string> boxes;  // the error box says one of these; none: the fresh one runs
  } cases[] = {
      {"chunked answer, no length", chunked, false, {}},
      // Where WinINet takes the cut for the end (Wine's does), the file lacks its trailer.
      {"chunked answer cut off", cut, false,
       {"Full.exe --- Error downloading file", "Bad Secret Token!"}},
      {"stale file held open", chunked, true, {"Unable to replace"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(testkit::CopyFileTo(stale, Downloaded()));
    ::DeleteFileA(record_.c_str());
    ::DeleteFileA(staleRecord.c_str());
    sys::ScopedFileHandle held;
    if (c.holdStale) {
      held.Reset(::CreateFileA(Downloaded().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held);
    }
    const std::string stub = WebStub(0, {}, c.webUrl);
    if (c.boxes.empty()) {
      const StubRun run = Run(stub, "/hide", 60000);
      ASSERT_TRUE(run.ended);
      EXPECT_EQ(6u, run.exitCode);
      EXPECT_TRUE(testkit::PathExists(record_)) << viewer_.Text();  // the fresh file ran
    } else {
      testkit::Started process;
      testkit::BoxReport report;
      const HWND box = StartToBox(stub, " /hide", process, report);
      ASSERT_TRUE(box != nullptr);
      bool expected = false;
      for (const std::string& text : c.boxes)
        expected |= report.text.find(text) != std::string::npos;
      EXPECT_TRUE(expected) << report.Describe();
      testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK"));
      const StubRun run = Collect(process, stub, 30000);
      ASSERT_TRUE(run.ended);
      EXPECT_FALSE(run.HasStart(kWinExec)) << viewer_.Text();
      EXPECT_FALSE(testkit::PathExists(record_));
    }
    EXPECT_FALSE(testkit::PathExists(staleRecord));
    // Only a file the stub could not delete stays; a finished download leaves no temporary file.
    EXPECT_EQ(c.holdStale, testkit::PathExists(Downloaded()));
    if (c.boxes.empty()) {
      EXPECT_FALSE(testkit::PathExists(Downloaded() + ".4294967295"));
    }
    held.Reset();
    ::DeleteFileA(Downloaded().c_str());
    ::DeleteFileA((Downloaded() + ".4294967295").c_str());
  }
}

using testkit::DeleteError;
using testkit::OpenForWritingError;

TEST_F(WebSetup, TheCheckedSetupFileCannotBeChangedBeforeItRuns) {
  // Nothing listens on the web folder's port: the setup file beside the stub is the one run.
  const std::string stub = WebStub(1);
  const std::string setupFile = folder_ + "\\web\\Full.exe";
  // The temp drive notice of the setup file stops the stub after the token check and before the
  // extraction: the window in which the file could once be swapped.
  FullSetup(setupFile, kToken, {"--notify-temp-drive"});
  testkit::Started process;
  testkit::BoxReport notice;
  const HWND box = StartToBox(stub, "", process, notice);
  ASSERT_TRUE(box != nullptr);
  ASSERT_NE(std::string::npos, notice.text.find("Continue with Setup?")) << notice.Describe();
  EXPECT_EQ(static_cast<uint32_t>(ERROR_SHARING_VIOLATION), OpenForWritingError(setupFile));
  EXPECT_EQ(static_cast<uint32_t>(ERROR_SHARING_VIOLATION), DeleteError(setupFile));
  EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click("Yes")));
  const StubRun run = Collect(process, stub, 60000);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(6u, run.exitCode);
  EXPECT_TRUE(run.HasStart(kWinExec)) << viewer_.Text();
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\installed\\readme.txt"));
  // Once the setup has run, the file beside the stub is kept and free again.
  EXPECT_EQ(0u, OpenForWritingError(setupFile));
}

TEST_F(WebSetup, TheAgentCopyIsTheStubMarkedAsAgent) {
  FullSetup(served_ + "\\Full.exe", kToken);
  const std::string stub = WebStub(servers_.plain, {"--make-agent-copy", "--agent-exe", "Agent.exe",
                                                    "--signature-tail", "300"});
  const StubRun run = Run(stub, "/hide", 60000);
  ASSERT_TRUE(run.ended);
  // The engine installs what lies in the work folder, the agent copy included.
  const std::string copy = testkit::ReadWholeFile(folder_ + "\\installed\\Agent.exe");
  std::string expected = testkit::ReadWholeFile(stub);
  ASSERT_GT(expected.size(), 300u + 74u);
  expected.resize(expected.size() - 300);  // the short signature tail is dropped
  expected[expected.size() - 5] = 1;       // trailer byte 69: an auto-update agent
  EXPECT_EQ(expected.size(), copy.size());
  EXPECT_TRUE(expected == copy);
}

TEST_F(WebSetup, WithItsPublishedChecksumTheSetupFileInstalls) {
  const std::string served = served_ + "\\Full.exe";
  FullSetup(served, kToken);
  const std::string stub = WebStub(servers_.plain, {"--web-sha256-of", served});
  const StubRun run = Run(stub, "/hide", 60000);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(6u, run.exitCode);
  EXPECT_TRUE(run.HasStart(" RunWebSetup() - SHA-256 of " + Downloaded() + ": verified"))
      << viewer_.Text();
  EXPECT_TRUE(run.HasStart(kWinExec)) << viewer_.Text();
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\installed\\readme.txt"));
  EXPECT_FALSE(testkit::PathExists(Downloaded()));
}

TEST_F(WebSetup, ASetupFileWithOneByteChangedRunsNothing) {
  const std::string local = folder_ + "\\web\\Full.exe";
  const struct {
    const char* what;
    bool download;
    std::string setupFile;  // where the changed setup file lies
  } cases[] = {
      {"downloaded", true, served_ + "\\Full.exe"},
      {"beside the stub", false, local},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FullSetup(served_ + "\\Full.exe", kToken);
    // Nothing listens on port 1: the stub that must not download finds only the local file.
    const std::string stub =
        WebStub(c.download ? servers_.plain : 1, {"--web-sha256-of", served_ + "\\Full.exe"});
    // One byte of the program part changes; the package and its token stay as they were.
    std::string image = testkit::ReadWholeFile(served_ + "\\Full.exe");
    image[100] = static_cast<char>(image[100] ^ 0x20);
    ASSERT_TRUE(testkit::WriteWholeFile(c.setupFile, image));
    ::DeleteFileA(record_.c_str());
    testkit::Started process;
    testkit::BoxReport report;
    const HWND box = StartToBox(stub, " /hide", process, report);
    ASSERT_TRUE(box != nullptr) << viewer_.Text();
    EXPECT_NE(std::string::npos,
              report.text.find("The setup file does not match its published checksum."))
        << report.Describe();
    EXPECT_NE(std::string::npos, report.text.find("Nothing was run.")) << report.Describe();
    testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK"));
    const StubRun run = Collect(process, stub, 30000);
    ASSERT_TRUE(run.ended);
    EXPECT_FALSE(run.HasStart(kWinExec)) << viewer_.Text();
    EXPECT_FALSE(testkit::PathExists(record_));
    EXPECT_FALSE(testkit::PathExists(Downloaded()));  // a downloaded file goes
    EXPECT_EQ(!c.download, testkit::PathExists(local));  // a local one stays
    ::DeleteFileA(local.c_str());
  }
}

TEST_F(WebSetup, TheAgentCopyOfASignedWebInstallerIsUnsigned) {
  FullSetup(served_ + "\\Full.exe", kToken);
  const std::string unsignedStub =
      WebStub(servers_.plain, {"--make-agent-copy", "--agent-exe", "Agent.exe"});
  const struct {
    const char* what;
    unsigned chainCertificates;
    uint32_t smallest, largest;  // the signature's size in bytes
  } cases[] = {
      {"one certificate", 0, 1, 9999},
      {"a certificate chain of 10000 bytes and more", 16, 10000, 1u << 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string stub = folder_ + "\\web\\Signed.exe";
    std::string why;
    ASSERT_TRUE(AuthenticodeSign(unsignedStub, stub, why, c.chainCertificates)) << why;
    const std::string signedImage = testkit::ReadWholeFile(stub);
    pack::SecurityDirectory signature;
    ASSERT_TRUE(pack::FindSecurityDirectory(signedImage, signature));
    ASSERT_GE(signature.size, c.smallest);
    ASSERT_LE(signature.size, c.largest);
    const std::string installed = folder_ + "\\installed\\Agent.exe";
    ::DeleteFileA(installed.c_str());
    const StubRun run = Run(stub, "/hide", 60000);
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.HasStart(kWinExec)) << viewer_.Text();
    const std::string copy = testkit::ReadWholeFile(installed);
    // The signature and the padding before it are gone, and so is the entry that pointed at them.
    ASSERT_EQ(testkit::ReadWholeFile(unsignedStub).size(), copy.size());
    ASSERT_TRUE(pack::FindSecurityDirectory(copy, signature));
    EXPECT_EQ(0u, signature.offset);
    EXPECT_EQ(0u, signature.size);
    EXPECT_EQ(1, copy[copy.size() - 5]);  // trailer byte 69: an auto-update agent
    // Everything before the trailer byte is the signed stub's, but for that entry.
    std::string expected = signedImage.substr(0, copy.size());
    expected.replace(signature.entryOffset, 8, 8, '\0');
    expected[expected.size() - 5] = 1;
    EXPECT_TRUE(expected == copy);
  }
}

TEST_F(WebSetup, ClosingTheWindowTwiceAbortsASlowDownloadAndRunsNothing) {
  // 2 MB in 4 KiB pieces every 100 ms would take almost a minute. The setup file's name ends the
  // query ("&f=/Full.exe"), so the fault server still reads its numbers.
  const std::string stub = WebStub(
      0, {}, servers_.Url(servers_.faults, "slow/" + web_ + "?size=2000000&delay_ms=100&chunk=4096&f="));
  testkit::Started process = testkit::StartProcess("\"" + stub + "\"", folder_);
  ASSERT_TRUE(process);
  const HWND wnd = testkit::WaitForWindowClass(stub, testkit::kPatienceMs);  // a setup's class is its path
  ASSERT_TRUE(wnd != nullptr);
  // The download has begun once its temporary file ("Full.exe." and a number) exists.
  bool started = false;
  for (int i = 0; i < 300 && !started; ++i) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA((Downloaded() + ".*").c_str(), &found);
    started = search != INVALID_HANDLE_VALUE;
    if (started) ::FindClose(search);
    testkit::PumpFor(100);
  }
  ASSERT_TRUE(started);
  ::PostMessageA(wnd, WM_CLOSE, 0, 0);
  testkit::PumpFor(200);
  ::PostMessageA(wnd, WM_CLOSE, 0, 0);
  // The stub may still report the abort in its error box before it ends.
  std::string boxText;
  while (::WaitForSingleObject(process.process.Get(), 0) == WAIT_TIMEOUT) {
    if (const HWND box = testkit::WaitForBox(200, process.pid)) {
      testkit::BoxReport report;
      if (testkit::ReadBox(box, report)) boxText = report.text;
      testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK"));
    }
    testkit::PumpFor(50);
  }
  const StubRun run = Collect(process, stub, 1000);
  ASSERT_TRUE(run.ended);
  EXPECT_FALSE(run.HasStart(kWinExec));
  if (!boxText.empty()) {
    EXPECT_NE(std::string::npos, boxText.find("Download Aborted")) << boxText;
  }
  EXPECT_FALSE(testkit::PathExists(Downloaded()));
}

// The system libraries the stub uses that are no "known DLLs": Windows would look for each of
// them in the program's folder first. A copy planted beside a setup started from a downloads
// folder must never be loaded, neither through an import nor by a later load.
const char* const kPlantableLibraries[] = {"VERSION.dll", "WININET.dll", "WINMM.dll",
                                           "RICHED32.DLL"};
const std::string kPlantedDll = testkit::HostPathToWindows(PLANTED_DLL_UNIX_PATH);

// Wine takes its own builtin copy of a system library before a native one beside the program.
// For the programs of one file name it is told to prefer the native one, as Windows would, so
// that a planted copy is loaded wherever the program looks for one. (The environment variable
// for this does not reach programs that a Windows program starts; this setting does.) Not so for
// VERSION.dll: Wine's own user32 imports it, unlike Windows' (a known DLL, whose imports come from
// the system folder), so any program with windows would load the planted copy; the check of the
// stub file keeps it out of the stub's imports.
class NativeLibrariesFirst {
 public:
  explicit NativeLibrariesFirst(const std::string& program)
      : key_("Software\\Wine\\AppDefaults\\" + program) {
    HKEY overrides = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str(), 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, &overrides, nullptr) != ERROR_SUCCESS)
      return;
    const char kOrder[] = "native,builtin";
    for (const char* library : {"wininet", "winmm", "riched32"})
      set_ += ::RegSetValueExA(overrides, library, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder) ==
              ERROR_SUCCESS;
    ::RegCloseKey(overrides);
  }
  ~NativeLibrariesFirst() { ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
  NativeLibrariesFirst(const NativeLibrariesFirst&) = delete;
  NativeLibrariesFirst& operator=(const NativeLibrariesFirst&) = delete;
  bool Set() const { return set_ == 3; }

 private:
  std::string key_;
  int set_ = 0;
};

TEST_F(WebSetup, LibrariesPlantedBesideItAreNeverLoaded) {
  FullSetup(served_ + "\\Full.exe", kToken);
  const std::string stub = WebStub(servers_.plain, {"--confirm-download"});
  const std::string beside = folder_ + "\\web\\";
  for (const char* name : kPlantableLibraries)
    ASSERT_TRUE(testkit::CopyFileTo(kPlantedDll, beside + name)) << name;
  NativeLibrariesFirst nativeFirst("WebSetup.exe");
  ASSERT_TRUE(nativeFirst.Set());

  // The question box (a RichEdit control), the download (WinINet), the waits (WINMM) and the
  // setup that follows all work with the system's own libraries.
  testkit::Started process;
  testkit::BoxReport question;
  const HWND box = StartToBox(stub, "", process, question);
  if (box) testkit::AnswerBox(box, testkit::BoxAnswer::Click("Yes"));
  const StubRun run = process ? Collect(process, stub, 60000) : StubRun();

  for (const char* name : kPlantableLibraries)
    EXPECT_FALSE(testkit::PathExists(beside + name + ".loaded")) << name << " beside it was loaded";
  ASSERT_TRUE(box != nullptr) << viewer_.Text();
  EXPECT_TRUE(sys::EqualsNoCase(question.textClass, "RichEdit")) << question.textClass;
  EXPECT_NE(std::string::npos, question.text.find("INTERNET DOWNLOAD")) << question.Describe();
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(6u, run.exitCode);
  EXPECT_TRUE(run.HasStart(kWinExec)) << viewer_.Text();
  EXPECT_TRUE(testkit::PathExists(folder_ + "\\installed\\readme.txt"));
}

}  // namespace
}  // namespace scenario
