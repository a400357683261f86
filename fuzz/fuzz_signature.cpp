// Fuzz target: signature files, key texts and checksum texts as a hostile server or a damaged
// package may give them. Parsing must neither crash nor read out of range, whatever parses must
// encode back to what was parsed, and nothing made of fuzz input verifies under the fixed key.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pack/PublishedCheck.h"
#include "sys/EcdsaP256.h"
#include "sys/Sha256.h"

namespace {

// A valid P-256 public key (the generator point G); its private key is 1, and no fuzz input
// holds a signature made with it.
const char kFixedKey[] =
    "046b17d1f2e12c4247f8bce6e563a440f277037d812deb33a0f4a13945d898c296"
    "4fe342e2fe1a7f9b8ee7eb4a7c0f9e162bce33576b315ececbb6406837bf51f5";

}  // namespace

int FuzzSignature(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  sys::EcdsaSignature rs;
  if (sys::ParseEcdsaSignatureDer(input, rs) && sys::EcdsaSignatureDer(rs) != input)
    __builtin_trap();  // strict DER has one form only
  sys::EcdsaPublicKey key;
  if (sys::ParseEcdsaPublicKeyText(input, key) && input.size() != 130) __builtin_trap();
  sys::Sha256Digest digest;
  if (sys::ParseSha256Text(input, digest) && input.size() != 64) __builtin_trap();
  // The input as a signature of itself, and of a fixed text, under the fixed key.
  const std::string fixedText = "[NewSetup]\r\nVersion=1\r\n";
  for (const std::string* content : {&input, &fixedText})
    if (pack::VerifySignedContent(kFixedKey, *content, &input) == pack::CheckVerdict::kVerified)
      __builtin_trap();
  return 0;
}

#ifndef FUZZ_REGRESSION_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzSignature(data, size);
}
#endif
