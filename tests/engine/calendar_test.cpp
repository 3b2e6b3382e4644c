// Civil date <-> day number, the birth-data setters and the two splits.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/calendar.h"

namespace sarvexa {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Independent proleptic Gregorian reference (era-based civil-from-days
// algorithm on days since 1970-01-01 = JD 2440588), in 64 bits.
CivilDate ReferenceGregorian(std::int64_t jd) {
  std::int64_t z = jd - 2440588 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return CivilDate{static_cast<int>(m), static_cast<int>(d), static_cast<int>(y)};
}

// Independent Julian-calendar day number (the usual a/y/m formulation).
std::int64_t ReferenceJulianCalendar(int year, int month, int day) {
  const int a = (14 - month) / 12;
  const std::int64_t y = year + 4800 - a;
  const int m = month + 12 * a - 3;
  return day + (153 * m + 2) / 5 + 365 * y + y / 4 - 32083;
}

TEST(DayNumberFromDate, DocumentedExamples) {
  struct Case {
    int year, month, day;
    std::int32_t expected;
    const char* source;
  };
  const Case kCases[] = {
      {2000, 1, 1, 2451545, "J2000 epoch date"},
      {1582, 10, 4, 2299160, "last Julian-calendar day"},
      {1582, 10, 15, 2299171, "15 Oct 1582 stays on the Julian formula (not above 2299171)"},
      {1582, 10, 16, 2299162, "first corrected Gregorian day"},
      {1992, 4, 12, 2448725, "12 April 1992 (T = -0.077221081451 at 0h)"},
      {1858, 11, 17, 2400001, "modified Julian day zero (JD 2400000.5) is on this date"},
      {1700, 1, 1, 2341973, "start of the entry range"},
      {2300, 12, 31, 2561482, "end of the entry range: 109938 days after J2000 day"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(DayNumberFromDate(c.year, c.month, c.day), c.expected);
  }
}

TEST(DayNumberFromDate, JulianCalendarBeforeTheSwitch) {
  for (int year = 1000; year <= 1582; year += 7) {
    for (int month = 1; month <= 12; ++month) {
      if (year == 1582 && month >= 10) break;
      SCOPED_TRACE(year * 100 + month);
      EXPECT_EQ(DayNumberFromDate(year, month, 13), ReferenceJulianCalendar(year, month, 13));
    }
  }
}

TEST(DayNumberFromDate, OverlongMonthDaysRollForward) {
  // The entry dialog accepts day 31 in any month; the stored day then shows
  // as the equivalent later date.
  struct Case {
    int year, month, day;
    CivilDate shown;
    const char* source;
  };
  const Case kCases[] = {
      {2001, 2, 31, {3, 3, 2001}, "31 February 2001"},
      {2011, 4, 31, {5, 1, 2011}, "31 April 2011"},
      {2000, 2, 30, {3, 1, 2000}, "30 February of a leap year"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(DateFromDayNumber(DayNumberFromDate(c.year, c.month, c.day)), c.shown);
  }
}

TEST(DateFromDayNumber, RoundTripEveryDay1700To2300) {
  const std::int32_t first = DayNumberFromDate(1700, 1, 1);
  const std::int32_t last = DayNumberFromDate(2300, 12, 31);
  ASSERT_LT(first, last);
  int failures = 0;
  for (std::int32_t j = first; j <= last && failures < 5; ++j) {
    const CivilDate d = DateFromDayNumber(j);
    if (DayNumberFromDate(d.year, d.month, d.day) != j || !(d == ReferenceGregorian(j))) {
      ADD_FAILURE() << "day number " << j << " -> " << d.year << "-" << d.month << "-" << d.day;
      ++failures;
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(DateFromDayNumber, MatchesProlepticGregorianForAny32BitInput) {
  // Sampled across the whole 32-bit range, including the extremes, where the
  // textbook integer formulas would overflow 32-bit intermediates.
  int failures = 0;
  for (std::int64_t j = kMin; j <= kMax && failures < 5; j += 4294967295LL / 9973) {
    const CivilDate d = DateFromDayNumber(static_cast<std::int32_t>(j));
    const CivilDate ref = ReferenceGregorian(j);
    if (!(d == ref) || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) {
      ADD_FAILURE() << "day number " << j << " -> " << d.year << "-" << d.month << "-" << d.day;
      ++failures;
    }
  }
  for (std::int32_t j : {kMin, kMin + 1, -1, 0, 1, kMax - 1, kMax}) {
    SCOPED_TRACE(j);
    EXPECT_EQ(DateFromDayNumber(j), ReferenceGregorian(j));
  }
}

TEST(DayNumberFromDate, ExtremeInputsDoNotOverflow) {
  // Any 32-bit input is accepted; the result is clamped to the 32-bit range.
  EXPECT_EQ(DayNumberFromDate(kMax, 12, 31), kMax);
  EXPECT_EQ(DayNumberFromDate(kMin, 1, 1), kMin);
  EXPECT_EQ(DayNumberFromDate(2000, kMax, kMax), kMax);
  EXPECT_EQ(DayNumberFromDate(2000, kMin, kMin), kMin);
  // Large but representable dates agree with the reference calendar.
  const std::int32_t j = DayNumberFromDate(1000000, 3, 1);
  EXPECT_EQ(DateFromDayNumber(j), (CivilDate{3, 1, 1000000}));
}

TEST(DateFromDayCount, HalfDayBoundaries) {
  struct Case {
    double count;
    CivilDate expected;
    const char* source;
  };
  const Case kCases[] = {
      {2451545.49, {1, 1, 2000}, "just before the next noon-to-noon boundary"},
      {2451544.5, {1, 1, 2000}, "exactly at the lower boundary"},
      {2451545.5, {1, 2, 2000}, "exactly at the upper boundary"},
      {2451545.0, {1, 1, 2000}, "the day number itself"},
      {2451544.49999, {12, 31, 1999}, "just below the lower boundary"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(DateFromDayCount(c.count), c.expected);
  }
}

TEST(DateFromDayCount, NonFiniteAndHugeCountsAreDefined) {
  EXPECT_EQ(DateFromDayCount(kNaN), DateFromDayNumber(0));
  EXPECT_EQ(DateFromDayCount(kInf), DateFromDayNumber(kMax));
  EXPECT_EQ(DateFromDayCount(-kInf), DateFromDayNumber(kMin));
  EXPECT_EQ(DateFromDayCount(1e300), DateFromDayNumber(kMax));
  EXPECT_EQ(DateFromDayCount(-1e300), DateFromDayNumber(kMin));
}

TEST(SetBirthTime, UniversalTimeZoneAndCenturies) {
  struct Case {
    int hour, minutes, zoneH, zoneM, dstH, dstM;
    double ut, zone;
    std::int16_t dst;
    const char* source;
  };
  const Case kCases[] = {
      {23, 30, 5, 0, 1, 0, 27.5, 5.0, 1, "late birth, western zone, daylight saving"},
      {23, 30, 5, 0, 0, 0, 28.5, 5.0, 0, "UT beyond 24 stays unreduced"},
      {17, 30, -5, -30, 0, 0, 12.0, -5.5, 0, "zone 5:30 east of the worked chart"},
      {0, 15, 0, 0, 0, 0, 0.25, 0.0, 0, "12:15 AM"},
      {0, 0, -12, -59, 12, 0, -24.983333333333334, -12.983333333333333, 12, "most negative"},
      {23, 30, 5, 0, 1, 45, 27.5, 5.0, 1, "daylight-saving minutes change nothing"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    Horoscope h;
    h.julianDay = 2451545;
    SetBirthTime(h, c.hour, c.minutes, c.zoneH, c.zoneM, c.dstH, c.dstM);
    EXPECT_EQ(h.julianDay, 2451545);
    EXPECT_NEAR(h.universalTime, c.ut, 1e-12);
    EXPECT_NEAR(h.zone, c.zone, 1e-12);
    EXPECT_EQ(h.dst, c.dst);
    EXPECT_NEAR(h.julianCenturies, (c.ut / 24.0 - 0.5) / 36525.0, 1e-15);
  }
}

TEST(SetBirthTime, WorkedChartGivesExactlyZeroCenturies) {
  Horoscope h;
  SetBirthDate(h, 1, 1, 2000);
  SetBirthTime(h, 17, 30, -5, -30, 0, 0);
  EXPECT_EQ(h.universalTime, 12.0);
  EXPECT_EQ(h.julianCenturies, 0.0);
}

TEST(SetBirthTime, LateBirthDenotesTheNextUniversalDay) {
  // 23:30 in zone +5 is 04:30 UT on the next day; T must say so although the
  // entered date stays in julianDay.
  Horoscope late, next;
  SetBirthDate(late, 3, 14, 1990);
  SetBirthTime(late, 23, 30, 5, 0, 0, 0);
  SetBirthDate(next, 3, 15, 1990);
  SetBirthTime(next, 4, 30, 0, 0, 0, 0);
  EXPECT_EQ(late.julianDay + 1, next.julianDay);
  EXPECT_NEAR(late.julianCenturies, next.julianCenturies, 1e-15);
}

TEST(SetBirthTime, ExtremeIntegersDoNotOverflow) {
  Horoscope h;
  h.julianDay = kMax;
  SetBirthTime(h, kMax, kMax, kMax, kMax, kMin, 0);
  EXPECT_TRUE(std::isfinite(h.universalTime));
  EXPECT_TRUE(std::isfinite(h.julianCenturies));
  EXPECT_EQ(h.dst, std::numeric_limits<std::int16_t>::min());
  EXPECT_GT(h.universalTime, 4.0e9);  // no wrap-around into negative sums
}

TEST(SetBirthPlace, SignedDegreesAndMinutes) {
  struct Case {
    int lonD, lonM, latD, latM;
    double lon, lat;
    const char* source;
  };
  const Case kCases[] = {
      {-77, -12, 28, 36, -77.2, 28.6, "New Delhi, East and North"},
      {0, -30, 0, -30, -0.5, -0.5, "0 degrees 30 minutes East and South"},
      {179, 59, -89, -59, 179.98333333333333, -89.98333333333333, "range limits"},
      {74, 0, 40, 42, 74.0, 40.7, "western longitude is positive"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    Horoscope h;
    SetBirthPlace(h, c.lonD, c.lonM, c.latD, c.latM);
    EXPECT_NEAR(h.longitude, c.lon, 1e-12);
    EXPECT_NEAR(h.latitude, c.lat, 1e-12);
  }
}

TEST(SplitDegrees, TruncatedAndRounded) {
  struct Case {
    double value;
    bool rounded;
    WholeAndMinutes expected;
    const char* source;
  };
  const Case kCases[] = {
      {-0.4, true, {0, -24}, "negative rounds away from zero"},
      {-0.4, false, {0, -24}, "trunc of -24.0"},
      {23.8539, true, {23, 51}, "ayanamsa shown as 23:51"},
      {29.99999, false, {29, 59}, "no rounding"},
      {29.99999, true, {30, 0}, "rounding carries"},
      {10.9999, true, {11, 0}, "carries into the whole part"},
      {10.99999999, true, {11, 0}, "11:00 stored imprecisely"},
      {0.0, true, {0, 0}, "zero counts as non-negative"},
      {12.5, false, {12, 30}, "half an hour"},
      {-5.5, true, {-5, -30}, "eastern zone"},
      {12.991, true, {12, 59}, "below the half minute"},
      {12.9917, true, {13, 0}, "above the half minute"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(c.rounded ? SplitDegreesRounded(c.value) : SplitDegrees(c.value), c.expected);
  }
}

TEST(SplitDegrees, NonFiniteAndHugeValuesAreDefined) {
  struct Case {
    double value;
    WholeAndMinutes expected;
    const char* source;
  };
  const Case kCases[] = {
      {kNaN, {0, 0}, "NaN"},
      {kInf, {kMax, 0}, "+inf saturates"},
      {-kInf, {kMin, 0}, "-inf saturates"},
      {1e20, {kMax, 0}, "beyond the integer range"},
      {-3e9, {kMin, 0}, "below the integer range"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(SplitDegrees(c.value), c.expected);
    EXPECT_EQ(SplitDegreesRounded(c.value), c.expected);
  }
}

}  // namespace
}  // namespace sarvexa
