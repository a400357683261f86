// Stored strings come from untrusted packages; written as Printable they stay on one line and
// show every byte.
#pragma once

#include <cstdint>
#include <string>

namespace stubpack {

// text with bytes outside printable ASCII written as \xNN. Backslashes stay single: they are
// everywhere in target names and the report is read by people, not parsed back.
std::string Printable(const std::string& text);

// "0x" and eight upper-case hexadecimal digits.
std::string Hex32(uint32_t value);
// "0x" and four upper-case hexadecimal digits.
std::string Hex16(uint16_t value);

}  // namespace stubpack
