#pragma once
// The whole chart as a plain-text report: birth data, the ten positions with
// their nakshatras, the Maha dasha dates, the Rashi and Navamsa charts drawn
// with characters, the System's Approach block and the list of all
// Maha/Bukti periods from birth. Lines end in CR LF. Names and place are
// written as UTF-8, as held inside the program.

#include <optional>
#include <string>

#include "document/char_chart.h"
#include "document/chart_snapshot.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// The report of an open chart: its names, chart, dasha table, the current
/// period found at its last refresh (nothing for a chart dated in the future,
/// shown as "--/--/--") and its SA analysis, with the character charts in
/// `style`. The bytes have every line ending in CR LF.
std::string TextExportText(const ChartSnapshot& chart, CharChartStyle style);

/// The same in the chart's stored chart style (1 North; any other value
/// South, as the drawn charts).
std::string TextExportText(const ChartSnapshot& chart);

/// The proposed file name "<first> <last>.txt".
std::string TextDefaultFileName(const std::string& firstName, const std::string& lastName);

/// The "Time: ..." line's text for a chart, without its line end, e.g.
/// "Time: 5:30PM  Zone: 5:30  DST: 0".
std::string TextExportTimeLine(const Horoscope& chart);

/// "Longitude: 77E12  Latitude: 28N36" for a chart, without a line end.
std::string TextExportPlaceLine(const Horoscope& chart);

/// One position line without its line end, e.g. "Su  16:32 Sg P.Shadya   Ve".
std::string TextExportPositionLine(const Horoscope& chart, GrahaIndex point);

/// The Rashi chart's input: signs from longitudes, labels with degrees and
/// minutes, points ordered by longitude, houses counted from the Ascendant.
CharChartInput RashiCharChartInput(const Horoscope& chart, CharChartStyle style);

/// The Navamsa chart's input: the chart's Navamsa signs (from its
/// derivations), bare labels in GrahaIndex order, indented by 3 (North) or 2
/// (South) columns.
CharChartInput NavamsaCharChartInput(const Horoscope& chart, const VargaSignArray& navamsa,
                                     CharChartStyle style);

/// Turns every lone "\n" into "\r\n" (a "\r\n" already present is kept).
std::string ToCrLf(const std::string& text);

}  // namespace sarvexa
