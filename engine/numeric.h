#pragma once
// Checked numeric conversions and angle reduction shared by every module.
//
// A chart file can carry any double, so a value handed to a double-to-integer
// conversion may be NaN, infinite or far outside the integer's range; the
// plain cast is undefined behaviour in all three cases. Every such conversion
// in the program goes through these helpers, which saturate at the range
// limits and map NaN to 0.

#include <cmath>
#include <cstdint>
#include <limits>

namespace sarvexa {

/// Truncates toward zero into a 32-bit integer. NaN gives 0; values beyond the
/// range (including the infinities) give INT32_MIN or INT32_MAX.
constexpr std::int32_t TruncToInt(double x) noexcept {
  if (!(x == x)) return 0;  // NaN (written so that it stays constexpr)
  // 2147483648.0 is exactly representable; everything strictly between the
  // two limits truncates into range.
  if (x >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (x <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(x);
}

/// Truncates toward zero into a 16-bit integer, saturating like TruncToInt.
constexpr std::int16_t TruncToInt16(double x) noexcept {
  const std::int32_t v = TruncToInt(x);
  if (v > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  if (v < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  return static_cast<std::int16_t>(v);
}

/// Clamps a 64-bit integer into the 32-bit range.
constexpr std::int32_t ClampToInt32(std::int64_t v) noexcept {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

/// Clamps a 64-bit integer into the 16-bit range.
constexpr std::int16_t ClampToInt16(std::int64_t v) noexcept {
  if (v > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  if (v < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  return static_cast<std::int16_t>(v);
}

/// -v without overflow: negating INT_MIN is undefined, so it gives INT_MAX.
/// Stored locations and chart files may hold any integer.
constexpr int SaturatingNegate(int v) noexcept {
  return v == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -v;
}

/// |v| without overflow: INT_MIN gives INT_MAX.
constexpr int SaturatingAbs(int v) noexcept { return v < 0 ? SaturatingNegate(v) : v; }

/// 1/360, as the reduction multiplies by it.
inline constexpr double kInverse360 = 0.002777777777777778;

/// Reduces an angle in degrees into 0 <= x < 360 by x - 360 * floor(x / 360)
/// (the division done as a multiplication by 1/360). Two guards keep the
/// result a usable longitude: a tiny negative angle whose sum with 360 rounds
/// to 360 itself gives 0, a slightly negative remainder is wrapped, and a NaN or infinite angle
/// gives 0, so that a sign or minute taken from the result is always in range.
inline double ReduceDegrees(double x) noexcept {
  if (!std::isfinite(x)) return 0.0;
  double r = x - 360.0 * std::floor(x * kInverse360);
  // Rounding at the edges only: the quotient may round up to a whole number
  // (r slightly negative) or r + 360 may round to 360; for an enormous angle
  // the product itself is inexact and r can land anywhere.
  if (r < 0.0) r += 360.0;
  if (!(r >= 0.0 && r < 360.0)) r = 0.0;
  return r;
}

}  // namespace sarvexa
