// Extraction of packages from an in-memory file service: the volume loop, checksums, header
// blocks, stored and zlib blocks, entry files and dates, the run entry, disk prompts, progress,
// error boxes, the agent copy, and every way a damaged package must be refused.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PackOptions.h"
#include "PackWriter.h"
#include "PackageImage.h"
#include "pack/EntryStream.h"
#include "pack/EntryTarget.h"
#include "pack/GFileInfo.h"
#include "pack/PackFormat.h"
#include "pack/UnPack.h"
#include "pack/UnPackAgentCopy.h"
#include "pack/UnPackMemoryHost.h"
#include "sys/Host.h"
#include "sys/LeadBytes.h"

namespace fs = std::filesystem;
using pack::ExtractArgs;
using pack::ExtractResult;
using pack::UnPackMemoryHost;

namespace {

const std::string kSrc = "C:\\src\\";
const std::string kDest = "C:\\dest";
const std::string kPrompt = "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue";
constexpr uint32_t kFixedDate = 0x58A1633C;

std::string Stored(const std::string& text) {
  return testimg::Word(static_cast<uint32_t>(-static_cast<int32_t>(text.size()))) + text;
}

std::string ZlibBody(const std::string& text) {
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  std::string body(size, '\0');
  compress2(reinterpret_cast<Bytef*>(&body[0]), &size,
            reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()), 9);
  body.resize(size);
  return body;
}

std::string Zlib(const std::string& text) {
  const std::string body = ZlibBody(text);
  return testimg::Word(static_cast<uint32_t>(body.size())) + body;
}

std::string Entry(const std::string& nameList, const std::string& data) {
  return nameList + std::string(1, '\0') + data;
}

// A hand-made first volume: a PE stand-in for the stub, the header strings, the given blocks.
std::string Image(const std::string& blocks, uint8_t version = 2, uint8_t flags = 0) {
  testimg::Package p;
  p.version = version;
  p.entries = blocks;
  p.trailer.SetWord(pack::at::VolumeChecksum, pack::kNoChecksum);
  p.trailer.SetWord(pack::at::FilesCount, 1);
  p.trailer.bytes[pack::at::Flags] = flags;
  return p.Build();
}

class Scratch {
 public:
  Scratch() {
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() /
           ("unpack_test_" + std::to_string(sys::ProcessId()) + "_" + std::to_string(counter++));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  fs::path dir_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Data that deflate cannot shrink, so volumes split where expected.
std::string Noise(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (char& c : s) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 24);
  }
  return s;
}

struct Source {
  Source(std::string t, std::string d, bool r = false, std::string p = "")
      : target(std::move(t)), data(std::move(d)), run(r), params(std::move(p)) {}
  std::string target, data;
  bool run;
  std::string params;
};

struct Call {
  int32_t kind, max, step, position;
};

class UnPackTest : public ::testing::Test {
 protected:
  // Builds a package with stubpack and puts its volumes into the host under kSrc.
  std::vector<std::string> Pack(stubpack::PackOptions options, const std::vector<Source>& sources,
                                const std::string& outName) {
    int i = 0;
    for (const Source& s : sources) {
      stubpack::PackFile file;
      file.source = scratch.Write("in" + std::to_string(i++), s.data);
      file.target = s.target;
      file.isRun = s.run;
      file.runParams = s.params;
      options.files.push_back(file);
    }
    options.outPath = scratch.Path(outName);
    options.fixedDate = true;
    options.dosDate = kFixedDate;
    stubpack::PackResult result;
    std::string error;
    EXPECT_TRUE(stubpack::WritePackage(options, result, error)) << error;
    std::vector<std::string> paths;
    for (const std::string& v : result.volumePaths) {
      paths.push_back(kSrc + fs::path(v).filename().string());
      host.AddFile(paths.back(), ReadFile(v), 0x4A210000);
    }
    return paths;
  }

  std::string Stub(size_t size = 2048) { return scratch.Write("stub.exe", testimg::FakeProgram(true, size)); }

  ExtractArgs Args(const std::string& path) {
    ExtractArgs args;
    args.PackagePath = path;
    args.DestFolder = kDest;
    args.Caption = "Attention";
    args.DiskPrompt = kPrompt;
    args.Progress = [this](int32_t kind, int32_t max, const std::string& text, int32_t step,
                           int32_t position) {
      EXPECT_TRUE(text.empty());
      calls.push_back({kind, max, step, position});
    };
    args.FailedWrites = &failedWrites;
    return args;
  }

  ExtractResult Extract(const std::string& path, bool forcePrompt = false,
                        const std::string& agent = "") {
    ExtractArgs args = Args(path);
    args.ForcePrompt = forcePrompt;
    args.AgentExeName = agent;
    return pack::ExtractPackage(host, args);
  }

  ExtractResult ExtractImage(const std::string& image) {
    host.AddFile(kSrc + "Setup.exe", image);
    return Extract(kSrc + "Setup.exe");
  }

  int Steps() const {
    int n = 0;
    for (const Call& c : calls) n += c.kind == 1;
    return n;
  }
  bool Has(const std::string& name) const { return host.files.count(kDest + "\\" + name) != 0; }
  std::string Out(const std::string& name) const {
    auto found = host.files.find(kDest + "\\" + name);
    return found == host.files.end() ? "<missing>" : found->second.data;
  }
  // Files written into or beside the destination, the volumes aside.
  size_t Written() const {
    size_t n = 0;
    for (const auto& f : host.files) n += f.first.compare(0, kSrc.size(), kSrc) != 0;
    return n;
  }

  Scratch scratch;
  UnPackMemoryHost host;
  std::vector<Call> calls;
  uint32_t failedWrites = 0;
};

// ---- header blocks, block kinds, entries ---------------------------------------------------

TEST_F(UnPackTest, SkipsTheVersionHeaderBlocksOfStubpackPackages) {
  for (uint8_t version : {uint8_t{2}, uint8_t{3}}) {
    host = UnPackMemoryHost();
    stubpack::PackOptions o;
    o.version = version;
    o.langData = "|lang|";
    o.updateInfo.url = "http://example.test/u.info";
    const auto paths = Pack(o, {{"a.txt", "alpha"}, {"b.bin", Noise(3000, 1)}}, "Setup.exe");
    const ExtractResult r = Extract(paths[0]);
    EXPECT_TRUE(r.Ok) << int(version);
    EXPECT_FALSE(r.Damaged);
    EXPECT_EQ("alpha", Out("a.txt"));
    EXPECT_EQ(Noise(3000, 1), Out("b.bin"));
    EXPECT_EQ(2u, Written());
  }
}

TEST_F(UnPackTest, HandMadeHeaderBlocksCountAsVersionSays) {
  // With Version 3, a third header string precedes the entries; read as Version 2 it would be
  // taken for an entry.
  const std::string blocks = Stored(Entry("|x.txt|", "X"));
  EXPECT_TRUE(ExtractImage(Image(blocks, 3)).Ok);
  EXPECT_EQ("X", Out("x.txt"));
  EXPECT_EQ(1u, Written());
}

TEST_F(UnPackTest, StoredAndZlibBlocks) {
  const std::string stored5 = Entry("|s|", "Q");  // 5 bytes: Length -5
  ASSERT_EQ(5u, stored5.size());
  const std::string zlibText = Entry("|z.txt|", std::string(1000, 'z'));
  const std::string blocks = Stored(stored5) + Zlib(zlibText);
  EXPECT_EQ(uint32_t(-5), pack::ReadLE32(reinterpret_cast<const uint8_t*>(blocks.data())));
  EXPECT_TRUE(ExtractImage(Image(blocks)).Ok);
  EXPECT_EQ("Q", Out("s"));
  EXPECT_EQ(std::string(1000, 'z'), Out("z.txt"));
}

TEST_F(UnPackTest, StubpackStoreAndZlibCompression) {
  for (auto c : {stubpack::Compression::Store, stubpack::Compression::Zlib}) {
    host = UnPackMemoryHost();
    stubpack::PackOptions o;
    o.compression = c;
    o.entrySize = 700;  // several entries per file
    const auto paths = Pack(o, {{"d\\big.txt", std::string(5000, 'b') + Noise(900, 2)}}, "S.exe");
    EXPECT_TRUE(Extract(paths[0]).Ok);
    EXPECT_EQ(std::string(5000, 'b') + Noise(900, 2), Out("d\\big.txt"));
  }
}

TEST_F(UnPackTest, EntriesOfOneNameMakeOneFileAndOneStep) {
  const std::string blocks = Stored(Entry("|a.txt|0|", "AB")) + Zlib(Entry("|a.txt|0|", "CD")) +
                             Stored(Entry("|b.txt|", ""));
  EXPECT_TRUE(ExtractImage(Image(blocks)).Ok);
  EXPECT_EQ("ABCD", Out("a.txt"));
  EXPECT_EQ("", Out("b.txt"));  // an empty file is still created
  EXPECT_EQ(2, Steps());
}

TEST_F(UnPackTest, EntryWithEmptyNameListIsSkipped) {
  const std::string blocks = Stored(Entry("", "ignored data")) + Zlib(Entry("", "also ignored"));
  const ExtractResult r = ExtractImage(Image(blocks));
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(0u, Written());
  EXPECT_EQ(0, Steps());
}

TEST_F(UnPackTest, NameListWithoutZeroByteIsAnEmptyFile) {
  EXPECT_TRUE(ExtractImage(Image(Stored("|n.txt|"))).Ok);
  EXPECT_EQ("", Out("n.txt"));
}

TEST_F(UnPackTest, FileDatesComeFromItemOne) {
  struct Case {
    std::string item1;
    uint32_t date;
  } cases[] = {{"1487036208", 1487036208u}, {"0", 0}, {"", 0}, {"-1", 0xFFFFFFFFu},
               {"junk", 0},                 {"4294967296", 0}};
  std::string blocks;
  for (size_t i = 0; i < std::size(cases); ++i)
    blocks += Stored(Entry("|f" + std::to_string(i) + "|" + cases[i].item1 + "|", "x"));
  ASSERT_TRUE(ExtractImage(Image(blocks)).Ok);
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].date, host.files[kDest + "\\f" + std::to_string(i)].dosDate)
        << cases[i].item1;
}

TEST_F(UnPackTest, StubpackEntryDatesReachTheFiles) {
  const auto paths = Pack(stubpack::PackOptions(), {{"a.txt", "a"}}, "Setup.exe");
  ASSERT_TRUE(Extract(paths[0]).Ok);
  EXPECT_EQ(kFixedDate, host.files[kDest + "\\a.txt"].dosDate);
}

TEST_F(UnPackTest, RunEntryIsTheLastStarredOne) {
  struct Case {
    std::vector<std::string> names;
    std::string runEntry;
    std::string file;
  } cases[] = {
      {{"|Engine.exe*/S /x|0|", "|b.txt|0|"}, "Engine.exe*/S /x", "Engine.exe"},
      {{"|One.exe*|0|", "|Two.exe*-p|0|"}, "Two.exe*-p", "Two.exe"},
      {{"|a.txt|0|", "|b.txt|0|"}, "", "a.txt"},
  };
  for (const Case& c : cases) {
    host = UnPackMemoryHost();
    std::string blocks;
    for (const std::string& n : c.names) blocks += Stored(Entry(n, "data"));
    const ExtractResult r = ExtractImage(Image(blocks));
    EXPECT_EQ(c.runEntry, r.RunEntry);
    EXPECT_EQ("data", Out(c.file)) << c.file;
  }
}

// The program a setup starts must be a file this extraction wrote; anything else is damage. A "*"
// outside item 0 makes the whole name list the run entry, whose text before the "*" may then
// name anything at all.
TEST_F(UnPackTest, TheRunEntryMustNameAFileThisExtractionWrote) {
  struct Case {
    const char* what;
    std::vector<std::string> names;
    bool runs;
    std::string runEntry;
  } cases[] = {
      {"item 0", {"|Engine.exe*/S|0|"}, true, "Engine.exe*/S"},
      {"in a sub-folder", {"|a|0|", "|sub\\Engine.exe*|0|"}, true, "sub\\Engine.exe*"},
      {"a whole list naming a file an entry wrote",
       {"|Engine.exeE0E|0|", "Engine.exeE0E*/SE"}, true, "Engine.exeE0E*/SE"},
      {"a whole list naming no file", {"|c.txt|0|*|"}, false, ""},
      {"a whole list naming a packed file among other items", {"|Engine.exe|0|*/S|"}, false, ""},
      {"a system program", {".a.0..\\..\\..\\..\\windows\\system32\\cmd.exe */c ..."}, false,
       ""},
      // Item 0 is "ngin": the engine.exe lying there was written by no entry of this package.
      {"a file left there before", {"engine.exe*/Se"}, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host = UnPackMemoryHost();
    // Another name than the entries' Engine.exe, which would not be written over (below).
    host.AddFile(kDest + "\\engine.exe", "left from before");
    std::string blocks;
    for (const std::string& n : c.names) blocks += Stored(Entry(n, "data"));
    const ExtractResult r = ExtractImage(Image(blocks));
    EXPECT_EQ(c.runs, r.Ok);
    EXPECT_EQ(!c.runs, r.Damaged);
    EXPECT_EQ(c.runEntry, r.RunEntry);
    EXPECT_EQ(!c.runs, std::find(host.log.begin(), host.log.end(),
                                 "Run entry names no extracted file: " +
                                     pack::RunEntryProgram(c.names.back())) != host.log.end());
  }
}

TEST_F(UnPackTest, AFileThatWasThereBeforeIsNeverWrittenInto) {
  host.AddFile(kDest + "\\Engine.exe", "planted");
  const std::string blocks = Stored(Entry("|Engine.exe*/S|0|", "AB")) +
                             Zlib(Entry("|Engine.exe|0|", "CD")) + Stored(Entry("|b.txt|0|", "B"));
  const ExtractResult r = ExtractImage(Image(blocks));
  EXPECT_EQ("planted", Out("Engine.exe"));
  EXPECT_EQ("B", Out("b.txt"));
  EXPECT_TRUE(r.Ok);  // the package is sound; the save error box told what failed
  EXPECT_EQ("", r.RunEntry) << "the planted program is not started";
  EXPECT_EQ(2u, failedWrites);
  ASSERT_EQ(1u, host.errorBoxes.size());
  EXPECT_EQ(0u, host.errorBoxes[0].find(kDest + "\\Engine.exe<P><P>Unable to save"));
}

TEST_F(UnPackTest, AProgramWhoseFileCouldNotBeWrittenIsNotStarted) {
  host.failingFolders = {kDest + "\\sub"};
  const ExtractResult r = ExtractImage(Image(Stored(Entry("|sub\\Engine.exe*/S|0|", "E"))));
  EXPECT_TRUE(r.Ok);  // the package is sound; the save error box told what failed
  EXPECT_FALSE(r.Damaged);
  EXPECT_EQ("", r.RunEntry);
  ASSERT_EQ(1u, host.errorBoxes.size());
  EXPECT_EQ(0u, host.errorBoxes[0].find(kDest + "\\sub\\Engine.exe<P><P>Unable to save"));
}

// Names are read as the system reads them: with the lead bytes of its code page a 0x5C can be
// the second half of a character, and then it separates no folders.
TEST_F(UnPackTest, NamesAreReadInTheCodePageOfTheHost) {
  const std::string escape = "\x83\\a\\..\\..\\evil.txt";
  struct Case {
    uint32_t codePage;
    bool ok;
  } cases[] = {{1252, true}, {932, false}, {936, false}, {949, false}, {950, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    host = UnPackMemoryHost();
    host.leadBytes = sys::LeadBytesOfCodePage(c.codePage);
    const std::string blocks = Stored(Entry("|Engine.exe*|", "E")) +
                               Stored(Entry("|" + escape + "|", "evil")) +
                               Stored(Entry("|after.txt|", "A"));
    const ExtractResult r = ExtractImage(Image(blocks));
    EXPECT_EQ(c.ok, r.Ok);
    EXPECT_EQ(!c.ok, r.Damaged);
    EXPECT_EQ(c.ok ? "Engine.exe*" : "", r.RunEntry);
    // In a single-byte code page the name climbs only back to the destination.
    EXPECT_EQ(c.ok ? "evil" : "<missing>", Out(escape));
    EXPECT_EQ(c.ok, Has("after.txt"));
  }
}

TEST_F(UnPackTest, ACharacterEndingIn5CIsNoFolder) {
  // 0x95 0x5C is a kanji in code page 932: the entry is the file "x.txt" in that folder.
  const std::string name = "\x95\\\\x.txt";
  for (const uint32_t codePage : {1252u, 932u}) {
    SCOPED_TRACE(codePage);
    host = UnPackMemoryHost();
    host.leadBytes = sys::LeadBytesOfCodePage(codePage);
    const ExtractResult r = ExtractImage(Image(Stored(Entry("|" + name + "*|", "X"))));
    EXPECT_TRUE(r.Ok);
    EXPECT_EQ(name + "*", r.RunEntry);
    EXPECT_EQ("X", Out(name));
    EXPECT_EQ(1u, host.folders.count(kDest + "\\\x95\\"));
    // Only a single-byte code page sees a folder named by the lone first byte.
    EXPECT_EQ(codePage == 1252, host.folders.count(kDest + "\\\x95") == 1);
  }
}

TEST_F(UnPackTest, SubFoldersAreCreatedInsideTheDestination) {
  const std::string blocks =
      Stored(Entry("|sub\\deep\\f.txt|", "F")) + Stored(Entry("|a\\..\\g.txt|", "G"));
  EXPECT_TRUE(ExtractImage(Image(blocks)).Ok);
  EXPECT_EQ("F", Out("sub\\deep\\f.txt"));
  EXPECT_EQ(1u, host.folders.count(kDest + "\\sub\\deep"));
  EXPECT_EQ("G", Out("a\\..\\g.txt"));
}

// ---- progress, log ---------------------------------------------------------------------------

TEST_F(UnPackTest, ProgressStartsTwiceWithKindZero) {
  const auto paths = Pack(stubpack::PackOptions(), {{"a", "1"}, {"b", "2"}, {"c", "3"}}, "S.exe");
  ASSERT_TRUE(Extract(paths[0]).Ok);
  ASSERT_EQ(5u, calls.size());
  EXPECT_EQ(0, calls[0].kind);
  EXPECT_EQ(0, calls[0].max);
  EXPECT_EQ(1, calls[0].step);
  EXPECT_EQ(0, calls[1].kind);
  EXPECT_EQ(3, calls[1].max);
  EXPECT_EQ(1, calls[1].step);
  EXPECT_EQ(0, calls[1].position);
  EXPECT_EQ(3, Steps());
}

TEST_F(UnPackTest, LogsCountLengthAndTime) {
  const auto paths = Pack(stubpack::PackOptions(), {{"a", "1"}}, "S.exe");
  ASSERT_TRUE(Extract(paths[0]).Ok);
  const std::vector<std::string> expected = {
      "FileInfo.FilesCount=1", "FileLen=" + std::to_string(host.files[paths[0]].size),
      "UnCompressTime: 0 MS", ""};
  EXPECT_EQ(expected, host.log);
  EXPECT_EQ(500u, host.clock);  // the closing wait
  EXPECT_GT(host.pumps, 1);
}

// ---- volumes, prompts ------------------------------------------------------------------------

class UnPackSpannedTest : public UnPackTest {
 protected:
  // One file cut over two volumes; the run entry is the first file.
  std::vector<std::string> PackTwo(const std::string& outName) {
    stubpack::PackOptions o;
    o.compression = stubpack::Compression::Store;
    o.volumeSize = 4000;
    return Pack(o, {{"Engine.exe", "E", true, "/go"}, {"big.bin", Noise(5000, 3)}}, outName);
  }
};

TEST_F(UnPackSpannedTest, VolumeNamesFollowTheFirstVolume) {
  struct Case {
    std::string first, second;
  } cases[] = {{"Setup.001", "Setup.002"}, {"Setup.exe", "Setup.exe.002"}};
  for (const Case& c : cases) {
    host = UnPackMemoryHost();
    const auto paths = PackTwo(c.first);
    ASSERT_EQ(2u, paths.size());
    ASSERT_EQ(kSrc + c.second, paths[1]);
    host.files.erase(paths[1]);
    const ExtractResult r = Extract(paths[0]);
    ASSERT_EQ(1u, host.ejected.size());
    EXPECT_EQ(kSrc + c.second, host.ejected[0]);
    EXPECT_EQ("", r.RunEntry);  // declined
  }
}

TEST_F(UnPackSpannedTest, PresentVolumeNeedsNoPromptButSteps) {
  const auto paths = PackTwo("Setup.exe");
  const ExtractResult r = Extract(paths[0]);
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ("Engine.exe*/go", r.RunEntry);
  EXPECT_TRUE(host.prompts.empty());
  EXPECT_TRUE(host.ejected.empty());
  EXPECT_EQ(Noise(5000, 3), Out("big.bin"));
  EXPECT_EQ(3, Steps());  // two files and one volume change
  EXPECT_EQ(1, host.autoPlayRegistrations);
}

TEST_F(UnPackSpannedTest, ForcedPromptAsksEvenWhenPresent) {
  const auto paths = PackTwo("Setup.exe");
  host.answerPrompt = [](int) { return true; };
  const ExtractResult r = Extract(paths[0], true);
  EXPECT_TRUE(r.Ok);
  ASSERT_EQ(1u, host.prompts.size());
  EXPECT_EQ("Please insert <B>DISK #2</B> and press OK to continue", host.prompts[0].text);
  EXPECT_EQ("Attention", host.prompts[0].caption);
  EXPECT_EQ(1u, host.ejected.size());
  EXPECT_EQ("Engine.exe*/go", r.RunEntry);
  EXPECT_EQ(3, Steps());
}

TEST_F(UnPackSpannedTest, PromptRepeatsUntilTheDiskIsThere) {
  const auto paths = PackTwo("Setup.exe");
  const std::string second = host.files[paths[1]].data;
  host.files.erase(paths[1]);
  host.answerPrompt = [&](int n) {
    if (n == 2) host.AddFile(paths[1], second);
    return true;
  };
  ExtractArgs args = Args(paths[0]);
  args.DiskPrompt = "disk <disk_num> / <DISK_NUM>";
  const ExtractResult r = pack::ExtractPackage(host, args);
  ASSERT_EQ(3u, host.prompts.size());
  EXPECT_EQ("disk 2 / 2", host.prompts[2].text);
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ("Engine.exe*/go", r.RunEntry);
  EXPECT_EQ(Noise(5000, 3), Out("big.bin"));
  EXPECT_EQ(3, Steps());
}

TEST_F(UnPackSpannedTest, DecliningClearsTheRunEntry) {
  const auto paths = PackTwo("Setup.exe");
  host.files.erase(paths[1]);
  const ExtractResult r = Extract(paths[0]);
  EXPECT_EQ(1u, host.prompts.size());
  EXPECT_EQ("", r.RunEntry);
  EXPECT_TRUE(r.Ok);  // the first volume itself was sound
  EXPECT_EQ("E", Out("Engine.exe"));
  EXPECT_EQ(3, Steps());  // Engine.exe, the first part of big.bin, the declined wait
}

// A caller that checked the first volume hands it over open: what was checked is what is
// extracted, whatever lies under its name by now (another file, or none).
TEST_F(UnPackTest, AnOpenFirstVolumeIsReadInsteadOfTheFileOfItsName) {
  const std::string checked = Image(Stored(Entry("|Engine.exe*/S|", "checked")));
  const std::string swapped = Image(Stored(Entry("|Engine.exe*/S|", "swapped")));
  for (bool nameTaken : {true, false}) {
    SCOPED_TRACE(nameTaken ? "another file under the name" : "no file under the name");
    host = UnPackMemoryHost();
    if (nameTaken) host.AddFile(kSrc + "Setup.exe", swapped);
    const pack::MemorySource open(checked);
    ExtractArgs args = Args(kSrc + "Setup.exe");
    args.FirstVolume = &open;
    const ExtractResult r = pack::ExtractPackage(host, args);
    EXPECT_TRUE(r.Ok);
    EXPECT_EQ("Engine.exe*/S", r.RunEntry);
    EXPECT_EQ("checked", Out("Engine.exe"));
  }
}

TEST_F(UnPackSpannedTest, AfterAnOpenFirstVolumeTheHostOpensTheNext) {
  const auto paths = PackTwo("Setup.exe");
  const std::string first = host.files[paths[0]].data;
  host.AddFile(paths[0], "not a volume");
  const pack::MemorySource open(first);
  ExtractArgs args = Args(paths[0]);
  args.FirstVolume = &open;
  const ExtractResult r = pack::ExtractPackage(host, args);
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ("Engine.exe*/go", r.RunEntry);
  EXPECT_EQ("E", Out("Engine.exe"));
  EXPECT_EQ(Noise(5000, 3), Out("big.bin"));
}

TEST_F(UnPackTest, MissingFirstVolumeExtractsNothing) {
  const ExtractResult r = Extract(kSrc + "nothing.exe");
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ("", r.RunEntry);
  EXPECT_EQ(0u, Written());
  EXPECT_EQ(1u, calls.size());
}

TEST_F(UnPackTest, WrongMagicReadsNoEntry) {
  std::string image = Image(Stored(Entry("|a|", "A")));
  image[image.size() - pack::kTrailerSize + pack::at::Magic] ^= 1;
  const ExtractResult r = ExtractImage(image);
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(0u, Written());
}

// ---- checksums -------------------------------------------------------------------------------

// A hand-made volume of exactly size bytes, with the given stored checksum (or the right one).
std::string SizedVolume(size_t size, bool rightSum, uint32_t stored = 7) {
  testimg::Package p;
  p.entries = Stored(Entry("|c.txt|", "checked"));
  const size_t rest = p.HeaderStrings().size() + p.entries.size() + pack::kTrailerSize;
  p.program = testimg::FakeProgram(false, size - rest);
  p.trailer.SetWord(pack::at::VolumeChecksum, stored);
  std::string image = p.Build();
  if (rightSum) {
    const uint32_t sum = pack::ComputeVolumeChecksum(
        reinterpret_cast<const uint8_t*>(image.data()), image.size(), pack::kTrailerSize);
    pack::WriteLE32(
        reinterpret_cast<uint8_t*>(&image[image.size() - pack::kTrailerSize + 16]), sum);
  }
  return image;
}

TEST_F(UnPackTest, SmallVolumesAreChecksummedLargeOnesNot) {
  struct Case {
    size_t size;
    bool rightSum;
    uint32_t stored;
    size_t flipAt;  // 0: no damage
    bool ok;
  } cases[] = {
      {51200, true, 0, 0, true},    {51200, true, 0, 100, false}, {51200, false, 7, 0, false},
      {51200, false, 1234, 100, true}, {51201, false, 7, 100, true}, {1000, true, 0, 500, false},
  };
  for (const Case& c : cases) {
    host = UnPackMemoryHost();
    std::string image = SizedVolume(c.size, c.rightSum, c.stored);
    ASSERT_EQ(c.size, image.size());
    if (c.flipAt) image[c.flipAt] ^= 0x10;
    const ExtractResult r = ExtractImage(image);
    EXPECT_EQ(c.ok, r.Ok) << c.size << " " << c.flipAt;
    EXPECT_EQ(c.ok, Has("c.txt")) << c.size;
  }
}

TEST_F(UnPackTest, SignedStubpackVolumeIsCheckedFromOffset512) {
  for (bool flip : {false, true}) {
    host = UnPackMemoryHost();
    stubpack::PackOptions o;
    o.stubPath = Stub();
    o.signatureTail = 300;
    const auto paths = Pack(o, {{"a.txt", "signed"}}, "Setup.exe");
    std::string& image = host.files[paths[0]].data;
    ASSERT_LT(image.size(), 51200u);
    ASSERT_NE(0u, pack::ReadLE32(reinterpret_cast<const uint8_t*>(&image[252])));
    if (flip) image[600] ^= 1;
    const ExtractResult r = Extract(paths[0]);
    EXPECT_EQ(!flip, r.Ok);
    EXPECT_EQ(flip ? "<missing>" : "signed", Out("a.txt"));
  }
}

// ---- failures reported to the user -----------------------------------------------------------

TEST_F(UnPackTest, OnlyTheFirstFailedWriteShowsItsBox) {
  host.failingWrites = {kDest + "\\a.txt", kDest + "\\b.txt"};
  host.freeBytes = 1234.9;
  const std::string blocks =
      Stored(Entry("|a.txt|", "12345")) + Stored(Entry("|b.txt|", "x")) + Stored(Entry("|c|", "ok"));
  const ExtractResult r = ExtractImage(Image(blocks));
  EXPECT_TRUE(r.Ok);
  ASSERT_EQ(1u, host.errorBoxes.size());
  EXPECT_EQ(kDest + "\\a.txt<P><P>Unable to save Extracted File!<P><P>"
                    "There is not enough space on the disk.<P>  Data Size: <T>5 Bytes<P>"
                    "  File Size:  <T>0 Bytes<P>  Bytes Free: <T>1234 Bytes",
            host.errorBoxes[0]);
  EXPECT_EQ(2u, failedWrites);
  EXPECT_EQ("ok", Out("c"));
  // The count outlives the call: a later extraction stays silent.
  ExtractImage(Image(blocks));
  EXPECT_EQ(1u, host.errorBoxes.size());
}

TEST_F(UnPackTest, DataSizeCountsTheWholeEntryWhenAWriteStopsHalfway) {
  // The first inflated piece (256 KiB less the name list and its 0) fits, the second does not.
  host.writeLimit = 300000;
  const std::string blocks = Zlib(Entry("|big|", std::string(600000, 'q')));
  ASSERT_TRUE(ExtractImage(Image(blocks)).Ok);
  ASSERT_EQ(1u, host.errorBoxes.size());
  EXPECT_NE(std::string::npos, host.errorBoxes[0].find("Data Size: <T>600000 Bytes"));
  EXPECT_NE(std::string::npos, host.errorBoxes[0].find("File Size:  <T>262138 Bytes"));
  EXPECT_EQ(0u, host.files[kDest + "\\big"].dosDate);
}

TEST_F(UnPackTest, FolderThatCannotBeCreatedIsReported) {
  host.failingFolders = {kDest};
  const ExtractResult r = ExtractImage(Image(Stored(Entry("|a|", "A"))));
  EXPECT_TRUE(r.Ok);
  ASSERT_EQ(2u, host.errorBoxes.size());
  EXPECT_EQ(kDest + "<P><P>Unable to create Directory!<P><P>"
                    "The system cannot find the path specified.",
            host.errorBoxes[0]);
  EXPECT_EQ(0, host.errorBoxes[1].find(kDest + "\\a<P><P>Unable to save Extracted File!"));
}

TEST_F(UnPackTest, EmptyDestinationIsReportedAndNothingIsWritten) {
  host.AddFile(kSrc + "Setup.exe", Image(Stored(Entry("|a|", "A"))));
  ExtractArgs args = Args(kSrc + "Setup.exe");
  args.DestFolder = "";
  EXPECT_TRUE(pack::ExtractPackage(host, args).Ok);
  ASSERT_FALSE(host.errorBoxes.empty());
  EXPECT_EQ(0u, host.errorBoxes[0].find("<P><P>Unable to create Directory!<P><P>"));
  EXPECT_EQ(0u, Written());
  ASSERT_EQ(2u, host.errorBoxes.size());
  EXPECT_EQ(0u, host.errorBoxes[1].find("\\a<P><P>Unable to save Extracted File!"));
}

TEST_F(UnPackTest, WithoutOwnCountTheBoxShowsOncePerProcess) {
  size_t boxes = 0;
  for (int call = 0; call < 2; ++call) {
    UnPackMemoryHost h;
    h.failingWrites = {kDest + "\\a"};
    h.AddFile(kSrc + "Setup.exe", Image(Stored(Entry("|a|", "A"))));
    ExtractArgs args = Args(kSrc + "Setup.exe");
    args.FailedWrites = nullptr;
    pack::ExtractPackage(h, args);
    boxes += h.errorBoxes.size();
  }
  EXPECT_EQ(1u, boxes);  // no other test here uses the process-wide count
}

// ---- the agent copy --------------------------------------------------------------------------

TEST_F(UnPackTest, AgentCopyHoldsStubHeaderAndAgentTrailer) {
  struct Case {
    std::string outName;
    bool written;
  } cases[] = {{"Setup.exe", true}, {"SETUP.EXE.001", true}, {"setup.Exe.001", true},
               {"Setup.bin", false}, {"Setup.001", false}};
  for (const Case& c : cases) {
    host = UnPackMemoryHost();
    stubpack::PackOptions o;
    o.stubPath = Stub();
    o.signatureTail = 100;
    o.updateInfo.agentExe = "Agent.exe";
    const auto paths = Pack(o, {{"a.txt", "aaa"}}, c.outName);
    const ExtractResult r = Extract(paths[0], false, "C:\\whatever\\Agent.exe");
    ASSERT_TRUE(r.Ok) << c.outName;
    ASSERT_EQ(c.written, Has("Agent.exe")) << c.outName;
    if (!c.written) continue;
    const std::string& volume = host.files[paths[0]].data;
    const std::string& copy = host.files[kDest + "\\Agent.exe"].data;
    pack::MemorySource source(volume);
    TGFileInfo volumeInfo;
    volumeInfo.Create(source);
    const size_t headerEnd = volumeInfo.PackageStart();
    ASSERT_EQ(headerEnd + 74, copy.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(copy.data());
    EXPECT_EQ(1, bytes[headerEnd + 69]);
    EXPECT_EQ(74u, pack::ReadLE32(bytes + headerEnd + 70));
    EXPECT_EQ(0u, pack::ReadLE32(bytes + 252));
    EXPECT_EQ(0, copy.compare(0, 252, volume, 0, 252));
    EXPECT_EQ(0, copy.compare(256, headerEnd - 256, volume, 256, headerEnd - 256));
    EXPECT_EQ(host.files[paths[0]].dosDate, host.files[kDest + "\\Agent.exe"].dosDate);
    pack::MemorySource agent(copy);
    TGFileInfo info;
    info.Create(agent);
    EXPECT_TRUE(info.ThisIs_AutoUpdateProg());
    EXPECT_EQ("Agent.exe", info.GetProgramExeName());
  }
}

TEST_F(UnPackTest, AgentCopyNameIsReadInTheCodePageOfTheHost) {
  struct Case {
    std::string agent;
    uint32_t codePage;
    std::string written;  // empty: no copy
  } cases[] = {
      {"C:\\dir\\Agent.exe", 932, "Agent.exe"},
      // The 0x5C after a lead byte cuts nothing off in 932.
      {"C:\\dir\\\x83\\", 1252, ""},
      {"C:\\dir\\\x83\\", 932, "\x83\\"},
      {"C:\\dir\\\x83\\Agent.exe", 932, "\x83\\Agent.exe"},
      // A lead byte at the end has no second byte.
      {"C:\\dir\\Agent\x83", 1252, "Agent\x83"},
      {"C:\\dir\\Agent\x83", 932, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.codePage) + " " + c.agent);
    host = UnPackMemoryHost();
    host.leadBytes = sys::LeadBytesOfCodePage(c.codePage);
    stubpack::PackOptions o;
    o.stubPath = Stub();
    const auto paths = Pack(o, {{"a.txt", "aaa"}}, "Setup.exe");
    ASSERT_TRUE(Extract(paths[0], false, c.agent).Ok);
    EXPECT_EQ(c.written.empty() ? 1u : 2u, Written());
    EXPECT_TRUE(c.written.empty() || Has(c.written));
  }
}

// A volume whose data stands for gigabytes without holding them: reads give zeros and are
// measured, so a test can tell that nothing tried to take in a hostile length.
class HugeSource final : public pack::ByteSource {
 public:
  explicit HugeSource(uint64_t size) : size_(size) {}
  bool Size(uint64_t& size) const override {
    size = size_;
    return true;
  }
  bool ReadAt(uint64_t offset, void* buffer, size_t n) const override {
    longestRead = std::max(longestRead, n);
    if (offset > size_ || n > size_ - offset) return false;
    std::memset(buffer, 0, n);
    return true;
  }
  mutable size_t longestRead = 0;

 private:
  uint64_t size_;
};

TEST(AgentCopy, IsNeverLongerThanAStubWithItsHeaderStrings) {
  const uint64_t limit = pack::kLongestAgentCopy - pack::kTrailerSize;
  struct Case {
    uint64_t headerEnd;
    bool built;
  } cases[] = {{4096, true}, {limit, true}, {limit + 1, false}, {uint64_t{3} << 30, false},
               {(uint64_t{4} << 30) - 100, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.headerEnd);
    const HugeSource volume(uint64_t{4} << 30);
    std::string image;
    EXPECT_EQ(c.built, pack::BuildAgentCopy(volume, c.headerEnd, image));
    EXPECT_EQ(c.built ? c.headerEnd + pack::kTrailerSize : 0u, image.size());
    // A copy refused for its length was never read in.
    if (c.built) {
      EXPECT_EQ(c.headerEnd, volume.longestRead);
    } else {
      EXPECT_LT(volume.longestRead, 1024u);
    }
  }
}

TEST_F(UnPackTest, AStubLongerThanAnyAgentCopyIsDamage) {
  testimg::Package p;
  p.program = testimg::FakeProgram(true, pack::kLongestAgentCopy);
  p.entries = Stored(Entry("|Engine.exe*|", "E"));
  p.trailer.SetWord(pack::at::VolumeChecksum, pack::kNoChecksum);
  host.AddFile(kSrc + "Setup.exe", p.Build());
  const ExtractResult r = Extract(kSrc + "Setup.exe", false, "Agent.exe");
  EXPECT_FALSE(r.Ok);
  EXPECT_TRUE(r.Damaged);
  EXPECT_EQ("", r.RunEntry);
  EXPECT_FALSE(Has("Agent.exe"));
  EXPECT_EQ("E", Out("Engine.exe"));
}

// A header block as long as a big file would be taken for a header string: damage, read no further.
TEST_F(UnPackTest, HeaderBlocksLongerThanHeaderStringsAreDamage) {
  for (const uint32_t length : {pack::kLongestHeaderString, pack::kLongestHeaderString + 1}) {
    SCOPED_TRACE(length);
    host = UnPackMemoryHost();
    testimg::Package p;
    p.updateInfo = std::string(length, '|');
    p.entries = Stored(Entry("|Engine.exe*|", "E"));
    p.trailer.SetWord(pack::at::VolumeChecksum, pack::kNoChecksum);
    const bool sound = length <= pack::kLongestHeaderString;
    const ExtractResult r = ExtractImage(p.Build());
    EXPECT_EQ(sound, r.Ok);
    EXPECT_EQ(!sound, r.Damaged);
    EXPECT_EQ(sound ? "Engine.exe*" : "", r.RunEntry);
    EXPECT_EQ(sound, Has("Engine.exe"));
  }
}

TEST_F(UnPackTest, AgentCopyNeedsAFileNameThatStaysInside) {
  for (const std::string agent : {"", "C:\\dir\\", "..", "NUL.exe"}) {
    host = UnPackMemoryHost();
    stubpack::PackOptions o;
    o.stubPath = Stub();
    const auto paths = Pack(o, {{"a.txt", "aaa"}}, "Setup.exe");
    ASSERT_TRUE(Extract(paths[0], false, agent).Ok);
    EXPECT_EQ(1u, Written()) << agent;
  }
}

// ---- damaged packages ------------------------------------------------------------------------

TEST_F(UnPackTest, DamagedStreamsStopWithoutRunEntry) {
  const std::string run = Stored(Entry("|Engine.exe*|", "E"));
  std::string cutZlib = ZlibBody(Entry("|z|", std::string(3000, 'z')));
  cutZlib.resize(cutZlib.size() - 6);
  struct Case {
    std::string name, blocks;
  } cases[] = {
      {"volume ends inside a block", run + testimg::Word(uint32_t(-100)) + "short"},
      {"positive length beyond the volume", run + testimg::Word(0x7FFFFFFF) + "x"},
      {"most negative length", run + testimg::Word(0x80000000u) + "x"},
      {"length word cut by the trailer", run + "ab"},
      {"zlib stream ends early", run + testimg::Word(uint32_t(cutZlib.size())) + cutZlib},
      {"name list too long", run + Stored(std::string(pack::kMaxNameList + 1, 'n'))},
      {"zlib name list too long", run + Zlib(std::string(100000, 'n'))},
  };
  for (const Case& c : cases) {
    host = UnPackMemoryHost();
    // Pad so that more than a trailer's length remains after the cut.
    const ExtractResult r = ExtractImage(Image(c.blocks + std::string(80, '\0')));
    EXPECT_FALSE(r.Ok) << c.name;
    EXPECT_TRUE(r.Damaged) << c.name;
    EXPECT_EQ("", r.RunEntry) << c.name;
    EXPECT_EQ("E", Out("Engine.exe")) << c.name;  // what came before stays
  }
}

TEST_F(UnPackTest, NamesOutsideTheDestinationAreNeverWritten) {
  const std::string names[] = {
      "\\abs.txt",      "/abs.txt",        "C:\\x.txt",      "C:x.txt",   "\\\\server\\share\\x",
      "..\\x.txt",      "a\\..\\..\\x.txt", "a/../../x.txt",   "x.txt:ads", "NUL",
      "nul.txt",        "COM1",            "a\\lpt9.log",     "CON .txt",  "AUX",
      "dir\\",          "...",             "..\\",            ".. \\x",    "a\\. ",
      "\\\\?\\C:\\x",   "x\x01y",          "",                "..",        "a\\.."};
  for (const std::string& name : names) {
    host = UnPackMemoryHost();
    const std::string blocks = Stored(Entry("|Engine.exe*|", "E")) +
                               Stored(Entry("|" + name + "|", "evil")) +
                               Stored(Entry("|after.txt|", "A"));
    const ExtractResult r = ExtractImage(Image(blocks));
    EXPECT_TRUE(r.Damaged) << name;
    EXPECT_FALSE(r.Ok) << name;
    EXPECT_EQ("", r.RunEntry) << name;
    EXPECT_EQ(1u, Written()) << name;  // only Engine.exe
    EXPECT_FALSE(Has("after.txt")) << name;
  }
}

TEST_F(UnPackTest, CorruptZlibBlockEndsTheExtractionWithZlibsMessage) {
  std::string body = ZlibBody(Entry("|z|", std::string(3000, 'z')));
  body[2] = static_cast<char>(0xFF);  // an invalid block type
  const std::string image = Image(testimg::Word(uint32_t(body.size())) + body +
                                  Stored(Entry("|after.txt|", "A")) +
                                  Stored(Entry("|Engine.exe*|", "MZ")));
  host.AddFile(kSrc + "Setup.exe", image);
  const ExtractResult r = Extract(kSrc + "Setup.exe");
  EXPECT_EQ("invalid block type", r.ZlibError);
  EXPECT_TRUE(r.Damaged);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ("", r.RunEntry);
  EXPECT_FALSE(Has("after.txt"));
}

TEST_F(UnPackTest, TheWindowGetsItsTurnWhileOnePieceInflatesToMuchOutput) {
  // 16 MiB of zeros deflate to a few KiB, a single piece of the block: the host is still given
  // its turn again and again while that piece's output is written.
  const std::string body = ZlibBody(Entry("|zero.bin|", std::string(size_t{16} << 20, '\0')));
  ASSERT_LT(body.size(), size_t{65536});
  host.keepData = false;
  const ExtractResult r = ExtractImage(Image(testimg::Word(uint32_t(body.size())) + body));
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(size_t{16} << 20, host.files[kDest + "\\zero.bin"].size);
  EXPECT_GE(host.pumps, 16);
}

TEST_F(UnPackTest, HighlyCompressibleEntryStreamsInBoundedPieces) {
  // 256 MiB of zeros: the whole entry never sits in memory, only the file grows.
  const size_t size = size_t{256} << 20;
  std::string body;
  {
    z_stream z{};
    deflateInit(&z, 9);
    std::string zeros(1 << 20, '\0'), out(1 << 20, '\0');
    std::string head = "|zero.bin|";
    head += '\0';
    for (size_t fed = 0; fed <= size;) {
      const bool first = fed == 0;
      const std::string& in = first ? head : zeros;
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
      z.avail_in = static_cast<uInt>(in.size());
      fed += first ? 1 : in.size();
      const int flush = fed > size ? Z_FINISH : Z_NO_FLUSH;
      do {
        z.next_out = reinterpret_cast<Bytef*>(&out[0]);
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, flush);
        body.append(out.data(), out.size() - z.avail_out);
      } while (z.avail_out == 0);
    }
    deflateEnd(&z);
  }
  host.keepData = false;
  const ExtractResult r = ExtractImage(Image(testimg::Word(uint32_t(body.size())) + body));
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(size, host.files[kDest + "\\zero.bin"].size);
}

}  // namespace
