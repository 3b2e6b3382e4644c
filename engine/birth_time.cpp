#include "engine/birth_time.h"

#include "engine/calendar.h"
#include "engine/numeric.h"

namespace sarvexa {

namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}

// The clock fields moved by `minutes`: whole days into the date, the rest
// into 0..23 hours and 0..59 minutes.
BirthClock Moved(BirthClock c, std::int64_t minutes) {
  const std::int64_t total = static_cast<std::int64_t>(c.hour) * 60 + c.minute + minutes;
  const std::int64_t days = FloorDiv(total, kMinutesPerDay);
  const std::int64_t rest = total - days * kMinutesPerDay;
  c.julianDay = ClampToInt32(static_cast<std::int64_t>(c.julianDay) + days);
  c.hour = static_cast<int>(rest / 60);
  c.minute = static_cast<int>(rest % 60);
  return c;
}

}  // namespace

BirthClock BirthClockOf(const Horoscope& h) {
  BirthClock c;
  const WholeAndMinutes zone = SplitDegreesRounded(h.zone);
  c.zoneHours = zone.whole;
  c.zoneMinutes = zone.minutes;
  c.dstHours = h.dst;
  const WholeAndMinutes clock = SplitDegreesRounded(h.universalTime - h.zone + h.dst);
  c.julianDay = h.julianDay;
  c.hour = 0;
  c.minute = 0;
  return Moved(c, static_cast<std::int64_t>(clock.whole) * 60 + clock.minutes);
}

Horoscope ShiftBirthTime(const Horoscope& h, std::int64_t minutes) {
  const BirthClock c = Moved(BirthClockOf(h), minutes);
  Horoscope moved = h;
  moved.julianDay = c.julianDay;
  SetBirthTime(moved, c.hour, c.minute, c.zoneHours, c.zoneMinutes, c.dstHours, 0);
  return moved;
}

LocalClockReading ShiftedBirthClock(const Horoscope& h, std::int64_t minutes) {
  const BirthClock c = Moved(BirthClockOf(h), minutes);
  const CivilDate date = DateFromDayNumber(c.julianDay);
  return LocalClockReading{date.year, date.month, date.day, c.hour, c.minute};
}

}  // namespace sarvexa
