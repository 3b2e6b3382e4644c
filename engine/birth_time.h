#pragma once
// The birth moment as the chart data enter it (local civil date, clock time
// to the minute, zone and daylight saving in whole units) and the same birth
// moved by whole minutes of clock time: what stepping a recorded birth time
// means. The zone and DST stay those of the chart; the date rolls over as a
// clock does.

#include <cstdint>

#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// The birth data of a chart as entered fields.
struct BirthClock {
  std::int32_t julianDay = 0;  ///< the local civil date
  int hour = 0;                ///< 0..23
  int minute = 0;              ///< 0..59
  int zoneHours = 0;           ///< signed like the record's zone (positive west)
  int zoneMinutes = 0;         ///< same sign as zoneHours
  int dstHours = 0;            ///< whole hours subtracted from the clock
};

/// The fields a chart's birth data were entered with: the clock time
/// universalTime - zone + dst and the zone, each rounded to the minute as the
/// "Chart Data" dialog shows them, the date from julianDay (a clock time
/// outside 0..23 hours rolls the date).
BirthClock BirthClockOf(const Horoscope& h);

/// A copy of h whose birth moment is `minutes` of local clock time later
/// (earlier when negative). julianDay, universalTime, zone, dst and
/// julianCenturies are written by SetBirthTime from the moved date and clock
/// time, exactly as entering them in the chart data writes them; the place
/// and the positions are copied unchanged (not recomputed). Moving by 0
/// gives back the record as entered.
Horoscope ShiftBirthTime(const Horoscope& h, std::int64_t minutes);

/// The local civil date and clock time of the birth moved by `minutes`.
LocalClockReading ShiftedBirthClock(const Horoscope& h, std::int64_t minutes);

}  // namespace sarvexa
