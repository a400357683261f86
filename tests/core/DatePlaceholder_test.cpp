// The date placeholder's codes and where it is replaced.
#include "paths/DatePlaceholder.h"

#include <gtest/gtest.h>

#include <string>

using namespace paths;

namespace {

LocaleDate At(int Year, int Month, int Day, int Hour = 7, int Minute = 8, int Second = 9) {
  LocaleDate date;
  date.Now.Year = Year;
  date.Now.Month = Month;
  date.Now.Day = Day;
  date.Now.Hour = Hour;
  date.Now.Minute = Minute;
  date.Now.Second = Second;
  date.DateSeparator = ".";
  date.TimeSeparator = "_";
  date.MonthName = "March";
  return date;
}

TEST(DatePlaceholder, EveryCodeInItsForm) {
  const LocaleDate date = At(2024, 3, 5, 17, 8, 9);
  struct Case {
    char code;
    std::string text;
  } cases[] = {
      {'#', "05.March.2024"},  // the locale's separator and month name
      {'0', "8830"},
      {'1', "05-03-24"},
      {'2', "03-05-24"},
      {'3', "24-03-05"},
      {'4', "05-03-2024"},
      {'5', "03-05-2024"},
      {'6', "2024-03-05"},
      {'7', "2024-03-05 17_08_09"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    std::string text;
    ASSERT_TRUE(DateCodeText(c.code, date, text));
    EXPECT_EQ(text, c.text);
  }
  std::string text = "unchanged";
  for (char code : {'8', '9', 'a', '>', '\0'}) EXPECT_FALSE(DateCodeText(code, date, text));
  EXPECT_EQ(text, "unchanged");
}

TEST(DatePlaceholder, DaysSince2000CountWholeDaysEitherWay) {
  struct Case {
    LocaleDate date;
    std::string days;
  } cases[] = {
      {At(2000, 1, 1, 0, 0, 0), "0"},
      {At(2000, 1, 1, 23, 59, 59), "0"},
      {At(2000, 1, 2, 0, 0, 0), "1"},
      {At(2001, 1, 1, 0, 0, 0), "366"},  // 2000 is a leap year
      {At(1999, 12, 31, 12, 0, 0), "0"},
      {At(1999, 12, 30, 23, 0, 0), "1"},
      {At(2100, 3, 1, 0, 0, 0), "36584"},  // 2100 is no leap year
  };
  for (const Case& c : cases) {
    std::string text;
    ASSERT_TRUE(DateCodeText('0', c.date, text));
    EXPECT_EQ(text, c.days) << c.date.Now.Year << "-" << c.date.Now.Month << "-" << c.date.Now.Day;
  }
}

TEST(DatePlaceholder, OnlyTheFirstWellFormedPlaceholderIsReplaced) {
  const LocaleDate date = At(2024, 3, 5);
  struct Case {
    std::string text, result;
  } cases[] = {
      {"<Date=6>", "2024-03-05"},
      {"log_<date=6>.txt", "log_2024-03-05.txt"},
      {"<DATE=1>-<Date=6>", "05-03-24-<Date=6>"},
      {"<Date=9>", "<Date=9>"},
      {"<Date=6", "<Date=6"},          // no ">" after it
      {"x><Date=6", "x><Date=6"},      // a ">" before it does not count
      {"<Date=", "<Date="},
      {"<Date=>", "<Date=>"},
      {"<Date=6x>", "2024-03-05>"},    // the character after the code goes, whatever it is
      {"<Date=9> <Date=6>", "<Date=9> <Date=6>"},
      {"no date", "no date"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ExpandDatePlaceholder(c.text, date), c.result);
  }
}

}  // namespace
