// A file held for reading with readers only: what another program can and cannot do to it while
// it is held, which files can be held at all, and the extraction host's volumes held that way.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Processes.h"
#include "pack/ByteSource.h"
#include "stub/UnPackWinHost.h"
#include "sys/Host.h"
#include "sys/Platform.h"

namespace {

using sys::ReadSharing;

// What another program trying to change a file meets: 0 when it got through, else the error.
struct Attempt {
  const char* what;
  DWORD (*run)(const std::string& path);
  bool passesBesideWriters;  // gets through while the file is held sharing with writers
};

DWORD OpenForWriting(const std::string& path) { return testkit::OpenForWritingError(path); }

DWORD Delete(const std::string& path) { return testkit::DeleteError(path); }

// Moves the file away and back, as one would to put another file in its place.
DWORD Rename(const std::string& path) {
  const std::string aside = path + ".aside";
  if (!::MoveFileA(path.c_str(), aside.c_str())) return ::GetLastError();
  ::MoveFileA(aside.c_str(), path.c_str());
  return 0;
}

// Holding a file without sharing deletion keeps it in place in either case; only readers-only
// keeps writers out as well.
const Attempt kAttempts[] = {
    {"write", OpenForWriting, true}, {"delete", Delete, false}, {"rename", Rename, false}};

class ReadSharingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testkit::MakeScratchFolder("sharing");
    file_ = folder_ + "\\Setup.exe";
    ASSERT_TRUE(testkit::WriteWholeFile(file_, "checked bytes"));
  }
  void TearDown() override { testkit::DeleteTree(folder_); }

  std::string folder_, file_;
};

TEST_F(ReadSharingTest, HeldForReadersOnlyTheFileCanBeNeitherWrittenNorReplaced) {
  for (ReadSharing sharing : {ReadSharing::kReadersOnly, ReadSharing::kWithWriters}) {
    const bool readersOnly = sharing == ReadSharing::kReadersOnly;
    SCOPED_TRACE(readersOnly ? "readers only" : "with writers");
    for (const Attempt& attempt : kAttempts) {
      SCOPED_TRACE(attempt.what);
      ASSERT_TRUE(testkit::WriteWholeFile(file_, "checked bytes"));
      {
        const sys::ReadOnlyFile held(file_, sharing);
        ASSERT_TRUE(held.IsOpen());
        const DWORD error = attempt.run(file_);
        const bool passes = !readersOnly && attempt.passesBesideWriters;
        EXPECT_EQ(passes ? 0u : static_cast<DWORD>(ERROR_SHARING_VIOLATION), error);
        if (readersOnly) {
          // Other readers are still welcome.
          EXPECT_EQ("checked bytes", testkit::ReadWholeFile(file_));
        }
      }
      ASSERT_TRUE(testkit::WriteWholeFile(file_, "checked bytes"));
      EXPECT_EQ(0u, attempt.run(file_)) << "released, the file is free again";
    }
  }
}

TEST_F(ReadSharingTest, AFileSomeoneWritesCannotBeHeld) {
  HANDLE writer = ::CreateFileA(file_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, writer);
  EXPECT_FALSE(sys::ReadOnlyFile(file_, ReadSharing::kReadersOnly).IsOpen());
  EXPECT_TRUE(sys::ReadOnlyFile(file_, ReadSharing::kWithWriters).IsOpen());
  ::CloseHandle(writer);
  EXPECT_TRUE(sys::ReadOnlyFile(file_, ReadSharing::kReadersOnly).IsOpen());
}

// The offline setup reads its own running program file as its first volume.
TEST_F(ReadSharingTest, TheRunningProgramFileCanBeHeld) {
  const sys::ReadOnlyFile self(sys::ProgramPath(), ReadSharing::kReadersOnly);
  ASSERT_TRUE(self.IsOpen()) << sys::ProgramPath() << " error " << ::GetLastError();
  char mz[2] = {};
  EXPECT_TRUE(self.ReadAt(0, mz, 2));
  EXPECT_EQ("MZ", std::string(mz, 2));
}

TEST_F(ReadSharingTest, TheExtractionHostHoldsEveryVolumeItOpens) {
  stubwin::UnPackWinHost host;
  {
    const std::unique_ptr<pack::ByteSource> volume = host.OpenRead(file_);
    ASSERT_TRUE(volume != nullptr);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), OpenForWriting(file_));
  }
  EXPECT_EQ(0u, OpenForWriting(file_));
}

}  // namespace
