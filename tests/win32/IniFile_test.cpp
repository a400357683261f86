// INI access through the system's own profile functions, on real files.
#include "sys/IniFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "DebugViewer.h"
#include "Processes.h"
#include "sys/KoDebug.h"

namespace {

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testkit::MakeScratchFolder("ini");
    file_ = folder_ + "\\test.ini";
  }
  void TearDown() override { testkit::DeleteTree(folder_); }
  void WriteRaw(const std::string& text) { ASSERT_TRUE(testkit::WriteWholeFile(file_, text)); }

  std::string folder_, file_;
};

TEST_F(IniFile, WrittenStringsReadBack) {
  const std::string values[] = {"abc", "with = sign", "C:\\Program Files\\Tool", "x"};
  for (const std::string& value : values) {
    SCOPED_TRACE(value);
    ASSERT_TRUE(sys::WriteIniString(file_, "Section", "Key", value));
    EXPECT_EQ(sys::ReadIniString(file_, "Section", "Key", "dflt"), value);
  }
  EXPECT_EQ(sys::ReadIniString(file_, "SECTION", "key", "dflt"), "x") << "names ignore case";
}

TEST_F(IniFile, AbsentOrEmptyValuesGiveTheDefault) {
  WriteRaw("[S]\r\nEmpty=\r\nBlank=   \r\nSet=v\r\n");
  struct Case {
    std::string file, section, key;
  } cases[] = {
      {file_, "S", "Empty"},         {file_, "S", "Blank"},       {file_, "S", "Missing"},
      {file_, "Missing", "Set"},     {folder_ + "\\none.ini", "S", "Set"},
      {file_, "S", ""},              {file_, "", "Set"},          {"", "S", "Set"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " [" + c.section + "] " + c.key);
    EXPECT_EQ(sys::ReadIniString(c.file, c.section, c.key, "dflt"), "dflt");
  }
  EXPECT_EQ(sys::ReadIniString(file_, "S", "Set", "dflt"), "v");
}

TEST_F(IniFile, LongValuesAreCutAt10240Characters) {
  const std::string value(12000, 'w');
  ASSERT_TRUE(sys::WriteIniString(file_, "S", "Long", value));
  EXPECT_EQ(sys::ReadIniString(file_, "S", "Long", ""), value.substr(0, 10240));
}

TEST_F(IniFile, IntegersAre64Bit) {
  const int64_t values[] = {0, -1, 42, INT64_MAX, INT64_MIN, 4294967296LL};
  for (int64_t value : values) {
    SCOPED_TRACE(value);
    ASSERT_TRUE(sys::WriteIniInteger(file_, "S", "N", value));
    EXPECT_EQ(sys::ReadIniString(file_, "S", "N", ""), std::to_string(value));
    EXPECT_EQ(sys::ReadIniInteger(file_, "S", "N", 7), value);
  }
}

TEST_F(IniFile, IntegerTextsThatAreNoNumberGiveTheDefault) {
  WriteRaw("[S]\r\nHex=0x10\r\nDollar=$FF\r\nWord=abc\r\nTail=12abc\r\nHuge=9223372036854775808\r\n"
           "Empty=\r\n");
  struct Case {
    std::string key;
    int64_t want;
  } cases[] = {{"Hex", 16},     {"Dollar", 255}, {"Word", -5}, {"Tail", -5},
               {"Huge", -5},    {"Empty", -5},   {"None", -5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(sys::ReadIniInteger(file_, "S", c.key, -5), c.want);
  }
}

TEST_F(IniFile, FlagsAreTrueOnlyForExactlyOne) {
  WriteRaw("[F]\r\nOne=1\r\nZeroOne=01\r\nYes=yes\r\nTrue=true\r\nQuoted=\" 1\"\r\nTwo=2\r\n"
           "Empty=\r\n");
  struct Case {
    std::string key;
    bool want;
  } cases[] = {{"One", true},    {"ZeroOne", false}, {"Yes", false},   {"True", false},
               {"Quoted", false}, {"Two", false},    {"Empty", false}, {"Absent", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(sys::ReadIniFlag(file_, "F", c.key), c.want);
  }
  EXPECT_EQ(sys::ReadIniString(file_, "F", "Quoted", ""), " 1") << "the quotes keep the blank";
}

TEST_F(IniFile, WritesWithAnEmptyNameAreRefused) {
  EXPECT_FALSE(sys::WriteIniString("", "S", "K", "v"));
  EXPECT_FALSE(sys::WriteIniString(file_, "", "K", "v"));
  EXPECT_FALSE(sys::WriteIniString(file_, "S", "", "v"));
  EXPECT_FALSE(sys::WriteIniInteger(file_, "S", "", 1));
  EXPECT_FALSE(testkit::PathExists(file_)) << "nothing was written";
  EXPECT_TRUE(sys::WriteIniString(file_, "S", "K", ""));
  EXPECT_TRUE(testkit::PathExists(file_));
}

TEST_F(IniFile, WriteIntoAMissingFolderFails) {
  EXPECT_FALSE(sys::WriteIniString(folder_ + "\\no\\such\\test.ini", "S", "K", "v"));
}

TEST_F(IniFile, AFileThatCannotBeReadIsReportedOnTheConsole) {
  kodebug::InstallConsoleChannel();
  testkit::DebugViewer viewer;
  ASSERT_TRUE(viewer.IsOpen());
  // A folder in place of the file: the system cannot open it for reading.
  EXPECT_EQ(sys::ReadIniString(folder_, "S", "K", "dflt"), "dflt");
  EXPECT_EQ(viewer.Text().rfind("EXCEPTION --- Utils.ReadIniString()  ", 0), 0u) << viewer.Text();
  viewer.Clear();
  // Another program holds the file locked.
  WriteRaw("[S]\r\nK=v\r\n");
  HANDLE locked = ::CreateFileA(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_EQ(sys::ReadIniString(file_, "S", "K", "dflt"), "dflt");
  ::CloseHandle(locked);
  EXPECT_EQ(viewer.Text().rfind("EXCEPTION --- Utils.ReadIniString()  ", 0), 0u) << viewer.Text();
  viewer.Clear();
  EXPECT_EQ(sys::ReadIniString(folder_ + "\\none.ini", "S", "K", "dflt"), "dflt");
  EXPECT_EQ(sys::ReadIniString(folder_ + "\\no\\none.ini", "S", "K", "dflt"), "dflt");
  EXPECT_EQ(sys::ReadIniString(file_, "S", "Absent", "dflt"), "dflt");
  EXPECT_EQ(viewer.Text(), "") << "missing files and values are no failure";
}

}  // namespace
