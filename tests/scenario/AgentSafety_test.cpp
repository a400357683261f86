// An installed agent that meets odd and hostile unsigned publications, and real trouble on the
// way, with the real programs: it never harms the installation, a publication whose file did
// not arrive is offered again, and the next good publication installs.
#include <gtest/gtest.h>

#include "BoxDriver.h"
#include "PublishedUpdate.h"
#include "sys/ScopedHandle.h"

namespace scenario {
namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Checked only when the user asks, so that each publication is looked at exactly once.
const char kAskedOriginal[] =
    "[OriginalSetup]\r\nVersionOriginal=1\r\nProbeSecondsInterval=-1\r\nReAskSecondsInterval=0\r\n"
    "ProgramName=Tool\r\n"
    "[AutoUpdate]\r\ns16=PROG_NAME was updated.\r\ns21=There is no newer version.\r\n"
    "s22=Look for a new version of PROG_NAME?\r\n";
// Checked every second, silently; a handled publication is never offered again.
const char kScheduledOriginal[] =
    "[OriginalSetup]\r\nVersionOriginal=1\r\nProbeSecondsInterval=1\r\nReAskSecondsInterval=0\r\n"
    "ProgramName=Tool\r\n";

class AgentSafety : public PublishedUpdate {
 protected:
  // The running transient copy, started as the product starts it.
  uint32_t StartAgent() {
    EXPECT_TRUE(RunPlainAgent("/DELAY=0").ended);
    return ProcessOf(WaitForXCopy());
  }
  void UserChecks(uint32_t copy) {
    ASSERT_TRUE(RunPlainAgent("/TEST=2").ended);
    Answer(copy, "Look for a new version of Tool?", "Yes");
  }
  void PublishInfo(const std::string& text) {
    ASSERT_TRUE(testkit::WriteWholeFile(WebFolder() + "\\Tool.info", text));
  }
  bool Installed() const {
    return testkit::BecomesTrue([&] { return Original("VersionOriginal") == "2"; }) &&
           testkit::ReadWholeFile(product_ + "\\version2.txt") == "2";
  }
  // An update that installed restarts the agent: its next copy is waited for, so that the end of
  // the test ends it rather than leaving it to start after the test.
  void ExpectInstalledAndRestarted(uint32_t copy) {
    EXPECT_TRUE(Installed()) << AgentLog();
    EXPECT_NE(0u, ReplacementOf(copy)) << viewer_.Text();
  }
};

TEST_F(AgentSafety, AnUpdateNamedLikeTheAgentDeletesNothingAndANameWithAFolderPartInstalls) {
  Install(kAskedOriginal, {"--update-url", UpdateUrl()});
  const uint32_t copy = StartAgent();
  ASSERT_NE(0u, copy);
  const std::string installation[] = {"Tool.exe", "Tool.original", "X_Tool.exe"};

  // "Tool": its download's leftovers would be "Tool.<digits>", never Tool.exe or Tool.original.
  const std::string hostile = "not a program of this product";
  ASSERT_TRUE(testkit::WriteWholeFile(WebFolder() + "\\Tool", hostile));
  PublishInfo("[NewSetup]\r\nDownloadURL_UPDATE=" + UpdateUrl() +
              "\r\nNameOfUpdateFile=Tool\r\nSizeOfUpdateFile=" + std::to_string(hostile.size()) +
              "\r\nVersionNew=2\r\nStamp=11\r\n");
  UserChecks(copy);
  Answer(copy, "Bad Secret Token!", "OK");
  for (const std::string& name : installation)
    EXPECT_TRUE(testkit::PathExists(product_ + "\\" + name)) << name;
  EXPECT_FALSE(testkit::PathExists(product_ + "\\Tool"));

  // The next good publication, its file named with a folder part, installs.
  const std::string update = testkit::ReadWholeFile(BuildUpdate());
  Publish(update, "");
  PublishInfo("[NewSetup]\r\nDownloadURL_UPDATE=" + UpdateUrl() +
              "\r\nNameOfUpdateFile=v2\\Update2.exe\r\nSizeOfUpdateFile=" +
              std::to_string(update.size()) + "\r\nVersionNew=2\r\nStamp=12\r\n");
  UserChecks(copy);
  Answer(copy, "was updated.", "OK");
  ExpectInstalledAndRestarted(copy);
  EXPECT_FALSE(testkit::PathExists(product_ + "\\Update2.exe"));
}

TEST_F(AgentSafety, AnUpdatePublishedInTheAgentFolderItselfInstalls) {
  Install(kAskedOriginal, {"--update-url", UpdateUrl()});
  const uint32_t copy = StartAgent();
  ASSERT_NE(0u, copy);
  const std::string update = testkit::ReadWholeFile(BuildUpdate());
  ASSERT_TRUE(testkit::WriteWholeFile(product_ + "\\Update2.exe", update));
  PublishInfo("[NewSetup]\r\nDownloadURL_UPDATE=" + product_ +
              "\r\nNameOfUpdateFile=Update2.exe\r\nSizeOfUpdateFile=" +
              std::to_string(update.size()) + "\r\nVersionNew=2\r\nStamp=5\r\n");
  UserChecks(copy);
  Answer(copy, "was updated.", "OK");
  ExpectInstalledAndRestarted(copy);
}

TEST_F(AgentSafety, AnInfoFileThatCannotBeReplacedIsAFailedFetchNotTheOldFilesDecision) {
  Install(kAskedOriginal, {"--update-url", UpdateUrl()});
  const uint32_t copy = StartAgent();
  ASSERT_NE(0u, copy);
  const std::string update = testkit::ReadWholeFile(BuildUpdate());
  Publish(update, UpdateInfoText(update, "VersionNew=2\r\nStamp=5\r\n"));
  {
    // A local user holds the agent's copy of the .info file open, sharing reading only.
    const std::string info = product_ + "\\Tool.info";
    ASSERT_TRUE(testkit::WriteWholeFile(info, "[NewSetup]\r\nVersionNew=1\r\n"));
    sys::ScopedFileHandle held(::CreateFileA(info.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    UserChecks(copy);
    Answer(copy, "Unable to replace", "OK");
  }
  EXPECT_FALSE(testkit::PathExists(product_ + "\\version2.txt"));
  EXPECT_EQ("1", Original("VersionOriginal"));

  // Let go, the same publication installs.
  UserChecks(copy);
  Answer(copy, "was updated.", "OK");
  ExpectInstalledAndRestarted(copy);
}

TEST_F(AgentSafety, APublicationWhoseDownloadWasCutIsOfferedAgainAtTheNextCheck) {
  if (!servers_.faults) GTEST_SKIP() << "the local test servers are not running";
  Install(kScheduledOriginal, {"--update-url", UpdateUrl()});
  const std::string update = testkit::ReadWholeFile(BuildUpdate());
  Publish(update, "");
  // The connection breaks after half of the announced 1000 bytes, at every try.
  const std::string cut = servers_.Url(servers_.faults, "/cut");
  PublishInfo("[NewSetup]\r\nDownloadURL_UPDATE=" + cut +
              "\r\nNameOfUpdateFile=Update2.exe\r\nSizeOfUpdateFile=1000\r\nVersionNew=2\r\n"
              "Stamp=5\r\n");
  const uint32_t copy = StartAgent();
  ASSERT_NE(0u, copy);
  // Each failed download leaves the publication unhandled: the next check offers it again.
  ASSERT_TRUE(testkit::BecomesTrue([&] { return Count(AgentLog(), "GetOkToPerformAU = 6") >= 2; }))
      << AgentLog();
  EXPECT_FALSE(testkit::PathExists(product_ + "\\version2.txt"));

  // The publisher mends the address, under the same stamp: the next check installs it.
  Publish(update, UpdateInfoText(update, "VersionNew=2\r\nStamp=5\r\n"));
  ExpectInstalledAndRestarted(copy);
  EXPECT_EQ("5", Original("Stamp"));
}

}  // namespace
}  // namespace scenario
