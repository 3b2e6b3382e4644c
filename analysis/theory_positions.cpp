#include "analysis/theory_positions.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/chart_calculation.h"

namespace sarvexa {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kMinutesPerDay = 1440.0;
constexpr double kDaysPerCentury = 36525.0;

// Slack for everything the geometric bounds leave out, degrees per day:
// the ayanamsa's change (precession, about 50 arc-seconds a year, with
// nutation and, for a star-fixed ayanamsa, the star's aberration: under
// 2 arc-seconds a day), the nutation's and the aberration's own changes, and
// the turning of the ecliptic of date. Each is below 0.001.
constexpr double kSlackDegPerDay = 0.01;

// A planet's geocentric direction turns at most (v + vEarth) / d radians a
// second, with v its speed at perihelion, vEarth the Earth's (30.29 km/s)
// and d its least distance from the Earth; its ecliptic longitude turns at
// most that over the cosine of its latitude (never beyond 10 degrees:
// a factor 1.0154). In degrees per day, with the slack, rounded up:
//   Mercury (58.98 + 30.29) km/s over 0.549 AU: 5.46
//   Venus   (35.26 + 30.29) km/s over 0.2642 AU: 8.34
//   Mars    (26.50 + 30.29) km/s over 0.3727 AU: 5.12
//   Jupiter (13.72 + 30.29) km/s over 3.951 AU: 0.375
//   Saturn  (10.18 + 30.29) km/s over 7.99 AU: 0.171
// The Sun moves at n (1 + e cos v)^2 / (1 - e^2)^1.5 with n = 0.98565 and
// e <= 0.0188 from 3000 BC to AD 3000: between 0.949 and 1.025 a day, the
// Moon's pull on the Earth and the planets' adding less than 0.001.
// The Moon's longitude is its mean motion, 13.176 a day, plus periodic terms
// whose amplitudes times their rates add up to less than 2.4 a day (the
// equation of the centre 1.434, the variation 0.280, evection 0.252 and the
// rest): between 10.7 and 15.6.
// The osculating (true) node turns, by Gauss's equation, at most
// r W / (h sin i) with W the Sun's tidal pull normal to the orbit,
// below 2 GM r / d^3: at most 2.2 a day for r up to 1.08 a, i above 4.8
// degrees. The mean node moves 0.053 a day.
struct BodyBound {
  GrahaIndex point;
  SkyMotion motion;
};
constexpr BodyBound kBodies[] = {
    {graha::Sun, {0.94, 1.04}},   {graha::Moon, {10.0, 16.5}},   {graha::Mars, {0.0, 5.2}},
    {graha::Mercury, {0.0, 5.6}}, {graha::Jupiter, {0.0, 0.39}}, {graha::Venus, {0.0, 8.5}},
    {graha::Saturn, {0.0, 0.18}},
};
constexpr SkyMotion kTrueNode{0.0, 3.0};
constexpr SkyMotion kMeanNode{0.0, 0.07};

// The Ascendant's bounds are claimed within ten centuries of J2000, where
// the mean obliquity 23.439291 - 0.0130042 T degrees keeps within 0.001 of
// the full series; nutation moves it by less than 10 arc-seconds.
constexpr double kAscendantCenturies = 10.0;
constexpr double kObliquityAtEpoch = 23.439291, kObliquityRate = -0.0130042;
constexpr double kObliquitySlackDeg = 0.01;
// The obliquity's nutation changes by less than 0.1 arc-seconds a day; its
// mean drift is 0.013 degrees a century.
constexpr double kObliquityRateBound = 2.0;  // degrees per century
// The apparent sidereal angle: the mean one (2400.0513 h a century of T on
// top of UT) and the equation of the equinoxes, changing by less than
// 0.2 arc-seconds a day.
constexpr double kSiderealRate = 15.0 * (2400.0513 + 24.0 * kDaysPerCentury) + 5.0;

}  // namespace

SkyMotion RealSkyMotion(GrahaIndex point, NodeKind node) {
  if (point == graha::Rahu || point == graha::Ketu)
    return node == NodeKind::Mean ? kMeanNode : kTrueNode;
  for (const BodyBound& b : kBodies) {
    if (b.point == point) return b.motion;
  }
  return {0.0, kInfinity};
}

void TheoryPositions::Longitudes(const Horoscope& birth, PointSet, PointLongitudes& out) {
  Horoscope h = birth;
  const Result<PositionSource> cast = theory_.Calculate(h, conventions_);
  if (!cast) {
    if (!failure_) failure_ = cast.error();
    out.fill(std::numeric_limits<double>::quiet_NaN());
    return;
  }
  for (GrahaIndex g = 0; g < graha::kCount; ++g)
    out[static_cast<std::size_t>(g)] = h.positions[g].longitude;
}

PointMotion TheoryPositions::Motion(const Horoscope& birth, GrahaIndex point, int rangeMinutes) {
  if (point != graha::Ascendant) {
    const SkyMotion sky = RealSkyMotion(point, conventions_.node);
    return {(sky.maxDegPerDay + kSlackDegPerDay) / kMinutesPerDay,
            sky.minDegPerDay > kSlackDegPerDay
                ? (sky.minDegPerDay - kSlackDegPerDay) / kMinutesPerDay
                : 0.0};
  }
  const double T = birth.julianCenturies;
  const double window = (rangeMinutes + 1.0) / (kDaysPerCentury * kMinutesPerDay);
  if (!(std::fabs(T) + window <= kAscendantCenturies)) return {kInfinity, 0.0};
  const double eps = kObliquityAtEpoch + kObliquityRate * T;
  const double reach = std::fabs(kObliquityRate) * window + kObliquitySlackDeg;
  AscendantMotion m;
  m.latDeg = birth.latitude;
  m.obliquityLowDeg = eps - reach;
  m.obliquityHighDeg = eps + reach;
  m.obliquityRate = kObliquityRateBound;
  m.siderealRate = kSiderealRate;
  m.ayanamsaRate = kSlackDegPerDay * kDaysPerCentury;
  const LongitudeRateBounds rate = AscendantRateBounds(m);
  if (!std::isfinite(rate.min) || !std::isfinite(rate.max)) return {kInfinity, 0.0};
  const double perMinute = kDaysPerCentury * kMinutesPerDay;
  PointMotion motion;
  motion.maxDegPerMinute = std::max(std::fabs(rate.min), std::fabs(rate.max)) / perMinute;
  motion.minDegPerMinute = rate.min > 0 ? rate.min / perMinute : 0.0;
  return motion;
}

}  // namespace sarvexa
