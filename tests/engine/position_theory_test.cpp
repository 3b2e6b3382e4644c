// How a library's positions enter the chart record, and the built-in theory
// behind the same interface.
#include "engine/position_theory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/chart_calculation.h"
#include "tests/support/worked_chart.h"

namespace sarvexa {
namespace {

TEST(StoreEphemerisPositions, DegreesAndMinutesRoundedWithinTheSign) {
  struct Case {
    double lon;
    double stored;
    int sign, degrees, minutes;
    const char* source;
  };
  const Case cases[] = {
      {10.5, 10.5, 0, 10, 30, "an exact half degree"},
      {10.99, 10.99, 0, 10, 59, "10 deg 59.4 min rounds down"},
      {10.9925, 10.9925, 0, 11, 0, "10 deg 59.55 min carries into the next degree"},
      {29.9995, 29.9995, 0, 29, 59, "29 deg 59.97 min stays in Aries"},
      {359.9999, 359.9999, 11, 29, 59, "the last minute of Pisces stays in Pisces"},
      {30.0, 30.0, 1, 0, 0, "the first point of Taurus"},
      {-0.5, 359.5, 11, 29, 30, "a negative longitude is reduced"},
      {720.25, 0.25, 0, 0, 15, "two turns are dropped"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EphemerisPositions in;
    in.ascendantDeg = c.lon;
    in.longitudeDeg.fill(c.lon);
    Horoscope h;
    StoreEphemerisPositions(in, h);
    for (GrahaIndex g = graha::Ascendant; g <= graha::Rahu; ++g) {
      const GrahaPosition& p = h.positions[g];
      EXPECT_EQ(p.longitude, c.stored) << g;
      EXPECT_EQ(SignOfLongitude(p.longitude), c.sign) << g;
      EXPECT_EQ(p.signDegrees, c.degrees) << g;
      EXPECT_EQ(p.minutes, c.minutes) << g;
    }
  }
}

TEST(StoreEphemerisPositions, RetrogradeKetuAndAyanamsa) {
  EphemerisPositions in;
  in.ayanamsaDeg = 23.85;
  in.longitudeDeg = {10, 20, 30, 40, 50, 60, 70, 200};
  in.speedDegPerDay.fill(-0.25);  // every body moving backwards
  Horoscope h;
  h.positions[graha::Ascendant].dailyMotion = 7.0;
  StoreEphemerisPositions(in, h);
  EXPECT_EQ(h.ayanamsaCorrection, -23.85);
  // Only Mars .. Saturn carry the flag; the lights and the nodes never do.
  for (GrahaIndex g = graha::Ascendant; g < graha::kCount; ++g) {
    EXPECT_EQ(h.positions[g].retrograde, g >= graha::Mars && g <= graha::Saturn ? 1 : 0) << g;
  }
  EXPECT_EQ(h.positions[graha::Ketu].longitude, 20.0);
  EXPECT_EQ(h.positions[graha::Ketu].dailyMotion, h.positions[graha::Rahu].dailyMotion);
  EXPECT_EQ(h.positions[graha::Mars].dailyMotion, -0.25);
  EXPECT_EQ(h.positions[graha::Ascendant].dailyMotion, 7.0) << "left as it was";

  // A standstill is not retrograde; a body that cannot be computed keeps
  // the record's invariants.
  in.speedDegPerDay.fill(0.0);
  in.longitudeDeg[graha::Venus - 1] = std::nan("");
  StoreEphemerisPositions(in, h);
  EXPECT_EQ(h.positions[graha::Saturn].retrograde, 0);
  EXPECT_EQ(h.positions[graha::Venus].longitude, 0.0);
}

TEST(BuiltinTheory, IsTheChartCalculation) {
  Horoscope viaTheory = test_support::WorkedChartBirthData();
  Horoscope direct = viaTheory;
  CalculateHoroscope(direct);
  const Result<PositionSource> r = BuiltinTheory().Calculate(viaTheory, Conventions{});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->ephemeris, EphemerisKind::Builtin);
  EXPECT_EQ(std::memcmp(&viaTheory.positions, &direct.positions, sizeof direct.positions), 0);
  EXPECT_EQ(viaTheory.ayanamsaCorrection, direct.ayanamsaCorrection);
  EXPECT_EQ(DescribePositionSource(*r), "built-in theory");
}

TEST(BuiltinTheory, RefusesOtherAyanamsasAndNodesLeavingTheChart) {
  const Horoscope before = test_support::WorkedChart();
  for (const Conventions& c :
       {Conventions{EphemerisKind::Builtin, Ayanamsa::Raman},
        Conventions{EphemerisKind::Swiss, Ayanamsa::Lahiri, NodeKind::Mean}}) {
    Horoscope h = before;
    h.julianCenturies = 0.5;
    const Result<PositionSource> r = BuiltinTheory().Calculate(h, c);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().find("applies only with"), std::string::npos) << r.error();
    EXPECT_EQ(std::memcmp(&h.positions, &before.positions, sizeof h.positions), 0);
  }
}

TEST(PositionSource, OneLineNamesTheData) {
  PositionSource files;
  files.ephemeris = EphemerisKind::Swiss;
  files.version = "2.10";
  files.files = {"/x/sepl_18.se1", "/x/semo_18.se1"};
  EXPECT_EQ(DescribePositionSource(files),
            "Swiss Ephemeris 2.10, files sepl_18.se1 and semo_18.se1");
  PositionSource fallback = files;
  fallback.files.clear();
  fallback.analytical = true;
  fallback.missingFile = "sepl_12.se1";
  EXPECT_EQ(DescribePositionSource(fallback),
            "Swiss Ephemeris 2.10, analytical theory (no file sepl_12.se1)");
}

}  // namespace
}  // namespace sarvexa
