// The rules of running a command with captured output: its command line, the failure text and
// the poll rhythm.
#include "sys/ExecPipe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sys;

namespace {

TEST(CaptureCommandLine, QuotesAProgramWithBlanks) {
  struct Case {
    std::string program, params, line;
  } cases[] = {
      {"tasklist.exe", "/FO csv", "tasklist.exe /FO csv"},
      {"C:\\My Tools\\t.exe", "/x", "\"C:\\My Tools\\t.exe\" /x"},
      {"\"C:\\My Tools\\t.exe\"", "", "\"C:\\My Tools\\t.exe\""},  // already quoted
      {"C:\\My Tools\\t.exe", "", "\"C:\\My Tools\\t.exe\""},
      {"cmd", "/c echo hello", "cmd /c echo hello"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    EXPECT_EQ(CaptureCommandLine(c.program, c.params), c.line);
  }
}

TEST(CaptureStartFailure, NamesTheCommandAndTheReason) {
  EXPECT_EQ(CaptureStartFailure("x.exe /a", "File not found."), "x.exe /a --- File not found.");
  const std::string longLine(300, 'a');
  EXPECT_EQ(CaptureStartFailure(longLine, "No."), std::string(256, 'a') + " --- No.");
  const std::string limit(kMaxCommandLine, 'b');
  EXPECT_EQ(CaptureStartFailure(limit, "No."), std::string(256, 'b') + " --- No.");
  EXPECT_EQ(CaptureStartFailure(limit + "b", "No."), "Command line is too long");
}

TEST(PollInterval, ShrinksOnceOutputHasArrived) {
  EXPECT_EQ(FirstPollInterval(false), 100u);
  EXPECT_EQ(FirstPollInterval(true), 1u);
  std::vector<uint32_t> seen;
  for (uint32_t ms = FirstPollInterval(false), i = 0; i < 12; ++i) {
    seen.push_back(ms);
    ms = NextPollInterval(ms, true);
  }
  EXPECT_EQ(seen, (std::vector<uint32_t>{100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 10, 10}));
  EXPECT_EQ(NextPollInterval(100, false), 100u);
  EXPECT_EQ(NextPollInterval(15, true), 5u);
  EXPECT_EQ(NextPollInterval(1, true), 1u);
}

}  // namespace
