#include "agent/AgentClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "sys/DateText.h"

namespace {

au::LocalDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                     int ms = 0) {
  au::LocalDateTime t;
  t.Year = year, t.Month = month, t.Day = day;
  t.Hour = hour, t.Minute = minute, t.Second = second, t.Millisecond = ms;
  return t;
}

std::string Text(const au::LocalDateTime& t) { return sys::FormatDateTimeDMY(t, " "); }

struct KnownInstant {
  au::LocalDateTime time;
  int64_t seconds;
  const char* readable;
};

const KnownInstant kKnown[] = {
    {At(1899, 12, 30), 0, "30-DEC-1899 00:00:00"},
    {At(1899, 12, 29, 23, 59, 59), -1, "29-DEC-1899 23:59:59"},
    {At(1970, 1, 1), 2209161600, "01-JAN-1970 00:00:00"},
    {At(2014, 3, 5, 9, 7, 3), 3603172023, "05-MAR-2014 09:07:03"},
    {At(2000, 2, 29, 23, 59, 59), 3161030399, "29-FEB-2000 23:59:59"},
    {At(2100, 3, 1), 6316704000, "01-MAR-2100 00:00:00"},
    {At(1600, 1, 1), -9466934400, "01-JAN-1600 00:00:00"},
    {At(9999, 12, 31, 23, 59, 59), 255611462399, "31-DEC-9999 23:59:59"},
    {At(1, 1, 1), -59926435200, "01-JAN-0001 00:00:00"},
};

TEST(AgentClock, KnownInstantsInBothDirections) {
  for (const KnownInstant& k : kKnown) {
    SCOPED_TRACE(k.readable);
    EXPECT_EQ(k.seconds, au::SecondsSince1899(k.time));
    EXPECT_EQ(k.readable, au::ReadableStamp(k.seconds));
    const au::LocalDateTime back = au::DateTimeOfSeconds(k.seconds);
    EXPECT_EQ(k.readable, Text(back));
    EXPECT_EQ(0, back.Millisecond);
  }
}

TEST(AgentClock, MillisecondsRoundToTheNearestSecond) {
  struct Case {
    au::LocalDateTime time;
    int64_t seconds;
  } cases[] = {
      {At(2014, 3, 5, 9, 7, 3, 0), 3603172023},   {At(2014, 3, 5, 9, 7, 3, 499), 3603172023},
      {At(2014, 3, 5, 9, 7, 3, 500), 3603172024}, {At(2014, 3, 5, 9, 7, 3, 999), 3603172024},
      {At(1899, 12, 29, 23, 59, 59, 500), 0},     {At(1999, 12, 31, 23, 59, 59, 750), 3155846400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.time) + "." + std::to_string(c.time.Millisecond));
    EXPECT_EQ(c.seconds, au::SecondsSince1899(c.time));
  }
}

// Every stamp maps to one valid date and time and back to itself, across month ends, leap days
// and the epoch itself.
TEST(AgentClock, StampsRoundTripThroughTheCalendar) {
  for (int64_t stamp = -3000000000; stamp <= 9000000000; stamp += 7777777) {
    for (int64_t near : {stamp, stamp + 86399, stamp + 1}) {
      const au::LocalDateTime t = au::DateTimeOfSeconds(near);
      ASSERT_GE(t.Month, 1);
      ASSERT_LE(t.Month, 12);
      ASSERT_GE(t.Day, 1);
      ASSERT_LE(t.Day, 31);
      ASSERT_EQ(near, au::SecondsSince1899(t)) << Text(t);
    }
  }
}

TEST(AgentClock, ConsecutiveDaysAtMonthAndYearEnds) {
  struct Case {
    int64_t midnight;
    const char* day;
  } cases[] = {
      {3886704000, "28-FEB-2023"}, {3886790400, "01-MAR-2023"}, {3918240000, "28-FEB-2024"},
      {3918326400, "29-FEB-2024"}, {3918412800, "01-MAR-2024"}, {3944764800, "31-DEC-2024"},
      {3944851200, "01-JAN-2025"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(c.day) + " 00:00:00", au::ReadableStamp(c.midnight));
    EXPECT_EQ(std::string(c.day) + " 23:59:59", au::ReadableStamp(c.midnight + 86399));
  }
}

// Stamps come from files and control messages, so any 64-bit value must read safely; those
// beyond the four-digit years show the nearest end.
TEST(AgentClock, StampsBeyondFourDigitYearsShowTheNearestEnd) {
  struct Case {
    int64_t stamp;
    const char* readable;
  } cases[] = {
      {std::numeric_limits<int64_t>::min(), "01-JAN-0001 00:00:00"},
      {-59926435201, "01-JAN-0001 00:00:00"},
      {-59926435199, "01-JAN-0001 00:00:01"},
      {255611462400, "31-DEC-9999 23:59:59"},
      {std::numeric_limits<int64_t>::max(), "31-DEC-9999 23:59:59"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.readable, au::ReadableStamp(c.stamp)) << c.stamp;
}

}  // namespace
