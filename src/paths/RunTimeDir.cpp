// This file must contain only truly operating-system independent code.
#include "paths/RunTimeDir.h"

namespace paths {

std::string RunTimeDir(int /*N*/, bool /*Closing*/) {
  // No definitions travel with the stub: each folder stays empty, and an empty folder gains
  // no closing backslash either.
  return std::string();
}

}  // namespace paths
