#include "pack/PublishedCheck.h"

#include <algorithm>
#include <vector>

namespace pack {
namespace {

constexpr size_t kHashPiece = 64 * 1024;

}  // namespace

const char* CheckVerdictText(CheckVerdict verdict) {
  switch (verdict) {
    case CheckVerdict::kNotRequired: return "no check required";
    case CheckVerdict::kVerified: return "verified";
    case CheckVerdict::kBadKey: return "the package's public key is not valid";
    case CheckVerdict::kNoSignature: return "signature file missing";
    case CheckVerdict::kMalformedSignature: return "signature file malformed";
    case CheckVerdict::kBadSignature: return "bad signature";
    case CheckVerdict::kNoChecksum: return "no valid checksum published";
    case CheckVerdict::kUnreadable: return "file unreadable";
    case CheckVerdict::kChecksumMismatch: return "checksum mismatch";
    case CheckVerdict::kUpdateWithoutKey: return "the update's package carries no public key";
    case CheckVerdict::kUnannouncedKey:
      return "the update's package carries a public key the description does not name";
  }
  return "unknown";
}

CheckVerdict VerifySignedContent(const std::string& KeyText, const std::string& Content,
                                 const std::string* Signature, SignatureVerifier Verify) {
  if (KeyText.empty()) return CheckVerdict::kNotRequired;
  sys::EcdsaPublicKey key;
  if (!sys::ParseEcdsaPublicKeyText(KeyText, key)) return CheckVerdict::kBadKey;
  if (!Signature || Signature->empty()) return CheckVerdict::kNoSignature;
  sys::EcdsaSignature rs;
  if (!sys::ParseEcdsaSignatureDer(*Signature, rs)) return CheckVerdict::kMalformedSignature;
  return Verify(key, sys::Sha256Of(Content), rs) ? CheckVerdict::kVerified
                                                  : CheckVerdict::kBadSignature;
}

bool Sha256OfSource(const ByteSource& File, sys::Sha256Digest& Digest) {
  uint64_t size = 0;
  if (!File.Size(size)) return false;
  sys::Sha256 hash;
  std::vector<uint8_t> piece(kHashPiece);
  for (uint64_t offset = 0; offset < size;) {
    const size_t take = static_cast<size_t>(std::min<uint64_t>(kHashPiece, size - offset));
    if (!File.ReadAt(offset, piece.data(), take)) return false;
    hash.Update(piece.data(), take);
    offset += take;
  }
  Digest = hash.Finish();
  return true;
}

CheckVerdict CheckPublishedChecksum(bool Required, const std::string& ChecksumText,
                                    const ByteSource& File) {
  if (ChecksumText.empty() && !Required) return CheckVerdict::kNotRequired;
  sys::Sha256Digest published;
  if (!sys::ParseSha256Text(ChecksumText, published)) return CheckVerdict::kNoChecksum;
  sys::Sha256Digest actual;
  if (!Sha256OfSource(File, actual)) return CheckVerdict::kUnreadable;
  return actual == published ? CheckVerdict::kVerified : CheckVerdict::kChecksumMismatch;
}

}  // namespace pack
