// The agent's clock: time stamps in whole seconds since 30 December 1899 00:00, local time, and
// their readable form "05-MAR-2014 09:07:03". The arithmetic is pure so that it can be checked on
// any host; only the current local time comes from the system (AgentClock_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "sys/DateText.h"

namespace au {

// A local date and time; the rounding of a stamp uses its milliseconds.
using LocalDateTime = sys::DateTimeParts;

// Seconds since 30 December 1899 00:00, rounded to the nearest whole second (500 ms and more
// count as the next second).
int64_t SecondsSince1899(const LocalDateTime& Time);
// The instant of a time stamp as a date and time (Millisecond 0). A stamp before 1 January 0001
// or after 31 December 9999 gives that first or last second: a readable copy has four digits
// for the year, and no clock gives such stamps.
LocalDateTime DateTimeOfSeconds(int64_t Stamp);
// The readable copy of a time stamp, the same instant as "DD-MON-YYYY HH:NN:SS".
std::string ReadableStamp(int64_t Stamp);

// Windows only (AgentClock_win32.cpp): the current local date and time, and it as a time stamp.
LocalDateTime ClockNow();
int64_t NowSeconds();

}  // namespace au
