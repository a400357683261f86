// Writing, reading and sizing files, free space and CD ejection on the real file system.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "DebugViewer.h"
#include "Processes.h"
#include "sys/Files.h"
#include "sys/KoDebug.h"
#include "sys/OpenFile64.h"

namespace {

constexpr uint32_t kMiB = 1048576;

// The last-write time of a file as a DOS date-time in local time; 0 when it cannot be read.
uint32_t FileDosDate(const std::string& path) {
  sys::ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
  FILETIME written{}, local{};
  WORD date = 0, time = 0;
  if (!file || !::GetFileTime(file.Get(), nullptr, nullptr, &written) ||
      !::FileTimeToLocalFileTime(&written, &local) ||
      !::FileTimeToDosDateTime(&local, &date, &time))
    return 0;
  return (static_cast<uint32_t>(date) << 16) | time;
}

uint32_t DosDate(int year, int month, int day, int hour, int minute, int second) {
  const uint32_t date = ((year - 1980) << 9) | (month << 5) | day;
  const uint32_t time = (hour << 11) | (minute << 5) | (second / 2);
  return (date << 16) | time;
}

// Bytes that differ from position to position, so that a shifted or repeated chunk shows.
std::string Pattern(size_t length, unsigned seed) {
  std::string data(length, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (char& c : data) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>(x >> 24);
  }
  return data;
}

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = testkit::MakeScratchFolder("files"); }
  void TearDown() override { testkit::DeleteTree(folder_); }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
  std::string folder_;
};

using SaveFile = FilesTest;

TEST_F(SaveFile, ReplacesOrAppends) {
  struct Case {
    const char* what;
    const char* before;  // nullptr: no file
    std::string data;
    bool append;
    std::string after;
  } cases[] = {
      {"new file", nullptr, "hello", false, "hello"},
      {"append to 10 bytes", "0123456789", "abcde", true, "0123456789abcde"},
      {"replace", "0123456789", "abc", false, "abc"},
      {"append creates", nullptr, "xyz", true, "xyz"},
      {"empty data truncates", "0123456789", "", false, ""},
      {"empty append keeps", "0123456789", "", true, "0123456789"},
      {"zero bytes stay", nullptr, std::string("a\0b", 3), false, std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = Path("save.bin");
    ::DeleteFileA(path.c_str());
    if (c.before) {
      ASSERT_TRUE(testkit::WriteWholeFile(path, c.before));
    }
    EXPECT_TRUE(sys::SaveFile(path, c.data, 0, c.append));
    EXPECT_EQ(c.after, testkit::ReadWholeFile(path));
  }
}

TEST_F(SaveFile, LargeDataRoundTripsThroughChunkedWrites) {
  const std::string path = Path("large.bin");
  const std::string first = Pattern(5 * kMiB + 3, 1);  // 11 writes, the last of 3 bytes
  const std::string second = Pattern(kMiB + 1, 2);
  ASSERT_TRUE(sys::SaveFile(path, first, 0, false));
  EXPECT_EQ(first.size(), sys::GetFileSizeByName(path));
  EXPECT_TRUE(first == sys::ReadFileToString(path));
  ASSERT_TRUE(sys::SaveFile(path, second, 0, true));
  EXPECT_EQ(first.size() + second.size(), sys::GetFileSizeByName(path));
  EXPECT_TRUE(second == sys::ReadFileToString(path, 0, static_cast<int64_t>(first.size())));
  EXPECT_TRUE(first.substr(kMiB, 100) == sys::ReadFileToString(path, 100, kMiB));
}

TEST_F(SaveFile, SetsTheDateOnlyWhenGiven) {
  const uint32_t date = DosDate(2021, 3, 4, 5, 6, 8);
  ASSERT_TRUE(sys::SaveFile(Path("dated.bin"), "x", date, false));
  EXPECT_EQ(date, FileDosDate(Path("dated.bin")));
  ASSERT_TRUE(sys::AppendToFile(Path("dated.bin"), "y", DosDate(2022, 12, 31, 23, 58, 58)));
  EXPECT_EQ(DosDate(2022, 12, 31, 23, 58, 58), FileDosDate(Path("dated.bin")));

  // Date 0: the file keeps the time it was written at.
  ASSERT_TRUE(sys::SaveFile(Path("now.bin"), "x", 0, false));
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(::GetFileAttributesExA(Path("now.bin").c_str(), GetFileExInfoStandard, &data));
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  EXPECT_LT(std::llabs(ticks(now) - ticks(data.ftLastWriteTime)), 60LL * 10000000);
  EXPECT_TRUE(sys::AppendToFile(Path("now.bin"), "y", 0));
  EXPECT_NE(DosDate(2021, 3, 4, 5, 6, 8), FileDosDate(Path("now.bin")));
}

TEST_F(SaveFile, FileThatCannotBeOpenedIsAFailureEvenForNoBytes) {
  const std::string path = Path("no such folder\\file.bin");
  struct Case {
    const char* what;
    bool (*write)(const std::string&, const std::string&);
  } cases[] = {
      {"save",
       [](const std::string& p, const std::string& d) { return sys::SaveFile(p, d, 0, false); }},
      {"save append",
       [](const std::string& p, const std::string& d) { return sys::SaveFile(p, d, 0, true); }},
      {"append",
       [](const std::string& p, const std::string& d) { return sys::AppendToFile(p, d, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(c.write(path, ""));
    EXPECT_FALSE(c.write(path, "data"));
    EXPECT_FALSE(c.write(path, Pattern(2 * kMiB, 3)));
  }
  EXPECT_FALSE(testkit::PathExists(path));
}

TEST_F(SaveFile, WritesBesideOtherOpenHandles) {
  const std::string path = Path("shared.log");
  ASSERT_TRUE(sys::AppendToFile(path, "one\r\n", 0));
  sys::ScopedFileHandle other(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(other);
  EXPECT_TRUE(sys::AppendToFile(path, "two\r\n", 0));
  EXPECT_TRUE(sys::SaveFile(path, "three\r\n", 0, true));
  EXPECT_EQ("one\r\ntwo\r\nthree\r\n", sys::ReadFileToString(path));
}

using ReadFile = FilesTest;

TEST_F(ReadFile, ReadsFromAnOffsetUpToMaxLen) {
  const std::string path = Path("read.bin");
  ASSERT_TRUE(sys::SaveFile(path, "0123456789", 0, false));
  struct Case {
    size_t maxLen;
    int64_t offset;
    std::string expected;
  } cases[] = {{0, 0, "0123456789"}, {4, 2, "2345"}, {0, 7, "789"},
               {0, 10, ""},          {0, 11, ""},    {0, -3, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(c.expected, sys::ReadFileToString(path, c.maxLen, c.offset));
  }
  EXPECT_EQ("", sys::ReadFileToString(Path("missing.bin")));
  EXPECT_EQ("", sys::ReadFileToString(folder_));
}

// A file of 5 GiB made by moving its end (sparse where the file system allows): sizes and
// offsets beyond 32 bits without writing 5 GiB.
TEST_F(ReadFile, SizesAndOffsetsBeyondFourGiB) {
  const std::string path = Path("huge.bin");
  const int64_t size = 5LL << 30;
  {
    sys::ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    ASSERT_EQ(size, sys::FileSeek64(file.Get(), size, sys::SeekOrigin::Begin));
    ASSERT_TRUE(::SetEndOfFile(file.Get()));
    EXPECT_EQ(static_cast<uint64_t>(size), sys::FileSize64(file.Get()));
    EXPECT_EQ(size - 6, sys::FileSeek64(file.Get(), -6, sys::SeekOrigin::End));
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.Get(), "MARK", 4, &written, nullptr));
    EXPECT_EQ(size - 2, sys::FileSeek64(file.Get(), 0, sys::SeekOrigin::Current));
    EXPECT_EQ(size - 12, sys::FileSeek64(file.Get(), -10, sys::SeekOrigin::Current));
    EXPECT_EQ(-1, sys::FileSeek64(file.Get(), -1, sys::SeekOrigin::Begin));
  }
  EXPECT_EQ(static_cast<uint64_t>(size), sys::GetFileSizeByName(path));
  EXPECT_EQ(static_cast<uint64_t>(size), sys::GetFileSizeByName(folder_ + "\\h*.bin"));
  EXPECT_EQ("MARK", sys::ReadFileToString(path, 4, size - 6));
  EXPECT_EQ(std::string("RK\0\0", 4), sys::ReadFileToString(path, 0, size - 4));
  EXPECT_EQ("", sys::ReadFileToString(path, 0, size));
  ::DeleteFileA(path.c_str());
}

TEST_F(ReadFile, SizeQueriesReportFailureAsZeroAndMinusOne) {
  EXPECT_EQ(0u, sys::GetFileSizeByName(Path("none*.bin")));
  EXPECT_EQ(0u, sys::FileSize64(INVALID_HANDLE_VALUE));
  EXPECT_EQ(-1, sys::FileSeek64(INVALID_HANDLE_VALUE, 0, sys::SeekOrigin::End));
}

TEST(DiskFree, CountsTheFreeBytesOfTheVolumeHoldingAPath) {
  char temp[MAX_PATH];
  ASSERT_NE(0u, ::GetTempPathA(sizeof temp, temp));
  ULARGE_INTEGER available{}, total{}, totalFree{};
  ASSERT_TRUE(::GetDiskFreeSpaceExA(temp, &available, &total, &totalFree));
  const double expected = static_cast<double>(available.QuadPart);
  const std::string t = temp;
  const std::string shapes[] = {
      t, t + "no\\such\\folder\\file.bin",  // a missing folder falls back to the drive root
      t.substr(0, 2), t.substr(0, 1), t.substr(0, 3)};
  for (const std::string& path : shapes) {
    SCOPED_TRACE(path);
    EXPECT_NEAR(expected, sys::DiskFree(path), 512.0 * kMiB);
  }
  std::string slashed = t;
  for (char& c : slashed)
    if (c == '\\') c = '/';
  EXPECT_NEAR(expected, sys::DiskFree(slashed), 512.0 * kMiB);
}

TEST(DiskFree, MinusOneWhenNoQuerySucceeds) {
  const DWORD drives = ::GetLogicalDrives();
  char unused = 0;
  for (char letter = 'Y'; letter > 'D' && !unused; --letter)
    if (!(drives & (1u << (letter - 'A')))) unused = letter;
  ASSERT_NE(0, unused);
  EXPECT_EQ(-1.0, sys::DiskFree(std::string(1, unused) + ":\\data"));
  EXPECT_EQ(-1.0, sys::DiskFree(""));
}

TEST(EjectCD, OtherThanACdDriveGivesFalseWithoutOpeningADevice) {
  kodebug::InstallConsoleChannel();
  testkit::DebugViewer viewer;
  ASSERT_TRUE(viewer.IsOpen());
  char windows[MAX_PATH];
  ASSERT_NE(0u, ::GetWindowsDirectoryA(windows, sizeof windows));
  const std::string paths[] = {windows, "", "1:\\setup.001", "\\\\server\\share\\x"};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(sys::EjectCD(path));
  }
  kodebug::ConsoleLine("end");
  EXPECT_EQ("end\r\n", viewer.Text()) << "no EjectCD line: no device was opened";
}

}  // namespace
