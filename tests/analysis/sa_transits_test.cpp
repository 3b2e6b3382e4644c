#include "analysis/sa_transits.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/analysis/sa_test_charts.h"

namespace sarvexa {
namespace {

using test::Chart;
using test::kNeutral;

// The transits start as a copy of the neutral natal chart; each case moves
// the graha under test and checks that graha's entries.
std::array<double, 10> QuietTransits() { return kNeutral; }

TEST(SaTransits, TransitsOverTheirOwnNatalPlaces) {
  const SaTransitAnalysis r = AnalyseTransits(Chart(kNeutral), Chart(QuietTransits()));
  for (int t = 1; t <= 9; ++t) {
    EXPECT_EQ(r.transitHouse[t - 1], -1) << t;
    // Each transiting graha stands on its own natal place and nothing else.
    EXPECT_EQ(r.natalConjunctions[t - 1], GrahaBit(t)) << t;
    EXPECT_EQ(r.natalAspects[t - 1], 0u) << t;
  }
  EXPECT_EQ(r.transitHouse[9], -1);
  EXPECT_EQ(r.natalConjunctions[9], 0u);
  EXPECT_EQ(r.natalAspects[9], 0u);
  EXPECT_DOUBLE_EQ(r.mep[0], 62.0);
  EXPECT_DOUBLE_EQ(r.mep[10], 2.0);
}

TEST(SaTransits, ConjunctionsAndHouses) {
  struct Case { GrahaIndex t; double lon; GrahaSet natal; int house; int strength; const char* source; };
  const Case cases[] = {
      {graha::Sun, 359.0, 0, 10, 40, "359 against the MEP at 2: 3 degrees across Aries"},
      {graha::Mars, 80.0, GrahaBit(graha::Mars) | GrahaBit(graha::Jupiter), -1, 0,
       "its own natal place and natal Jupiter"},
      {graha::Rahu, 190.5, GrahaBit(graha::Rahu), -1, 0, "transiting Rahu on natal Rahu"},
      {graha::Venus, 63.0, 0, 0, 80, "on the natal Ascendant: a house, not a conjunction"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    auto lons = QuietTransits();
    lons[c.t] = c.lon;
    const SaTransitAnalysis r = AnalyseTransits(Chart(kNeutral), Chart(lons));
    EXPECT_EQ(r.natalConjunctions[c.t - 1], c.natal);
    EXPECT_EQ(r.transitHouse[c.t - 1], c.house);
    if (c.house >= 0) {
      EXPECT_EQ(r.transitHouseStrength[c.t - 1], c.strength);
    }
    EXPECT_EQ(r.transitHouse[9], -1);
    EXPECT_EQ(r.natalConjunctions[9], 0u);
  }
}

TEST(SaTransits, SaturnAspects) {
  // Transiting Saturn at 10 reaches 280 (270), 70 (60) and 190 (180).
  struct Case { double natalLon; bool hit; const char* source; };
  const Case cases[] = {
      {280.0, true, "270-degree angle"}, {70.0, true, "60-degree angle"},
      {190.0, true, "180-degree angle"}, {130.0, false, "Saturn has no 120"},
      {274.9, false, "5.1 degrees off"}, {75.0, true, "exactly 5 degrees off"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    auto natal = kNeutral;
    natal[graha::Venus] = c.natalLon;
    auto transit = QuietTransits();
    transit[graha::Saturn] = 10.0;
    const SaTransitAnalysis r = AnalyseTransits(Chart(natal), Chart(transit));
    EXPECT_EQ(Contains(r.natalAspects[graha::Saturn - 1], graha::Venus), c.hit);
  }
}

TEST(SaTransits, NatalNodesReceiveTheOpposition) {
  // Natal Rahu at 190.5: a transiting Sun at 10.5 opposes it and counts here,
  // unlike in the natal analysis.
  auto transit = QuietTransits();
  transit[graha::Sun] = 10.5;
  const SaTransitAnalysis r = AnalyseTransits(Chart(kNeutral), Chart(transit));
  EXPECT_TRUE(Contains(r.natalAspects[graha::Sun - 1], graha::Rahu));
  // A transiting node casts no opposition.
  transit = QuietTransits();
  transit[graha::Rahu] = 10.5 + 0.0;
  transit[graha::Ketu] = 190.5 + 0.0;
  const SaTransitAnalysis nodes = AnalyseTransits(Chart(kNeutral), Chart(transit));
  EXPECT_FALSE(Contains(nodes.natalAspects[graha::Rahu - 1], graha::Rahu));
  EXPECT_FALSE(Contains(nodes.natalAspects[graha::Ketu - 1], graha::Ketu));
  EXPECT_EQ(nodes.natalAspects[9], 0u);
}

TEST(SaTransits, TwelveHourClock) {
  struct Case { int hour12; bool pm; int hour24; };
  const Case cases[] = {{12, true, 12}, {12, false, 0}, {11, true, 23}, {1, false, 1}, {1, true, 13}, {9, false, 9}};
  for (const Case& c : cases) EXPECT_EQ(To24Hour(c.hour12, c.pm), c.hour24) << c.hour12 << c.pm;
}

TEST(SaTransits, DialogValuesAndChoice) {
  // First use at 09:15 with an East, North location of 77 13, zone 5:30.
  TransitChoice clock{};
  clock.day = 14; clock.monthIndex = 2; clock.year = 2024; clock.hour = 9; clock.minute = 15;
  clock.zoneHours = -5; clock.zoneMinutes = -30; clock.lonDegrees = -77; clock.lonMinutes = -13;
  clock.latDegrees = 28; clock.latMinutes = 36; clock.isEast = 1;
  const TransitDialogValues shown = TransitDialogFromChoice(clock);
  EXPECT_EQ(shown.hour12, 9);
  EXPECT_EQ(shown.minute, 15);
  EXPECT_EQ(shown.isPm, 0);
  EXPECT_EQ(shown.lonDegrees, 77);
  EXPECT_EQ(shown.zoneMinutes, 30);
  // OK or Cancel without edits stands for the same signed values.
  const TransitChoice back = TransitChoiceFromDialog(shown);
  EXPECT_EQ(back, clock);
  EXPECT_EQ(back.lonDegrees, -77);
  EXPECT_EQ(back.lonMinutes, -13);
  EXPECT_EQ(back.zoneHours, -5);
  EXPECT_EQ(back.zoneMinutes, -30);

  struct Case { int hour24; int hour12; int pm; };
  const Case cases[] = {{0, 12, 0}, {12, 12, 1}, {23, 11, 1}, {13, 1, 1}, {11, 11, 0}};
  for (const Case& c : cases) {
    TransitChoice t{};
    t.hour = c.hour24;
    const TransitDialogValues v = TransitDialogFromChoice(t);
    EXPECT_EQ(v.hour12, c.hour12) << c.hour24;
    EXPECT_EQ(v.isPm, c.pm) << c.hour24;
    EXPECT_EQ(TransitChoiceFromDialog(v).hour, c.hour24);
  }

  TransitDialogValues south{};
  south.latDegrees = 33; south.latMinutes = 52; south.isSouth = 1;
  const TransitChoice s = TransitChoiceFromDialog(south);
  EXPECT_EQ(s.latDegrees, -33);
  EXPECT_EQ(s.latMinutes, -52);
  EXPECT_EQ(s.isSouth, 1);
}

TEST(SaTransits, HandEditedLocationExtremesKeepTheirSideWithoutOverflow) {
  // A location read from a hand-edited settings store can hold INT_MIN; its
  // magnitude and its East/South negation saturate at INT_MAX.
  TransitChoice stored{};
  stored.hour = 9;
  stored.lonDegrees = INT_MIN; stored.lonMinutes = INT_MIN;
  stored.zoneHours = INT_MIN; stored.zoneMinutes = INT_MIN;
  stored.latDegrees = INT_MIN; stored.latMinutes = INT_MIN;
  stored.isEast = 1; stored.isSouth = 1;
  const TransitDialogValues shown = TransitDialogFromChoice(stored);
  for (int v : {shown.lonDegrees, shown.lonMinutes, shown.zoneHours, shown.zoneMinutes,
                shown.latDegrees, shown.latMinutes}) {
    EXPECT_EQ(v, INT_MAX);
  }
  TransitDialogValues entered{};
  entered.lonDegrees = INT_MIN; entered.zoneHours = INT_MIN; entered.latMinutes = INT_MIN;
  entered.isEast = 1; entered.isSouth = 1;
  const TransitChoice signedBack = TransitChoiceFromDialog(entered);
  EXPECT_EQ(signedBack.lonDegrees, INT_MAX);
  EXPECT_EQ(signedBack.zoneHours, INT_MAX);
  EXPECT_EQ(signedBack.latMinutes, INT_MAX);
  // The ordinary East/South round trip is unchanged.
  const TransitChoice back = TransitChoiceFromDialog(shown);
  EXPECT_EQ(back.lonDegrees, -INT_MAX);
  EXPECT_EQ(back.latMinutes, -INT_MAX);
}

TEST(SaTransits, TransitChartIsTheChartOfThatMoment) {
  TransitChoice c{};
  c.day = 1; c.monthIndex = 0; c.year = 2000; c.hour = 17; c.minute = 30;
  c.zoneHours = -5; c.zoneMinutes = -30; c.lonDegrees = -77; c.lonMinutes = -12;
  c.latDegrees = 28; c.latMinutes = 36; c.isEast = 1;
  const Horoscope h = TransitHoroscope(c);
  EXPECT_EQ(h.julianDay, 2451545);
  EXPECT_DOUBLE_EQ(h.universalTime, 12.0);
  EXPECT_NEAR(h.positions[graha::Moon].longitude, 199.4732334069272, 1e-9);
  EXPECT_NEAR(h.positions[graha::Ascendant].longitude, 76.3266321391159, 1e-9);
}

}  // namespace
}  // namespace sarvexa
