#pragma once
// Civil date <-> Julian Day Number, entered clock time and place -> the
// chart's birth data, and the two ways of splitting a decimal value into whole
// units and minutes for display. Free functions without state.

#include <cmath>
#include <cstdint>

#include "engine/horoscope.h"
#include "engine/numeric.h"

namespace sarvexa {

/// A civil date as month (1..12), day (1..31) and year.
struct CivilDate {
  int month = 1;
  int day = 1;
  int year = 2000;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// Whole units and minutes of a decimal value (degrees or hours).
struct WholeAndMinutes {
  int whole = 0;
  int minutes = 0;
  friend bool operator==(const WholeAndMinutes&, const WholeAndMinutes&) = default;
};

/// Julian Day Number of a civil date: Julian calendar up to 4 October 1582,
/// Gregorian from 15 October 1582. 1 January 2000 gives 2451545.
std::int32_t DayNumberFromDate(std::int32_t year, std::int32_t month, std::int32_t day);

/// Proleptic Gregorian civil date of a Julian Day Number.
CivilDate DateFromDayNumber(std::int32_t dayNumber);

/// Civil date under which a day count (JDN + hours/24) is shown:
/// DateFromDayNumber(floor(dayCount + 0.5)).
CivilDate DateFromDayCount(double dayCount);

/// Writes `julianDay` from month, day and year.
void SetBirthDate(Horoscope& h, int month, int day, int year);

/// Writes `zone`, `dst`, `universalTime` and `julianCenturies` (reads
/// `julianDay`, so call after SetBirthDate). Zone hours and minutes carry the
/// same sign, positive west; dstMinutes is accepted and ignored.
void SetBirthTime(Horoscope& h, int hour, int minutes, int zoneHours, int zoneMinutes, int dstHours,
                  int dstMinutes);

/// Writes `longitude` and `latitude` from signed degrees and minutes
/// (East and South negative in both parts).
void SetBirthPlace(Horoscope& h, int lonDegrees, int lonMinutes, int latDegrees, int latMinutes);

/// Whole part and minutes, both truncated toward zero. Inline: the varga
/// signs split every longitude of a chart on each refresh.
inline WholeAndMinutes SplitDegrees(double value) {
  WholeAndMinutes r;
  // Beyond the integer range (or NaN) the whole part saturates and there are
  // no meaningful minutes to show.
  if (!(std::fabs(value) < 2147483648.0)) {
    r.whole = TruncToInt(value);
    return r;
  }
  r.whole = TruncToInt(value);
  r.minutes = TruncToInt((value - r.whole) * 60.0);
  return r;
}

/// Whole part and minutes rounded to the nearest minute, halves away from
/// zero, carrying into the whole part (10.9999 gives 11 and 0).
WholeAndMinutes SplitDegreesRounded(double value);

}  // namespace sarvexa
