// What a package's publisher signed, checked as the agent and the web installer check it: real
// signatures made with OpenSSL at test time, and every verdict a check can give.
#include <gtest/gtest.h>

#include <string>

#include "SigningKey.h"
#include "pack/ByteSource.h"
#include "pack/PublishedCheck.h"
#include "sys/Sha256.h"

namespace {

using pack::CheckVerdict;

struct Publisher {
  std::string privatePem, keyText;
};

Publisher MakePublisher() {
  Publisher p;
  sys::EcdsaPublicKey key;
  std::string error;
  EXPECT_TRUE(stubpack::MakeSigningKey(p.privatePem, key, error)) << error;
  p.keyText = sys::EcdsaPublicKeyText(key);
  return p;
}

std::string Sign(const Publisher& p, const std::string& content) {
  std::string der, error;
  sys::EcdsaPublicKey key;
  EXPECT_TRUE(stubpack::SignWithKey(p.privatePem, content, der, key, error)) << error;
  EXPECT_EQ(p.keyText, sys::EcdsaPublicKeyText(key));
  return der;
}

TEST(VerifySignedContent, Verdicts) {
  const Publisher publisher = MakePublisher(), other = MakePublisher();
  const std::string content = "[NewSetup]\r\nVersion=2.0\r\nUpdateFileSHA256=" +
                              std::string(64, 'a') + "\r\n";
  const std::string signature = Sign(publisher, content);
  std::string changed = content;
  changed[12] ^= 1;
  std::string truncated = signature.substr(0, signature.size() - 1);
  const std::string empty;
  const struct {
    const char* what;
    std::string key, content;
    const std::string* signature;
    CheckVerdict verdict;
  } cases[] = {
      {"right key", publisher.keyText, content, &signature, CheckVerdict::kVerified},
      {"one byte changed", publisher.keyText, changed, &signature, CheckVerdict::kBadSignature},
      {"other key", other.keyText, content, &signature, CheckVerdict::kBadSignature},
      {"malformed signature", publisher.keyText, content, &truncated,
       CheckVerdict::kMalformedSignature},
      {"missing signature", publisher.keyText, content, nullptr, CheckVerdict::kNoSignature},
      {"empty signature", publisher.keyText, content, &empty, CheckVerdict::kNoSignature},
      {"no key: nothing required", "", content, nullptr, CheckVerdict::kNotRequired},
      {"key text damaged", publisher.keyText.substr(1), content, &signature,
       CheckVerdict::kBadKey},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.verdict, pack::VerifySignedContent(c.key, c.content, c.signature)) << c.what;
}

TEST(CheckPublishedChecksum, Verdicts) {
  const std::string file(100000, 'u');
  const std::string right = sys::Sha256Text(sys::Sha256Of(file));
  std::string upper = right;
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
  std::string wrong = right;
  wrong[0] = wrong[0] == '0' ? '1' : '0';
  const pack::MemorySource source(file);
  const struct {
    const char* what;
    bool required;
    std::string text;
    CheckVerdict verdict;
  } cases[] = {
      {"right", true, right, CheckVerdict::kVerified},
      {"right, upper case", false, upper, CheckVerdict::kVerified},
      {"one digit off", true, wrong, CheckVerdict::kChecksumMismatch},
      {"one digit off, not required", false, wrong, CheckVerdict::kChecksumMismatch},
      {"none, not required", false, "", CheckVerdict::kNotRequired},
      {"none, required", true, "", CheckVerdict::kNoChecksum},
      {"no checksum text", false, "sha256:" + right, CheckVerdict::kNoChecksum},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.verdict, pack::CheckPublishedChecksum(c.required, c.text, source)) << c.what;

  // A file that cannot be read to its end passes no check.
  const pack::FileSource missing("/nonexistent/setup.exe");
  EXPECT_EQ(CheckVerdict::kUnreadable, pack::CheckPublishedChecksum(true, right, missing));
}

}  // namespace
