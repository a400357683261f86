// The rules of an HTTP download that need no network: names, URLs, chunks, progress, texts.
#include "net/InetRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace inethttp;

namespace {

TEST(InetRules, UrlFileNameTakesTheLastSegment) {
  struct Case {
    const char* url;
    const char* expected;
  } cases[] = {
      {"http://host/dir/Setup.exe", "Setup.exe"},
      {"http://127.0.0.1:8080/cut/part.bin?size=50&after=10", "part.bin?size=50&after=10"},
      {"127.0.0.1:8080/a/b.txt", "b.txt"},
      {"http://host/dir/", ""},
      {"http://host:8080", "8080"},
      {"Setup.exe", "Setup.exe"},
      {"C:\\dl\\mixed/Setup.exe", "Setup.exe"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(c.expected, UrlFileName(c.url));
  }
}

TEST(InetRules, RequestUrlAddsHttpOnlyWithoutAScheme) {
  struct Case {
    const char* url;
    bool hasScheme;
    const char* requested;
  } cases[] = {
      {"http://h/f", true, "http://h/f"},
      {"HTTP://h/f", true, "HTTP://h/f"},
      {"https://h/f", true, "https://h/f"},
      {"HttpS://h/f", true, "HttpS://h/f"},
      {"ftp://h/f", true, "ftp://h/f"},
      {"127.0.0.1:8080/f", false, "http://127.0.0.1:8080/f"},
      {"localhost:8080/f", false, "http://localhost:8080/f"},
      {"host/a?u=http://b", false, "http://host/a?u=http://b"},  // a scheme inside is no scheme
      {"://h/f", false, "http://://h/f"},
      {"1http://h/f", false, "http://1http://h/f"},
      {"", false, "http://"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(c.hasScheme, HasUrlScheme(c.url));
    EXPECT_EQ(c.requested, RequestUrl(c.url));
  }
}

TEST(InetRules, TemporaryNameCarriesLengthPlusDateModulo2To32) {
  struct Case {
    uint32_t length, modified;
    const char* expected;
  } cases[] = {
      {50, 0, "C:\\dl\\Setup.exe.50"},
      {0xFFFFFFFFu, 0, "C:\\dl\\Setup.exe.4294967295"},  // no length announced
      {0xFFFFFFFFu, 1, "C:\\dl\\Setup.exe.0"},           // the sum wraps
      {1000, 0x58A1632Eu, "C:\\dl\\Setup.exe.1486972694"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.expected, TemporaryDownloadName("C:\\dl\\Setup.exe", c.length, c.modified));
  }
}

TEST(InetRules, LeftoversAreTheTemporaryNamesOnlyNeverTheFileItselfOrItsNeighbours) {
  EXPECT_EQ("C:\\dl\\Setup.exe.*", LeftoverPattern("C:\\dl\\Setup.exe"));
  struct Case {
    const char* found;
    bool leftover;
  } cases[] = {
      {"Setup.exe.50", true},
      {"SETUP.EXE.4294967295", true},
      {"Setup.exe.007", true},
      {"Setup.exe.x", false},
      {"Setup.exe.50.bak", false},
      {"Setup.exe.-5", false},
      {"Setup.exe", false},   // the destination itself
      {"Setup.exe.", false},  // nothing after the dot
      {"Setup.exe2.50", false},
      {"Other.exe.50", false},
      {"SETUPE~1.50", false},  // a short name the system search may match
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.found);
    EXPECT_EQ(c.leftover, IsLeftoverName("C:\\dl\\Setup.exe", c.found));
  }
  // A destination named like the start of the installation's own files leaves them alone.
  for (const char* own : {"Tool.exe", "Tool.original", "Tool.info", "Tool.info.sig", "TOOL~1.ORI"})
    EXPECT_FALSE(IsLeftoverName("C:\\app\\Tool", own)) << own;
  EXPECT_TRUE(IsLeftoverName("C:\\app\\Tool", "Tool.4096"));
  EXPECT_EQ("C:\\dl\\Setup.exe.50", LeftoverPath("C:\\dl\\Setup.exe", "Setup.exe.50"));
  EXPECT_EQ("Setup.exe.50", LeftoverPath("Setup.exe", "Setup.exe.50"));
}

TEST(InetRules, ChunkAndProgressRangeFollowTheLength) {
  struct Case {
    uint32_t length;
    uint32_t chunk;
    int32_t maximum;
  } cases[] = {
      {50, 5, 11},  // ten chunks plus the final empty read
      {1048576, 8192, 129},
      {0, 1, 1},
      {1, 1, 2},
      {9, 1, 10},
      {10, 1, 11},
      {55, 5, 12},
      {81920, 8192, 11},
      {81921, 8192, 12},  // a partial last chunk counts
      {0xFFFFFFFFu, 8192, 524289},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    EXPECT_EQ(c.chunk, DownloadChunkSize(c.length));
    const ProgressRange range = DownloadProgressRange(c.length);
    EXPECT_EQ(1, range.position);
    EXPECT_EQ(c.maximum, range.maximum);
  }
}

TEST(InetRules, MeterUnitsSwitchAbove100KBAnd10MB) {
  struct Case {
    uint32_t length;
    bool kb, mb;
  } cases[] = {
      {102400, false, false},
      {102401, true, false},
      {10485760, true, false},
      {10485761, true, true},
      {0xFFFFFFFFu, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    EXPECT_EQ(c.kb, MeterInKB(c.length));
    EXPECT_EQ(c.mb, MeterInMB(c.length));
  }
}

TEST(InetRules, AnnouncedLengthOrTheMarkedEndCompletesADownload) {
  struct Case {
    uint64_t size;
    uint32_t length;
    bool endReached;
    bool complete;
  } cases[] = {
      {50, 50, true, true},
      {50, 50, false, true},  // all there, though the last read was not seen to end
      {40, 50, true, false},  // the server closed early: a length says what is missing
      {0, 50, true, false},
      {uint64_t{0x100000000} + 50, 50, true, false},  // no 32-bit wrap
      {30000, kUnknownLength, true, true},             // chunked, up to the closing chunk
      {0, kUnknownLength, true, true},                 // an empty file, properly ended
      {20000, kUnknownLength, false, false},           // cut off, or stopped by the user
      {0xFFFFFFFFu, kUnknownLength, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " of " + std::to_string(c.length) +
                 (c.endReached ? ", end reached" : ""));
    EXPECT_EQ(c.complete, IsCompleteDownload(c.size, c.length, c.endReached));
  }
}

TEST(InetRules, DosDateTimePacksTheCalendarTime) {
  struct Case {
    int year, month, day, hour, minute, second;
    uint32_t expected;
  } cases[] = {
      {2024, 5, 1, 12, 25, 56, (22689u << 16) | 25404u},  // Wed, 01 May 2024 12:25:56
      {1980, 1, 1, 0, 0, 0, (33u << 16) | 0u},
      {2107, 12, 31, 23, 59, 59, (0xFF9Fu << 16) | 0xBF7Du},
      {1979, 12, 31, 23, 59, 59, 0},  // before DOS dates
      {2108, 1, 1, 0, 0, 0, 0},
      {2024, 0, 1, 0, 0, 0, 0},
      {2024, 13, 1, 0, 0, 0, 0},
      {2024, 5, 0, 0, 0, 0, 0},
      {2024, 5, 1, 24, 0, 0, 0},
      {2024, 5, 1, 0, 60, 0, 0},
      {2024, 5, 1, 0, 0, 60, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                 std::to_string(c.day));
    EXPECT_EQ(c.expected, DosDateTimeOf(c.year, c.month, c.day, c.hour, c.minute, c.second));
  }
}

TEST(InetRules, ErrorTextsKeepTheirWording) {
  struct Case {
    std::string text;
    const char* expected;
  } cases[] = {
      {UnableToInitializeText(), "Unable to initialize \"WinINet.dll\""},
      {UnableToOpenText("http://h/f.exe"), "Unable to open Internet Connection: http://h/f.exe"},
      {FileNotFoundText("http://h/f.exe"), "http://h/f.exe --- File Not Found !"},
      {DownloadErrorText("f.exe", ""), "f.exe --- Error downloading file"},
      {DownloadErrorText("f.exe", "The operation timed out"),
       "f.exe --- Error downloading file (The operation timed out)"},
      {DownloadAbortedText(), "Download Aborted"},
      {IncompleteDetail(40, 50), "received 40 of 50 bytes"},
      {ReplaceFailedText("C:\\dl\\f.exe", ""), "Unable to replace C:\\dl\\f.exe"},
      {ReplaceFailedText("C:\\dl\\f.exe", "Access denied."),
       "Unable to replace C:\\dl\\f.exe (Access denied.)"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, c.text);
}

TEST(InetRules, DebugLinesNameTheRoutine) {
  EXPECT_EQ("HTTP_GetFileSize=1024  http://h/f", FileSizeLine(1024, "http://h/f"));
  EXPECT_EQ("HTTP_GetFileSize=-1  http://h/f", FileSizeLine(-1, "http://h/f"));
  EXPECT_EQ(" HTTP_DownloadFile_Incremental: Download Aborted",
            DownloadFailureLine("Download Aborted"));
}

}  // namespace
