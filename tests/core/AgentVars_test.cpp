#include "agent/AgentVars.h"

#include <gtest/gtest.h>

#include "AgentFilesScope.h"
#include "FakeIni.h"
#include "PackageImage.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateFilePaths.h"
#include "pack/GFileInfo.h"
#include "stub/AgentCommands.h"

namespace {

using au::AgentVars;

TEST(AgentVars, SleepSwitchSetsTheStartingTickCountOnlyWhenNotNegative) {
  const struct {
    int64_t sleepX;
    int32_t tickCount;
  } cases[] = {{-1, -3}, {-5, -3}, {0, 0}, {7, -7}};
  for (const auto& c : cases) {
    AgentVars vars;
    au::ApplySleepSwitch(vars, c.sleepX);
    EXPECT_EQ(c.tickCount, vars.tickCount) << c.sleepX;
  }
}

TEST(AgentVars, CheckRequestRaisesTheTickCountToAtLeastOne) {
  const struct {
    int32_t before, argument, after, userCheckMode;
  } cases[] = {{-3, 0, 1, 0}, {7, 0, 7, 0}, {-3, 2, 1, 2}, {0, 1, 1, 0}};
  for (const auto& c : cases) {
    AgentVars vars;
    vars.tickCount = c.before;
    EXPECT_EQ(0, stubwin::RunAgentCommand(31, c.argument, vars));
    EXPECT_TRUE(vars.force);
    EXPECT_EQ(c.after, vars.tickCount) << c.before;
    EXPECT_EQ(c.userCheckMode, vars.userCheckMode);
  }
}

TEST(AgentVars, StopCountdownQuitsOnTheTickThatFindsZero) {
  AgentVars vars;
  vars.stopCountdown = 2;
  EXPECT_FALSE(au::AdvanceTickCounters(vars));
  EXPECT_FALSE(au::AdvanceTickCounters(vars));
  EXPECT_TRUE(au::AdvanceTickCounters(vars));
  EXPECT_EQ(-1, vars.stopCountdown);
  EXPECT_FALSE(au::AdvanceTickCounters(vars)) << "-1 means never";
  EXPECT_EQ(1, vars.tickCount) << "-3 plus four ticks";
}

TEST(AgentVars, UserCheckRunsInTheNextTickFromTickCountOne) {
  AgentVars vars;
  vars.tickCount = -3;
  vars.userCheckMode = 2;
  au::AdvanceTickCounters(vars);
  EXPECT_EQ(1, vars.userCheckMode);
  EXPECT_EQ(1, vars.tickCount);
}

TEST(AgentCommands, ControlCodesActOnTheAgentVariables) {
  AgentVars vars;
  vars.AgentState = 3;
  EXPECT_EQ(3, stubwin::RunAgentCommand(7, 0, vars));
  EXPECT_EQ(0, stubwin::RunAgentCommand(30, 5, vars));
  EXPECT_EQ(5, vars.stopCountdown);
  EXPECT_EQ(0, stubwin::RunAgentCommand(32, 0, vars));
  EXPECT_TRUE(vars.fetchInfoOnly);
  EXPECT_EQ(0, stubwin::RunAgentCommand(6, 99, vars));
  EXPECT_EQ(0, stubwin::RunAgentCommand(33, 99, vars));
}

}  // namespace

namespace {

using au::AgentVars;

// Commands that read and write the .original and .info files, and set override bytes.
class AgentFileCommands : public ::testing::Test {
 protected:
  static TGFileInfo ToolDescriptor() {
    testimg::Package package;
    package.updateInfo = "|http://127.0.0.1/|Tool.info|Tool.exe|";
    TGFileInfo info;
    info.Create(pack::MemorySource(package.Build()));
    return info;
  }
  void SetUp() override { FakeIni::Clear(); }

  TGFileInfo descriptor_ = ToolDescriptor();
  AgentFilesScope scope_{FakeIni::Access(), "C:\\App\\", &descriptor_};
  AgentVars vars_;
};

TEST_F(AgentFileCommands, ReadsAnswerTheLow32BitsOfTheValues) {
  const std::string original = "C:\\App\\Tool.original", info = "C:\\App\\Tool.info";
  FakeIni::Put(original, "OriginalSetup", "VersionOriginal", "7");
  FakeIni::Put(info, "NewSetup", "VersionNew", "9");
  FakeIni::Put(original, "OriginalSetup", "ProbeSecondsInterval", "4294967301");  // 2^32 + 5
  FakeIni::Put(original, "OriginalSetup", "ReAskSecondsInterval", "-2");
  FakeIni::Put(original, "OriginalSetup", "ProbeSecondsLast", "45000");
  FakeIni::Put(original, "OriginalSetup", "ReAskSecondsLast", "46000");
  const struct {
    uint32_t command;
    int32_t answer;
  } cases[] = {{4, 7}, {5, 9}, {8, 5}, {9, -2}, {10, 45000}, {11, 46000}};
  for (const auto& c : cases) EXPECT_EQ(c.answer, stubwin::RunAgentCommand(c.command, 0, vars_)) << c.command;
}

TEST_F(AgentFileCommands, WritesStoreTheArgumentSignExtended) {
  const std::string original = "C:\\App\\Tool.original";
  const struct {
    uint32_t command;
    const char* key;
  } cases[] = {{12, "ProbeSecondsInterval"}, {13, "ReAskSecondsInterval"},
               {14, "ProbeSecondsLast"}, {15, "ReAskSecondsLast"}};
  for (const auto& c : cases) {
    EXPECT_EQ(0, stubwin::RunAgentCommand(c.command, -1, vars_));
    EXPECT_EQ("-1", FakeIni::Get(original, "OriginalSetup", c.key)) << c.key;
  }
  EXPECT_NE("<absent>", FakeIni::Get(original, "OriginalSetup", "__ProbeSecondsLast"));
  EXPECT_NE("<absent>", FakeIni::Get(original, "OriginalSetup", "__ReAskSecondsLast"));
}

TEST_F(AgentFileCommands, Codes20To25SetTheOverrideBytesInOrder) {
  for (uint32_t code = 20; code <= 25; ++code)
    EXPECT_EQ(0, stubwin::RunAgentCommand(code, 0x100 + static_cast<int32_t>(code), vars_));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(20 + i, au::GetTransientFlag(i)) << "low byte of the argument";
  EXPECT_EQ(au::kKeyDecides, au::GetTransientFlag(6)) << "codes stop at byte 5";
}

}  // namespace
