// Volume names, agent carrier paths and the entry names that may be written.
#include <gtest/gtest.h>

#include <string>

#include "pack/EntryTarget.h"
#include "pack/UnPackVolumeNames.h"

namespace {

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
  for (const std::string name :
       {"a.txt", "sub\\b.txt", "sub/b.txt", "a\\..\\b", ".\\c", "x.y.z", "COM10", "CONFIG.SYS",
        "nul_file.txt", "LPT", "a\\\\b", "Engine.exe", "..a", "a..b"})
    EXPECT_TRUE(pack::IsSafeEntryName(name)) << name;
  for (const std::string name :
       {"", "\\a", "/a", "C:\\a", "C:a", "\\\\srv\\s\\a", "..", "..\\a", "a\\..\\..\\b", "a:b",
        "NUL", "nul.txt", "Com1", "LPT1.log", "CON .txt", "CONIN$", "a\\PRN\\b", "a\\", "a.",
        "a ", "...", ".. \\a", "a\\.", "tab\there", "com\xB9"})
    EXPECT_FALSE(pack::IsSafeEntryName(name)) << name;
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
