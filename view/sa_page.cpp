#include "view/sa_page.h"

#include "analysis/sa_analysis.h"
#include "analysis/sa_report.h"
#include "document/chart_snapshot.h"
#include "engine/calendar.h"
#include "view/chart_drawing.h"
#include "view/display.h"
#include "view/divisional_page.h"
#include "view/info_panel.h"
#include "view/page_format.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {

std::vector<SaPageLine> SaPageLines(const Horoscope& chart, const SaAnalysis& sa) {
  const SignIndex rising = RisingSign(chart);
  std::vector<SaPageLine> lines;
  for (GrahaIndex g = graha::Sun; g <= graha::Saturn; ++g) {
    lines.push_back(SaPageLine{kGrahaFullNames[g - 1], SaStatusLine(sa, rising, g), false});
    for (std::string& text : SaListLines(chart, sa, g, MaleficListing::Page)) {
      lines.push_back(SaPageLine{"", std::move(text), false});
    }
    lines.back().lastOfGroup = true;
  }
  if (const auto nodes = SaNodeHousesByMep(chart, sa)) {
    const auto nodeLine = [&](const int(&houses)[3]) {
      return FormatText("Afflicts houses %d %d %d MEP %d%% ", houses[0], houses[1], houses[2],
                        nodes->strength);
    };
    lines.push_back(SaPageLine{"Rahu", nodeLine(nodes->rahu), true});
    lines.push_back(SaPageLine{"Ketu", nodeLine(nodes->ketu), true});
  }
  return lines;
}

void DrawSaPageScreen(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Screen, FontId::Screen14, 1);
  const int h = canvas.LineHeight();
  canvas.TextOut(20, 2,
                 FitTextToWidth(canvas,
                                FormatText("System's Approach Analysis for %s %s",
                                           snap.firstName.c_str(), snap.lastName.c_str()),
                                PageTextRightEdge(canvas) - 20));
  int y = h + 8;
  for (const SaPageLine& line : SaPageLines(snap.horoscope, snap.derivations.sa)) {
    if (!line.label.empty()) canvas.TextOut(20, y, line.label);
    canvas.TextOut(100, y, line.text);
    y += h;
  }
}

void DrawSaPagePrint(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Print, FontId::Print280, 1);
  const Horoscope& chart = snap.horoscope;
  const int bigLine = canvas.LineHeight();
  canvas.TextOut(720, 2, "SYSTEM'S APPROACH ANALYSIS");

  canvas.SelectFont(FontId::Print200);
  const int h = canvas.LineHeight();
  const int half = h / 2;
  int y = DrawInfoPanel(canvas, 720, -bigLine - 2, snap) - 2 * h;
  for (const SaPageLine& line : SaPageLines(chart, snap.derivations.sa)) {
    if (!line.label.empty()) canvas.TextOut(720, y, line.label);
    canvas.TextOut(2000, y, line.text);
    y -= h;
    if (line.lastOfGroup) y -= half;
  }

  canvas.TextOut(720, y, "Rashi");
  const int top = y - h;
  const ChartFrame rashi = DrawChartFrame(canvas, snap.chartStyle, 720, top - 5000, 5000, 5000, h);
  PlaceGrahasWithDegrees(canvas, rashi, RashiSignsOf(chart), chart, RashiChartColours(snap));

  canvas.TextOut(6120, top + h, "Planetary Info");
  DrawPlanetTable(canvas, 6120, top, h, chart);

  const int right = 8320 + canvas.TextWidth("SVimshottariSDashas");
  canvas.TextOut(8320, top + h, "Vimshottari Dashas");
  canvas.Rectangle(8320, top, right, top - 11 * h);
  const auto starts = MahaRowDayCounts(chart, snap.derivations.dashas.table);
  int rowY = top - half;
  for (std::size_t i = 0; i < starts.size(); ++i) {
    canvas.TextOut(8520, rowY, DashaTwoLetter(snap.derivations.dashas.table[i].lord));
    canvas.TextOutRight(right - 200, rowY, MonthDayYearText(DateFromDayCount(starts[i])));
    rowY -= h;
  }

  // The title stands below the planet table; the chart hangs just under the
  // title's line so the two never overlap (its upper edge one line below the
  // title's top, the lower edge 4000 below that).
  canvas.TextOut(6120, top - h - 2500, "Navamsa");
  const int t = snap.chartStyle == ChartStyle::South ? half : h;
  const ChartFrame navamsa =
      DrawChartFrame(canvas, snap.chartStyle, 6120, top - 2 * h - 6500, 4000, 4000, t);
  PlaceGrahaLabels(canvas, navamsa, snap.derivations.vargas.of(9), chart);
}

}  // namespace sarvexa
