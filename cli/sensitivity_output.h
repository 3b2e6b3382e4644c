#pragma once
// What `sensitivity` prints, and what `batch --sensitivity` adds to a row:
// the birth-time table as JSON and as readable lines.

#include <string>

#include "analysis/sensitivity.h"
#include "cli/json_writer.h"
#include "document/chart_snapshot.h"
#include "engine/horoscope.h"

namespace sarvexa::cli {

/// The table as one JSON object, into `json`:
///   {"points": [{"point": "As", "factors": [{"factor": "sign", "value": "Aq",
///     "from": "1962-02-05T06:58", "to": "1962-02-05T08:51"}, ...]}, ...],
///    "runningPeriod": {"value": "Me/Ve/Ju", "from": ..., "to": ...},
///    "daysPerMinute": 4.3, "dashaBalance": {"lord": 2, "years": 1, ...}}
/// Points As, Su, Mo, Ma, Me, Ju, Ve, Sa, Ra, Ke; factors sign, nakshatra,
/// pada, navamsa, then the divisions as the Divisional page names them.
/// `from` and `to` are the first and last birth minute with the value, local
/// clock times in the chart's zone (the birth `birth` moved), or null where
/// the search range ends first. The running period's value is null for a
/// chart dated after the clock. daysPerMinute: how many days every dasha date
/// moves earlier when the birth is one minute later (positive: the Moon
/// always advances).
void WriteSensitivity(JsonWriter& json, const BirthTimeSensitivity& table, const Horoscope& birth);

/// The same as an indented JSON text of its own.
std::string SensitivityJson(const BirthTimeSensitivity& table, const Horoscope& birth);

/// Readable lines: a heading, two tables of one row per point (the value
/// and "-23/+41" minutes, ">24h" where the range ends first, "*" where
/// the value changes within 5 minutes), the running period, the dates'
/// rate and the dasha balance.
std::string SensitivityTable(const ChartSnapshot& chart, const BirthTimeSensitivity& table);

}  // namespace sarvexa::cli
