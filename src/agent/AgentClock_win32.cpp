// The current local time for the agent's time stamps, with the milliseconds that their rounding
// needs.
// This file must contain only Win32 specific code.
#include "agent/AgentClock.h"
#include "sys/Platform.h"

namespace au {

LocalDateTime ClockNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  LocalDateTime time;
  time.Year = now.wYear;
  time.Month = now.wMonth;
  time.Day = now.wDay;
  time.Hour = now.wHour;
  time.Minute = now.wMinute;
  time.Second = now.wSecond;
  time.Millisecond = now.wMilliseconds;
  return time;
}

int64_t NowSeconds() { return SecondsSince1899(ClockNow()); }

}  // namespace au
