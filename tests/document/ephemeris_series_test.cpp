// The ephemeris series: the temporary chart's set-up, the date advance of
// each interval (including the month-end and leap-day rules), the rows'
// calculation and the row texts.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "document/ephemeris_series.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "tests/support/worked_chart.h"

namespace sarvexa {
namespace {

// 1 January 2000, 17:30, zone 5:30 East, New Delhi; daylight saving as given.
using test_support::WorkedChart;

// Day numbers counted by hand from JDN 2451545 = 1 January 2000.
constexpr std::int32_t kJan1_2000 = 2451545;
constexpr std::int32_t kJan1_2001 = kJan1_2000 + 366;

TEST(EphemerisSeries, NextDayByInterval) {
  struct Case {
    std::int32_t from;
    EphemerisInterval interval;
    std::int32_t expected;
    const char* source;
  };
  const Case cases[] = {
      {kJan1_2000, EphemerisInterval::Daily, kJan1_2000 + 1, "daily +1"},
      {kJan1_2000 + 365, EphemerisInterval::Daily, kJan1_2001, "31 Dec 2000 -> 1 Jan 2001"},
      {kJan1_2000, EphemerisInterval::Weekly, kJan1_2000 + 7, "weekly +7"},
      {kJan1_2000 + 14, EphemerisInterval::Monthly, kJan1_2000 + 31 + 14, "15 Jan -> 15 Feb"},
      {kJan1_2001 + 30, EphemerisInterval::Monthly, kJan1_2001 + 31 + 28 + 2,
       "31 Jan 2001 -> '31 Feb' = 3 Mar 2001"},
      {kJan1_2000 + 30, EphemerisInterval::Monthly, kJan1_2000 + 31 + 29 + 1,
       "31 Jan 2000 -> '31 Feb' = 2 Mar 2000 (leap year)"},
      {kJan1_2000 + 335 + 14, EphemerisInterval::Monthly, kJan1_2001 + 14,
       "15 Dec 2000 -> 15 Jan 2001 (month 13 becomes January)"},
      {kJan1_2000 + 31 + 28, EphemerisInterval::Yearly, kJan1_2001 + 31 + 28,
       "29 Feb 2000 -> '29 Feb 2001' = 1 Mar 2001"},
      {kJan1_2000, EphemerisInterval::Yearly, kJan1_2001, "1 Jan 2000 -> 1 Jan 2001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(NextEphemerisDay(c.from, c.interval), c.expected);
  }
}

TEST(EphemerisSeries, MonthlyFromJanuary31KeepsTheShiftedDay) {
  const Horoscope chart = WorkedChart();
  const auto rows =
      ComputeEphemerisSeries(chart, kJan1_2001 + 30, EphemerisInterval::Monthly, 4).value();
  ASSERT_EQ(rows.size(), 4u);
  const CivilDate expected[] = {{1, 31, 2001}, {3, 3, 2001}, {4, 3, 2001}, {5, 3, 2001}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rows[i].date, expected[i]);
    EXPECT_EQ(rows[i].julianDay, rows[i].horoscope.julianDay);
  }
}

TEST(EphemerisSeries, YearlyFromLeapDay) {
  const auto rows =
      ComputeEphemerisSeries(WorkedChart(), kJan1_2000 + 59, EphemerisInterval::Yearly, 3).value();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].date, (CivilDate{2, 29, 2000}));
  EXPECT_EQ(rows[1].date, (CivilDate{3, 1, 2001}));
  EXPECT_EQ(rows[2].date, (CivilDate{3, 1, 2002}));
}

TEST(EphemerisSeries, StartHoroscopeIsLocalMidnight) {
  struct Case {
    int dst;
    double expectedUt;
    const char* source;
  };
  const Case cases[] = {{0, -5.5, "zone 5:30 East: midnight is 18:30 UT the day before"},
                        {1, -6.5, "one hour of daylight saving: zone - 1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const Horoscope chart = WorkedChart(c.dst);
    const Horoscope h = EphemerisStartHoroscope(chart, kJan1_2001);
    EXPECT_DOUBLE_EQ(h.universalTime, c.expectedUt);
    EXPECT_EQ(h.julianDay, kJan1_2001);
    // Midnight of 1 January 2001 local is 366 days minus 12 h, minus the
    // zone hours, after the epoch JD 2451545.0.
    EXPECT_NEAR(h.julianCenturies * 36525.0, 366.0 - 0.5 + c.expectedUt / 24.0, 1e-9);
    // Place and zone are the chart's.
    EXPECT_EQ(h.longitude, chart.longitude);
    EXPECT_EQ(h.latitude, chart.latitude);
    EXPECT_EQ(h.zone, chart.zone);
    EXPECT_EQ(h.dst, chart.dst);
  }
}

TEST(EphemerisSeries, StartDayZeroKeepsTheBirthMoment) {
  const Horoscope chart = WorkedChart();
  const Horoscope h = EphemerisStartHoroscope(chart, 0);
  EXPECT_EQ(h.julianDay, chart.julianDay);
  EXPECT_EQ(h.julianCenturies, chart.julianCenturies);
  EXPECT_DOUBLE_EQ(h.universalTime, -5.5);

  const auto rows = ComputeEphemerisSeries(chart, 0, EphemerisInterval::Daily, 2).value();
  ASSERT_EQ(rows.size(), 2u);
  // The first row's grahas are those of the birth moment (its Ascendant
  // differs: the row's time of day is midnight), the next row is midnight.
  for (int g = 1; g < graha::kCount; ++g) {
    EXPECT_DOUBLE_EQ(rows[0].horoscope.positions[g].longitude, chart.positions[g].longitude);
  }
  EXPECT_EQ(rows[1].date, (CivilDate{1, 2, 2000}));
  EXPECT_NEAR(rows[1].horoscope.julianCenturies * 36525.0, 1.0 - 0.5 - 5.5 / 24.0, 1e-9);
}

TEST(EphemerisSeries, RowsMatchAChartEnteredForLocalMidnight) {
  // Each row must equal the chart cast through the ordinary data entry for
  // 00:00 local time of that date, at the same place and zone.
  const Horoscope chart = WorkedChart();
  const auto rows =
      ComputeEphemerisSeries(chart, kJan1_2000 + 9, EphemerisInterval::Weekly, 6).value();
  ASSERT_EQ(rows.size(), 6u);
  for (const EphemerisRow& row : rows) {
    SCOPED_TRACE(row.julianDay);
    Horoscope expected;
    SetBirthDate(expected, row.date.month, row.date.day, row.date.year);
    SetBirthTime(expected, 0, 0, -5, -30, 0, 0);
    SetBirthPlace(expected, -77, -12, 28, 36);
    CalculateHoroscope(expected);
    EXPECT_NEAR(row.horoscope.julianCenturies, expected.julianCenturies, 1e-15);
    for (int g = 1; g <= 8; ++g) {
      EXPECT_NEAR(row.horoscope.positions[g].longitude, expected.positions[g].longitude, 1e-9);
      EXPECT_EQ(row.horoscope.positions[g].retrograde, expected.positions[g].retrograde);
    }
  }
  EXPECT_EQ(rows[1].julianDay - rows[0].julianDay, 7);
}

TEST(EphemerisSeries, RowCountAndMovingMoon) {
  EXPECT_TRUE(ComputeEphemerisSeries(WorkedChart(), kJan1_2000, EphemerisInterval::Daily, 0)
                  .value()
                  .empty());
  EXPECT_TRUE(ComputeEphemerisSeries(WorkedChart(), kJan1_2000, EphemerisInterval::Daily, -3)
                  .value()
                  .empty());
  const auto rows = ComputeEphemerisSeries(WorkedChart(), kJan1_2000, EphemerisInterval::Daily,
                                           kEphemerisScreenRows)
                        .value();
  ASSERT_EQ(rows.size(), 24u);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    // The Moon moves 11.5 to 15.5 degrees a day.
    double step = rows[i].horoscope.positions[graha::Moon].longitude -
                  rows[i - 1].horoscope.positions[graha::Moon].longitude;
    if (step < 0) step += 360.0;
    EXPECT_GT(step, 11.0);
    EXPECT_LT(step, 16.0);
  }
}

TEST(EphemerisSeries, IntervalNames) {
  EXPECT_EQ(EphemerisIntervalFromName("daily"), EphemerisInterval::Daily);
  EXPECT_EQ(EphemerisIntervalFromName("Weekly"), EphemerisInterval::Weekly);
  EXPECT_EQ(EphemerisIntervalFromName("MONTHLY"), EphemerisInterval::Monthly);
  EXPECT_EQ(EphemerisIntervalFromName("yearly"), EphemerisInterval::Yearly);
  EXPECT_FALSE(EphemerisIntervalFromName("hourly").has_value());
  EXPECT_FALSE(EphemerisIntervalFromName("").has_value());
  EXPECT_EQ(EphemerisIntervalFromIndex(2), EphemerisInterval::Monthly);
  EXPECT_FALSE(EphemerisIntervalFromIndex(4).has_value());
  EXPECT_FALSE(EphemerisIntervalFromIndex(-1).has_value());
}

TEST(EphemerisSeries, CellAndDateTexts) {
  struct Case {
    double longitude;
    int retrograde;
    const char* expected;
  };
  const Case cases[] = {{256.53674991898646, 0, "16Sg32"},
                        {16.537554647375135, 1, "16Ar32R"},
                        {0.0, 0, "00Ar00"},
                        {359.9999, 0, "29Pi59"},
                        {30.0, 0, "00Ta00"},
                        {100.09637865675413, 0, "10Cn05"}};
  for (const Case& c : cases) {
    GrahaPosition p;
    p.longitude = c.longitude;
    p.retrograde = static_cast<std::int16_t>(c.retrograde);
    EXPECT_EQ(EphemerisCellText(p), c.expected) << c.longitude;
  }
  EXPECT_EQ(EphemerisDateText({1, 5, 2000}), "Jan  5,2000: ");
  EXPECT_EQ(EphemerisDateText({12, 31, 1999}), "Dec 31,1999: ");
}

TEST(EphemerisSeries, TextHasHeaderAndOneLinePerRow) {
  const auto rows =
      ComputeEphemerisSeries(WorkedChart(), kJan1_2000, EphemerisInterval::Daily, 3).value();
  const std::string text = EphemerisSeriesText(rows);
  const std::string header =
      "Date          Sun     Moon    Mars    Merc    Jupt    Venus   Sat     Rahu\n";
  ASSERT_EQ(text.rfind(header, 0), 0u) << text;
  const std::string second =
      text.substr(header.size(), text.find('\n', header.size()) - header.size());
  EXPECT_EQ(second.rfind("Jan  1,2000:  ", 0), 0u) << second;
  // Eight cells follow the date.
  EXPECT_EQ(second.size(),
            14u + 7u * 8u + EphemerisCellText(rows[0].horoscope.positions[8]).size());
  int lines = 0;
  for (char c : text) lines += c == '\n';
  EXPECT_EQ(lines, 4);
}

}  // namespace
}  // namespace sarvexa
