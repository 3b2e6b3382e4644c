// The SA analysis page and the SA transits page.

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/sa_transits.h"
#include "engine/calendar.h"
#include "page_test_support.h"
#include "view/pages.h"
#include "view/sa_page.h"
#include "view/transits_page.h"

namespace sarvexa {
namespace {

using page_test::TextAt;
using page_test::TextsStartingWith;
using page_test::WorkedDocument;

/// A chart whose points stand at the given longitudes, with the derived
/// degree fields filled in as the calculation leaves them.
Horoscope ChartAt(const std::array<double, 10>& lons) {
  Horoscope h;
  for (std::size_t g = 0; g < 10; ++g) {
    h.positions[g].longitude = lons[g];
    h.positions[g].signDegrees = static_cast<std::int16_t>(static_cast<int>(lons[g]) % 30);
    h.positions[g].minutes = static_cast<std::int16_t>((lons[g] - std::trunc(lons[g])) * 60.0);
  }
  return h;
}

TEST(SaPageLines, NodeHousesCountedFromTheMepTheAxisStandsOn) {
  struct Case {
    double asc, rahu;
    const char* rahuLine;
    const char* ketuLine;
    const char* source;
  };
  const Case kCases[] = {
      {28.0, 61.0, "Afflicts houses 2 6 10 MEP 40% ", "Afflicts houses 8 12 4 MEP 40% ",
       "Rahu 1 deg Gemini, Ascendant 28 deg Aries: on the MEP of house 2"},
      {2.0, 359.0, "Afflicts houses 1 5 9 MEP 40% ", "Afflicts houses 7 11 3 MEP 40% ",
       "Rahu 29 deg Pisces, Ascendant 2 deg Aries: on the MEP of house 1"},
  };
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.source);
    const double ketu = std::fmod(k.rahu + 180.0, 360.0);
    const Horoscope h =
        ChartAt({k.asc, 140.3, 152.6, 165.1, 131.9, 200.4, 215.8, 230.2, k.rahu, ketu});
    const auto lines = SaPageLines(h, AnalyseChart(h));
    ASSERT_GE(lines.size(), 9u);
    const SaPageLine& rahu = lines[lines.size() - 2];
    const SaPageLine& ketuLine = lines.back();
    EXPECT_EQ(rahu.label, "Rahu");
    EXPECT_EQ(rahu.text, k.rahuLine);
    EXPECT_EQ(ketuLine.label, "Ketu");
    EXPECT_EQ(ketuLine.text, k.ketuLine);
  }
}

TEST(SaPageLines, MaleficListedOnThePageEvenWhenNotAfflicting) {
  // Aries rising: Mercury, Rahu, Ketu are malefics. The Sun at 10 deg Leo
  // with Mercury 3 deg away in the same sign: 40 percent on the page.
  const Horoscope h = ChartAt({15.0, 130.0, 200.0, 260.0, 133.0, 290.0, 320.0, 350.0, 95.0, 275.0});
  const auto lines = SaPageLines(h, AnalyseChart(h));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].label, "Sun");
  bool listed = false;
  for (const auto& l : lines) {
    if (l.text == "Conjunct functional malefic(s): Me 40%, ") listed = true;
  }
  EXPECT_TRUE(listed);
  // each graha's group is closed
  int groups = 0;
  for (const auto& l : lines) groups += l.lastOfGroup ? 1 : 0;
  EXPECT_EQ(groups, 7);  // nodes stand on no MEP here
}

TEST(SaPageScreen, TitleAndLabelColumns) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawSaPageScreen(c, w.doc->snapshot());
  const RecordedText title = TextAt(c, "System's Approach Analysis for Ann Lee");
  EXPECT_EQ(title.x, 20);
  EXPECT_EQ(title.y, 2);
  EXPECT_EQ(title.font, FontId::Screen14);
  // font 14: line 16; the first graha at y = 16 + 8
  const RecordedText sun = TextAt(c, "Sun");
  EXPECT_EQ(sun.x, 20);
  EXPECT_EQ(sun.y, 24);
  const auto lines = SaPageLines(w.doc->horoscope(), w.doc->saAnalysis());
  ASSERT_FALSE(lines.empty());
  const RecordedText status = TextAt(c, lines[0].text);
  EXPECT_EQ(status.x, 100);
  EXPECT_EQ(status.y, 24);
  // the worked chart's nodes stand on no MEP: the page ends with Saturn
  EXPECT_EQ(c.FindText("Rahu"), nullptr);
  int y = 24;
  for (const auto& l : lines) {
    if (!l.label.empty()) {
      EXPECT_EQ(TextAt(c, l.label).y, y) << l.label;
    }
    y += 16;
  }
}

TEST(SaPagePrint, TextChartTableAndDashaBox) {
  WorkedDocument w;
  RecordingCanvas c;
  DrawSaPagePrint(c, w.doc->snapshot());
  EXPECT_EQ(TextAt(c, "SYSTEM'S APPROACH ANALYSIS").y, 2);
  const int h = 245, half = 122;
  const int panelLast = -343 - 2 - 4 * h;
  const RecordedText sun = TextAt(c, "Sun");
  EXPECT_EQ(sun.x, 720);
  EXPECT_EQ(sun.y, panelLast - 2 * h);

  const auto lines = SaPageLines(w.doc->horoscope(), w.doc->saAnalysis());
  int y = panelLast - 2 * h;
  for (const auto& l : lines) {
    y -= h;
    if (l.lastOfGroup) y -= half;
  }
  const RecordedText rashi = TextAt(c, "Rashi");
  EXPECT_EQ(rashi.x, 720);
  EXPECT_EQ(rashi.y, y);
  const int top = y - h;
  EXPECT_EQ(TextAt(c, "Planetary Info").y, top + h);
  const RecordedText box = TextAt(c, "Vimshottari Dashas");
  EXPECT_EQ(box.x, 8320);
  EXPECT_EQ(box.y, top + h);
  // nine rows from top - half: first the birth date, right-aligned 200
  // before the box's right edge (8320 + 19 characters x 100)
  const RecordedText birth = TextAt(c, "Jan 1,2000");
  EXPECT_EQ(birth.y, top - half);
  EXPECT_EQ(birth.x + 10 * 100, 8320 + 1900 - 200);
  EXPECT_EQ(TextAt(c, "Sep 21,2095").y, top - half - 8 * h);
  const RecordedText navamsaTitle = TextAt(c, "Navamsa");
  EXPECT_EQ(navamsaTitle.x, 6120);
  EXPECT_EQ(navamsaTitle.y, top - h - 2500);
  // the Navamsa chart lies wholly below its title's line and below the table
  bool frame = false;
  for (const auto& s : c.Shapes()) {
    if (s.isRectangle && s.x1 == 6120 && s.x2 == 6120 + 4000) {
      frame = true;
      EXPECT_LE(std::max(s.y1, s.y2), navamsaTitle.y - h);
      EXPECT_LT(std::max(s.y1, s.y2), top - 11 * h);
      EXPECT_EQ(std::max(s.y1, s.y2) - std::min(s.y1, s.y2), 4000);
    }
  }
  EXPECT_TRUE(frame);
}

TEST(TransitTexts, DailyMotion) {
  struct Case {
    double v;
    const char* expected;
    const char* source;
  };
  const Case kCases[] = {
      {-0.5, "-0\u00B0 30'", "Mars backwards half a degree a day"},
      {13.2, "13\u00B0 12'", "Moon"},
      {0.9856, "0\u00B0 59'", "Sun"},
      {0.99999, "1\u00B0 00'", "a rounded full minute carries into the degrees"},
      {-0.0, "0\u00B0 00'", "standing still"},
  };
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.source);
    EXPECT_EQ(DailyMotionText(k.v), k.expected);
  }
  EXPECT_EQ(DailyMotionText(std::nan("")), "0\u00B0 00'");
}

TEST(TransitTexts, Percentages) {
  struct Case {
    double natal, transit;
    int conj, aspect;
    const char* source;
  };
  const Case kCases[] = {
      {2.0, 359.0, 40, 40, "across 0 Aries, 3 degrees"},
      {100.0, 100.0, 100, 100, "exact"},
      {105.0, 100.0, 0, 0, "exactly at the orb reads 0, not 100"},
      {181.0, 359.0, 0, 60, "aspect: 1 and 29 degrees within their signs"},
      {2.0, 300.0, 0, 60, "aspect: 2 and 0 degrees within their signs"},
  };
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.source);
    EXPECT_EQ(TransitConjunctionPercent(k.natal, k.transit), k.conj);
    EXPECT_EQ(TransitAspectPercent(k.natal, k.transit), k.aspect);
  }
}

TEST(TransitTexts, HouseAspectMasks) {
  EXPECT_EQ(TransitHouseAspects(graha::Saturn), (1 << 3) | (1 << 7) | (1 << 10));
  EXPECT_EQ(TransitHouseAspects(graha::Mars), (1 << 4) | (1 << 7) | (1 << 8));
  EXPECT_EQ(TransitHouseAspects(graha::Rahu), (1 << 5) | (1 << 9));
  EXPECT_EQ(TransitHouseAspects(99), 0);
}

struct TransitFixture {
  Horoscope natal = ChartAt({0.0, 100.0, 130.0, 160.0, 2.0, 220.0, 181.0, 250.0, 70.0, 250.0});
  Horoscope transit = ChartAt({10.0, 359.0, 45.0, 80.0, 110.0, 140.0, 170.0, 300.0, 20.0, 200.0});
  SaTransitAnalysis analysis;
  TransitFixture() {
    transit.positions[1].dailyMotion = 0.9856;
    transit.positions[2].dailyMotion = 13.2;
    transit.positions[3].dailyMotion = -0.5;
    analysis = AnalyseTransits(natal, transit);
  }
};

TEST(TransitLines, SaturnOnTheMepOfHouseElevenWrapsItsAspectHouses) {
  TransitFixture f;
  const auto lines = TransitLines(f.natal, f.transit, f.analysis, graha::Saturn);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 15), "Saturn (speed: ");
  EXPECT_EQ(lines[1],
            "Conjunct house 11 MEP 100%  Asp house 1 MEP  Asp house 5 MEP  Asp house 8 MEP ");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "Aspect Natal: Merc 60% ");
}

TEST(TransitLines, SunConjunctAcrossAriesAndAspectAcrossASignBoundary) {
  TransitFixture f;
  const auto lines = TransitLines(f.natal, f.transit, f.analysis, graha::Sun);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Sun (speed: 0\u00B0 59' ) : ");
  // 1 degree short of the MEP of natal house 1 (the Ascendant at 0)
  EXPECT_EQ(lines[1], "Conjunct house 1 MEP 80%  Asp house 7 MEP ");
  EXPECT_EQ(lines[2], "Conjunt Natal: Merc 40% ");
  EXPECT_EQ(lines[3], "Aspect Natal: Venus 60% ");
}

TEST(TransitLines, NegativeSpeedAndNothingElse) {
  TransitFixture f;
  const auto mars = TransitLines(f.natal, f.transit, f.analysis, graha::Mars);
  ASSERT_FALSE(mars.empty());
  EXPECT_EQ(mars[0], "Mars (speed: -0\u00B0 30' ) : ");
  const auto moon = TransitLines(f.natal, f.transit, f.analysis, graha::Moon);
  ASSERT_FALSE(moon.empty());
  EXPECT_EQ(moon[0], "Moon (speed: 13\u00B0 12' ) : ");
  EXPECT_TRUE(TransitLines(f.natal, f.transit, f.analysis, 0).empty());
  EXPECT_TRUE(TransitLines(f.natal, f.transit, f.analysis, 10).empty());
}

TEST(TransitsScreen, TitleAndIndentedLines) {
  WorkedDocument w;
  TransitFixture f;
  ChartSnapshot snap = w.doc->snapshot();
  snap.transitHoroscope = f.transit;
  snap.transitAnalysis = AnalyseTransits(snap.horoscope, f.transit);
  RecordingCanvas c;
  DrawTransitsPageScreen(c, snap);
  const RecordedText title = TextAt(c, "Current Transits for Ann Lee");
  EXPECT_EQ(title.y, 2);
  EXPECT_EQ(title.font, FontId::Screen14);
  // H = 16 for font 14; then font 12 rows of 14
  const auto sun = TextsStartingWith(c, "Sun (speed: ");
  ASSERT_EQ(sun.size(), 1u);
  EXPECT_EQ(sun[0].x, 30);
  EXPECT_EQ(sun[0].y, 18);
  EXPECT_EQ(sun[0].font, FontId::Screen12);
  int motionLines = 0;
  for (const auto& t : c.Texts()) {
    if (t.text.find(" (speed: ") != std::string::npos) {
      ++motionLines;
      EXPECT_EQ(t.x, 30);
    } else if (t.y > 2) {
      EXPECT_EQ(t.x, 40) << t.text;
    }
  }
  EXPECT_EQ(motionLines, 9);
}

TEST(TransitsPrint, ChartsSideBySideWithTheTransitMoment) {
  WorkedDocument w;
  Horoscope transit;
  SetBirthDate(transit, 6, 15, 2024);
  SetBirthTime(transit, 9, 5, -5, -30, 0, 0);
  SetBirthPlace(transit, -77, -12, 28, 36);
  EXPECT_EQ(TransitMomentText(transit), "Jun 15,2024 09:05");
  ChartSnapshot snap = w.doc->snapshot();
  snap.transitHoroscope = transit;
  snap.transitAnalysis = AnalyseTransits(snap.horoscope, transit);

  RecordingCanvas c;
  DrawTransitsPagePrint(c, snap);
  const int h = 294;
  EXPECT_EQ(TextAt(c, "CURRENT TRANSITS FOR:").y, -400);
  const RecordedText natal = TextAt(c, "Natal Chart");
  const RecordedText tr = TextAt(c, "Transit Chart");
  EXPECT_EQ(natal.x, 720);
  EXPECT_EQ(tr.x, 5320);
  EXPECT_EQ(natal.y, tr.y);
  const RecordedText moment = TextAt(c, "Jun 15,2024 09:05");
  EXPECT_EQ(moment.x, 5320);
  EXPECT_EQ(moment.y, natal.y - h);
  // both charts 4000 square, their lower edge 4000 below the moment's next line
  const int lower = natal.y - 2 * h - 4000;
  int frames = 0;
  for (const auto& s : c.Shapes()) {
    if (s.isRectangle && (s.x1 == 720 || s.x1 == 5320) && s.x2 - s.x1 == 4000 &&
        std::min(s.y1, s.y2) == lower) {
      ++frames;
      EXPECT_EQ(s.penWidth, 4);
    }
  }
  EXPECT_EQ(frames, 2);
}

}  // namespace
}  // namespace sarvexa
