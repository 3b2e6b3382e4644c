#pragma once
// What the chart window shows: the page (display mode), the arguments of the
// Pratyantar and Ephemeris pages, the colours of the chart labels, and the
// dispatch from the page shown to its screen or print drawing.

#include <array>

#include "document/ephemeris_series.h"
#include "view/canvas.h"
#include "view/chart_drawing.h"

namespace sarvexa {

struct ChartSnapshot;
struct BirthTimeSensitivity;

/// The page shown. Any other value draws nothing.
enum class DisplayMode : int {
  Chart = 1,
  MahaBukti = 2,
  Divisional = 3,
  Ephemeris = 4,
  SaAnalysis = 5,
  Pratyantar = 6,
  SaTransits = 7,
  Sensitivity = 8,  ///< Birth-Time Sensitivity
};

/// The view's own state. It is not saved; it survives New, Open and Prasna so
/// the same page stays up when the chart changes. Chart style and colour
/// choice belong to the chart document (they persist in the settings).
struct ViewState {
  DisplayMode displayMode = DisplayMode::Chart;
  int pratyantarLord = 0;  ///< DashaLord 0..8 of the Pratyantar page
  int ephemerisStartDay =
      0;  ///< Julian Day Number of the first Ephemeris row; 0 = the chart's own date
  EphemerisInterval ephemerisInterval = EphemerisInterval::Daily;  ///< Ephemeris step

  bool operator==(const ViewState&) const = default;
};

/// Text colours of the graha labels by SA colour class: 0 black (Ascendant),
/// 1 functional malefic, 2 functional benefic, 3 afflicted functional benefic.
inline constexpr std::array<Rgb, 4> kChartPalette = {Rgb{0, 0, 0}, Rgb{225, 0, 0}, Rgb{0, 205, 0},
                                                     Rgb{203, 182, 84}};

/// The palette entry of a colour class; black for a value outside 0..3.
constexpr Rgb ChartPalette(ColorClass colorClass) {
  const int index = static_cast<int>(colorClass);
  return index >= 0 && index < static_cast<int>(kChartPalette.size())
             ? kChartPalette[static_cast<std::size_t>(index)]
             : kBlack;
}

/// The label colours of the document's Rashi charts: enabled when colour is
/// on, classes from the document's SA analysis.
ChartColours RashiChartColours(const ChartSnapshot& snap);

/// The chart style the drawings use for the document's ChartStyle setting:
/// North Indian for 1, South Indian for anything else (2, or 0 when nothing
/// valid is stored).
ChartStyle EffectiveChartStyle(const ChartSnapshot& snap);

/// Draws the screen variant of the page selected by `state.displayMode` on
/// the 512 x 400 grid. A mode outside 1..8 draws nothing. The Birth-Time
/// Sensitivity page draws `sensitivity`, the table of the chart
/// (ChartSensitivity), which a caller that draws the page more than once
/// searches once and passes in; without it the page searches the table
/// itself (and draws nothing when the search fails).
void DrawScreenPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state,
                    const BirthTimeSensitivity* sensitivity = nullptr);

/// Draws the print variant (twips, y up) of the page selected by
/// `state.displayMode`: one sheet. A mode outside 1..8 leaves it empty.
/// `sensitivity` as for DrawScreenPage.
void DrawPrintPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state,
                   const BirthTimeSensitivity* sensitivity = nullptr);

}  // namespace sarvexa
