#include "view/ephemeris_page.h"

#include <vector>

#include "document/chart_snapshot.h"
#include "document/convention_text.h"
#include "document/ephemeris_series.h"
#include "view/info_panel.h"
#include "view/page_format.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {

EphemerisPlaceTexts EphemerisPlaceTextsOf(const std::string& place, const Horoscope& chart,
                                          bool print) {
  EphemerisPlaceTexts t;
  t.heading = "Ephemeris for " + place + "   ";
  t.longitude = "Longitude: " + CoordinateText(chart.longitude, 'W', 'E') + "  ";
  t.latitude =
      "Latitude: " + CoordinateText(chart.latitude, 'N', 'S') + (print ? " 12:00AM" : " 12:00 AM");
  return t;
}

namespace {

/// The header line "Date" and the eight column headers, then the rows, with
/// the columns W / 2 + (k + 1) x W right of `left` (W = width of
/// "22SS22SS" in the selected font).
void DrawEphemerisTable(Canvas& canvas, const std::vector<EphemerisRow>& rows, int left,
                        int headerY, int firstRowY, int rowStep) {
  const int w = canvas.TextWidth("22SS22SS");
  canvas.TextOut(left, headerY, "Date");
  for (int k = 0; k < 8; ++k) {
    canvas.TextOut(left + w / 2 + (k + 1) * w, headerY,
                   kEphemerisColumnHeaders[static_cast<std::size_t>(k)]);
  }
  int y = firstRowY;
  for (const EphemerisRow& row : rows) {
    canvas.TextOut(left, y, EphemerisDateText(row.date));
    for (int k = 0; k < 8; ++k) {
      canvas.TextOut(left + w / 2 + (k + 1) * w, y,
                     EphemerisCellText(row.horoscope.positions[static_cast<std::size_t>(k + 1)]));
    }
    y += rowStep;
  }
}

/// Under the rows at `y`, what the positions were computed with, when it was
/// not the built-in theory: the rows' source, which may differ from the
/// chart's.
void DrawConventions(Canvas& canvas, const ChartSnapshot& snap,
                     const std::vector<EphemerisRow>& rows, int left, int y) {
  const Conventions& c = snap.context.conventions;
  const std::string line = EphemerisConventionsLine(c, EphemerisSeriesSource(rows, c.ephemeris));
  if (!line.empty())
    canvas.TextOut(left, y, FitTextToWidth(canvas, line, PageTextRightEdge(canvas) - left));
}

/// The place texts with a long place cut with "…" so that the heading, the
/// longitude and the latitude written after it end at the page's edge.
EphemerisPlaceTexts FittedPlaceTexts(Canvas& canvas, const ChartSnapshot& snap, bool print, int x) {
  EphemerisPlaceTexts t = EphemerisPlaceTextsOf(snap.place, snap.horoscope, print);
  const int room =
      PageTextRightEdge(canvas) - x - canvas.TextWidth(t.longitude) - canvas.TextWidth(t.latitude);
  if (canvas.TextWidth(t.heading) <= room) return t;
  const EphemerisPlaceTexts bare = EphemerisPlaceTextsOf("", snap.horoscope, print);
  return EphemerisPlaceTextsOf(
      FitTextToWidth(canvas, snap.place, room - canvas.TextWidth(bare.heading)), snap.horoscope,
      print);
}

}  // namespace

void DrawEphemerisPageScreen(Canvas& canvas, const ChartSnapshot& snap, int startDay,
                             EphemerisInterval interval) {
  PageStateGuard guard(canvas, Mapping::Screen, FontId::Screen12, 1);
  const int c = canvas.LineHeight();
  const EphemerisPlaceTexts t = FittedPlaceTexts(canvas, snap, false, 20);
  canvas.TextOut(20, 2, t.heading);
  const int x1 = 20 + canvas.TextWidth(t.heading);
  canvas.TextOut(x1, 2, t.longitude);
  canvas.TextOut(x1 + canvas.TextWidth(t.longitude), 2, t.latitude);

  const auto rows = ComputeEphemerisSeries(snap.horoscope, startDay, interval, kEphemerisScreenRows,
                                           snap.context);
  if (!rows) {
    canvas.TextOut(20, c + 2, rows.error());
    return;
  }
  DrawEphemerisTable(canvas, *rows, 20, c + 2, 2 * c + 2, c);
  DrawConventions(canvas, snap, *rows, 20, (kEphemerisScreenRows + 2) * c + 2);
}

void DrawEphemerisPagePrint(Canvas& canvas, const ChartSnapshot& snap, int startDay,
                            EphemerisInterval interval) {
  PageStateGuard guard(canvas, Mapping::Print, FontId::Print240, 1);
  const int d = canvas.LineHeight();
  const EphemerisPlaceTexts t = FittedPlaceTexts(canvas, snap, true, 720);
  canvas.TextOut(720, -d, t.heading);
  const int x1 = 720 + canvas.TextWidth(t.heading);
  canvas.TextOut(x1, -d, t.longitude);
  const int x2 = x1 + canvas.TextWidth(t.longitude);
  canvas.TextOut(x2, -d, t.latitude);
  canvas.Line(720, -2 * d, x2 + canvas.TextWidth(t.latitude), -2 * d);

  canvas.SelectFont(FontId::Print200);
  const int e = canvas.LineHeight();
  const auto rows =
      ComputeEphemerisSeries(snap.horoscope, startDay, interval, kEphemerisPrintRows, snap.context);
  if (!rows) {
    canvas.TextOut(720, -3 * d, rows.error());
    return;
  }
  DrawEphemerisTable(canvas, *rows, 720, -3 * d, -3 * d - e, -e);
  DrawConventions(canvas, snap, *rows, 720, -3 * d - (kEphemerisPrintRows + 1) * e);
}

}  // namespace sarvexa
