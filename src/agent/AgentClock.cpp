// This file must contain only truly operating-system independent code.
#include "agent/AgentClock.h"

namespace au {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 30 December 1899 to 1 January 1970.
constexpr int64_t kDays1899To1970 = 25569;
// The first second of 1 January 0001 and the last of 31 December 9999.
constexpr int64_t kFirstStamp = -59926435200;
constexpr int64_t kLastStamp = 255611462399;

// Division rounding toward minus infinity, so that instants before an epoch fall on the right day.
int64_t FloorDiv(int64_t A, int64_t B) {
  int64_t q = A / B;
  return (A % B != 0 && (A < 0) != (B < 0)) ? q - 1 : q;
}

// Days since 1 January 1970 of a proleptic Gregorian date (the civil-calendar algorithm by eras
// of 400 years).
int64_t DaysFromCivil(int64_t Year, int Month, int Day) {
  const int64_t y = Month <= 2 ? Year - 1 : Year;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;
  const int64_t mp = (Month + 9) % 12;  // March is 0
  const int64_t doy = (153 * mp + 2) / 5 + Day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The inverse of DaysFromCivil.
void CivilFromDays(int64_t Days, LocalDateTime& Time) {
  const int64_t z = Days + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  Time.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  Time.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  Time.Year = static_cast<int>(yoe + era * 400 + (Time.Month <= 2 ? 1 : 0));
}

}  // namespace

int64_t SecondsSince1899(const LocalDateTime& Time) {
  const int64_t days = DaysFromCivil(Time.Year, Time.Month, Time.Day) + kDays1899To1970;
  const int64_t seconds = int64_t{Time.Hour} * 3600 + int64_t{Time.Minute} * 60 + Time.Second;
  return days * kSecondsPerDay + seconds + (Time.Millisecond >= 500 ? 1 : 0);
}

LocalDateTime DateTimeOfSeconds(int64_t Stamp) {
  const int64_t stamp = Stamp < kFirstStamp ? kFirstStamp : Stamp > kLastStamp ? kLastStamp : Stamp;
  const int64_t days = FloorDiv(stamp, kSecondsPerDay);
  const int64_t rest = stamp - days * kSecondsPerDay;
  LocalDateTime time;
  CivilFromDays(days - kDays1899To1970, time);
  time.Hour = static_cast<int>(rest / 3600);
  time.Minute = static_cast<int>(rest / 60 % 60);
  time.Second = static_cast<int>(rest % 60);
  return time;
}

std::string ReadableStamp(int64_t Stamp) {
  return sys::FormatDateTimeDMY(DateTimeOfSeconds(Stamp), " ");
}

}  // namespace au
