#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "sys/Files.h"

using namespace sys;

namespace {

class FileRead : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "fileread_" + std::to_string(::getpid()) + ".bin";
    std::ofstream(path_, std::ios::binary) << "0123456789";
  }
  void TearDown() override { std::remove(path_.c_str()); }
  std::string path_;
};

TEST_F(FileRead, ReadsFromOffsetToTheEndOrMaxLenBytes) {
  struct Case {
    size_t maxLen;
    int64_t offset;
    std::string expected;
  } cases[] = {
      {0, 0, "0123456789"}, {4, 0, "0123"},    {0, 6, "6789"}, {3, 6, "678"},
      {100, 2, "23456789"}, {0, 9, "9"},       {0, 10, ""},    // offset at the end: nothing left
      {0, 11, ""},          {0, -1, ""},       {5, INT64_MIN, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.maxLen) + " at " + std::to_string(c.offset));
    EXPECT_EQ(c.expected, ReadFileToString(path_, c.maxLen, c.offset));
  }
}

TEST_F(FileRead, KeepsZeroBytes) {
  const std::string data("a\0b\0\0c", 6);
  std::ofstream(path_, std::ios::binary | std::ios::trunc).write(data.data(), 6);
  EXPECT_EQ(data, ReadFileToString(path_));
}

TEST_F(FileRead, EmptyForMissingFilesFoldersAndEmptyFiles) {
  std::ofstream(path_, std::ios::trunc);
  EXPECT_EQ("", ReadFileToString(path_));
  EXPECT_EQ("", ReadFileToString(path_ + ".missing"));
  EXPECT_EQ("", ReadFileToString(::testing::TempDir()));
}

}  // namespace
