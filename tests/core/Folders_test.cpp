#include "sys/Folders.h"

#include <gtest/gtest.h>

#include <string>

using namespace sys;

namespace {

// Lead bytes of the Japanese code page 932, where "\" (0x5C) can be a second byte.
bool IsShiftJisLeadByte(unsigned char Byte) {
  return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC);
}

TEST(FolderText, ClosingBackslashAddedOrRemoved) {
  struct Case {
    std::string folder, with, without;
  } cases[] = {
      {"C:\\Windows", "C:\\Windows\\", "C:\\Windows"},
      {"C:\\Windows\\", "C:\\Windows\\", "C:\\Windows"},
      {"C:\\Windows\\\\", "C:\\Windows\\", "C:\\Windows"},
      {"C:\\", "C:\\", "C:"},
      {"\\", "", ""},  // a lone backslash is no folder
      {"", "", ""},
      // 0x95 0x5C is one character: its "\" is no separator.
      {"C:\\\x95\x5C", "C:\\\x95\x5C\\", "C:\\\x95\x5C"},
      {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\", "C:\\\x95\x5C"},
      {"C:\\a\x5C", "C:\\a\\", "C:\\a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(FolderWithBackslash(c.folder, true, IsShiftJisLeadByte), c.with);
    EXPECT_EQ(FolderWithBackslash(c.folder, false, IsShiftJisLeadByte), c.without);
  }
  // Without a code page every "\" is a separator.
  EXPECT_EQ(FolderWithBackslash("C:\\\x95\x5C", false), "C:\\\x95");
}

TEST(FolderText, FolderOfAPath) {
  struct Case {
    std::string path, with, without;
  } cases[] = {
      {"C:\\Tools\\Tool.exe", "C:\\Tools\\", "C:\\Tools"},
      {"C:\\Tool.exe", "C:\\", "C:"},
      {"Tool.exe", "", ""},
      {"C:\\Tools\\\x95\x5C.exe", "C:\\Tools\\", "C:\\Tools"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderOfPath(c.path, true, IsShiftJisLeadByte), c.with);
    EXPECT_EQ(FolderOfPath(c.path, false, IsShiftJisLeadByte), c.without);
  }
}

TEST(FolderText, FileNameWithoutOneOrAllExtensions) {
  struct Case {
    std::string path, lastGone, allGone;
  } cases[] = {
      {"C:\\Tools\\Tool.beta.exe", "Tool.beta", "Tool"},
      {"C:\\Tools\\Tool.exe", "Tool", "Tool"},
      {"C:\\My.Tools\\Tool", "Tool", "Tool"},  // a "." of the folder is no extension
      {"Tool", "Tool", "Tool"},
      {"D:Tool.exe", "Tool", "Tool"},
      {"C:\\Tools\\", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNameWithoutExtension(c.path, false), c.lastGone);
    EXPECT_EQ(FileNameWithoutExtension(c.path, true), c.allGone);
  }
}

}  // namespace
