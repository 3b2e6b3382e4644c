// Every page in both variants: drawn from a document that holds no chart yet
// without failing, and for the worked chart within its sheet, leaving the
// canvas's font, pen and text colour as it found them.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "analysis/sensitivity.h"
#include "document/ephemeris_series.h"
#include "engine/calendar.h"
#include "page_test_support.h"
#include "view/pages.h"

namespace sarvexa {
namespace {

using page_test::WorkedDocument;

struct PageCase {
  const char* name;
  bool print;
  std::function<void(Canvas&, const ChartSnapshot&)> draw;
};

// The birth-time table of a document's chart, an hour either way.
BirthTimeSensitivity SensitivityOf(const ChartSnapshot& d) {
  BuiltInPositions source;
  return *FindBirthTimeSensitivity({d.horoscope, page_test::FixedClock(), 365.25, 1}, source);
}

std::vector<PageCase> AllPages() {
  const int start = DayNumberFromDate(2000, 1, 31);
  return {
      {"chart screen", false, [](Canvas& c, const ChartSnapshot& d) { DrawChartPageScreen(c, d); }},
      {"chart print", true, [](Canvas& c, const ChartSnapshot& d) { DrawChartPagePrint(c, d); }},
      {"maha/bukti screen", false,
       [](Canvas& c, const ChartSnapshot& d) { DrawMahaBuktiPageScreen(c, d); }},
      {"maha/bukti print", true,
       [](Canvas& c, const ChartSnapshot& d) { DrawMahaBuktiPagePrint(c, d); }},
      {"pratyantar screen", false,
       [](Canvas& c, const ChartSnapshot& d) { DrawPratyantarPageScreen(c, d, 6); }},
      {"pratyantar print", true,
       [](Canvas& c, const ChartSnapshot& d) { DrawPratyantarPagePrint(c, d, 6); }},
      {"divisional screen", false,
       [](Canvas& c, const ChartSnapshot& d) { DrawDivisionalPageScreen(c, d); }},
      {"divisional print", true,
       [](Canvas& c, const ChartSnapshot& d) { DrawDivisionalPagePrint(c, d); }},
      {"ephemeris screen", false,
       [start](Canvas& c, const ChartSnapshot& d) {
         DrawEphemerisPageScreen(c, d, start, EphemerisInterval::Monthly);
       }},
      {"ephemeris print", true,
       [start](Canvas& c, const ChartSnapshot& d) {
         DrawEphemerisPagePrint(c, d, start, EphemerisInterval::Yearly);
       }},
      {"sa screen", false, [](Canvas& c, const ChartSnapshot& d) { DrawSaPageScreen(c, d); }},
      {"sa print", true, [](Canvas& c, const ChartSnapshot& d) { DrawSaPagePrint(c, d); }},
      {"transits screen", false,
       [](Canvas& c, const ChartSnapshot& d) { DrawTransitsPageScreen(c, d); }},
      {"transits print", true,
       [](Canvas& c, const ChartSnapshot& d) { DrawTransitsPagePrint(c, d); }},
      {"sensitivity screen", false,
       [](Canvas& c, const ChartSnapshot& d) {
         DrawSensitivityPageScreen(c, d, SensitivityOf(d));
       }},
      {"sensitivity print", true,
       [](Canvas& c, const ChartSnapshot& d) { DrawSensitivityPagePrint(c, d, SensitivityOf(d)); }},
  };
}

TEST(EveryPage, DrawsFromADocumentWithoutAChart) {
  MemorySettingsStore store;
  ChartDocument doc(store, [] { return page_test::AtDefaultPrasnaClock(page_test::FixedClock()); });
  for (const auto& page : AllPages()) {
    SCOPED_TRACE(page.name);
    RecordingCanvas c;
    page.draw(c, doc.snapshot());
    EXPECT_FALSE(c.Texts().empty());
  }
}

TEST(EveryPage, RestoresFontPenAndColour) {
  WorkedDocument w(1, 1);
  for (const auto& page : AllPages()) {
    SCOPED_TRACE(page.name);
    RecordingCanvas c;
    c.SelectFont(FontId::Screen8);
    c.SetPenWidth(3);
    page.draw(c, w.doc->snapshot());
    EXPECT_EQ(c.GetFont(), FontId::Screen8);
    EXPECT_EQ(c.SetPenWidth(1), 3);
    EXPECT_EQ(c.GetTextColor(), kBlack);
    EXPECT_EQ(c.GetMapping(), page.print ? Mapping::Print : Mapping::Screen);
  }
}

TEST(EveryPage, PrintedSheetsStayInsideALetterPrintableArea) {
  // Letter paper, 8.5 x 11 inches, less a 10-point margin on each side.
  constexpr int kWidth = 12240 - 400;
  constexpr int kHeight = 15840 - 400;
  for (int style : {1, 2}) {
    WorkedDocument w(style);
    for (const auto& page : AllPages()) {
      if (!page.print) continue;
      SCOPED_TRACE(std::string(page.name) + (style == 1 ? " north" : " south"));
      RecordingCanvas c;
      page.draw(c, w.doc->snapshot());
      for (const auto& t : c.Texts()) {
        const int height = RecordingCanvas::MetricsFor(t.font).height;
        EXPECT_GE(t.x, 0) << t.text;
        EXPECT_LE(t.x + RecordingCanvas::WidthFor(t.font, t.text), kWidth) << t.text;
        EXPECT_LE(t.y, 2) << t.text;
        EXPECT_GE(t.y - height, -kHeight) << t.text;
      }
      for (const auto& s : c.Shapes()) {
        EXPECT_GE(std::min(s.x1, s.x2), 0);
        EXPECT_LE(std::max(s.x1, s.x2), kWidth);
        EXPECT_LE(std::max(s.y1, s.y2), 0);
        EXPECT_GE(std::min(s.y1, s.y2), -kHeight);
      }
    }
  }
}

TEST(EveryPage, ScreenPagesStayWithinTheGridHeight) {
  WorkedDocument w;
  for (const auto& page : AllPages()) {
    if (page.print) continue;
    SCOPED_TRACE(page.name);
    RecordingCanvas c;
    page.draw(c, w.doc->snapshot());
    for (const auto& t : c.Texts()) {
      EXPECT_GE(t.y, 0) << t.text;
      EXPECT_LE(t.y + RecordingCanvas::MetricsFor(t.font).height, kScreenGridHeight) << t.text;
    }
  }
}

}  // namespace
}  // namespace sarvexa
