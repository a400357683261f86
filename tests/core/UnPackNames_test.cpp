// Volume names, agent carrier paths, the entry names that may be written (read in the code
// page of the system), the run entry's program and the key that tells two names of one file.
#include <gtest/gtest.h>

#include <string>

#include "pack/EntryTarget.h"
#include "pack/UnPackVolumeNames.h"
#include "sys/LeadBytes.h"

namespace {

using sys::LeadBytesOfCodePage;

// The code pages a Windows system may read names in: one single-byte, four double-byte.
const uint32_t kCodePages[] = {1252, 932, 936, 949, 950};

TEST(UnPackNames, VolumePathsFollowTheFirstVolume) {
  struct Case {
    std::string first, base, third;
  } cases[] = {{"D:\\Setup.001", "D:\\Setup", "D:\\Setup.003"},
               {"D:\\Setup.exe", "D:\\Setup.exe", "D:\\Setup.exe.003"},
               {"D:\\Setup.exe.001", "D:\\Setup.exe", "D:\\Setup.exe.003"},
               {"D:\\Setup.0011", "D:\\Setup.0011", "D:\\Setup.0011.003"},
               {".001", "", ".003"}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.base, pack::UnPackBaseName(c.first)) << c.first;
    EXPECT_EQ(c.third, pack::UnPackVolumePath(pack::UnPackBaseName(c.first), 3)) << c.first;
  }
  EXPECT_EQ("x.042", pack::UnPackVolumePath("x", 42));
}

TEST(UnPackNames, AgentCarrierPaths) {
  struct Case {
    std::string path;
    bool carrier;
  } cases[] = {{"C:\\a\\Setup.exe", true}, {"Setup.EXE", true},     {"Setup.exe.001", true},
               {"SETUP.EXE.001", true},    {"Setup.001", false},    {"Setup.exe.002", false},
               {"Setup.exe ", false},      {"Setup.bin", false}};
  for (const Case& c : cases) EXPECT_EQ(c.carrier, pack::IsAgentCarrierPath(c.path)) << c.path;
}

TEST(UnPackNames, SafeEntryNames) {
  // Names of plain ASCII read alike in every code page.
  for (const uint32_t codePage : kCodePages) {
    SCOPED_TRACE(codePage);
    const sys::LeadBytePredicate leadBytes = LeadBytesOfCodePage(codePage);
    for (const std::string name :
         {"a.txt", "sub\\b.txt", "sub/b.txt", "a\\..\\b", ".\\c", "x.y.z", "COM10", "CONFIG.SYS",
          "nul_file.txt", "LPT", "a\\\\b", "Engine.exe", "..a", "a..b"})
      EXPECT_TRUE(pack::IsSafeEntryName(name, leadBytes)) << name;
    for (const std::string name :
         {"", "\\a", "/a", "C:\\a", "C:a", "\\\\srv\\s\\a", "..", "..\\a", "a\\..\\..\\b", "a:b",
          "NUL", "nul.txt", "Com1", "LPT1.log", "CON .txt", "CONIN$", "a\\PRN\\b", "a\\", "a.",
          "a ", "...", ".. \\a", "a\\.", "tab\there", "com\xB9"})
      EXPECT_FALSE(pack::IsSafeEntryName(name, leadBytes)) << name;
  }
}

TEST(UnPackNames, LeadBytesOfTheCodePages) {
  struct Case {
    unsigned char byte;
    bool lead1252, lead932, lead936, lead949, lead950;
  } cases[] = {
      {0x5C, false, false, false, false, false}, {0x7F, false, false, false, false, false},
      {0x80, false, false, false, false, false}, {0x81, false, true, true, true, true},
      {0x9F, false, true, true, true, true},     {0xA0, false, false, true, true, true},
      {0xDF, false, false, true, true, true},     {0xE0, false, true, true, true, true},
      {0xFC, false, true, true, true, true},     {0xFD, false, false, true, true, true},
      {0xFE, false, false, true, true, true},    {0xFF, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    const bool expected[] = {c.lead1252, c.lead932, c.lead936, c.lead949, c.lead950};
    for (size_t i = 0; i < std::size(kCodePages); ++i) {
      const sys::LeadBytePredicate lead = LeadBytesOfCodePage(kCodePages[i]);
      EXPECT_EQ(expected[i], lead != nullptr && lead(c.byte))
          << kCodePages[i] << " byte " << int(c.byte);
    }
  }
  EXPECT_EQ(nullptr, LeadBytesOfCodePage(1252));
  EXPECT_EQ(nullptr, LeadBytesOfCodePage(65001));
}

// The same bytes make different folders in different code pages: after a lead byte a "\" is the
// second half of a character (0x83 0x5C is a katakana in 932, 0x95 0x5C a kanji), so the check
// reads names as the system will, and refuses what a reader could split in more than one way.
TEST(UnPackNames, EntryNamesAreReadInTheSystemsCodePage) {
  struct Case {
    std::string name;
    bool in1252, in932, in936, in949, in950;
  } cases[] = {
      // One folder level fewer in the double-byte code pages: the name climbs out there.
      {"\x83\\a\\..\\..\\evil.txt", true, false, false, false, false},
      // 0xA0 and 0xFD open characters in 936, 949 and 950 only.
      {"\xA0\\a\\..\\..\\evil.txt", true, true, false, false, false},
      {"\xFD\\a\\..\\..\\evil.txt", true, true, false, false, false},
      {"\xE0\\a\\..\\..\\evil.txt", true, false, false, false, false},
      {"\xFF\\a\\..\\..\\evil.txt", true, true, true, true, true},
      // The character that ends in 0x5C is a file name of its own, not a folder.
      {"\x95\\", false, true, true, true, true},
      {"\x95\\\\x.txt", true, true, true, true, true},
      {"sub\\\x94\\.txt", true, true, true, true, true},
      // NUL is a device only where the 0x5C before it separates.
      {"\x83\\NUL", false, true, true, true, true},
      // A lead byte at the end has no second byte.
      {"a\\\x83", true, false, false, false, false},
      {"\x83", true, false, false, false, false},
      // No double-byte code page has second bytes below 0x40.
      {"\x81.txt", true, false, false, false, false},
      {"\x81/x", true, false, false, false, false},
      {"\x82\xA0.txt", true, true, true, true, true},
  };
  for (const Case& c : cases) {
    const bool expected[] = {c.in1252, c.in932, c.in936, c.in949, c.in950};
    for (size_t i = 0; i < std::size(kCodePages); ++i)
      EXPECT_EQ(expected[i], pack::IsSafeEntryName(c.name, LeadBytesOfCodePage(kCodePages[i])))
          << kCodePages[i] << " " << c.name;
  }
}

TEST(UnPackNames, FileKeysAndFileNamesFollowTheCodePage) {
  struct Case {
    std::string name;
    uint32_t codePage;
    std::string key, fileName;
  } cases[] = {
      {"Engine.exe", 1252, "ENGINE.EXE", "Engine.exe"},
      {"sub\\..\\engine.EXE", 1252, "ENGINE.EXE", "engine.EXE"},
      {".\\sub/.\\a\\\\b.txt", 1252, "SUB\\A\\B.TXT", "b.txt"},
      // The second byte of a character is no letter to fold and no separator to cut at.
      {"\x83\x61.exe", 932, "\x83\x61.EXE", "\x83\x61.exe"},
      {"\x83\x61.exe", 1252, "\x83\x41.EXE", "\x83\x61.exe"},
      {"\x83\\a.exe", 932, "\x83\\A.EXE", "\x83\\a.exe"},
      {"\x83\\a.exe", 1252, "\x83\\A.EXE", "a.exe"},
      {"\x83\\a\\..\\..\\evil.txt", 932, "", "evil.txt"},
  };
  for (const Case& c : cases) {
    const sys::LeadBytePredicate leadBytes = LeadBytesOfCodePage(c.codePage);
    EXPECT_EQ(c.key, pack::EntryFileKey(c.name, leadBytes)) << c.codePage << " " << c.name;
    EXPECT_EQ(c.fileName, pack::PathFileName(c.name, leadBytes)) << c.codePage << " " << c.name;
  }
  EXPECT_EQ("Agent.exe", pack::PathFileName("C:\\dir\\Agent.exe", nullptr));
  EXPECT_EQ("Agent.exe", pack::PathFileName("C:Agent.exe", nullptr));
}

TEST(UnPackNames, TheRunEntrysProgramIsTheTextBeforeItsStar) {
  struct Case {
    std::string runEntry, program;
  } cases[] = {
      {"Engine.exe*/S", "Engine.exe"},
      {" Engine.exe * /S ", "Engine.exe"},
      {"sub\\Engine.exe*", "sub\\Engine.exe"},
      {"Engine.exe", "Engine.exe"},
      {"|a|5|*|", "|a|5|"},
      {".a.0..\\..\\..\\..\\windows\\system32\\cmd.exe */c ...", ".a.0..\\..\\..\\..\\windows\\system32\\cmd.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.program, pack::RunEntryProgram(c.runEntry)) << c.runEntry;
}

TEST(UnPackNames, EntryTargets) {
  struct Case {
    std::string list, file;
    uint32_t date;
    bool run;
    std::string runEntry;
  } cases[] = {
      {"|a.txt|1487036208|", "a.txt", 1487036208u, false, ""},
      {"|Engine.exe*/S|0|", "Engine.exe", 0, true, "Engine.exe*/S"},
      {"|Engine.exe*|", "Engine.exe", 0, true, "Engine.exe*"},
      {"|a|5|*|", "a", 5, true, "|a|5|*|"},
      {"/b/-2/", "b", 0xFFFFFFFEu, false, ""},
      {"|c", "", 0, false, ""},  // not closed by its separator: no items
  };
  for (const Case& c : cases) {
    const pack::EntryTarget t = pack::ReadEntryTarget(c.list);
    EXPECT_EQ(c.file, t.fileName) << c.list;
    EXPECT_EQ(c.date, t.dosDate) << c.list;
    EXPECT_EQ(c.run, t.setsRunEntry) << c.list;
    EXPECT_EQ(c.runEntry, t.runEntry) << c.list;
  }
}

}  // namespace
