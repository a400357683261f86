#include "sys/SelfDeleteBatch.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace sys;

namespace {

const std::string kBatch = "C:\\Temp\\_DEL_ME_.BAT";

TEST(SelfDeleteBatch, LinesLoopUntilTheFileIsGoneThenRemoveTheBatch) {
  struct Case {
    const char* what;
    SelfDeleteBatch in;
    std::string text;
  } cases[] = {
      {"quoted, file only",
       {"C:\\Work Dir\\X_Tool.exe", "C:\\Work Dir", kBatch, false, true},
       ":START\r\n"
       "DEL \"C:\\Work Dir\\X_Tool.exe\"\r\n"
       "IF exist \"C:\\Work Dir\\X_Tool.exe\" GOTO START\r\n"
       "DEL \"C:\\Temp\\_DEL_ME_.BAT\"\r\n"},
      {"quoted, with folder",
       {"C:\\Temp\\SETUP_1\\Y_Disk.exe", "C:\\Temp\\SETUP_1", kBatch, true, true},
       ":START\r\n"
       "DEL \"C:\\Temp\\SETUP_1\\Y_Disk.exe\"\r\n"
       "IF exist \"C:\\Temp\\SETUP_1\\Y_Disk.exe\" GOTO START\r\n"
       "RD \"C:\\Temp\\SETUP_1\"\r\n"
       "DEL \"C:\\Temp\\_DEL_ME_.BAT\"\r\n"},
      {"short names, with folder",
       {"C:\\DOCUME~1\\SETUP_~1\\Y_DISK.EXE", "C:\\DOCUME~1\\SETUP_~1",
        "C:\\DOCUME~1\\_DEL_ME_.BAT", true, false},
       ":START\r\n"
       "DEL C:\\DOCUME~1\\SETUP_~1\\Y_DISK.EXE\r\n"
       "IF exist C:\\DOCUME~1\\SETUP_~1\\Y_DISK.EXE GOTO START\r\n"
       "RD C:\\DOCUME~1\\SETUP_~1\r\n"
       "DEL C:\\DOCUME~1\\_DEL_ME_.BAT\r\n"},
      {"program at a drive root: no RD, which would hit the drive's current folder",
       {"D:\\Setup.exe", "D:", kBatch, true, true},
       ":START\r\n"
       "DEL \"D:\\Setup.exe\"\r\n"
       "IF exist \"D:\\Setup.exe\" GOTO START\r\n"
       "DEL \"C:\\Temp\\_DEL_ME_.BAT\"\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.text, SelfDeleteBatchText(c.in));
  }
}

TEST(SelfDeleteBatch, ShortNamesWriteNoQuotes) {
  const SelfDeleteBatch in{"C:\\PROGRA~1\\TOOL\\X_TOOL.EXE", "C:\\PROGRA~1\\TOOL",
                           "C:\\WINDOWS\\TEMP\\_DEL_ME_.BAT", false, false};
  const std::string text = SelfDeleteBatchText(in);
  EXPECT_EQ(std::string::npos, text.find('"')) << text;
  EXPECT_EQ(4, std::count(text.begin(), text.end(), '\n')) << text;
}

TEST(SelfDeleteBatch, ArgumentsStayOnePathWhateverTheyHold) {
  struct Case {
    std::string path;
    bool quote;
    std::string argument;
  } cases[] = {
      {"C:\\A\\B.EXE", false, "C:\\A\\B.EXE"},
      {"C:\\A\\B.EXE", true, "\"C:\\A\\B.EXE\""},
      // cmd expands %...% in batch lines, quoted or not: the path would become another one.
      {"C:\\100%\\%TEMP%.exe", true, "\"C:\\100%%\\%%TEMP%%.exe\""},
      {"C:\\100%\\X.EXE", false, "C:\\100%%\\X.EXE"},
      // Without short names a blank would split the path into two files for DEL, and "&" would
      // start another command: such a path is quoted all the same.
      {"C:\\Program Files\\X.exe", false, "\"C:\\Program Files\\X.exe\""},
      {"C:\\R&D\\X.EXE", false, "\"C:\\R&D\\X.EXE\""},
      {"C:\\A;B\\X.EXE", false, "\"C:\\A;B\\X.EXE\""},
      {"C:\\A^B\\X.EXE", false, "\"C:\\A^B\\X.EXE\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.argument, BatchArgument(c.path, c.quote));
  }
}

TEST(SelfDeleteBatch, FolderOfFileHasNoClosingBackslash) {
  struct Case {
    std::string path, folder;
  } cases[] = {
      {"C:\\Temp\\SETUP_1\\Y_Disk.exe", "C:\\Temp\\SETUP_1"},
      {"C:\\Setup.exe", "C:"},
      {"Setup.exe", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.folder, FolderOfFile(c.path));
  }
}

}  // namespace
