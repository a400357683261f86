// A file held for reading with readers only: what another program can and cannot do to it while
// it is held, which files can be held at all, and the extraction host's volumes held that way.
// Also what a held file reads at any offset.
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

// Writes text at offset into the file, which grows (sparse, so cheaply) to reach it.
bool WriteAt(const std::string& path, uint64_t offset, const std::string& text) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  DWORD written = 0;
  const bool ok = ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  ::CloseHandle(file);
  return ok;
}

// Volumes are read out of order (the trailer at the end first, then the stream from its start),
// and a volume may pass 4 GiB: every read lands where it asks, whatever the reads before it.
TEST_F(ReadSharingTest, AHeldFileReadsAtEveryOffsetInAnyOrder) {
  const uint64_t kBeyond4GiB = (uint64_t{1} << 32) + 3;
  ASSERT_TRUE(WriteAt(file_, kBeyond4GiB, "far"));
  const sys::ReadOnlyFile held(file_, ReadSharing::kReadersOnly);
  ASSERT_TRUE(held.IsOpen());
  uint64_t size = 0;
  ASSERT_TRUE(held.Size(size));
  EXPECT_EQ(kBeyond4GiB + 3, size);
  struct Read {
    uint64_t offset;
    size_t n;
    const char* expected;  // null: the read must fail
  } const kReads[] = {
      {kBeyond4GiB, 3, "far"},
      {8, 5, "bytes"},
      {kBeyond4GiB + 1, 2, "ar"},
      {0, 7, "checked"},
      {3, 0, ""},
      {kBeyond4GiB + 1, 3, nullptr},  // one byte past the end
      {kBeyond4GiB + 3, 1, nullptr},
      {8, 5, "bytes"},
      {uint64_t{1} << 32, 3, "\0\0\0"},  // the gap that was never written
  };
  for (const Read& read : kReads) {
    SCOPED_TRACE(std::to_string(read.n) + " at " + std::to_string(read.offset));
    std::string got(read.n, '?');
    const bool ok = held.ReadAt(read.offset, &got[0], read.n);
    EXPECT_EQ(read.expected != nullptr, ok);
    if (read.expected) {
      EXPECT_EQ(std::string(read.expected, read.n), got);
    }
  }
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
