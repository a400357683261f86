// The update description files on real INI files, through the system's private-profile functions.
#include <gtest/gtest.h>

#include <memory>

#include <cstdint>
#include <string>

#include "../core/AgentFilesScope.h"
#include "../core/PackageImage.h"
#include "Processes.h"
#include "agent/AgentClock.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateFiles.h"
#include "agent/UpdateFilesIni.h"
#include "pack/GFileInfo.h"

namespace {

TGFileInfo AgentDescriptor() {
  testimg::Package package;
  package.updateInfo = "|http://example.com/up/|E2E.beta.info|E2E.exe|";
  const std::string image = package.Build();
  TGFileInfo info;
  info.Create(pack::MemorySource(image));
  return info;
}

const char kOriginalText[] =
    "[OriginalSetup]\r\n"
    "ProbeSecondsInterval=86400\r\n"
    "ProbeSecondsLast=3603172023\r\n"
    "ReAskSecondsInterval=-1\r\n"
    "ReAskSecondsLast=8589934592\r\n"
    "VersionOriginal=4294967299\r\n"
    "Stamp=  42  \r\n"
    "ProgramName=My App\r\n"
    "[Directories]\r\n"
    "TargetDir=C:\\Program Files\\My App\r\n"
    "SharedDir=C:\\Common\r\n"
    "AuxiliaryDir=\r\n"
    "[UnInstall]\r\n"
    "StartUpLink=C:\\Links\\My App.lnk\r\n"
    "CheckforNewUpdateLink=C:\\Links\\Check.lnk\r\n"
    "[MsgBox]\r\n"
    "Error=Fehler\r\n"
    "CharSet=177\r\n"
    "FontName=Arial\r\n"
    "FontSize=x\r\n"
    "[AutoUpdate]\r\n"
    "s3=Abgebrochen!\r\n"
    "s11=<B>PROG_NAME</B> has an update.\r\n";

const char kInfoText[] =
    "[NewSetup]\r\n"
    "DownloadURL_UPDATE=http://example.com/up\r\n"
    "NameOfUpdateFile=Update.exe\r\n"
    "SizeOfUpdateFile=123456\r\n"
    "RequestConfirmationBeforeDownload=yes\r\n"
    "RequestConfirmationBeforeDownloadForce=\" 1\"\r\n"
    "RequestConfirmationBeforeInstall=1\r\n"
    "RequestConfirmationBeforeInstallForce=0\r\n"
    "BackgroundUpdate= 1\r\n"
    "ShutDownMethod=Using WM_CLOSE\r\n"
    "RestartProcess=1\r\n"
    "RunningProcess=<InstallDir>\\MyApp.exe\r\n"
    "ProgramName=My App 2\r\n"
    "VersionNew=5\r\n"
    "Stamp=43\r\n"
    "ValidVersions=3, 4\r\n"
    "RemoveStartUpShortcut=1\r\n"
    "[General]\r\n"
    "AutoInform=1\r\n"
    "[AutoInform]\r\n"
    "NameOfInformFile=News.txt\r\n"
    "AutoInformW=500\r\n";

class UpdateFilesOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testkit::MakeScratchFolder("updatefiles");
    scope_ = std::make_unique<AgentFilesScope>(au::SystemIniAccess(), folder_, &descriptor_);
  }
  void TearDown() override {
    scope_.reset();
    testkit::DeleteTree(folder_);
  }

  std::string Original() const { return folder_ + "\\E2E.original"; }
  std::string Info() const { return folder_ + "\\E2E.beta.info"; }
  static std::string Raw(const std::string& file, const char* section, const char* key) {
    char value[256] = "";
    ::GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, file.c_str());
    return value;
  }

  std::string folder_;
  TGFileInfo descriptor_ = AgentDescriptor();

 private:
  std::unique_ptr<AgentFilesScope> scope_;
};

TEST_F(UpdateFilesOnDisk, BothFilesLieInTheAgentFolder) {
  EXPECT_EQ(Original(), au::GetOriginalPath());
  EXPECT_EQ(Info(), au::GetInfoPath());
}

TEST_F(UpdateFilesOnDisk, OriginalFileReadsEveryTypedKey) {
  ASSERT_TRUE(testkit::WriteWholeFile(Original(), kOriginalText));
  EXPECT_EQ(86400, au::original::ProbeSecondsInterval());
  EXPECT_EQ(3603172023, au::original::ProbeSecondsLast());
  EXPECT_EQ(-1, au::original::ReAskSecondsInterval());
  EXPECT_EQ(8589934592, au::original::ReAskSecondsLast());
  EXPECT_EQ(3, au::original::VersionOriginal()) << "the low 32 bits";
  EXPECT_EQ(42, au::original::Stamp()) << "the system drops the blanks around a value";
  EXPECT_EQ("My App", au::original::ProgramName());
  EXPECT_EQ("C:\\Program Files\\My App", au::original::TargetDir());
  EXPECT_EQ("C:\\Common", au::original::SharedDir());
  EXPECT_EQ("", au::original::AuxiliaryDir());
  EXPECT_EQ("C:\\Links\\My App.lnk", au::original::StartUpLink());
  EXPECT_EQ("C:\\Links\\Check.lnk", au::original::CheckforNewUpdateLink());
  EXPECT_EQ("Fehler", au::original::Error());
  EXPECT_EQ("Confirm", au::original::Confirm());
  EXPECT_EQ("|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|", au::original::BtnText());
  EXPECT_EQ(177, au::original::CharSet());
  EXPECT_EQ("Arial", au::original::FontName());
  EXPECT_EQ(8, au::original::FontSize()) << "not a number: the default";
  EXPECT_EQ("Abgebrochen!", au::ReadAUText("s3"));
  EXPECT_EQ("File not Found!", au::ReadAUText("s4"));
  EXPECT_EQ("<B>PROG_NAME</B> has an update.", au::ReadAUText("S11", ""));
  EXPECT_EQ("", au::ReadAUText("s12"));
}

TEST_F(UpdateFilesOnDisk, InfoFileReadsEveryTypedKey) {
  ASSERT_TRUE(testkit::WriteWholeFile(Info(), kInfoText));
  EXPECT_EQ("http://example.com/up", au::info::DownloadURL_UPDATE());
  EXPECT_EQ("Update.exe", au::info::NameOfUpdateFile());
  EXPECT_EQ(123456, au::info::SizeOfUpdateFile());
  EXPECT_EQ("Using WM_CLOSE", au::info::ShutDownMethod());
  EXPECT_EQ("<InstallDir>\\MyApp.exe", au::info::RunningProcess());
  EXPECT_EQ("My App 2", au::info::ProgramName());
  EXPECT_EQ(5, au::info::VersionNew());
  EXPECT_EQ(43, au::info::Stamp());
  EXPECT_EQ("3, 4", au::info::ValidVersions()) << "the blank is part of the item";
  EXPECT_TRUE(au::IsAutoInform());
  EXPECT_EQ("", au::info::DownloadURL_INFORM());
  EXPECT_EQ("News.txt", au::info::NameOfInformFile());
  EXPECT_EQ(0, au::info::SizeOfInformFile());
  EXPECT_EQ(500, au::info::AutoInformW());
  EXPECT_EQ(360, au::info::AutoInformH());
}

TEST_F(UpdateFilesOnDisk, FlagsAreTrueOnlyForTheTextOne) {
  ASSERT_TRUE(testkit::WriteWholeFile(Info(), kInfoText));
  EXPECT_FALSE(au::info::RequestConfirmationBeforeDownload()) << "yes";
  EXPECT_FALSE(au::info::RequestConfirmationBeforeDownloadForce()) << "a quoted \" 1\"";
  EXPECT_TRUE(au::info::RequestConfirmationBeforeInstall()) << "1";
  EXPECT_FALSE(au::info::RequestConfirmationBeforeInstallForce()) << "0";
  // Unquoted, the system hands over the value without the blank.
  EXPECT_TRUE(au::info::BackgroundUpdate()) << "= 1";
  EXPECT_TRUE(au::info::RestartProcess());
  EXPECT_FALSE(au::info::InformFinish()) << "absent";
  EXPECT_TRUE(au::info::RemoveStartUpShortcut());
  EXPECT_FALSE(au::info::RemoveCheckForNewUpdateShortcut());

  au::SetTransientFlagByControlCode(25, 0);  // RestartProcess
  au::SetTransientFlagByControlCode(21, 1);  // RequestConfirmationBeforeDownload
  EXPECT_FALSE(au::info::RestartProcess()) << "an override of 0 beats the key's 1";
  EXPECT_TRUE(au::info::RequestConfirmationBeforeDownload());
  au::SetTransientFlag(au::tfRestartProcess, 255);
  EXPECT_TRUE(au::info::RestartProcess()) << "255 leaves the key in force";
}

TEST_F(UpdateFilesOnDisk, TimeStampsAreWrittenWithTheirReadableCopies) {
  ASSERT_TRUE(testkit::WriteWholeFile(Original(), kOriginalText));
  EXPECT_TRUE(au::original::SetProbeSecondsLast(3603172023 + 86400));
  EXPECT_TRUE(au::original::SetReAskSecondsLast(0));
  EXPECT_EQ(3603172023 + 86400, au::original::ProbeSecondsLast());
  EXPECT_EQ("06-MAR-2014 09:07:03", Raw(Original(), "OriginalSetup", "__ProbeSecondsLast"));
  EXPECT_EQ(0, au::original::ReAskSecondsLast());
  EXPECT_EQ("30-DEC-1899 00:00:00", Raw(Original(), "OriginalSetup", "__ReAskSecondsLast"));
  // The rest of the file is untouched.
  EXPECT_EQ("My App", au::original::ProgramName());
  EXPECT_EQ("Abgebrochen!", au::ReadAUText("s3"));
}

TEST_F(UpdateFilesOnDisk, WritersStoreDecimalTextAndEveryReadSeesIt) {
  ASSERT_TRUE(testkit::WriteWholeFile(Original(), kOriginalText));
  EXPECT_EQ(3, au::original::VersionOriginal());
  EXPECT_TRUE(au::original::SetVersionOriginal(5));
  EXPECT_TRUE(au::original::SetStamp(-7));
  EXPECT_TRUE(au::original::SetProbeSecondsInterval(-1));
  EXPECT_TRUE(au::original::SetReAskSecondsInterval(3600));
  EXPECT_EQ("5", Raw(Original(), "OriginalSetup", "VersionOriginal"));
  EXPECT_EQ("-7", Raw(Original(), "OriginalSetup", "Stamp"));
  EXPECT_EQ(5, au::original::VersionOriginal());
  EXPECT_EQ(-7, au::original::Stamp());
  EXPECT_EQ(-1, au::original::ProbeSecondsInterval());
  EXPECT_EQ(3600, au::original::ReAskSecondsInterval());
  EXPECT_EQ("<absent>", Raw(Info(), "NewSetup", "Stamp")) << "the .info file is never written";

  // Another program replaces the file: the next read sees the new one.
  ASSERT_TRUE(testkit::WriteWholeFile(Original(), "[OriginalSetup]\r\nVersionOriginal=9\r\n"));
  EXPECT_EQ(9, au::original::VersionOriginal());
  EXPECT_EQ("", au::original::ProgramName());
}

TEST_F(UpdateFilesOnDisk, MissingFilesReadAsDefaultsAndWritesThereFailQuietly) {
  EXPECT_EQ(0, au::original::VersionOriginal());
  EXPECT_EQ(0, au::info::VersionNew());
  EXPECT_EQ("Tahoma", au::original::FontName());
  EXPECT_EQ(360, au::info::AutoInformH());
  EXPECT_FALSE(au::IsAutoInform());
  EXPECT_FALSE(au::info::RequestConfirmationBeforeInstall());

  au::SetAgentFolder(folder_ + "\\no such folder");
  EXPECT_FALSE(au::original::SetProbeSecondsLast(1));
  EXPECT_FALSE(au::original::SetVersionOriginal(1));
  EXPECT_FALSE(testkit::PathExists(folder_ + "\\no such folder"));
}

TEST_F(UpdateFilesOnDisk, NowSecondsIsTheLocalClock) {
  auto stampOf = [](const SYSTEMTIME& t) {
    au::LocalDateTime d;
    d.Year = t.wYear, d.Month = t.wMonth, d.Day = t.wDay;
    d.Hour = t.wHour, d.Minute = t.wMinute, d.Second = t.wSecond;
    return au::SecondsSince1899(d);
  };
  SYSTEMTIME before, after;
  ::GetLocalTime(&before);
  const int64_t now = au::NowSeconds();
  ::GetLocalTime(&after);
  EXPECT_GE(now, stampOf(before));
  EXPECT_LE(now, stampOf(after) + 1) << "at most rounded up to the next second";
}

}  // namespace
