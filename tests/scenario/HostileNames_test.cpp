// Packages whose names lead out of the work folder, run by the real stub.exe in code page 932
// (Japanese), where the second byte of a character can be a "\": an entry name that climbs one
// level higher than a byte-wise reading sees, and a run entry naming a system program. The stub
// shows its "Bad CRC!" box, starts nothing and writes nothing outside its work folder.
//
// Wine takes a process's code page from the Unix locale it was started in; a LANG handed over in
// the Windows environment of a child changes nothing. So the stub is started through /usr/bin/env
// as a Wine process of its own (same prefix and server) with LANG=ja_JP.UTF-8 and the locale that
// the test run generates into the build (LOCPATH), and is found again by its window class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxDriver.h"
#include "StubRunner.h"
#include "pack/PackFormat.h"
#include "sys/Folders.h"

namespace scenario {
namespace {

const std::string kEngineExe = testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH);
const char kLocaleDir[] = LOCALE_DIR_UNIX_PATH;
const char kWinExec[] = " ==== WinExec(Engine.exe) >>";

// A stored block of the entry stream: its negative length, then the entry text.
std::string StoredEntry(const std::string& nameList, const std::string& data) {
  const std::string text = nameList + std::string(1, '\0') + data;
  std::string block(4, '\0');
  pack::WriteLE32(reinterpret_cast<uint8_t*>(&block[0]),
                  static_cast<uint32_t>(-static_cast<int32_t>(text.size())));
  return block + text;
}

std::string Environment(const char* name) {
  char value[1024];
  const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

class HostileNames : public StubScenario {
 protected:
  void SetUp() override {
    StubScenario::SetUp();
    if (!testkit::PathExists(testkit::HostPathToWindows(std::string(kLocaleDir) +
                                                        "/ja_JP.UTF-8/LC_CTYPE")))
      GTEST_SKIP() << "no ja_JP.UTF-8 locale in " << kLocaleDir
                   << " (made by the test fixture locale_ja with localedef, package locales)";
    if (Environment("WINELOADER").empty()) GTEST_SKIP() << "WINELOADER names no Wine loader";
    package_ = folder_ + "\\package";
    record_ = folder_ + "\\record.txt";
    ::CreateDirectoryA(package_.c_str(), nullptr);
    ASSERT_TRUE(testkit::CopyFileTo(kEngineExe, package_ + "\\Engine.exe"));
    ASSERT_TRUE(testkit::WriteWholeFile(package_ + "\\Engine.ini",
                                        "[Engine]\r\nRecord=" + record_ + "\r\n"));
  }

  // A sound stored setup of Engine.exe, with the given blocks added after its entries.
  std::string SetupWith(const std::string& blocks) {
    const std::string setup =
        Pack("Setup.exe", {"--store", "--dir", package_, "--run", "Engine.exe*/S"});
    std::string image = testkit::ReadWholeFile(setup);
    EXPECT_EQ(image.size(), pack::ReadLE32(reinterpret_cast<const uint8_t*>(
                                &image[pack::kPackageEndLowOffset])))
        << "the package ends at the file's end";
    image.insert(image.size() - pack::kTrailerSize, blocks);
    // and still does, further out.
    pack::WriteLE32(reinterpret_cast<uint8_t*>(&image[pack::kPackageEndLowOffset]),
                    static_cast<uint32_t>(image.size()));
    EXPECT_TRUE(testkit::WriteWholeFile(setup, image));
    return setup;
  }

  // Starts setup in code page 932 and finds its process by its window class (its own path).
  testkit::Started Start932(const std::string& setup, const std::string& args) {
    std::string line = testkit::HostPathToWindows("/usr/bin/env") +
                       " LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 LOCPATH=" + kLocaleDir + " " +
                       Environment("WINELOADER") + " \"" + setup + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    testkit::Started started;
    // A Unix program: Wine runs it without a process handle to give back.
    EXPECT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 folder_.c_str(), &si, &pi))
        << line;
    const HWND window = testkit::WaitForWindowClass(setup, testkit::kPatienceMs);
    if (!window) return started;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    started.process.Reset(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    started.pid = pid;
    return started;
  }

  // Runs setup in code page 932 up to its damage box, answers it and waits for the end.
  StubRun RunToDamageBox(const std::string& setup) {
    testkit::Started process = Start932(setup, "/hide");
    EXPECT_TRUE(process) << "no stub window";
    if (!process) return StubRun();
    const HWND box = testkit::WaitForBox(testkit::kPatienceMs, process.pid);
    testkit::BoxReport report;
    EXPECT_TRUE(box && testkit::ReadBox(box, report)) << "no box\n" << viewer_.Text();
    EXPECT_NE(std::string::npos, report.text.find("Bad CRC!")) << report.Describe();
    if (box) {
      EXPECT_TRUE(testkit::AnswerBox(box, testkit::BoxAnswer::Click("OK")));
    }
    return Collect(process, setup, testkit::kPatienceMs);
  }

  // Runs setup to its "Bad CRC!" box and checks that it ended without starting anything.
  void ExpectDamageAndNothingStarted(const std::string& setup) {
    const StubRun run = RunToDamageBox(setup);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_FALSE(run.HasStart(kWinExec)) << viewer_.Text();
    EXPECT_FALSE(testkit::PathExists(record_));
  }

  std::string package_, record_;
};

TEST_F(HostileNames, TheStubAndItsEngineRunInCodePage932) {
  const std::string setup = SetupWith("");
  ASSERT_TRUE(static_cast<bool>(Start932(setup, "/hide"))) << "no stub window";
  // The stub removes its work folder before its window goes.
  ASSERT_TRUE(
      testkit::BecomesTrue([&] { return ::FindWindowA(setup.c_str(), nullptr) == nullptr; }));
  const std::string record = testkit::ReadWholeFile(record_);
  EXPECT_NE(std::string::npos, record.find("\r\nCodePage=932\r\n")) << record;
}

TEST_F(HostileNames, ANameWhose5CIsTheSecondByteOfACharacterIsDamage) {
  // In code page 932 "\x83\\" is one character: the name climbs from the work folder into the
  // temporary folder, where a byte-wise reading keeps it inside.
  const std::string name = "evil_" + std::to_string(::GetCurrentProcessId()) + ".txt";
  const std::string outside = sys::TempFolder(true) + name;
  ::DeleteFileA(outside.c_str());
  const std::string setup = SetupWith(StoredEntry("|\x83\\a\\..\\..\\" + name + "|", "evil"));
  ExpectDamageAndNothingStarted(setup);
  EXPECT_FALSE(testkit::PathExists(outside));
  ::DeleteFileA(outside.c_str());
}

TEST_F(HostileNames, ARunEntryNamingASystemProgramIsDamage) {
  // The "*" in a later item makes the whole name list the run entry: before the "*" it climbs
  // from the work folder to cmd.exe, which would write the marker into the current folder.
  const std::string marker = folder_ + "\\marker.txt";
  std::string climb;
  for (int i = 0; i < 12; ++i) climb += "..\\";
  const std::string setup = SetupWith(StoredEntry(
      ".a.0..\\" + climb + "windows\\system32\\cmd.exe */c echo escaped>marker.txt .", "a"));
  ExpectDamageAndNothingStarted(setup);
  EXPECT_FALSE(testkit::PathExists(marker));
}

}  // namespace
}  // namespace scenario
