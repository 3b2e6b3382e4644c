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
  struct Case {
    GrahaIndex t;
    double lon;
    GrahaSet natal;
    int house;
    int strength;
    const char* source;
  };
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
  struct Case {
    double natalLon;
    bool hit;
    const char* source;
  };
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

}  // namespace
}  // namespace sarvexa
