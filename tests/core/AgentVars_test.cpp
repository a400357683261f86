#include "agent/AgentVars.h"

#include <gtest/gtest.h>

#include "stub/AgentCommands.h"

namespace {

using stubau::AgentVars;

TEST(AgentVars, SleepSwitchSetsTheStartingTickCountOnlyWhenNotNegative) {
  const struct {
    int64_t sleepX;
    int32_t tickCount;
  } cases[] = {{-1, -3}, {-5, -3}, {0, 0}, {7, -7}};
  for (const auto& c : cases) {
    AgentVars vars;
    stubau::ApplySleepSwitch(vars, c.sleepX);
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
  EXPECT_FALSE(stubau::AdvanceTickCounters(vars));
  EXPECT_FALSE(stubau::AdvanceTickCounters(vars));
  EXPECT_TRUE(stubau::AdvanceTickCounters(vars));
  EXPECT_EQ(-1, vars.stopCountdown);
  EXPECT_FALSE(stubau::AdvanceTickCounters(vars)) << "-1 means never";
  EXPECT_EQ(1, vars.tickCount) << "-3 plus four ticks";
}

TEST(AgentVars, UserCheckRunsInTheNextTickFromTickCountOne) {
  AgentVars vars;
  vars.tickCount = -3;
  vars.userCheckMode = 2;
  stubau::AdvanceTickCounters(vars);
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
