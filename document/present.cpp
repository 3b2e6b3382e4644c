#include "document/present.h"

#include <ctime>

namespace sarvexa {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Floor division for a positive divisor.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && (a < 0) ? 1 : 0);
}

}  // namespace

Instant ReadSystemInstant() { return Instant{static_cast<std::int64_t>(std::time(nullptr))}; }

// The civil-from-days and days-from-civil conversions count in eras of 400
// years (146097 days) from 0000-03-01, so that the leap day ends a year.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

LocalClockReading ClockReadingAt(Instant instant, int offsetSecondsEast) {
  const std::int64_t local = instant.unixSeconds + offsetSecondsEast;
  const std::int64_t days = FloorDiv(local, kSecondsPerDay);
  const std::int64_t secondOfDay = local - days * kSecondsPerDay;
  const std::int64_t z = days + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  LocalClockReading r;
  r.year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  r.month = month;
  r.day = day;
  r.hour = static_cast<int>(secondOfDay / 3600);
  r.minute = static_cast<int>(secondOfDay / 60 % 60);
  return r;
}

Instant InstantOfReading(const LocalClockReading& reading, int offsetSecondsEast) {
  const std::int64_t days = DaysFromCivil(reading.year, reading.month, reading.day);
  return Instant{days * kSecondsPerDay + reading.hour * 3600LL + reading.minute * 60LL -
                 offsetSecondsEast};
}

}  // namespace sarvexa
