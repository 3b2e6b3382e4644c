// The birth-time search against brute force: for each chart every birth
// minute of the range is cast in full (ShiftBirthTime, then
// CalculateHoroscope), and every window of the table must be exactly the run
// of equal values around the entered minute that those casts give.

#include "analysis/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "engine/birth_time.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/text_format.h"

namespace sarvexa {
namespace {

struct ChartCase {
  int year, month, day, hour, minute;
  int zoneHours, zoneMinutes, dst;                     // signed, positive west
  int lonDegrees, lonMinutes, latDegrees, latMinutes;  // signed, west and north positive
  int rangeHours;
  const char* source;
};

const ChartCase kCharts[] = {
    {2000, 1, 1, 17, 30, -5, -30, 0, -77, -12, 28, 36, 24, "worked chart, New Delhi"},
    {1985, 12, 10, 9, 0, -1, 0, 0, -18, -57, 69, 39, 24,
     "Tromso, beyond the polar circle: the Ascendant turns back"},
    {1971, 6, 21, 11, 15, -2, 0, 1, -25, -43, 66, 30, 24, "Rovaniemi, just inside the circle"},
    {2001, 5, 12, 2, 0, 0, 0, 0, 0, 7, 51, 30, 24, "London, Mars stationary retrograde"},
    {2000, 2, 22, 1, 0, 0, 0, 0, 0, 7, 51, 30, 24, "London, Mercury stationary"},
    {2005, 5, 5, 18, 44, -5, -30, 0, -77, -12, 28, 36, 24,
     "New Delhi, the Moon leaves Shatbisha at 18:46"},
    {1999, 12, 31, 23, 45, 3, 0, 0, 58, 22, -34, -36, 24,
     "Buenos Aires at 23:45 on New Year's Eve: the range crosses midnight and the year"},
    {1962, 3, 7, 16, 5, -5, -30, 0, -73, -51, 18, 31, 48, "Pune, a 48-hour range"},
    {1990, 7, 15, 4, 20, 8, 0, 1, 122, 25, 47, 36, 1, "Seattle with DST, a 1-hour range"},
};

Horoscope Birth(const ChartCase& c) {
  Horoscope h;
  SetBirthDate(h, c.month, c.day, c.year);
  SetBirthTime(h, c.hour, c.minute, c.zoneHours, c.zoneMinutes, c.dst, 0);
  SetBirthPlace(h, c.lonDegrees, c.lonMinutes, c.latDegrees, c.latMinutes);
  return h;
}

// A few charts drawn at random (fixed seed) from the supported years.
std::vector<ChartCase> RandomCases() {
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> year(1700, 2300), month(1, 12), day(1, 28), hour(0, 23),
      minute(0, 59), zone(-12, 12), lon(-179, 179), lat(-65, 65);
  std::vector<ChartCase> cases;
  for (int i = 0; i < 4; ++i) {
    cases.push_back({year(rng), month(rng), day(rng), hour(rng), minute(rng), zone(rng), 0, 0,
                     lon(rng), 0, lat(rng), 0, 24, "random chart"});
  }
  return cases;
}

const LocalClockReading kClock{2024, 6, 15, 12, 0};

// Everything the table reports, cast in full at every minute of the range.
struct BruteForce {
  int range = 0;
  // [point][factor][minute + range]
  std::vector<std::vector<std::vector<int>>> values;
  std::vector<std::optional<CurrentPeriod>> periods;

  BruteForce(const Horoscope& birth, int rangeMinutes, double yearDays) : range(rangeMinutes) {
    values.assign(graha::kCount,
                  std::vector<std::vector<int>>(kFactorCount, std::vector<int>(2 * range + 1)));
    for (int m = -range; m <= range; ++m) {
      Horoscope h = ShiftBirthTime(birth, m);
      CalculateHoroscope(h);
      for (int g = 0; g < graha::kCount; ++g) {
        for (int f = 0; f < kFactorCount; ++f) {
          values[g][f][m + range] = FactorValue(SensitivityFactors()[f], h.positions[g].longitude);
        }
      }
      const DashaState d = ComputeDashaTable(h, yearDays);
      periods.push_back(FindCurrentPeriod(d.table, d.birthDayCount, kClock, yearDays));
    }
  }

  // The run of values equal to the one at minute 0.
  template <typename T>
  MinuteWindow Run(const std::vector<T>& v) const {
    MinuteWindow w;
    int m = 0;
    while (m > -range && v[m - 1 + range] == v[range]) --m;
    if (!(m == -range)) w.from = m;
    m = 0;
    while (m < range && v[m + 1 + range] == v[range]) ++m;
    if (!(m == range)) w.to = m;
    return w;
  }
};

std::string Describe(const MinuteWindow& w) {
  return (w.from ? std::to_string(*w.from) : "none") + ".." +
         (w.to ? std::to_string(*w.to) : "none");
}

void ExpectMatchesBruteForce(const ChartCase& c, double yearDays = dasha::kDaysPerYear) {
  const Horoscope birth = Birth(c);
  BuiltInPositions source;
  const auto found = FindBirthTimeSensitivity({birth, kClock, yearDays, c.rangeHours}, source);
  ASSERT_TRUE(found.ok());
  const BirthTimeSensitivity& t = *found;
  ASSERT_EQ(t.rangeMinutes, 60 * c.rangeHours);
  const BruteForce all(birth, t.rangeMinutes, yearDays);
  for (int g = 0; g < graha::kCount; ++g) {
    for (int f = 0; f < kFactorCount; ++f) {
      const FactorWindow& got = t.points[g][f];
      const MinuteWindow expected = all.Run(all.values[g][f]);
      ASSERT_EQ(got.value, all.values[g][f][all.range])
          << kGrahaTwoLetterNames[g] << " " << SensitivityFactors()[f].name;
      ASSERT_EQ(got.window, expected)
          << kGrahaTwoLetterNames[g] << " " << SensitivityFactors()[f].name << ": found "
          << Describe(got.window) << ", cast " << Describe(expected);
    }
  }
  EXPECT_EQ(t.runningPeriod.value, all.periods[all.range]);
  EXPECT_EQ(t.runningPeriod.window, all.Run(all.periods))
      << "found " << Describe(t.runningPeriod.window);
}

TEST(BirthTimeSensitivity, EveryWindowIsTheRunOfEqualValuesOfFullCasts) {
  for (const ChartCase& c : kCharts) {
    SCOPED_TRACE(c.source);
    ExpectMatchesBruteForce(c);
  }
  for (const ChartCase& c : RandomCases()) {
    SCOPED_TRACE(FormatText("random chart %d-%02d-%02d %02d:%02d at %d, %d", c.year, c.month, c.day,
                            c.hour, c.minute, c.lonDegrees, c.latDegrees));
    ExpectMatchesBruteForce(c);
  }
  // The chart's dasha year reaches the running period: with 360-day years
  // the worked chart runs another Pratyantar at the clock.
  SCOPED_TRACE("worked chart, 360-day dasha years");
  ExpectMatchesBruteForce(kCharts[0], 360.0);
}

// The cases above test what they name.
TEST(BirthTimeSensitivity, TheHardCasesAreWhatTheyClaim) {
  BuiltInPositions source;
  const Horoscope tromso = Birth(kCharts[1]);
  EXPECT_EQ(source.Motion(tromso, graha::Ascendant, 1440).minDegPerMinute, 0.0);
  EXPECT_TRUE(std::isfinite(source.Motion(tromso, graha::Ascendant, 1440).maxDegPerMinute));
  // Mars and Mercury turn within the range: their one-day motions at its
  // two ends have opposite signs.
  for (const auto& [c, g] : {std::pair{kCharts[3], graha::Mars}, {kCharts[4], graha::Mercury}}) {
    Horoscope before = ShiftBirthTime(Birth(c), -1440), after = ShiftBirthTime(Birth(c), 1440);
    CalculateHoroscope(before);
    CalculateHoroscope(after);
    EXPECT_LT(before.positions[g].dailyMotion * after.positions[g].dailyMotion, 0.0) << c.source;
  }
  const auto moon = FindBirthTimeSensitivity({Birth(kCharts[5]), kClock}, source);
  ASSERT_TRUE(moon.ok());
  EXPECT_TRUE(EndsWithin(moon->points[graha::Moon][1].window, 5));
  // The worked chart runs another period at the clock with 360-day years.
  const auto julian = FindBirthTimeSensitivity({Birth(kCharts[0]), kClock}, source);
  const auto savana = FindBirthTimeSensitivity({Birth(kCharts[0]), kClock, 360.0, 24}, source);
  ASSERT_TRUE(julian.ok() && savana.ok());
  EXPECT_NE(julian->runningPeriod.value, savana->runningPeriod.value);
}

// A source that knows no bound is stepped minute by minute and gives the
// same table.
class Unbounded final : public BirthPositionSource {
 public:
  void Longitudes(const Horoscope& birth, PointSet points, PointLongitudes& out) override {
    inner_.Longitudes(birth, points, out);
  }
  PointMotion Motion(const Horoscope&, GrahaIndex, int) override {
    return {std::numeric_limits<double>::infinity(), 0.0};
  }

 private:
  BuiltInPositions inner_;
};

TEST(BirthTimeSensitivity, WithoutBoundsTheSameTableMinuteByMinute) {
  const SensitivityRequest request{Birth(kCharts[0]), kClock, dasha::kDaysPerYear, 3};
  BuiltInPositions bounded;
  Unbounded unbounded;
  const auto a = FindBirthTimeSensitivity(request, bounded);
  const auto b = FindBirthTimeSensitivity(request, unbounded);
  ASSERT_TRUE(a.ok() && b.ok());
  for (int g = 0; g < graha::kCount; ++g) {
    for (int f = 0; f < kFactorCount; ++f) {
      EXPECT_EQ(a->points[g][f].value, b->points[g][f].value);
      EXPECT_EQ(a->points[g][f].window, b->points[g][f].window);
    }
  }
  EXPECT_EQ(a->runningPeriod.window, b->runningPeriod.window);
  EXPECT_GT(b->counts.sourceCalls, 10 * a->counts.sourceCalls);
}

TEST(BirthTimeSensitivity, FewCastsPerChart) {
  // 2 x 24 hours are 2881 minutes for each of ten points; the bounds let the
  // search skip nearly all of them.
  BuiltInPositions source;
  for (const ChartCase& c : RandomCases()) {
    const auto t = FindBirthTimeSensitivity({Birth(c), kClock}, source);
    ASSERT_TRUE(t.ok());
    EXPECT_LT(t->counts.sourceCalls, 1000) << c.year;
    for (GrahaIndex g = 0; g < graha::kCount; ++g) {
      EXPECT_TRUE(std::isfinite(source.Motion(Birth(c), g, t->rangeMinutes).maxDegPerMinute)) << g;
    }
  }
}

TEST(BirthTimeSensitivity, DashaDatesMoveBackAsTheMoonAdvances) {
  // Each arc-minute the Moon advances takes 1/800 of the first lord's years
  // off the time still to run, so the dates move back by about
  // (arc-minutes per minute) x years x 365.25 / 800 days per minute.
  BuiltInPositions source;
  for (const ChartCase& c : kCharts) {
    SCOPED_TRACE(c.source);
    Horoscope h = Birth(c);
    CalculateHoroscope(h);
    const auto t = FindBirthTimeSensitivity({Birth(c), kClock, dasha::kDaysPerYear, 24}, source);
    ASSERT_TRUE(t.ok());
    const int lord = ComputeDashaTable(h).table[0].lord;
    const double arcMinutesPerMinute = h.positions[graha::Moon].dailyMotion * 60.0 / 1440.0;
    EXPECT_NEAR(t->daysPerMinute, -arcMinutesPerMinute * kDashaYears[lord] * 365.25 / 800.0,
                0.05 * std::fabs(t->daysPerMinute));
    EXPECT_EQ(t->balance.lord, lord);
  }
}

TEST(BirthTimeSensitivity, RangeOutsideOneToFortyEightHoursOrAnOddYearIsRefused) {
  BuiltInPositions source;
  const Horoscope h = Birth(kCharts[0]);
  for (int hours : {0, -1, 49, 1000}) {
    EXPECT_FALSE(FindBirthTimeSensitivity({h, kClock, dasha::kDaysPerYear, hours}, source).ok())
        << hours;
  }
  // So is a dasha year outside 300..400 days.
  for (double days : {299.0, 400.5, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_FALSE(FindBirthTimeSensitivity({h, kClock, days, 24}, source).ok()) << days;
}

TEST(BirthTimeSensitivity, FactorNamesAndValueTexts) {
  std::vector<std::string> keys;
  for (const SensitivityFactor& f : SensitivityFactors()) keys.push_back(FactorKey(f));
  // Sign, nakshatra, pada, navamsa, then the printed divisions in page order.
  ASSERT_EQ(keys.size(), 15u);
  EXPECT_EQ(keys[0], "sign");
  EXPECT_EQ(keys[1], "nakshatra");
  EXPECT_EQ(keys[2], "pada");
  EXPECT_EQ(keys[3], "navamsa");
  EXPECT_EQ(keys[4], "hora");
  EXPECT_EQ(keys[14], "chaturvimsamsa");
  EXPECT_EQ(FactorValueText(SensitivityFactors()[1], 22), "Dhanishtha");
  EXPECT_EQ(FactorValueText(SensitivityFactors()[0], 10), "Aq");
  EXPECT_EQ(FactorValueText(SensitivityFactors()[2], 3), "3");
  EXPECT_TRUE(EndsWithin(MinuteWindow{-5, 400}, 5));
  EXPECT_TRUE(EndsWithin(MinuteWindow{std::nullopt, 2}, 5));
  EXPECT_FALSE(EndsWithin(MinuteWindow{-6, std::nullopt}, 5));
  EXPECT_FALSE(EndsWithin(MinuteWindow{}, 5));
}

}  // namespace
}  // namespace sarvexa
