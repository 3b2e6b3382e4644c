// Calendar and birth-data conversions. The date arithmetic is done in 64-bit
// integers: a chart file can carry any 32-bit day number, and the day-number
// formulas multiply it by up to 4000, which would overflow 32 bits.

#include "engine/calendar.h"

#include <cmath>

#include "engine/numeric.h"

namespace sarvexa {
namespace {

// Floor division for a positive divisor. For non-negative numerators it is the
// ordinary truncating division, so every date of the Common Era comes out as
// the textbook integer formulas give it; below that it keeps the inversion a
// proleptic Gregorian calendar instead of producing months outside 1..12.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

}  // namespace

std::int32_t DayNumberFromDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  const std::int64_t m = 12 * static_cast<std::int64_t>(year) + month + 57597;
  std::int64_t n = day + m / 48 + (365 * m + 2 * (m % 12) + 7) / 12 - 32083;
  // Gregorian from 15 October 1582: that date itself gives 2299171 from the
  // Julian formula and needs no correction, later dates do.
  if (n > 2299171) n = n + m / 4800 - m / 1200 + 38;
  return ClampToInt32(n);
}

CivilDate DateFromDayNumber(std::int32_t dayNumber) {
  std::int64_t l = static_cast<std::int64_t>(dayNumber) + 68569;
  const std::int64_t q = FloorDiv(4 * l, 146097);
  l = l - FloorDiv(146097 * q + 3, 4);
  const std::int64_t i = FloorDiv(4000 * (l + 1), 1461001);
  l = l - FloorDiv(1461 * i, 4) + 31;
  const std::int64_t j = FloorDiv(80 * l, 2447);
  const std::int64_t day = l - FloorDiv(2447 * j, 80);
  const std::int64_t k = FloorDiv(j, 11);
  const std::int64_t month = j + 2 - 12 * k;
  const std::int64_t year = 100 * (q - 49) + i + k;
  CivilDate d;
  d.month = static_cast<int>(month);
  d.day = static_cast<int>(day);
  d.year = static_cast<int>(year);  // |year| < 6 million for any 32-bit input
  return d;
}

CivilDate DateFromDayCount(double dayCount) {
  return DateFromDayNumber(TruncToInt(std::floor(dayCount + 0.5)));
}

void SetBirthDate(Horoscope& h, int month, int day, int year) {
  h.julianDay = DayNumberFromDate(year, month, day);
}

void SetBirthTime(Horoscope& h, int hour, int minutes, int zoneHours, int zoneMinutes, int dstHours,
                  int dstMinutes) {
  (void)dstMinutes;  // the record keeps whole daylight-saving hours only
  h.dst = ClampToInt16(dstHours);
  h.zone = static_cast<double>(zoneHours) + static_cast<double>(zoneMinutes) * 60.0 / 3600.0;
  // The integer sums are formed in 64 bits so that no entered value can
  // overflow them; they are exact in a double.
  const auto wholeHours = static_cast<std::int64_t>(hour) + zoneHours - dstHours;
  const auto wholeMinutes = static_cast<std::int64_t>(minutes) + zoneMinutes;
  h.universalTime =
      static_cast<double>(wholeHours) + static_cast<double>(wholeMinutes) * 60.0 / 3600.0;
  h.julianCenturies =
      (static_cast<double>(h.julianDay) - 2451545.0 + h.universalTime / 24.0 - 0.5) *
      (1.0 / 36525.0);
}

void SetBirthPlace(Horoscope& h, int lonDegrees, int lonMinutes, int latDegrees, int latMinutes) {
  h.longitude = static_cast<double>(lonDegrees) + static_cast<double>(lonMinutes) * 60.0 / 3600.0;
  h.latitude = static_cast<double>(latDegrees) + static_cast<double>(latMinutes) * 60.0 / 3600.0;
}

WholeAndMinutes SplitDegreesRounded(double value) {
  const double y = value < 0.0 ? value - 1.0 / 120.0 : value + 1.0 / 120.0;
  return SplitDegrees(y);
}

}  // namespace sarvexa
