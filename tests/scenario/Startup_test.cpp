// Start-up of the real stub.exe: its console lines, its run mode picked from trailer, file name
// and switches, the single-instance lock and the debug log.
#include <gtest/gtest.h>

#include "StubRunner.h"
#include "pack/GFileInfo.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

#include <tlhelp32.h>

namespace scenario {
namespace {

const std::vector<std::string> kAgent = {"--auto-update-agent", "--agent-exe", "Tool.exe"};

std::vector<std::string> With(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

using Startup = StubScenario;

TEST_F(Startup, SetupStubWritesItsStartAndEndLinesAroundTheSetupRun) {
  const std::string setup = Pack("Setup.exe", {});
  const StubRun run = Run(setup, "/hide /Custom=a b");
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(0u, run.exitCode);
  // Without a program to run the setup run extracts and ends without a line of its own.
  ASSERT_EQ(3u, run.lines.size()) << viewer_.Text();
  EXPECT_EQ(" ==== STUB START ====> " + run.commandLine + "<", run.lines[0]);
  EXPECT_EQ(" ==== ThisIs_AutoUpdateProg=FALSE", run.lines[1]);
  EXPECT_EQ(" ==== STUB END ====> " + run.commandLine + "<", run.lines[2]);
  EXPECT_NE(std::string::npos, viewer_.Text().find("========= ForegroundOp=FALSE =========="));
  // A setup stub never writes a debug log.
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\X_Setup.log"));
}

struct ModeCase {
  const char* what;
  const char* fileName;
  std::vector<std::string> options;
  const char* args;
  const char* windowClass;  // the process keeps running until closed; empty: ends by itself
  std::vector<std::string> expected;
  std::vector<std::string> absent;
  bool runsSetup = false;        // extracts its package (the run's console shows it)
  bool removesItself = false;    // the file is gone after the process ended
  bool removesFolder = false;    // ... and its folder with it
};

const ModeCase kModes[] = {
    {"setup stub", "Setup.exe", {}, "/hide", "", {}, {}, true},
    {"disk set relaunches itself",
     "Disk.exe", {"--span-cd-copy"}, "/hide", "", {}, {}, false},
    // The first volume (Y_Disk.exe.001) stays beside it, and so does the folder.
    {"disk set copy runs the setup and removes itself",
     "work1\\Y_Disk.exe", {"--span-cd-copy"}, "/SpanCdLvl=2 /hide", "", {}, {}, true, true, false},
    {"span copy switch without the flag still removes itself",
     "work2\\Y_Plain.exe", {}, "/SpanCdLvl=2 /hide", "", {}, {}, true, true, true},
    {"plain agent starts its transient copy and forwards switches",
     "Tool.exe", kAgent, "/STOP=1", "",
     {" ==== ThisIs_AutoUpdateProg=TRUE", " CreateAndRun_X_Exe-1 ", " CreateAndRun_X_Exe-2"}, {}},
    {"transient agent checks test mode, runs its window and removes itself",
     "X_Tool.exe", kAgent, "", ".AutoUpdate.X_Tool",
     {" AutoUpdateTimerCount=-2"}, {" CreateAndRun_X_Exe-1 "}, false, true, false},
    {"agent under another name runs its window and stays",
     "Other.exe", kAgent, "", ".AutoUpdate.Other",
     {" AutoUpdateTimerCount=-2"}, {" CreateAndRun_X_Exe-1 "}},
    {"X_ name without the agent flag is a setup stub",
     "X_Tool.exe", {"--agent-exe", "Tool.exe"}, "/hide", "",
     {" ==== ThisIs_AutoUpdateProg=FALSE"}, {" AutoUpdateTimerCount=-2"}, true},
};

using testkit::GoneWithin;

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

// Whether the console shows the end of a span copy (its command line carries "/SpanCdLvl=2").
bool SpanCopyEnded(const std::string& console) {
  const std::string end = " ==== STUB END ====> ";
  for (size_t at = console.find(end); at != std::string::npos; at = console.find(end, at + 1)) {
    const size_t lineEnd = console.find('\n', at);
    if (console.substr(at, lineEnd - at).find("/SpanCdLvl=2") != std::string::npos) return true;
  }
  return false;
}

TEST_F(Startup, PicksTheRunModeFromTrailerNameAndSwitches) {
  for (const ModeCase& c : kModes) {
    SCOPED_TRACE(c.what);
    viewer_.Clear();
    const std::string path = Pack(c.fileName, c.options);
    const StubRun run = *c.windowClass
                            ? RunAndClose(path, c.windowClass, c.args, " AutoUpdateTimerCount=-2")
                            : Run(path, c.args);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(0u, run.exitCode);
    for (const auto& line : c.expected) EXPECT_TRUE(run.Has(line)) << line << "\n" << viewer_.Text();
    for (const auto& line : c.absent) EXPECT_FALSE(run.Has(line)) << line;
    const bool relaunched = run.HasStart(" RunSpanCopy >>");
    EXPECT_EQ(std::string(c.what) == "disk set relaunches itself", relaunched) << viewer_.Text();
    if (!relaunched) {
      EXPECT_EQ(c.runsSetup, viewer_.Text().find("========= ForegroundOp=") != std::string::npos)
          << viewer_.Text();
    } else {
      // The copy carries on alone and ends by writing and starting the self-removal batch, whose
      // name every stub shares: the next case starts only after that batch has done its work.
      EXPECT_TRUE(testkit::BecomesTrue([&] { return SpanCopyEnded(viewer_.Text()); }))
          << viewer_.Text();
      EXPECT_TRUE(GoneWithin(testkit::SelfRemovalBatchPath()));
    }
    if (c.removesItself) {
      // The self-removal batch runs after the process has ended, and deletes itself last.
      EXPECT_TRUE(GoneWithin(path)) << path;
      EXPECT_TRUE(GoneWithin(testkit::SelfRemovalBatchPath()));
      EXPECT_EQ(c.removesFolder, !testkit::PathExists(FolderOf(path)));
    } else {
      testkit::PumpFor(300);
      EXPECT_TRUE(testkit::PathExists(path)) << path;
    }
    // A transient copy started by a plain agent quits on the forwarded stop and removes itself.
    if (run.Has(" CreateAndRun_X_Exe-2")) {
      EXPECT_TRUE(GoneWithin(FolderOf(path) + "\\X_Tool.exe"));
    }
  }
}

// The full path of the module a process loaded under the given file name, or "".
std::string LoadedModulePath(uint32_t pid, const std::string& fileName) {
  sys::ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
  if (!snapshot) return "";
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  for (BOOL more = ::Module32First(snapshot.Get(), &module); more;
       more = ::Module32Next(snapshot.Get(), &module)) {
    if (::lstrcmpiA(module.szModule, fileName.c_str()) == 0) return module.szExePath;
  }
  return "";
}

// The manifest asks for version 6 of the common controls; one that names another processor than
// the program's own gets the old version without a word.
TEST_F(Startup, RunningStubUsesVersionSixOfTheCommonControls) {
  const std::string path = Pack("Other.exe", kAgent);
  testkit::Started process = testkit::StartProcess("\"" + path + "\"", folder_);
  ASSERT_TRUE(process);
  HWND wnd = testkit::WaitForWindowClass(".AutoUpdate.Other", testkit::kPatienceMs);
  ASSERT_TRUE(wnd != nullptr);
  // Version 6 is a side-by-side assembly of the program's own processor.
  const std::string assembly = std::string(sizeof(void*) == 8 ? "amd64" : "x86") +
                               "_microsoft.windows.common-controls_6595b64144ccf1df_6.";
  std::string comctl = LoadedModulePath(process.pid, "comctl32.dll");
  for (char& c : comctl) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(std::string::npos, comctl.find("\\winsxs\\" + assembly)) << comctl;
  CloseTwice(wnd);
  EXPECT_TRUE(Collect(process, path, testkit::kPatienceMs).ended);
}

// Holds a window of a given class, as a running instance of a stub would.
class ClassHolder {
 public:
  explicit ClassHolder(const std::string& className) : name_(className) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = name_.c_str();
    ::RegisterClassA(&wc);
    wnd_ = ::CreateWindowExA(0, name_.c_str(), "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
  }
  ~ClassHolder() {
    ::DestroyWindow(wnd_);
    ::UnregisterClassA(name_.c_str(), ::GetModuleHandleA(nullptr));
  }
  bool Ok() const { return wnd_ != nullptr; }

 private:
  std::string name_;
  HWND wnd_;
};

TEST_F(Startup, SecondInstanceOfTheSameSetupPathEndsSilently) {
  const std::string setup = Pack("Setup.exe", {});
  const std::string other = Pack("Other Setup.exe", {});
  ClassHolder running(setup);  // the class of a setup stub is its full path
  ASSERT_TRUE(running.Ok());
  const StubRun second = Run(setup);
  ASSERT_TRUE(second.ended);
  EXPECT_EQ(0u, second.exitCode);
  EXPECT_EQ(3u, second.lines.size()) << viewer_.Text();
  EXPECT_EQ(std::string::npos, viewer_.Text().find("========= ForegroundOp="));
  // A setup file with another path runs side by side.
  EXPECT_EQ(3u, Run(other, "/hide").lines.size()) << viewer_.Text();
  EXPECT_NE(std::string::npos, viewer_.Text().find("========= ForegroundOp="));
}

TEST_F(Startup, SecondTransientAgentEndsSilentlyAndThePlainAgentStillForwards) {
  const std::string xAgent = Pack("X_Tool.exe", kAgent);
  const std::string plain = Pack("Tool.exe", kAgent);
  testkit::Started first = testkit::StartProcess("\"" + xAgent + "\"", folder_);
  ASSERT_TRUE(first);
  ASSERT_TRUE(testkit::WaitForWindowClass(".AutoUpdate.X_Tool", testkit::kPatienceMs));

  const StubRun second = Run(xAgent);
  ASSERT_TRUE(second.ended);
  EXPECT_FALSE(second.HasStart(" AutoUpdateTimerCount="));
  testkit::PumpFor(500);
  EXPECT_TRUE(testkit::PathExists(xAgent)) << "the second copy does not remove the running one";

  // The plain agent starts no second copy and hands its stop on to the running one.
  const StubRun forward = Run(plain, "/STOP=1");
  EXPECT_TRUE(forward.Has(" CreateAndRun_X_Exe-1 ")) << viewer_.Text();
  EXPECT_FALSE(forward.Has(" CreateAndRun_X_Exe-2"));
  const StubRun firstRun = Collect(first, "", testkit::kPatienceMs);
  EXPECT_TRUE(firstRun.ended);
  EXPECT_TRUE(GoneWithin(xAgent));
}

TEST_F(Startup, AgentWritesItsDebugLogOnlyWhenItsPackageAsks) {
  const std::string plain = Pack("Tool.exe", With(kAgent, {"--agent-debug-log"}));
  const StubRun run = Run(plain, "/STOP=0");  // the copy it starts quits at once
  ASSERT_TRUE(run.ended);
  ASSERT_TRUE(GoneWithin(folder_ + "\\X_Tool.exe"));
  const std::string log = testkit::ReadWholeFile(folder_ + "\\X_Tool.log");
  for (const std::string& text : std::vector<std::string>{
           "   \r\n", "   === START === " + plain + "\r\n", "   CommandLine=" + run.commandLine + "\r\n",
        std::string("   Agent Version=1.0.0.1\r\n"), std::string("   DoRunStubWin() --- Start\r\n"),
        std::string("   X_ExeIsRunning=FALSE\r\n"), std::string("   ThisIs_Plain_AutoUpdate_Exe=TRUE\r\n"),
        std::string("   ThisIs_X_AutoUpdate_Exe=FALSE\r\n"), std::string("   DoRunStubWin() --- End\r\n"),
        "   === EXIT === " + plain + "\r\n"})
    EXPECT_NE(std::string::npos, log.find(text)) << text << "\n" << log;

  // The transient copy marks its lines with " X " in the same file.
  const std::string xAgent = Pack("X_Tool.exe", With(kAgent, {"--agent-debug-log"}));
  RunAndClose(xAgent, ".AutoUpdate.X_Tool");
  const std::string both = testkit::ReadWholeFile(folder_ + "\\X_Tool.log");
  EXPECT_NE(std::string::npos, both.find(" X === START === " + xAgent + "\r\n")) << both;
  EXPECT_NE(std::string::npos, both.find(" X ThisIs_X_AutoUpdate_Exe=TRUE\r\n"));

  // Without the flag, or without the agent flag, no log is created or touched.
  const std::string quiet = Pack("Quiet.exe", {"--auto-update-agent", "--agent-exe", "Quiet.exe"});
  Run(quiet, "/STOP=0");
  EXPECT_TRUE(GoneWithin(folder_ + "\\X_Quiet.exe"));
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\X_Quiet.log"));
  const std::string setup = Pack("Setup.exe", {"--agent-debug-log"});
  Run(setup);
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\X_Setup.log"));
}

TEST_F(Startup, SignedStubWithPackageEndStillRunsAndFindsItsTrailer) {
  const std::string signed_ = Pack("Tool.exe", With(kAgent, {"--signature-tail", "600"}));
  pack::FileSource file(signed_);
  ASSERT_TRUE(TGFileInfo::IsPEFile(file));
  EXPECT_NE(0u, TGFileInfo::ReadPackageEnd(file));
  const StubRun run = Run(signed_, "/STOP=0");
  ASSERT_TRUE(run.ended);
  EXPECT_TRUE(run.Has(" ==== ThisIs_AutoUpdateProg=TRUE")) << viewer_.Text();
  EXPECT_TRUE(run.Has(" CreateAndRun_X_Exe-2"));
  EXPECT_TRUE(GoneWithin(folder_ + "\\X_Tool.exe")) << "the copy quit and removed itself";
}

}  // namespace
}  // namespace scenario
