// This file must contain only truly operating-system independent code.
#include "PublicKeyArg.h"

#include "WholeFile.h"
#include "sys/EcdsaP256.h"

namespace stubpack {
namespace {

std::string WithoutBlanksAround(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

bool ResolvePublicKey(const std::string& Given, std::string& KeyText, std::string& Error) {
  if (Given.empty()) return true;
  sys::EcdsaPublicKey key;
  std::string text = Given;
  if (!sys::ParseEcdsaPublicKeyText(text, key)) {
    if (!ReadWholeFile(Given, text, Error)) {
      Error = Given + ": neither a public key text nor a readable file";
      return false;
    }
    if (!sys::ParseEcdsaPublicKeyText(WithoutBlanksAround(text), key)) {
      Error = Given + ": holds no public key text (\"04\" and 128 hexadecimal digits)";
      return false;
    }
  }
  KeyText = sys::EcdsaPublicKeyText(key);
  return true;
}

}  // namespace stubpack
