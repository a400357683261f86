// This file must contain only POSIX specific code.
// Keys and signatures through OpenSSL 3's EVP interface, so that what stubpack writes is what
// OpenSSL's own tools read and write ("openssl dgst -sha256 -sign/-verify").
#include "SigningKey.h"

#include <fcntl.h>
#include <openssl/bio.h>
#include <openssl/core_names.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sys/OpenSslHandles.h"

namespace stubpack {

namespace {

using Key = sys::OpenSslKey;
using Bio = sys::OpenSslBio;
using DigestContext = sys::OpenSslDigestContext;

// OpenSSL's reason for the last failure, or what we were doing when it gave none.
bool OpenSslFailed(const std::string& what, std::string& error) {
  const unsigned long code = ERR_get_error();
  ERR_clear_error();
  char reason[256] = "";
  if (code != 0) ERR_error_string_n(code, reason, sizeof reason);
  error = what + (code != 0 ? std::string(" (") + reason + ")" : std::string());
  return false;
}

bool IsP256(EVP_PKEY* key) {
  char group[64] = "";
  size_t length = 0;
  return EVP_PKEY_is_a(key, "EC") &&
         EVP_PKEY_get_utf8_string_param(key, OSSL_PKEY_PARAM_GROUP_NAME, group, sizeof group,
                                        &length) == 1 &&
         std::strcmp(group, "prime256v1") == 0;
}

// The uncompressed point 04 || X || Y without its leading 04.
bool PublicPointOf(EVP_PKEY* key, sys::EcdsaPublicKey& point, std::string& error) {
  unsigned char encoded[65];
  size_t length = 0;
  if (EVP_PKEY_get_octet_string_param(key, OSSL_PKEY_PARAM_ENCODED_PUBLIC_KEY, encoded,
                                      sizeof encoded, &length) != 1 ||
      length != sizeof encoded || encoded[0] != 4)
    return OpenSslFailed("cannot read the key's public point", error);
  std::memcpy(point.data(), encoded + 1, point.size());
  return true;
}

Key ReadPrivateKey(const std::string& pem, std::string& error) {
  Bio in(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
  Key key(in ? PEM_read_bio_PrivateKey(in.get(), nullptr, nullptr, nullptr) : nullptr);
  if (!key) {
    OpenSslFailed("no PEM private key", error);
    return nullptr;
  }
  if (IsP256(key.get())) return key;
  error = "the private key is no ECDSA P-256 (prime256v1) key";
  return nullptr;
}

}  // namespace

bool MakeSigningKey(std::string& privatePem, sys::EcdsaPublicKey& publicKey, std::string& error) {
  Key key(EVP_EC_gen("P-256"));
  if (!key) return OpenSslFailed("cannot make a P-256 key", error);
  Bio out(BIO_new(BIO_s_mem()));
  // PEM_write_bio_PrivateKey writes PKCS#8 ("BEGIN PRIVATE KEY"), unencrypted.
  if (!out || PEM_write_bio_PrivateKey(out.get(), key.get(), nullptr, nullptr, 0, nullptr,
                                       nullptr) != 1)
    return OpenSslFailed("cannot write the private key", error);
  char* data = nullptr;
  const long size = BIO_get_mem_data(out.get(), &data);
  privatePem.assign(data, static_cast<size_t>(size));
  return PublicPointOf(key.get(), publicKey, error);
}

bool SignWithKey(const std::string& privatePem, const std::string& content,
                 std::string& derSignature, sys::EcdsaPublicKey& publicKey, std::string& error) {
  const Key key = ReadPrivateKey(privatePem, error);
  if (!key || !PublicPointOf(key.get(), publicKey, error)) return false;
  DigestContext context(EVP_MD_CTX_new());
  size_t size = 0;
  const auto* data = reinterpret_cast<const unsigned char*>(content.data());
  if (!context ||
      EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1 ||
      EVP_DigestSign(context.get(), nullptr, &size, data, content.size()) != 1)
    return OpenSslFailed("cannot sign", error);
  derSignature.assign(size, '\0');
  if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(&derSignature[0]), &size,
                     data, content.size()) != 1)
    return OpenSslFailed("cannot sign", error);
  derSignature.resize(size);
  return true;
}

bool WritePrivateFile(const std::string& path, const std::string& bytes, std::string& error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  // The mode asked for at creation is narrowed by the umask only, never widened; fix it exactly.
  const bool ok = written == bytes.size() && ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
  const int savedErrno = errno;
  if (::close(fd) != 0 || !ok) {
    error = path + ": " + std::strerror(ok ? errno : savedErrno);
    ::unlink(path.c_str());
    return false;
  }
  return true;
}

}  // namespace stubpack
