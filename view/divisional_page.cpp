#include "view/divisional_page.h"

#include "document/chart_snapshot.h"
#include "engine/varga.h"
#include "view/info_panel.h"
#include "view/page_format.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {

namespace {

/// One small chart: its title, then the frame and the bare labels below it.
void DrawDivisionalChart(Canvas& canvas, const ChartSnapshot& snap, const char* title, int division,
                         int x, int titleY, int frameTop, int size, int lineHeight) {
  canvas.TextOut(x, titleY, title);
  const ChartFrame frame =
      DrawChartFrame(canvas, snap.chartStyle, x, frameTop, size, size, lineHeight);
  PlaceGrahaLabels(canvas, frame, snap.derivations.vargas.of(division), snap.horoscope);
}

}  // namespace

void DrawDivisionalPageScreen(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Screen, FontId::Screen12, 1);
  const int c12 = canvas.LineHeight();
  canvas.TextOut(20, 10,
                 FitTextToWidth(canvas,
                                FormatText("Divisional Charts for: %s %s", snap.firstName.c_str(),
                                           snap.lastName.c_str()),
                                PageTextRightEdge(canvas) - 20));
  canvas.SelectFont(FontId::Screen8);
  const int c8 = canvas.LineHeight();
  int x = 20;
  int y = c12 + 20;
  for (int i = 0; i < 6; ++i) {
    if (i == 3) {
      x = 20;
      y += 180;
    }
    DrawDivisionalChart(canvas, snap, kScreenDivisionNames[i], kScreenDivisions[i], x, y, y + c8,
                        160, c8);
    x += 200;
  }
}

void DrawDivisionalPagePrint(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Print, FontId::Print280, 1);
  const int h14 = canvas.LineHeight();
  canvas.TextOut(720, 0, "DIVISIONAL CHARTS");
  canvas.SelectFont(FontId::Print160);
  const int a = canvas.LineHeight();
  int yTitle = DrawInfoPanel(canvas, 720, -h14, snap) - a;
  // The lower edge of a chart whose upper edge is one line below its title.
  int yChart = yTitle - a - 2800;
  int x = 720;
  for (int i = 0; i < 12; ++i) {
    if (i == 3 || i == 6 || i == 9) {
      x = 720;
      yTitle -= 3300;
      yChart -= 3300;
    }
    DrawDivisionalChart(canvas, snap, kPrintDivisionNames[i], kPrintDivisions[i], x, yTitle, yChart,
                        2800, a);
    x += 3300;
  }
}

}  // namespace sarvexa
