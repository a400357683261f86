#include "sys/DrivePaths.h"

#include <gtest/gtest.h>

using namespace sys;

namespace {

TEST(DrivePaths, FreeSpaceQueryUsesTheFirstFolderBelowTheRoot) {
  struct Case {
    std::string path, query, root;
  } cases[] = {
      {"C:\\Temp\\Sub\\file.bin", "C:\\Temp", "C:\\"},
      {"d:/data/sub", "d:\\data", "D:\\"},  // slashes count as backslashes
      {"C:\\Temp", "C:\\Temp", "C:\\"},     // no further backslash: used whole
      {"C:\\Temp\\", "C:\\Temp", "C:\\"},
      {"C:\\", "C:\\", "C:\\"},
      {"e:", "E:\\", "E:\\"},               // shorter than 3: the drive root
      {"x", "X:\\", "X:\\"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.query, FreeSpaceQueryPath(c.path));
    EXPECT_EQ(c.root, DriveRootOf(c.path));
  }
}

TEST(DrivePaths, OnlyLettersNameADrive) {
  struct Case {
    std::string path;
    char letter;
  } cases[] = {
      {"d:\\setup.001", 'D'}, {"Z:", 'Z'},   {"a", 'A'},  {"", 0},
      {"1:\\x", 0},           {"\\\\srv\\share", 0},       {"\xE4:\\", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.letter, DriveLetterOf(c.path));
  }
  EXPECT_EQ("\\\\.\\D:", DriveDeviceName('D'));
}

}  // namespace
