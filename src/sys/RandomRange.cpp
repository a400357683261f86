// This file must contain only truly operating-system independent code.
#include "sys/RandomRange.h"

#include <chrono>
#include <random>
#include <utility>

namespace sys {
namespace {

// Seeded once: seeding from the clock at every call would give the same number to calls that
// come within one clock tick. (No std::random_device: it may throw where the system lacks one.)
uint64_t ClockSeed() {
  uint64_t wall = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  uint64_t fine =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  return wall ^ (fine << 17) ^ (fine >> 7);
}

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
