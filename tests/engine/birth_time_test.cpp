// Moving a birth by whole minutes of clock time, and the positions and
// motion bounds the birth-time search relies on.

#include "engine/birth_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/moon.h"
#include "engine/planets.h"

namespace sarvexa {
namespace {

constexpr double kMinutesPerCentury = 36525.0 * 1440.0;

Horoscope Entered(int year, int month, int day, int hour, int minute, int zoneHours,
                  int zoneMinutes, int dst) {
  Horoscope h;
  SetBirthDate(h, month, day, year);
  SetBirthTime(h, hour, minute, zoneHours, zoneMinutes, dst, 0);
  SetBirthPlace(h, -77, -12, 28, 36);
  return h;
}

TEST(ShiftBirthTime, TheClockMovesAndTheDateRollsOver) {
  struct Case {
    int year, month, day, hour, minute, zoneHours, zoneMinutes, dst;
    int shift;
    LocalClockReading expected;
    const char* source;
  };
  const Case cases[] = {
      {1999, 12, 31, 23, 50, -5, -30, 0, 15, {2000, 1, 1, 0, 5}, "into the New Year"},
      {2000, 1, 1, 0, 10, -5, -30, 0, -20, {1999, 12, 31, 23, 50}, "back over New Year"},
      {2000, 2, 28, 23, 59, 0, 0, 0, 1, {2000, 2, 29, 0, 0}, "2000 is a leap year"},
      {1900, 2, 28, 23, 59, 0, 0, 0, 1, {1900, 3, 1, 0, 0}, "1900 is not"},
      {2024, 6, 15, 12, 0, 8, 0, 1, -2880, {2024, 6, 13, 12, 0}, "48 hours back, DST kept"},
      {1990, 7, 10, 0, 30, 5, 0, 1, -31, {1990, 7, 9, 23, 59}, "a western zone with DST"},
      {1962, 3, 7, 16, 5, -5, -30, 0, 0, {1962, 3, 7, 16, 5}, "no move"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const Horoscope h =
        Entered(c.year, c.month, c.day, c.hour, c.minute, c.zoneHours, c.zoneMinutes, c.dst);
    const LocalClockReading moved = ShiftedBirthClock(h, c.shift);
    EXPECT_EQ(moved.year, c.expected.year);
    EXPECT_EQ(moved.month, c.expected.month);
    EXPECT_EQ(moved.day, c.expected.day);
    EXPECT_EQ(moved.hour, c.expected.hour);
    EXPECT_EQ(moved.minute, c.expected.minute);
    // Bit for bit the record of the moved date and time entered afresh.
    const Horoscope shifted = ShiftBirthTime(h, c.shift);
    const Horoscope typed =
        Entered(c.expected.year, c.expected.month, c.expected.day, c.expected.hour,
                c.expected.minute, c.zoneHours, c.zoneMinutes, c.dst);
    EXPECT_EQ(shifted.julianDay, typed.julianDay);
    EXPECT_EQ(shifted.universalTime, typed.universalTime);
    EXPECT_EQ(shifted.julianCenturies, typed.julianCenturies);
    EXPECT_EQ(shifted.zone, typed.zone);
    EXPECT_EQ(shifted.dst, typed.dst);
    EXPECT_EQ(shifted.longitude, h.longitude);
  }
}

// Random charts of the supported years, places and zones.
std::vector<Horoscope> RandomCharts(int count) {
  std::mt19937 rng(20);
  std::uniform_int_distribution<int> year(1700, 2300), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59), zone(-12, 12), lon(-179, 179), lat(-89, 89);
  std::vector<Horoscope> charts;
  for (int i = 0; i < count; ++i) {
    Horoscope h;
    SetBirthDate(h, month(rng), day(rng), year(rng));
    SetBirthTime(h, hour(rng), minute(rng), zone(rng), 0, 0, 0);
    SetBirthPlace(h, lon(rng), 0, lat(rng), 0);
    charts.push_back(h);
  }
  return charts;
}

TEST(SiderealLongitudes, EachPointBitForBitAsTheFullCalculation) {
  for (const Horoscope& birth : RandomCharts(200)) {
    Horoscope full = birth;
    CalculateHoroscope(full);
    for (GrahaIndex g = 0; g < graha::kCount; ++g) {
      PointLongitudes alone{};
      SiderealLongitudes(birth, PointBit(g), alone);
      ASSERT_EQ(alone[static_cast<std::size_t>(g)], full.positions[g].longitude) << g;
    }
    PointLongitudes all{};
    SiderealLongitudes(birth, kAllPoints, all);
    for (GrahaIndex g = 0; g < graha::kCount; ++g) {
      ASSERT_EQ(all[static_cast<std::size_t>(g)], full.positions[g].longitude) << g;
    }
    const PlanetLongitudes planets = PlanetPositions(birth.julianCenturies);
    for (int k = 0; k < body::kCount; ++k) {
      ASSERT_EQ(PlanetLongitude(k, birth.julianCenturies), planets[k]) << k;
    }
  }
}

// Change of a longitude over one minute, the shorter way round.
double MinuteChange(double before, double after) {
  double d = after - before;
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return d;
}

// Over 1700..2300, every one-minute change of each body lies within its
// bounds, and the bounds are no more than three times the largest change
// seen (a looser bound makes the birth-time search slow).
TEST(MotionBounds, HoldAndStayCloseForTheBodiesAndTheNode) {
  constexpr double kMinute = 1.0 / kMinutesPerCentury;
  constexpr double kWindow = 3.0 / 36525.0;  // three days
  struct Seen {
    double largest = 0.0, smallest = 1e9, bound = 0.0;
  };
  Seen bodies[body::kCount], moon, node;
  for (double T = -3.0; T <= 3.0; T += 0.00213) {
    const PlanetLongitudes a = PlanetPositions(T), b = PlanetPositions(T + kMinute);
    for (int k = 0; k < body::kCount; ++k) {
      const LongitudeRateBounds r = PlanetRateBounds(k, T, kWindow);
      const double rate = MinuteChange(a[k], b[k]) / kMinute;
      ASSERT_LE(rate, r.max) << "body " << k << " at T " << T;
      ASSERT_GE(rate, r.min) << "body " << k << " at T " << T;
      bodies[k].largest = std::max(bodies[k].largest, std::fabs(rate));
      bodies[k].bound = std::max(bodies[k].bound, r.max);
    }
    const MoonAndNode m = MoonPosition(T), n = MoonPosition(T + kMinute);
    const MoonRateBounds r = MoonRates(T, kWindow);
    const double moonRate = MinuteChange(m.moon, n.moon) / kMinute;
    const double nodeRate = MinuteChange(m.node, n.node) / kMinute;
    ASSERT_GE(moonRate, r.moonMin) << T;
    ASSERT_LE(moonRate, r.moonMax) << T;
    ASSERT_LE(std::fabs(nodeRate), r.nodeMax) << T;
    moon.largest = std::max(moon.largest, moonRate);
    moon.bound = std::max(moon.bound, r.moonMax);
    node.largest = std::max(node.largest, std::fabs(nodeRate));
    node.bound = std::max(node.bound, r.nodeMax);
  }
  for (int k = 0; k < body::kCount; ++k) EXPECT_LT(bodies[k].bound, 3 * bodies[k].largest) << k;
  EXPECT_LT(moon.bound, 3 * moon.largest);
  EXPECT_LT(node.bound, 3 * node.largest);
  EXPECT_GT(PlanetRateBounds(body::Sun, 0.0, kWindow).min, 0.0);
  EXPECT_GT(MoonRates(0.0, kWindow).moonMin, 0.0);
}

TEST(MotionBounds, AscendantForwardInsideThePolarCirclesOnly) {
  struct Case {
    double latitude;
    bool forward;  // a positive minimum
    bool bounded;
    const char* source;
  };
  const Case cases[] = {
      {0.0, true, true, "equator"},      {28.6, true, true, "New Delhi"},
      {-45.0, true, true, "45 south"},   {60.0, true, true, "60 north"},
      {66.4, true, true, "just inside"}, {69.65, false, true, "Tromso, beyond"},
      {-80.0, false, true, "80 south"},
  };
  const double kMinute = 1.0 / 60.0;  // hours
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    for (double T : {-2.5, 0.0, 1.7}) {
      const LongitudeRateBounds r = AscendantRates(T, c.latitude, 2.0 / 36525.0);
      EXPECT_EQ(std::isfinite(r.max), c.bounded);
      EXPECT_EQ(r.min > 0, c.forward);
      if (!c.bounded) continue;
      // One sidereal day, minute by minute: UT and T move together.
      Horoscope h;
      h.longitude = -77.2;
      h.latitude = c.latitude;
      double previous = 0.0;
      for (int m = 0; m <= 1440; ++m) {
        h.universalTime = 6.0 + m * kMinute;
        h.julianCenturies = T + (h.universalTime / 24.0) / 36525.0;
        PointLongitudes lon{};
        SiderealLongitudes(h, PointBit(graha::Ascendant), lon);
        if (m > 0) {
          const double rate = MinuteChange(previous, lon[0]) * kMinutesPerCentury;
          ASSERT_LE(rate, r.max) << m;
          ASSERT_GE(rate, r.min) << m;
        }
        previous = lon[0];
      }
    }
  }
  // Where the polar circle itself lies (it moves with the obliquity) no
  // bound is claimed.
  for (double T : {-2.5, 0.0, 1.7}) {
    bool unbounded = false;
    for (double lat = 66.40; lat <= 66.70; lat += 0.005) {
      unbounded = unbounded || !std::isfinite(AscendantRates(T, -lat, 2.0 / 36525.0).max);
    }
    EXPECT_TRUE(unbounded) << T;
  }
}

}  // namespace
}  // namespace sarvexa
