// Checked conversions and angle reduction: the guards that keep NaN, the
// infinities and out-of-range doubles away from integer conversions.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/numeric.h"

namespace sarvexa {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(TruncToInt, TruncatesTowardZeroAndSaturates) {
  struct Case {
    double x;
    std::int32_t expected;
    const char* source;
  };
  const Case kCases[] = {
      {0.0, 0, "zero"},
      {-0.0, 0, "negative zero"},
      {2.9999, 2, "truncation, not rounding"},
      {-2.9999, -2, "toward zero for negatives"},
      {2147483647.0, kMax, "largest int exactly"},
      {2147483647.9, kMax, "truncates to the largest int"},
      {2147483648.0, kMax, "one past the range saturates"},
      {-2147483648.0, kMin, "smallest int exactly"},
      {-2147483648.9, kMin, "truncates to the smallest int"},
      {-2147483649.0, kMin, "one below the range saturates"},
      {1e300, kMax, "huge positive"},
      {-1e300, kMin, "huge negative"},
      {kInf, kMax, "+inf"},
      {-kInf, kMin, "-inf"},
      {kNaN, 0, "NaN maps to 0"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(TruncToInt(c.x), c.expected);
  }
}

TEST(TruncToInt, Int16Saturates) {
  EXPECT_EQ(TruncToInt16(32767.5), 32767);
  EXPECT_EQ(TruncToInt16(40000.0), 32767);
  EXPECT_EQ(TruncToInt16(-40000.0), -32768);
  EXPECT_EQ(TruncToInt16(kNaN), 0);
  EXPECT_EQ(TruncToInt16(-12.7), -12);
  EXPECT_EQ(ClampToInt16(70000), 32767);
  EXPECT_EQ(ClampToInt16(-70000), -32768);
  EXPECT_EQ(ClampToInt32(std::int64_t{1} << 40), kMax);
  EXPECT_EQ(ClampToInt32(-(std::int64_t{1} << 40)), kMin);
  EXPECT_EQ(ClampToInt32(-5), -5);
}

TEST(ReduceDegrees, ReducesIntoHalfOpenCircle) {
  struct Case {
    double x;
    double expected;
    const char* source;
  };
  const Case kCases[] = {
      {0.0, 0.0, "zero"},
      {359.5, 359.5, "already reduced"},
      {360.0, 0.0, "full turn"},
      {725.25, 5.25, "two turns"},
      {-0.5, 359.5, "negative wraps"},
      {-720.0, 0.0, "negative whole turns"},
      {-1e-20, 0.0, "tiny negative whose sum with 360 rounds to 360"},
      {kNaN, 0.0, "NaN gives 0"},
      {kInf, 0.0, "+inf gives 0"},
      {-kInf, 0.0, "-inf gives 0"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_NEAR(ReduceDegrees(c.x), c.expected, 1e-12);
  }
}

TEST(ReduceDegrees, AlwaysInRangeForAnyMagnitude) {
  for (double x = -1e300; x < 1e300 && x != 0.0;) {
    const double r = ReduceDegrees(x);
    EXPECT_GE(r, 0.0) << x;
    EXPECT_LT(r, 360.0) << x;
    x = x < 0 ? x / 7.3 : x * 7.3;
    if (x > -1e-300 && x < 0) x = 1e-300;
  }
}

}  // namespace
}  // namespace sarvexa
