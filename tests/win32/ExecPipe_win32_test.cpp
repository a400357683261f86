// Running a console command and capturing its two output streams, with cmd.exe and with the
// helper copy of this test program (ProcessHelper.h).
#include "sys/ExecPipe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProcessHelper.h"
#include "sys/Platform.h"
#include "sys/Process.h"

namespace {

struct Chunks {
  std::vector<std::string> seen;
  bool stopAtFirst = false;
};

void CollectChunk(void* Data, const std::string& Chunk, bool& Stop) {
  auto& chunks = *static_cast<Chunks*>(Data);
  chunks.seen.push_back(Chunk);
  if (chunks.stopAtFirst) Stop = true;
}

std::string Joined(const std::vector<std::string>& Parts) {
  std::string all;
  for (const std::string& part : Parts) all += part;
  return all;
}

TEST(RunAndCapture, CapturesBothStreamsAndTheExitCode) {
  struct Case {
    std::string params;
    bool result;
    std::string output, errors;
    uint32_t exitCode;
  } cases[] = {
      {"/c echo hello", true, "hello\r\n", "", 0},
      {"/c echo oops>&2", true, "", "oops\r\n", 0},
      {"/c exit 3", false, "", "", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.params);
    std::string output = "old", errors = "old";
    uint32_t exitCode = 77;
    EXPECT_EQ(sys::RunAndCapture("cmd.exe", c.params, SW_HIDE, nullptr, nullptr, 1, output, errors,
                                 exitCode),
              c.result);
    EXPECT_EQ(output, c.output);
    EXPECT_EQ(errors, c.errors);
    EXPECT_EQ(exitCode, c.exitCode);
  }
}

TEST(RunAndCapture, HandsEveryChunkToTheCallback) {
  Chunks chunks;
  std::string output, errors;
  uint32_t exitCode = 0;
  EXPECT_TRUE(sys::RunAndCapture("cmd.exe", "/c echo one& echo two", SW_HIDE, CollectChunk,
                                 &chunks, 1, output, errors, exitCode));
  EXPECT_EQ(output, "one\r\ntwo\r\n");
  EXPECT_EQ(Joined(chunks.seen), output);
}

TEST(RunAndCapture, ReportsAProgramThatCannotStart) {
  struct Case {
    std::string program, params, errorsStart;
  } cases[] = {
      {"Z:\\nowhere\\no such.exe", "/a", "\"Z:\\nowhere\\no such.exe\" /a --- "},
      {"cmd.exe", "/c echo " + std::string(40000, 'x'), "Command line is too long"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.errorsStart);
    Chunks chunks;
    std::string output, errors;
    uint32_t exitCode = 0;
    EXPECT_FALSE(sys::RunAndCapture(c.program, c.params, SW_HIDE, CollectChunk, &chunks, 1,
                                    output, errors, exitCode));
    EXPECT_EQ(exitCode, sys::kCaptureStartFailed);
    EXPECT_EQ(errors.compare(0, c.errorsStart.size(), c.errorsStart), 0) << errors;
    EXPECT_EQ(output, "");
    EXPECT_EQ(Joined(chunks.seen), errors + "\r\n");
  }
}

TEST(RunAndCapture, EndsWithTheHelper) {
  struct Case {
    const char* mode;
    bool stopAtFirst;
    bool result;
    uint32_t exitCode;
    std::string outputStart;
  } cases[] = {
      {"stdin", false, true, 0, "eof"},    // its input ends at once
      {"exit259", false, false, 259, ""},  // an exit code that looks like "still active"
      {"chatty", true, false, sys::kCaptureStopped, "tick\r\n"},  // the callback stops it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Chunks chunks;
    chunks.stopAtFirst = c.stopAtFirst;
    std::string output, errors;
    uint32_t exitCode = 0;
    EXPECT_EQ(sys::RunAndCapture(prochelper::Copy().Path,
                                 std::string(prochelper::kHelperSwitch) + c.mode, SW_HIDE,
                                 c.stopAtFirst ? CollectChunk : nullptr, &chunks, 1, output,
                                 errors, exitCode),
              c.result);
    EXPECT_EQ(exitCode, c.exitCode);
    EXPECT_EQ(output.compare(0, c.outputStart.size(), c.outputStart), 0) << output;
    EXPECT_FALSE(sys::IsProcessRunning(prochelper::Copy().Path));
  }
}

}  // namespace
