// The rules of a web setup that need no network: the agent copy made from the running file, the
// download question with the size, and where the setup file comes from.
#include <gtest/gtest.h>

#include <string>

#include "MinimalProgram.h"
#include "PackageImage.h"
#include "lang/LangStrings.h"
#include "pack/GFileInfo.h"
#include "pack/PESecurityDirectory.h"
#include "stub/WebSetup.h"
#include "sys/Sha256.h"

namespace {

TGFileInfo WebStub(const std::string& webSetupInfo) {
  testimg::Package p;
  p.version = 3;
  p.webSetupInfo = webSetupInfo;
  p.trailer.bytes[pack::at::IsWebSetup] = 1;
  TGFileInfo info;
  info.Create(pack::MemorySource(p.Build()));
  return info;
}

// A web stub as stubpack writes it (package end recorded or not) and, after it, a signature of
// signature bytes that its security directory entry points at, as a signing tool appends it.
struct SignedStub {
  std::string package, image;
};

SignedStub SignStub(size_t signature, bool packageEnd, bool directory) {
  testimg::Package p;
  p.program = testimg::MinimalProgram(false);
  p.version = 3;
  p.entries = "";  // a web stub carries no files
  p.setPackageEnd = packageEnd;
  SignedStub stub;
  stub.package = p.Build();
  stub.image = stub.package;
  if (directory) {
    const size_t entry = testimg::SecurityEntryOffset(false);
    testimg::PutLE32(stub.image, entry, static_cast<uint32_t>(stub.package.size()));
    testimg::PutLE32(stub.image, entry + 4, static_cast<uint32_t>(signature));
  }
  stub.image += std::string(signature, 'S');
  return stub;
}

TEST(WebSetup, TheAgentCopyIsThePackageWithoutItsSignatureMarkedAsAgent) {
  const struct {
    const char* what;
    size_t signature;
    bool packageEnd, directory;
  } cases[] = {
      {"unsigned, package end recorded", 0, true, false},
      {"unsigned, no package end", 0, false, false},
      {"a small tail", 1, true, false},
      {"a small signature", 3000, true, true},
      {"just under 10000 bytes", 9999, true, true},
      {"10000 bytes (a chain with a timestamp)", 10000, true, true},
      {"20000 bytes (dual signing)", 20000, true, true},
      {"no package end: the security directory tells", 20000, false, true},
      {"no package end, a small signature", 300, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const SignedStub stub = SignStub(c.signature, c.packageEnd, c.directory);
    const std::string copy = stubsetup::WebAgentCopyImage(stub.image);
    // The copy is the package as stubpack wrote it, byte for byte, but for trailer byte 69.
    std::string expected = stub.package;
    expected[expected.size() - 5] = 1;
    ASSERT_EQ(expected.size(), copy.size());
    EXPECT_TRUE(expected == copy);
    // So it reads as an auto-update agent and claims no signature.
    pack::TPackTrailer trailer;
    ASSERT_TRUE(TGFileInfo::ReadTrailer(pack::MemorySource(copy), trailer));
    EXPECT_EQ(pack::kMagic, trailer.Word(pack::at::Magic));
    EXPECT_EQ(1, trailer.bytes[pack::at::ThisIs_AutoUpdateProg]);
    pack::SecurityDirectory signature;
    ASSERT_TRUE(pack::FindSecurityDirectory(copy, signature));
    EXPECT_EQ(0u, signature.offset);
    EXPECT_EQ(0u, signature.size);
  }
  // Without a package end or a signature nothing is dropped from a file of any size.
  testimg::Package plain;
  plain.tail = "tail";
  EXPECT_EQ(plain.Build().size(), stubsetup::WebAgentCopyImage(plain.Build()).size());
  EXPECT_EQ("abc", stubsetup::WebAgentCopyImage("abc"));
}

TEST(WebSetup, ASetupFileMustHaveTheChecksumTheStubKeeps) {
  const std::string setupFile = "a setup file's bytes";
  const std::string right = sys::Sha256Text(sys::Sha256Of(setupFile));
  std::string wrong = right;
  wrong[63] = wrong[63] == '0' ? '1' : '0';
  const char* const kRefused =
      "The setup file does not match its published checksum.<P>Nothing was run.";
  const struct {
    const char* what;
    std::string item5, langData;
    pack::CheckVerdict verdict;
    std::string error;
  } cases[] = {
      {"no checksum kept: no check", "", "|", pack::CheckVerdict::kNotRequired, ""},
      {"right checksum", right, "|", pack::CheckVerdict::kVerified, ""},
      {"one digit off", wrong, "|", pack::CheckVerdict::kChecksumMismatch, kRefused},
      {"an item that is no checksum refuses", "bad", "|", pack::CheckVerdict::kNoChecksum,
       kRefused},
      {"the package's own text", wrong, "*|English|s13=Checksum wrong|*",
       pack::CheckVerdict::kChecksumMismatch, "Checksum wrong"},
  };
  for (const auto& c : cases) {
    testimg::Package p;
    p.version = 3;
    p.langData = c.langData;
    p.webSetupInfo = "|http://h/w|S.exe|0||" + std::string("|") + c.item5 + "|";
    TGFileInfo own;
    own.Create(pack::MemorySource(p.Build()));
    lang::ResetLangSectionCache();  // the section is chosen once per process
    pack::CheckVerdict verdict = pack::CheckVerdict::kVerified;
    EXPECT_EQ(c.error,
              stubsetup::SetupChecksumError(own, pack::MemorySource(setupFile), verdict))
        << c.what;
    EXPECT_EQ(c.verdict, verdict) << c.what;
  }
  lang::ResetLangSectionCache();
}

TEST(WebSetup, DownloadQuestionShowsTheSizeInMegabytes) {
  struct Case {
    const char* size;
    const char* shown;
  } cases[] = {{"5242880", "Size: 5.00 MB"}, {"", "Size: 0.000 MB"}, {"many", "Size: 0.000 MB"},
               {"524288", "Size: 0.500 MB"}};
  for (const Case& c : cases) {
    const std::string question =
        stubsetup::DownloadQuestion(WebStub(std::string("|http://h/w|S.exe|0||") + c.size + "|"));
    EXPECT_NE(std::string::npos, question.find(c.shown)) << question;
    EXPECT_EQ(0u, question.find("<b>INTERNET DOWNLOAD</b>"));
  }
}

TEST(WebSetup, ADeclinedDownloadShowsNothingMoreEvenOffline) {
  const TGFileInfo own = WebStub("|http://h/w|S.exe|0||5242880|");
  const std::string offline = "No valid Internet Connection.<p>Can not Download File!";
  const struct {
    const char* what;
    bool declined, connected;
    std::string reason, error;
  } cases[] = {
      {"declined while offline", true, false, "no route", stubsetup::kDownloadDeclined},
      {"declined while online", true, true, "", stubsetup::kDownloadDeclined},
      {"offline, with the system's reason", false, false, "no route",
       offline + "<P><P>no route"},
      {"offline, no reason given", false, false, "", offline},
      {"online", false, true, "", ""},
  };
  lang::ResetLangSectionCache();
  for (const auto& c : cases)
    EXPECT_EQ(c.error, stubsetup::DownloadStartError(own, c.declined, c.connected, c.reason))
        << c.what;
}

TEST(WebSetup, ALocalSetupFileIsUsedUnlessTheStubMustDownload) {
  const TGFileInfo may = WebStub("|http://h/w|S.exe|0|||"), must = WebStub("|http://h/w|S.exe|1|||");
  EXPECT_EQ("D:\\Disk", stubsetup::WebSetupSource(may, "D:\\Disk", true));
  EXPECT_EQ("http://h/w", stubsetup::WebSetupSource(may, "D:\\Disk", false));
  EXPECT_EQ("http://h/w", stubsetup::WebSetupSource(must, "D:\\Disk", true));
  EXPECT_EQ("http://h/w/S.exe", stubsetup::WebSetupUrl("http://h/w", "S.exe"));
}

}  // namespace
