// The web installer's agent copy on the real file system: written whole from a readable program
// file, and never left behind, empty or in part, when the program file cannot be read or the
// copy cannot be written.
#include <gtest/gtest.h>

#include <string>

#include "Processes.h"
#include "stub/WebSetup.h"
#include "sys/Files.h"
#include "sys/ScopedHandle.h"

namespace {

class WebAgentCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testkit::MakeScratchFolder("webagentcopy");
    // A program file as far as the copy goes: its last 74 bytes stand for the trailer.
    program_ = Path("WebSetup.exe");
    ASSERT_TRUE(testkit::WriteWholeFile(program_, "MZ" + std::string(600, 'p')));
  }
  void TearDown() override { testkit::DeleteTree(folder_); }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  std::string folder_, program_;
};

TEST_F(WebAgentCopy, IsTheMarkedProgramFileWithItsDate) {
  const std::string copy = Path("Agent.exe");
  ASSERT_TRUE(stubsetup::WriteWebAgentCopy(program_, copy));
  EXPECT_EQ(stubsetup::WebAgentCopyImage(testkit::ReadWholeFile(program_)),
            testkit::ReadWholeFile(copy));
  EXPECT_EQ(sys::FileAge(program_), sys::FileAge(copy));
}

TEST_F(WebAgentCopy, NoCopyIsLeftWhenTheProgramOrTheCopyFails) {
  // The program file held by another with no sharing at all: nothing of it can be read.
  sys::ScopedFileHandle locked(::CreateFileA(program_.c_str(), GENERIC_READ, 0, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(static_cast<bool>(locked));
  const struct {
    const char* what;
    std::string program, copy;
  } cases[] = {
      {"no program file", Path("Missing.exe"), Path("Agent.exe")},
      {"a program file that cannot be read", program_, Path("Agent.exe")},
      {"a copy in a folder that does not exist", Path("Other.exe"), Path("none\\Agent.exe")},
  };
  ASSERT_TRUE(testkit::WriteWholeFile(Path("Other.exe"), "MZ" + std::string(600, 'o')));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(stubsetup::WriteWebAgentCopy(c.program, c.copy));
    EXPECT_FALSE(testkit::PathExists(c.copy));
  }
}

}  // namespace
