#pragma once
// What `chart` prints beyond the chart record: the dasha table and current
// period, the divisional signs and the SA analysis, as JSON members and as
// readable lines; and the clock option shared by `chart` and `transits`.

#include <optional>
#include <string>
#include <string_view>

#include "analysis/sa_analysis.h"
#include "analysis/sa_transits.h"
#include "cli/birth_options.h"
#include "cli/json_writer.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa::cli {

/// Everything a chart refresh derives from a calculated chart.
struct ChartDerivations {
  DashaState dashas;
  std::optional<CurrentPeriod> period;  ///< nothing for a chart dated after `now`
  SaAnalysis sa;
};

/// Dasha table, current period at the clock reading, and SA analysis.
ChartDerivations DeriveChart(const Horoscope& h, const LocalClockReading& now);

/// Parses "YYYY-MM-DDTHH:MM" (24-hour; a space may stand for the T) into a
/// clock reading, checking the date and the ranges. On failure `message`
/// receives one line naming `optionName`.
bool ParseClockReading(std::string_view optionName, std::string_view text,
                       LocalClockReading& out, std::string& message);

/// A GrahaSet as an array of GrahaIndex numbers.
void WriteGrahaSet(JsonWriter& json, GrahaSet set);

/// Members birthDayCount, dashaTable, currentPeriod, vargaSigns and
/// saAnalysis of the object open in `json`.
void WriteDerivationFields(JsonWriter& json, const Horoscope& h, const ChartDerivations& d);

/// The members of `chart --json` into the object open in `json`: names and
/// place, isPrasna, the Horoscope's fields, then, when `d` is given, the
/// derivation members.
void WriteChartMembers(JsonWriter& json, const BirthOptions& names, const Horoscope& h,
                       const ChartDerivations* d);

/// The chart document of `chart --json`: names and place, the Horoscope's
/// fields, then the derivation members.
std::string ChartJsonWithDerivations(const BirthOptions& names, const Horoscope& h,
                                     const ChartDerivations& d);

/// Readable lines: each point's nakshatra, the Maha dasha dates and the
/// current period ("--/--/--" when there is none).
std::string DerivationTable(const Horoscope& h, const ChartDerivations& d);

/// The members of SaTransitAnalysis as an object.
void WriteTransitAnalysis(JsonWriter& json, const SaTransitAnalysis& r);

}  // namespace sarvexa::cli
