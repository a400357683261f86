// Updates and notices of a product whose package carries its publisher's public key: the agent
// takes only a .info file signed by that key, and runs or shows only the file whose checksum the
// signed .info file publishes. Every forgery is answered like a failed fetch: nothing runs,
// nothing is shown, the fetched file is gone and the user who asked for the check is told.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "BoxDriver.h"
#include "PublishedUpdate.h"
#include "TestSigner.h"
#include "pack/GFileInfo.h"
#include "pack/Scramble.h"
#include "sys/Sha256.h"

namespace scenario {
namespace {

// Checked only when the user asks, so that each publication below is looked at exactly once.
const char kOriginal[] =
    "[OriginalSetup]\r\nVersionOriginal=1\r\nProbeSecondsInterval=-1\r\nReAskSecondsInterval=0\r\n"
    "ProgramName=Tool\r\n"
    "[AutoUpdate]\r\ns16=PROG_NAME was updated.\r\ns21=There is no newer version.\r\n"
    "s22=Look for a new version of PROG_NAME?\r\ns34=News of Tool\r\n";
constexpr const char* kUnverified = "could not be verified";
constexpr const char* kInformClass = "KoRichEditBox";

// What a publisher puts on the server, before a forger gets at it.
struct Publication {
  std::string update, info, signature;
  bool withSignature = true;
};

std::string Checksum(const std::string& bytes) { return sys::Sha256Text(sys::Sha256Of(bytes)); }

void ChangeOneByte(std::string& bytes, size_t at) { bytes[at] = static_cast<char>(bytes[at] ^ 1); }

class SignedUpdate : public PublishedUpdate {
 protected:
  void SetUp() override {
    PublishedUpdate::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(publisher_.ok() && stranger_.ok()) << "the system makes no ECDSA keys";
  }

  void InstallSigned() {
    Install(kOriginal, {"--update-url", UpdateUrl(), "--update-public-key",
                        publisher_.PublicKeyText()});
  }

  // Version 2 offered with the given stamp and version, the .info file signed by the publisher;
  // extraKeys (whole lines) follow.
  Publication SignedOffer(const std::string& update, int stamp, int version,
                          const std::string& extraKeys = "") const {
    Publication p;
    p.update = update;
    p.info = UpdateInfoText(update, "UpdateFileSHA256=" + Checksum(update) +
                                        "\r\nVersionNew=" + std::to_string(version) +
                                        "\r\nStamp=" + std::to_string(stamp) + "\r\n" +
                                        extraKeys);
    p.signature = publisher_.Sign(p.info);
    return p;
  }

  void Put(const Publication& p) {
    Publish(p.update, p.info);
    const std::string sig = WebFolder() + "\\Tool.info.sig";
    if (p.withSignature)
      ASSERT_TRUE(testkit::WriteWholeFile(sig, p.signature));
    else
      ::DeleteFileA(sig.c_str());
  }

  // The user asks the running copy for a check and says yes to it.
  void UserChecks(uint32_t copy) {
    ASSERT_TRUE(RunPlainAgent("/TEST=2").ended);
    Answer(copy, "Look for a new version of Tool?", "Yes");
  }

  // The update's bytes, its package carrying the key of signer (none when null).
  std::string UpdateSignedBy(const testkit::TestSigner* signer) {
    std::vector<std::string> options;
    if (signer) options = {"--update-public-key", signer->PublicKeyText()};
    return testkit::ReadWholeFile(BuildUpdate(options));
  }

  bool LogSays(const std::string& text) const {
    return testkit::BecomesTrue([&] { return AgentLog().find(text) != std::string::npos; });
  }

  // The user asks for a check of what is put up and is told that it could not be verified; the
  // log says why, nothing ran and version 1 stays.
  void ExpectRefused(uint32_t copy, const char* logged) {
    UserChecks(copy);
    Answer(copy, kUnverified, "OK");
    EXPECT_TRUE(LogSays(logged)) << AgentLog();
    EXPECT_FALSE(testkit::PathExists(product_ + "\\version2.txt"));
    EXPECT_FALSE(testkit::PathExists(product_ + "\\Update2.exe"));
    EXPECT_EQ("1", Original("VersionOriginal"));
  }

  testkit::TestSigner publisher_, stranger_;
};

TEST_F(SignedUpdate, ForgeriesRunNothingAndTheSignedUpdateInstallsButCannotBeRolledBack) {
  InstallSigned();
  ASSERT_TRUE(RunPlainAgent("/DELAY=0").ended);
  const uint32_t copy = ProcessOf(WaitForXCopy());
  ASSERT_NE(0u, copy);
  const std::string update = UpdateSignedBy(&publisher_);
  // A byte of the DOS stub area, which no one reads: the file still runs and keeps its token.
  constexpr size_t kUnusedByte = 128;

  struct Forgery {
    const char* what;
    std::function<void(Publication&)> forge;
    const char* logged;
  };
  const Forgery forgeries[] = {
      {"no signature", [](Publication& p) { p.withSignature = false; }, "signature file missing"},
      {"description changed",
       [](Publication& p) { p.info.replace(p.info.find("VersionNew=2"), 12, "VersionNew=3"); },
       "bad signature"},
      {"signature changed", [](Publication& p) { ChangeOneByte(p.signature, p.signature.size() - 1); },
       "bad signature"},
      {"signed by another key", [&](Publication& p) { p.signature = stranger_.Sign(p.info); },
       "bad signature"},
      // The token is untouched: only the published checksum tells this file from the signed one.
      {"update file changed", [&](Publication& p) { ChangeOneByte(p.update, kUnusedByte); },
       "checksum mismatch"},
  };
  int stamp = 10;
  for (const Forgery& forgery : forgeries) {
    SCOPED_TRACE(forgery.what);
    Publication p = SignedOffer(update, ++stamp, 2);
    forgery.forge(p);
    Put(p);
    ExpectRefused(copy, forgery.logged);
  }

  // As signed, it installs; the user is told, and the agent restarts itself.
  Put(SignedOffer(update, ++stamp, 2));
  UserChecks(copy);
  Answer(copy, "was updated.", "OK");
  EXPECT_EQ("2", testkit::ReadWholeFile(product_ + "\\version2.txt"));
  EXPECT_EQ("2", Original("VersionOriginal"));
  EXPECT_FALSE(testkit::PathExists(product_ + "\\Update2.exe"));

  // A validly signed description of an older version is refused by the version rule.
  const uint32_t next = ReplacementOf(copy);
  ASSERT_NE(0u, next) << viewer_.Text();
  Put(SignedOffer(update, ++stamp, 1));
  UserChecks(next);
  Answer(next, "There is no newer version.", "OK");
  EXPECT_TRUE(LogSays("GetOkToPerformAU = 3 - New version is not higher then old version"))
      << AgentLog();
  EXPECT_EQ("2", Original("VersionOriginal"));
}

// The update installs the next agent, which checks the following updates with its own package's
// key: an update without a key, or with one that the signed .info file does not name, runs not.
TEST_F(SignedUpdate, UpdateMustCarryTheInstallationsKeyOrTheNamedNewOne) {
  InstallSigned();
  ASSERT_TRUE(RunPlainAgent("/DELAY=0").ended);
  const uint32_t copy = ProcessOf(WaitForXCopy());
  ASSERT_NE(0u, copy);
  const std::string unsignedUpdate = UpdateSignedBy(nullptr);
  const std::string strangerUpdate = UpdateSignedBy(&stranger_);
  const std::string namesStranger = "UpdatePublicKeyNew=" + stranger_.PublicKeyText() + "\r\n";

  const struct {
    const char* what;
    const std::string& update;
    std::string extraKeys;
    const char* logged;
  } refusals[] = {
      {"no key", unsignedUpdate, "", "carries no public key"},
      {"no key, the stranger's named", unsignedUpdate, namesStranger, "carries no public key"},
      {"the stranger's key, not named", strangerUpdate, "", "the description does not name"},
  };
  int stamp = 10;
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.what);
    Put(SignedOffer(refusal.update, ++stamp, 2, refusal.extraKeys));
    ExpectRefused(copy, refusal.logged);
  }

  // Named in the .info file signed with the installation's key, the new key takes over.
  Put(SignedOffer(strangerUpdate, ++stamp, 2, namesStranger));
  UserChecks(copy);
  Answer(copy, "was updated.", "OK");
  EXPECT_EQ("2", testkit::ReadWholeFile(product_ + "\\version2.txt"));
  EXPECT_EQ("2", Original("VersionOriginal"));
  EXPECT_EQ(stranger_.PublicKeyText(), TGFileInfo(agent_).GetUpdatePublicKey());
}

TEST_F(SignedUpdate, NoticeIsShownOnlyWithItsPublishedChecksum) {
  InstallSigned();
  ASSERT_TRUE(RunPlainAgent("/DELAY=0").ended);
  const uint32_t copy = ProcessOf(WaitForXCopy());
  ASSERT_NE(0u, copy);
  const std::string notice = "|" + pack::Scramble(kToken, 11) + "|a|b|Version 2 of Tool is out.";
  const std::string info = "[NewSetup]\r\nDownloadURL_UPDATE=" + UpdateUrl() +
                           "\r\nVersionNew=2\r\nStamp=7\r\n[General]\r\nAutoInform=1\r\n"
                           "[AutoInform]\r\nNameOfInformFile=News.txt\r\nSizeOfInformFile=" +
                           std::to_string(notice.size()) + "\r\nInformFileSHA256=" +
                           Checksum(notice) + "\r\n";
  ASSERT_TRUE(testkit::WriteWholeFile(WebFolder() + "\\Tool.info", info));
  ASSERT_TRUE(testkit::WriteWholeFile(WebFolder() + "\\Tool.info.sig", publisher_.Sign(info)));

  // Another text of the same length and token: not shown, and the fetched file is gone.
  std::string forged = notice;
  forged.replace(forged.find("out."), 4, "OUT!");
  ASSERT_TRUE(testkit::WriteWholeFile(WebFolder() + "\\News.txt", forged));
  UserChecks(copy);
  Answer(copy, kUnverified, "OK");
  EXPECT_TRUE(LogSays("checksum mismatch")) << AgentLog();
  EXPECT_FALSE(testkit::PathExists(product_ + "\\News.txt"));
  EXPECT_EQ(nullptr, ::FindWindowA(kInformClass, nullptr));
  EXPECT_EQ("1", Original("VersionOriginal"));

  ASSERT_TRUE(testkit::WriteWholeFile(WebFolder() + "\\News.txt", notice));
  UserChecks(copy);
  const HWND shown = testkit::WaitForWindowOfClass(kInformClass, testkit::kPatienceMs, copy);
  ASSERT_TRUE(shown) << viewer_.Text() << AgentLog();
  testkit::BoxReport report;
  ASSERT_TRUE(testkit::ReadBox(shown, report));
  EXPECT_NE(std::string::npos, report.text.find("Version 2 of Tool is out.")) << report.Describe();
  ::PostMessageA(shown, WM_CLOSE, 0, 0);
  EXPECT_TRUE(testkit::WaitForBoxGone(shown, testkit::kPatienceMs));
}

}  // namespace
}  // namespace scenario
