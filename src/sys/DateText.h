// Date and time texts of the logs and messages, as plain functions of a date record; the
// current local time and the locale's separators come from the system (DateText_win32.cpp).
#pragma once

#include <string>

namespace sys {

struct DateTimeParts {
  int Year = 0, Month = 0, Day = 0;  // Month 1 to 12
  int Hour = 0, Minute = 0, Second = 0;
  int Millisecond = 0;  // only the agent's time stamps round with it
};

// "07-DEC-2026": day with 2 digits, month as "JAN" to "DEC", year with 4 digits. A month out of
// range leaves its place empty.
std::string FormatDateDMY(const DateTimeParts& Date);
// FormatDateDMY, Separator, then "HH:NN:SS" (hours 0 to 23).
std::string FormatDateTimeDMY(const DateTimeParts& Date, const std::string& Separator);
// "dd/mm/yy HH:NN:SS", or "dd/mm/yyyy HH:NN:SS" with FourDigitYear; the separators are the
// caller's.
std::string LogStampText(const DateTimeParts& Date, bool FourDigitYear,
                         const std::string& DateSeparator = "/",
                         const std::string& TimeSeparator = ":");

// Win32: the local date and time now; and LogStampText of it with the user locale's separators.
DateTimeParts LocalNow();
std::string LogStampNow(bool FourDigitYear);
// Win32: the user locale's date and time separators ("/" and ":" when it has none) and the
// full name of Month (1 to 12; empty for any other).
std::string LocaleDateSeparator();
std::string LocaleTimeSeparator();
std::string LocaleMonthName(int Month);

}  // namespace sys
