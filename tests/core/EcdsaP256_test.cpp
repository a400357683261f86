// The text form of a public key and the strict DER form of a signature: round trips, and every
// kind of malformed input refused.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "sys/EcdsaP256.h"

namespace {

sys::EcdsaPublicKey CountingKey() {
  sys::EcdsaPublicKey key;
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<uint8_t>(i * 37 + 5);
  return key;
}

TEST(EcdsaKeyText, RoundTripInEitherCase) {
  const sys::EcdsaPublicKey key = CountingKey();
  const std::string text = sys::EcdsaPublicKeyText(key);
  ASSERT_EQ(130u, text.size());
  EXPECT_EQ(0u, text.rfind("0405", 0));
  EXPECT_EQ(std::string::npos, text.find_first_not_of("0123456789abcdef"));
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const std::string& given : {text, upper}) {
    sys::EcdsaPublicKey parsed{};
    ASSERT_TRUE(sys::ParseEcdsaPublicKeyText(given, parsed)) << given;
    EXPECT_EQ(key, parsed);
  }
}

TEST(EcdsaKeyText, Rejects) {
  const std::string good = sys::EcdsaPublicKeyText(CountingKey());
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"one digit short", good.substr(0, 129)},
      {"one digit more", good + "0"},
      {"compressed form", "02" + good.substr(2, 64)},
      {"no 04", "05" + good.substr(2)},
      {"bare point", good.substr(2) + "00"},
      {"bad digit", good.substr(0, 77) + "x" + good.substr(78)},
      {"blank inside", good.substr(0, 40) + " " + good.substr(41)},
  };
  for (const auto& c : cases) {
    sys::EcdsaPublicKey parsed{};
    EXPECT_FALSE(sys::ParseEcdsaPublicKeyText(c.text, parsed)) << c.what;
  }
}

std::string Hex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

sys::EcdsaSignature Signature(uint8_t rFirst, size_t rZeros, uint8_t sFirst, size_t sZeros) {
  sys::EcdsaSignature rs{};
  for (size_t i = 0; i < 32; ++i) {
    rs[i] = i < rZeros ? 0 : i == rZeros ? rFirst : static_cast<uint8_t>(i);
    rs[32 + i] = i < sZeros ? 0 : i == sZeros ? sFirst : static_cast<uint8_t>(i + 100);
  }
  return rs;
}

TEST(EcdsaSignatureDer, RoundTripWithAndWithoutLeadingZeros) {
  const struct {
    const char* what;
    sys::EcdsaSignature rs;
    size_t derSize;
  } cases[] = {
      {"both small-topped", Signature(0x12, 0, 0x34, 0), 2 + 34 + 34},
      {"high bit set: a zero byte goes first", Signature(0x80, 0, 0xFF, 0), 2 + 35 + 35},
      {"leading zero bytes dropped", Signature(0x7F, 1, 0x01, 5), 2 + 33 + 29},
      {"a short number whose top bit is set", Signature(0x90, 3, 0x05, 31), 2 + 32 + 3},
  };
  for (const auto& c : cases) {
    const std::string der = sys::EcdsaSignatureDer(c.rs);
    EXPECT_EQ(c.derSize, der.size()) << c.what;
    sys::EcdsaSignature parsed{};
    ASSERT_TRUE(sys::ParseEcdsaSignatureDer(der, parsed)) << c.what;
    EXPECT_EQ(c.rs, parsed) << c.what;
  }
}

TEST(EcdsaSignatureDer, Rejects) {
  // A good small signature: r = 0x11, s = 0x22.
  const std::string good = Hex("3006020111020122");
  sys::EcdsaSignature parsed{};
  ASSERT_TRUE(sys::ParseEcdsaSignatureDer(good, parsed));
  const std::string big33 = "0221" + std::string(66, '1');  // 33 bytes, no sign byte needed
  const struct {
    const char* what;
    std::string der;
  } cases[] = {
      {"empty", ""},
      {"no sequence", Hex("3106020111020122")},
      {"long form length", Hex("308106020111020122")},
      {"sequence length lies", Hex("3007020111020122")},
      {"trailing bytes", good + std::string(1, '\0')},
      {"negative integer", Hex("3006020191020122")},
      {"non-minimal zero byte", Hex("300702020011020122")},
      {"zero", Hex("3006020100020122")},
      {"empty integer", Hex("30050200020122")},
      {"integer of 33 bytes", Hex("3026" + big33 + "020122")},
      {"sign byte and 33 more", Hex("3027" + std::string("0222") + "00" + std::string(66, '9') +
                                    "020122")},
      {"one integer only", Hex("3003020111")},
      {"not an integer", Hex("3006040111020122")},
  };
  for (const auto& c : cases) EXPECT_FALSE(sys::ParseEcdsaSignatureDer(c.der, parsed)) << c.what;
}

}  // namespace
