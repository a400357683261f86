// The auto-update agent copies of the stub: the one a setup leaves in its destination folder (the
// stub program and its header strings from the first volume, without any entry, with a trailer
// marking it as agent), and what every copy of a signed program file must leave behind.
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

// Where the package of a program file held in memory ends: its PackageEnd (low 32 bits) when that
// lies inside the image; without one, where a code signature that ends the image begins (its
// PE security directory tells); else the end of the image.
uint64_t PackageEndOfImage(const std::string& image);

// Cuts image at its package end, whatever follows (a signature of any size, the padding before
// it), and clears the security directory entry: the result is an unsigned program.
void DropSignature(std::string& image);

}  // namespace pack
