// This file must contain only truly operating-system independent code.
#include "DosDateTime.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace stubpack {
namespace {

// stubpack runs on one thread, so the shared result of localtime is safe to copy.
bool LocalCalendar(std::time_t when, CalendarTime& t) {
  const std::tm* parts = std::localtime(&when);
  if (parts == nullptr) return false;
  t.year = parts->tm_year + 1900;
  t.month = parts->tm_mon + 1;
  t.day = parts->tm_mday;
  t.hour = parts->tm_hour;
  t.minute = parts->tm_min;
  t.second = parts->tm_sec;
  return true;
}

}  // namespace

uint32_t DosDateFromCalendar(const CalendarTime& t) {
  CalendarTime c = t;
  if (c.year < 1980) c = CalendarTime{};
  if (c.year > 2107) c = CalendarTime{2107, 12, 31, 23, 59, 58};
  const uint32_t date = static_cast<uint32_t>((c.year - 1980) << 9 | c.month << 5 | c.day);
  const uint32_t time = static_cast<uint32_t>(c.hour << 11 | c.minute << 5 | c.second / 2);
  return date << 16 | time;
}

CalendarTime CalendarFromDosDate(uint32_t dosDate) {
  CalendarTime t;
  t.year = 1980 + static_cast<int>(dosDate >> 25);
  t.month = static_cast<int>(dosDate >> 21 & 15);
  t.day = static_cast<int>(dosDate >> 16 & 31);
  t.hour = static_cast<int>(dosDate >> 11 & 31);
  t.minute = static_cast<int>(dosDate >> 5 & 63);
  t.second = static_cast<int>(dosDate & 31) * 2;
  return t;
}

std::string DosDateText(uint32_t dosDate) {
  const CalendarTime t = CalendarFromDosDate(dosDate);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

bool FileDosDate(const std::string& path, uint32_t& dosDate, std::string& error) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  CalendarTime t;
  if (!LocalCalendar(st.st_mtime, t)) {
    error = path + ": its date cannot be expressed in local time";
    return false;
  }
  dosDate = DosDateFromCalendar(t);
  return true;
}

bool ParseDosDate(const std::string& text, uint32_t& dosDate) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string digits = negative ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 10) return false;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (negative ? value > 2147483648LL : value > 4294967295LL) return false;
  dosDate = static_cast<uint32_t>(negative ? -value : value);
  return true;
}

}  // namespace stubpack
