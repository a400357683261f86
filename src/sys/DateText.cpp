// This file must contain only truly operating-system independent code.
#include "sys/DateText.h"

#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

// Item n is the month n; item 0 is empty.
constexpr const char* kMonthNames = "||JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC|";

std::string TimeText(const DateTimeParts& Date, const std::string& Separator) {
  return ZeroPad(Date.Hour, 2) + Separator + ZeroPad(Date.Minute, 2) + Separator +
         ZeroPad(Date.Second, 2);
}

}  // namespace

std::string FormatDateDMY(const DateTimeParts& Date) {
  return ZeroPad(Date.Day, 2) + "-" + SUB::GetItem(kMonthNames, Date.Month) + "-" +
         ZeroPad(Date.Year, 4);
}

std::string FormatDateTimeDMY(const DateTimeParts& Date, const std::string& Separator) {
  return FormatDateDMY(Date) + Separator + TimeText(Date, ":");
}

std::string LogStampText(const DateTimeParts& Date, bool FourDigitYear,
                         const std::string& DateSeparator, const std::string& TimeSeparator) {
  int year = FourDigitYear ? Date.Year : Date.Year % 100;
  return ZeroPad(Date.Day, 2) + DateSeparator + ZeroPad(Date.Month, 2) + DateSeparator +
         ZeroPad(year, FourDigitYear ? 4 : 2) + " " + TimeText(Date, TimeSeparator);
}

}  // namespace sys
