// Verification on the build machine through OpenSSL's libcrypto (the package builder and the
// native tests).
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <algorithm>

#include "sys/EcdsaP256.h"
#include "sys/OpenSslHandles.h"

namespace sys {
namespace {

using Context = OpenSslKeyContext;
using Key = OpenSslKey;

Key PublicKeyOf(const EcdsaPublicKey& point) {
  uint8_t encoded[65] = {4};
  std::copy(point.begin(), point.end(), encoded + 1);
  char group[] = "prime256v1";
  OSSL_PARAM params[] = {
      OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
      OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, encoded, sizeof encoded),
      OSSL_PARAM_construct_end()};
  Context context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  EVP_PKEY* key = nullptr;
  if (!context || EVP_PKEY_fromdata_init(context.get()) <= 0 ||
      EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, params) <= 0)
    return nullptr;
  return Key(key);
}

}  // namespace

bool VerifyEcdsaP256(const EcdsaPublicKey& point, const Sha256Digest& digest,
                     const EcdsaSignature& signature) {
  const Key key = PublicKeyOf(point);
  if (!key) return false;
  Context context(EVP_PKEY_CTX_new(key.get(), nullptr));
  const std::string der = EcdsaSignatureDer(signature);
  return context && EVP_PKEY_verify_init(context.get()) > 0 &&
         EVP_PKEY_CTX_set_signature_md(context.get(), EVP_sha256()) > 0 &&
         EVP_PKEY_verify(context.get(), reinterpret_cast<const unsigned char*>(der.data()),
                         der.size(), digest.data(), digest.size()) == 1;
}

}  // namespace sys
