#include "sys/EcdsaP256.h"

#include <algorithm>
#include <cstddef>

#include "sys/HexText.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

constexpr size_t kCoordinate = 32;
constexpr uint8_t kDerSequence = 0x30;
constexpr uint8_t kDerInteger = 0x02;

// One DER INTEGER at Pos into Out (32 bytes, left-padded); Pos moves past it.
bool ReadDerInteger(const std::string& der, size_t& pos, uint8_t* out) {
  if (pos + 2 > der.size() || static_cast<uint8_t>(der[pos]) != kDerInteger) return false;
  const size_t length = static_cast<uint8_t>(der[pos + 1]);
  pos += 2;
  if (length == 0 || length > kCoordinate + 1 || pos + length > der.size()) return false;
  const uint8_t* value = reinterpret_cast<const uint8_t*>(der.data()) + pos;
  pos += length;
  if (value[0] & 0x80) return false;  // negative
  size_t skip = 0;
  if (value[0] == 0) {
    if (length == 1 || !(value[1] & 0x80)) return false;  // zero, or not the shortest form
    skip = 1;
  }
  if (length - skip > kCoordinate) return false;
  const size_t pad = kCoordinate - (length - skip);
  for (size_t i = 0; i < pad; ++i) out[i] = 0;
  for (size_t i = skip; i < length; ++i) out[pad + i - skip] = value[i];
  return true;
}

std::string DerInteger(const uint8_t* value) {
  size_t first = 0;
  while (first + 1 < kCoordinate && value[first] == 0) ++first;
  std::string body(reinterpret_cast<const char*>(value) + first, kCoordinate - first);
  if (value[first] & 0x80) body.insert(body.begin(), '\0');
  return std::string{static_cast<char>(kDerInteger), static_cast<char>(body.size())} + body;
}

}  // namespace

std::string EcdsaPublicKeyText(const EcdsaPublicKey& key) {
  return "04" + LowerCase(BytesToHex(std::string(key.begin(), key.end())));
}

bool ParseEcdsaPublicKeyText(const std::string& text, EcdsaPublicKey& key) {
  if (text.size() != 2 + 2 * key.size() || text.compare(0, 2, "04") != 0) return false;
  const std::string bytes = HexToBytes(text.substr(2));
  if (bytes.size() != key.size()) return false;
  std::copy(bytes.begin(), bytes.end(), key.begin());
  return true;
}

bool ParseEcdsaSignatureDer(const std::string& der, EcdsaSignature& signature) {
  if (der.size() < 2 || static_cast<uint8_t>(der[0]) != kDerSequence) return false;
  const size_t length = static_cast<uint8_t>(der[1]);
  if (length >= 0x80 || length + 2 != der.size()) return false;  // short form: at most 72 bytes
  size_t pos = 2;
  return ReadDerInteger(der, pos, signature.data()) &&
         ReadDerInteger(der, pos, signature.data() + kCoordinate) && pos == der.size();
}

std::string EcdsaSignatureDer(const EcdsaSignature& signature) {
  const std::string body = DerInteger(signature.data()) + DerInteger(signature.data() + kCoordinate);
  return std::string{static_cast<char>(kDerSequence), static_cast<char>(body.size())} + body;
}

}  // namespace sys
