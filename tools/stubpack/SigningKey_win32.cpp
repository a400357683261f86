// This file must contain only Win32 specific code.
// stubpack.exe carries no private-key cryptography: keys and signatures are made on the build
// machine, whose stubpack links OpenSSL.
#include "SigningKey.h"

namespace stubpack {
namespace {

const char kNoSigningHere[] =
    "stubpack.exe cannot make keys or signatures; use the stubpack of the build machine (OpenSSL)";

}  // namespace

bool MakeSigningKey(std::string&, sys::EcdsaPublicKey&, std::string& error) {
  error = kNoSigningHere;
  return false;
}

bool SignWithKey(const std::string&, const std::string&, std::string&, sys::EcdsaPublicKey&,
                 std::string& error) {
  error = kNoSigningHere;
  return false;
}

bool WritePrivateFile(const std::string&, const std::string&, std::string& error) {
  error = kNoSigningHere;
  return false;
}

}  // namespace stubpack
