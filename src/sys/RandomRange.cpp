// This file must contain only truly operating-system independent code.
#include "sys/RandomRange.h"

#include <random>
#include <utility>

#include "sys/Host.h"

namespace sys {
namespace {

// Seeded once: seeding from the clock at every call would give the same number to calls that
// come within one clock tick. (No std::random_device: it may throw where the system lacks one.)
std::mt19937_64& Generator() {
  static std::mt19937_64 generator(ClockSeed());
  return generator;
}

}  // namespace

int64_t RandomInRange(int64_t Low, int64_t High) {
  if (Low > High) std::swap(Low, High);
  std::uniform_int_distribution<int64_t> range(Low, High);
  return range(Generator());
}

}  // namespace sys
