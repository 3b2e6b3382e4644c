// The divisional charts page and the ephemeris page for the worked chart.

#include <gtest/gtest.h>

#include "document/ephemeris_series.h"
#include "engine/calendar.h"
#include "engine/varga.h"
#include "page_test_support.h"
#include "view/divisional_page.h"
#include "view/ephemeris_page.h"
#include "view/pages.h"

namespace sarvexa {
namespace {

using page_test::IndexOfText;
using page_test::TextAt;
using page_test::TextsStartingWith;
using page_test::WorkedDocument;

TEST(DivisionalScreen, SixTitledChartsInTwoRows) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawDivisionalPageScreen(c, w.doc->snapshot());
  EXPECT_EQ(TextAt(c, "Divisional Charts for: Ann Lee").y, 10);
  // font 12 line 14, font 8 line 9: first row at y = 34, second 180 lower
  struct Title {
    const char* name;
    int x, y;
  };
  const Title kTitles[] = {
      {"Hora", 20, 34},      {"Decante", 220, 34},  {"Saptamsa", 420, 34},
      {"Ashtamsa", 20, 214}, {"Dasamsa", 220, 214}, {"Dwadasmsa", 420, 214},
  };
  for (const auto& t : kTitles) {
    SCOPED_TRACE(t.name);
    const RecordedText r = TextAt(c, t.name);
    EXPECT_EQ(r.x, t.x);
    EXPECT_EQ(r.y, t.y);
    EXPECT_EQ(r.font, FontId::Screen8);
    bool frame = false;
    for (const auto& s : c.Shapes()) {
      if (s.isRectangle && s.x1 == t.x && s.y1 == t.y + 9 && s.x2 == t.x + 160 &&
          s.y2 == t.y + 9 + 160) {
        frame = true;
      }
    }
    EXPECT_TRUE(frame);
  }
  EXPECT_EQ(c.FindText("Navamsa"), nullptr);  // on the Chart page instead
}

TEST(DivisionalScreen, EachNorthChartCountsFromItsOwnAscendant) {
  WorkedDocument w(1);
  RecordingCanvas c;
  DrawDivisionalPageScreen(c, w.doc->snapshot());
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(kScreenDivisionNames[i]);
    VargaSignArray signs{};
    VargaSigns(w.doc->horoscope(), signs, kScreenDivisions[i]);
    // the first text after the title is the sign number of house 1, then
    // house 2 shows the next sign
    const int title = IndexOfText(c, kScreenDivisionNames[i]);
    ASSERT_GE(title, 0);
    ASSERT_LT(static_cast<std::size_t>(title + 2), c.Texts().size());
    EXPECT_EQ(c.Texts()[static_cast<std::size_t>(title + 1)].text, std::to_string(signs[0] + 1));
    EXPECT_EQ(c.Texts()[static_cast<std::size_t>(title + 2)].text,
              std::to_string((signs[0] + 1) % 12 + 1));
  }
}

TEST(DivisionalSigns, UnsupportedDivisionFallsBackToRashiSigns) {
  WorkedDocument w;
  const ChartSigns rashi = RashiSignsOf(w.doc->horoscope());
  EXPECT_EQ(DivisionalSigns(w.doc->horoscope(), 13), rashi);
  // the worked chart's Navamsa Ascendant: 16 deg 19 min of Gemini is
  // 76 x 60 + 19 = 4579 arc-minutes, part 22, i.e. 22 mod 12 = Aquarius (10)
  EXPECT_EQ(DivisionalSigns(w.doc->horoscope(), 9)[0], 10);
}

TEST(DivisionalPrint, TwelveChartsFourRowsOfThree) {
  WorkedDocument w(2);
  RecordingCanvas c;
  DrawDivisionalPagePrint(c, w.doc->snapshot());
  EXPECT_EQ(TextAt(c, "DIVISIONAL CHARTS").y, 0);
  const int a = 196;  // Print160 line
  const int yTitle0 = -343 - 4 * a - a;
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(kPrintDivisionNames[i]);
    const RecordedText t = TextAt(c, kPrintDivisionNames[i]);
    EXPECT_EQ(t.x, 720 + 3300 * (i % 3));
    EXPECT_EQ(t.y, yTitle0 - 3300 * (i / 3));
    EXPECT_EQ(t.font, FontId::Print160);
  }
  // South style: every chart still has an open centre, i.e. 12 frames
  int frames = 0;
  for (const auto& s : c.Shapes()) {
    if (s.isRectangle && s.x2 - s.x1 == 2800) ++frames;
  }
  EXPECT_EQ(frames, 12);
  EXPECT_EQ(c.Shapes().front().penWidth, 1);
}

TEST(EphemerisScreen, MonthlyFromTheThirtyFirstOfJanuary) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawEphemerisPageScreen(c, w.doc->snapshot(), DayNumberFromDate(2001, 1, 31),
                          EphemerisInterval::Monthly);
  // 31 February 2001 is 3 March; the series then keeps the 3rd
  const char* kDates[] = {"Jan 31,2001: ", "Mar  3,2001: ", "Apr  3,2001: ", "May  3,2001: "};
  const int c12 = 14;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(kDates[i]);
    const RecordedText t = TextAt(c, kDates[i]);
    EXPECT_EQ(t.x, 20);
    EXPECT_EQ(t.y, 2 * c12 + 2 + i * c12);
  }
  int rows = 0;
  for (const auto& t : c.Texts()) {
    if (t.x == 20 && t.text.size() == 13 && t.text.substr(t.text.size() - 2) == ": ") ++rows;
  }
  EXPECT_EQ(rows, 24);
}

TEST(EphemerisScreen, LeapYearAndColumnPositions) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawEphemerisPageScreen(c, w.doc->snapshot(), DayNumberFromDate(2000, 1, 31),
                          EphemerisInterval::Monthly);
  EXPECT_NE(c.FindText("Mar  2,2000: "), nullptr);  // 31 Feb 2000 = 2 March
  const RecordedText heading = TextAt(c, "Ephemeris for New Delhi   ");
  EXPECT_EQ(heading.y, 2);
  const RecordedText lon = TextAt(c, "Longitude: 77E12  ");
  EXPECT_EQ(lon.x, 20 + 26 * 6);
  const RecordedText lat = TextAt(c, "Latitude: 28N36 12:00 AM");
  EXPECT_EQ(lat.x, lon.x + 18 * 6);
  // W = width("22SS22SS") = 48; "Date" and eight headers on y = 16
  EXPECT_EQ(TextAt(c, "Date").y, 16);
  const char* kHeaders[] = {"Sun", "Moon", "Mars", "Merc", "Jupt", "Venus", "Sat", "Rahu"};
  for (int k = 0; k < 8; ++k) {
    const RecordedText h = TextAt(c, kHeaders[k]);
    EXPECT_EQ(h.x, 20 + 24 + (k + 1) * 48) << kHeaders[k];
    EXPECT_EQ(h.y, 16);
  }
  // the row cells are the series' own texts
  const auto series = ComputeEphemerisSeries(w.doc->horoscope(), DayNumberFromDate(2000, 1, 31),
                                             EphemerisInterval::Monthly, 1)
                          .value();
  ASSERT_EQ(series.size(), 1u);
  const std::string sun = EphemerisCellText(series[0].horoscope.positions[1]);
  bool found = false;
  for (const auto& t : c.Texts()) {
    if (t.text == sun && t.x == 20 + 24 + 48 && t.y == 30) found = true;
  }
  EXPECT_TRUE(found) << sun;
}

TEST(EphemerisScreen, CancelledDialogStartsAtTheChartsOwnMoment) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawEphemerisPageScreen(c, w.doc->snapshot(), 0, EphemerisInterval::Daily);
  const RecordedText first = TextAt(c, "Jan  1,2000: ");
  EXPECT_EQ(first.y, 30);
  // first row: the birth moment itself, so the Moon cell is the chart's
  const std::string moon = EphemerisCellText(w.doc->horoscope().positions[2]);
  EXPECT_EQ(moon, "19Li28");
  bool found = false;
  for (const auto& t : c.Texts()) {
    if (t.text == moon && t.y == 30) found = true;
  }
  EXPECT_TRUE(found);
  EXPECT_NE(c.FindText("Jan  2,2000: "), nullptr);
}

TEST(EphemerisPrint, FiftyEightRowsUnderARuledHeading) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawEphemerisPagePrint(c, w.doc->snapshot(), DayNumberFromDate(2000, 1, 1),
                         EphemerisInterval::Weekly);
  const int d = 294;  // Print240 line
  const int e = 245;  // Print200 line
  const RecordedText heading = TextAt(c, "Ephemeris for New Delhi   ");
  EXPECT_EQ(heading.x, 720);
  EXPECT_EQ(heading.y, -d);
  const RecordedText lat = TextAt(c, "Latitude: 28N36 12:00AM");
  // the rule from (720, -2d) to the end of the latitude text
  bool rule = false;
  for (const auto& s : c.Shapes()) {
    if (!s.isRectangle && s.x1 == 720 && s.y1 == -2 * d && s.y2 == -2 * d &&
        s.x2 == lat.x + 23 * 120) {
      rule = true;
      EXPECT_EQ(s.penWidth, 1);
    }
  }
  EXPECT_TRUE(rule);
  EXPECT_EQ(TextAt(c, "Date").y, -3 * d);
  const RecordedText first = TextAt(c, "Jan  1,2000: ");
  EXPECT_EQ(first.y, -3 * d - e);
  const RecordedText second = TextAt(c, "Jan  8,2000: ");  // weekly
  EXPECT_EQ(second.y, -3 * d - 2 * e);
  int rows = 0;
  for (const auto& t : c.Texts()) {
    if (t.x == 720 && t.text.size() == 13 && t.text.substr(11) == ": ") ++rows;
  }
  EXPECT_EQ(rows, 58);
}

TEST(EphemerisPage, UnknownIntervalListsDailyRows) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawEphemerisPageScreen(c, w.doc->snapshot(), DayNumberFromDate(2000, 1, 1),
                          static_cast<EphemerisInterval>(17));
  EXPECT_NE(c.FindText("Jan  2,2000: "), nullptr);
}

}  // namespace
}  // namespace sarvexa
