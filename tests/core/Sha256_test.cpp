// SHA-256 against the published known answers, whole and fed in pieces of every kind of size,
// and the text form the packages and description files carry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "sys/Sha256.h"

namespace {

std::string TextOf(const std::string& bytes) { return sys::Sha256Text(sys::Sha256Of(bytes)); }

TEST(Sha256, KnownAnswers) {
  const struct {
    std::string message;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      // 448 bits: the padding no longer fits the first block.
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.digest, TextOf(c.message)) << c.message;
}

TEST(Sha256, AMillionAsInPiecesOfVaryingSizes) {
  const char* const kMillionA = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";
  const std::string million(1000000, 'a');
  EXPECT_EQ(kMillionA, TextOf(million));
  // Pieces that end inside, at and across block boundaries, and empty ones.
  for (const size_t step : {1u, 3u, 55u, 63u, 64u, 65u, 1000u, 4097u}) {
    sys::Sha256 hash;
    size_t fed = 0;
    for (size_t piece = 0; fed < million.size(); ++piece) {
      const size_t n = std::min(million.size() - fed, (piece % 3) * step);  // 0, step, 2 step
      hash.Update(million.data() + fed, n);
      fed += n;
    }
    EXPECT_EQ(kMillionA, sys::Sha256Text(hash.Finish())) << step;
  }
}

TEST(Sha256, TextRoundTripAndRejects) {
  const sys::Sha256Digest digest = sys::Sha256Of("abc");
  sys::Sha256Digest parsed{};
  ASSERT_TRUE(sys::ParseSha256Text(sys::Sha256Text(digest), parsed));
  EXPECT_EQ(digest, parsed);
  std::string upper = sys::Sha256Text(digest);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ASSERT_TRUE(sys::ParseSha256Text(upper, parsed));
  EXPECT_EQ(digest, parsed);
  const std::string good = sys::Sha256Text(digest);
  for (const std::string& bad : {std::string(), good.substr(1), good + "0", "g" + good.substr(1),
                                 " " + good.substr(1), good.substr(0, 63) + "\n"})
    EXPECT_FALSE(sys::ParseSha256Text(bad, parsed)) << bad;
}

}  // namespace
