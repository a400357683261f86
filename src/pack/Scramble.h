// Product tokens are stored scrambled in the package header: hexadecimal digits shifted up by 50
// (so the stored text reads as lower-case letters), wrapped with filler bytes, a key and an
// 8-bit checksum.
#pragma once

#include <cstdint>
#include <string>

namespace pack {

// The plain form of a scrambled item. A damaged or empty item gives the decimal text of a random
// number from 0 to 99998, so two failed descramblings practically never compare equal.
std::string Descramble(const std::string& text);

// The inverse of Descramble, as the builder stores a token. seed picks the key and the filler,
// so one plain text has many scrambled forms; all of them descramble to the same text.
std::string Scramble(const std::string& plain, uint32_t seed);

}  // namespace pack
