// The birth-time table under either theory: a chart cast with the Swiss
// Ephemeris gets its windows from Swiss Ephemeris casts, one with the
// built-in theory from built-in casts. Each window is checked against every
// minute of a short range cast through the one cast path (CastRecord of the
// shifted birth). And the real sky's bounds the Swiss search relies on hold
// for what the library computes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "analysis/theory_positions.h"
#include "document/cast.h"
#include "document/chart_sensitivity.h"
#include "engine/birth_time.h"
#include "engine/calendar.h"
#include "swiss/swiss_ephemeris.h"

namespace sarvexa {
namespace {

const PositionTheory& Swiss() {
  static const std::unique_ptr<PositionTheory> theory = OpenSwissEphemeris();
  return *theory;
}

const LocalClockReading kClock{2024, 6, 15, 12, 0};

Horoscope Birth(int year, int month, int day, int hour, int minute, int zoneHours, int lonDeg,
                int latDeg) {
  Horoscope h;
  SetBirthDate(h, month, day, year);
  SetBirthTime(h, hour, minute, zoneHours, 0, 0, 0);
  SetBirthPlace(h, lonDeg, 0, latDeg, 0);
  return h;
}

// The run of minutes around 0 whose value equals the one at 0.
template <typename T>
MinuteWindow RunAroundZero(const std::vector<T>& v, int range) {
  MinuteWindow w;
  int m = 0;
  while (m > -range && v[m - 1 + range] == v[range]) --m;
  if (m != -range) w.from = m;
  m = 0;
  while (m < range && v[m + 1 + range] == v[range]) ++m;
  if (m != range) w.to = m;
  return w;
}

TEST(SensitivityUnderEitherTheory, EveryWindowIsTheRunOfThatTheorysCasts) {
  struct Row {
    Horoscope birth;
    bool swiss;
    const char* source;
    int hours = 2;  // the search range either way
  };
  const Row rows[] = {
      {Birth(2000, 1, 1, 17, 30, -5, -77, 28), true, "worked chart, Swiss Ephemeris"},
      {Birth(2000, 1, 1, 17, 30, -5, -77, 28), false, "worked chart, built-in theory"},
      {Birth(1962, 2, 5, 5, 30, -5, -77, 28), true, "eight points in Capricorn, Swiss"},
      {Birth(1985, 12, 10, 9, 0, -1, -19, 70), true, "Tromso: the Ascendant turns back, Swiss"},
      {Birth(2005, 5, 5, 18, 44, -5, -77, 28), true, "the Moon leaves Shatbisha, Swiss"},
      {Birth(1971, 3, 21, 12, 0, -2, -25, -75), true,
       "75 S: the library's Ascendant jumps half a circle at 15:00, Swiss", 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    CastContext context;
    context.now = kClock;
    if (row.swiss) {
      context.conventions.ephemeris = EphemerisKind::Swiss;
      context.theory = &Swiss();
    }
    Result<CastChart> cast = CastRecord(row.birth, context);
    ASSERT_TRUE(cast.ok()) << cast.error();
    ChartSnapshot chart;
    chart.horoscope = cast->horoscope;
    chart.context = context;
    const Result<BirthTimeSensitivity> table = ChartSensitivity(chart, row.hours);
    ASSERT_TRUE(table.ok()) << table.error();
    const int range = 60 * row.hours;

    // [point][factor][minute + range], and the period at each minute.
    std::vector<std::vector<std::vector<int>>> values(graha::kCount,
                                                      std::vector<std::vector<int>>(kFactorCount));
    std::vector<std::optional<CurrentPeriod>> periods;
    for (int m = -range; m <= range; ++m) {
      Result<CastChart> at = CastRecord(ShiftBirthTime(row.birth, m), context);
      ASSERT_TRUE(at.ok()) << at.error();
      for (int g = 0; g < graha::kCount; ++g) {
        for (int f = 0; f < kFactorCount; ++f) {
          values[g][f].push_back(
              FactorValue(SensitivityFactors()[f], at->horoscope.positions[g].longitude));
        }
      }
      periods.push_back(at->derivations.period);
    }
    int changes = 0;
    for (int g = 0; g < graha::kCount; ++g) {
      for (int f = 0; f < kFactorCount; ++f) {
        const FactorWindow& cell = table->points[static_cast<std::size_t>(g)][f];
        const MinuteWindow run = RunAroundZero(values[g][f], range);
        EXPECT_EQ(cell.value, values[g][f][range]) << g << " " << f;
        EXPECT_EQ(cell.window, run)
            << kGrahaTwoLetterNames[g] << " " << SensitivityFactors()[f].name;
        changes += run.from.has_value() + run.to.has_value();
      }
    }
    EXPECT_EQ(table->runningPeriod.value, periods[range]);
    EXPECT_EQ(table->runningPeriod.window, RunAroundZero(periods, range));
    // The rows test windows that end inside the range, not only "> 2 h".
    EXPECT_GT(changes, 20);
  }
}

TEST(SensitivityUnderEitherTheory, ARangeBeyondTheLibrarysYearsFailsWithItsReason) {
  // A chart file keeps any date: half an hour before the end of AD 3000 (UT)
  // the search range reaches minutes the library cannot cast.
  CastContext context;
  context.now = kClock;
  context.conventions.ephemeris = EphemerisKind::Swiss;
  context.theory = &Swiss();
  Result<CastChart> cast = CastRecord(Birth(3000, 12, 31, 23, 30, 0, 0, 51), context);
  ASSERT_TRUE(cast.ok()) << cast.error();
  ChartSnapshot chart;
  chart.horoscope = cast->horoscope;
  chart.context = context;
  for (int hours : {1, 24}) {
    const Result<BirthTimeSensitivity> table = ChartSensitivity(chart, hours);
    ASSERT_FALSE(table.ok()) << hours;
    // The library's own reason, not the search's.
    EXPECT_NE(table.error().find("Swiss Ephemeris"), std::string::npos) << table.error();
  }
}

TEST(SensitivityUnderEitherTheory, TheSkyBoundsHoldForTheLibrarysMotions) {
  // Random moments of the supported years at random places; each body's
  // speed as the library gives it, and the Ascendant's change over one
  // minute, must keep within the bounds the search trusts.
  std::mt19937 rng(20);
  std::uniform_int_distribution<int> year(1700, 2300), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59), lon(-179, 179), lat(-80, 80);
  for (NodeKind node : {NodeKind::True, NodeKind::Mean}) {
    Conventions conventions;
    conventions.ephemeris = EphemerisKind::Swiss;
    conventions.node = node;
    TheoryPositions source(Swiss(), conventions);
    for (int i = 0; i < 300; ++i) {
      const Horoscope birth =
          Birth(year(rng), month(rng), day(rng), hour(rng), minute(rng), 0, lon(rng), lat(rng));
      SCOPED_TRACE(testing::Message()
                   << "T " << birth.julianCenturies << " lat " << birth.latitude);
      Horoscope h = birth;
      ASSERT_TRUE(Swiss().Calculate(h, conventions).ok());
      for (GrahaIndex g = graha::Sun; g <= graha::Ketu; ++g) {
        const SkyMotion sky = RealSkyMotion(g, node);
        EXPECT_LE(std::fabs(h.positions[g].dailyMotion), sky.maxDegPerDay) << g;
        if (sky.minDegPerDay > 0) {
          EXPECT_GE(h.positions[g].dailyMotion, sky.minDegPerDay) << g;
        }
      }
      const PointMotion asc = source.Motion(birth, graha::Ascendant, 1);
      PointLongitudes now{}, next{};
      source.Longitudes(birth, kAllPoints, now);
      source.Longitudes(ShiftBirthTime(birth, 1), kAllPoints, next);
      double change = next[graha::Ascendant] - now[graha::Ascendant];
      change -= 360.0 * std::round(change / 360.0);
      EXPECT_LE(std::fabs(change), asc.maxDegPerMinute);
      if (asc.minDegPerMinute > 0) {
        EXPECT_GE(change, asc.minDegPerMinute);
      }
    }
  }
}

}  // namespace
}  // namespace sarvexa
