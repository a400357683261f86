// The auto-update agent copy that a setup leaves in its destination folder: the stub program and
// its header strings from the first volume, without any entry, with a trailer marking it as agent.
#pragma once

#include <cstdint>
#include <string>

#include "pack/ByteSource.h"

namespace pack {

// The longest agent copy: the stub program and its header strings are far shorter. A first
// volume whose header strings end further in is damaged, and no such copy is allocated.
constexpr uint64_t kLongestAgentCopy = 64u << 20;

// headerEnd is the offset just past the header strings of the first volume. False when the
// volume cannot be read that far or the copy would be longer than kLongestAgentCopy.
bool BuildAgentCopy(const ByteSource& firstVolume, uint64_t headerEnd, std::string& image);

}  // namespace pack
