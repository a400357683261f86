// The system's verification against signatures and checksums made by OpenSSL on the build
// machine (tests/signing/make-vectors), and the checks the agent and the web installer apply.
#include <gtest/gtest.h>

#include "Processes.h"
#include "pack/PublishedCheck.h"
#include "sys/EcdsaP256.h"

namespace {

std::string Vector(const std::string& name) {
  return testkit::ReadWholeFile(testkit::HostPathToWindows(SIGNING_DIR_UNIX_PATH) + "\\" + name);
}

class SignatureCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    key_ = Vector("publisher.txt");
    message_ = Vector("message.info");
    signature_ = Vector("message.info.sig");
    ASSERT_FALSE(key_.empty() || message_.empty() || signature_.empty())
        << "no vectors in " << SIGNING_DIR_UNIX_PATH;
  }
  std::string key_, message_, signature_;
};

TEST_F(SignatureCheck, OpenSslSignatureVerifiesAndEveryChangeFails) {
  EXPECT_EQ(pack::CheckVerdict::kVerified, pack::VerifySignedContent(key_, message_, &signature_));

  std::string changed = message_;
  changed[changed.size() / 2] ^= 1;
  std::string badSignature = signature_;
  badSignature.back() ^= 1;
  const std::string stranger = Vector("stranger.sig");
  std::string otherKey = key_;
  otherKey[10] = otherKey[10] == '0' ? '1' : '0';  // most likely off the curve, refused either way
  struct {
    const char* what;
    std::string key, content;
    const std::string* signature;
    pack::CheckVerdict expected;
  } const cases[] = {
      {"content changed", key_, changed, &signature_, pack::CheckVerdict::kBadSignature},
      {"signature changed", key_, message_, &badSignature, pack::CheckVerdict::kBadSignature},
      {"another key's signature", key_, message_, &stranger, pack::CheckVerdict::kBadSignature},
      {"another public key", otherKey, message_, &signature_, pack::CheckVerdict::kBadSignature},
      {"no signature", key_, message_, nullptr, pack::CheckVerdict::kNoSignature},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, pack::VerifySignedContent(c.key, c.content, c.signature)) << c.what;
}

TEST_F(SignatureCheck, ChecksumsMatchOpenSsl) {
  EXPECT_EQ(Vector("message.sha256"), sys::Sha256Text(sys::Sha256Of(message_)));
  const std::string big = testkit::HostPathToWindows(SIGNING_DIR_UNIX_PATH) + "\\big.bin";
  const pack::FileSource file(big);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(pack::CheckVerdict::kVerified,
            pack::CheckPublishedChecksum(true, Vector("big.sha256"), file));
  EXPECT_EQ(pack::CheckVerdict::kChecksumMismatch,
            pack::CheckPublishedChecksum(true, Vector("message.sha256"), file));
}

}  // namespace
