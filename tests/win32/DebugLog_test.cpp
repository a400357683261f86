// The debug log beside the running program: written only when switched on, one line per call.
#include <gtest/gtest.h>

#include <regex>

#include "Processes.h"
#include "sys/KoDebug.h"

namespace {

class DebugLog : public ::testing::Test {
 protected:
  void SetUp() override { ::DeleteFileA(kodebug::LogFileName().c_str()); }
  void TearDown() override {
    kodebug::SetDebugLogOn(false);
    kodebug::SetLogMarker("   ");
    ::DeleteFileA(kodebug::LogFileName().c_str());
  }
};

TEST_F(DebugLog, NamesTheFileAfterTheProgramWithXPrefix) {
  const std::string& name = kodebug::LogFileName();
  EXPECT_NE(std::string::npos, name.find("\\X_win32_tests.log")) << name;
}

TEST_F(DebugLog, OffWritesNothing) {
  kodebug::SetDebugLogOn(false);
  kodebug::DebugLog("not written");
  EXPECT_FALSE(testkit::PathExists(kodebug::LogFileName()));
}

TEST_F(DebugLog, LinesCarryStampThreadIdAndMarker) {
  kodebug::SetDebugLogOn(true);
  kodebug::DebugLog("first");
  kodebug::SetLogMarker(" X ");
  kodebug::DebugLog("");
  const std::string text = testkit::ReadWholeFile(kodebug::LogFileName());
  // Day, month, two-digit year with the locale's separators, then the time.
  const std::string tid = std::to_string(::GetCurrentThreadId());
  const std::string pad = tid.size() < 5 ? std::string(5 - tid.size(), ' ') : "";
  const std::regex shape("\\d\\d.\\d\\d.\\d\\d \\d\\d.\\d\\d.\\d\\d " + pad + tid +
                         "   first\r\n\\d\\d.\\d\\d.\\d\\d \\d\\d.\\d\\d.\\d\\d " + pad + tid +
                         " X \r\n");
  EXPECT_TRUE(std::regex_match(text, shape)) << text;
}

TEST_F(DebugLog, AppendsToAFileThatOthersHoldOpen) {
  kodebug::SetDebugLogOn(true);
  kodebug::DebugLog("one");
  // Another agent process may have the log open at the same time.
  HANDLE other = ::CreateFileA(kodebug::LogFileName().c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, other);
  kodebug::DebugLog("two");
  ::CloseHandle(other);
  const std::string text = testkit::ReadWholeFile(kodebug::LogFileName());
  EXPECT_NE(std::string::npos, text.find("one\r\n"));
  EXPECT_NE(std::string::npos, text.find("two\r\n"));
}

}  // namespace
