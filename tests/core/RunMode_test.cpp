#include "stub/RunMode.h"

#include <gtest/gtest.h>

#include "sys/DateText.h"
#include "sys/LogFormat.h"

namespace {

using stubwin::Branch;

TEST(RunMode, ClassNames) {
  EXPECT_EQ("C:\\Setups\\My Setup.exe", stubwin::StubClassNameFor(false, "C:\\Setups\\My Setup.exe"));
  EXPECT_EQ(".AutoUpdate.X_Tool.Agent", stubwin::StubClassNameFor(true, "C:\\p\\X_Tool.Agent.exe"));
  EXPECT_EQ(".AutoUpdate.Tool", stubwin::StubClassNameFor(true, "C:\\p\\Tool.exe"));
  EXPECT_EQ(".AutoUpdate.X_Tool.Agent", stubwin::XAgentClassName("Tool.Agent.exe"));
}

TEST(RunMode, AgentNamesCompareTrimmedWithoutCase) {
  EXPECT_TRUE(stubwin::IsPlainAgentName("TOOL.exe", " tool.EXE "));
  EXPECT_TRUE(stubwin::IsXAgentName("x_tool.exe", "Tool.exe"));
  EXPECT_FALSE(stubwin::IsXAgentName("Tool.exe", "Tool.exe"));
  EXPECT_FALSE(stubwin::IsPlainAgentName("X_Tool.exe", "Tool.exe"));
  EXPECT_FALSE(stubwin::IsPlainAgentName("Tool.exe", ""));
}

struct PlanCase {
  const char* what;
  bool agent;
  const char* path;
  bool spanFlag;
  int64_t spanLvl;
  bool running;
  Branch branch;
  bool selfDelete, selfDeleteFolder, handleParamOK;
};

const PlanCase kPlans[] = {
    {"setup stub", false, "C:\\d\\Setup.exe", false, 1, false, Branch::MainWindow, false, false, false},
    {"setup already running", false, "C:\\d\\Setup.exe", false, 1, true, Branch::None, false, false, false},
    {"disk set relaunches", false, "C:\\d\\Setup.exe", true, 1, false, Branch::SpanRelaunch, false, false, false},
    {"disk set copy", false, "C:\\w\\Y_Setup.exe", true, 2, false, Branch::MainWindow, true, true, false},
    {"span copy without flag", false, "C:\\w\\Y_Setup.exe", false, 2, false, Branch::MainWindow, true, true, false},
    {"span level 3 is neither", false, "C:\\d\\Setup.exe", true, 3, false, Branch::MainWindow, false, false, false},
    {"plain agent", true, "C:\\p\\Tool.exe", false, 1, false, Branch::CreateXExe, false, false, true},
    {"plain agent while running", true, "C:\\p\\Tool.exe", false, 1, true, Branch::None, false, false, true},
    {"transient agent", true, "C:\\p\\X_Tool.exe", false, 1, false, Branch::TransientAgent, true, false, false},
    {"transient agent twice", true, "C:\\p\\X_Tool.exe", false, 1, true, Branch::None, false, false, false},
    {"agent under another name", true, "C:\\p\\Other.exe", false, 1, false, Branch::MainWindow, false, false, false},
    {"X_ name without agent flag", false, "C:\\p\\X_Tool.exe", false, 1, false, Branch::MainWindow, false, false, false},
};

TEST(RunMode, DecideRunPlan) {
  for (const PlanCase& c : kPlans) {
    SCOPED_TRACE(c.what);
    stubwin::RunInputs in;
    in.isAutoUpdateProg = c.agent;
    in.exePath = c.path;
    in.programExeName = "Tool.exe";
    in.spanCdCopyFlag = c.spanFlag;
    in.spanCdLvl = c.spanLvl;
    in.instanceRunning = c.running;
    const stubwin::RunPlan plan = stubwin::DecideRunPlan(in);
    EXPECT_EQ(stubwin::BranchName(c.branch), std::string(stubwin::BranchName(plan.branch)));
    EXPECT_EQ(c.selfDelete, plan.selfDelete);
    EXPECT_EQ(c.selfDeleteFolder, plan.selfDeleteFolder);
    EXPECT_EQ(c.handleParamOK, plan.handleParamOK);
  }
}

TEST(LogFormat, LogFileSitsBesideTheProgramWithAnXPrefix) {
  const struct {
    const char* exe;
    const char* log;
  } cases[] = {{"C:\\p\\Tool.exe", "C:\\p\\X_Tool.log"},
               {"C:\\p\\X_Tool.exe", "C:\\p\\X_Tool.log"},
               {"C:\\p\\x_tool.exe", "C:\\p\\X_x_tool.log"},
               {"C:\\p.d\\Tool.Agent.exe", "C:\\p.d\\X_Tool.Agent.log"},
               {"C:\\p.d\\Tool", "C:\\p.d\\X_Tool.log"}};
  for (const auto& c : cases) EXPECT_EQ(c.log, kodebug::LogFileNameFor(c.exe)) << c.exe;
}

TEST(LogFormat, LineShape) {
  sys::DateTimeParts t;
  t.Year = 2026, t.Month = 3, t.Day = 7, t.Hour = 9, t.Minute = 5, t.Second = 4;
  const std::string stamp = sys::LogStampText(t, false, ".", ":");
  EXPECT_EQ("07.03.26 09:05:04", stamp);
  EXPECT_EQ("07.03.26 09:05:04    42   hello\r\n", kodebug::FormatLogLine(stamp, 42, "   ", "hello"));
  EXPECT_EQ("s 1234567 X \r\n", kodebug::FormatLogLine("s", 1234567, " X ", ""));
}

}  // namespace
