// Version texts made comparable: "1,2" and "1.2.0.0" are the same version, and with a fixed
// width per part two versions compare as plain strings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sys {

// Every "," becomes "."; every character other than a digit or "." is dropped; the parts
// between the points are read as numbers (0 when missing or empty), and the first Parts of them
// are written with at least Width digits, zero-padded on the left, joined by ".".
// NormalizeVersion("1,2", 3, 4) is "001.002.000.000". A part keeps all its digits however long
// it is, so a part with more digits than Width spoils the plain-string comparison but is never
// changed in value.
std::string NormalizeVersion(const std::string& Text, int Width, int Parts);

// The first Count parts of a version text read as NormalizeVersion reads them; a part too large
// for 32 bits counts as 0.
std::vector<uint32_t> VersionNumbers(const std::string& Text, int Count);

}  // namespace sys
