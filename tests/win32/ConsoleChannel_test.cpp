// The console channel hands text to a ".KoDebug." viewer in blocks of at most 128 characters.
#include <gtest/gtest.h>

#include "DebugViewer.h"
#include "sys/KoDebug.h"

namespace {

class ConsoleChannel : public ::testing::Test {
 protected:
  void SetUp() override { kodebug::InstallConsoleChannel(); }
};

TEST_F(ConsoleChannel, LongLineArrivesInBlocksOf128) {
  testkit::DebugViewer viewer;
  ASSERT_TRUE(viewer.IsOpen());
  kodebug::ConsoleLine(std::string(300, 'a'));
  ASSERT_EQ(3u, viewer.Blocks().size());
  EXPECT_EQ(std::string(128, 'a'), viewer.Blocks()[0]);
  EXPECT_EQ(std::string(128, 'a'), viewer.Blocks()[1]);
  EXPECT_EQ(std::string(44, 'a') + "\r\n", viewer.Blocks()[2]) << "the last block ends the line";
}

TEST_F(ConsoleChannel, TextWithoutLineEndWaitsInTheBuffer) {
  testkit::DebugViewer viewer;
  kodebug::ConsoleWrite("partial ");
  EXPECT_TRUE(viewer.Blocks().empty());
  kodebug::ConsoleLine("line");
  ASSERT_EQ(1u, viewer.Blocks().size());
  EXPECT_EQ("partial line\r\n", viewer.Blocks()[0]);
}

TEST_F(ConsoleChannel, ProcessLinesBeginWithTheProcessId) {
  testkit::DebugViewer viewer;
  kodebug::ConsoleProcessLine(" ==== hello");
  EXPECT_EQ(std::to_string(::GetCurrentProcessId()) + " ==== hello\r\n", viewer.Text());
}

TEST_F(ConsoleChannel, WithoutViewerTextIsDiscarded) {
  kodebug::ConsoleLine(std::string(1000, 'z'));  // nobody listens: nothing to see, nothing breaks
  testkit::DebugViewer viewer;
  kodebug::ConsoleLine("after");
  EXPECT_EQ("after\r\n", viewer.Text());
}

}  // namespace
