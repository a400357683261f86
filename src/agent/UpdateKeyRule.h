// Whether an update may carry the installation on to its next agent. The agent that an update
// installs checks the following updates with the public key of the update's own package, so an
// update that dropped the key, or brought another one, would end the checks or hand them to
// someone else. The .info file, signed with the running key and so already verified, may name
// the key of a planned change of keys (kUpdatePublicKeyNew in [NewSetup]).
#pragma once

#include <string>

#include "pack/PublishedCheck.h"

namespace au {

// The .info key in [NewSetup] naming the next update key: the public key text as
// "stubpack keygen" prints it ("04" and 128 hexadecimal digits).
constexpr const char* kUpdatePublicKeyNew = "UpdatePublicKeyNew";

// RunningKey: the public key of the running agent's package; UpdateKey: that of the update's
// package; NamedNewKey: the key the verified .info file names (empty when none). Keys compare as
// points, whatever the case of their digits.
//   running "",  update anything           -> kNotRequired (this installation signs nothing)
//   running K,   update ""                 -> kUpdateWithoutKey
//   running K,   update K                  -> kVerified
//   running K,   update N, named N         -> kVerified (the announced change of keys)
//   running K,   update N, named "" or M   -> kUnannouncedKey
//   running no key text                    -> kBadKey
pack::CheckVerdict CheckUpdateKeyContinuity(const std::string& RunningKey,
                                            const std::string& UpdateKey,
                                            const std::string& NamedNewKey);

}  // namespace au
