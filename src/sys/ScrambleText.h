// Reversible scrambling of values kept in INI files and package texts, so that they do not read
// as plain text. No key is stored anywhere: it travels in the scrambled text itself, as the
// character after the mark "Scrambled=01".
#pragma once

#include <string>

namespace sys {

constexpr const char* kScrambledMark = "Scrambled=01";

// Scramble set: Text becomes "Scrambled=01" + the key character + the scrambled characters
// (with AsHex the whole result is then written as hexadecimal pairs). Scramble clear: a text in
// that form (with AsHex: given as hexadecimal pairs) becomes the plain text again. A text that
// is already in the wanted form, and an empty text, come back unchanged (with AsHex and Scramble
// clear: decoded from hexadecimal). A marked text without its key character unscrambles to "".
std::string ScrambleText(const std::string& Text, bool Scramble, bool AsHex = false);

// ScrambleText(Text, true, AsHex) with the key chosen by the caller instead of at random
// (ScrambleText picks one from 33 to 122, so that the key character is printable).
std::string ScrambleTextWithKey(const std::string& Text, unsigned char Key, bool AsHex = false);

}  // namespace sys
