#include "analysis/sa_report.h"

#include <gtest/gtest.h>

#include "tests/analysis/sa_test_charts.h"

namespace sarvexa {
namespace {

using test::Chart;
using test::kNeutral;

const char* const kHeading = "\n\nSystem's Approach Analysis\n==========================\n";

TEST(SaReport, NeutralChartGivesOnlyStatusLines) {
  const std::string expected = std::string(kHeading) +
                               "Sun:     Good Placement, \n"
                               "Moon:    Good Placement, \n"
                               "Mars:    Good Placement, \n"
                               "Mercury: Good Placement, \n"
                               "Jupiter: Good Placement, \n"
                               "Venus:   Good Placement, \n"
                               "Saturn:  Good Placement, \n";
  EXPECT_EQ(SaBlockText(Chart(kNeutral), AnalyseChart(Chart(kNeutral))), expected);
}

// Gemini rising at 2. Rahu 1 degree past the Ascendant and Ketu opposite,
// both on MEPs (80%). Jupiter 3 degrees from Rahu (closeness 40) and
// unafflicted, 4 degrees from the Ascendant's MEP. The Moon at 2.5 Aries in
// infancy, on the MEP of house 11, receiving Ketu's 120-degree aspect within
// half a degree. The afflicted Moon rules Cancer, its mooltrikona, which holds
// Mercury and Saturn; the afflicted Saturn's mooltrikona Aquarius holds Venus.
constexpr std::array<double, 10> kNodesOnMep = {62.0, 345.5, 2.5,   83.5, 103.5,
                                                66.0, 323.5, 113.5, 63.0, 243.0};

TEST(SaReport, ConstructedChartLines) {
  const std::string expected =
      std::string(kHeading) +
      "Sun:     Good Placement, \n"
      "Moon:    Good Placement, in infancy 50%, Conjunct house 11 MEP 90% \n"
      "         Aspected by functional malefic(s): Ke 90%, \n"
      "Mars:    Good Placement, \n"
      "Mercury: Good Placement, weak dispositor, \n"
      "Jupiter: Good Placement, Conjunct house 1 MEP 20% \n"
      "         Conjunct functional malefic(s): \n"
      "Venus:   Good Placement, weak dispositor, \n"
      "Saturn:  Good Placement, weak dispositor, \n"
      "Rahu:    Afflicts houses 1 5 9 MEP 80%\n"
      "Ketu:    Afflicts houses 7 11 3 MEP 80%\n";
  EXPECT_EQ(SaBlockText(Chart(kNodesOnMep), AnalyseChart(Chart(kNodesOnMep))), expected);
}

TEST(SaReport, PageListsEveryMaleficTheExportOnlyExactOnes) {
  const Horoscope h = Chart(kNodesOnMep);
  const SaAnalysis sa = AnalyseChart(h);
  const auto exportLines = SaListLines(h, sa, graha::Jupiter, MaleficListing::TextExport);
  const auto pageLines = SaListLines(h, sa, graha::Jupiter, MaleficListing::Page);
  ASSERT_EQ(exportLines.size(), 1u);
  EXPECT_EQ(exportLines[0], "Conjunct functional malefic(s): ");
  ASSERT_EQ(pageLines.size(), 1u);
  EXPECT_EQ(pageLines[0], "Conjunct functional malefic(s): Ra 40%, ");
}

TEST(SaReport, BeneficConjunctionsAreListedWithTheirCloseness) {
  auto lons = kNodesOnMep;
  lons[graha::Mars] = 69.0;  // 3 degrees past Jupiter, 6 from Rahu
  const Horoscope h = Chart(lons);
  const SaAnalysis sa = AnalyseChart(h);
  const auto mars = SaListLines(h, sa, graha::Mars, MaleficListing::TextExport);
  ASSERT_EQ(mars.size(), 1u);
  EXPECT_EQ(mars[0], "Conjunct functional benefic(s): Ju 40%, ");
  const auto jupiter = SaListLines(h, sa, graha::Jupiter, MaleficListing::TextExport);
  ASSERT_EQ(jupiter.size(), 2u);
  EXPECT_EQ(jupiter[0], "Conjunct functional malefic(s): ");
  EXPECT_EQ(jupiter[1], "Conjunct functional benefic(s): Ma 40%, ");
}

TEST(SaReport, StatusLinePieces) {
  struct Case {
    int flags;
    int age;
    int house;
    int strength;
    GrahaIndex g;
    SignIndex rising;
    const char* line;
  };
  using namespace SaFlags;
  const Case cases[] = {
      {0, 0, -1, 0, 1, 2, "Good Placement, "},
      {BadPlacement | Afflicted, 0, -1, 0, 1, 2, "Bad Placement, "},
      {Combust | DebilitatedInRashi | DebilitatedInNavamsa, 0, -1, 0, 3, 2,
       "Good Placement, Combust, Debilated in Rashi, Debilated in Navamsa, "},
      {OldAge, 95, -1, 0, 2, 2, "Good Placement, in oldage 95%, "},
      {OwnSign, 0, 4, 60, 5, 2, "Good Placement, own sign, Conjunct house 5 MEP 60% "},
      {WeakDispositor, 0, 0, 100, 4, 0,
       "Good Placement, weak dispositor, Afflicts house 1 MEP 100% "},
      {Bright, 0, -1, 0, 2, 2, "Good Placement, Bright, "},
      {Bright, 0, -1, 0, 1, 2, "Good Placement, "},
  };
  for (const Case& c : cases) {
    SaAnalysis sa;
    sa.flags[c.g] = c.flags;
    sa.ageStrength[c.g] = c.age;
    sa.houseConjunction.fill(-1);
    sa.houseConjunction[c.g - 1] = c.house;
    sa.houseConjunctionStrength[c.g - 1] = c.strength;
    EXPECT_EQ(SaStatusLine(sa, c.rising, c.g), c.line);
  }
}

TEST(SaReport, NodeHousesBySignAndByMep) {
  struct Case {
    double asc;
    double rahu;
    int bySign[3];
    int byMep[3];
    const char* source;
  };
  const Case cases[] = {
      {28.0, 61.0, {3, 7, 11}, {2, 6, 10}, "Rahu at 1 Gemini on the MEP of house 2 (28 Taurus)"},
      {2.0, 359.0, {12, 4, 8}, {1, 5, 9}, "Rahu at 29 Pisces on the Ascendant's MEP at 2 Aries"},
      {62.0, 63.0, {1, 5, 9}, {1, 5, 9}, "Rahu in the rising sign on its MEP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    auto lons = kNeutral;
    lons[0] = c.asc;
    lons[graha::Rahu] = c.rahu;
    lons[graha::Ketu] = std::fmod(c.rahu + 180.0, 360.0);
    const Horoscope h = Chart(lons);
    const SaAnalysis sa = AnalyseChart(h);
    const auto bySign = SaNodeHousesBySign(h, sa);
    const auto byMep = SaNodeHousesByMep(h, sa);
    ASSERT_TRUE(bySign.has_value());
    ASSERT_TRUE(byMep.has_value());
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(bySign->rahu[i], c.bySign[i]);
      EXPECT_EQ(bySign->ketu[i], (c.bySign[i] + 5) % 12 + 1);
      EXPECT_EQ(byMep->rahu[i], c.byMep[i]);
      EXPECT_EQ(byMep->ketu[i], (c.byMep[i] + 5) % 12 + 1);
    }
  }
  EXPECT_FALSE(SaNodeHousesBySign(Chart(kNeutral), AnalyseChart(Chart(kNeutral))).has_value());
}

TEST(SaReport, AppendsToExistingText) {
  std::string out = "before";
  WriteSaBlock(Chart(kNeutral), AnalyseChart(Chart(kNeutral)), out);
  EXPECT_EQ(out.rfind("before\n\nSystem's Approach Analysis\n", 0), 0u);
}

}  // namespace
}  // namespace sarvexa
