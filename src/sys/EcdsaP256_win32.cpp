// Verification through the system's CNG (bcrypt.dll, Windows Vista and later), bound at run time
// so that the program still starts where it is missing. This file must contain only Win32 code.
#include "sys/EcdsaP256.h"

#include <cstring>

#include "sys/Folders.h"
#include "sys/LibraryEntry.h"
#include "sys/Platform.h"
// After Platform.h: bcrypt.h needs the Windows types but does not include them.
#include <bcrypt.h>

namespace sys {
namespace {

using OpenAlgorithm = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE*, LPCWSTR, LPCWSTR, ULONG);
using CloseAlgorithm = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, ULONG);
using ImportKeyPair = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, BCRYPT_KEY_HANDLE, LPCWSTR,
                                        BCRYPT_KEY_HANDLE*, PUCHAR, ULONG, ULONG);
using VerifySignature = NTSTATUS(WINAPI*)(BCRYPT_KEY_HANDLE, void*, PUCHAR, ULONG, PUCHAR, ULONG,
                                          ULONG);
using DestroyKey = NTSTATUS(WINAPI*)(BCRYPT_KEY_HANDLE);

struct Cng {
  OpenAlgorithm open;
  CloseAlgorithm close;
  ImportKeyPair import;
  VerifySignature verify;
  DestroyKey destroy;
};

// The library by its full path in the system folder: never one planted beside the program.
EntryPoint CngEntry(const char* Name) {
  return LibraryEntryPoint(SystemFolder(true) + "bcrypt.dll", Name);
}

bool BindCng(Cng& cng) {
  cng.open = EntryPointAs<OpenAlgorithm>(CngEntry("BCryptOpenAlgorithmProvider"));
  cng.close = EntryPointAs<CloseAlgorithm>(CngEntry("BCryptCloseAlgorithmProvider"));
  cng.import = EntryPointAs<ImportKeyPair>(CngEntry("BCryptImportKeyPair"));
  cng.verify = EntryPointAs<VerifySignature>(CngEntry("BCryptVerifySignature"));
  cng.destroy = EntryPointAs<DestroyKey>(CngEntry("BCryptDestroyKey"));
  return cng.open && cng.close && cng.import && cng.verify && cng.destroy;
}

class Algorithm {
 public:
  explicit Algorithm(const Cng& cng) : cng_(cng) {
    if (!BCRYPT_SUCCESS(cng_.open(&handle_, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)))
      handle_ = nullptr;
  }
  ~Algorithm() {
    if (handle_) cng_.close(handle_, 0);
  }
  Algorithm(const Algorithm&) = delete;
  Algorithm& operator=(const Algorithm&) = delete;
  BCRYPT_ALG_HANDLE get() const { return handle_; }

 private:
  const Cng& cng_;
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class PublicKey {
 public:
  PublicKey(const Cng& cng, BCRYPT_ALG_HANDLE algorithm, const EcdsaPublicKey& key) : cng_(cng) {
    struct {
      BCRYPT_ECCKEY_BLOB header;
      uint8_t point[64];
    } blob;
    blob.header.dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
    blob.header.cbKey = 32;
    std::memcpy(blob.point, key.data(), key.size());
    if (!BCRYPT_SUCCESS(cng_.import(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle_,
                                    reinterpret_cast<PUCHAR>(&blob), sizeof blob, 0)))
      handle_ = nullptr;
  }
  ~PublicKey() {
    if (handle_) cng_.destroy(handle_);
  }
  PublicKey(const PublicKey&) = delete;
  PublicKey& operator=(const PublicKey&) = delete;
  BCRYPT_KEY_HANDLE get() const { return handle_; }

 private:
  const Cng& cng_;
  BCRYPT_KEY_HANDLE handle_ = nullptr;
};

}  // namespace

bool VerifyEcdsaP256(const EcdsaPublicKey& key, const Sha256Digest& digest,
                     const EcdsaSignature& signature) {
  Cng cng;
  if (!BindCng(cng)) return false;
  const Algorithm algorithm(cng);
  if (!algorithm.get()) return false;
  const PublicKey publicKey(cng, algorithm.get(), key);
  if (!publicKey.get()) return false;
  Sha256Digest hash = digest;
  EcdsaSignature rs = signature;
  return BCRYPT_SUCCESS(cng.verify(publicKey.get(), nullptr, hash.data(), hash.size(), rs.data(),
                                   rs.size(), 0));
}

}  // namespace sys
