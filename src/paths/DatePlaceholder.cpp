// This file must contain only truly operating-system independent code.
#include "paths/DatePlaceholder.h"

#include <cstdint>

#include "sys/UtilsText.h"

namespace paths {
namespace {

const char kDateTag[] = "<Date=";
constexpr size_t kDateTagLength = sizeof kDateTag - 1;

// Days from 1 January 1970 to the given day of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t Year, int64_t Month, int64_t Day) {
  Year -= Month <= 2 ? 1 : 0;
  const int64_t era = (Year >= 0 ? Year : Year - 399) / 400;
  const int64_t yearOfEra = Year - era * 400;
  const int64_t dayOfYear = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int64_t SecondsOf(const sys::DateTimeParts& T) {
  return DaysFromCivil(T.Year, T.Month, T.Day) * 86400 + T.Hour * 3600 + T.Minute * 60 +
         T.Second;
}

std::string DaysSince2000(const sys::DateTimeParts& Now) {
  sys::DateTimeParts start;
  start.Year = 2000;
  start.Month = 1;
  start.Day = 1;
  int64_t seconds = SecondsOf(Now) - SecondsOf(start);
  if (seconds < 0) seconds = -seconds;
  return std::to_string(seconds / 86400);
}

std::string Two(int Value) { return sys::ZeroPad(Value, 2); }
std::string Four(int Value) { return sys::ZeroPad(Value, 4); }

}  // namespace

bool DateCodeText(char Code, const LocaleDate& Date, std::string& Text) {
  const sys::DateTimeParts& t = Date.Now;
  const std::string dd = Two(t.Day), mm = Two(t.Month), yy = Two(t.Year % 100);
  const std::string yyyy = Four(t.Year);
  switch (Code) {
    case '#': Text = dd + Date.DateSeparator + Date.MonthName + Date.DateSeparator + yyyy; break;
    case '0': Text = DaysSince2000(t); break;
    case '1': Text = dd + "-" + mm + "-" + yy; break;
    case '2': Text = mm + "-" + dd + "-" + yy; break;
    case '3': Text = yy + "-" + mm + "-" + dd; break;
    case '4': Text = dd + "-" + mm + "-" + yyyy; break;
    case '5': Text = mm + "-" + dd + "-" + yyyy; break;
    case '6': Text = yyyy + "-" + mm + "-" + dd; break;
    case '7':
      Text = yyyy + "-" + mm + "-" + dd + " " + Two(t.Hour) + Date.TimeSeparator +
             Two(t.Minute) + Date.TimeSeparator + Two(t.Second);
      break;
    default: return false;
  }
  return true;
}

std::string ExpandDatePlaceholder(const std::string& Text, const LocaleDate& Date) {
  size_t at = sys::PosNoCase(Text, kDateTag);
  if (at == 0) return Text;
  const size_t tag = at - 1;
  const size_t code = tag + kDateTagLength;
  // A ">" after the tag is what makes it a placeholder; with a known code (never ">") it lies
  // beyond the code, so the code and the character after it are both inside the text.
  if (Text.find('>', code) == std::string::npos) return Text;
  std::string date;
  if (!DateCodeText(Text[code], Date, date) || code + 1 >= Text.size()) return Text;
  return Text.substr(0, tag) + date + Text.substr(code + 2);
}

}  // namespace paths
