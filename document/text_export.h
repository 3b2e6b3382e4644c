#pragma once
// The whole chart as a plain-text report: birth data, the ten positions with
// their nakshatras, the Maha dasha dates, the Rashi and Navamsa charts drawn
// with characters, the System's Approach block and the list of all
// Maha/Bukti periods from birth. Lines end in CR LF. Names and place are
// written as UTF-8, as held inside the program.

#include <optional>
#include <string>

#include "document/char_chart.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

class ChartDocument;

/// Everything the report shows, gathered by the caller.
struct TextExportInput {
  std::string firstName;  ///< UTF-8
  std::string lastName;   ///< UTF-8
  std::string place;      ///< UTF-8
  Horoscope chart;        ///< the calculated chart
  DashaState dasha;       ///< ComputeDashaTable(chart)
  /// The period running now; nothing for a chart dated in the future, which
  /// is shown as "--/--/--".
  std::optional<CurrentPeriod> currentPeriod;
  CharChartStyle style = CharChartStyle::North;
  /// The System's Approach block, lines ending in "\n" (LF only).
  std::string saBlock;
};

/// The report's bytes, every line ending in CR LF.
std::string TextExportText(const TextExportInput& input);

/// The same report for a calculated chart: the dasha table, the System's
/// Approach block and the current period at `now` (a local clock reading)
/// are worked out here.
std::string TextExportText(const std::string& firstName, const std::string& lastName,
                           const std::string& place, const Horoscope& chart,
                           const LocalClockReading& now, CharChartStyle style);

/// The open chart of a document: its names, chart, dasha table and the
/// current period found at its last refresh, in the given style.
TextExportInput TextExportInputFromDocument(const ChartDocument& document, CharChartStyle style);

/// The report of a document's open chart in the document's stored chart
/// style (1 North; any other value South, as the drawn charts).
std::string TextExportText(const ChartDocument& document);

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

/// The Navamsa chart's input: Navamsa signs, bare labels in GrahaIndex order,
/// indented by 3 (North) or 2 (South) columns.
CharChartInput NavamsaCharChartInput(const Horoscope& chart, CharChartStyle style);

/// Turns every lone "\n" into "\r\n" (a "\r\n" already present is kept).
std::string ToCrLf(const std::string& text);

}  // namespace sarvexa
