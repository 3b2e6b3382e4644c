#include "view/display.h"

#include "document/chart_snapshot.h"
#include "view/pages.h"

namespace sarvexa {

ChartColours RashiChartColours(const ChartSnapshot& snap) {
  ChartColours colours;
  colours.enabled = snap.colorCharts == 1;
  const auto& classes = snap.derivations.sa.colorClass;
  for (std::size_t g = 0; g < colours.colorClass.size(); ++g) colours.colorClass[g] = classes[g];
  return colours;
}

int EffectiveChartStyle(const ChartSnapshot& snap) {
  return snap.chartStyle == kNorthIndian ? kNorthIndian : kSouthIndian;
}

void DrawScreenPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state) {
  switch (state.displayMode) {
    case display_mode::Chart: DrawChartPageScreen(canvas, snap); break;
    case display_mode::MahaBukti: DrawMahaBuktiPageScreen(canvas, snap); break;
    case display_mode::Divisional: DrawDivisionalPageScreen(canvas, snap); break;
    case display_mode::Ephemeris:
      DrawEphemerisPageScreen(canvas, snap, state.ephemerisStartDay, state.ephemerisInterval);
      break;
    case display_mode::SaAnalysis: DrawSaPageScreen(canvas, snap); break;
    case display_mode::Pratyantar: DrawPratyantarPageScreen(canvas, snap, state.pratyantarLord); break;
    case display_mode::SaTransits: DrawTransitsPageScreen(canvas, snap); break;
    default: break;  // an unknown page draws nothing
  }
}

void DrawPrintPage(Canvas& canvas, const ChartSnapshot& snap, const ViewState& state) {
  switch (state.displayMode) {
    case display_mode::Chart: DrawChartPagePrint(canvas, snap); break;
    case display_mode::MahaBukti: DrawMahaBuktiPagePrint(canvas, snap); break;
    case display_mode::Divisional: DrawDivisionalPagePrint(canvas, snap); break;
    case display_mode::Ephemeris:
      DrawEphemerisPagePrint(canvas, snap, state.ephemerisStartDay, state.ephemerisInterval);
      break;
    case display_mode::SaAnalysis: DrawSaPagePrint(canvas, snap); break;
    case display_mode::Pratyantar: DrawPratyantarPagePrint(canvas, snap, state.pratyantarLord); break;
    case display_mode::SaTransits: DrawTransitsPagePrint(canvas, snap); break;
    default: break;  // an unknown page leaves the sheet empty
  }
}

}  // namespace sarvexa
