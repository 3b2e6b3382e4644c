#pragma once
// What the chart window shows: the page (display mode), the arguments of the
// Pratyantar and Ephemeris pages, the colours of the chart labels, and the
// dispatch from the page shown to its screen or print drawing.

#include <array>

#include "view/canvas.h"
#include "view/chart_drawing.h"

namespace sarvexa {

struct ChartSnapshot;

/// The page shown: 1 Chart, 2 Maha/Bukti, 3 Divisional charts, 4 Ephemeris,
/// 5 SA analysis, 6 Pratyantar, 7 SA transits. Any other value draws nothing.
using DisplayMode = int;

namespace display_mode {
inline constexpr DisplayMode Chart = 1;
inline constexpr DisplayMode MahaBukti = 2;
inline constexpr DisplayMode Divisional = 3;
inline constexpr DisplayMode Ephemeris = 4;
inline constexpr DisplayMode SaAnalysis = 5;
inline constexpr DisplayMode Pratyantar = 6;
inline constexpr DisplayMode SaTransits = 7;
}  // namespace display_mode

/// The view's own state. It is not saved; it survives New, Open and Prasna so
/// the same page stays up when the chart changes. Chart style and colour
/// choice belong to the chart document (they persist in the settings).
struct ViewState {
  DisplayMode displayMode = display_mode::Chart;
  int pratyantarLord = 0;     ///< DashaLord 0..8 of the Pratyantar page
  int ephemerisStartDay = 0;  ///< Julian Day Number of the first Ephemeris row; 0 = the chart's own date
  int ephemerisInterval = 0;  ///< Ephemeris step: 0 Daily, 1 Weekly, 2 Monthly, 3 Yearly
};

/// Text colours of the graha labels by SA colour class: 0 black (Ascendant),
/// 1 functional malefic, 2 functional benefic, 3 afflicted functional benefic.
inline constexpr std::array<Rgb, 4> kChartPalette = {
    Rgb{0, 0, 0}, Rgb{225, 0, 0}, Rgb{0, 205, 0}, Rgb{203, 182, 84}};

/// The palette entry of a colour class; black for a value outside 0..3.
constexpr Rgb ChartPalette(int colorClass) {
  return colorClass >= 0 && colorClass < static_cast<int>(kChartPalette.size())
             ? kChartPalette[static_cast<std::size_t>(colorClass)]
             : kBlack;
}

/// The label colours of the document's Rashi charts: enabled when ColorCharts
/// is 1, classes from the document's SA analysis.
ChartColours RashiChartColours(const ChartSnapshot& snap);

/// The chart style the drawings use for the document's ChartStyle setting:
/// North Indian for 1, South Indian for anything else (2, or 0 when nothing
/// valid is stored).
int EffectiveChartStyle(const ChartSnapshot& snap);

/// Draws the screen variant of the page selected by `state.displayMode` on
/// the 512 x 400 grid. A mode outside 1..7 draws nothing.
void DrawScreenPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state);

/// Draws the print variant (twips, y up) of the page selected by
/// `state.displayMode`: one sheet. A mode outside 1..7 leaves it empty.
void DrawPrintPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state);

}  // namespace sarvexa
