// The Chart page, screen and print, for the worked chart. The Maha dasha
// dates are those of the worked chart's dasha table: Rahu from 21 September
// 1982 (running at birth), Jupiter 20 September 2000, Saturn 20 September
// 2016, Mercury 21 September 2035, Ketu 20 September 2052, Venus 21 September
// 2059, Sun 21 September 2079, Moon 21 September 2085, Mars 21 September 2095.

#include <gtest/gtest.h>

#include "engine/varga.h"
#include "page_test_support.h"
#include "view/pages.h"

namespace sarvexa {
namespace {

using page_test::IndexOfText;
using page_test::TextAt;
using page_test::TextsStartingWith;
using page_test::WorkedDocument;

TEST(ChartPageScreen, NineMahaDashaRowsFromTheBirthDate) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawChartPageScreen(c, w.doc->snapshot());

  // Font 12 on the recording canvas: line 14; rows at 14/2 + 2 + (i+1) x 14.
  struct Row {
    const char* lord;
    const char* date;
    const char* source;
  };
  const Row kRows[] = {
      {"Ra", "Jan-01-2000", "row 0 shows the birth date, not 21 Sep 1982"},
      {"Ju", "Sep-20-2000", "Jupiter maha"},
      {"Sa", "Sep-20-2016", "Saturn maha"},
      {"Me", "Sep-21-2035", "Mercury maha"},
      {"Ke", "Sep-20-2052", "Ketu maha"},
      {"Ve", "Sep-21-2059", "Venus maha"},
      {"Su", "Sep-21-2079", "Sun maha"},
      {"Mo", "Sep-21-2085", "Moon maha"},
      {"Ma", "Sep-21-2095", "Mars maha"},
  };
  const auto title = TextAt(c, "Vimshottari Dashas");
  EXPECT_EQ(title.x, 470);
  EXPECT_EQ(title.y, 14 / 2 + 2);
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(kRows[i].source);
    const int y = 14 / 2 + 2 + (i + 1) * 14;
    const RecordedText date = TextAt(c, kRows[i].date);
    EXPECT_EQ(date.x, 500);
    EXPECT_EQ(date.y, y);
    // the lord's name stands on the same row at x = 470
    bool found = false;
    for (const auto& t : c.Texts()) {
      if (t.text == kRows[i].lord && t.x == 470 && t.y == y) found = true;
    }
    EXPECT_TRUE(found) << kRows[i].lord;
  }
}

TEST(ChartPageScreen, PanelTableAndBoxPositions) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawChartPageScreen(c, w.doc->snapshot());
  const RecordedText name = TextAt(c, "Ann Lee Jan 1,2000 ");
  EXPECT_EQ(name.x, 20);
  EXPECT_EQ(name.y, 0);
  EXPECT_EQ(name.font, FontId::Screen12);
  // the dasha box: 460 .. 460 + width("SVimshottariSDashasS") = 20 x 6
  bool box = false;
  for (const auto& s : c.Shapes()) {
    if (s.isRectangle && s.x1 == 460 && s.y1 == 2 && s.x2 == 460 + 120 && s.y2 == 11 * 14 + 2) {
      box = true;
    }
  }
  EXPECT_TRUE(box);
  // the two chart frames: Rashi 20,80 300 x 300 and Navamsa 350,180 238 x 200
  bool rashi = false, navamsa = false;
  for (const auto& s : c.Shapes()) {
    if (s.isRectangle && s.x1 == 20 && s.y1 == 80 && s.x2 == 320 && s.y2 == 380) rashi = true;
    if (s.isRectangle && s.x1 == 350 && s.y1 == 180 && s.x2 == 588 && s.y2 == 380) navamsa = true;
  }
  EXPECT_TRUE(rashi);
  EXPECT_TRUE(navamsa);
  // no titles over the two charts on screen
  EXPECT_EQ(c.FindText("Navamsa"), nullptr);
  EXPECT_EQ(c.FindText("Rashi"), nullptr);
  // the chart page restores the caller's font and pen
  EXPECT_EQ(c.GetFont(), FontId::Screen12);
}

TEST(ChartPageScreen, ColourAppliesToTheRashiChartOnly) {
  WorkedDocument w(1, 1);
  RecordingCanvas c;
  DrawChartPageScreen(c, w.doc->snapshot());
  // Gemini rising: Rahu and Ketu are the only functional malefics (red).
  const auto rahuRashi = TextsStartingWith(c, "Ra ");
  ASSERT_EQ(rahuRashi.size(), 1u);  // "Ra 10:05" in the Rashi chart
  EXPECT_EQ(rahuRashi[0].colour, (Rgb{225, 0, 0}));
  const auto asc = TextsStartingWith(c, "As ");
  ASSERT_EQ(asc.size(), 1u);
  EXPECT_EQ(asc[0].colour, kBlack);
  // Navamsa labels are bare and black
  for (const auto& t : c.Texts()) {
    if (t.x >= 350 && t.y >= 180 && t.font == FontId::Screen10) {
      EXPECT_EQ(t.colour, kBlack) << t.text;
    }
  }
  EXPECT_EQ(c.GetTextColor(), kBlack);
}

TEST(ChartPagePrint, FiftyEightMahaBuktiRowsFromTheBirthDate) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawChartPagePrint(c, w.doc->snapshot());

  // Print280 line 343; Print200 line 245, character 100.
  const RecordedText heading = TextAt(c, "Vimshottari Dasha");
  EXPECT_EQ(heading.x, 8340);
  EXPECT_EQ(heading.y, 0);
  const int w18 = 18 * 100;  // width("SS/SS00022/22/2222")
  bool box = false;
  for (const auto& s : c.Shapes()) {
    if (s.isRectangle && s.x1 == 8340 && s.y1 == -343 && s.x2 == w18 + 8940 &&
        s.y2 == -343 - 58 * 245 - 480) {
      box = true;
      EXPECT_EQ(s.penWidth, 4);
    }
  }
  EXPECT_TRUE(box);

  std::vector<RecordedText> rows;
  for (const auto& t : c.Texts()) {
    if (t.x == 8640 && t.text.size() == 5 && t.text[2] == '/') rows.push_back(t);
  }
  ASSERT_EQ(rows.size(), 58u);
  // The Rahu maha's last bukti (Rahu/Mars, from 3 September 1999) runs at
  // birth; then all nine buktis of six mahas (54 rows); then three of Moon.
  EXPECT_EQ(rows[0].text, "Ra/Ma");
  EXPECT_EQ(rows[1].text, "Ju/Ju");
  EXPECT_EQ(rows[9].text, "Ju/Ra");
  EXPECT_EQ(rows[10].text, "Sa/Sa");
  EXPECT_EQ(rows[57].text, "Mo/Ra");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].y, -343 - 240 - static_cast<int>(i) * 245) << i;
  }
  // dates right-aligned to end at 8640 + W; the first is the birth date
  const RecordedText first = TextAt(c, "Jan 1,2000");
  EXPECT_EQ(first.x + 10 * 100, 8640 + w18);
  EXPECT_EQ(first.y, rows[0].y);
  const RecordedText jupiter = TextAt(c, "Sep 20,2000");
  EXPECT_EQ(jupiter.y, rows[1].y);
}

TEST(ChartPagePrint, ChartsTableAndTitles) {
  WorkedDocument w(2);
  RecordingCanvas c;
  DrawChartPagePrint(c, w.doc->snapshot());
  const int b = 245;
  const RecordedText info = TextAt(c, "Planetary Info");
  EXPECT_EQ(info.x, 720);
  EXPECT_EQ(info.y, -8 * (900 + b));
  const RecordedText nav = TextAt(c, "Navamsa");
  EXPECT_EQ(nav.x, 3600);
  EXPECT_EQ(nav.y, -8 * (900 + b));
  // panel in Print280 from (720, 0): its last line at -4 x 343
  const int y0 = -4 * 343;
  bool rashi = false, navamsa = false;
  for (const auto& s : c.Shapes()) {
    if (!s.isRectangle) continue;
    // the canvas records (left, top, right, bottom) of the outline
    if (s.x1 == 720 && s.x2 == 720 + 7200 && std::min(s.y1, s.y2) == y0 - 2 * b - 7200 &&
        std::max(s.y1, s.y2) == y0 - 2 * b) {
      rashi = true;
    }
    if (s.x1 == 3600 && s.x2 == 3600 + 4320 && std::min(s.y1, s.y2) == -9 * (1280 + b) &&
        std::max(s.y1, s.y2) == -9 * (1280 + b) + 4320) {
      navamsa = true;
    }
  }
  EXPECT_TRUE(rashi);
  EXPECT_TRUE(navamsa);
  EXPECT_EQ(c.FindText("Rashi"), nullptr);
}

}  // namespace
}  // namespace sarvexa
