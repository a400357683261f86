// The process list of Windows 8 and later as "tasklist.exe /FO csv" prints it, recorded here
// because no test host runs that tool.
#include "sys/ProcessTasklist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sys;

namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(ParseCsvRows, ReadsQuotedFieldsRowsAndLineEnds) {
  struct Case {
    std::string text;
    Rows rows;
  } cases[] = {
      {"a,\"b,c\",d", {{"a", "b,c", "d"}}},
      {"\"x\"\"y\",z", {{"x\"y", "z"}}},
      {" a , b ", {{"a", "b"}}},
      {"\" a \",b", {{" a ", "b"}}},  // quoted blanks are meant
      {"a,\r\nb", {{"a", ""}, {"b"}}},
      {"a\r\n\r\nb\n\nc\rd", {{"a"}, {"b"}, {"c"}, {"d"}}},
      {"\"two\r\nlines\",x\r\n", {{"two\r\nlines", "x"}}},
      {"\"\"", {{""}}},
      {"\"open,end", {{"open,end"}}},  // a quote never closed runs to the end
      {"", {}},
      {"\r\n \r\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseCsvRows(c.text), c.rows);
  }
}

const char kEnglishListing[] =
    "\r\n"
    "\"Image Name\",\"PID\",\"Session Name\",\"Session#\",\"Mem Usage\"\r\n"
    "\"System Idle Process\",\"0\",\"Services\",\"0\",\"8 K\"\r\n"
    "\"System\",\"4\",\"Services\",\"0\",\"1,204 K\"\r\n"
    "\"explorer.exe\",\"3512\",\"Console\",\"1\",\"112,340 K\"\r\n"
    "\"Tool.exe\",\"4100\",\"Console\",\"1\",\"12,345 K\"\r\n"
    "\"tool.exe\",\"5200\",\"Console\",\"1\",\"9,876 K\"\r\n"
    "\"Odd, Name.exe\",\"6000\",\"Console\",\"1\",\"1,000 K\"\r\n";

// The header and the numbers are in the system's language; only the column order is fixed.
const char kGermanListing[] =
    "\"Abbildname\",\"PID\",\"Sitzungsname\",\"Sitz.-Nr.\",\"Speichernutzung\"\n"
    "\"svchost.exe\",\"812\",\"Services\",\"0\",\"20.112 K\"\n"
    "\"Werkzeug.exe\",\"2024\",\"Console\",\"1\",\"3.400 K\"\n";

TEST(ParseTasklistCsv, KeepsRowsWithAProcessIdOnly) {
  std::vector<TasklistRow> rows = ParseTasklistCsv(kEnglishListing);
  ASSERT_EQ(rows.size(), 5u);  // header and the idle process (id 0) are no processes to find
  EXPECT_EQ(rows[0].ImageName, "System");
  EXPECT_EQ(rows[0].ProcessId, 4u);
  EXPECT_EQ(rows[4].ImageName, "Odd, Name.exe");
  EXPECT_EQ(rows[4].ProcessId, 6000u);
}

TEST(FindPidInTasklist, MatchesTheFileNameOfThePath) {
  struct Case {
    const char* listing;
    std::string path;
    uint32_t pid;
  } cases[] = {
      {kEnglishListing, "Tool.exe", 4100},
      {kEnglishListing, "C:\\Program Files\\App\\TOOL.EXE", 4100},  // the first row wins
      {kEnglishListing, "  explorer.exe  ", 3512},
      {kEnglishListing, "D:/apps/explorer.exe", 3512},
      {kEnglishListing, "C:\\x\\Odd, Name.exe", 6000},  // a comma inside quotes is no separator
      {kEnglishListing, "System Idle Process", 0},       // id 0 is nobody
      {kEnglishListing, "Image Name", 0},                // the header is no process
      {kEnglishListing, "Missing.exe", 0},
      {kEnglishListing, "", 0},
      {kEnglishListing, "C:\\Folder\\", 0},
      {kGermanListing, "werkzeug.exe", 2024},
      {kGermanListing, "Abbildname", 0},
      {"INFO: No tasks are running.\r\n", "INFO: No tasks", 0},
      {"", "Tool.exe", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FindPidInTasklist(c.listing, c.path), c.pid);
  }
}

TEST(FindPidInTasklist, SkipsDamagedRows) {
  const std::string listing =
      "\"Tool.exe\"\r\n"                    // no id column
      "\"Tool.exe\",\"12a\",\"x\"\r\n"      // no number
      "\"Tool.exe\",\"-5\"\r\n"             // no id
      "\"Tool.exe\",\"99999999999\"\r\n"    // beyond 32 bits
      "\"Tool.exe\",\"0\"\r\n"
      "Tool.exe,  77  ,unquoted\n"         // unquoted fields count as well
      "\"Tool.exe\",\"88\"\n";
  EXPECT_EQ(FindPidInTasklist(listing, "tool.exe"), 77u);
}

}  // namespace
