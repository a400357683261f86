// The texts, methods, schedule and outcomes of an update check and of the update cycle.
#include "agent/UpdateCycleRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Every text reads as its key in brackets, so a result shows which keys it is made of.
std::string Keys(const std::string& key) { return "[" + key + "]"; }

TEST(UpdateCycleRules, ProgNameIsReplacedEverywhereInItsCase) {
  EXPECT_EQ("Close My App and My App's helpers", au::WithProgName("Close PROG_NAME and PROG_NAME's helpers", "My App"));
  EXPECT_EQ("prog_name stays", au::WithProgName("prog_name stays", "X"));
  EXPECT_EQ("PROG_NAME", au::WithProgName("PROG_NAME", "PROG_NAME"));
  EXPECT_EQ("", au::WithProgName("PROG_NAME", ""));
}

TEST(UpdateCycleRules, QuestionsNameWhatFollows) {
  struct Case {
    bool confirmInstall, forced;
    const char* text;
  } cases[] = {
      {false, false, "[s11][s12]"},
      {true, false, "[s11][s13]"},
      {false, true, "[s11][s18]"},
      {true, true, "[s11][s19]"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, au::DownloadQuestion(Keys, c.confirmInstall, c.forced, "P"));
  EXPECT_EQ("[s14]", au::InstallQuestion(Keys, false, "P"));
  EXPECT_EQ("[s20]", au::InstallQuestion(Keys, true, "P"));
  const auto named = [](const std::string& key) { return key == "s11" ? "Update PROG_NAME? " : ""; };
  EXPECT_EQ("Update Tool 2? ", au::DownloadQuestion(named, false, false, "Tool 2"));
}

TEST(UpdateCycleRules, AskToCheckDropsTheServerLineForADriveFolder) {
  const std::string notice = "<P><P><T><B>PLEASE NOTE</B> - You are now running in <B>Test Mode</B>!";
  EXPECT_EQ("[s22][s23][s24]", au::AskToCheckText(Keys, "http://up.example.com", false, "P"));
  EXPECT_EQ("[s22][s24]", au::AskToCheckText(Keys, "C:\\updates", false, "P"));
  EXPECT_EQ("[s22][s24]", au::AskToCheckText(Keys, "x", false, "P"));
  EXPECT_EQ("[s22][s23][s24]", au::AskToCheckText(Keys, "\\\\server\\updates", false, "P"));
  EXPECT_EQ("[s22][s24]" + notice, au::AskToCheckText(Keys, "D:\\test", true, "P"));
}

TEST(UpdateCycleRules, ShutDownMethodsMatchExactly) {
  struct Case {
    const char* text;
    au::ShutDown method;
  } cases[] = {
      {"Issue a Message Box", au::ShutDown::kMessageBox},
      {"Using WM_CLOSE", au::ShutDown::kClose},
      {"Using WM_QUIT", au::ShutDown::kQuit},
      {"Using Terminate Process", au::ShutDown::kTerminate},
      {"Don't Shut Down", au::ShutDown::kDontShutDown},
      {"using wm_close", au::ShutDown::kNone},
      {"Using WM_CLOSE ", au::ShutDown::kNone},
      {"", au::ShutDown::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(c.method, au::ShutDownMethodOf(c.text)) << c.text;
}

TEST(UpdateCycleRules, RestartCommandCarriesTheOverrides) {
  EXPECT_EQ("C:\\Program Files\\Tool\\Tool.exe /_ZZ=99 /WAIT=10 /TRANSIENT=|255|1|255|255|255|255|255|255|",
            au::RestartCommand("C:\\Program Files\\Tool\\", "Tool.exe", "|255|1|255|255|255|255|255|255|"));
}

TEST(UpdateCycleRules, ScheduleByIntervalTestModeAndForce) {
  constexpr int64_t now = 1000000;
  struct Case {
    const char* what;
    au::ScheduleInputs in;
    int status;
  } cases[] = {
      {"interval passed", {true, false, false, 3600, now - 3600, now}, 1},
      {"interval not yet passed", {true, false, false, 3600, now - 3599, now}, 0},
      {"once per run", {true, false, false, 0, now, now}, 2},
      {"never automatically", {true, false, false, -1, 0, now}, 0},
      {"never, but forced", {true, true, false, -1, 0, now}, 1},
      {"probing over after the one check", {false, false, false, 0, 0, now}, 0},
      {"probing over, but forced", {false, true, false, 0, 0, now}, 1},
      {"test mode: five seconds", {true, false, true, 86400, now - 5, now}, 1},
      {"test mode: four seconds", {true, false, true, 86400, now - 4, now}, 0},
      {"test mode keeps once per run", {true, false, true, 0, now - 5, now}, 2},
      {"a last check beyond every clock", {true, false, false, 10, INT64_MAX, now}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.status, au::ShotTimeStatus(c.in)) << c.what;
}

TEST(UpdateCycleRules, TestModeLastsForItsDay) {
  EXPECT_TRUE(au::IsTestModeOn("1", "10-DEC-2026", "10-DEC-2026"));
  EXPECT_FALSE(au::IsTestModeOn("1", "09-DEC-2026", "10-DEC-2026"));
  EXPECT_FALSE(au::IsTestModeOn("0", "10-DEC-2026", "10-DEC-2026"));
  EXPECT_FALSE(au::IsTestModeOn(" 1", "10-DEC-2026", "10-DEC-2026"));
  EXPECT_FALSE(au::IsTestModeOn("1", "", "10-DEC-2026"));
}

// Each row asks once, in order, on one TestModeReads: forced or not, at a tick count, and
// whether the registry is read.
struct TestModeAsk {
  bool force;
  uint32_t now;
  bool read;
};

void ExpectReads(const char* story, const std::vector<TestModeAsk>& asks) {
  SCOPED_TRACE(story);
  au::TestModeReads reads;
  for (size_t i = 0; i < asks.size(); ++i)
    EXPECT_EQ(asks[i].read, reads.TakeRead(asks[i].force, asks[i].now)) << "ask " << i;
}

TEST(UpdateCycleRules, TestModeIsReadAgainOnItsSchedule) {
  ExpectReads("the first question reads, whatever the tick count",
              {{false, 5, true}, {false, 6, false}});
  ExpectReads("forced reads come at once and restart the 30 s",
              {{false, 1000, true}, {true, 1001, true}, {true, 1001, true},
               {false, 31001, false}, {false, 31002, true}});
  const uint32_t nearWrap = 0xFFFFFFFFu - 10000;
  ExpectReads("across the wrap of the tick count",
              {{false, nearWrap, true}, {false, 19999, false}, {false, 20000, true}});
}

TEST(UpdateCycleRules, TicksEverySecondDoNotPutOffTheNextRead) {
  std::vector<TestModeAsk> asks;
  for (uint32_t second = 0; second <= 62; ++second) {
    const uint32_t now = 100000 + second * 1000;
    // Read at the first tick, then at each tick more than 30 s after the last read.
    asks.push_back({false, now, second == 0 || second == 31 || second == 62});
  }
  ExpectReads("a tick a second", asks);
}

TEST(UpdateCycleRules, InteractiveOutcomeSaysWhyNothingHappened) {
  struct Case {
    const char* what;
    bool testMode, connected;
    const char *connectionError, *fetchError;
    bool developer, error;
    const char* text;
  } cases[] = {
      {"offline", false, false, "No network", "", false, true, "[s2]<P><P>No network"},
      {"offline, no reason", false, false, "", "", false, true, "[s2]"},
      {"fetch failed", false, true, "", "Tool.info --- Error downloading file", false, true,
       "Tool.info --- Error downloading file"},
      {"nothing due", false, true, "", "", false, false, "[s21]"},
      {"nothing due, developer", false, true, "", "", true, false,
       "[s21]<P><P>(2 - Too early for retesting)   "},
      {"test mode ignores the web", true, false, "No network", "x", false, false, "[s21]"},
  };
  for (const Case& c : cases) {
    const au::CheckOutcome out = au::InteractiveCheckOutcome(
        Keys, c.testMode, c.connected, c.connectionError, c.fetchError, c.developer, 2,
        "Too early for retesting");
    EXPECT_EQ(c.error, out.error) << c.what;
    EXPECT_EQ(c.text, out.text) << c.what;
  }
}

}  // namespace
