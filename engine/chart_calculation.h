#pragma once
// The horoscope calculation: ayanamsa, Ascendant, the six Keplerian bodies,
// the Moon and the nodes, turned into sidereal positions with signs, degrees,
// minutes, daily motions and retrograde flags.

#include <array>
#include <cstdint>

#include "engine/horoscope.h"
#include "engine/planets.h"

namespace sarvexa {

/// One day in Julian centuries (1/36525): the step back for the daily motion.
inline constexpr double kOneDayInCenturies = 0.000027378507871321012;

/// One-day change of a longitude (degrees) taken the shorter way round: when
/// |change| exceeds limitDeg it has crossed 0 degrees of tropical Aries and
/// 360 is added (negative change) or subtracted (positive change).
double OneDayChange(double now, double dayBefore, double limitDeg) noexcept;

/// Degrees to add to a tropical longitude to make it sidereal (Lahiri):
/// minus the ayanamsa, about -23.854 at T = 0. Not reduced.
double ComputeAyanamsaCorrection(double julianCenturies) noexcept;

/// Tropical longitude of the Ascendant in degrees (0 <= x < 360) for T,
/// Universal Time in hours, geographic longitude (degrees, positive west) and
/// latitude (degrees, positive north, |latitude| < 90).
double TropicalAscendant(double julianCenturies, double universalTimeHours, double lonDeg,
                         double latDeg) noexcept;

/// Fills `ayanamsaCorrection` and the ten `positions` of h from its
/// `julianCenturies`, `universalTime`, `longitude` and `latitude`. The
/// Ascendant's `dailyMotion` is left as it was.
///
/// Whatever the input, the output keeps the record's invariants: every
/// longitude is finite and 0 <= x < 360, degrees and minutes are in range.
/// Input from which no finite position follows (NaN, infinities, absurd
/// magnitudes) gives longitude 0 for the affected points and 0 for any
/// non-finite daily motion or correction, instead of NaN.
void CalculateHoroscope(Horoscope& h) noexcept;

/// A set of chart points: bit g stands for GrahaIndex g.
using PointSet = std::uint16_t;
constexpr PointSet PointBit(GrahaIndex g) { return static_cast<PointSet>(1u << g); }
inline constexpr PointSet kAllPoints = static_cast<PointSet>((1u << graha::kCount) - 1);

/// Sidereal longitudes in degrees, keyed by GrahaIndex.
using PointLongitudes = std::array<double, graha::kCount>;

/// The sidereal longitudes CalculateHoroscope stores for the points in
/// `points`, bit for bit, from the same fields of h; only what those points
/// need is worked out (the Ascendant no body, one planet the Sun and
/// itself, the Moon or a node the lunar series, which gives all three).
/// Entries of other points may be written too or left as they are.
void SiderealLongitudes(const Horoscope& h, PointSet points, PointLongitudes& out) noexcept;

/// The largest |d/dT| of ComputeAyanamsaCorrection, degrees per Julian
/// century, for any T within `windowCenturies` of `julianCenturies`.
double AyanamsaCorrectionRateBound(double julianCenturies, double windowCenturies) noexcept;

/// Proven bounds on how fast the sidereal Ascendant of CalculateHoroscope
/// moves with the birth time (Universal Time and T moving together), in
/// degrees per Julian century of birth time, at latitude `latDeg`, for any
/// moment within `windowCenturies` of `julianCenturies`. Inside the polar
/// circles the minimum is positive: the Ascendant only moves forward.
/// Beyond them the pair is symmetric; within about 0.025 degrees of a polar
/// circle, or at |latitude| >= 89, it is infinite (nothing is claimed).
LongitudeRateBounds AscendantRates(double julianCenturies, double latDeg,
                                   double windowCenturies) noexcept;

/// What bounds the motion of a sidereal Ascendant with the birth time: the
/// place's latitude, the range the obliquity of the ecliptic keeps over the
/// moments considered and how fast it may change, how fast the local
/// sidereal angle turns, and how fast the ayanamsa may change. Rates are in
/// degrees per Julian century of birth time, each at most that fast.
struct AscendantMotion {
  double latDeg = 0.0;            ///< geographic latitude, degrees
  double obliquityLowDeg = 0.0;   ///< least obliquity, degrees
  double obliquityHighDeg = 0.0;  ///< greatest obliquity, degrees
  double obliquityRate = 0.0;     ///< |d(obliquity)/dT|
  double siderealRate = 0.0;      ///< d(local sidereal angle)/dT
  double ayanamsaRate = 0.0;      ///< |d(ayanamsa)/dT|
};

/// Proven bounds on the rate of a sidereal Ascendant computed from the local
/// sidereal angle and the obliquity by the Ascendant's formula, for any
/// theory whose quantities keep within `motion`: the geometry of
/// AscendantRates, which applies it to the built-in theory. Inside the polar
/// circles the minimum is positive; infinite where nothing is claimed.
LongitudeRateBounds AscendantRateBounds(const AscendantMotion& motion) noexcept;

}  // namespace sarvexa
