// The removal batch really removes a program file once its process has ended: a copy of this
// test program is started with a filter that runs only the probe below, the probe calls
// SelfDelete on the copy and ends, and the test waits for the file (and folder) to go.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Processes.h"
#include "sys/Files.h"
#include "sys/Host.h"

namespace {

// Tells the probe how to call SelfDelete: "file", "folder" or "short folder".
constexpr const char kProbeMode[] = "SELFDELETE_PROBE_MODE";

std::string ProbeMode() {
  const char* mode = std::getenv(kProbeMode);
  return mode ? mode : "";
}

// Runs only in the copy, started by the test below.
TEST(SelfDeleteProbe, DISABLED_RemovesItsOwnProgramFile) {
  const std::string mode = ProbeMode();
  if (mode.empty()) GTEST_SKIP() << "started by SelfDelete tests only";
  const bool removeFolder = mode.find("folder") != std::string::npos;
  const bool shortNames = mode.find("short") != std::string::npos;
  EXPECT_TRUE(sys::SelfDelete(sys::ProgramPath(), removeFolder, shortNames));
  char current[MAX_PATH];
  ::GetCurrentDirectoryA(sizeof current, current);
  EXPECT_EQ(std::string::npos, std::string(current).find("selfdelete")) << "still in " << current;
}

using testkit::GoneWithin;

std::string EnvironmentValue(const char* name) {
  char buffer[MAX_PATH + 1];
  const DWORD n = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return n == 0 || n >= sizeof buffer ? std::string() : std::string(buffer, n);
}

TEST(SelfDelete, BatchRemovesTheEndedProgramAndItsFolderWhenAsked) {
  struct Case {
    const char* mode;
    const char* folderName;
    bool readOnly;
    bool folderGone;
    const char* comSpec;  // the probe's ComSpec when not null
  } cases[] = {
      {"file", "selfdelete plain", false, false, nullptr},
      {"folder", "selfdelete 100% & more", false, true, nullptr},
      {"short folder", "selfdelete short name", false, true, nullptr},
      // A copy taken from a CD is read-only.
      {"folder", "selfdelete read-only", true, true, nullptr},
      // The batch runs under the system's own cmd.exe, whatever the environment names.
      {"folder", "selfdelete foreign ComSpec", false, true, "C:\\nowhere\\cmd.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " in " + c.folderName);
    const std::string folder = testkit::MakeScratchFolder("x") + "\\" + c.folderName;
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    const std::string copy = folder + "\\X_Probe.exe";
    ASSERT_TRUE(testkit::CopyFileTo(sys::ProgramPath(), copy));
    if (c.readOnly) {
      ASSERT_TRUE(::SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_READONLY));
    }

    ::SetEnvironmentVariableA(kProbeMode, c.mode);
    const std::string comSpec = EnvironmentValue("ComSpec");
    if (c.comSpec) ::SetEnvironmentVariableA("ComSpec", c.comSpec);
    testkit::Started probe = testkit::StartProcess(
        "\"" + copy + "\" --gtest_filter=SelfDeleteProbe.* --gtest_also_run_disabled_tests",
        folder);
    ::SetEnvironmentVariableA(kProbeMode, nullptr);
    ::SetEnvironmentVariableA("ComSpec", comSpec.empty() ? nullptr : comSpec.c_str());
    ASSERT_TRUE(probe);
    uint32_t exitCode = 99;
    ASSERT_TRUE(testkit::WaitForExit(probe, 60000, exitCode));
    EXPECT_EQ(0u, exitCode) << "the probe's checks failed";

    EXPECT_TRUE(GoneWithin(copy)) << copy;
    // The batch deletes itself last: once it is gone, the folder is as it will stay.
    EXPECT_TRUE(GoneWithin(testkit::SelfRemovalBatchPath())) << "the batch removes itself";
    EXPECT_EQ(c.folderGone, !testkit::PathExists(folder)) << folder;
    testkit::DeleteTree(folder.substr(0, folder.rfind('\\')));
  }
}

}  // namespace
