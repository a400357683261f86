// The checks of what a package's publisher signed: a description file against its detached
// signature under the public key a package carries, and a fetched file against the SHA-256 the
// signed description (or the package itself) publishes. A package without a key or checksum
// asks for no check, and then everything passes as before.
#pragma once

#include <string>

#include "pack/ByteSource.h"
#include "sys/EcdsaP256.h"

namespace pack {

enum class CheckVerdict {
  kNotRequired,        // no key or no checksum in the package: nothing to check
  kVerified,           // signature or checksum as published
  kBadKey,             // the package's key text is no P-256 public key
  kNoSignature,        // the signature file is missing or empty
  kMalformedSignature, // the signature file is no DER ECDSA signature
  kBadSignature,       // the signature does not match the content under the key
  kNoChecksum,         // a signed description publishes no (valid) checksum for the file
  kUnreadable,         // the file could not be read to its end
  kChecksumMismatch,   // the file's SHA-256 differs from the published one
  kUpdateWithoutKey,   // an update for a signed installation whose package carries no key
  kUnannouncedKey,     // an update whose package carries a key the description does not name
};

inline bool Passes(CheckVerdict verdict) {
  return verdict == CheckVerdict::kNotRequired || verdict == CheckVerdict::kVerified;
}

// What the debug log says of a verdict ("signature verified", "bad signature", ...).
const char* CheckVerdictText(CheckVerdict verdict);

using SignatureVerifier = bool (*)(const sys::EcdsaPublicKey&, const sys::Sha256Digest&,
                                   const sys::EcdsaSignature&);

// Content against the DER signature file Signature (null when it could not be fetched) under
// KeyText. Without a key nothing is required.
CheckVerdict VerifySignedContent(const std::string& KeyText, const std::string& Content,
                                 const std::string* Signature,
                                 SignatureVerifier Verify = sys::VerifyEcdsaP256);

// The SHA-256 of every byte of File, or false when it cannot be read to its end.
bool Sha256OfSource(const ByteSource& File, sys::Sha256Digest& Digest);

// File against the published checksum text. Required says whether a checksum must be there
// (a signed description must publish one); an empty text when not required asks for no check.
// Bytes already in memory are checked through a MemorySource.
CheckVerdict CheckPublishedChecksum(bool Required, const std::string& ChecksumText,
                                    const ByteSource& File);

}  // namespace pack
