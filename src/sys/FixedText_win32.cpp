// This file must contain only Win32 code.
#include "sys/FixedText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sys {

// Formatted by the system's C runtime (msvcrt.dll, imported anyway). The C99 printf that
// mingw-w64 puts in place of snprintf carries its own floating-point conversion, about 40 KB of
// stub.exe for the few sizes and rates the stub shows.
std::string FixedText(double Value, int Decimals) {
  char buffer[400];  // the largest double has 309 digits before the point
  const int decimals = std::clamp(Decimals, 0, 30);
  // _snprintf leaves the text unterminated, and answers a negative count, when it does not fit.
  const int n = std::isfinite(Value) ? ::_snprintf(buffer, sizeof buffer, "%.*f", decimals, Value) : -1;
  return n > 0 && n < static_cast<int>(sizeof buffer) ? std::string(buffer, n) : std::string();
}

}  // namespace sys
