// DOS date-time values, the file dates that entry name lists carry: date in the high 16 bits
// (years since 1980, month, day), time in the low 16 bits (hour, minute, seconds / 2), local time.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace stubpack {

struct CalendarTime {
  int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// Years outside 1980..2107 cannot be expressed and are clamped to the nearest end.
uint32_t DosDateFromCalendar(const CalendarTime& t);
CalendarTime CalendarFromDosDate(uint32_t dosDate);

// "YYYY-MM-DD hh:mm:ss".
std::string DosDateText(uint32_t dosDate);

// The DOS date-time of a file's last write, in local time.
bool FileDosDate(const std::string& path, uint32_t& dosDate, std::string& error);

// Reads the decimal text of an entry's item 1. The stub's file-age call yields a signed 32-bit
// value, so both the signed and the unsigned spelling are accepted.
bool ParseDosDate(const std::string& text, uint32_t& dosDate);

}  // namespace stubpack
