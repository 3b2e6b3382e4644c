#pragma once
// The birth-data options shared by every subcommand that casts a chart. They
// mirror the fields of the "Chart Data" dialog: magnitudes entered as digits,
// with AM/PM, East/West and North/South choices giving the signs, and they go
// into the dialog's own record, checked and cast as the dialog's OK step
// does. Each option is declared once, in BirthOptionRows().

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/convention_options.h"
#include "cli/option_table.h"
#include "document/cast.h"
#include "document/chart_data.h"
#include "document/chart_snapshot.h"
#include "document/notation.h"
#include "document/settings_store.h"
#include "document/zone_fields.h"
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

/// --first, --last, --place, --date, --time, --lon, --lat, --zone, --dst,
/// --city and --fold, in the order --help lists them (column 22). A
/// complaint names the option, what it expects and the value given.
std::span<const Option<BirthOptions>> BirthOptionRows();

/// Takes the birth option `name` ("--date") with `value` by its row of
/// BirthOptionRows(), as the command line would (a `batch` row's cells).
Result<void> TakeBirthOption(BirthOptions& options, std::string_view name, std::string_view value);

/// The takers of the place options, for commands that list them in their
/// own words (the Prasna's place): the value of --lon, --lat, --zone or
/// --dst read into `options` as BirthOptionRows() reads it.
Result<void> TakeLongitude(BirthOptions& options, std::string_view name, std::string_view value);
Result<void> TakeLatitude(BirthOptions& options, std::string_view name, std::string_view value);
Result<void> TakeZone(BirthOptions& options, std::string_view name, std::string_view value);
Result<void> TakeDst(BirthOptions& options, std::string_view name, std::string_view value);

/// A transit place option (--at-lon, --at-lat, --at-zone, --at-dst) read
/// into `place` by the place option of its plain name; the complaint says
/// both: "--at-lon (as --lon): --lon: expected ...".
Result<void> TakeTransitPlace(BirthOptions& place, std::string_view name, std::string_view value);

/// Fails with the message for the first required option (--date, --time,
/// --lon, --lat, --zone) that was not given.
Result<void> RequireBirthOptions(const BirthOptions& options);

/// The birth options as checked chart data: --city resolved into the fields
/// it fills, the required options present, then the "Chart Data" dialog's
/// checks in its order ("FIELD: message" for the first that fails).
Result<CheckedChartData> CheckBirthOptions(BirthOptions& options);

/// The snapshot of a chart cast from the options, as `chart` and `batch`
/// print it: the cast record and derivations with the names, place and atlas
/// members of the options. `chart` keeps the room of its texts from one
/// call to the next (`batch` fills one snapshot per row).
void FillSnapshot(const BirthOptions& options, CastChart&& cast, const CastContext& context,
                  ChartSnapshot& chart);

/// One birth cast as `chart` and `sensitivity` cast it, or the exit code of
/// a failure already said on the error stream.
struct BirthCast {
  std::optional<ChartSnapshot> chart;
  int exitCode = 0;
};
/// Casts the checked birth options under the conventions given over the
/// stored ones, with the running period at `now` (the present without it)
/// read on the stored Prasna location's clock. A convention refused is said
/// with exit code 2, a cast that fails with 1.
BirthCast CastBirthOptions(const BirthOptions& birth, const CheckedChartData& checked,
                           const ConventionOptions& conventions,
                           const std::optional<WrittenMoment>& now, const SettingsStore& stored,
                           const char* command, std::ostream& err);

/// Copies the place options that were given (--lon, --lat, --zone) into a
/// dialog's place. Fields of options not given are kept.
void CopyGivenPlace(const BirthOptions& options, PlaceFields& fields);

}  // namespace sarvexa::cli
