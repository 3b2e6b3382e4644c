#include "view/display.h"

#include "document/chart_document.h"
#include "view/pages.h"

namespace sarvexa {

ChartColours RashiChartColours(const ChartDocument& doc) {
  ChartColours colours;
  colours.enabled = doc.colorCharts() == 1;
  const auto& classes = doc.saAnalysis().colorClass;
  for (std::size_t g = 0; g < colours.colorClass.size(); ++g) colours.colorClass[g] = classes[g];
  return colours;
}

int EffectiveChartStyle(const ChartDocument& doc) {
  return doc.chartStyle() == kNorthIndian ? kNorthIndian : kSouthIndian;
}

void DrawScreenPage(Canvas& canvas, const ChartDocument& doc, const ViewState& state) {
  switch (state.displayMode) {
    case display_mode::Chart: DrawChartPageScreen(canvas, doc); break;
    case display_mode::MahaBukti: DrawMahaBuktiPageScreen(canvas, doc); break;
    case display_mode::Divisional: DrawDivisionalPageScreen(canvas, doc); break;
    case display_mode::Ephemeris:
      DrawEphemerisPageScreen(canvas, doc, state.ephemerisStartDay, state.ephemerisInterval);
      break;
    case display_mode::SaAnalysis: DrawSaPageScreen(canvas, doc); break;
    case display_mode::Pratyantar: DrawPratyantarPageScreen(canvas, doc, state.pratyantarLord); break;
    case display_mode::SaTransits: DrawTransitsPageScreen(canvas, doc); break;
    default: break;  // an unknown page draws nothing
  }
}

void DrawPrintPage(Canvas& canvas, const ChartDocument& doc, const ViewState& state) {
  switch (state.displayMode) {
    case display_mode::Chart: DrawChartPagePrint(canvas, doc); break;
    case display_mode::MahaBukti: DrawMahaBuktiPagePrint(canvas, doc); break;
    case display_mode::Divisional: DrawDivisionalPagePrint(canvas, doc); break;
    case display_mode::Ephemeris:
      DrawEphemerisPagePrint(canvas, doc, state.ephemerisStartDay, state.ephemerisInterval);
      break;
    case display_mode::SaAnalysis: DrawSaPagePrint(canvas, doc); break;
    case display_mode::Pratyantar: DrawPratyantarPagePrint(canvas, doc, state.pratyantarLord); break;
    case display_mode::SaTransits: DrawTransitsPagePrint(canvas, doc); break;
    default: break;  // an unknown page leaves the sheet empty
  }
}

}  // namespace sarvexa
