// A running agent's control port: listener registration and notifications, the stop countdown,
// check requests, and the close requests, which leave a folder the agent did not make alone.
#include <gtest/gtest.h>

#include "AgentProbe.h"
#include "StubRunner.h"

namespace scenario {
namespace {

constexpr UINT kShutDown = 1123;
const std::vector<std::string> kAgent = {"--auto-update-agent", "--agent-exe", "Tool.exe",
                                         "--info-file", "Tool.info"};

class AgentControl : public StubScenario {
 protected:
  // Starts the agent "Other.exe" (an agent under a name that is neither the plain agent nor its
  // transient copy keeps its window and ticks until told to stop).
  HWND StartAgent(const std::string& args = "", std::vector<std::string> options = {}) {
    options.insert(options.end(), kAgent.begin(), kAgent.end());
    path_ = Pack("Other.exe", options);
    commandLine_ = "\"" + path_ + "\"" + (args.empty() ? "" : " " + args);
    process_ = testkit::StartProcess(commandLine_, folder_);
    EXPECT_TRUE(process_);
    return testkit::WaitForWindowClass(".AutoUpdate.Other", testkit::kPatienceMs);
  }
  StubRun WaitForEnd(unsigned timeoutMs = testkit::kPatienceMs) { return Collect(process_, commandLine_, timeoutMs); }
  void TearDown() override {
    if (process_ && ::WaitForSingleObject(process_.process.Get(), 0) == WAIT_TIMEOUT)
      ::TerminateProcess(process_.process.Get(), 9);
    StubScenario::TearDown();
  }
  bool HasLine(const std::string& text) {
    return !viewer_.LinesStartingWith(std::to_string(process_.pid) + text).empty();
  }
  bool WaitForLine(const std::string& text) {
    return testkit::BecomesTrue([&] { return HasLine(text); });
  }

  // The agent's tick count as its last " AutoUpdateTimerCount=" line says; 0 before any tick
  // of an agent started with "/SleepX=0".
  int LastTickCount() {
    int last = 0;
    const std::string prefix = std::to_string(process_.pid) + " AutoUpdateTimerCount=";
    for (const auto& line : viewer_.LinesStartingWith(prefix)) last = std::stoi(line.substr(prefix.size()));
    return last;
  }

  std::string path_, commandLine_;
  testkit::Started process_;
};

TEST_F(AgentControl, ListenerLearnsTheWindowAndMessageAndHearsTheEnd) {
  HWND agent = StartAgent();
  ASSERT_TRUE(agent);
  testkit::AgentProbe probe;
  probe.Register(agent);
  testkit::Notification n{};
  ASSERT_TRUE(probe.WaitFor(50, 5000, &n));
  EXPECT_EQ(reinterpret_cast<LPARAM>(agent), n.value);
  ASSERT_TRUE(probe.WaitFor(51, 5000, &n));
  EXPECT_EQ(1125, n.value);

  // A stop countdown of 0 ends the agent at its next tick; the listener hears that the loop ended.
  probe.Post(agent, kShutDown, 0, 0);
  const StubRun run = WaitForEnd();
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(0u, run.exitCode);
  ASSERT_TRUE(probe.WaitFor(43, 2000, &n));
  EXPECT_EQ(0, n.value);
  EXPECT_EQ(43u, probe.Received().back().code);
}

TEST_F(AgentControl, ListenerWithMessageNumberZeroIsStoredButNeverNotified) {
  HWND agent = StartAgent();
  ASSERT_TRUE(agent);
  testkit::AgentProbe probe;
  probe.Register(agent, 0);
  probe.Post(agent, kShutDown, 0, 0);
  ASSERT_TRUE(WaitForEnd().ended);
  testkit::PumpFor(300);
  EXPECT_TRUE(probe.Received().empty());
}

TEST_F(AgentControl, StopCountdownLetsTheGivenNumberOfTicksPass) {
  HWND agent = StartAgent("/SleepX=0");
  ASSERT_TRUE(agent);
  testkit::AgentProbe probe;
  const int before = LastTickCount();  // usually 0: no tick yet
  EXPECT_EQ(0, probe.Send(agent, 30, 2));
  const StubRun run = WaitForEnd();
  ASSERT_TRUE(run.ended);
  // Countdown 2: two ticks count it down, the third finds 0 and ends the agent.
  EXPECT_EQ(before + 3, LastTickCount()) << viewer_.Text();
}

TEST_F(AgentControl, CheckRequestMovesTheTickCountUpAndStatusReadsIdle) {
  HWND agent = StartAgent();
  ASSERT_TRUE(agent);
  testkit::AgentProbe probe;
  EXPECT_EQ(0, probe.Send(agent, 7, 0)) << "idle";
  EXPECT_EQ(0, probe.Send(agent, 31, 0));  // tick count -3 becomes 1, so the next tick says 2
  ASSERT_TRUE(WaitForLine(" AutoUpdateTimerCount=2")) << viewer_.Text();
  EXPECT_FALSE(HasLine(" AutoUpdateTimerCount=-2"));
  EXPECT_EQ(0, probe.Send(agent, 999, 5)) << "unknown commands answer 0";
}

TEST_F(AgentControl, SecondCloseEndsTheLoopAndLeavesAFolderOfTheWorkFolderNameAlone) {
  HWND agent = StartAgent();
  ASSERT_TRUE(agent);
  // The work folder is named after the time of day of the program file's last write. A folder
  // of that name that the agent did not make belongs to somebody else: closing leaves it.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(::GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data));
  FILETIME local{};
  WORD dosDate = 0, dosTime = 0;
  ::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  ::FileTimeToDosDateTime(&local, &dosDate, &dosTime);
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string work = std::string(temp) + "SETUP_" + std::to_string(dosTime);
  ::CreateDirectoryA(work.c_str(), nullptr);
  ASSERT_TRUE(testkit::WriteWholeFile(work + "\\left.txt", "x"));

  ::PostMessageA(agent, WM_CLOSE, 0, 0);
  testkit::PumpFor(1500);
  EXPECT_TRUE(::IsWindow(agent)) << "the first close request only stops a download";
  EXPECT_TRUE(testkit::PathExists(work));
  ::PostMessageA(agent, WM_CLOSE, 0, 0);
  const StubRun run = WaitForEnd();
  ASSERT_TRUE(run.ended);
  EXPECT_EQ("x", testkit::ReadWholeFile(work + "\\left.txt"));
  testkit::DeleteTree(work);
}

struct Child {
  std::string className;
  RECT rect;  // in the parent's client coordinates
  bool visible;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  char name[64];
  ::GetClassNameA(child, name, sizeof name);
  RECT r;
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  // The style, not IsWindowVisible: every child of the hidden main window is invisible.
  const bool visible = (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0;
  reinterpret_cast<std::vector<Child>*>(list)->push_back(Child{name, r, visible});
  return TRUE;
}

TEST_F(AgentControl, HiddenMainWindowCarriesCaptionLineAndTwoBars) {
  HWND agent = StartAgent();
  ASSERT_TRUE(agent);
  EXPECT_FALSE(::IsWindowVisible(agent));
  char title[128];
  ::GetWindowTextA(agent, title, sizeof title);
  EXPECT_STREQ("Karst Installation Suite", title);
  RECT frame;
  ::GetWindowRect(agent, &frame);
  EXPECT_EQ(492, frame.right - frame.left);
  EXPECT_EQ(110, frame.bottom - frame.top);
  RECT work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work.left + (work.right - work.left - 492) / 2, frame.left) << "centred in the work area";

  // The window is found as soon as it exists; its children are made while it is being created.
  std::vector<Child> children;
  for (int tries = 0; tries < 100 && children.size() < 3; ++tries) {
    testkit::PumpFor(50);
    children.clear();
    ::EnumChildWindows(agent, CollectChild, reinterpret_cast<LPARAM>(&children));
  }
  ASSERT_EQ(3u, children.size());
  const struct {
    const char* className;
    RECT rect;
    bool visible;
  } expected[] = {{"Static", {70, 20, 410, 38}, true},
                  {"msctls_progress32", {70, 38, 462, 51}, true},
                  {"msctls_progress32", {416, 20, 462, 33}, false}};
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STRCASEEQ(expected[i].className, children[i].className.c_str());
    EXPECT_EQ(expected[i].rect.left, children[i].rect.left);
    EXPECT_EQ(expected[i].rect.top, children[i].rect.top);
    EXPECT_EQ(expected[i].rect.right, children[i].rect.right);
    EXPECT_EQ(expected[i].rect.bottom, children[i].rect.bottom);
    EXPECT_EQ(expected[i].visible, children[i].visible);
  }
  testkit::AgentProbe().Send(agent, 30, 0);
  EXPECT_TRUE(WaitForEnd().ended);
}

std::string IniValue(const std::string& file, const char* key) {
  char buf[256];
  ::GetPrivateProfileStringA("OriginalSetup", key, "<absent>", buf, sizeof buf, file.c_str());
  return buf;
}

TEST_F(AgentControl, AgentCommandsReadAndWriteTheOriginalFile) {
  const std::string original = folder_ + "\\Tool.original";
  ASSERT_TRUE(testkit::WriteWholeFile(original,
                                      "[OriginalSetup]\r\nVersionOriginal=12\r\n"
                                      "ProbeSecondsInterval=86400\r\nReAskSecondsLast=46000\r\n"));
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\Tool.info", "[NewSetup]\r\nVersionNew=13\r\n"));
  HWND agent = StartAgent();
  ASSERT_TRUE(agent);
  testkit::AgentProbe probe;
  EXPECT_EQ(12, probe.Send(agent, 4, 0));
  EXPECT_EQ(13, probe.Send(agent, 5, 0));
  EXPECT_EQ(86400, probe.Send(agent, 8, 0));
  EXPECT_EQ(46000, probe.Send(agent, 11, 0));
  EXPECT_EQ(0, probe.Send(agent, 9, 0)) << "absent: its default";

  EXPECT_EQ(0, probe.Send(agent, 12, -1));
  EXPECT_EQ("-1", IniValue(original, "ProbeSecondsInterval"));
  EXPECT_EQ(-1, probe.Send(agent, 8, 0)) << "read again from the file";
  EXPECT_EQ(0, probe.Send(agent, 14, 46100));
  EXPECT_EQ("46100", IniValue(original, "ProbeSecondsLast"));
  EXPECT_NE("<absent>", IniValue(original, "__ProbeSecondsLast")) << "the readable copy";
  EXPECT_EQ("<absent>", IniValue(original, "__ReAskSecondsLast"));
  probe.Send(agent, 30, 0);
  EXPECT_TRUE(WaitForEnd().ended);
}

TEST_F(AgentControl, TitleComesFromTheLanguageData) {
  ASSERT_TRUE(testkit::WriteWholeFile(folder_ + "\\lang.ini",
                                      "[French]\r\ns0=Installation\r\n[English]\r\ns0=Demo Setup\r\n"));
  HWND agent = StartAgent("", {"--lang", folder_ + "\\lang.ini"});
  ASSERT_TRUE(agent);
  char title[128];
  ::GetWindowTextA(agent, title, sizeof title);
  EXPECT_STREQ("Demo Setup", title) << "Wine's locale here is English";
  testkit::AgentProbe().Send(agent, 30, 0);
  EXPECT_TRUE(WaitForEnd().ended);
}

}  // namespace
}  // namespace scenario
