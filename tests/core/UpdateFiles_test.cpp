#include "agent/UpdateFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "AgentFilesScope.h"
#include "FakeIni.h"
#include "PackageImage.h"
#include "agent/AgentClock.h"
#include "agent/AgentHost.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateFilesIni.h"
#include "pack/GFileInfo.h"
#include "sys/Host.h"
#include "sys/UtilsText.h"

namespace {


TGFileInfo DescriptorWithUpdateInfo(const std::string& updateInfo) {
  testimg::Package package;
  package.updateInfo = updateInfo;
  const std::string image = package.Build();
  TGFileInfo info;
  info.Create(pack::MemorySource(image));
  return info;
}

const char kFolder[] = "C:\\Program Files\\MyApp\\";
const std::string kOriginal = std::string(kFolder) + "MyApp.original";
const std::string kInfo = std::string(kFolder) + "MyApp.beta.info";

// The running agent's descriptor names MyApp.beta.info, and its folder is kFolder.
class UpdateFiles : public ::testing::Test {
 protected:
  void SetUp() override { FakeIni::Clear(); }
  void TearDown() override { FakeIni::Clear(); }

  TGFileInfo descriptor_ =
      DescriptorWithUpdateInfo("|http://example.com/up/|MyApp.beta.info|MyApp.exe|");

 private:
  AgentFilesScope scope_{FakeIni::Access(), kFolder, &descriptor_};
};

// ---- Paths ------------------------------------------------------------------------------------

TEST(UpdateFilePaths, FolderOfAProgramPath) {
  struct Case {
    std::string path, folder;
  } cases[] = {
      {"C:\\Program Files\\MyApp\\Agent.exe", "C:\\Program Files\\MyApp\\"},
      {"\\\\server\\share\\Agent.exe", "\\\\server\\share\\"},
      {"C:Agent.exe", "C:"},
      {"/opt/agent/agent", "/opt/agent/"},
      {"Agent.exe", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.folder, au::FolderOf(c.path)) << c.path;
}

TEST(UpdateFilePaths, NamesComeFromItemOneOfUpdateInfo) {
  struct Case {
    std::string updateInfo, original, info;
  } cases[] = {
      {"|u|MyApp.beta.info|", "C:\\A\\MyApp.original", "C:\\A\\MyApp.beta.info"},
      {"|u|MyApp.info|", "C:\\A\\MyApp.original", "C:\\A\\MyApp.info"},
      {"|u|MyApp|", "C:\\A\\MyApp.original", "C:\\A\\MyApp"},
      // Without a name the agent has no description files at all.
      {"|u||", "", ""},
      {"|", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.updateInfo);
    const TGFileInfo info = DescriptorWithUpdateInfo(c.updateInfo);
    EXPECT_EQ(c.original, au::OriginalPathIn("C:\\A\\", &info));
    EXPECT_EQ(c.info, au::InfoPathIn("C:\\A\\", &info));
  }
  EXPECT_EQ("", au::OriginalPathIn("C:\\A\\", nullptr));
  EXPECT_EQ("", au::InfoPathIn("C:\\A\\", nullptr));
}

TEST_F(UpdateFiles, PathsFollowTheAgentFolderAndTheRunningDescriptor) {
  EXPECT_EQ(kOriginal, au::GetOriginalPath());
  EXPECT_EQ(kInfo, au::GetInfoPath());

  au::SetAgentFolder("D:\\Elsewhere");
  EXPECT_EQ("D:\\Elsewhere\\", au::AgentFolder());
  EXPECT_EQ("D:\\Elsewhere\\MyApp.original", au::GetOriginalPath());

  au::SetAgentFolder("");
  const std::string programFolder = au::FolderOf(sys::ProgramPath());
  ASSERT_FALSE(programFolder.empty());
  EXPECT_EQ(programFolder, au::AgentFolder());
  EXPECT_EQ(programFolder + "MyApp.beta.info", au::GetInfoPath());

  au::SetAgentPackage(nullptr);
  EXPECT_EQ("", au::GetOriginalPath());
  EXPECT_EQ("", au::GetInfoPath());
}

// ---- Reads ------------------------------------------------------------------------------------

struct StringKey {
  const std::string* file;
  const char* section;
  const char* key;
  std::function<std::string()> read;
  std::string byDefault;
};

const std::vector<StringKey>& StringKeys() {
  static const std::vector<StringKey> keys = {
      {&kOriginal, "OriginalSetup", "ProgramName", au::original::ProgramName, ""},
      {&kOriginal, "Directories", "TargetDir", au::original::TargetDir, ""},
      {&kOriginal, "Directories", "SharedDir", au::original::SharedDir, ""},
      {&kOriginal, "Directories", "AuxiliaryDir", au::original::AuxiliaryDir, ""},
      {&kOriginal, "UnInstall", "StartUpLink", au::original::StartUpLink, ""},
      {&kOriginal, "UnInstall", "CheckforNewUpdateLink", au::original::CheckforNewUpdateLink, ""},
      {&kOriginal, "MsgBox", "BtnText", au::original::BtnText,
       "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|"},
      {&kOriginal, "MsgBox", "Error", au::original::Error, "Error"},
      {&kOriginal, "MsgBox", "Confirm", au::original::Confirm, "Confirm"},
      {&kOriginal, "MsgBox", "Attention", au::original::Attention, "Attention"},
      {&kOriginal, "MsgBox", "FontName", au::original::FontName, "Tahoma"},
      {&kInfo, "NewSetup", "DownloadURL_UPDATE", au::info::DownloadURL_UPDATE, ""},
      {&kInfo, "NewSetup", "NameOfUpdateFile", au::info::NameOfUpdateFile, ""},
      {&kInfo, "NewSetup", "ShutDownMethod", au::info::ShutDownMethod, ""},
      {&kInfo, "NewSetup", "RunningProcess", au::info::RunningProcess, ""},
      {&kInfo, "NewSetup", "ProgramName", au::info::ProgramName, ""},
      {&kInfo, "NewSetup", "ValidVersions", au::info::ValidVersions, ""},
      {&kInfo, "AutoInform", "DownloadURL_INFORM", au::info::DownloadURL_INFORM, ""},
      {&kInfo, "AutoInform", "NameOfInformFile", au::info::NameOfInformFile, ""},
  };
  return keys;
}

struct IntegerKey {
  const std::string* file;
  const char* section;
  const char* key;
  std::function<int64_t()> read;
  bool is32;
  int64_t byDefault;
};

const std::vector<IntegerKey>& IntegerKeys() {
  static const std::vector<IntegerKey> keys = {
      {&kOriginal, "OriginalSetup", "ProbeSecondsInterval", au::original::ProbeSecondsInterval,
       false, 0},
      {&kOriginal, "OriginalSetup", "ProbeSecondsLast", au::original::ProbeSecondsLast, false, 0},
      {&kOriginal, "OriginalSetup", "ReAskSecondsInterval", au::original::ReAskSecondsInterval,
       false, 0},
      {&kOriginal, "OriginalSetup", "ReAskSecondsLast", au::original::ReAskSecondsLast, false, 0},
      {&kOriginal, "OriginalSetup", "VersionOriginal", au::original::VersionOriginal, true, 0},
      {&kOriginal, "OriginalSetup", "Stamp", au::original::Stamp, true, 0},
      {&kOriginal, "MsgBox", "CharSet", au::original::CharSet, true, 0},
      {&kOriginal, "MsgBox", "FontSize", au::original::FontSize, true, 8},
      {&kInfo, "NewSetup", "SizeOfUpdateFile", au::info::SizeOfUpdateFile, true, 0},
      {&kInfo, "NewSetup", "VersionNew", au::info::VersionNew, true, 0},
      {&kInfo, "NewSetup", "Stamp", au::info::Stamp, true, 0},
      {&kInfo, "General", "AutoInform", au::info::AutoInform, false, 0},
      {&kInfo, "AutoInform", "SizeOfInformFile", au::info::SizeOfInformFile, true, 0},
      {&kInfo, "AutoInform", "AutoInformW", au::info::AutoInformW, true, 360},
      {&kInfo, "AutoInform", "AutoInformH", au::info::AutoInformH, true, 360},
  };
  return keys;
}

struct FlagKey {
  const char* key;
  std::function<bool()> read;
  int overrideIndex;  // -1: no run-time override
};

const std::vector<FlagKey>& FlagKeys() {
  static const std::vector<FlagKey> keys = {
      {"RequestConfirmationBeforeDownload", au::info::RequestConfirmationBeforeDownload, 1},
      {"RequestConfirmationBeforeInstall", au::info::RequestConfirmationBeforeInstall, 2},
      {"BackgroundUpdate", au::info::BackgroundUpdate, 3},
      {"InformFinish", au::info::InformFinish, 4},
      {"RestartProcess", au::info::RestartProcess, 5},
      {"RequestConfirmationBeforeDownloadForce", au::info::RequestConfirmationBeforeDownloadForce,
       6},
      {"RequestConfirmationBeforeInstallForce", au::info::RequestConfirmationBeforeInstallForce, 7},
      {"RemoveStartUpShortcut", au::info::RemoveStartUpShortcut, -1},
      {"RemoveCheckForNewUpdateShortcut", au::info::RemoveCheckForNewUpdateShortcut, -1},
  };
  return keys;
}

TEST_F(UpdateFiles, MissingFilesReadAsDefaults) {
  for (const StringKey& k : StringKeys()) EXPECT_EQ(k.byDefault, k.read()) << k.key;
  for (const IntegerKey& k : IntegerKeys()) EXPECT_EQ(k.byDefault, k.read()) << k.key;
  for (const FlagKey& k : FlagKeys()) EXPECT_FALSE(k.read()) << k.key;
  EXPECT_FALSE(au::IsAutoInform());
  EXPECT_FALSE(FakeIni::reads.empty()) << "the defaults came through the INI functions";
}

// All keys hold different values at once, so a key read from the wrong file, section or name
// shows up as a wrong value.
TEST_F(UpdateFiles, EveryStringKeyIsReadFromItsFileAndSection) {
  for (const StringKey& k : StringKeys()) {
    FakeIni::Put(*k.file, k.section, k.key, std::string("value of ") + k.key + " in " + *k.file);
  }
  for (const StringKey& k : StringKeys()) {
    EXPECT_EQ(std::string("value of ") + k.key + " in " + *k.file, k.read()) << k.key;
  }
}

TEST_F(UpdateFiles, EveryIntegerKeyIsReadWithItsWidth) {
  const int64_t high = int64_t{1} << 32;
  for (size_t i = 0; i < IntegerKeys().size(); ++i) {
    const IntegerKey& k = IntegerKeys()[i];
    FakeIni::Put(*k.file, k.section, k.key, std::to_string(high * 3 + 100 + int64_t(i)));
  }
  for (size_t i = 0; i < IntegerKeys().size(); ++i) {
    const IntegerKey& k = IntegerKeys()[i];
    EXPECT_EQ(k.is32 ? 100 + int64_t(i) : high * 3 + 100 + int64_t(i), k.read()) << k.key;
  }
}

TEST_F(UpdateFiles, IntegerTextsAndTheirValues) {
  struct Case {
    std::string text;
    int64_t as64;
    int32_t as32;  // the low 32 bits, signed
  } cases[] = {
      {"0", 0, 0},
      {"-1", -1, -1},
      {"2147483647", 2147483647, 2147483647},
      {"2147483648", 2147483648, INT32_MIN},
      {"4294967295", 4294967295, -1},
      {"4294967297", 4294967297, 1},
      {"-4294967296", -4294967296, 0},
      {"9223372036854775807", INT64_MAX, -1},
      {"-9223372036854775808", INT64_MIN, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FakeIni::Put(kOriginal, "OriginalSetup", "ProbeSecondsLast", c.text);
    FakeIni::Put(kOriginal, "OriginalSetup", "VersionOriginal", c.text);
    EXPECT_EQ(c.as64, au::original::ProbeSecondsLast());
    EXPECT_EQ(c.as32, au::original::VersionOriginal());
  }
}

TEST_F(UpdateFiles, NonNumericIntegersGiveTheDefault) {
  for (const char* text : {"abc", "12abc", "1.5", "", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    for (const IntegerKey& k : IntegerKeys()) FakeIni::Put(*k.file, k.section, k.key, text);
    for (const IntegerKey& k : IntegerKeys()) EXPECT_EQ(k.byDefault, k.read()) << k.key;
  }
}

TEST_F(UpdateFiles, FlagsAreTrueOnlyForExactlyOne) {
  struct Case {
    std::string text;
    bool flag;
  } cases[] = {
      {"1", true}, {"yes", false}, {" 1", false},   {"1 ", false}, {"0", false},
      {"", false}, {"01", false},  {"true", false}, {"2", false},  {"-1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    for (const FlagKey& k : FlagKeys()) FakeIni::Put(kInfo, "NewSetup", k.key, c.text);
    for (const FlagKey& k : FlagKeys()) EXPECT_EQ(c.flag, k.read()) << k.key;
  }
}

TEST_F(UpdateFiles, OverrideBytesComeBeforeTheKey) {
  struct Case {
    uint8_t byte;
    std::string key;
    bool flag;
  } cases[] = {
      {255, "1", true}, {255, "0", false}, {0, "1", false},
      {1, "0", true},   {1, "yes", true},  {2, "1", false},
  };
  for (const FlagKey& k : FlagKeys()) {
    if (k.overrideIndex < 0) continue;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(k.key) + " byte " + std::to_string(c.byte) + " key " + c.key);
      FakeIni::Put(kInfo, "NewSetup", k.key, c.key);
      au::SetTransientFlag(k.overrideIndex, c.byte);
      FakeIni::reads.clear();
      EXPECT_EQ(c.flag, k.read());
      // A byte that decides leaves the file unread.
      EXPECT_EQ(c.byte == 255 ? 1 : 0, FakeIni::reads[kInfo]);
    }
    au::ResetTransientFlags();
  }
}

TEST_F(UpdateFiles, ShortcutFlagsHaveNoOverride) {
  for (int i = 0; i < au::kTransientFlagCount; ++i) au::SetTransientFlag(i, 0);
  FakeIni::Put(kInfo, "NewSetup", "RemoveStartUpShortcut", "1");
  FakeIni::Put(kInfo, "NewSetup", "RemoveCheckForNewUpdateShortcut", "1");
  EXPECT_TRUE(au::info::RemoveStartUpShortcut());
  EXPECT_TRUE(au::info::RemoveCheckForNewUpdateShortcut());
}

TEST_F(UpdateFiles, ValidVersionsAreKeptAsWritten) {
  for (const char* text : {"3,4,5", "3, 4", "03,4", " 3,4"}) {
    FakeIni::Put(kInfo, "NewSetup", "ValidVersions", text);
    EXPECT_EQ(text, au::info::ValidVersions());
  }
}

TEST_F(UpdateFiles, AutoInformIsANumberThatMustBeOne) {
  struct Case {
    std::string text;
    bool notice;
  } cases[] = {
      {"1", true},   {" 1", true},          {"01", true},   {"0", false}, {"2", false},
      {"-1", false}, {"4294967297", false}, {"yes", false}, {"", false},
  };
  for (const Case& c : cases) {
    FakeIni::Put(kInfo, "General", "AutoInform", c.text);
    EXPECT_EQ(c.notice, au::IsAutoInform()) << c.text;
  }
}

TEST_F(UpdateFiles, AgentTextsFallBackToTheBuiltInOnes) {
  struct Case {
    std::string key, builtIn;
  } cases[] = {
      {"s2", ""},
      {"s3", "File Download Aborted!"},
      {"s4", "File not Found!"},
      {"s5", "Unable to Download File!"},
      {"s11", ""},
      {"s24", ""},
      {"s31", "Downloading INFO File..."},
      {"s32", "Downloading UPDATE File..."},
      {"s33", "Downloading INFORM File..."},
      {"s34", "New Version"},
      {"S35", "Download"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(c.builtIn, au::BuiltInAUText(c.key));
    EXPECT_EQ(c.builtIn, au::ReadAUText(c.key));
    EXPECT_EQ("caller's", au::ReadAUText(c.key, "caller's"));
    FakeIni::Put(kOriginal, "AutoUpdate", c.key, "");  // empty counts as absent
    EXPECT_EQ(c.builtIn, au::ReadAUText(c.key));
    FakeIni::Put(kOriginal, "AutoUpdate", c.key, "<B>Own</B> text of " + c.key);
    EXPECT_EQ("<B>Own</B> text of " + c.key, au::ReadAUText(c.key));
    EXPECT_EQ("<B>Own</B> text of " + c.key, au::ReadAUText(c.key, "caller's"));
  }
}

// Another program (the installation, a new download) may change a file at any time.
TEST_F(UpdateFiles, EveryReadSeesTheFileAsItIsNow) {
  FakeIni::Put(kOriginal, "OriginalSetup", "VersionOriginal", "3");
  EXPECT_EQ(3, au::original::VersionOriginal());
  FakeIni::Put(kOriginal, "OriginalSetup", "VersionOriginal", "4");
  EXPECT_EQ(4, au::original::VersionOriginal());

  FakeIni::Put("D:\\Other\\MyApp.original", "OriginalSetup", "VersionOriginal", "9");
  au::SetAgentFolder("D:\\Other\\");
  EXPECT_EQ(9, au::original::VersionOriginal());

  TGFileInfo renamed = DescriptorWithUpdateInfo("|u|Renamed.info|");
  FakeIni::Put("D:\\Other\\Renamed.original", "OriginalSetup", "VersionOriginal", "12");
  au::SetAgentPackage(&renamed);
  EXPECT_EQ(12, au::original::VersionOriginal());
}

// ---- Writes -----------------------------------------------------------------------------------

TEST_F(UpdateFiles, WritersStoreDecimalTextInTheOriginalFile) {
  struct Case {
    std::function<bool()> write;
    const char* key;
    std::string stored;
    std::function<int64_t()> readBack;
  } cases[] = {
      {[] { return au::original::SetProbeSecondsInterval(-1); }, "ProbeSecondsInterval", "-1",
       au::original::ProbeSecondsInterval},
      {[] { return au::original::SetReAskSecondsInterval(8589934592); }, "ReAskSecondsInterval",
       "8589934592", au::original::ReAskSecondsInterval},
      {[] { return au::original::SetVersionOriginal(-5); }, "VersionOriginal", "-5",
       au::original::VersionOriginal},
      {[] { return au::original::SetStamp(INT32_MAX); }, "Stamp", "2147483647",
       au::original::Stamp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    FakeIni::writes.clear();
    EXPECT_TRUE(c.write());
    EXPECT_EQ(std::vector<std::string>{kOriginal + "|OriginalSetup|" + c.key + "=" + c.stored},
              FakeIni::writes);
    EXPECT_EQ(c.stored, std::to_string(c.readBack()));
  }
  EXPECT_EQ("<absent>", FakeIni::Get(kInfo, "NewSetup", "Stamp"));
}

TEST_F(UpdateFiles, TimeStampsAreWrittenWithTheirReadableCopy) {
  struct Case {
    std::function<bool(int64_t)> write;
    std::function<int64_t()> read;
    const char* key;
  } cases[] = {
      {au::original::SetProbeSecondsLast, au::original::ProbeSecondsLast, "ProbeSecondsLast"},
      {au::original::SetReAskSecondsLast, au::original::ReAskSecondsLast, "ReAskSecondsLast"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    for (int64_t stamp : {int64_t{3603172023}, int64_t{0}, int64_t{-1}}) {
      FakeIni::writes.clear();
      EXPECT_TRUE(c.write(stamp));
      const std::string readable = au::ReadableStamp(stamp);
      const std::string prefix = kOriginal + "|OriginalSetup|";
      EXPECT_EQ((std::vector<std::string>{prefix + c.key + "=" + std::to_string(stamp),
                                          prefix + "__" + c.key + "=" + readable}),
                FakeIni::writes);
      EXPECT_EQ(stamp, c.read());
    }
    EXPECT_EQ("29-DEC-1899 23:59:59",
              FakeIni::Get(kOriginal, "OriginalSetup", std::string("__") + c.key));
  }
  au::original::SetProbeSecondsLast(3603172023);
  EXPECT_EQ("05-MAR-2014 09:07:03", FakeIni::Get(kOriginal, "OriginalSetup", "__ProbeSecondsLast"));
}

TEST_F(UpdateFiles, FailedWritesAreReportedOnlyThroughTheResult) {
  FakeIni::readOnly.insert(kOriginal);
  EXPECT_FALSE(au::original::SetProbeSecondsLast(5));
  EXPECT_FALSE(au::original::SetVersionOriginal(5));
  EXPECT_TRUE(FakeIni::writes.empty());
  EXPECT_EQ(0, au::original::VersionOriginal());
}

TEST_F(UpdateFiles, WithoutDescriptionFilesNothingIsWritten) {
  TGFileInfo nameless = DescriptorWithUpdateInfo("|u||");
  au::SetAgentPackage(&nameless);
  EXPECT_FALSE(au::original::SetProbeSecondsLast(5));
  EXPECT_FALSE(au::original::SetStamp(5));
  EXPECT_EQ(0, au::original::ProbeSecondsLast());
  EXPECT_TRUE(FakeIni::writes.empty());
  EXPECT_TRUE(FakeIni::reads.empty()) << "no file is even opened";
}

TEST_F(UpdateFiles, UnboundAccessReadsDefaultsAndStoresNothing) {
  const au::IniAccess fake = au::SetIniAccess(au::IniAccess{});
  FakeIni::Put(kOriginal, "OriginalSetup", "VersionOriginal", "7");
  EXPECT_EQ(0, au::original::VersionOriginal());
  EXPECT_EQ("Tahoma", au::original::FontName());
  EXPECT_EQ(360, au::info::AutoInformW());
  EXPECT_FALSE(au::original::SetVersionOriginal(8));
  EXPECT_TRUE(FakeIni::reads.empty());
  EXPECT_TRUE(FakeIni::writes.empty());
  au::SetIniAccess(fake);
  EXPECT_EQ(7, au::original::VersionOriginal());
}

}  // namespace
