// The span relaunch writes the stub into the work folder as "Y_" + its name and starts that copy;
// a copy that could not be written starts nothing, least of all a "Y_" file that was there
// before. The reference engine stands in for the stub: it records the command line it gets.
#include <gtest/gtest.h>

#include <string>

#include "Processes.h"
#include "stub/SpanCopy.h"
#include "sys/Host.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace {

const std::string kEngineExe = testkit::HostPathToWindows(ENGINE_EXE_UNIX_PATH);

// A disk folder with the stub file and a work folder, in a scratch folder of their own.
struct SpanFolders {
  std::string top = testkit::MakeScratchFolder("span");
  std::string disk = top + "\\disk";
  std::string work = top + "\\work";
  std::string stub = disk + "\\Setup.exe";
  std::string copy = work + "\\Y_Setup.exe";
  std::string record = top + "\\record.txt";
  SpanFolders() {
    ::CreateDirectoryA(disk.c_str(), nullptr);
    ::CreateDirectoryA(work.c_str(), nullptr);
  }
  ~SpanFolders() { testkit::DeleteTree(top); }
  // The switch that makes the engine record its command line.
  std::string RecordSwitch() const { return "/Record=" + record; }
};

TEST(SpanCopy, TheCopyStartsWithTheSpanSwitches) {
  SpanFolders f;
  ASSERT_TRUE(testkit::CopyFileTo(kEngineExe, f.stub));
  ASSERT_TRUE(testkit::WriteWholeFile(f.copy, "an earlier run's copy"));
  ASSERT_TRUE(stubwin::StartSpanCopy(f.stub, f.work, f.RecordSwitch()));
  EXPECT_TRUE(testkit::ReadWholeFile(f.copy) == testkit::ReadWholeFile(f.stub));
  ASSERT_TRUE(testkit::BecomesTrue([&] {
    return testkit::ReadWholeFile(f.record).find("/OriginExe=") != std::string::npos;
  }));
  const std::string recorded = testkit::ReadWholeFile(f.record);
  EXPECT_NE(std::string::npos, recorded.find("/SpanCdLvl=2")) << recorded;
  EXPECT_NE(std::string::npos, recorded.find(f.stub + ".001")) << recorded;
}

TEST(SpanCopy, AFailedCopyStartsNothing) {
  enum class Fault { StubUnreadable, CopyHeldOpen };
  const struct Case {
    const char* what;
    Fault fault;
  } cases[] = {
      {"the stub file cannot be read", Fault::StubUnreadable},
      // Open for reading only: it can neither be replaced nor deleted, but it could be started.
      {"an earlier copy is held open", Fault::CopyHeldOpen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SpanFolders f;
    // A program left under the copy's name, which would record its start.
    ASSERT_TRUE(testkit::CopyFileTo(kEngineExe, f.copy));
    if (c.fault == Fault::CopyHeldOpen) {
      ASSERT_TRUE(testkit::WriteWholeFile(f.stub, "this disk's stub"));
    }
    sys::ScopedFileHandle held;
    if (c.fault == Fault::CopyHeldOpen) {
      held.Reset(::CreateFileA(f.copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held);
    }
    EXPECT_FALSE(stubwin::StartSpanCopy(f.stub, f.work, f.RecordSwitch()));
    held.Reset();
    EXPECT_TRUE(testkit::ReadWholeFile(f.copy) == testkit::ReadWholeFile(kEngineExe));
    EXPECT_FALSE(testkit::PathExists(f.record));
  }
}

}  // namespace
