// This file must contain only Win32 code.
#include "sys/DeveloperMode.h"

#include "sys/Platform.h"

namespace sys {
namespace {

std::string EnvironmentValue(const char* Name) {
  char buffer[64];
  DWORD length = ::GetEnvironmentVariableA(Name, buffer, sizeof buffer);
  // A value too long for the buffer is no "386" either.
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

}  // namespace

bool IsDeveloperMode() {
  static const bool on = IsDeveloperModeSetting(EnvironmentValue("DVX"));
  return on;
}

}  // namespace sys
