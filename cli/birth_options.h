#pragma once
// The birth-data options shared by every subcommand that casts a chart. They
// mirror the fields of the "Chart Data" dialog: magnitudes entered as digits,
// with AM/PM, East/West and North/South choices giving the signs, and they are
// applied to a Horoscope exactly as the dialog's OK step applies its fields.

#include <optional>
#include <string>
#include <string_view>

#include "document/cast.h"
#include "document/chart_data.h"
#include "document/chart_snapshot.h"
#include "document/zone_fields.h"
#include "engine/horoscope.h"
#include "engine/result.h"

namespace sarvexa::cli {

/// The birth options of a command: the "Chart Data" dialog's fields with its
/// initial values (names, 12-hour clock, date, place text, and the place of
/// --lon, --lat, --zone, --dst and the atlas zone of --city; the place's
/// `zoneEast` is --zone's own E/W letter), and what --city found.
struct BirthOptions {
  ChartDataFields fields;
  std::string city;                          ///< --city "Name[, State][, Country]", or empty
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

/// Fails with the message for the first required option (--date, --time,
/// --lon, --lat, --zone) that was not given.
Result<void> RequireBirthOptions(const BirthOptions& options);

/// The snapshot of a chart cast from the options, as `chart` and `batch`
/// print it: the cast record and derivations with the names, place and atlas
/// members of the options. `chart` keeps the room of its texts from one
/// call to the next (`batch` fills one snapshot per row).
void FillSnapshot(const BirthOptions& options, CastChart&& cast, const CastContext& context,
                  ChartSnapshot& chart);

/// Copies the place options that were given (--lon, --lat, --zone) into a
/// dialog's place. Fields of options not given are kept.
void CopyGivenPlace(const BirthOptions& options, PlaceFields& fields);

/// Help text for the birth options, one option per line.
const char* BirthOptionsHelp();

}  // namespace sarvexa::cli
