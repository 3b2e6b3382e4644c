#pragma once
// The one reader and writer of every notation the program accepts in text:
// whole numbers as digits, the civil date "YYYY-MM-DD", the clock time
// ("HH:MM" on the 24-hour clock, "H:MMAM" / "H:MMPM" on the 12-hour clock,
// and the one conversion between the two), the moment
// "YYYY-MM-DDTHH:MM[Z|+HH:MM|-HH:MM]", an angle with its side ("077:12E",
// "28:36N"), a zone with its side ("05:30", "01:00E"), the daylight-saving
// hours, and the forms the settings file keeps a place in ("122 W 03",
// "37 N 54", "08 00 E") and the tz database's coordinates ("+2836+07712").
// Each notation has one rule and one complaint here, so every command and
// dialog that takes it refuses the same texts with the same words. The
// readers' complaints say what was expected; a front door puts the name of
// its option or field in front.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/present.h"
#include "engine/calendar.h"
#include "engine/dasha.h"
#include "engine/result.h"

namespace sarvexa {

// ---- whole numbers ----

/// A number of digits that means "as many as there are".
inline constexpr std::size_t kAnyDigitCount = static_cast<std::size_t>(-1);

/// A run of 1..maxDigits decimal digits and nothing else, as the options
/// that take a count write it; its value saturates at the largest int.
/// Nothing for any other text (a sign, a blank, an empty text).
std::optional<int> ReadDigits(std::string_view text, std::size_t maxDigits = kAnyDigitCount);

/// A whole number as the dialogs' number fields and the settings store take
/// it: optional surrounding blanks, an optional sign and decimal digits;
/// nothing for anything else or a value outside the 32-bit range.
std::optional<int> ParseWholeNumber(std::string_view text);

/// The value of a C-style text-to-integer conversion starting at character
/// `pos` (the settings file's fixed-column texts): blanks skipped, optional
/// sign, digits up to the first other character; 0 when there are no digits
/// or `pos` lies past the end. Values beyond the 32-bit range saturate.
int IntegerAt(std::string_view text, std::size_t pos);

// ---- civil date ----

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

/// A birth date under kBirthDates. One complaint for every fault:
/// "expected " followed by kBirthDateForm.
Result<CivilDate> ReadBirthDate(std::string_view text);
inline constexpr const char* kBirthDateForm =
    "YYYY-MM-DD with year 1700..2300, month 01..12, day 01..31";

/// "YYYY-MM-DD".
std::string WriteCivilDate(const CivilDate& date);

// ---- clock time ----

/// A clock time on the 24-hour clock.
struct ClockTime {
  int hour = 0;    ///< 0..23
  int minute = 0;  ///< 0..59
  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

/// An hour on the 12-hour clock, as the dialogs show it.
struct TwelveHour {
  int hour = 12;      ///< 1..12
  bool isPm = false;  ///< AM or PM
  friend bool operator==(const TwelveHour&, const TwelveHour&) = default;
};

/// 24-hour hour of a 12-hour clock reading: 12 AM is 0, 12 PM is 12, 11 PM is 23.
int To24Hour(int hour12, bool pm);
/// 12-hour form of a 24-hour hour: 0 is 12 AM, 12 is 12 PM, 23 is 11 PM (an
/// hour from 12 on counts as PM less 12, so every value comes back by To24Hour).
TwelveHour To12Hour(int hour24);

/// Reads "HH:MM" on the 24-hour clock (hour 0..23 in one or two digits,
/// minutes in two) or "H:MMAM" / "H:MMPM" (hour 1..12, any letter case).
/// The complaint is "expected " followed by kClockTimeForm.
Result<ClockTime> ReadClockTime(std::string_view text);
inline constexpr const char* kClockTimeForm =
    "HH:MM with hour 0..23 and minutes 00..59, or H:MMAM / H:MMPM with hour 1..12";

/// "HH:MM" on the 24-hour clock.
std::string WriteClockTime(const ClockTime& time);
/// The 12-hour form by To12Hour: "7:42 AM" when `spaced` (the status bar),
/// else "7:42AM" (the pages).
std::string WriteTwelveHourClock(const ClockTime& time, bool spaced);

// ---- moment ----

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

/// "YYYY-MM-DDTHH:MM" of a local clock reading, with `separator` between the
/// date and the time ('T', or a blank in running text).
std::string WriteMoment(const LocalClockReading& reading, char separator = 'T');

// ---- angle with its side ----

/// Longitude or latitude: its range and the letters of its two sides.
struct AngleAxis {
  int maxDegrees;    ///< 179 for a longitude, 89 for a latitude
  int degreeDigits;  ///< digits the writer gives the degrees: 3, 2
  char plainSide;    ///< 'W', 'N': the side the chart record counts positive
  char otherSide;    ///< 'E', 'S'
  const char* form;  ///< the complaint's description of the notation
};
inline constexpr AngleAxis kLongitudeAxis{179, 3, 'W', 'E',
                                          "DDD:MM followed by E or W, degrees 0..179, "
                                          "minutes 0..59"};
inline constexpr AngleAxis kLatitudeAxis{89, 2, 'N', 'S',
                                         "DD:MM followed by N or S, degrees 0..89, minutes 0..59"};

/// An angle as the place fields hold it: magnitudes and a side.
struct SidedAngle {
  int degrees = 0;
  int minutes = 0;
  bool otherSide = false;  ///< East for a longitude, South for a latitude
  friend bool operator==(const SidedAngle&, const SidedAngle&) = default;
};

/// Reads "DDD:MM" followed by one of the axis's side letters (any letter
/// case): degrees 0..maxDegrees in up to three digits, minutes 0..59 in up
/// to two. The complaint is "expected " followed by the axis's form.
Result<SidedAngle> ReadAngle(std::string_view text, const AngleAxis& axis);

/// "077:12E", "28:36N": degrees in the axis's digits, two-digit minutes,
/// the side letter.
std::string WriteAngle(const SidedAngle& angle, const AngleAxis& axis);

// ---- zone with its side, daylight saving ----

/// A time zone as the place fields hold it.
struct SidedZone {
  int hours = 0;               ///< 0..12
  int minutes = 0;             ///< 0..59
  std::optional<bool> isEast;  ///< the zone's own side, when one was written
  friend bool operator==(const SidedZone&, const SidedZone&) = default;
};

/// Reads "HH:MM", optionally followed by the zone's own side E or W (any
/// letter case): hours 0..12, minutes 0..59, each in up to two digits. The
/// complaint is "expected " followed by kZoneForm.
Result<SidedZone> ReadZone(std::string_view text);
inline constexpr const char* kZoneForm = "HH:MM with hours 0..12 and minutes 0..59, then E or W";

/// "05:30", "01:00E".
std::string WriteZone(const SidedZone& zone);

/// Reads the daylight-saving hours: a whole number 0..12 in up to two
/// digits. The complaint is "expected " followed by kDstForm.
Result<int> ReadDstHours(std::string_view text);
inline constexpr const char* kDstForm = "whole hours 0..12";

// ---- the settings file's place texts ----

/// A coordinate or an hours-and-minutes text as the settings file keeps it.
struct StoredCoordinate {
  int degrees = 0;  ///< or hours
  int minutes = 0;
  bool flag = false;  ///< East for a longitude, South for a latitude; unused otherwise
  friend bool operator==(const StoredCoordinate&, const StoredCoordinate&) = default;
};

/// "%03d %c %02d": degrees, 'E' or 'W', minutes (magnitudes).
std::string WriteStoredLongitude(int degrees, int minutes, bool east);
/// "%02d %c %02d": degrees, 'S' or 'N', minutes (magnitudes).
std::string WriteStoredLatitude(int degrees, int minutes, bool south);
/// "%02d %02d": hours and minutes (time zone, daylight saving).
std::string WriteStoredHoursMinutes(int hours, int minutes);
/// The zone text: hours and minutes, then " E" or " W" when the zone's own
/// side is given.
std::string WriteStoredZone(int hours, int minutes, std::optional<bool> east);

/// Degrees at character 0, minutes at 6, East when character 4 is 'E'.
StoredCoordinate ReadStoredLongitude(std::string_view text);
/// Degrees at character 0, minutes at 5, South when character 3 is 'S'.
StoredCoordinate ReadStoredLatitude(std::string_view text);
/// Hours at character 0, minutes at character 3 (flag unused).
StoredCoordinate ReadStoredHoursMinutes(std::string_view text);
/// The zone's own side written after the minutes ("08 00 E"); nothing when
/// the text carries none (readers that take only the two numbers are not
/// disturbed by it).
std::optional<bool> ReadStoredZoneSide(std::string_view text);

// ---- the tz database's coordinates ----

/// Takes "+DDMM" / "-DDMMSS" (`degreeDigits` 2, a latitude) or "+DDDMM" /
/// "-DDDMMSS" (3, a longitude) from the front of `text` (ISO 6709, as
/// zone1970.tab writes them): signed arc seconds. Nothing, and `text` left
/// as it was, for anything else.
std::optional<int> TakeIso6709Angle(std::string_view& text, std::size_t degreeDigits);

}  // namespace sarvexa
