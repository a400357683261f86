// A number as fixed-point text, the one floating-point formatting the programs need: each
// system formats it with its own C runtime (FixedText_posix.cpp, FixedText_win32.cpp).
#pragma once

#include <string>

namespace sys {

// Value with Decimals digits after "." (0 to 30), rounded as printf's "%.*f" rounds; empty when
// Value is not finite or the text would not fit in 400 characters.
std::string FixedText(double Value, int Decimals);

}  // namespace sys
