// This file must contain only truly operating-system independent code.
#include "sys/Pumping.h"

#include <algorithm>

namespace sys {

uint32_t PumpingStep(uint32_t Step, uint32_t Ms) {
  if (Step != 0) return Step;
  return std::clamp<uint32_t>(Ms / 10, 1, 25);
}

bool PumpDue(uint32_t Last, uint32_t Now, uint32_t Interval) {
  // Unsigned subtraction is right across the wrap of the clock.
  return Now - Last >= Interval;
}

}  // namespace sys
