// The auto-update agent copy that a setup leaves in its destination folder: the stub program and
// its header strings from the first volume, without any entry, with a trailer marking it as agent.
#pragma once

#include <cstdint>
#include <string>

#include "pack/ByteSource.h"

namespace pack {

// headerEnd is the offset just past the header strings of the first volume. False when the
// volume cannot be read that far.
bool BuildAgentCopy(const ByteSource& firstVolume, uint64_t headerEnd, std::string& image);

}  // namespace pack
