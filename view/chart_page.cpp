
#include "document/chart_snapshot.h"
#include "engine/calendar.h"
#include "engine/varga.h"
#include "view/chart_drawing.h"
#include "view/display.h"
#include "view/divisional_page.h"
#include "view/info_panel.h"
#include "view/page_format.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {

void DrawChartPageScreen(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Screen, FontId::Screen10, 1);
  const Horoscope& chart = snap.horoscope;
  const int c10 = canvas.LineHeight();

  const ChartFrame rashi = DrawChartFrame(canvas, snap.chartStyle, 20, 80, 300, 300, c10);
  PlaceGrahasWithDegrees(canvas, rashi, RashiSignsOf(chart), chart, RashiChartColours(snap));
  const ChartFrame navamsa = DrawChartFrame(canvas, snap.chartStyle, 350, 180, 238, 200, c10);
  PlaceGrahaLabels(canvas, navamsa, snap.derivations.vargas.of(9), chart);

  canvas.SelectFont(FontId::Screen12);
  const int c12 = canvas.LineHeight();
  // The panel's long lines stop a space short of the planet table.
  DrawInfoPanel(canvas, 20, 0, snap, 350 - canvas.TextWidth(" "));
  DrawPlanetTable(canvas, 350, 2, c12, chart);

  const int w = canvas.TextWidth("SVimshottariSDashasS");
  canvas.Rectangle(460, 2, 460 + w, 11 * c12 + 2);
  canvas.TextOut(470, c12 / 2 + 2, "Vimshottari Dashas");
  const auto starts = MahaRowDayCounts(chart, snap.derivations.dashas.table);
  for (int i = 0; i < 9; ++i) {
    const int y = c12 / 2 + 2 + (i + 1) * c12;
    canvas.TextOut(470, y,
                   DashaTwoLetter(snap.derivations.dashas.table[static_cast<std::size_t>(i)].lord));
    const CivilDate date = DateFromDayCount(starts[static_cast<std::size_t>(i)]);
    canvas.TextOut(500, y,
                   FormatText("%s-%02d-%d", MonthAbbreviation(date.month), date.day, date.year));
  }
}

void DrawChartPagePrint(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Print, FontId::Print280, 4);
  const Horoscope& chart = snap.horoscope;
  // The panel's long lines stop a space short of the "Vimshottari Dasha"
  // column.
  const int y0 = DrawInfoPanel(canvas, 720, 0, snap, 8340 - canvas.TextWidth(" "));

  canvas.SelectFont(FontId::Print200);
  int b = canvas.LineHeight();
  // A 5-inch Rashi chart whose upper edge lies two lines below the panel.
  const ChartFrame rashi =
      DrawChartFrame(canvas, snap.chartStyle, 720, y0 - 2 * b - 7200, 7200, 7200, b);
  PlaceGrahasWithDegrees(canvas, rashi, RashiSignsOf(chart), chart, RashiChartColours(snap));

  canvas.TextOut(720, -8 * (900 + b), "Planetary Info");
  DrawPlanetTable(canvas, 720, -9 * (800 + b), b, chart);

  // A 3-inch Navamsa chart whose upper edge is level with the table's.
  canvas.TextOut(3600, -8 * (900 + b), "Navamsa");
  const ChartFrame navamsa =
      DrawChartFrame(canvas, snap.chartStyle, 3600, -9 * (1280 + b), 4320, 4320, b);
  PlaceGrahaLabels(canvas, navamsa, snap.derivations.vargas.of(9), chart);

  canvas.SelectFont(FontId::Print280);
  canvas.TextOut(8340, 0, "Vimshottari Dasha");
  const int h280 = canvas.LineHeight();
  canvas.SelectFont(FontId::Print200);
  b = canvas.LineHeight();
  int y = -h280;

  const int w = canvas.TextWidth("SS/SS00022/22/2222");
  canvas.Rectangle(8340, y, w + 8940, y - 58 * b - 480);
  y -= 240;
  for (const MahaBuktiRow& row : MahaBuktiRowsFromBirth(chart, snap.derivations.dashas.table, 58)) {
    canvas.TextOut(8640, y,
                   FormatText("%s/%s", DashaTwoLetter(row.maha), DashaTwoLetter(row.bukti)));
    canvas.TextOutRight(8640 + w, y, MonthDayYearText(DateFromDayCount(row.startDayCount)));
    y -= b;
  }
}

}  // namespace sarvexa
