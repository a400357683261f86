// The security directory of a program file's PE header: the offset and size of the Authenticode
// signature appended to the file. A copy of a signed program that leaves the signature behind
// must clear this entry too, or the copy claims a signature beyond its own end.
#pragma once

#include <cstdint>
#include <string>

namespace pack {

struct SecurityDirectory {
  uint64_t entryOffset = 0;  // file offset of the entry (two 32-bit words)
  uint32_t offset = 0;       // file offset of the signature, 0 when unsigned
  uint32_t size = 0;
};

// The entry of the PE header that the DOS header's e_lfanew points at (PE32 or PE32+); false
// for an image that is no program file or whose header has no such entry.
bool FindSecurityDirectory(const std::string& image, SecurityDirectory& directory);

// Zeroes the entry's offset and size; false when the image has no such entry.
bool ClearSecurityDirectory(std::string& image);

}  // namespace pack
