// A publisher's key made for one test: the system's CNG makes an ECDSA P-256 key pair and signs
// with it, so that a test can publish update descriptions signed at run time (with its own
// paths and ports in them) and build packages that carry the public half.
#pragma once

#include <string>

namespace testkit {

class TestSigner {
 public:
  TestSigner();
  ~TestSigner();
  TestSigner(const TestSigner&) = delete;
  TestSigner& operator=(const TestSigner&) = delete;

  bool ok() const { return key_ != nullptr; }
  // The public key as a package stores it.
  const std::string& PublicKeyText() const { return publicKeyText_; }
  // The detached DER signature of Content, as a publisher's .sig file holds it; empty on failure.
  std::string Sign(const std::string& Content) const;

 private:
  void* algorithm_ = nullptr;
  void* key_ = nullptr;
  std::string publicKeyText_;
};

}  // namespace testkit
