// Random numbers for keys and names that only need to differ from run to run (no cryptography).
#pragma once

#include <cstdint>

namespace sys {

// A number from Low to High, both included (the bounds may come in either order).
int64_t RandomInRange(int64_t Low, int64_t High);

}  // namespace sys
