// This file must contain only truly operating-system independent code.
#include "agent/UpdateKeyRule.h"

#include "sys/EcdsaP256.h"

namespace au {
namespace {

// Both texts are keys, and the same point.
bool SameKey(const std::string& A, const std::string& B) {
  sys::EcdsaPublicKey a, b;
  return sys::ParseEcdsaPublicKeyText(A, a) && sys::ParseEcdsaPublicKeyText(B, b) && a == b;
}

}  // namespace

pack::CheckVerdict CheckUpdateKeyContinuity(const std::string& RunningKey,
                                            const std::string& UpdateKey,
                                            const std::string& NamedNewKey) {
  if (RunningKey.empty()) return pack::CheckVerdict::kNotRequired;
  sys::EcdsaPublicKey running;
  if (!sys::ParseEcdsaPublicKeyText(RunningKey, running)) return pack::CheckVerdict::kBadKey;
  if (UpdateKey.empty()) return pack::CheckVerdict::kUpdateWithoutKey;
  if (SameKey(UpdateKey, RunningKey) || SameKey(UpdateKey, NamedNewKey))
    return pack::CheckVerdict::kVerified;
  return pack::CheckVerdict::kUnannouncedKey;
}

}  // namespace au
