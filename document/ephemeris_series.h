#pragma once
// The ephemeris series: the sidereal positions at local midnight of a run of
// dates stepping daily, weekly, monthly or yearly, for the current chart's
// place, zone and daylight saving. Each row is a full horoscope calculation on
// a temporary copy of the chart; the chart itself is never touched. The
// ephemeris page and the command-line tool list the same rows from here.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/cast.h"
#include "engine/calendar.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// Step between two rows; the values are the dialog's radio-button indices.
enum class EphemerisInterval : int { Daily = 0, Weekly = 1, Monthly = 2, Yearly = 3 };

/// The interval for a stored radio-button index 0..3, nothing otherwise.
std::optional<EphemerisInterval> EphemerisIntervalFromIndex(int index);

/// The interval for "daily", "weekly", "monthly" or "yearly" (any letter
/// case), nothing otherwise.
std::optional<EphemerisInterval> EphemerisIntervalFromName(const std::string& name);

/// Column headers of the eight listed grahas, GrahaIndex 1..8 (Ketu is not
/// listed): "Sun", "Moon", "Mars", "Merc", "Jupt", "Venus", "Sat", "Rahu".
inline constexpr std::array<const char*, 8> kEphemerisColumnHeaders = {
    "Sun", "Moon", "Mars", "Merc", "Jupt", "Venus", "Sat", "Rahu"};

/// Rows on the screen page and on the printed page.
inline constexpr int kEphemerisScreenRows = 24;
inline constexpr int kEphemerisPrintRows = 58;

/// One listed date.
struct EphemerisRow {
  std::int32_t julianDay = 0;  ///< Julian Day Number of the row's local date
  CivilDate date;              ///< DateFromDayNumber(julianDay)
  Horoscope horoscope;         ///< the calculated temporary chart of this row
  PositionSource source;       ///< where its positions came from
};

/// The temporary chart of the first row, before calculation: a copy of
/// `chart` with `universalTime` = zone - dst (local midnight of the chart's
/// zone and daylight saving). A non-zero `startDay` (Julian Day Number) sets
/// `julianDay` and `julianCenturies` to that day's local midnight; with
/// `startDay` 0 the copy keeps the chart's own `julianDay` and
/// `julianCenturies`, so the first row shows the birth moment itself.
Horoscope EphemerisStartHoroscope(const Horoscope& chart, std::int32_t startDay);

/// The Julian Day Number of the row after the one dated `julianDay`.
/// Daily +1, weekly +7; monthly asks for the same day of the next month and
/// yearly for the same day of the next year, through DayNumberFromDate, so
/// 31 January is followed by "31 February", i.e. 3 March (2 March in a leap
/// year), and the series then continues from that day of the month.
std::int32_t NextEphemerisDay(std::int32_t julianDay, EphemerisInterval interval);

/// `rowCount` rows (none when rowCount <= 0) from `startDay` (0: the chart's
/// own date and moment, see EphemerisStartHoroscope) stepping by `interval`.
/// Every row after the first is calculated for local midnight, each cast
/// with the theory and conventions of `context`; the first row that cannot
/// be cast fails the series with its reason.
Result<std::vector<EphemerisRow>> ComputeEphemerisSeries(const Horoscope& chart,
                                                         std::int32_t startDay,
                                                         EphemerisInterval interval, int rowCount,
                                                         const CastContext& context = {});

/// Where a series' positions came from: the files of every row, and the
/// analytical theory where any row fell back to it. `ephemeris` names the
/// theory of a series without rows.
PositionSource EphemerisSeriesSource(const std::vector<EphemerisRow>& rows,
                                     EphemerisKind ephemeris);

/// The date text at a row's left: "%s %2d,%d: " (month abbreviation, day,
/// year), e.g. "Jan  5,2000: ".
std::string EphemerisDateText(const CivilDate& date);

/// One cell: "%02d%s%02d" of degrees in the sign, sign abbreviation and
/// truncated minutes, followed by "R" when retrograde, e.g. "16Sg22".
std::string EphemerisCellText(const GrahaPosition& position);

/// The whole series as plain text for the command-line tool: a line
/// "Date" plus the eight headers, then one line per row with the date text
/// and the eight cells, columns padded with spaces; lines end in "\n".
std::string EphemerisSeriesText(const std::vector<EphemerisRow>& rows);

}  // namespace sarvexa
