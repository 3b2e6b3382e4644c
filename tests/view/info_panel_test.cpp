// The information panel and the planet table against the recording canvas
// (font 12: line 14, character width 6; Print280: line 343, width 140).

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "engine/dasha.h"
#include "page_test_support.h"
#include "view/info_panel.h"

namespace sarvexa {
namespace {

using page_test::TextAt;
using page_test::WorkedDocument;

TEST(InfoPanel, WorkedChartTextsAndScreenPositions) {
  WorkedDocument w;
  RecordingCanvas c;
  c.SelectFont(FontId::Screen12);
  const int last = DrawInfoPanel(c, 20, 0, w.doc->snapshot());
  EXPECT_EQ(last, 4 * 14);

  const std::string period = "CurPer: " + FormatCurrentPeriod(w.doc->currentPeriod());
  struct Row {
    std::string text;
    int x, y;
  };
  const Row kRows[] = {
      {"Ann Lee Jan 1,2000 ", 20, 0},
      {"Time: 5:30PM  Zone: 5:30  DST: 0", 20, 14},
      {"New Delhi", 20, 28},
      {"Longitude: 77E12  ", 20, 42},
      // after the measured width of the longitude text (18 characters x 6)
      {"Latitude: 28N36  " + period, 20 + 18 * 6, 42},
      // ayanamsa about 23.854 degrees at T = 0: 23 degrees 51 minutes
      {"Lahiri Ayanamsa: 23:51  365.25 Day Year", 20, 56},
  };
  for (const auto& r : kRows) {
    SCOPED_TRACE(r.text);
    const RecordedText t = TextAt(c, r.text);
    EXPECT_EQ(t.x, r.x);
    EXPECT_EQ(t.y, r.y);
  }
  // At 15 June 2024 the worked chart runs Saturn's maha and its Venus bukti
  // (Saturn from 20 September 2016; Sa/Sa 3.01, Sa/Me 2.69, Sa/Ke 1.11 years).
  EXPECT_EQ(period.substr(0, 14), "CurPer: Sa/Ve/");
}

TEST(InfoPanel, PrintLinesGoUpTheSheetByTheLineHeight) {
  WorkedDocument w;
  RecordingCanvas c;
  c.SetMapping(Mapping::Print);
  c.SelectFont(FontId::Print280);
  const int last = DrawInfoPanel(c, 720, -343, w.doc->snapshot());
  EXPECT_EQ(last, -343 - 4 * 343);
  EXPECT_EQ(TextAt(c, "New Delhi").y, -343 - 2 * 343);
  EXPECT_EQ(TextAt(c, "Longitude: 77E12  ").y, -343 - 3 * 343);
}

Horoscope ClockChart(double localHours, double zone, int dst) {
  Horoscope h;
  h.julianDay = DayNumberFromDate(2000, 1, 1);
  h.zone = zone;
  h.dst = static_cast<std::int16_t>(dst);
  h.universalTime = localHours + zone - dst;
  return h;
}

TEST(InfoPanel, ClockTimeOnTheTwelveHourDial) {
  struct Case {
    double hours;
    double zone;
    int dst;
    const char* expected;
    const char* source;
  };
  const Case kCases[] = {
      {0.0 + 5.0 / 60, -5.5, 0, "Time: 12:05AM  Zone: 5:30  DST: 0", "00:05 shows 12 AM"},
      {12.5, -5.5, 0, "Time: 12:30PM  Zone: 5:30  DST: 0", "12:30 shows 12 PM"},
      {23.0 + 59.0 / 60, 5.5, 0, "Time: 11:59PM  Zone: 5:30  DST: 0", "23:59; zone west as east"},
      {9.0 + 15.0 / 60, 5.0, 1, "Time: 9:15AM  Zone: 5:00  DST: 1", "daylight saving shown"},
      {10.99999999, 0.0, 0, "Time: 11:00AM  Zone: 0:00  DST: 0", "rounded to the minute"},
  };
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.source);
    InfoPanelData d;
    d.horoscope = ClockChart(k.hours, k.zone, k.dst);
    EXPECT_EQ(InfoPanelTextsOf(d).time, k.expected);
  }
}

TEST(InfoPanel, CoordinateLettersAndMagnitudes) {
  struct Case {
    double value;
    char pos, neg;
    const char* expected;
    const char* source;
  };
  const Case kCases[] = {
      {-(20.0 / 60), 'W', 'E', "0E20", "0 deg 20 min East: only the minutes carry the sign"},
      {20.0 / 60, 'W', 'E', "0W20", "0 deg 20 min West"},
      {-77.2, 'W', 'E', "77E12", "worked chart longitude"},
      {28.6, 'N', 'S', "28N36", "worked chart latitude"},
      {-33.0 - 52.0 / 60, 'N', 'S', "33S52", "southern latitude"},
      {0.0, 'N', 'S', "0N00", "on the equator"},
  };
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.source);
    EXPECT_EQ(CoordinateText(k.value, k.pos, k.neg), k.expected);
  }
}

TEST(InfoPanel, FutureChartShowsDashesForTheCurrentPeriod) {
  // The clock stands before the chart's first bukti: no current period.
  WorkedDocument w(1, 0, LocalClockReading{1970, 1, 1, 0, 0});
  ASSERT_FALSE(w.doc->currentPeriod().has_value());
  const InfoPanelTexts t = InfoPanelTextsOf(InfoPanelDataOf(w.doc->snapshot()));
  EXPECT_EQ(t.latitude, "Latitude: 28N36  CurPer: --/--/--");
}

TEST(PlanetTable, BoxRowsAndRightAlignedDegrees) {
  Horoscope h;
  h.positions[0].longitude = 359.99;  // shows 29:59 Pi, never rounded up
  h.positions[3].longitude = 304.1286126253049;
  h.positions[7].longitude = 16.537554647375135;
  h.positions[7].retrograde = 1;
  RecordingCanvas c;
  c.SelectFont(FontId::Screen12);
  DrawPlanetTable(c, 350, 2, 14, h);

  // W0 = 14 characters, W1 = 10, W2 = 4, W3 = 5 (x 6 units).
  ASSERT_FALSE(c.Shapes().empty());
  const RecordedShape box = c.Shapes().front();
  EXPECT_TRUE(box.isRectangle);
  EXPECT_EQ(box.x1, 350);
  EXPECT_EQ(box.y1, 2);
  EXPECT_EQ(box.x2, 350 + 84);
  EXPECT_EQ(box.y2, 2 + 11 * 14);

  const int x0 = 350 + (84 - 60) / 3;
  struct Row {
    const char* text;
    int x, y;
  };
  const Row kRows[] = {
      {"As", x0, 2 + 7},
      {"29:59", x0 + 24 + 30 - 30, 2 + 7},
      {"Pi", x0 + 60, 2 + 7},
      {"Ma", x0, 2 + 7 + 3 * 14},
      {"04:07", x0 + 24, 2 + 7 + 3 * 14},
      {"Aq", x0 + 60, 2 + 7 + 3 * 14},
      {"SaR", x0, 2 + 7 + 7 * 14},
      {"16:32", x0 + 24, 2 + 7 + 7 * 14},
  };
  for (const auto& r : kRows) {
    SCOPED_TRACE(r.text);
    const RecordedText t = TextAt(c, r.text);
    EXPECT_EQ(t.x, r.x);
    EXPECT_EQ(t.y, r.y);
  }
  EXPECT_EQ(page_test::TextsStartingWith(c, "Ke").size(), 1u);
}

TEST(PlanetTable, PrintRowsGoUp) {
  Horoscope h;
  RecordingCanvas c;
  c.SetMapping(Mapping::Print);
  c.SelectFont(FontId::Print200);
  DrawPlanetTable(c, 720, -9000, 245, h);
  ASSERT_FALSE(c.Shapes().empty());
  EXPECT_EQ(c.Shapes().front().y2, -9000 - 11 * 245);
  EXPECT_EQ(TextAt(c, "As").y, -9000 - 122);
  EXPECT_EQ(TextAt(c, "Ke").y, -9000 - 122 - 9 * 245);
}

}  // namespace
}  // namespace sarvexa
