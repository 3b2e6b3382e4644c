#pragma once
// The birth-data options shared by every subcommand that casts a chart. They
// mirror the fields of the "Chart Data" dialog: magnitudes entered as digits,
// with AM/PM, East/West and North/South choices giving the signs, and they are
// applied to a Horoscope exactly as the dialog's OK step applies its fields.

#include <optional>
#include <string>
#include <string_view>

#include "document/chart_data.h"
#include "document/chart_snapshot.h"
#include "document/zone_fields.h"
#include "engine/horoscope.h"

namespace sarvexa::cli {

/// The "Chart Data" dialog's fields, with its initial values. The place
/// (--lon, --lat, --zone, --dst, and the atlas zone of --city) is held as the
/// dialogs hold it; its `zoneEast` is --zone's own E/W letter.
struct BirthOptions : PlaceFields {
  std::string firstName;
  std::string lastName;
  std::string place;
  int hour = 1;        ///< clock hour 1..12
  bool isPm = false;   ///< AM or PM
  int minute = 0;      ///< 0..59
  int day = 1;         ///< 1..31 in any month
  int monthIndex = 0;  ///< 0 = January
  int year = 1997;     ///< 1700..2300
  std::string city;    ///< --city "Name[, State][, Country]", empty when not given
  FoldChoice fold = FoldChoice::Unresolved;  ///< --fold earlier|later
  std::string zoneLabel;                     ///< e.g. "Asia/Kolkata, +0630 war time"
  std::string zoneNote;                      ///< what the zone needed said (range, rounding)
  std::string cityName;                      ///< the full name of the atlas place --city took
  std::string cityNote;  ///< which place --city took, when others have that name too

  // Which options were given, for the required-option check.
  bool hasDate = false, hasTime = false, hasLon = false, hasLat = false, hasZone = false;
  bool hasDst = false;
};

/// Outcome of offering one command-line option to the birth-option parser.
enum class OptionStatus {
  NotABirthOption,  ///< not one of ours: the subcommand handles it
  Accepted,
  Rejected,  ///< the value was bad; the message says why
};

/// Parses one option (name with its leading dashes, e.g. "--date") and its
/// value into `out`. On rejection `message` receives one line naming the
/// option and its allowed form and range.
OptionStatus ParseBirthOption(std::string_view name, std::string_view value, BirthOptions& out,
                              std::string& message);

/// True if `name` is a birth option (all of them take a value).
bool IsBirthOption(std::string_view name);

/// Message for the first required option (--date, --time, --lon, --lat,
/// --zone) that was not given, or nothing when all are present.
std::optional<std::string> MissingBirthOption(const BirthOptions& options);

/// Sets the birth data of h as the dialog's OK step does: date, then the
/// clock hour in 24-hour form with zone and daylight saving (East negates
/// zone hours and minutes), then the place (East and South negate degrees and
/// minutes). Positions are not calculated.
void ApplyBirthOptions(const BirthOptions& options, Horoscope& h);

/// The chart the options stand for, as `chart` and `batch` cast it: names,
/// place and the atlas zone members, the calculated record, and, given a
/// clock reading, what a refresh derives at that reading.
ChartSnapshot CastChart(const BirthOptions& options, const LocalClockReading* now);
/// The same into `chart`, whose texts keep their room from one call to the
/// next (`batch` casts every row into one record). Without a clock reading
/// the derivations are left as they were.
void CastChart(const BirthOptions& options, const LocalClockReading* now, ChartSnapshot& chart);

/// The options as the "Chart Data" dialog's fields, for its checks and its
/// conversion to the chart record (document/chart_data.h).
ChartDataFields ToChartDataFields(const BirthOptions& options);

/// Copies the place options that were given (--lon, --lat, --zone) into a
/// dialog's place. Fields of options not given are kept.
void CopyGivenPlace(const BirthOptions& options, PlaceFields& fields);

/// Help text for the birth options, one option per line.
const char* BirthOptionsHelp();

}  // namespace sarvexa::cli
