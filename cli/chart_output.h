#pragma once
// The two renderings of a cast chart: a readable table and a JSON document
// whose keys are the chart record's field names.

#include <string>
#include <string_view>

#include "cli/json_writer.h"
#include "document/chart_snapshot.h"
#include "engine/horoscope.h"

namespace sarvexa::cli {

/// Writes the Horoscope's fields (julianDay .. positions) as members of the
/// object that is open in `json`.
void WriteHoroscopeFields(JsonWriter& json, const Horoscope& h);

/// One position as a JSON object.
void WritePosition(JsonWriter& json, const GrahaPosition& p);

/// Readable chart: header with the names, place and birth data as stored,
/// then one line per Ascendant and graha. Names and place are shown through
/// TerminalText.
std::string ChartTable(const ChartSnapshot& chart);

/// The person's first and last names through TerminalText, or "(no name)".
std::string PersonText(const ChartSnapshot& chart);

/// Text from a file made safe to show on a terminal: control characters,
/// which could move the cursor, retitle the window or hide lines, are shown
/// as "\x1B" (C0 controls and DEL) or "\u009B" (C1 controls); tab, line
/// feed and a carriage return before a line feed stay.
std::string TerminalText(std::string_view utf8);

}  // namespace sarvexa::cli
