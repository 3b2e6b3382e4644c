#pragma once
// The present moment as an instant: whole seconds since 1970-01-01 00:00 UT,
// read once from the system clock, and its reading on a clock that runs a
// given offset from Universal Time. A local clock reading alone does not
// name a moment: the same reading is another moment in every zone, so the
// program keeps the instant and reads it on the clock of the place it
// needs (the Prasna location's, a transit place's).

#include <compare>
#include <cstdint>
#include <functional>

#include "engine/dasha.h"

namespace sarvexa {

/// A moment of time: whole seconds since 1970-01-01 00:00 UT, leap seconds
/// not counted (the system clock's count).
struct Instant {
  std::int64_t unixSeconds = 0;
  friend auto operator<=>(const Instant&, const Instant&) = default;
};

/// Source of the present instant (the system clock in the programs; tests
/// hand in fixed instants).
using InstantClock = std::function<Instant()>;

/// The system clock's present instant.
Instant ReadSystemInstant();

/// What a clock running `offsetSecondsEast` seconds ahead of Universal Time
/// (positive east of Greenwich) shows at `instant`, in the proleptic
/// Gregorian calendar; the seconds are dropped.
LocalClockReading ClockReadingAt(Instant instant, int offsetSecondsEast);

/// The instant at which a clock running `offsetSecondsEast` ahead of
/// Universal Time shows `reading` (proleptic Gregorian; a day the month does
/// not have rolls into the next month).
Instant InstantOfReading(const LocalClockReading& reading, int offsetSecondsEast);

/// Days from 1970-01-01 to a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

}  // namespace sarvexa
