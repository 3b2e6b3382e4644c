#include "view/display.h"

#include "document/chart_sensitivity.h"
#include "document/chart_snapshot.h"
#include "view/pages.h"

namespace sarvexa {

namespace {

// Draws the Birth-Time Sensitivity page of `snap` with `given`, or with the
// table searched now.
template <typename Draw>
void DrawSensitivity(Canvas& canvas, const ChartSnapshot& snap, const BirthTimeSensitivity* given,
                     Draw draw) {
  if (given) {
    draw(canvas, snap, *given);
    return;
  }
  const Result<BirthTimeSensitivity> table = ChartSensitivity(snap);
  if (table) draw(canvas, snap, *table);
}

}  // namespace

ChartColours RashiChartColours(const ChartSnapshot& snap) {
  ChartColours colours;
  colours.enabled = snap.colorCharts;
  colours.colorClass = snap.derivations.sa.colorClass;
  return colours;
}

ChartStyle EffectiveChartStyle(const ChartSnapshot& snap) {
  return snap.chartStyle == ChartStyle::North ? ChartStyle::North : ChartStyle::South;
}

void DrawScreenPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state,
                    const BirthTimeSensitivity* sensitivity) {
  switch (state.displayMode) {
    case DisplayMode::Chart:
      DrawChartPageScreen(canvas, snap);
      break;
    case DisplayMode::MahaBukti:
      DrawMahaBuktiPageScreen(canvas, snap);
      break;
    case DisplayMode::Divisional:
      DrawDivisionalPageScreen(canvas, snap);
      break;
    case DisplayMode::Ephemeris:
      DrawEphemerisPageScreen(canvas, snap, state.ephemerisStartDay, state.ephemerisInterval);
      break;
    case DisplayMode::SaAnalysis:
      DrawSaPageScreen(canvas, snap);
      break;
    case DisplayMode::Pratyantar:
      DrawPratyantarPageScreen(canvas, snap, state.pratyantarLord);
      break;
    case DisplayMode::SaTransits:
      DrawTransitsPageScreen(canvas, snap);
      break;
    case DisplayMode::Sensitivity:
      DrawSensitivity(canvas, snap, sensitivity, DrawSensitivityPageScreen);
      break;
    default:
      break;  // an unknown page draws nothing
  }
}

void DrawPrintPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state,
                   const BirthTimeSensitivity* sensitivity) {
  switch (state.displayMode) {
    case DisplayMode::Chart:
      DrawChartPagePrint(canvas, snap);
      break;
    case DisplayMode::MahaBukti:
      DrawMahaBuktiPagePrint(canvas, snap);
      break;
    case DisplayMode::Divisional:
      DrawDivisionalPagePrint(canvas, snap);
      break;
    case DisplayMode::Ephemeris:
      DrawEphemerisPagePrint(canvas, snap, state.ephemerisStartDay, state.ephemerisInterval);
      break;
    case DisplayMode::SaAnalysis:
      DrawSaPagePrint(canvas, snap);
      break;
    case DisplayMode::Pratyantar:
      DrawPratyantarPagePrint(canvas, snap, state.pratyantarLord);
      break;
    case DisplayMode::SaTransits:
      DrawTransitsPagePrint(canvas, snap);
      break;
    case DisplayMode::Sensitivity:
      DrawSensitivity(canvas, snap, sensitivity, DrawSensitivityPagePrint);
      break;
    default:
      break;  // an unknown page leaves the sheet empty
  }
}

}  // namespace sarvexa
