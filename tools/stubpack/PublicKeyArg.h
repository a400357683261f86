// A public key given on the command line: its text, or a file holding it (keygen's NAME.pub).
#pragma once

#include <string>

namespace stubpack {

// The key as its text is stored: "04" and 128 lower-case digits, whether Given is the text
// (digits of either case) or a file with it and blanks or line ends around it. An empty Given
// gives an empty text. False, with the error, when Given is neither.
bool ResolvePublicKey(const std::string& Given, std::string& KeyText, std::string& Error);

}  // namespace stubpack
