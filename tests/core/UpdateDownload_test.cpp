// The rules of the agent's downloads: sources, acceptable names, the failure texts, the size
// tolerance, and the inform file's fields.
#include "agent/UpdateDownload.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "agent/InformFile.h"
#include "pack/Scramble.h"
#include "sys/LeadBytes.h"
#include "sys/ScrambleText.h"

namespace {

const sys::LeadBytePredicate kSingleByte = nullptr;

TEST(UpdateDownload, SourceTakesTheFileNameAndTheTestModeFolder) {
  struct Case {
    const char *folder, *file;
    bool testMode;
    const char *local, *web;
  } cases[] = {
      {"http://up.example.com/tool", "Tool.info", false, "http://up.example.com/tool\\Tool.info",
       "http://up.example.com/tool/Tool.info"},
      {"C:\\updates", "sub\\Setup2.exe", false, "C:\\updates\\Setup2.exe", "C:\\updates/Setup2.exe"},
      {"http://up.example.com", "http://elsewhere/x/Setup2.exe", false,
       "http://up.example.com\\Setup2.exe", "http://up.example.com/Setup2.exe"},
      {"http://up.example.com", "Tool.info", true, "D:\\test\\Tool.info", "D:\\test/Tool.info"},
  };
  for (const Case& c : cases) {
    const au::DownloadSource source =
        au::DownloadSourceFor(c.folder, c.file, c.testMode, "D:\\test", kSingleByte);
    EXPECT_EQ(c.local, source.LocalPath()) << c.file;
    EXPECT_EQ(c.web, source.WebUrl()) << c.file;
  }
}

TEST(UpdateDownload, OnlyPlainNamesOutsideTheInstallationAreAccepted) {
  const std::vector<std::string> own = {"Tool.exe", "X_Tool.exe", "Tool.original", "Tool.info"};
  struct Case {
    const char* name;
    bool accepted;
  } cases[] = {
      {"Setup2.exe", true}, {"notice.txt", true}, {"Tool.exe.new", true},
      {"", false},          {"..", false},        {".", false},
      {"NUL", false},       {"com1.txt", false},  {"a:b", false},
      {"sub\\x.exe", false}, {"Setup2.exe.", false},
      {"tool.EXE", false},  {"X_TOOL.exe", false}, {"Tool.original", false}, {"tool.info", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.accepted, au::IsAcceptableDownloadName(c.name, own, kSingleByte)) << c.name;
}

TEST(UpdateDownload, CaptionKeyByKind) {
  EXPECT_EQ("s31", au::DownloadCaptionKey(au::kInfoDownload));
  EXPECT_EQ("s32", au::DownloadCaptionKey(au::kUpdateDownload));
  EXPECT_EQ("s33", au::DownloadCaptionKey(au::kInformDownload));
  EXPECT_EQ("", au::DownloadCaptionKey(4));
}

TEST(UpdateDownload, FailureMessageNamesTheKindOfSource) {
  struct Case {
    bool aborted;
    const char *source, *message;
  } cases[] = {
      {true, "C:\\updates\\Setup2.exe", "S3"},
      {false, "C:\\updates\\Setup2.exe", "C:\\updates\\Setup2.exe<P><P>S4"},
      {false, "\\\\server\\share\\Setup2.exe", "\\\\server\\share\\Setup2.exe<P><P>S4"},
      {false, "http://up.example.com/Setup2.exe", "http://up.example.com/Setup2.exe<P><P>S5"},
      {false, "127.0.0.1:8080/Setup2.exe", "127.0.0.1:8080/Setup2.exe<P><P>S5"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.message, au::DownloadFailureMessage(c.aborted, c.source, "S3", "S4", "S5"))
        << c.source;
}

TEST(UpdateDownload, SizeToleranceIsUnderAHundredBytes) {
  struct Case {
    int64_t actual;
    int32_t expected;
    bool ok;
  } cases[] = {
      {1000, 1000, true}, {1099, 1000, true},  {1100, 1000, false}, {901, 1000, true},
      {900, 1000, false}, {-1, 0, true},       {-1, 1000, false},   {0, 99, true},
      // Sizes are taken through their low 32 bits, as the published sizes are.
      {(int64_t{1} << 32) + 5, 5, true},
      {-1, INT32_MAX, false},  // the difference wraps to the lowest 32-bit number
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.ok, au::SizeWithinTolerance(c.actual, c.expected)) << c.actual << " " << c.expected;
}

TEST(InformFile, FieldsAfterTheTokenAreSkippedAndTheBodyKeepsItsBars) {
  const std::string token = pack::Scramble("PRODUCTTOKEN0123456789ABCDEFGHIJ", 7);
  const std::string text = "|" + token + "|a|b|Hello|World";
  au::InformParts parts = au::SplitInformFile(text);
  EXPECT_EQ("PRODUCTTOKEN0123456789ABCDEFGHIJ", parts.token);
  EXPECT_EQ("Hello|World", parts.body);

  parts = au::SplitInformFile("ignored|" + token + "|a|b|<B>New</B> version");
  EXPECT_EQ("PRODUCTTOKEN0123456789ABCDEFGHIJ", parts.token);
  EXPECT_EQ("<B>New</B> version", parts.body);

  // A scrambled inform file reads the same once unscrambled.
  parts = au::SplitInformFile(sys::ScrambleTextWithKey(text, 'K'));
  EXPECT_EQ("PRODUCTTOKEN0123456789ABCDEFGHIJ", parts.token);
  EXPECT_EQ("Hello|World", parts.body);
}

TEST(InformFile, MissingFieldsAreEmptyAndAMissingTokenMatchesNothing) {
  au::InformParts parts = au::SplitInformFile("|" + pack::Scramble("T", 1) + "|a|");
  EXPECT_EQ("T", parts.token);
  EXPECT_EQ("", parts.body);
  // No token field: its plain form is a throw-away number, different at every reading.
  const au::InformParts first = au::SplitInformFile("no bars at all");
  const au::InformParts second = au::SplitInformFile("no bars at all");
  EXPECT_NE(first.token, second.token);
  EXPECT_EQ("", first.body);
}

}  // namespace
