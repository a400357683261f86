#include "sys/DateText.h"

#include <gtest/gtest.h>

#include <string>

using namespace sys;

namespace {

DateTimeParts At(int Year, int Month, int Day, int Hour = 0, int Minute = 0, int Second = 0) {
  DateTimeParts d;
  d.Year = Year;
  d.Month = Month;
  d.Day = Day;
  d.Hour = Hour;
  d.Minute = Minute;
  d.Second = Second;
  return d;
}

TEST(DateText, DayMonthNameYear) {
  struct Case {
    DateTimeParts date;
    std::string want;
  } cases[] = {
      {At(2026, 12, 7), "07-DEC-2026"}, {At(1999, 1, 31), "31-JAN-1999"},
      {At(2004, 2, 29), "29-FEB-2004"}, {At(987, 6, 1), "01-JUN-0987"},
      {At(2026, 13, 1), "01--2026"},    {At(2026, 0, 1), "01--2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(FormatDateDMY(c.date), c.want);
  }
}

TEST(DateText, DateTimeWithTheCallersSeparator) {
  EXPECT_EQ(FormatDateTimeDMY(At(2026, 3, 5, 9, 4, 7), " "), "05-MAR-2026 09:04:07");
  EXPECT_EQ(FormatDateTimeDMY(At(2026, 3, 5, 23, 59, 59), " - "), "05-MAR-2026 - 23:59:59");
}

TEST(DateText, LogStampWithTwoOrFourDigitYear) {
  struct Case {
    DateTimeParts date;
    bool fourDigits;
    std::string dateSep, timeSep, want;
  } cases[] = {
      {At(2026, 3, 5, 9, 4, 7), false, "/", ":", "05/03/26 09:04:07"},
      {At(2026, 3, 5, 9, 4, 7), true, "/", ":", "05/03/2026 09:04:07"},
      {At(2009, 11, 30, 0, 0, 0), false, ".", ".", "30.11.09 00.00.00"},
      {At(2000, 1, 1, 13, 30, 0), false, "-", ":", "01-01-00 13:30:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(LogStampText(c.date, c.fourDigits, c.dateSep, c.timeSep), c.want);
  }
  EXPECT_EQ(LogStampText(At(2026, 3, 5, 9, 4, 7), false), "05/03/26 09:04:07");
}

}  // namespace
