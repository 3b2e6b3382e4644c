#pragma once
// What `chart` prints beyond the chart record: the dasha table and current
// period, the divisional signs and the SA analysis, as JSON members and as
// readable lines.

#include <optional>
#include <string>
#include <string_view>

#include "analysis/derivations.h"
#include "analysis/sa_analysis.h"
#include "analysis/sa_transits.h"
#include "cli/birth_options.h"
#include "cli/json_writer.h"
#include "document/chart_snapshot.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"
#include "engine/result.h"

namespace sarvexa::cli {

/// A GrahaSet as an array of GrahaIndex numbers.
void WriteGrahaSet(JsonWriter& json, GrahaSet set);

/// Members birthDayCount, dashaTable, currentPeriod, dashaBalance,
/// vargaSigns and saAnalysis of the object open in `json`.
void WriteDerivationFields(JsonWriter& json, const ChartDerivations& d);

/// The dasha balance at birth as an object: lord (0 Ketu .. 8 Mercury, as
/// currentPeriod's lords), years, months, days (whole, rounded down).
void WriteDashaBalance(JsonWriter& json, const DashaBalance& balance);

/// The members naming the conventions a chart was cast under, always
/// written: "ephemeris", "ayanamsa", "node" (their names) and
/// "dashaYearDays". With the built-in theory they are its own, "lahiri" and
/// "true".
inline constexpr const char* kConventionMembers[] = {"ephemeris", "ayanamsa", "node",
                                                     "dashaYearDays"};

/// The convention members, then "ephemerisFallback" only when the library
/// computed with its analytical theory or missed a file: `source` in words
/// (DescribePositionSource).
void WriteConventionMembers(JsonWriter& json, const Conventions& conventions,
                            const PositionSource& source = {});

/// The members of `chart --json` into the object open in `json`: names and
/// place, the zone members of a chart from the atlas, isPrasna, the chart
/// record's fields, the convention members, then, with `withDerivations`,
/// the derivation members.
void WriteChartMembers(JsonWriter& json, const ChartSnapshot& chart, bool withDerivations);

/// The JSON of `chart --json`, `open --json` and `prasna --json`: the
/// members above, derivations included.
std::string ChartSnapshotJson(const ChartSnapshot& chart);

/// Readable lines: each point's nakshatra, the Maha dasha dates (with the
/// chart's dasha year) and the current period ("--/--/--" when there is
/// none).
std::string DerivationTable(const ChartSnapshot& chart);

/// The members of SaTransitAnalysis as an object.
void WriteTransitAnalysis(JsonWriter& json, const SaTransitAnalysis& r);

}  // namespace sarvexa::cli
