// ECDSA signatures on the curve P-256 with SHA-256: the text form of a public key as a package
// stores it, the DER form of a signature as a signature file holds it, and the verification
// (Windows' own cryptography on Windows, OpenSSL on the build machine).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sys/Sha256.h"

namespace sys {

using EcdsaPublicKey = std::array<uint8_t, 64>;  // the point's X and Y, 32 bytes each, big-endian
using EcdsaSignature = std::array<uint8_t, 64>;  // r and s, 32 bytes each, big-endian

// The uncompressed point in hexadecimal: "04" and 128 digits, lower case.
std::string EcdsaPublicKeyText(const EcdsaPublicKey& key);
// The same text (digits of either case); false for anything else.
bool ParseEcdsaPublicKeyText(const std::string& text, EcdsaPublicKey& key);

// A signature in strict DER: SEQUENCE { INTEGER r, INTEGER s }, each a positive number of at
// most 32 bytes in its shortest form, and nothing after the sequence. False for anything else.
bool ParseEcdsaSignatureDer(const std::string& der, EcdsaSignature& signature);
std::string EcdsaSignatureDer(const EcdsaSignature& signature);

// Whether Signature is the key's signature of a message whose SHA-256 is Digest. False also when
// the system offers no verification (before Windows Vista) or refuses the key.
bool VerifyEcdsaP256(const EcdsaPublicKey& key, const Sha256Digest& digest,
                     const EcdsaSignature& signature);

}  // namespace sys
