// stubpack end to end: packages written by "stubpack build" are read back through the stub's own
// package descriptor and through "stubpack inspect", byte layouts are checked where the stub
// depends on them, and damaged packages must give one error line, never a crash.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DosDateTime.h"
#include "PackReadout.h"
#include "StubpackHarness.h"
#include "pack/GFileInfo.h"
#include "pack/PackFormat.h"
#include "sys/Sha256.h"

namespace {

using namespace stubpacktest;

constexpr uint32_t kFixedDate = 0x58A1633C;  // 2024-05-01 12:25:56

std::string Compressible(size_t n) {
  std::string text;
  while (text.size() < n) text += "Compressible line " + std::to_string(text.size() % 97) + "\n";
  text.resize(n);
  return text;
}

// "MZ" at 0 and "PE" at 256, as the stub recognises a program file; stale PackageEnd words.
std::string FakeProgram(size_t size = 1024) {
  std::string image = RandomBytes(size, 7);
  image[0] = 'M', image[1] = 'Z';
  image[256] = 'P', image[257] = 'E';
  for (size_t i = pack::kPackageEndHighOffset; i < pack::kPackageEndHighOffset + 8; ++i)
    image[i] = 0x11;
  return image;
}

uint32_t Crc(const std::string& bytes) {
  return static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

uint32_t WordAt(const std::string& image, size_t offset) {
  return pack::ReadLE32(reinterpret_cast<const uint8_t*>(image.data()) + offset);
}

size_t LineCount(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

stubpack::PackageReport Inspect(const std::string& path) {
  stubpack::PackageReport report;
  std::string error;
  EXPECT_TRUE(stubpack::InspectPackage(path, report, error)) << error;
  return report;
}

std::vector<std::string> Args(std::initializer_list<std::string> head,
                              const std::vector<std::string>& more) {
  std::vector<std::string> args(head);
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// ---- Round trip ---------------------------------------------------------------------------------

TEST(StubpackBuild, EveryItemAndFlagReadsBackThroughTheDescriptorAndInspect) {
  Scratch s;
  const std::string stub = s.Write("stub.exe", FakeProgram());
  const std::string engine = s.Write("in/Engine.exe", RandomBytes(3000, 1));
  const std::string readme = s.Write("in/docs/readme.txt", Compressible(5000));
  const std::string lang =
      s.Write("lang.ini", "; texts\n[English]\ns1 = Unpacking\n[German]\ns1=Entpacken\n");
  const std::string out = s.Path("setup.exe");
  const CliResult built = Stubpack({"build",
                                    "--stub",
                                    stub,
                                    "--out",
                                    out,
                                    "--dir",
                                    s.Path("in"),
                                    "--run",
                                    "engine.exe*/S /X",
                                    "--lang",
                                    lang,
                                    "--notify-temp-drive",
                                    "--span-cd-copy",
                                    "--show-activity-bar",
                                    "--agent-debug-log",
                                    "--web-setup",
                                    "--confirm-download",
                                    "--make-agent-copy",
                                    "--auto-update-agent",
                                    "--update-url",
                                    "http://updates.example/p.info",
                                    "--info-file",
                                    "sub\\Product.v2.info",
                                    "--agent-exe",
                                    "Agent.exe",
                                    "--product-token",
                                    "abcdefghijklmnopqrstuvwxyzabcdef",
                                    "--hide-setup",
                                    "--web-url",
                                    "http://dl.example/setup/",
                                    "--web-file",
                                    "Full.exe",
                                    "--always-download",
                                    "--web-token",
                                    "zyxwvutsrqponmlkjihgfedcbazyxwvu",
                                    "--web-size",
                                    "123456789",
                                    "--date",
                                    std::to_string(kFixedDate)});
  ASSERT_EQ(built.code, 0) << built.err;

  TGFileInfo info(out);
  ASSERT_TRUE(info.HasPackage());
  EXPECT_EQ(info.Trailer().Version(), 3);
  EXPECT_EQ(info.Trailer().FilesCount(), 2u);
  EXPECT_EQ(info.Trailer().TotalSize(), 8000u);
  EXPECT_TRUE(info.NotifyTempDrive() && info.SpanCdCopy() && info.ShowActivityBar() &&
              info.AgentDebugLog());
  EXPECT_FALSE(info.HasNextVolume());
  EXPECT_TRUE(info.IsWebSetup() && info.ConfirmDownload() && info.MakeAgentCopy() &&
              info.ThisIs_AutoUpdateProg());
  EXPECT_EQ(info.GetUpdateInfoURL(), "http://updates.example/p.info");
  EXPECT_EQ(info.GetInfoFileName(), "Product.v2.info");
  EXPECT_EQ(info.GetOriginalFileName(), "Product.original");
  EXPECT_EQ(info.GetProgramExeName(), "Agent.exe");
  EXPECT_EQ(info.GetProductToken(true), "abcdefghijklmnopqrstuvwxyzabcdef");
  EXPECT_TRUE(info.GetHideSetup());
  EXPECT_EQ(info.GetWebSetupURL(), "http://dl.example/setup/");
  EXPECT_EQ(info.GetWebSetupFileName(), "Full.exe");
  EXPECT_TRUE(info.GetAlwaysDownload());
  EXPECT_EQ(info.GetWebSetupToken(true), "zyxwvutsrqponmlkjihgfedcbazyxwvu");
  EXPECT_EQ(info.GetWebSetupSize(), "123456789");

  // A disk set run from a copy: out launches, its entries are in out.001 behind the same header.
  const std::string firstVolume = out + ".001";
  TGFileInfo volumeInfo(firstVolume);
  EXPECT_EQ(volumeInfo.LangData(), info.LangData());
  EXPECT_EQ(volumeInfo.WebSetupInfo(), info.WebSetupInfo());
  EXPECT_EQ(ReadFile(out).size(), info.PackageStart() + pack::kTrailerSize);
  // The same stub and header, but each file records its own package end.
  const auto withoutPackageEnd = [&](const std::string& path) {
    return ReadFile(path).substr(0, info.PackageStart()).replace(pack::kPackageEndHighOffset, 8, 8,
                                                                 '\0');
  };
  EXPECT_EQ(withoutPackageEnd(out), withoutPackageEnd(firstVolume));
  const stubpack::PackageReport report = Inspect(firstVolume);
  ASSERT_EQ(report.volumes.size(), 1u);
  EXPECT_EQ(report.volumes[0].trailer.PackageStart(), 1024u);
  EXPECT_EQ(report.volumes[0].firstEntryOffset, info.PackageStart());
  EXPECT_EQ(report.header.infoFile, "sub\\Product.v2.info");
  EXPECT_EQ(report.header.productToken, "abcdefghijklmnopqrstuvwxyzabcdef");
  EXPECT_NE(report.header.productTokenStored, report.header.productToken);
  ASSERT_EQ(report.header.sections.size(), 2u);
  EXPECT_EQ(report.header.sections[1].name, "German");
  EXPECT_EQ(report.header.sections[1].pairs, std::vector<std::string>{"s1=Entpacken"});
  ASSERT_EQ(report.files.size(), 2u);
  EXPECT_EQ(report.files[0].name, "docs\\readme.txt");
  EXPECT_EQ(report.files[0].crc, Crc(ReadFile(readme)));
  EXPECT_FALSE(report.files[0].isRun);
  EXPECT_EQ(report.files[1].name, "Engine.exe");
  EXPECT_EQ(report.files[1].crc, Crc(ReadFile(engine)));
  EXPECT_TRUE(report.files[1].isRun);
  EXPECT_EQ(report.files[1].runParams, "/S /X");
  EXPECT_EQ(report.entries[1].nameList, "|Engine.exe*/S /X|" + std::to_string(kFixedDate) + "|");
  EXPECT_EQ(report.files[1].dosDate, kFixedDate);

  const CliResult shown = Stubpack({"inspect", firstVolume});
  ASSERT_EQ(shown.code, 0) << shown.err;
  for (const char* expected :
       {"Flags: 29 NotifyTempDrive SpanCdCopy ShowActivityBar AgentDebugLog", "IsWebSetup: 1",
        "ConfirmDownload: 1", "MakeAgentCopy: 1", "ThisIs_AutoUpdateProg: 1", "TrailerSize: 74",
        "ProductToken: \"abcdefghijklmnopqrstuvwxyzabcdef\"", "HideSetup: yes",
        "AlwaysDownload: yes", "WebSetupSize: \"123456789\"", "[English]", "s1=Unpacking",
        "run \"/S /X\"", "2024-05-01 12:25:56", "Checksum: computed", "passes"})
    EXPECT_NE(shown.out.find(expected), std::string::npos) << expected;
}

TEST(StubpackInspect, NamesTheProcessorOfTheStubItWasBuiltOn) {
  struct Case {
    uint16_t machine;
    const char* shown;
  } cases[] = {{0x014C, "program file for x86 (32-bit)"},
               {0x8664, "program file for x64 (64-bit)"},
               {0xAA64, "program file for machine 0xAA64"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    Scratch s;
    std::string program = FakeProgram();
    program[pack::kPEHeaderOffset + 4] = static_cast<char>(c.machine & 0xFF);
    program[pack::kPEHeaderOffset + 5] = static_cast<char>(c.machine >> 8);
    s.Write("in/a.txt", "a");
    const std::string out = s.Path("setup.exe");
    ASSERT_EQ(Stubpack({"build", "--stub", s.Write("stub.exe", program), "--out", out, "--dir",
                        s.Path("in")})
                  .code,
              0);
    EXPECT_EQ(Inspect(out).volumes.at(0).machine, c.machine);
    const CliResult shown = Stubpack({"inspect", out});
    EXPECT_NE(shown.out.find(c.shown), std::string::npos) << shown.out;
  }
}

TEST(StubpackBuild, HeaderStringsStandAtPackageStartInVersionOrder) {
  struct Case {
    const char* version;
    size_t headerStrings;
  };
  for (const Case& c : {Case{"2", 2}, Case{"3", 3}}) {
    SCOPED_TRACE(c.version);
    Scratch s;
    const std::string out = s.Path("setup.exe");
    const CliResult built =
        Stubpack({"build", "--stub", s.Write("stub.exe", FakeProgram(700)), "--out", out,
                  "--version", c.version, "--lang-raw", "~raw~", "--update-url", "U", "--agent-exe",
                  "A.exe", s.Write("a.txt", "alpha") + "=a.txt", "--store", "--date", "1"});
    ASSERT_EQ(built.code, 0) << built.err;
    const std::string image = ReadFile(out);
    const uint32_t start =
        WordAt(image, image.size() - pack::kTrailerSize + pack::at::PackageStart);
    ASSERT_EQ(start, 700u);
    const std::vector<std::string> expected = {"~raw~", "|U||A.exe|||", "|"};
    size_t at = start;
    for (size_t i = 0; i < c.headerStrings; ++i) {
      const uint32_t length = WordAt(image, at);
      EXPECT_EQ(image.substr(at + 4, length), expected[i]);
      at += 4 + length;
    }
    // Right after the header strings: the first entry, stored, "|a.txt|1|", 0, "alpha".
    const std::string entryText = std::string("|a.txt|1|") + '\0' + "alpha";
    EXPECT_EQ(static_cast<int32_t>(WordAt(image, at)), -static_cast<int32_t>(entryText.size()));
    EXPECT_EQ(image.substr(at + 4, entryText.size()), entryText);
    EXPECT_EQ(at + 4 + entryText.size(), image.size() - pack::kTrailerSize);
    EXPECT_EQ(TGFileInfo(out).PackageStart(), at);
  }
}

TEST(StubpackBuild, WebSetupItemsNeedVersion3) {
  Scratch s;
  const CliResult built =
      Stubpack({"build", "--out", s.Path("w.exe"), "--version", "2", "--web-url", "http://x/"});
  EXPECT_EQ(built.code, 1);
  EXPECT_NE(built.err.find("version 3"), std::string::npos) << built.err;
  EXPECT_FALSE(fs::exists(s.Path("w.exe")));
}

TEST(StubpackBuild, WithoutTranslationsLangDataIsOneCharacterAndTheWebSetupCarriesNoFiles) {
  Scratch s;
  const std::string out = s.Path("web.exe");
  ASSERT_EQ(Stubpack({"build", "--out", out, "--web-setup", "--web-url", "http://x/", "--web-file",
                      "S.exe"})
                .code,
            0);
  const TGFileInfo info(out);
  EXPECT_EQ(info.LangData(), "|");
  EXPECT_EQ(info.UpdateInfo(), "|");
  EXPECT_EQ(info.WebSetupInfo(), "|http://x/|S.exe||||");
  EXPECT_EQ(info.Trailer().FilesCount(), 0u);
  EXPECT_EQ(info.PackageStart() + pack::kTrailerSize, fs::file_size(out));
}

// ---- Entries ------------------------------------------------------------------------------------

TEST(StubpackBuild, LargeFilesAreSplitIntoEntriesOfTheEntrySize) {
  struct Case {
    std::vector<std::string> options;
    size_t fileSize;
    std::vector<uint64_t> entrySizes;
  };
  const std::vector<Case> cases = {
      {{}, (5u << 20) / 2, {1u << 20, 1u << 20, 1u << 19}},
      {{"--entry-size", "100K"}, 250000, {102400, 102400, 45200}},
      {{"--entry-size", "1000"}, 1000, {1000}},
      {{}, 0, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileSize);
    Scratch s;
    const std::string data = RandomBytes(c.fileSize, 3);
    const std::string out = s.Path("big.exe");
    const CliResult built =
        Stubpack(Args({"build", "--out", out, s.Write("big.bin", data), "--date", "5"}, c.options));
    ASSERT_EQ(built.code, 0) << built.err;
    const stubpack::PackageReport report = Inspect(out);
    ASSERT_EQ(report.entries.size(), c.entrySizes.size());
    for (size_t i = 0; i < c.entrySizes.size(); ++i) {
      EXPECT_EQ(report.entries[i].dataSize, c.entrySizes[i]);
      EXPECT_EQ(report.entries[i].nameList, "|big.bin|5|");
    }
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].size, c.fileSize);
    EXPECT_EQ(report.files[0].crc, Crc(data));
    EXPECT_EQ(report.volumes[0].trailer.FilesCount(), 1u);
    EXPECT_EQ(report.volumes[0].trailer.TotalSize(), c.fileSize);
  }
}

TEST(StubpackBuild, EntriesAreStoredOrZlibAsAskedAndAsWorthwhile) {
  struct Case {
    const char* what;
    const char* option;  // null: the default, auto
    bool compressible;
    bool zlib;
  };
  const Case cases[] = {
      {"auto, text", nullptr, true, true},        {"auto, random", nullptr, false, false},
      {"store, text", "--store", true, false},    {"zlib, random", "--zlib", false, true},
      {"level 1, text", "--level=1", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch s;
    const std::string data = c.compressible ? Compressible(20000) : RandomBytes(20000, 9);
    const std::string out = s.Path("p.exe");
    std::vector<std::string> args = {"build", "--out", out, s.Write("f.bin", data)};
    if (c.option != nullptr) args.push_back(c.option);
    const CliResult built = Stubpack(args);
    ASSERT_EQ(built.code, 0) << built.err;
    const std::string image = ReadFile(out);
    const int32_t length = static_cast<int32_t>(WordAt(image, TGFileInfo(out).PackageStart()));
    EXPECT_EQ(length > 0, c.zlib) << length;
    const stubpack::PackageReport report = Inspect(out);
    ASSERT_EQ(report.entries.size(), 1u);
    EXPECT_EQ(report.entries[0].zlib, c.zlib);
    EXPECT_EQ(report.files[0].crc, Crc(data));
    if (c.zlib && c.compressible) {
      EXPECT_LT(image.size(), data.size() / 2);
    }
  }
}

TEST(StubpackBuild, SizeOnDiskRoundsEachFileToTheClusterSizes) {
  Scratch s;
  const std::vector<size_t> sizes = {0, 1, 512, 513, 4096, 65537};
  std::vector<std::string> args = {"build", "--out", s.Path("p.exe"), "--store"};
  for (size_t i = 0; i < sizes.size(); ++i)
    args.push_back(s.Write("f" + std::to_string(i), std::string(sizes[i], 'x')));
  ASSERT_EQ(Stubpack(args).code, 0);
  const TGFileInfo info(s.Path("p.exe"));
  const pack::TPackTrailer& t = info.Trailer();
  EXPECT_EQ(t.TotalSize(), 0u + 1 + 512 + 513 + 4096 + 65537);
  const uint32_t expected[8] = {
      0 + 512 + 512 + 1024 + 4096 + 66048,    // 512
      0 + 1024 + 1024 + 1024 + 4096 + 66560,  // 1024
      0 + 2048 + 2048 + 2048 + 4096 + 67584,  // 2048
      0 + 4096 + 4096 + 4096 + 4096 + 69632,  // 4096
      0 + 8192 + 8192 + 8192 + 8192 + 73728,  // 8192
      0 + 16384 * 4 + 81920,                  // 16384
      0 + 32768 * 4 + 98304,                  // 32768
      0 + 65536 * 4 + 131072,                 // 65536
  };
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(t.SizeOnDisk(i), expected[i - 1]) << "entry " << i;
}

TEST(StubpackBuild, RunEntryMustBeAPackedFileAndTargetsMustStayInside) {
  Scratch s;
  const std::string file = s.Write("a.txt", "a");
  struct Case {
    std::vector<std::string> args;
    const char* errorPart;
  };
  const std::vector<Case> cases = {
      {{"--run", "Missing.exe", file}, "not among the packed files"},
      {{file + "=..\\evil.txt"}, "inside the destination folder"},
      {{file + "=C:\\evil.txt"}, "relative"},
      {{file + "=a|b.txt"}, "\"|\""},
      {{file, file}, "two files would be packed as a.txt"},
      {{file, "--run", "a.txt*x|y"}, "\"|\""},
      {{s.Path("none.txt")}, "no such file"},
  };
  for (const Case& c : cases) {
    const CliResult built = Stubpack(Args({"build", "--out", s.Path("p.exe")}, c.args));
    EXPECT_EQ(built.code, 1) << c.errorPart;
    EXPECT_NE(built.err.find(c.errorPart), std::string::npos) << built.err;
    EXPECT_EQ(LineCount(built.err), 1u);
  }
}

TEST(StubpackBuild, EntryDatesComeFromTheFilesUnlessFixed) {
  Scratch s;
  const std::string file = s.Write("a.txt", "a");
  ASSERT_EQ(Stubpack({"build", "--out", s.Path("own.exe"), file}).code, 0);
  ASSERT_EQ(
      Stubpack({"build", "--out", s.Path("fixed.exe"), file, "--date", "2024-05-01 12:25:56"}).code,
      0);
  uint32_t written = 0;
  std::string error;
  ASSERT_TRUE(stubpack::FileDosDate(file, written, error)) << error;
  EXPECT_EQ(Inspect(s.Path("own.exe")).files[0].dosDate, written);
  EXPECT_GE(written >> 25, 2024u - 1980u);  // written just now
  EXPECT_EQ(Inspect(s.Path("fixed.exe")).files[0].dosDate, kFixedDate);
}

TEST(StubpackBuild, AFixedDateMakesTheOutputReproducible) {
  Scratch s;
  std::vector<std::string> inputs = {s.Write("x/a.bin", Compressible(300000)),
                                     "--dir",
                                     s.Path("x"),
                                     "--product-token",
                                     "tok",
                                     "--date",
                                     "77"};
  // The same file twice under different names.
  inputs[0] += "=copy.bin";
  ASSERT_EQ(Stubpack(Args({"build", "--out", s.Path("one.exe")}, inputs)).code, 0);
  ASSERT_EQ(Stubpack(Args({"build", "--out", s.Path("two.exe")}, inputs)).code, 0);
  EXPECT_EQ(ReadFile(s.Path("one.exe")), ReadFile(s.Path("two.exe")));
}

// ---- Volumes ------------------------------------------------------------------------------------

TEST(StubpackVolumes, SpannedPackageFillsNumberedVolumesThatEachPassTheirChecksum) {
  struct Case {
    const char* out;
    std::vector<const char*> later;
  };
  for (const Case& c : {Case{"disk.001", {"disk.002", "disk.003"}},
                        Case{"setup.exe", {"setup.exe.002", "setup.exe.003"}}}) {
    SCOPED_TRACE(c.out);
    Scratch s;
    const std::string data = RandomBytes(40000, 11);
    const std::string out = s.Path(c.out);
    const CliResult built =
        Stubpack({"build", "--stub", s.Write("stub.exe", FakeProgram(2000)), "--out", out,
                  "--volume-size", "20000", s.Write("data.bin", data), "--date", "9"});
    ASSERT_EQ(built.code, 0) << built.err;
    const stubpack::PackageReport report = Inspect(out);
    ASSERT_EQ(report.volumes.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
      const stubpack::VolumeReport& v = report.volumes[i];
      EXPECT_EQ(v.path, i == 0 ? out : s.Path(c.later[i - 1]));
      EXPECT_LE(v.fileSize, 20000u);
      EXPECT_EQ(v.trailer.Flag(pack::kHasNextVolume), i < 2);
      EXPECT_EQ(v.trailer.PackageStart(), i == 0 ? 2000u : 0u);
      EXPECT_EQ(v.trailer.FilesCount(), 1u);
      EXPECT_EQ(v.trailer.TotalSize(), 40000u);
      EXPECT_TRUE(v.checksummed);
      EXPECT_NE(v.trailer.VolumeChecksum(), pack::kNoChecksum);
      EXPECT_EQ(v.computedChecksum, v.trailer.VolumeChecksum());
    }
    // Filled up to the limit: only the last volume has room to spare.
    EXPECT_GE(report.volumes[0].fileSize, 19990u);
    EXPECT_GE(report.volumes[1].fileSize, 19990u);
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].crc, Crc(data));
    EXPECT_EQ(report.files[0].firstVolume, 1);
    EXPECT_EQ(report.files[0].lastVolume, 3);
  }
}

TEST(StubpackVolumes, CompressedEntriesAreCutToFitTheVolume) {
  Scratch s;
  // Text with random runs: it shrinks to about a third.
  std::string data;
  for (uint32_t i = 0; data.size() < 200000; ++i) data += RandomBytes(60, i) + Compressible(140);
  const std::string out = s.Path("z.001");
  ASSERT_EQ(
      Stubpack({"build", "--out", out, "--volume-size", "16000", s.Write("t.txt", data)}).code, 0);
  const stubpack::PackageReport report = Inspect(out);
  ASSERT_GE(report.volumes.size(), 3u);
  for (size_t i = 0; i + 1 < report.volumes.size(); ++i) {
    EXPECT_LE(report.volumes[i].fileSize, 16000u);
    EXPECT_GE(report.volumes[i].fileSize, 15900u);
  }
  for (const stubpack::EntryReport& entry : report.entries) EXPECT_TRUE(entry.zlib);
  EXPECT_EQ(report.files[0].crc, Crc(data));
}

TEST(StubpackVolumes, AStubLargerThanTheVolumeSizeStillGetsOneEntry) {
  Scratch s;
  const std::string out = s.Path("big.exe");
  ASSERT_EQ(Stubpack({"build", "--stub", s.Write("stub.exe", FakeProgram(6000)), "--out", out,
                      "--volume-size", "5000", s.Write("a.bin", RandomBytes(3000, 1)),
                      s.Write("b.bin", RandomBytes(3000, 2))})
                .code,
            0);
  const stubpack::PackageReport report = Inspect(out);
  ASSERT_EQ(report.volumes.size(), 2u);
  EXPECT_EQ(report.entries[0].volume, 1);
  EXPECT_EQ(report.entries[0].dataSize, 3000u);
  EXPECT_EQ(report.entries[1].volume, 2);
  EXPECT_LE(report.volumes[1].fileSize, 5000u);
}

TEST(StubpackVolumes, AFlippedByteFailsASmallChecksummedVolumeUnlessItIsNotChecksummed) {
  struct Case {
    const char* checksum;  // null: the computed sum
    bool passes;
  };
  for (const Case& c : {Case{nullptr, false}, Case{"none", true}}) {
    Scratch s;
    const std::string out = s.Path("p.exe");
    std::vector<std::string> args = {"build", "--out", out, "--store",
                                     s.Write("f.bin", RandomBytes(4000, 5))};
    if (c.checksum != nullptr) args.insert(args.end(), {"--checksum", c.checksum});
    ASSERT_EQ(Stubpack(args).code, 0);
    std::string image = ReadFile(out);
    image[image.size() / 2] ^= 0x40;  // inside the stored data
    WriteFile(out, image);
    const stubpack::PackageReport report = Inspect(out);
    EXPECT_EQ(report.volumes[0].checksumPasses, c.passes);
    const CliResult shown = Stubpack({"inspect", out});
    EXPECT_EQ(shown.code, c.passes ? 0 : 1);
    if (!c.passes) {
      EXPECT_EQ(shown.err, "stubpack: " + out + ": volume 1 (" + out + ") fails its checksum\n");
      EXPECT_NE(shown.out.find("FAILS"), std::string::npos);
    }
  }
}

TEST(StubpackVolumes, ChecksumIsComputedUpTo51200BytesOnly) {
  // Around the data: header strings "|", "|", "|" (15 bytes), the Length word, "|f|1|" and its
  // byte 0 (10 bytes), the trailer (74 bytes).
  struct Case {
    size_t dataSize;
    uint64_t fileSize;
    bool checksummed;
  };
  for (const Case& c : {Case{51101, 51200, true}, Case{51102, 51201, false}}) {
    Scratch s;
    const std::string out = s.Path("p.exe");
    ASSERT_EQ(Stubpack({"build", "--out", out, "--store", "--date", "1",
                        s.Write("f", RandomBytes(c.dataSize, 1))})
                  .code,
              0);
    const stubpack::PackageReport report = Inspect(out);
    EXPECT_EQ(report.volumes[0].fileSize, c.fileSize);
    EXPECT_EQ(report.volumes[0].checksummed, c.checksummed);
    EXPECT_EQ(report.volumes[0].trailer.VolumeChecksum() == pack::kNoChecksum, !c.checksummed);
    EXPECT_TRUE(report.volumes[0].checksumPasses);
  }
}

// ---- PackageEnd ---------------------------------------------------------------------------------

TEST(StubpackSignature, ASignatureTailIsCoveredByPackageEnd) {
  Scratch s;
  const std::string out = s.Path("signed.exe");
  ASSERT_EQ(Stubpack({"build", "--stub", s.Write("stub.exe", FakeProgram()), "--out", out,
                      "--signature-tail", "3000", s.Write("f.bin", RandomBytes(2000, 4))})
                .code,
            0);
  const std::string image = ReadFile(out);
  const uint64_t packageEnd = image.size() - 3000;
  EXPECT_EQ(WordAt(image, pack::kPackageEndHighOffset), 0u);
  EXPECT_EQ(WordAt(image, pack::kPackageEndLowOffset), packageEnd);
  EXPECT_EQ(WordAt(image, packageEnd - 4), pack::kTrailerSize);
  const TGFileInfo info(out);
  EXPECT_TRUE(info.HasPackage());
  const stubpack::PackageReport report = Inspect(out);
  EXPECT_EQ(report.volumes[0].packageEnd, packageEnd);
  EXPECT_TRUE(report.volumes[0].checksummed);
  EXPECT_NE(report.volumes[0].trailer.VolumeChecksum(), pack::kNoChecksum);
  EXPECT_TRUE(report.volumes[0].checksumPasses);
}

// Every program file stubpack writes says where its package ends, so that a code signature can
// be appended to any of them; stale words of an earlier package never survive.
TEST(StubpackSignature, EveryProgramFileRecordsItsPackageEnd) {
  Scratch s;
  const std::string stub = s.Write("stub.exe", FakeProgram());
  const std::string data = s.Write("f.bin", RandomBytes(9000, 5));
  const struct {
    const char* what;
    std::string out;
    std::vector<std::string> options;
    std::vector<std::string> programs;  // the files that carry the stub
  } cases[] = {
      {"one file", s.Path("plain.exe"), {}, {s.Path("plain.exe")}},
      {"disk set started from a launcher", s.Path("disk.exe"),
       {"--span-cd-copy", "--volume-size", "4000"},
       {s.Path("disk.exe"), s.Path("disk.exe.001")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Stubpack(Args({"build", "--stub", stub, "--out", c.out, data}, c.options)).code, 0);
    for (const std::string& program : c.programs) {
      const std::string image = ReadFile(program);
      EXPECT_EQ(WordAt(image, pack::kPackageEndHighOffset), 0u) << program;
      EXPECT_EQ(WordAt(image, pack::kPackageEndLowOffset), image.size()) << program;
      EXPECT_TRUE(TGFileInfo(program).HasPackage()) << program;
    }
    const stubpack::PackageReport report = Inspect(c.out);
    ASSERT_FALSE(report.volumes.empty());
    for (const stubpack::VolumeReport& volume : report.volumes)
      EXPECT_TRUE(volume.checksumPasses) << volume.path;
  }
}

// Packages built without the signing options are byte for byte what stubpack wrote before them;
// a program file differs only in its PackageEnd words. The digests were taken from the builder
// of that time on the same inputs (stored entries, so that no zlib version matters).
TEST(StubpackSignature, WithoutTheSigningOptionsPackagesAreAsBefore) {
  Scratch s;
  const auto pattern = [](size_t n, unsigned step) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * step + 3) & 0xFF);
    return bytes;
  };
  std::string stub = pattern(1024, 7);
  stub[0] = 'M', stub[1] = 'Z', stub[256] = 'P', stub[257] = 'E';
  const std::string data = s.Write("data.bin", pattern(3000, 13));
  const std::vector<std::string> common = {"--store", "--date", "2024-05-01 12:25:56", data};
  ASSERT_EQ(0, Stubpack(Args({"build", "--out", s.Path("bare.pkg"), "--update-url",
                              "http://u/p.info", "--info-file", "p.info", "--agent-exe",
                              "Agent.exe", "--product-token", "tok", "--hide-setup", "--web-url",
                              "http://w", "--web-file", "S.exe", "--web-token", "wt",
                              "--web-size", "123"},
                             common))
                   .code);
  ASSERT_EQ(0, Stubpack(Args({"build", "--out", s.Path("pe.exe"), "--stub",
                              s.Write("stub.exe", stub), "--checksum", "none", "--web-setup",
                              "--web-url", "http://w", "--web-file", "S.exe", "--web-token", "wt"},
                             common))
                   .code);
  EXPECT_EQ("b87ebd465646ed540acf28d2f23bd8740a9fc2116f3d63a36fe7ba1758767b73",
            sys::Sha256Text(sys::Sha256Of(ReadFile(s.Path("bare.pkg")))));
  std::string program = ReadFile(s.Path("pe.exe"));
  EXPECT_EQ(program.size(), WordAt(program, pack::kPackageEndLowOffset));
  program.replace(pack::kPackageEndHighOffset, 8, 8, '\0');
  EXPECT_EQ("edd44058b1c1b52096aeec1661423b3a9826701887d5bd359cefaff963c2a195",
            sys::Sha256Text(sys::Sha256Of(program)));
}

TEST(StubpackSignature, ATailNeedsAProgramFileStub) {
  Scratch s;
  for (const std::vector<std::string>& stub :
       {std::vector<std::string>{}, {"--stub", s.Write("blob", "not a program")}}) {
    const CliResult built =
        Stubpack(Args({"build", "--out", s.Path("x.exe"), "--signature-tail", "10"}, stub));
    EXPECT_EQ(built.code, 1);
    EXPECT_NE(built.err.find("PackageEnd"), std::string::npos) << built.err;
  }
}

// ---- Tokens and language data -------------------------------------------------------------------

TEST(StubpackHeader, TokensAreStoredScrambledAndDescrambleBack) {
  for (const char* token : {"abcdefghijklmnopqrstuvwxyzabcdef", "x", "Token With Blanks"}) {
    Scratch s;
    const std::string out = s.Path("t.exe");
    ASSERT_EQ(
        Stubpack({"build", "--out", out, "--product-token", token, "--web-token", token}).code, 0);
    const TGFileInfo info(out);
    EXPECT_NE(info.GetProductToken(false), token);
    EXPECT_EQ(info.GetProductToken(false).find_first_not_of("bcdefghijkstuvwx"), std::string::npos);
    EXPECT_EQ(TGFileInfo::Descramble(info.GetProductToken(false)), token);
    EXPECT_EQ(info.GetWebSetupToken(true), token);
  }
}

TEST(StubpackHeader, LanguageSectionsPickSeparatorsTheirTextDoesNotUse) {
  Scratch s;
  const std::string lang = s.Write(
      "lang.ini",
      "[English]\r\nBtnText=|&OK|&Cancel|\r\ns0=Setup\r\n\r\n[French]\r\ns0=Installation\r\n");
  const std::string out = s.Path("l.exe");
  ASSERT_EQ(Stubpack({"build", "--out", out, "--lang", lang}).code, 0);
  const TGFileInfo info(out);
  EXPECT_EQ(info.LangData(), "~*English*BtnText=|&OK|&Cancel|*s0=Setup*~|French|s0=Installation|~");
  const stubpack::PackageReport report = Inspect(out);
  ASSERT_EQ(report.header.sections.size(), 2u);
  EXPECT_EQ(report.header.langSeparator, '~');
  EXPECT_EQ(report.header.sections[0].separator, '*');
  EXPECT_EQ(report.header.sections[0].pairs[0], "BtnText=|&OK|&Cancel|");
  EXPECT_EQ(report.header.sections[1].separator, '|');
}

// ---- Damaged packages ---------------------------------------------------------------------------

// A small package of three entries, one stored and two zlib, and its file.
std::string SmallPackage(const Scratch& s) {
  const std::string out = s.Path("small.exe");
  const CliResult built =
      Stubpack({"build", "--stub", s.Write("stub.exe", FakeProgram(300)), "--out", out,
                s.Write("a.bin", RandomBytes(200, 1)), s.Write("b.txt", Compressible(900)),
                s.Write("c.txt", Compressible(400)), "--run", "b.txt*/q", "--lang-raw", "|English|",
                "--date", "3"});
  EXPECT_EQ(built.code, 0) << built.err;
  return out;
}

void ExpectOneErrorLine(const CliResult& r, const std::string& path, const std::string& what) {
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(LineCount(r.err), 1u) << r.err;
  EXPECT_EQ(r.err.rfind("stubpack: " + path + ": ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(what), std::string::npos) << r.err;
}

TEST(StubpackInspect, DamagedPackagesGiveOneErrorLine) {
  Scratch s;
  const std::string good = ReadFile(SmallPackage(s));
  const size_t trailer = good.size() - pack::kTrailerSize;
  const size_t firstHeader = 300;
  const size_t firstEntry = TGFileInfo(s.Path("small.exe")).PackageStart();
  auto withWord = [&](size_t at, uint32_t v) {
    std::string image = good;
    pack::WriteLE32(reinterpret_cast<uint8_t*>(&image[at]), v);
    return image;
  };
  struct Case {
    const char* name;
    std::string image;
    const char* what;
  };
  // The first entry is a.bin, stored: Length word, "|a.bin|3|", byte 0, 200 bytes. The second is
  // b.txt, compressed; spoil bytes inside its zlib stream.
  const size_t secondBody = firstEntry + 4 + 9 + 1 + 200 + 4;
  std::string zlibDamaged = good;
  for (size_t i = 10; i < 18; ++i) zlibDamaged[secondBody + i] ^= 0x55;
  const std::vector<Case> cases = {
      {"empty", "", "too short"},
      {"three bytes", "MZ!", "too short"},
      // A program file that lost bytes at its end no longer reaches its recorded package end.
      {"truncated by one", good.substr(0, good.size() - 1), "PackageEnd"},
      {"trailer cut away", good.substr(0, trailer), "PackageEnd"},
      {"trailer length 0", withWord(good.size() - 4, 0), "trailer length 0 "},
      {"trailer length FFFFFFFF", withWord(good.size() - 4, 0xFFFFFFFF),
       "trailer length 4294967295"},
      {"wrong magic", withWord(trailer + pack::at::Magic, 0x12345678), "magic is 0x12345678"},
      {"PackageStart past trailer", withWord(trailer + pack::at::PackageStart, 0x7FFFFFF0),
       "PackageStart"},
      {"version 7",
       [&] {
         std::string i = good;
         i[trailer + pack::at::Version] = 7;
         return i;
       }(),
       "version 7"},
      {"LangData length lies", withWord(firstHeader, 0x7FFFFFFF), "header string LangData"},
      {"UpdateInfo length lies", withWord(firstHeader + 4 + 9, 0xFFFFFFF0),
       "header string UpdateInfo"},
      {"stored block length lies", withWord(firstEntry, 0x80000000u), "claims 2147483648 bytes"},
      {"block length too short", withWord(firstEntry, static_cast<uint32_t>(-3)),
       "block at offset"},
      {"zlib stream damaged", zlibDamaged, "zlib"},
      {"PackageEnd beyond the file", withWord(pack::kPackageEndLowOffset, 0x00FFFFFF),
       "PackageEnd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = s.Write("damaged.exe", c.image);
    const CliResult r = Stubpack({"inspect", path});
    ExpectOneErrorLine(r, path, c.what);
    EXPECT_TRUE(r.out.empty());
  }
}

TEST(StubpackInspect, AMissingVolumeIsNamed) {
  Scratch s;
  const std::string out = s.Path("span.001");
  ASSERT_EQ(
      Stubpack({"build", "--out", out, "--volume-size", "3000", s.Write("f", RandomBytes(5000, 2))})
          .code,
      0);
  fs::remove(s.Path("span.002"));
  ExpectOneErrorLine(Stubpack({"inspect", out}), out,
                     "volume 2 (" + s.Path("span.002") + "): missing");
}

TEST(StubpackInspect, NoFileOrNoPackage) {
  Scratch s;
  ExpectOneErrorLine(Stubpack({"inspect", s.Path("absent.exe")}), s.Path("absent.exe"),
                     "cannot open");
  const std::string plain = s.Write("plain.exe", FakeProgram(5000));
  const CliResult r = Stubpack({"inspect", plain});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(LineCount(r.err), 1u) << r.err;
}

// Every truncation and every single-byte change of a small package: inspect answers with a report
// or one error line, and never reads out of range (the tests run under the sanitizers).
TEST(StubpackInspect, EveryTruncationAndByteFlipIsHandled) {
  Scratch s;
  const std::string good = ReadFile(SmallPackage(s));
  const std::string path = s.Path("mutant.exe");
  for (size_t cut = 0; cut < good.size(); ++cut) {
    WriteFile(path, good.substr(0, cut));
    const CliResult r = Stubpack({"inspect", path});
    ASSERT_EQ(r.code, 1) << "cut at " << cut;
    ASSERT_EQ(LineCount(r.err), 1u) << "cut at " << cut << ": " << r.err;
  }
  for (size_t at = 0; at < good.size(); ++at) {
    std::string image = good;
    image[at] = static_cast<char>(image[at] ^ 0xA5);
    WriteFile(path, image);
    const CliResult r = Stubpack({"inspect", path});
    ASSERT_TRUE(r.code == 0 || r.code == 1) << "flip at " << at;
    ASSERT_EQ(LineCount(r.err), r.code == 0 ? 0u : 1u) << "flip at " << at << ": " << r.err;
  }
}

// ---- Command line -------------------------------------------------------------------------------

TEST(StubpackCli, BadUsageGivesExitCode2AndOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"pack"},
      {"build", "--out"},
      {"build", "--bogus", "--out", "x"},
      {"build", "a.txt"},
      {"build", "--out", "x", "--version", "4"},
      {"build", "--out", "x", "--level", "10"},
      {"build", "--out", "x", "--entry-size", "0"},
      {"build", "--out", "x", "--entry-size", "65M"},
      {"build", "--out", "x", "--checksum", "maybe"},
      {"build", "--out", "x", "--date", "2024-13-01 00:00:00"},
      {"build", "--out", "x", "--web-size", "12MB"},
      {"build", "--out", "x", "--store=yes"},
      {"inspect"},
      {"inspect", "a", "b"},
  };
  for (const std::vector<std::string>& args : cases) {
    const CliResult r = Stubpack(args);
    EXPECT_EQ(r.code, 2) << (args.empty() ? "" : args.back());
    EXPECT_EQ(LineCount(r.err), 1u) << r.err;
    EXPECT_EQ(r.err.rfind("stubpack: ", 0), 0u) << r.err;
  }
}

TEST(StubpackCli, HelpTextsNameTheCommandsAndEveryOption) {
  const CliResult main = Stubpack({"--help"});
  EXPECT_EQ(main.code, 0);
  EXPECT_NE(main.out.find("stubpack inspect FILE"), std::string::npos);
  const CliResult build = Stubpack({"build", "--help"});
  EXPECT_EQ(build.code, 0);
  for (const char* option :
       {"--stub", "--out", "--run", "--dir", "--lang", "--lang-raw", "--version", "--volume-size",
        "--entry-size", "--store", "--level", "--checksum", "--signature-tail", "--date",
        "--web-token", "--auto-update-agent"})
    EXPECT_NE(build.out.find(std::string("  ") + option + " "), std::string::npos) << option;
  EXPECT_EQ(Stubpack({"inspect", "--help"}).code, 0);
}

}  // namespace
