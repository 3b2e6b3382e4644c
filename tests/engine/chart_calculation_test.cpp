// The horoscope calculation: ayanamsa, Ascendant, the worked chart, the
// shorter-way daily change and the record's invariants for any input.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/horoscope.h"
#include "engine/planets.h"
#include "tests/support/worked_chart.h"

namespace sarvexa {
namespace {

constexpr double kTol = 1e-9;  // degrees

TEST(Ayanamsa, AtEpochAndItsDisplay) {
  const double c = ComputeAyanamsaCorrection(0.0);
  EXPECT_NEAR(c, -23.853725713528487, 1e-12);
  EXPECT_EQ(SplitDegreesRounded(std::fabs(c)), (WholeAndMinutes{23, 51}));
}

TEST(Ayanamsa, GrowsAboutFiftySecondsAYear) {
  // The precession term: -5025.64 arc-seconds per century dominates.
  const double perCentury = ComputeAyanamsaCorrection(1.0) - ComputeAyanamsaCorrection(0.0);
  EXPECT_NEAR(perCentury * 3600.0, -5026.75, 40.0);  // periodic terms swing +-37"
}

TEST(TropicalAscendant, ReferenceFigures) {
  struct Case {
    double t, ut, lon, lat, expected;
    const char* source;
  };
  const Case kCases[] = {
      {0.0, 0.0, 0.0, 0.0, 191.3778759726222, "Greenwich, equator, T = 0"},
      {0.0, 0.0, 0.0, 30.0, 189.11284214201848, "latitude 30 north"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_NEAR(TropicalAscendant(c.t, c.ut, c.lon, c.lat), c.expected, kTol);
  }
}

TEST(TropicalAscendant, AlwaysWithinOneTurn) {
  for (double ut = -30.0; ut < 54.0; ut += 0.173) {
    for (double lat : {-66.0, -10.0, 0.0, 28.6, 60.0}) {
      const double a = TropicalAscendant(0.013, ut, -77.2, lat);
      ASSERT_GE(a, 0.0);
      ASSERT_LT(a, 360.0);
    }
  }
}

TEST(OneDayChange, ShorterWayAcrossAries) {
  struct Case {
    double now, before, limit, expected;
    const char* source;
  };
  const Case kCases[] = {
      {359.8, 0.3, 20.0, -0.5, "moving backwards across 0 Aries: retrograde"},
      {0.3, 359.8, 20.0, 0.5, "moving forwards across 0 Aries: direct"},
      {10.0, 9.0, 20.0, 1.0, "ordinary forward day"},
      {9.0, 10.0, 20.0, -1.0, "ordinary backward day"},
      {30.0, 10.0, 20.0, 20.0, "exactly at the limit is not wrapped"},
      {359.9, 0.05, 5.0, -0.15, "node limit of 5 degrees"},
      {0.05, 359.9, 5.0, 0.15, "node the other way"},
      {5.0, 5.0, 20.0, 0.0, "standstill"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_NEAR(OneDayChange(c.now, c.before, c.limit), c.expected, 1e-9);
  }
}

struct Expected {
  GrahaIndex index;
  double longitude;
  SignIndex sign;
  int degrees, minutes, retrograde;
};

// 1 January 2000, 17:30, zone 5:30 East, no DST, 77E12 28N36.
using test_support::WorkedChart;

TEST(CalculateHoroscope, WorkedChart) {
  const Horoscope h = WorkedChart();
  EXPECT_EQ(h.julianDay, 2451545);
  EXPECT_EQ(h.universalTime, 12.0);
  EXPECT_EQ(h.julianCenturies, 0.0);
  EXPECT_DOUBLE_EQ(h.longitude, -77.2);
  EXPECT_DOUBLE_EQ(h.latitude, 28.6);
  EXPECT_NEAR(h.ayanamsaCorrection, -23.853725713528487, 1e-12);

  const Expected kRows[] = {
      {graha::Ascendant, 76.3266321391159, 2, 16, 19, 0},
      {graha::Sun, 256.53674991898646, 8, 16, 32, 0},
      {graha::Moon, 199.4732334069272, 6, 19, 28, 0},
      {graha::Mars, 304.1286126253049, 10, 4, 7, 0},
      {graha::Mercury, 248.06233234642292, 8, 8, 3, 0},
      {graha::Jupiter, 1.4271261211011503, 0, 1, 25, 0},
      {graha::Venus, 217.73432922773452, 7, 7, 44, 0},
      {graha::Saturn, 16.537554647375135, 0, 16, 32, 1},
      {graha::Rahu, 100.09637865675413, 3, 10, 5, 0},
      {graha::Ketu, 280.09637865675415, 9, 10, 5, 0},
  };
  for (const Expected& e : kRows) {
    SCOPED_TRACE(kGrahaTwoLetterNames[e.index]);
    const GrahaPosition& p = h.positions[e.index];
    EXPECT_NEAR(p.longitude, e.longitude, kTol);
    EXPECT_EQ(SignOfLongitude(p.longitude), e.sign);
    EXPECT_EQ(p.signDegrees, e.degrees);
    EXPECT_EQ(p.minutes, e.minutes);
    EXPECT_EQ(p.retrograde, e.retrograde);
  }
  // Ketu's motion is Rahu's; the node moves backwards about 0.05 a day.
  EXPECT_EQ(h.positions[graha::Ketu].dailyMotion, h.positions[graha::Rahu].dailyMotion);
  EXPECT_LT(h.positions[graha::Rahu].dailyMotion, 0.0);
  EXPECT_GT(h.positions[graha::Moon].dailyMotion, 11.0);
  EXPECT_LT(h.positions[graha::Moon].dailyMotion, 16.0);
  EXPECT_LT(h.positions[graha::Saturn].dailyMotion, 0.0);
  EXPECT_EQ(h.positions[graha::Ascendant].dailyMotion, 0.0);
}

TEST(CalculateHoroscope, DailyMotionIsTheTropicalOneDayChange) {
  Horoscope h = WorkedChart();
  const PlanetLongitudes P = PlanetPositions(0.0);
  const PlanetLongitudes Q = PlanetPositions(-kOneDayInCenturies);
  struct Row {
    int body;
    GrahaIndex slot;
  };
  const Row kRows[] = {{body::Sun, graha::Sun},         {body::Mercury, graha::Mercury},
                       {body::Venus, graha::Venus},     {body::Mars, graha::Mars},
                       {body::Jupiter, graha::Jupiter}, {body::Saturn, graha::Saturn}};
  for (const Row& r : kRows) {
    SCOPED_TRACE(kGrahaTwoLetterNames[r.slot]);
    EXPECT_EQ(h.positions[r.slot].dailyMotion, OneDayChange(P[r.body], Q[r.body], 20.0));
  }
}

TEST(CalculateHoroscope, MercuryRetrogradeAcrossAries) {
  // Around T = -0.2076 Mercury moves backwards over 0 degrees of tropical
  // Aries; find the day on which its longitude wraps and check the chart.
  bool found = false;
  for (double t = -0.2090; t < -0.2060 && !found; t += kOneDayInCenturies) {
    const PlanetLongitudes P = PlanetPositions(t);
    const PlanetLongitudes Q = PlanetPositions(t - kOneDayInCenturies);
    if (P[body::Mercury] > 359.0 && Q[body::Mercury] < 1.0) {
      found = true;
      Horoscope h;
      h.julianCenturies = t;
      CalculateHoroscope(h);
      const GrahaPosition& m = h.positions[graha::Mercury];
      EXPECT_EQ(m.retrograde, 1);
      EXPECT_NEAR(m.dailyMotion, -0.81, 0.05);
    }
  }
  EXPECT_TRUE(found);
}

// The record's invariants hold for every chart, whatever the moment or place.
void ExpectInvariants(const Horoscope& h) {
  for (int i = 0; i < graha::kCount; ++i) {
    SCOPED_TRACE(kGrahaTwoLetterNames[i]);
    const GrahaPosition& p = h.positions[i];
    ASSERT_GE(p.longitude, 0.0);
    ASSERT_LT(p.longitude, 360.0);
    EXPECT_EQ(p.signDegrees, static_cast<int>(p.longitude) % 30);
    EXPECT_EQ(p.minutes, static_cast<int>((p.longitude - static_cast<int>(p.longitude)) * 60.0));
    EXPECT_TRUE(std::isfinite(p.dailyMotion));
    if (i < graha::Mars || i > graha::Saturn) {
      EXPECT_EQ(p.retrograde, 0);
    }
    EXPECT_TRUE(p.retrograde == 0 || p.retrograde == 1);
  }
  const double rahu = h.positions[graha::Rahu].longitude;
  const double ketu = h.positions[graha::Ketu].longitude;
  EXPECT_NEAR(std::fmod(rahu + 180.0, 360.0), ketu, 1e-9);
  EXPECT_EQ(h.positions[graha::Ketu].dailyMotion, h.positions[graha::Rahu].dailyMotion);
  EXPECT_TRUE(std::isfinite(h.ayanamsaCorrection));
}

TEST(CalculateHoroscope, InvariantsForRandomCharts) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<int> year(1700, 2300), month(1, 12), day(1, 31), hour(0, 23),
      minute(0, 59), zone(-12, 12), lonDeg(-179, 179), latDeg(-89, 89);
  for (int n = 0; n < 2000; ++n) {
    Horoscope h;
    h.positions[graha::Ascendant].dailyMotion = 42.0;  // must be left alone
    SetBirthDate(h, month(rng), day(rng), year(rng));
    const int z = zone(rng);
    SetBirthTime(h, hour(rng), minute(rng), z, z < 0 ? -minute(rng) : minute(rng), 0, 0);
    const int lo = lonDeg(rng), la = latDeg(rng);
    SetBirthPlace(h, lo, lo < 0 ? -minute(rng) : minute(rng), la,
                  la < 0 ? -minute(rng) : minute(rng));
    CalculateHoroscope(h);
    SCOPED_TRACE(n);
    ExpectInvariants(h);
    EXPECT_EQ(h.positions[graha::Ascendant].dailyMotion, 42.0);
    if (HasFatalFailure()) return;
  }
}

TEST(CalculateHoroscope, NonFiniteAndExtremeInputKeepInvariants) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    double t, ut, lon, lat;
    const char* source;
  };
  const Case kCases[] = {
      {kNaN, 12.0, -77.2, 28.6, "NaN centuries"},
      {kInf, 12.0, -77.2, 28.6, "+inf centuries"},
      {-kInf, 12.0, -77.2, 28.6, "-inf centuries"},
      {1e300, 12.0, -77.2, 28.6, "absurd centuries"},
      {0.0, kNaN, -77.2, 28.6, "NaN universal time"},
      {0.0, 1e308, -77.2, 28.6, "absurd universal time"},
      {0.0, 12.0, kNaN, kNaN, "NaN place"},
      {0.0, 12.0, kInf, -kInf, "infinite place"},
      {0.0, 12.0, 0.0, 90.0, "the pole"},
      {0.0, 12.0, 0.0, -90.0, "the south pole"},
      {0.0, 12.0, 1e9, 1e9, "out-of-range place"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    Horoscope h;
    h.julianCenturies = c.t;
    h.universalTime = c.ut;
    h.longitude = c.lon;
    h.latitude = c.lat;
    CalculateHoroscope(h);
    ExpectInvariants(h);
  }
}

TEST(SignOfLongitude, AlwaysASign) {
  struct Case {
    double lon;
    SignIndex expected;
    const char* source;
  };
  const Case kCases[] = {
      {359.999, 11, "last minute of Pisces"},
      {0.0, 0, "0 Aries"},
      {29.999999, 0, "still Aries"},
      {30.003333, 1, "half minute pushes into Taurus"},
      {-0.5, 11, "negative wraps"},
      {std::numeric_limits<double>::quiet_NaN(), 0, "NaN counts as Aries"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(SignOfLongitude(c.lon), c.expected);
  }
}

}  // namespace
}  // namespace sarvexa
