// Hexadecimal texts of byte strings and numbers in bases up to 16.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// Two upper-case digits per byte ("0AFF"). Prefix writes "0x" before each byte; Blanks writes a
// blank after each byte and one more after every eighth, so dumps fall into groups of eight.
std::string BytesToHex(const std::string& Bytes, bool Prefix = false, bool Blanks = false);

// Bytes from pairs of hexadecimal digits (either case). A lone last digit is ignored, and the
// conversion stops at the first pair that is no hexadecimal number.
std::string HexToBytes(const std::string& Hex);

// Text read as a number in Base (2 to 16) with the digits "0123456789ABCDEF" (letters in
// either case) after an optional "0x". Default for an empty number, a character that is no
// digit of Base, a Base out of range, or a number beyond 63 bits.
int64_t ParseNumberInBase(const std::string& Text, int Base, int64_t Default);

}  // namespace sys
