#include "TestSigner.h"

#include <cstring>

#include "sys/EcdsaP256.h"
#include "sys/Platform.h"
// The CNG types and names need the system header first.
#include <bcrypt.h>

namespace testkit {
namespace {

// The exported public blob: its header, then X and Y.
std::string PublicKeyTextOf(BCRYPT_KEY_HANDLE key) {
  uint8_t blob[sizeof(BCRYPT_ECCKEY_BLOB) + 64];
  ULONG size = 0;
  if (!BCRYPT_SUCCESS(::BCryptExportKey(key, nullptr, BCRYPT_ECCPUBLIC_BLOB, blob, sizeof blob,
                                        &size, 0)) ||
      size != sizeof blob)
    return "";
  sys::EcdsaPublicKey point;
  std::memcpy(point.data(), blob + sizeof(BCRYPT_ECCKEY_BLOB), point.size());
  return sys::EcdsaPublicKeyText(point);
}

}  // namespace

TestSigner::TestSigner() {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!BCRYPT_SUCCESS(
          ::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)))
    return;
  algorithm_ = algorithm;
  BCRYPT_KEY_HANDLE key = nullptr;
  if (!BCRYPT_SUCCESS(::BCryptGenerateKeyPair(algorithm, &key, 256, 0))) return;
  if (!BCRYPT_SUCCESS(::BCryptFinalizeKeyPair(key, 0))) {
    ::BCryptDestroyKey(key);
    return;
  }
  key_ = key;
  publicKeyText_ = PublicKeyTextOf(key);
}

TestSigner::~TestSigner() {
  if (key_) ::BCryptDestroyKey(static_cast<BCRYPT_KEY_HANDLE>(key_));
  if (algorithm_) ::BCryptCloseAlgorithmProvider(static_cast<BCRYPT_ALG_HANDLE>(algorithm_), 0);
}

std::string TestSigner::Sign(const std::string& Content) const {
  if (!key_) return "";
  sys::Sha256Digest digest = sys::Sha256Of(Content);
  sys::EcdsaSignature rs;
  ULONG size = 0;
  if (!BCRYPT_SUCCESS(::BCryptSignHash(static_cast<BCRYPT_KEY_HANDLE>(key_), nullptr,
                                       digest.data(), digest.size(), rs.data(), rs.size(), &size,
                                       0)) ||
      size != rs.size())
    return "";
  return sys::EcdsaSignatureDer(rs);
}

}  // namespace testkit
