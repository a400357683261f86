// Owning handles of OpenSSL objects, for the files that use OpenSSL on the build machine (only
// *_posix.cpp files include this header).
#pragma once

#include <openssl/bio.h>
#include <openssl/evp.h>

#include <memory>

namespace sys {

struct OpenSslFree {
  void operator()(EVP_PKEY_CTX* context) const { EVP_PKEY_CTX_free(context); }
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
  void operator()(BIO* bio) const { BIO_free(bio); }
};

using OpenSslKeyContext = std::unique_ptr<EVP_PKEY_CTX, OpenSslFree>;
using OpenSslKey = std::unique_ptr<EVP_PKEY, OpenSslFree>;
using OpenSslDigestContext = std::unique_ptr<EVP_MD_CTX, OpenSslFree>;
using OpenSslBio = std::unique_ptr<BIO, OpenSslFree>;

}  // namespace sys
