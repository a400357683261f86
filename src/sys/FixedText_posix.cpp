// This file must contain only POSIX code.
#include "sys/FixedText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sys {

std::string FixedText(double Value, int Decimals) {
  char buffer[400];  // the largest double has 309 digits before the point
  const int decimals = std::clamp(Decimals, 0, 30);
  const int n = std::isfinite(Value) ? std::snprintf(buffer, sizeof buffer, "%.*f", decimals, Value) : -1;
  return n > 0 && n < static_cast<int>(sizeof buffer) ? std::string(buffer, n) : std::string();
}

}  // namespace sys
