// This file must contain only Win32 code.
#include "sys/DateText.h"

#include "sys/Platform.h"

namespace sys {
namespace {

// A locale separator such as LOCALE_SDATE, or Fallback when the locale has none.
std::string LocaleSeparator(LCTYPE Item, const char* Fallback) {
  char buffer[8];
  int length = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, Item, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, length - 1) : std::string(Fallback);
}

}  // namespace

DateTimeParts LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  DateTimeParts parts;
  parts.Year = now.wYear;
  parts.Month = now.wMonth;
  parts.Day = now.wDay;
  parts.Hour = now.wHour;
  parts.Minute = now.wMinute;
  parts.Second = now.wSecond;
  parts.Millisecond = now.wMilliseconds;
  return parts;
}

std::string LogStampNow(bool FourDigitYear) {
  return LogStampText(LocalNow(), FourDigitYear, LocaleDateSeparator(), LocaleTimeSeparator());
}

std::string LocaleDateSeparator() { return LocaleSeparator(LOCALE_SDATE, "/"); }

std::string LocaleTimeSeparator() { return LocaleSeparator(LOCALE_STIME, ":"); }

std::string LocaleMonthName(int Month) {
  if (Month < 1 || Month > 12) return std::string();
  char buffer[80];
  int length = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + (Month - 1), buffer,
                                sizeof buffer);
  return length > 1 ? std::string(buffer, length - 1) : std::string();
}

}  // namespace sys
