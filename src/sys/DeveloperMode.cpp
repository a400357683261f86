// This file must contain only truly operating-system independent code.
#include "sys/DeveloperMode.h"

namespace sys {

bool IsDeveloperModeSetting(const std::string& Value) { return Value == "386"; }

}  // namespace sys
