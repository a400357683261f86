// An installed plain agent as the product starts it: it writes and starts its transient copy,
// hands its control switches on to the copy as window messages, and never opens a window.
#include <gtest/gtest.h>

#include <algorithm>

#include "AgentProbe.h"
#include "InstalledAgent.h"
#include "sys/ScopedHandle.h"

namespace scenario {
namespace {

const char kOriginal[] =
    "[OriginalSetup]\r\nVersionOriginal=1\r\nProbeSecondsInterval=-1\r\n"
    "[AutoUpdate]\r\nPROG_NAME=Tool\r\n";
const char kNewCopy[] = " CreateAndRun_X_Exe-2";

class AgentCopies : public InstalledAgent {
 protected:
  void SetUp() override {
    InstalledAgent::SetUp();
    Install(kOriginal);
  }

  // Starts the copy as the product does at its start and returns the copy's process id.
  uint32_t StartCopy(const std::string& args = "") {
    const StubRun plain = RunPlainAgent(args);
    EXPECT_TRUE(plain.ended);
    EXPECT_TRUE(plain.Has(kNewCopy)) << viewer_.Text();
    return ProcessOf(WaitForXCopy());
  }

  // The processes of the transient copy started so far, in order.
  std::vector<uint32_t> CopiesStarted() {
    std::vector<uint32_t> pids;
    for (const auto& line : viewer_.LinesStartingWith(""))
      if (line.find(" ==== STUB START ====>") != std::string::npos &&
          line.find("X_Tool.exe") != std::string::npos)
        pids.push_back(static_cast<uint32_t>(std::stoul(line)));
    return pids;
  }
};

TEST_F(AgentCopies, PlainAgentStartsTheCopyWhichAStopRequestEnds) {
  const uint32_t copy = StartCopy();
  ASSERT_NE(0u, copy) << viewer_.Text();
  EXPECT_TRUE(testkit::PathExists(xCopy_));
  EXPECT_EQ(nullptr, ::FindWindowA(".AutoUpdate.Tool", nullptr)) << "the plain agent has no window";

  // Started again while the copy runs: no second copy, and the copy quits at its next tick.
  const StubRun stop = RunPlainAgent("/STOP=0");
  ASSERT_TRUE(stop.ended);
  EXPECT_FALSE(stop.Has(kNewCopy));
  EXPECT_TRUE(WaitForProcessEnd(copy));
  EXPECT_EQ(1u, CopiesStarted().size());
  // The copy removes its own file once it has ended.
  EXPECT_TRUE(testkit::GoneWithin(xCopy_)) << viewer_.Text();
  EXPECT_TRUE(testkit::PathExists(agent_));
}

TEST_F(AgentCopies, ListenerSwitchRegistersTheProductsWindow) {
  testkit::AgentProbe probe;
  const std::string listener = std::to_string(reinterpret_cast<uintptr_t>(probe.Window())) + ":" +
                               std::to_string(testkit::AgentProbe::kListenerMsg);
  const uint32_t copy = StartCopy("/WM_MSG=" + listener);
  ASSERT_NE(0u, copy);
  testkit::Notification n{};
  ASSERT_TRUE(probe.WaitFor(50, testkit::kPatienceMs, &n)) << viewer_.Text();
  EXPECT_EQ(reinterpret_cast<LPARAM>(WaitForXCopy()), n.value);
  ASSERT_TRUE(probe.WaitFor(51, testkit::kPatienceMs, &n));
  EXPECT_EQ(1125, n.value);
}

TEST_F(AgentCopies, TestCheckStartsACopyThatChecksAndQuitsAfterItsCountdown) {
  const uint32_t copy = StartCopy("/TEST=1");
  ASSERT_NE(0u, copy);
  // The check request moves the tick count from -3 up to 1, so the next tick counts 2.
  EXPECT_TRUE(WaitForLineOf(copy, " AutoUpdateTimerCount=2")) << viewer_.Text();
  EXPECT_TRUE(WaitForProcessEnd(copy)) << "the countdown of a copy started for a test";
  const auto lines = LinesOf(copy);
  EXPECT_EQ(lines.end(), std::find(lines.begin(), lines.end(), " AutoUpdateTimerCount=-2"));
}

TEST_F(AgentCopies, TestCheckOnARunningCopyOnlyAsksForTheCheck) {
  const uint32_t copy = StartCopy();
  ASSERT_NE(0u, copy);
  ASSERT_TRUE(RunPlainAgent("/TEST=1").ended);
  EXPECT_TRUE(WaitForLineOf(copy, " AutoUpdateTimerCount=2")) << viewer_.Text();
  // Three more ticks: a countdown of 2 would have ended the copy by now.
  EXPECT_TRUE(WaitForLineOf(copy, " AutoUpdateTimerCount=5"));
  EXPECT_TRUE(::IsWindow(WaitForXCopy()));
}

TEST_F(AgentCopies, RestartSwitchMakesANewCopyEvenWhileOneRuns) {
  const uint32_t copy = StartCopy();
  ASSERT_NE(0u, copy);
  ASSERT_TRUE(RunPlainAgent("").ended);
  EXPECT_EQ(1u, CopiesStarted().size()) << "no second copy without /_ZZ=99";

  const StubRun restart = RunPlainAgent("/_ZZ=99");
  ASSERT_TRUE(restart.ended);
  EXPECT_TRUE(restart.Has(kNewCopy));
  // The running copy's file cannot be written over, and what is there is not started again:
  // the first copy goes on alone.
  EXPECT_NE(std::string::npos, AgentLog().find("X_ File not written, not started")) << AgentLog();
  EXPECT_EQ(1u, CopiesStarted().size()) << viewer_.Text();
  EXPECT_EQ(copy, ProcessOf(WaitForXCopy()));
}

TEST_F(AgentCopies, OverrideListReachesTheCopysFlags) {
  const uint32_t copy = StartCopy("/TRANSIENT=|1|0|255|255|255|255|255|7|");
  ASSERT_NE(0u, copy);
  EXPECT_TRUE(WaitForLineOf(copy, " TransientFlags=|1|0|255|255|255|255|255|7|")) << viewer_.Text();
}

TEST_F(AgentCopies, AnXFileThatCannotBeReplacedIsNotStarted) {
  // An older copy is left behind, and something holds it open without letting anybody write:
  // the plain agent cannot write the running file over it.
  ASSERT_TRUE(testkit::CopyFileTo(agent_, xCopy_));
  const sys::ScopedKernelHandle held(::CreateFileA(xCopy_.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  // A switch to forward makes the plain agent wait for the window of a copy it has started.
  const StubRun plain = RunPlainAgent("/TEST=1");
  ASSERT_TRUE(plain.ended);
  EXPECT_TRUE(plain.Has(kNewCopy)) << viewer_.Text();
  EXPECT_EQ(nullptr, ::FindWindowA(kXCopyClass, nullptr)) << "the old copy runs";
  EXPECT_TRUE(CopiesStarted().empty()) << viewer_.Text();
  EXPECT_NE(std::string::npos, AgentLog().find("X_ File not written, not started")) << AgentLog();
}

}  // namespace
}  // namespace scenario
