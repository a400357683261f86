#include "pack/GFileInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <algorithm>
#include <unistd.h>

#include "PackageImage.h"
#include "pack/Scramble.h"

namespace {

using testimg::Package;

TGFileInfo Describe(const std::string& image) {
  TGFileInfo info;
  info.Create(pack::MemorySource(image));
  return info;
}

void ExpectEmpty(const TGFileInfo& info) {
  EXPECT_FALSE(info.HasPackage());
  EXPECT_EQ("", info.LangData());
  EXPECT_EQ("", info.UpdateInfo());
  EXPECT_EQ("", info.WebSetupInfo());
  EXPECT_EQ(0, info.Trailer().Flags());
  EXPECT_FALSE(info.ThisIs_AutoUpdateProg());
  EXPECT_FALSE(info.IsWebSetup());
  EXPECT_EQ(0u, info.Trailer().TotalSize());
  EXPECT_EQ("", info.GetProgramExeName());
  EXPECT_EQ(".original", info.GetOriginalFileName());
}

TEST(GFileInfo, ReadsHeaderStringsAndPointsPackageStartAtTheFirstEntry) {
  for (uint8_t version : {2, 3}) {
    Package p;
    p.version = version;
    p.langData = "~|English|s0=Demo|~";
    p.updateInfo = "|http://127.0.0.1/u/|Tool.info|Tool.exe||1|";
    p.webSetupInfo = "|http://127.0.0.1/w/|Setup.exe|1||2048|";
    const std::string image = p.Build();
    TGFileInfo info = Describe(image);
    SCOPED_TRACE(int(version));
    ASSERT_TRUE(info.HasPackage());
    EXPECT_EQ(p.langData, info.LangData());
    EXPECT_EQ(p.updateInfo, info.UpdateInfo());
    EXPECT_EQ(version >= 3 ? p.webSetupInfo : "", info.WebSetupInfo());
    // With version 2 the bytes after UpdateInfo are already the first entry.
    EXPECT_EQ(image.substr(info.PackageStart(), 8), "ENTRIES!");
  }
}

TEST(GFileInfo, VersionZeroReadsAsTwo) {
  Package p;
  p.version = 0;
  TGFileInfo info = Describe(p.Build());
  EXPECT_EQ(2, info.Trailer().Version());
  EXPECT_TRUE(info.HasPackage());
}

TEST(GFileInfo, SignedStubFindsItsTrailerThroughPackageEnd) {
  Package p;
  p.updateInfo = "|u|i|Agent.exe|";
  p.tail = std::string(700, 'S');  // a signature after the package
  p.setPackageEnd = true;
  TGFileInfo info = Describe(p.Build());
  ASSERT_TRUE(info.HasPackage());
  EXPECT_EQ("Agent.exe", info.GetProgramExeName());

  p.setPackageEnd = false;  // both words 0: the trailer is taken from the end of the file
  ExpectEmpty(Describe(p.Build()));
  p.tail.clear();
  EXPECT_TRUE(Describe(p.Build()).HasPackage());
}

TEST(GFileInfo, PackageEndIsOnlyReadFromProgramFiles) {
  Package p;
  p.program = testimg::FakeProgram(false);
  p.tail = "xx";
  p.setPackageEnd = true;  // words written, but without "PE" at 256 nobody reads them
  ExpectEmpty(Describe(p.Build()));
}

TEST(GFileInfo, ShortTrailerOfAnOlderLayoutFillsOnlyItsLeadingFields) {
  Package p;
  p.trailer.SetWord(pack::at::FilesCount, 7);
  p.trailer.SetWord(pack::at::TotalSize, 1000);
  p.trailer.bytes[pack::at::ThisIs_AutoUpdateProg] = 1;
  std::string image = p.Build();
  // Cut the trailer to 60 bytes: record bytes 0 to 55, then the length word saying 60.
  image.erase(image.size() - 14);
  testimg::PutWord(image, image.size() - 4, 60);
  TGFileInfo info = Describe(image);
  ASSERT_TRUE(info.HasPackage());
  EXPECT_EQ(60u, info.Trailer().TrailerSize());
  EXPECT_EQ(7u, info.Trailer().FilesCount());
  EXPECT_EQ(1000u, info.Trailer().TotalSize());
  EXPECT_EQ(0u, info.Trailer().SizeOnDisk(7)) << "bytes 56 and later stay 0";
  EXPECT_FALSE(info.ThisIs_AutoUpdateProg());
}

TEST(GFileInfo, LongerTrailerIsReadInItsFirst70Bytes) {
  Package p;
  p.trailer.bytes[pack::at::IsWebSetup] = 1;
  std::string image = p.Build();
  image.insert(image.size() - 4, std::string(10, '\x7f'));  // 84-byte trailer
  testimg::PutWord(image, image.size() - 4, 84);
  TGFileInfo info = Describe(image);
  ASSERT_TRUE(info.HasPackage());
  EXPECT_TRUE(info.IsWebSetup());
  EXPECT_EQ(74u, info.Trailer().TrailerSize());
}

struct Damage {
  const char* what;
  std::string (*make)();
};

std::string WithTrailerLength(uint32_t length) {
  std::string image = Package().Build();
  testimg::PutWord(image, image.size() - 4, length);
  return image;
}

std::string WithTrailerWord(size_t offset, uint32_t value) {
  std::string image = Package().Build();
  testimg::PutWord(image, image.size() - 74 + offset, value);
  return image;
}

const Damage kDamaged[] = {
    {"empty file", [] { return std::string(); }},
    {"three bytes", [] { return std::string("abc"); }},
    {"trailer length 0", [] { return WithTrailerLength(0); }},
    {"trailer length 4", [] { return WithTrailerLength(4); }},
    {"trailer length 0xFFFFFFFF", [] { return WithTrailerLength(0xFFFFFFFF); }},
    {"trailer longer than the file", [] { return WithTrailerLength(5000); }},
    {"wrong magic", [] { return WithTrailerWord(pack::at::Magic, 0x4A3B2C1E); }},
    {"PackageStart beyond the file", [] { return WithTrailerWord(pack::at::PackageStart, 1u << 30); }},
    {"PackageStart inside the trailer",
     [] {
       std::string image = Package().Build();
       return WithTrailerWord(pack::at::PackageStart, static_cast<uint32_t>(image.size() - 8));
     }},
    {"header string longer than the file",
     [] {
       std::string image = Package().Build();
       testimg::PutWord(image, 1024, 0x7FFFFFF0);
       return image;
     }},
    {"header string running into the trailer",
     [] {
       std::string image = Package().Build();
       testimg::PutWord(image, 1024 + 5, static_cast<uint32_t>(image.size() - 1024 - 9 - 40));
       return image;
     }},
    {"PackageEnd beyond the file",
     [] {
       std::string image = Package().Build();
       testimg::PutWord(image, pack::kPackageEndLowOffset, static_cast<uint32_t>(image.size() + 1));
       return image;
     }},
    {"PackageEnd high word set",
     [] {
       std::string image = Package().Build();
       testimg::PutWord(image, pack::kPackageEndHighOffset, 1);
       return image;
     }},
    {"PackageEnd of 3",
     [] {
       std::string image = Package().Build();
       testimg::PutWord(image, pack::kPackageEndLowOffset, 3);
       return image;
     }},
};

TEST(GFileInfo, DamagedFilesCarryNoPackage) {
  for (const Damage& d : kDamaged) {
    SCOPED_TRACE(d.what);
    const std::string image = d.make();
    // Hand the descriptor an exact-size heap copy so that ASan sees any read past the end.
    std::unique_ptr<char[]> exact(new char[image.size() + 1]);
    std::copy(image.begin(), image.end(), exact.get());
    TGFileInfo info;
    info.Create(pack::MemorySource(exact.get(), image.size()));
    ExpectEmpty(info);
  }
}

// Header strings are short texts. A length word near the size of a big setup file would have a
// 32-bit stub allocate it and die: a header string beyond kLongestHeaderString is damage, even
// when the file is long enough to hold it.
TEST(GFileInfo, HeaderStringsLongerThanTheLimitAreDamage) {
  struct Case {
    const char* what;
    size_t langData, updateInfo, webSetupInfo;
    bool read;
  } cases[] = {
      {"LangData at the limit", pack::kLongestHeaderString, 1, 1, true},
      {"LangData beyond the limit", pack::kLongestHeaderString + 1, 1, 1, false},
      {"UpdateInfo beyond the limit", 1, pack::kLongestHeaderString + 1, 1, false},
      {"WebSetupInfo beyond the limit", 1, 1, pack::kLongestHeaderString + 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Package p;
    p.version = 3;
    p.langData = std::string(c.langData, '|');
    p.updateInfo = std::string(c.updateInfo, '|');
    p.webSetupInfo = std::string(c.webSetupInfo, '|');
    const TGFileInfo info = Describe(p.Build());
    if (c.read) {
      EXPECT_TRUE(info.HasPackage());
      EXPECT_EQ(c.langData, info.LangData().size());
    } else {
      ExpectEmpty(info);
    }
  }
}

TEST(GFileInfo, FlagBitsAndByteFlags) {
  struct Case {
    size_t offset;
    uint8_t value;
    bool (TGFileInfo::*accessor)() const;
  };
  const Case cases[] = {
      {pack::at::Flags, pack::kNotifyTempDrive, &TGFileInfo::NotifyTempDrive},
      {pack::at::Flags, pack::kHasNextVolume, &TGFileInfo::HasNextVolume},
      {pack::at::Flags, pack::kSpanCdCopy, &TGFileInfo::SpanCdCopy},
      {pack::at::Flags, pack::kShowActivityBar, &TGFileInfo::ShowActivityBar},
      {pack::at::Flags, pack::kAgentDebugLog, &TGFileInfo::AgentDebugLog},
      {pack::at::IsWebSetup, 2, &TGFileInfo::IsWebSetup},
      {pack::at::ConfirmDownload, 0x80, &TGFileInfo::ConfirmDownload},
      {pack::at::MakeAgentCopy, 1, &TGFileInfo::MakeAgentCopy},
      {pack::at::ThisIs_AutoUpdateProg, 1, &TGFileInfo::ThisIs_AutoUpdateProg},
  };
  for (const Case& only : cases) {
    Package p;
    p.trailer.bytes[only.offset] = only.value;
    TGFileInfo info = Describe(p.Build());
    for (const Case& c : cases)
      EXPECT_EQ(&c == &only, (info.*c.accessor)()) << "set " << &only - cases << " read " << &c - cases;
  }
}

TEST(GFileInfo, SpaceRequiredTakesTheLargestSizeClassNotAboveTheClusterSize) {
  Package p;
  p.trailer.SetWord(pack::at::TotalSize, 100);
  for (int i = 1; i <= 8; ++i) p.trailer.SetWord(pack::at::SizeOnDisk + 4 * (i - 1), 1000 * i);
  TGFileInfo info = Describe(p.Build());
  const struct {
    uint32_t cluster;
    double expected;
  } cases[] = {{0, 100}, {511, 100}, {512, 1000}, {1023, 1000}, {4096, 4000},
               {6000, 4000}, {32768, 7000}, {65536, 8000}, {1u << 20, 8000}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, info.SpaceRequiredForCluster(c.cluster)) << c.cluster;
}

TEST(GFileInfo, ItemsReadFromTheHeaderLists) {
  Package p;
  p.version = 3;
  const std::string token = pack::Scramble("ProductToken-1", 7);
  const std::string webToken = pack::Scramble("ProductToken-1", 99);
  p.updateInfo = "|http://127.0.0.1:8080/up/|C:\\x\\name.part.info|Tool.exe|" + token + "|1|";
  p.webSetupInfo = "|http://127.0.0.1/web/|Setup.exe|1|" + webToken + "|5242880|";
  TGFileInfo info = Describe(p.Build());
  EXPECT_EQ("http://127.0.0.1:8080/up/", info.GetUpdateInfoURL());
  EXPECT_EQ("name.part.info", info.GetInfoFileName());
  EXPECT_EQ("name.original", info.GetOriginalFileName()) << "every extension is removed";
  EXPECT_EQ("Tool.exe", info.GetProgramExeName());
  EXPECT_EQ(token, info.GetProductToken(false));
  EXPECT_EQ("ProductToken-1", info.GetProductToken(true));
  EXPECT_TRUE(info.GetHideSetup());
  EXPECT_EQ("http://127.0.0.1/web/", info.GetWebSetupURL());
  EXPECT_EQ("Setup.exe", info.GetWebSetupFileName());
  EXPECT_TRUE(info.GetAlwaysDownload());
  EXPECT_EQ("ProductToken-1", info.GetWebSetupToken(true));
  EXPECT_EQ("5242880", info.GetWebSetupSize());
  EXPECT_TRUE(info.SameWebSetupToken(info));
}

TEST(GFileInfo, MissingOrEmptyItemsGiveTheirDefaults) {
  Package p;
  p.version = 3;
  p.updateInfo = "|a||Tool.exe||yes|";  // item 1 empty, hide-setup is not exactly "1"
  p.webSetupInfo = "|a|b|c";             // no closing separator: no items at all
  TGFileInfo info = Describe(p.Build());
  EXPECT_EQ("", info.GetInfoFileName());
  EXPECT_FALSE(info.GetHideSetup());
  EXPECT_EQ("", info.GetWebSetupURL());
  EXPECT_FALSE(info.GetAlwaysDownload());
  // Two failed descramblings practically never compare equal.
  TGFileInfo other = Describe(p.Build());
  EXPECT_FALSE(info.SameWebSetupToken(other));
}

TEST(GFileInfo, IsPEFileLooksAtTheFixedOffset256) {
  std::string image = testimg::FakeProgram(false);
  image[0] = 'M', image[1] = 'Z';
  image[0x80] = 'P', image[0x81] = 'E';
  EXPECT_FALSE(TGFileInfo::IsPEFile(pack::MemorySource(image)));
  image[256] = 'P', image[257] = 'E';
  EXPECT_TRUE(TGFileInfo::IsPEFile(pack::MemorySource(image)));
  EXPECT_FALSE(TGFileInfo::IsPEFile(pack::MemorySource(image.substr(0, 257))));
}

TEST(GFileInfo, CreateFromFilesOnDisk) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("gfileinfo_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  Package p;
  p.updateInfo = "|u|i|Disk.exe|";
  { std::ofstream(dir / "pkg.bin", std::ios::binary) << p.Build(); }
  EXPECT_EQ("Disk.exe", TGFileInfo((dir / "pkg.bin").string()).GetProgramExeName());
  pack::TPackTrailer trailer;
  EXPECT_TRUE(TGFileInfo::ReadTrailer((dir / "pkg.bin").string(), trailer));
  EXPECT_EQ(pack::kMagic, trailer.Magic());
  ExpectEmpty(TGFileInfo((dir / "missing.bin").string()));
  ExpectEmpty(TGFileInfo(dir.string()));  // a folder
  EXPECT_FALSE(TGFileInfo::ReadTrailer(dir.string(), trailer));
  fs::remove_all(dir);
}

}  // namespace
