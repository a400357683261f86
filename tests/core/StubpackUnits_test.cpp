// The pieces of stubpack that need no files: language files, DOS dates, volume names, size
// totals, entry encoding and the bounded reading of entry texts.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "DosDateTime.h"
#include "EntryBlock.h"
#include "EntryTextReader.h"
#include "HeaderStrings.h"
#include "LangFile.h"
#include "PackTotals.h"
#include "Printable.h"
#include "ReportText.h"
#include "VolumeNames.h"
#include "pack/ByteSource.h"
#include "pack/Scramble.h"

namespace {

using namespace stubpack;

TEST(StubpackLangFile, SectionsBecomeListsWithSeparatorsTheirTextDoesNotUse) {
  struct Case {
    const char* ini;
    const char* langData;
  };
  const Case cases[] = {
      {"", "|"},
      {"; only a comment\n\n", "|"},
      {"[English]\ns1=Unpacking\n", "*|English|s1=Unpacking|*"},
      {"  [ German ]  \r\n  s1 =  Entpacken  \r\n", "*|German|s1=Entpacken|*"},
      {"[English]\ns1=\n", "*|English|s1=|*"},
      {"[A]\nk=a|b\n", "~*A*k=a|b*~"},
      {"[A]\nk=|*~^!@#$\n", "\xFF&A&k=|*~^!@#$&\xFF"},
      {"[A]\nx=1\n[B]\ny=2=3\n", "*|A|x=1|*|B|y=2=3|*"},
  };
  for (const Case& c : cases) {
    std::string langData, error;
    EXPECT_TRUE(LangDataFromIni(c.ini, langData, error)) << c.ini << ": " << error;
    EXPECT_EQ(langData, c.langData) << c.ini;
  }
}

TEST(StubpackLangFile, MalformedLinesAreNamedByNumber) {
  struct Case {
    std::string ini;
    const char* errorPart;
  };
  const Case cases[] = {
      {"s1=x\n", "line 1: Key=Value before the first [Language] section"},
      {"[English]\n\njust text\n", "line 3: expected [Language] or Key=Value"},
      {"[English]\n=value\n", "line 2: expected"},
      {"[ ]\n", "line 1: a section needs a language name"},
      {std::string("[A]\nk=a\0b\n", 10), "zero byte"},
      {"[A]\nk=|*~^!@#$&\xFF\n", "uses every character"},
  };
  for (const Case& c : cases) {
    std::string langData, error;
    EXPECT_FALSE(LangDataFromIni(c.ini, langData, error)) << c.ini;
    EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
  }
}

TEST(StubpackDosDate, CalendarValuesRoundTripAndPrint) {
  struct Case {
    CalendarTime time;
    uint32_t dosDate;
    const char* text;
  };
  const Case cases[] = {
      {{1980, 1, 1, 0, 0, 0}, 0x00210000, "1980-01-01 00:00:00"},
      {{2024, 5, 1, 12, 25, 56}, 0x58A1633C, "2024-05-01 12:25:56"},
      {{2107, 12, 31, 23, 59, 58}, 0xFF9FBF7D, "2107-12-31 23:59:58"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DosDateFromCalendar(c.time), c.dosDate) << c.text;
    EXPECT_EQ(DosDateText(c.dosDate), c.text);
  }
  // Odd seconds are lost, years outside the DOS range are clamped.
  EXPECT_EQ(DosDateText(DosDateFromCalendar({2000, 2, 3, 4, 5, 7})), "2000-02-03 04:05:06");
  EXPECT_EQ(DosDateFromCalendar({1970, 6, 6, 6, 6, 6}), 0x00210000u);
  EXPECT_EQ(DosDateFromCalendar({2200, 6, 6, 6, 6, 6}), 0xFF9FBF7Du);
}

TEST(StubpackDosDate, ItemOneAcceptsSignedAndUnsignedSpellings) {
  struct Case {
    const char* text;
    bool ok;
    uint32_t value;
  };
  const Case cases[] = {
      {"0", true, 0},
      {"1486971708", true, 1486971708},
      {"4294967295", true, 0xFFFFFFFF},
      {"-1", true, 0xFFFFFFFF},
      {"-2147483648", true, 0x80000000},
      {"4294967296", false, 0},
      {"-2147483649", false, 0},
      {"", false, 0},
      {"12a", false, 0},
      {"-", false, 0},
      {"99999999999", false, 0},
  };
  for (const Case& c : cases) {
    uint32_t value = 12345;
    EXPECT_EQ(ParseDosDate(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : 12345u) << c.text;  // untouched on failure
  }
}

TEST(StubpackVolumeNames, LaterVolumesFollowTheStubsRule) {
  struct Case {
    const char* first;
    int k;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\Setup\\Disk.001", 1, "C:\\Setup\\Disk.001"},
      {"C:\\Setup\\Disk.001", 2, "C:\\Setup\\Disk.002"},
      {"C:\\Setup\\Disk.001", 12, "C:\\Setup\\Disk.012"},
      {"setup.exe", 2, "setup.exe.002"},
      {"setup.exe.001", 999, "setup.exe.999"},
      {"x.0011", 3, "x.0011.003"},
      {".001", 2, ".002"},
  };
  for (const Case& c : cases) EXPECT_EQ(VolumePath(c.first, c.k), c.path) << c.first << " " << c.k;
}

TEST(StubpackTotals, SizeOnDiskForATableOfFileSizes) {
  struct Case {
    std::vector<uint64_t> sizes;
    uint64_t total;
    uint64_t onDisk[8];
  };
  const Case cases[] = {
      {{}, 0, {0, 0, 0, 0, 0, 0, 0, 0}},
      {{0, 0}, 0, {0, 0, 0, 0, 0, 0, 0, 0}},
      {{1}, 1, {512, 1024, 2048, 4096, 8192, 16384, 32768, 65536}},
      {{512}, 512, {512, 1024, 2048, 4096, 8192, 16384, 32768, 65536}},
      {{513}, 513, {1024, 1024, 2048, 4096, 8192, 16384, 32768, 65536}},
      {{65536}, 65536, {65536, 65536, 65536, 65536, 65536, 65536, 65536, 65536}},
      {{65537, 3000},
       68537,
       {66048 + 3072, 66560 + 3072, 67584 + 4096, 69632 + 4096, 73728 + 8192, 81920 + 16384,
        98304 + 32768, 131072 + 65536}},
  };
  for (const Case& c : cases) {
    PackTotals totals;
    for (uint64_t size : c.sizes) totals.AddFile(size);
    EXPECT_EQ(totals.TotalSize(), c.total);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(totals.SizeOnDisk(i), c.onDisk[i - 1]) << "entry " << i;
    pack::TPackTrailer trailer;
    std::string error;
    ASSERT_TRUE(totals.StoreInto(trailer, error));
    EXPECT_EQ(trailer.TotalSize(), c.total);
    EXPECT_EQ(trailer.SizeOnDisk(8), c.onDisk[7]);
  }
}

TEST(StubpackTotals, MoreThanTheTrailerCanRecordIsRefused) {
  PackTotals totals;
  totals.AddFile(0xFFFF0000u);
  totals.AddFile(0x20000);  // rounded to 64 KiB clusters the sum passes 4 GiB
  pack::TPackTrailer trailer;
  std::string error;
  EXPECT_FALSE(totals.StoreInto(trailer, error));
  EXPECT_NE(error.find("4294967295"), std::string::npos) << error;
}

TEST(StubpackHeaderStrings, ItemListsAndTokens) {
  const std::string key = "04" + std::string(128, 'c'), sum = std::string(64, 'd');
  const struct {
    UpdateInfoItems update;
    WebSetupInfoItems web;
    std::string updateList, webList;
  } cases[] = {
      {{}, {}, "|", "|"},
      {{"http://u/", "p.info", "Agent.exe", "", true, ""},
       {"http://w", "S.exe", true, "", "12", ""},
       "|http://u/|p.info|Agent.exe||1|",
       "|http://w|S.exe|1||12|"},
      // Item 5 comes only when given, after the five others, empty or not.
      {{"", "", "", "", false, key}, {"", "", false, "", "", sum}, "||||||" + key + "|",
       "||||||" + sum + "|"},
      {{"http://u/", "", "", "", false, key}, {"http://w", "", false, "", "7", sum},
       "|http://u/|||||" + key + "|", "|http://w||||7|" + sum + "|"},
  };
  std::string list, error;
  for (const auto& c : cases) {
    ASSERT_TRUE(BuildUpdateInfo(c.update, list, error)) << error;
    EXPECT_EQ(list, c.updateList);
    ASSERT_TRUE(BuildWebSetupInfo(c.web, list, error)) << error;
    EXPECT_EQ(list, c.webList);
  }
  EXPECT_FALSE(BuildUpdateInfo({"http://u/|x", "", "", "", false, ""}, list, error));
  EXPECT_NE(error.find("\"|\""), std::string::npos);
  EXPECT_FALSE(BuildWebSetupInfo({"u", "f", false, "", "12 MB", ""}, list, error));
  // The same token always scrambles the same way, and back.
  EXPECT_EQ(ScrambleToken("token"), ScrambleToken("token"));
  EXPECT_EQ(pack::Descramble(ScrambleToken("token")), "token");
  EXPECT_EQ(ScrambleToken(""), "");
}

// ---- Entry blocks and their reading -------------------------------------------------------------

std::string EntryBody(const EntryBlock& block) { return block.bytes.substr(4); }

int32_t BlockLength(const EntryBlock& block) {
  return static_cast<int32_t>(pack::ReadLE32(reinterpret_cast<const uint8_t*>(block.bytes.data())));
}

TEST(StubpackEntryBlock, EncodedBlocksReadBackThroughTheBoundedReader) {
  struct Case {
    Compression compression;
    std::string data;
    bool zlib;
  };
  const std::string text(5000, 'a');
  const Case cases[] = {
      {Compression::Auto, text, true},   {Compression::Auto, "xy", false},
      {Compression::Store, text, false}, {Compression::Zlib, "xy", true},
      {Compression::Auto, "", false},
  };
  for (const Case& c : cases) {
    EntryBlock block;
    std::string error;
    ASSERT_TRUE(EncodeEntryBlock("|f.txt|7|", c.data.data(), c.data.size(), c.compression, 9, block,
                                 error));
    EXPECT_EQ(block.zlib, c.zlib);
    EXPECT_EQ(BlockLength(block) > 0, c.zlib);
    const std::string body = EntryBody(block);
    if (!c.zlib) {
      EXPECT_EQ(body, std::string("|f.txt|7|") + '\0' + c.data);
    }
    EXPECT_EQ(
        static_cast<uint64_t>(BlockLength(block) > 0 ? BlockLength(block) : -BlockLength(block)),
        body.size());

    const pack::MemorySource source(body);
    EntryText read;
    ASSERT_TRUE(ReadEntryText(source, 0, body.size(), c.zlib, read, error)) << error;
    EXPECT_EQ(read.nameList, "|f.txt|7|");
    EXPECT_EQ(read.dataSize, c.data.size());
    EXPECT_EQ(read.dataCrc,
              static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(c.data.data()),
                                          static_cast<uInt>(c.data.size()))));
  }
}

std::string Deflated(const std::string& text) {
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(text.data()),
            static_cast<uLong>(text.size()), 9);
  out.resize(size);
  return out;
}

TEST(StubpackEntryText, DamagedOrOversizedTextsAreRefused) {
  const std::string good = Deflated(std::string("|a|1|") + '\0' + "data");
  struct Case {
    const char* what;
    std::string body;
    bool zlib;
    const char* errorPart;
  };
  const Case cases[] = {
      {"no byte 0", "|a|1|", false, "no byte 0"},
      {"name list without end", std::string(kMaxNameList + 1, 'n'), false, "name list is longer"},
      {"zlib cut short", good.substr(0, good.size() - 3), true, "cut short"},
      {"zlib with bytes after its end", good + "xx", true, "ends before its block"},
      {"not zlib at all", "this is no zlib stream", true, "damaged zlib stream"},
      {"inflates beyond the limit",
       Deflated(std::string("|a|1|") + std::string(kMaxEntryText, '\0')), true, "longer than"},
  };
  for (const Case& c : cases) {
    const pack::MemorySource source(c.body);
    EntryText text;
    std::string error;
    EXPECT_FALSE(ReadEntryText(source, 0, c.body.size(), c.zlib, text, error)) << c.what;
    EXPECT_NE(error.find(c.errorPart), std::string::npos) << c.what << ": " << error;
  }
  // A body that the file does not hold is a read failure, not a crash.
  const pack::MemorySource shortSource(good);
  EntryText text;
  std::string error;
  EXPECT_FALSE(ReadEntryText(shortSource, 0, good.size() + 10, true, text, error));
}

TEST(StubpackEntryText, AnEmptyNameListIsAnEntryToSkip) {
  const std::string body = std::string(1, '\0') + "ignored";
  const pack::MemorySource source(body);
  EntryText text;
  std::string error;
  ASSERT_TRUE(ReadEntryText(source, 0, body.size(), false, text, error)) << error;
  EXPECT_TRUE(text.nameList.empty());
  EXPECT_FALSE(text.empty);
  EXPECT_EQ(text.dataSize, 7u);
}

TEST(StubpackReportText, FlagNamesAndPrintableText) {
  EXPECT_EQ(FlagNames(0), "(none)");
  EXPECT_EQ(FlagNames(0x1F),
            "NotifyTempDrive HasNextVolume SpanCdCopy ShowActivityBar AgentDebugLog");
  EXPECT_EQ(FlagNames(0x82), "HasNextVolume bit7");
  EXPECT_EQ(Printable(std::string("a\\b\n\0\xFF", 6)), "a\\b\\x0A\\x00\\xFF");
}

}  // namespace
