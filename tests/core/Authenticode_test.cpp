// A setup that stubpack wrote stays a setup after it is Authenticode-signed: osslsigncode signs
// it with a throw-away certificate made at test time and accepts the signature, and the stub's
// readers still find the whole package before the signature, which the PackageEnd words mark.
#include <gtest/gtest.h>

#include <string>

#include "MinimalProgram.h"
#include "PackReadout.h"
#include "ShellTools.h"
#include "StubpackHarness.h"
#include "pack/ByteSource.h"
#include "pack/GFileInfo.h"
#include "pack/PESecurityDirectory.h"
#include "pack/PackFormat.h"
#include "stub/WebSetup.h"

namespace {

using namespace stubpacktest;
using shelltools::Quote;

class Authenticode : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    for (const char* tool : {"openssl", "osslsigncode"})
      if (!shelltools::Have(tool)) GTEST_SKIP() << "no " << tool << " command (scripts/deps)";
    // A self-signed code-signing certificate, for this test only.
    ASSERT_EQ(0, shelltools::Run("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=StubTest"
                     " -addext extendedKeyUsage=codeSigning -keyout " +
                     Quote(s_.Path("cert.key")) + " -out " + Quote(s_.Path("cert.pem")) +
                     " 2>/dev/null"));
  }

  // With a chain of further certificates (made from the same key: only their bytes matter), as a
  // certificate chain makes the signature larger.
  int Sign(const std::string& in, const std::string& out, unsigned chainCertificates = 0) {
    std::string chain;
    if (chainCertificates > 0) {
      const std::string file = s_.Write("chain.pem", "");
      for (unsigned i = 1; i <= chainCertificates; ++i)
        if (shelltools::Run("openssl req -x509 -key " + Quote(s_.Path("cert.key")) +
                            " -days 2 -subj '/CN=StubTest Chain " + std::to_string(i) + "' >>" +
                            Quote(file) + " 2>/dev/null") != 0)
          return -1;
      chain = " -ac " + Quote(file);
    }
    return shelltools::Run("osslsigncode sign -certs " + Quote(s_.Path("cert.pem")) + " -key " +
               Quote(s_.Path("cert.key")) + chain + " -h sha256 -n StubTest -in " + Quote(in) +
               " -out " + Quote(out) + " >/dev/null");
  }

  int Verify(const std::string& file) {
    return shelltools::Run("osslsigncode verify -CAfile " + Quote(s_.Path("cert.pem")) + " -in " +
               Quote(file) + " >/dev/null");
  }

  Scratch s_;
};

TEST_P(Authenticode, ASignedSetupKeepsItsPackageAndItsSignatureVerifies) {
  const std::string setup = s_.Path("Setup.exe"), signedSetup = s_.Path("Signed.exe");
  const std::string data = s_.Write("data.bin", RandomBytes(20000, 11));
  const CliResult built =
      Stubpack({"build", "--stub", s_.Write("stub.exe", testimg::MinimalProgram(GetParam())),
                "--out", setup, "--web-url", "http://w", "--web-file", "Full.exe", data});
  ASSERT_EQ(0, built.code) << built.err;
  ASSERT_EQ(0, Sign(setup, signedSetup));
  EXPECT_EQ(0, Verify(signedSetup));
  EXPECT_NE(0, Verify(setup)) << "the unsigned setup has no signature to accept";

  const std::string before = ReadFile(setup), after = ReadFile(signedSetup);
  ASSERT_GT(after.size(), before.size());
  pack::SecurityDirectory signature;
  ASSERT_TRUE(pack::FindSecurityDirectory(after, signature));
  EXPECT_GE(signature.offset, before.size()) << "the signature follows the package";
  EXPECT_EQ(after.size(), uint64_t{signature.offset} + signature.size);

  // The stub's descriptor and the inspector read the package as before the signing.
  const TGFileInfo info(signedSetup);
  ASSERT_TRUE(info.HasPackage());
  EXPECT_EQ(TGFileInfo(setup).PackageStart(), info.PackageStart());
  EXPECT_EQ("Full.exe", info.GetWebSetupFileName());
  stubpack::PackageReport report;
  std::string error;
  ASSERT_TRUE(stubpack::InspectPackage(signedSetup, report, error)) << error;
  EXPECT_EQ(before.size(), report.volumes[0].packageEnd);
  EXPECT_TRUE(report.volumes[0].checksummed && report.volumes[0].checksumPasses)
      << "the volume checksum skips what signing changes";
  ASSERT_EQ(1u, report.files.size());
  EXPECT_EQ(ReadFile(data).size(), report.files[0].size);

  // The web installer's agent copy of the signed file is an unsigned program again: no
  // signature, no directory entry, and otherwise the copy the unsigned file would give.
  const std::string copy = stubsetup::WebAgentCopyImage(after);
  std::string expected = stubsetup::WebAgentCopyImage(before);
  ASSERT_EQ(expected.size(), copy.size());
  ASSERT_TRUE(pack::FindSecurityDirectory(copy, signature));
  EXPECT_EQ(0u, signature.offset + signature.size);
  // Signing leaves its own PE checksum, which no program file of a user needs to be right.
  expected.replace(testimg::kCheckSumField, 4, copy, testimg::kCheckSumField, 4);
  EXPECT_TRUE(expected == copy);
}

TEST_P(Authenticode, TheWebAgentCopyOfASetupWithALargeSignatureIsTheUnsignedSetup) {
  const std::string setup = s_.Path("Setup.exe"), signedSetup = s_.Path("Signed.exe");
  const CliResult built =
      Stubpack({"build", "--stub", s_.Write("stub.exe", testimg::MinimalProgram(GetParam())),
                "--out", setup, "--web-url", "http://w", "--web-file", "Full.exe",
                s_.Write("data.bin", RandomBytes(3000, 12))});
  ASSERT_EQ(0, built.code) << built.err;
  // A chain of certificates, as a timestamp or dual signing also give: 10000 bytes and more.
  ASSERT_EQ(0, Sign(setup, signedSetup, 16));
  ASSERT_EQ(0, Verify(signedSetup));
  const std::string before = ReadFile(setup), after = ReadFile(signedSetup);
  pack::SecurityDirectory signature;
  ASSERT_TRUE(pack::FindSecurityDirectory(after, signature));
  ASSERT_GE(signature.size, 10000u);

  const std::string copy = stubsetup::WebAgentCopyImage(after);
  ASSERT_EQ(before.size(), copy.size());
  ASSERT_TRUE(pack::FindSecurityDirectory(copy, signature));
  EXPECT_EQ(0u, signature.offset + signature.size);
  TGFileInfo agent;
  agent.Create(pack::MemorySource(copy));
  ASSERT_TRUE(agent.HasPackage());
  EXPECT_TRUE(agent.ThisIs_AutoUpdateProg());
  EXPECT_EQ("Full.exe", agent.GetWebSetupFileName());
  std::string expected = before;
  expected[expected.size() - 5] = 1;
  expected.replace(testimg::kCheckSumField, 4, copy, testimg::kCheckSumField, 4);
  EXPECT_TRUE(expected == copy);
}

INSTANTIATE_TEST_SUITE_P(Stubs, Authenticode, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("PE32Plus") : std::string("PE32");
                         });

}  // namespace
