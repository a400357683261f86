// This file must contain only truly operating-system independent code.
#include "sys/Pumping.h"

#include <algorithm>

namespace sys {

uint32_t PumpingStep(uint32_t Step, uint32_t Ms) {
  if (Step != 0) return Step;
  return std::clamp<uint32_t>(Ms / 10, 1, 25);
}

}  // namespace sys
