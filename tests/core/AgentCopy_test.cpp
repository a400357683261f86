// The plain agent's relaunch rules: where the transient copy lies, what it is started with, and
// which messages the control switches become.
#include <gtest/gtest.h>

#include "stub/AgentCopy.h"

namespace {

using stubwin::ControlPost;

TEST(AgentCopy, CopyLiesBesideTheAgentWithAnXPrefix) {
  EXPECT_EQ("C:\\Program Files\\Tool\\X_Tool.exe", stubwin::XCopyPath("C:\\Program Files\\Tool\\Tool.exe"));
  EXPECT_EQ("X_Tool.exe", stubwin::XCopyPath("Tool.exe"));
}

TEST(AgentCopy, ArgumentsCarryTheDelayOrElseTheOverrides) {
  struct Case {
    const char* tail;
    const char* arguments;
  } cases[] = {
      {"", ""},
      {"/STOP=0 /WM_MSG=1:2", ""},
      {"/DELAY=30", " /SleepX=30"},
      {"/TRANSIENT=|1|0|255|255|255|255|255|255|", " /TRANSIENTx=|1|0|255|255|255|255|255|255|"},
      // The delay replaces the overrides rather than joining them.
      {"/TRANSIENT=|1|1|1|1|1|1|1|1| /DELAY=5", " /SleepX=5"},
      {"/delay=7", " /SleepX=7"},
      {"/DELAY=", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.arguments, stubwin::XCopyArguments(c.tail)) << c.tail;
}

TEST(AgentCopy, OnlyZZ99AsksForASecondCopy) {
  EXPECT_TRUE(stubwin::WantsSecondXCopy("/WAIT=10 /_ZZ=99"));
  EXPECT_TRUE(stubwin::WantsSecondXCopy("/_zz=\"99\""));
  EXPECT_FALSE(stubwin::WantsSecondXCopy("/_ZZ=98"));
  EXPECT_FALSE(stubwin::WantsSecondXCopy("/_ZZ=099"));
  EXPECT_FALSE(stubwin::WantsSecondXCopy(""));
}

std::string Describe(const std::vector<ControlPost>& posts) {
  std::string text;
  for (const ControlPost& p : posts)
    text += std::to_string(p.message) + "(" + std::to_string(p.wParam) + "," +
            std::to_string(p.lParam) + ")";
  return text;
}

TEST(AgentCopy, SwitchesBecomeMessagesInTheirOrder) {
  struct Case {
    const char* tail;
    bool xWasRunning;
    const char* posts;
  } cases[] = {
      {"", true, ""},
      {"/STOP=0", true, "1123(0,0)"},
      {"/STOP=-1", true, ""},
      {"/STOP=x", true, ""},
      {"/WM_MSG=200:1500", true, "1124(200,1500)"},
      {"/WM_MSG=200", true, "1124(200,0)"},
      {"/WM_MSG=abc:7", true, "1124(0,7)"},
      {"/TEST=0", false, "1125(31,0)"},
      // A copy started only for a test check quits again after two ticks.
      {"/TEST=1", false, "1125(31,1)1123(2,0)"},
      {"/TEST=2", false, "1125(31,2)1123(2,0)"},
      {"/TEST=1", true, "1125(31,1)"},
      {"/TEST=2 /WM_MSG=5:6 /STOP=3", true, "1123(3,0)1124(5,6)1125(31,2)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.posts, Describe(stubwin::ControlPostsFor(c.tail, "C:\\A\\X_T.exe", c.xWasRunning)))
        << c.tail;
}

TEST(AgentCopy, EachForwardedSwitchIsLoggedWithTheCopyPath) {
  const auto posts = stubwin::ControlPostsFor("/STOP=1 /WM_MSG=200 /TEST=2", "C:\\A\\X_T.exe", false);
  ASSERT_EQ(4u, posts.size());
  EXPECT_EQ("PostProcessMessage(wm_ShutDown) to: C:\\A\\X_T.exe", posts[0].logLine);
  EXPECT_EQ("PostProcessMessage(wm_LocalMsg) to: C:\\A\\X_T.exe - :200:", posts[1].logLine);
  EXPECT_EQ("PostProcessMessage(wm_AgentMsg) to: C:\\A\\X_T.exe - AU_PerformUpdateCycle (2)",
            posts[2].logLine);
  EXPECT_EQ("", posts[3].logLine);
}

}  // namespace
