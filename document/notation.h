#pragma once
// The one reader of the date and moment notations that every command takes:
// the civil date "YYYY-MM-DD" and the moment "YYYY-MM-DDTHH:MM", which may
// end in "Z" or "+HH:MM" / "-HH:MM" to name an exact instant. Each kind of
// date has one rule (its range, and whether a day the month does not have
// is taken), so every command refuses the same texts with the same words.

#include <optional>
#include <string>
#include <string_view>

#include "document/present.h"
#include "engine/calendar.h"
#include "engine/dasha.h"
#include "engine/result.h"

namespace sarvexa {

/// The dates a notation admits.
struct DateRule {
  CivilDate first;             ///< earliest date admitted
  CivilDate last;              ///< latest date admitted
  int lowestDay = 1;           ///< 1, or 0 where day 0 is the last day of the month before
  bool realDaysOnly = true;    ///< false: any day up to 31 in any month, rolling over as
                               ///< the data-entry dialogs take it
  bool shortMonthDay = false;  ///< month and day may have one digit ("2000-1-5")
};

/// A moment's date (--now, --at, a batch row's `now`): real dates from the
/// first day of the Gregorian calendar to the end of year 9999.
inline constexpr DateRule kMomentDates{{10, 15, 1582}, {12, 31, 9999}, 1, true};
/// A birth date (--date, a batch row's `date`): the "Chart Data" dialog's
/// years 1700..2300, day 1..31 in any month.
inline constexpr DateRule kBirthDates{{1, 1, 1700}, {12, 31, 2300}, 1, false, true};
/// The first date of an ephemeris (--from): the "Ephemeris" dialog's years
/// 1800..2100, day 0..31 in any month.
inline constexpr DateRule kEphemerisStartDates{{1, 1, 1800}, {12, 31, 2100}, 0, false, true};

/// Reads "YYYY-MM-DD" (four-digit year; two-digit month and day, or one or
/// two digits where the rule says so) under `rule`. The message says what is wrong: the form, the
/// month or day range, a day the month does not have, or a date outside the rule's range.
Result<CivilDate> ReadCivilDate(std::string_view text, const DateRule& rule);

/// A moment as written: a clock reading, and the offset from Universal Time
/// when one was written.
struct WrittenMoment {
  LocalClockReading clock;               ///< date and 24-hour time as written
  std::optional<int> offsetMinutesEast;  ///< "Z" is 0; none for a local clock reading
  /// The exact instant, when an offset was written.
  std::optional<Instant> instant() const;
};

/// Reads "YYYY-MM-DDTHH:MM" (a blank or "t" may stand for the "T"),
/// optionally followed by "Z" or "+HH:MM" / "-HH:MM" (hours 00..23). The
/// date follows kMomentDates. A failure is one line that begins with
/// `optionName`.
Result<WrittenMoment> ReadMoment(std::string_view optionName, std::string_view text);

/// The form ReadMoment takes, for help texts.
inline constexpr const char* kMomentForm = "YYYY-MM-DDTHH:MM[Z|+HH:MM|-HH:MM]";

}  // namespace sarvexa
