// The date placeholder "<Date=" + code + ">", which stands for the current local date (and for
// code 7 the time) in one of a few fixed forms. The forms are plain functions of a date record
// and the locale's separators and month name (DatePlaceholder.cpp); the Win32 form that reads
// the clock and the locale is declared with ExpandPlaceholders (Placeholders.h).
#pragma once

#include <string>

#include "sys/DateText.h"

namespace paths {

// The moment and the locale texts a date placeholder is written with.
struct LocaleDate {
  sys::DateTimeParts Now;      // local date and time
  std::string DateSeparator;   // stands for "/" in the patterns
  std::string TimeSeparator;   // stands for ":"
  std::string MonthName;       // the full name of Now's month
};

// The text of Code: "#" dd/mmmm/yyyy, "0" whole days since 1 January 2000 00:00 (absolute
// difference), "1" dd-mm-yy, "2" mm-dd-yy, "3" yy-mm-dd, "4" dd-mm-yyyy, "5" mm-dd-yyyy,
// "6" yyyy-mm-dd, "7" yyyy-mm-dd hh:nn:ss. False for any other code.
bool DateCodeText(char Code, const LocaleDate& Date, std::string& Text);

// Text with its first "<Date=" (letter case ignored) replaced: "<Date=", the code and the one
// character after it (the closing ">") give way to the date text. Unchanged when no ">" follows
// "<Date=" or the code is unknown.
std::string ExpandDatePlaceholder(const std::string& Text, const LocaleDate& Date);

}  // namespace paths
