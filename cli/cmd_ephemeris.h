#pragma once
// The ephemeris subcommand's own options and its report: the rows of the
// ephemeris page for the open chart's place, zone and daylight saving.
//   --from YYYY-MM-DD   start date (year 1800..2100, day 0..31 as in the
//                       dialog; day 0 is the last day of the month before);
//                       without it the series starts at the chart's own date
//                       and its first row is the birth moment
//   --interval daily|weekly|monthly|yearly   (default daily)
//   --rows N            1..10000 rows (default 24, the screen page)

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "cli/export_options.h"
#include "document/ephemeris_series.h"
#include "engine/horoscope.h"

namespace sarvexa {

struct EphemerisOptions {
  std::int32_t startDay = 0;  ///< Julian Day Number, 0 for the chart's own date
  EphemerisInterval interval = EphemerisInterval::Daily;
  int rows = kEphemerisScreenRows;
};

/// --from, --interval and --rows, in the order --help lists them (column 24).
std::span<const cli::Option<EphemerisOptions>> EphemerisOptionRows();

/// Parses "YYYY-MM-DD" within the dialog's ranges into a Julian Day Number.
Result<std::int32_t> ParseEphemerisStart(const std::string& text);

/// The report: "Ephemeris for <place>   Longitude: ..  Latitude: .. 12:00 AM",
/// then the header line and one line per row, each cast under `context`.
/// Fails when a row cannot be cast.
Result<std::string> EphemerisReport(const std::string& place, const Horoscope& chart,
                                    const EphemerisOptions& options,
                                    const CastContext& context = {});

namespace cli {

/// `ephemeris`: the chart from birth options or from --open FILE, then the
/// ephemeris rows. Exit code 0, 2 for bad usage, 1 when the file cannot be
/// read.
int RunEphemerisCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// Help text of `ephemeris`.
void PrintEphemerisHelp(std::ostream& out);

}  // namespace cli
}  // namespace sarvexa
