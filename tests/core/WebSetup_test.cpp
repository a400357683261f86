// The rules of a web setup that need no network: the agent copy made from the running file, the
// download question with the size, and where the setup file comes from.
#include <gtest/gtest.h>

#include <string>

#include "PackageImage.h"
#include "lang/LangStrings.h"
#include "pack/GFileInfo.h"
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

TEST(WebSetup, AgentCopyDropsOnlyAShortTailAndMarksTheAgent) {
  struct Case {
    size_t tail;
    bool dropped;
  } cases[] = {{0, false}, {1, true}, {9999, true}, {10000, false}, {20000, false}};
  for (const Case& c : cases) {
    testimg::Package p;
    p.setPackageEnd = true;
    p.tail = std::string(c.tail, 'S');
    const std::string stub = p.Build();
    const std::string copy = stubsetup::WebAgentCopyImage(stub);
    const size_t kept = c.dropped ? stub.size() - c.tail : stub.size();
    ASSERT_EQ(kept, copy.size()) << c.tail;
    EXPECT_EQ(1, copy[copy.size() - 5]) << c.tail;
    // Everything else is the stub's own bytes.
    std::string expected = stub.substr(0, kept);
    expected[kept - 5] = 1;
    EXPECT_EQ(expected, copy) << c.tail;
  }
  // Without a package end (0) nothing is dropped from a file of any size.
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

TEST(WebSetup, ALocalSetupFileIsUsedUnlessTheStubMustDownload) {
  const TGFileInfo may = WebStub("|http://h/w|S.exe|0|||"), must = WebStub("|http://h/w|S.exe|1|||");
  EXPECT_EQ("D:\\Disk", stubsetup::WebSetupSource(may, "D:\\Disk", true));
  EXPECT_EQ("http://h/w", stubsetup::WebSetupSource(may, "D:\\Disk", false));
  EXPECT_EQ("http://h/w", stubsetup::WebSetupSource(must, "D:\\Disk", true));
  EXPECT_EQ("http://h/w/S.exe", stubsetup::WebSetupUrl("http://h/w", "S.exe"));
}

}  // namespace
