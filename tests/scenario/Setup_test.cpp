// A whole offline setup with the real stub.exe and the reference Engine.exe: the engine's
// command line and exit code, the success atom and the product's shortcuts, a damaged package,
// the temp drive question, a disk set run from its copy, and the work folder left behind by none
// of them; the work folders are new, and a folder of the name already there is left alone.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BoxDriver.h"
#include "CodeSigning.h"
#include "StubRunner.h"
#include "sys/Folders.h"

namespace scenario {
namespace {

const std::string kEngineExe = testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH);
const char kWinExec[] = " ==== WinExec(Engine.exe) >>";

struct EngineSetup {
  int exitCode = 0;
  bool fail = false;
  int dialogMs = 0;
};

class SetupRun : public StubScenario {
 protected:
  void SetUp() override {
    StubScenario::SetUp();
    package_ = folder_ + "\\package";
    record_ = folder_ + "\\record.txt";
    ::CreateDirectoryA(package_.c_str(), nullptr);
    ASSERT_TRUE(testkit::CopyFileTo(kEngineExe, package_ + "\\Engine.exe"));
  }

  // A setup of the sample file and Engine.exe, which installs into folder_\installed and
  // records how it was called.
  std::string SetupWith(const EngineSetup& engine, std::vector<std::string> options = {},
                        const std::string& name = "Setup.exe") {
    const std::string ini = "[Engine]\r\nTargetDir=" + folder_ + "\\installed\r\nRecord=" + record_ +
                            "\r\nExitCode=" + std::to_string(engine.exitCode) +
                            "\r\nFail=" + (engine.fail ? "1" : "0") +
                            "\r\nDialogMs=" + std::to_string(engine.dialogMs) + "\r\n";
    EXPECT_TRUE(testkit::WriteWholeFile(package_ + "\\Engine.ini", ini));
    options.insert(options.end(), {"--dir", package_, "--run", "Engine.exe*/S"});
    return Pack(name, options);
  }

  // The engine's command line as it recorded it; empty when it never ran.
  std::string EngineCommandLine() const {
    const std::string text = testkit::ReadWholeFile(record_);
    const size_t start = text.find("CommandLine=");
    if (start == std::string::npos) return "";
    const size_t end = text.find_first_of("\r\n", start);
    return text.substr(start + 12, end - start - 12);
  }

  // Starts setup with args and reads the first box it shows; a null window when none came.
  HWND StartToBox(const std::string& setup, const std::string& args, testkit::Started& process,
                  testkit::BoxReport& report) {
    process = testkit::StartProcess("\"" + setup + "\"" + args, folder_);
    const HWND box = process ? testkit::WaitForBox(30000, process.pid) : nullptr;
    return box && testkit::ReadBox(box, report) ? box : nullptr;
  }

  static std::string WorkFolderOf(const std::string& commandLine) {
    return commandLine.substr(0, commandLine.find("\\Engine.exe"));
  }

  // The work folder that setup would take when nothing had that name: "SETUP_" and the time of
  // day of the file's last write, with number added.
  static std::string WorkFolderNamed(const std::string& setup, int add) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    WORD dosDate = 0, dosTime = 0;
    if (!::GetFileAttributesExA(setup.c_str(), GetFileExInfoStandard, &data) ||
        !::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !::FileTimeToDosDateTime(&local, &dosDate, &dosTime))
      return "";
    return sys::TempFolder(true) + "SETUP_" + std::to_string((dosTime + add) % 65536);
  }

  // Runs setup hidden; work receives its work folder from the engine's command line.
  StubRun RunForWorkFolder(const std::string& setup, std::string& work) {
    const StubRun run = Run(setup, "/hide", 60000);
    work = WorkFolderOf(EngineCommandLine());
    return run;
  }

  std::string package_, record_;
};

TEST_F(SetupRun, TheEngineGetsItsCommandLineAndTheStubEndsWithItsExitCode) {
  struct Case {
    const char* args;
    std::string before;  // the engine's arguments before /TH_ID=
    std::string after;   // and after the thread id
  };
  const std::string setup = SetupWith({7, false, 0});
  const std::string origin = " /OriginExe=\"" + setup + "\"";
  const Case cases[] = {
      {"/hide", " /hide /S", origin},
      // A stub started by a span copy already has the origin: it is not given twice.
      {"/hide /OriginExe=\"E:\\First.exe\"", " /hide /OriginExe=\"E:\\First.exe\" /S", ""},
      // The disk-set switches mean nothing to the engine.
      {"/hide /SpanCdLvl=1", " /hide /S", origin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    ::DeleteFileA(record_.c_str());
    const StubRun run = Run(setup, c.args, 30000);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(7u, run.exitCode);
    const std::string line = EngineCommandLine();
    const std::string work = WorkFolderOf(line);
    EXPECT_EQ(0u, work.find(sys::TempFolder(true) + "SETUP_")) << line;
    const std::string head = work + "\\Engine.exe" + c.before + " /TH_ID=_";
    ASSERT_EQ(0u, line.find(head)) << line;
    const size_t digits = line.find_first_not_of("0123456789", head.size());
    EXPECT_GT(digits, head.size()) << line;
    EXPECT_EQ(c.after, line.substr(digits == std::string::npos ? line.size() : digits)) << line;
    EXPECT_TRUE(run.Has(kWinExec + line + "<<")) << viewer_.Text();
    EXPECT_FALSE(testkit::PathExists(work)) << work;
    EXPECT_EQ("A file of the sample product.\r\n",
              testkit::ReadWholeFile(folder_ + "\\installed\\readme.txt"));
  }
}

TEST_F(SetupRun, AnAuthenticodeSignedSetupRunsAndInstalls) {
  const std::string setup = SetupWith({5, false, 0});
  const std::string signedSetup = folder_ + "\\Signed.exe";
  std::string why;
  ASSERT_TRUE(AuthenticodeSign(setup, signedSetup, why)) << why;
  ASSERT_GT(testkit::ReadWholeFile(signedSetup).size(), testkit::ReadWholeFile(setup).size());
  const StubRun run = Run(signedSetup, "/hide", 30000);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(5u, run.exitCode);
  EXPECT_TRUE(run.HasStart(kWinExec)) << viewer_.Text();
  EXPECT_EQ("A file of the sample product.\r\n",
            testkit::ReadWholeFile(folder_ + "\\installed\\readme.txt"));
}

TEST_F(SetupRun, ShortcutsGoOnlyAfterAnEngineThatSucceeded) {
  const std::string startUp = folder_ + "\\StartUp.lnk", check = folder_ + "\\Check.lnk";
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Product.original",
                                      "[UnInstall]\r\nStartUpLink=" + startUp +
                                          "\r\nCheckforNewUpdateLink=" + check + "\r\n"));
  ASSERT_TRUE(testkit::WriteWholeFile(
      folder_ + "\\Product.info",
      "[NewSetup]\r\nRemoveStartUpShortcut=1\r\nRemoveCheckForNewUpdateShortcut=0\r\n"));
  const std::vector<std::string> product = {"--info-file", "Product.info"};
  for (bool fail : {true, false}) {
    SCOPED_TRACE(fail ? "engine fails" : "engine succeeds");
    ASSERT_TRUE(testkit::WriteWholeFile(startUp, "link"));
    ASSERT_TRUE(testkit::WriteWholeFile(check, "link"));
    const StubRun run = Run(SetupWith({fail ? 3 : 0, fail, 0}, product), "/hide", 30000);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(fail ? 3u : 0u, run.exitCode);
    EXPECT_EQ(fail, testkit::PathExists(startUp));
    EXPECT_TRUE(testkit::PathExists(check));  // the .info file does not ask for this one
  }
}

TEST_F(SetupRun, ADamagedPackageShowsTheBadCrcBoxAndStartsNothing) {
  ASSERT_TRUE(testkit::WriteWholeFile(package_ + "\\big.txt", std::string(300000, 'z') + "end"));
  const std::string setup = SetupWith({5, false, 0}, {"--zlib"});
  std::string image = testkit::ReadWholeFile(setup);
  const size_t at = image.size() - 74 - 100;  // inside the last compressed entry
  image[at] = static_cast<char>(image[at] ^ 0x5A);
  ASSERT_TRUE(testkit::WriteWholeFile(setup, image));

  testkit::Started process;
  testkit::BoxReport report;
  const HWND box = StartToBox(setup, " /hide", process, report);
  ASSERT_TRUE(box != nullptr);
  EXPECT_NE(std::string::npos, report.text.find("Bad CRC!")) << report.Describe();
  EXPECT_NE(std::string::npos, report.text.find("might be corrupted...")) << report.Describe();
  EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK")));
  const StubRun run = Collect(process, setup, 30000);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_FALSE(run.HasStart(kWinExec));
  EXPECT_FALSE(testkit::PathExists(record_));
}

TEST_F(SetupRun, TheTempDriveNoticeAsksAndNoExtractsNothing) {
  const std::string setup = SetupWith({0, false, 0}, {"--notify-temp-drive"});
  testkit::Started process;
  testkit::BoxReport report;
  const HWND box = StartToBox(setup, "", process, report);
  ASSERT_TRUE(box != nullptr);
  const std::string drive = sys::TempFolder(false).substr(0, 2);
  EXPECT_NE(std::string::npos, report.text.find("will extract files to your Temp Drive (" + drive + ")"))
      << report.Describe();
  EXPECT_NE(std::string::npos, report.text.find("Estimated space required on your Temp drive is:"));
  EXPECT_NE(std::string::npos, report.text.find(" MB")) << report.Describe();
  EXPECT_NE(std::string::npos, report.text.find("Continue with Setup?"));
  EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click("No")));
  const StubRun declined = Collect(process, setup, 30000);
  ASSERT_TRUE(declined.ended);
  EXPECT_EQ(0u, declined.exitCode);
  EXPECT_FALSE(testkit::PathExists(record_));

  // Hidden, nothing is asked, the window never shows, and the engine runs.
  testkit::Started quiet = testkit::StartProcess("\"" + setup + "\" /hide", folder_);
  ASSERT_TRUE(quiet);
  bool windowSeen = false, shown = false;
  while (::WaitForSingleObject(quiet.process.Get(), 0) == WAIT_TIMEOUT) {
    const HWND wnd = ::FindWindowA(setup.c_str(), nullptr);  // a setup's class is its path
    windowSeen = windowSeen || wnd != nullptr;
    shown = shown || (wnd && ::IsWindowVisible(wnd));
    EXPECT_EQ(nullptr, testkit::WaitForBox(1, quiet.pid));
    testkit::PumpFor(50);  // the debug viewer of this process takes the stub's lines
  }
  EXPECT_TRUE(windowSeen);
  EXPECT_FALSE(shown);
  const StubRun hidden = Collect(quiet, setup, 30000);
  ASSERT_TRUE(hidden.ended);
  EXPECT_TRUE(hidden.HasStart(kWinExec));
  EXPECT_TRUE(testkit::PathExists(record_));
}

// The self-removal batch and the copy run after the started process has ended.
using testkit::BecomesTrue;

TEST_F(SetupRun, ADiskSetRunsFromItsCopyWhichRemovesItselfAndTheWorkFolder) {
  ASSERT_TRUE(testkit::WriteWholeFile(package_ + "\\disk2.bin", std::string(700000, 'd')));
  const std::string volumeSize = std::to_string(testkit::ReadWholeFile(kStubExe).size() + 300000);
  const std::string setup = SetupWith(
      {4, false, 0}, {"--span-cd-copy", "--store", "--volume-size", volumeSize}, "Disk\\Setup.exe");
  ASSERT_TRUE(testkit::PathExists(setup + ".002"));
  const StubRun launcher = Run(setup, "/hide", 30000);
  ASSERT_TRUE(launcher.ended);
  EXPECT_EQ(0u, launcher.exitCode);  // the copy carries on alone
  ASSERT_TRUE(BecomesTrue([this] { return !EngineCommandLine().empty(); })) << viewer_.Text();
  const std::string line = EngineCommandLine();
  EXPECT_NE(std::string::npos, line.find(" /OriginExe=\"" + setup + "\"")) << line;
  EXPECT_EQ(std::string::npos, line.find("/SpanCdLvl")) << line;
  EXPECT_EQ(std::string::npos, line.find("/SpanDiskFName1")) << line;
  const std::string work = WorkFolderOf(line);
  // The copy runs from the first stub's work folder and unpacks into a new one of its own.
  const std::string copyFolder = WorkFolderNamed(setup, 0);
  EXPECT_NE(copyFolder, work);
  EXPECT_TRUE(BecomesTrue([&] { return !testkit::PathExists(copyFolder + "\\Y_Setup.exe"); }));
  EXPECT_TRUE(BecomesTrue([&] { return !testkit::PathExists(copyFolder); })) << copyFolder;
  EXPECT_TRUE(BecomesTrue([&] { return !testkit::PathExists(work); })) << work;
  EXPECT_EQ(std::string(700000, 'd'), testkit::ReadWholeFile(folder_ + "\\installed\\disk2.bin"));
}

// The test run gives drive T: a small disk of its own; a setup whose temporary folder lies there
// must move to the roomiest of C, D and E for this run, and leave nothing on any drive.
class TemporaryFolderOnT {
 public:
  TemporaryFolderOnT() : temp_(Get("TEMP")), tmp_(Get("TMP")) {
    ::CreateDirectoryA("T:\\Temp", nullptr);
    ::SetEnvironmentVariableA("TEMP", "T:\\Temp");
    ::SetEnvironmentVariableA("TMP", "T:\\Temp");
  }
  ~TemporaryFolderOnT() {
    ::SetEnvironmentVariableA("TEMP", temp_.c_str());
    ::SetEnvironmentVariableA("TMP", tmp_.c_str());
  }

 private:
  static std::string Get(const char* name) {
    char value[MAX_PATH] = {};
    ::GetEnvironmentVariableA(name, value, sizeof value);
    return value;
  }
  std::string temp_, tmp_;
};

// Folders and files directly in C:\TEMP (or C:\ for a name beginning with "TEMP").
std::vector<std::string> Listing(const std::string& mask) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(mask.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
      names.push_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

bool HasSmallDriveT() {
  ULARGE_INTEGER freeOnT{};
  return ::GetDriveTypeA("T:\\") == DRIVE_FIXED &&
         ::GetDiskFreeSpaceExA("T:\\", &freeOnT, nullptr, nullptr) && freeOnT.QuadPart <= (64u << 20);
}

TEST_F(SetupRun, ASetupTooBigForTheTemporaryDriveMovesToARoomierOne) {
  if (!HasSmallDriveT()) GTEST_SKIP() << "no small drive T: in this Wine prefix";
  ASSERT_TRUE(testkit::WriteWholeFile(package_ + "\\zeros.bin", std::string(12u << 20, '\0')));
  const std::string setup = SetupWith({0, false, 0});
  const std::vector<std::string> rootBefore = Listing("C:\\TEMP*");
  const std::vector<std::string> tempBefore = Listing("C:\\TEMP\\*");
  StubRun run;
  {
    TemporaryFolderOnT onT;
    run = Run(setup, "/hide", 60000);
  }
  ASSERT_TRUE(run.ended);
  const std::string work = WorkFolderOf(EngineCommandLine());
  EXPECT_EQ(0u, work.find("C:\\TEMP")) << work;
  EXPECT_NE(std::string::npos, work.find("TEMP_")) << work;
  EXPECT_FALSE(testkit::PathExists(work)) << work;
  EXPECT_EQ(std::string(12u << 20, '\0'), testkit::ReadWholeFile(folder_ + "\\installed\\zeros.bin"));
  // No probe folder, probe file or work folder is left on C: (nor on T:).
  EXPECT_EQ(rootBefore, Listing("C:\\TEMP*"));
  EXPECT_EQ(tempBefore, Listing("C:\\TEMP\\*"));
  EXPECT_EQ(std::vector<std::string>(), Listing("T:\\Temp\\*"));
}

TEST_F(SetupRun, TheWorkFolderIsNewAndAFolderOfItsNameIsLeftAlone) {
  const std::string setup = SetupWith({0, false, 0});
  const std::string taken = WorkFolderNamed(setup, 0);
  ASSERT_FALSE(taken.empty());
  testkit::DeleteTree(taken);
  ASSERT_TRUE(::CreateDirectoryA(taken.c_str(), nullptr));
  // A planted engine and a stray file: neither may be written to, run or deleted.
  ASSERT_TRUE(testkit::WriteWholeFile(taken + "\\Engine.exe", "planted"));
  ASSERT_TRUE(testkit::WriteWholeFile(taken + "\\left.txt", "left"));
  std::string work;
  const StubRun run = RunForWorkFolder(setup, work);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(WorkFolderNamed(setup, 1), work);
  EXPECT_EQ("planted", testkit::ReadWholeFile(taken + "\\Engine.exe"));
  EXPECT_EQ("left", testkit::ReadWholeFile(taken + "\\left.txt"));
  EXPECT_FALSE(testkit::PathExists(work)) << work;
  EXPECT_EQ("A file of the sample product.\r\n",
            testkit::ReadWholeFile(folder_ + "\\installed\\readme.txt"));
  testkit::DeleteTree(taken);
}

// C:\TEMP may have been made by any user: the probe and the alternative work folder go into
// new folders inside it, and what was there stays.
TEST_F(SetupRun, TheAlternativeWorkFolderIsNewAndAnExistingTempFolderIsLeftAlone) {
  if (!HasSmallDriveT()) GTEST_SKIP() << "no small drive T: in this Wine prefix";
  ASSERT_TRUE(testkit::WriteWholeFile(package_ + "\\zeros.bin", std::string(12u << 20, '\0')));
  const std::string setup = SetupWith({0, false, 0});
  const bool hadTemp = testkit::PathExists("C:\\TEMP");
  if (!hadTemp) {
    ASSERT_TRUE(::CreateDirectoryA("C:\\TEMP", nullptr));
  }
  const std::string kept = "C:\\TEMP\\kept_" + std::to_string(::GetCurrentProcessId()) + ".txt";
  ASSERT_TRUE(testkit::WriteWholeFile(kept, "kept"));
  const std::vector<std::string> tempBefore = Listing("C:\\TEMP\\*");
  std::string work;
  StubRun run;
  {
    TemporaryFolderOnT onT;
    run = RunForWorkFolder(setup, work);
  }
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(0u, work.find("C:\\TEMP\\TEMP_")) << work;
  EXPECT_FALSE(testkit::PathExists(work)) << work;
  EXPECT_EQ("kept", testkit::ReadWholeFile(kept));
  EXPECT_EQ(tempBefore, Listing("C:\\TEMP\\*"));
  ::DeleteFileA(kept.c_str());
  if (!hadTemp) ::RemoveDirectoryA("C:\\TEMP");
}

TEST_F(SetupRun, ClosingTheWindowTwiceWhileTheEngineRunsStillRemovesTheWorkFolder) {
  const std::string setup = SetupWith({0, false, 4000});
  // Closed only once the engine runs: before that, the close would end the setup instead.
  const StubRun run = RunAndClose(setup, setup, "/hide", kWinExec,
                                  [this] { return !EngineCommandLine().empty(); });
  ASSERT_TRUE(run.ended);
  const std::string work = WorkFolderOf(EngineCommandLine());
  ASSERT_FALSE(work.empty());
  EXPECT_FALSE(testkit::PathExists(work)) << work;
}

}  // namespace
}  // namespace scenario
