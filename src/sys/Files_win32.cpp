#include "sys/Files.h"

#include "stub/NotBuiltYet.h"

namespace sys {

void SelfDelete(const std::string& exePath, bool removeFolder) {
  NotBuiltYet("SelfDelete " + exePath + (removeFolder ? " with folder" : ""));
}

}  // namespace sys
