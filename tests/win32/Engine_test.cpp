// Engine.exe, run as the stub runs it: from a work folder holding the extracted package and its
// Engine.ini, with the success atom added first. Observed from outside: the installed files, the
// atom, the exit code, the record file and the dialog window left behind.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EngineSettings.h"
#include "Processes.h"
#include "sys/IniFile.h"
#include "sys/ScopedHandle.h"

namespace {

// Files of a package as the stub extracts them, agent copy included.
const std::vector<std::pair<std::string, std::string>> kPackedFiles = {
    {"readme.txt", "installed by the engine\r\n"},
    {"sub\\data.bin", std::string("\0\1\2\3binary", 10)},
    {"sub\\deeper\\notes.txt", "deep\r\n"},
    {"MyApp.exe", "MZ agent copy"},
    {"MyApp.original", "[OriginalSetup]\r\nVersionOriginal=3\r\n"},
};

// The atom a stub adds before it starts the engine; removed here when the engine left it.
class SuccessAtom {
 public:
  explicit SuccessAtom(const std::string& token)
      : name_(engine::SuccessAtomName(token)), atom_(::GlobalAddAtomA(name_.c_str())) {}
  ~SuccessAtom() {
    if (!Exists()) atom_.Take();  // the engine deleted it; the number may already be reused
  }
  bool Exists() const { return ::GlobalFindAtomA(name_.c_str()) != 0; }

 private:
  std::string name_;
  sys::ScopedGlobalAtom atom_;
};

std::string UniqueToken(const std::string& tag) {
  static unsigned counter = 0;
  return "_" + tag + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

class EngineRun : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = testkit::MakeScratchFolder("engine_work");
    root_ = testkit::MakeScratchFolder("engine_target");
    target_ = root_ + "\\installed\\app";
    ASSERT_TRUE(testkit::CopyFileTo(testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH), Engine()));
    PackFiles(work_, kPackedFiles);
  }
  void TearDown() override {
    testkit::DeleteTree(work_);
    testkit::DeleteTree(root_);
  }

  static void PackFiles(const std::string& folder,
                        const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& file : files) {
      const std::string path = folder + "\\" + file.first;
      for (size_t slash = path.find('\\', folder.size() + 1); slash != std::string::npos;
           slash = path.find('\\', slash + 1))
        ::CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
      ASSERT_TRUE(testkit::WriteWholeFile(path, file.second)) << path;
    }
  }

  std::string Engine() const { return work_ + "\\Engine.exe"; }
  void Configure(const std::string& keys) const {
    ASSERT_TRUE(testkit::WriteWholeFile(work_ + "\\Engine.ini", "[Engine]\r\n" + keys));
  }
  std::string CommandLine(const std::string& tail) const {
    return "\"" + Engine() + "\" " + tail;
  }
  // The exit code; -1 when the engine did not start or end.
  int64_t Run(const std::string& tail, const std::string& folder = "") const {
    testkit::Started engine = testkit::StartProcess(CommandLine(tail), folder);
    uint32_t code = 0;
    if (!engine || !testkit::WaitForExit(engine, 30000, code)) return -1;
    return code;
  }
  // What the stub appends behind the package's own arguments.
  static std::string StubSwitches(const std::string& token) {
    return "/TH_ID=" + token + " /OriginExe=\"C:\\My Setups\\Setup.exe\" /AutoUpdateProg";
  }

  std::string work_, root_, target_;
};

TEST_F(EngineRun, InstallsEveryPackedFileButItselfAndItsConfiguration) {
  ::SetEnvironmentVariableA("ENGINE_TEST_ROOT", root_.c_str());
  Configure("TargetDir=%ENGINE_TEST_ROOT%\\installed\\app\r\nOriginalFile=MyApp.original\r\n");
  const std::string token = UniqueToken("i");
  SuccessAtom atom(token);
  const int64_t code = Run("/S " + StubSwitches(token));
  ::SetEnvironmentVariableA("ENGINE_TEST_ROOT", nullptr);

  EXPECT_EQ(0, code);
  EXPECT_FALSE(atom.Exists()) << "success is reported by deleting the atom";
  for (const auto& file : kPackedFiles) {
    if (file.first == "MyApp.original") continue;  // one key was added, checked below
    EXPECT_EQ(file.second, testkit::ReadWholeFile(target_ + "\\" + file.first)) << file.first;
  }
  EXPECT_FALSE(testkit::PathExists(target_ + "\\Engine.exe"));
  EXPECT_FALSE(testkit::PathExists(target_ + "\\Engine.ini"));
  const std::string original = target_ + "\\MyApp.original";
  EXPECT_EQ("3", sys::ReadIniString(original, "OriginalSetup", "VersionOriginal", ""));
  EXPECT_EQ(target_, sys::ReadIniString(original, "Directories", "TargetDir", ""));
}

// An update package carries no .original: the installed one, with what the agent wrote into it,
// stays, and the agent copy and the product's files are replaced.
TEST_F(EngineRun, UpdateReplacesFilesAndKeepsTheInstalledOriginal) {
  Configure("TargetDir=" + target_ + "\r\nOriginalFile=MyApp.original\r\n");
  ASSERT_EQ(0, Run(StubSwitches(UniqueToken("u"))));
  const std::string original = target_ + "\\MyApp.original";
  ASSERT_TRUE(sys::WriteIniString(original, "OriginalSetup", "Stamp", "9"));

  testkit::DeleteTree(work_);
  ::CreateDirectoryA(work_.c_str(), nullptr);
  ASSERT_TRUE(testkit::CopyFileTo(testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH), Engine()));
  PackFiles(work_, {{"readme.txt", "version 2\r\n"}, {"MyApp.exe", "MZ agent copy 2"}});
  Configure("TargetDir=" + target_ + "\r\nOriginalFile=MyApp.original\r\n");
  const std::string token = UniqueToken("u");
  SuccessAtom atom(token);
  EXPECT_EQ(0, Run(StubSwitches(token) + " /OriginalInfoFile=\"" + original + "\""));

  EXPECT_FALSE(atom.Exists());
  EXPECT_EQ("version 2\r\n", testkit::ReadWholeFile(target_ + "\\readme.txt"));
  EXPECT_EQ("MZ agent copy 2", testkit::ReadWholeFile(target_ + "\\MyApp.exe"));
  EXPECT_EQ("deep\r\n", testkit::ReadWholeFile(target_ + "\\sub\\deeper\\notes.txt"));
  EXPECT_EQ("9", sys::ReadIniString(original, "OriginalSetup", "Stamp", ""));
  EXPECT_EQ("3", sys::ReadIniString(original, "OriginalSetup", "VersionOriginal", ""));
  EXPECT_EQ(target_, sys::ReadIniString(original, "Directories", "TargetDir", ""));
}

TEST_F(EngineRun, ExitCodeAndAtomFollowConfigurationAndSwitches) {
  const std::string aFile = root_ + "\\not-a-folder";
  ASSERT_TRUE(testkit::WriteWholeFile(aFile, "x"));
  struct Case {
    const char* what;
    std::string keys;
    std::string tail;
    int64_t exitCode;
    bool atomKept;
  } cases[] = {
      {"nothing configured succeeds with 0", "", "", 0, false},
      {"success with a chosen code", "ExitCode=3\r\n", "", 3, false},
      {"failure on purpose", "Fail=1\r\nExitCode=2\r\n", "", 2, true},
      {"switches win over keys", "ExitCode=5\r\n", "/ExitCode=7 /Fail", 7, true},
      {"a target that cannot be made fails with 1",
       "TargetDir=" + aFile + "\\app\r\nExitCode=4\r\n", "", 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Configure(c.keys);
    const std::string token = UniqueToken("o");
    SuccessAtom atom(token);
    EXPECT_EQ(c.exitCode, Run(c.tail + " " + StubSwitches(token)));
    EXPECT_EQ(c.atomKept, atom.Exists());
  }
}

TEST_F(EngineRun, RecordsCommandLineCurrentFolderAndCodePageOnceARun) {
  Configure("Record=runs.txt\r\n");  // relative: taken from the current folder
  const std::string first = "/first " + StubSwitches(UniqueToken("r"));
  const std::string second = "/second /Record=\"" + root_ + "\\runs.txt\"";
  ASSERT_EQ(0, Run(first, root_));
  ASSERT_EQ(0, Run(second, work_));

  const std::string codePage = "CodePage=" + std::to_string(::GetACP()) + "\r\n";
  EXPECT_EQ("CommandLine=" + CommandLine(first) + "\r\nCurrentFolder=" + root_ + "\r\n" +
                codePage + "CommandLine=" + CommandLine(second) + "\r\nCurrentFolder=" + work_ +
                "\r\n" + codePage,
            testkit::ReadWholeFile(root_ + "\\runs.txt"));
}

TEST_F(EngineRun, DialogOutlivesTheEngineUntilItsTimeIsUp) {
  for (const char* dialogMs : {"0", "1500"}) {
    SCOPED_TRACE(std::string("DialogMs=") + dialogMs);
    Configure(std::string("DialogMs=") + dialogMs + "\r\n");
    const std::string token = UniqueToken("d");
    const std::string dialogClass = engine::DialogClassName(token);
    SuccessAtom atom(token);
    ASSERT_EQ(0, Run(StubSwitches(token)));
    EXPECT_FALSE(atom.Exists());

    if (std::string(dialogMs) == "0") {
      EXPECT_EQ(nullptr, ::FindWindowA(dialogClass.c_str(), nullptr));
      continue;
    }
    EXPECT_NE(nullptr, ::FindWindowA(dialogClass.c_str(), nullptr))
        << "the window must be there once the engine has ended";
    for (int i = 0; i < 300 && ::FindWindowA(dialogClass.c_str(), nullptr); ++i)
      testkit::PumpFor(100);
    EXPECT_EQ(nullptr, ::FindWindowA(dialogClass.c_str(), nullptr)) << "the window never went";
  }
}

}  // namespace
