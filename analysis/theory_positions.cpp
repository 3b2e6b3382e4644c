#include "analysis/theory_positions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "engine/chart_calculation.h"

namespace sarvexa {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
constexpr double kMinutesPerDay = 1440.0;
constexpr double kDaysPerCentury = 36525.0;

// Slack for everything the geometric bounds leave out, degrees per day:
// the ayanamsa's change (precession, about 50 arc-seconds a year, with
// nutation and, for a star-fixed ayanamsa, the star's aberration: under
// 2 arc-seconds a day), the nutation's and the aberration's own changes, and
// the turning of the ecliptic of date. Each is below 0.001.
constexpr double kSlackDegPerDay = 0.01;

// A planet's orbit around the Sun, as far as the bound below needs it, with
// margins for the drift of the elements from 3000 BC to AD 3000 and the
// planets' pull on each other: semi-major axis (AU), greatest eccentricity,
// greatest inclination to the Earth's orbit (degrees).
struct Orbit {
  double a, e, inclinationDeg;
};
constexpr Orbit kEarth{1.00000, 0.0195, 0.0};
constexpr Orbit kMercury{0.38710, 0.2070, 7.5};
constexpr Orbit kVenus{0.72333, 0.0080, 3.9};
constexpr Orbit kMars{1.52368, 0.0960, 2.4};
constexpr Orbit kJupiter{5.20260, 0.0500, 1.8};
constexpr Orbit kSaturn{9.55490, 0.0650, 3.0};

// The Sun's gravitational parameter, AU^3 / day^2 (Gauss's constant squared).
constexpr double kSunGm = 0.01720209895 * 0.01720209895;
// Distances and speeds widened by this share either way.
constexpr double kOrbitMargin = 0.01;

struct Extent {
  double least, most;
};
Extent Radius(const Orbit& o) {
  return {o.a * (1 - o.e) * (1 - kOrbitMargin), o.a * (1 + o.e) * (1 + kOrbitMargin)};
}
Extent Speed(const Orbit& o) {  // vis-viva at aphelion and perihelion, AU / day
  const double v = std::sqrt(kSunGm / o.a);
  return {v * std::sqrt((1 - o.e) / (1 + o.e)) * (1 - kOrbitMargin),
          v * std::sqrt((1 + o.e) / (1 - o.e)) * (1 + kOrbitMargin)};
}

// The most a planet's geocentric ecliptic longitude can turn, degrees per
// day. Its direction from the Earth turns at |v_rel| / d radians a day
// (relative velocity across the line of sight over the distance d), and its
// longitude at most that over cos(latitude), the latitude's sine being at
// most r sin(i) / d. Near the Earth the two bodies move nearly alike: with
// theta the angle between their heliocentric directions,
// d^2 >= 2 r r' (1 - cos theta), so 1 - cos theta <= d^2 / (2 q q'); the
// directions of motion then differ by at most 2 asin(sin(i/2) +
// sin(theta/2)) plus each orbit's flight-path angle, asin(e); and |v_rel| is
// largest at the speeds' extremes. Over each of 4000 steps of d, from the
// least distance the radii allow to the greatest, the bound takes the
// largest angle and the least distance of the step.
double PlanetSpeedBound(const Orbit& planet) {
  const Extent rp = Radius(planet), re = Radius(kEarth);
  const Extent vp = Speed(planet), ve = Speed(kEarth);
  const double dLeast = std::max(rp.least - re.most, re.least - rp.most);
  const double dMost = rp.most + re.most;
  const double sinHalfI = std::sin(planet.inclinationDeg * kDegToRad / 2);
  const double flightPath = std::asin(planet.e) + std::asin(kEarth.e);
  constexpr int kSteps = 4000;
  double most = 0.0;
  for (int k = 0; k < kSteps; ++k) {
    const double d0 = dLeast + (dMost - dLeast) * k / kSteps;
    const double d1 = dLeast + (dMost - dLeast) * (k + 1) / kSteps;
    const double oneMinusCos = std::min(2.0, d1 * d1 / (2 * rp.least * re.least));
    const double sinHalfTheta = std::sqrt(oneMinusCos / 2);
    const double turn = 2 * std::asin(std::min(1.0, sinHalfI + sinHalfTheta)) + flightPath;
    const double cosTurn = std::cos(std::min(turn, kPi));
    double vRel = 0.0;
    for (double v1 : {vp.least, vp.most})
      for (double v2 : {ve.least, ve.most})
        vRel = std::max(vRel, std::sqrt(std::max(0.0, v1 * v1 + v2 * v2 - 2 * v1 * v2 * cosTurn)));
    const double sinLat =
        std::min(0.99, rp.most * std::sin(planet.inclinationDeg * kDegToRad) / d0);
    most = std::max(most, vRel / d0 / std::sqrt(1 - sinLat * sinLat));
  }
  // Light-time and aberration change the apparent rate by less than a
  // thousandth.
  return most * kRadToDeg * 1.001;
}

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
const std::array<BodyBound, 7>& Bodies() {
  static const std::array<BodyBound, 7> bodies = {{
      {graha::Sun, {0.94, 1.04}},
      {graha::Moon, {10.0, 16.5}},
      {graha::Mars, {0.0, PlanetSpeedBound(kMars)}},
      {graha::Mercury, {0.0, PlanetSpeedBound(kMercury)}},
      {graha::Jupiter, {0.0, PlanetSpeedBound(kJupiter)}},
      {graha::Venus, {0.0, PlanetSpeedBound(kVenus)}},
      {graha::Saturn, {0.0, PlanetSpeedBound(kSaturn)}},
  }};
  return bodies;
}
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
  for (const BodyBound& b : Bodies()) {
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
  // Beyond the polar circles the library keeps its Ascendant in the eastern
  // half of the sky: where the formula's point sets, the Ascendant jumps half
  // a circle, which no rate bounds. Only minute-by-minute steps are exact.
  if (!(rate.min > 0)) return {kInfinity, 0.0};
  const double perMinute = kDaysPerCentury * kMinutesPerDay;
  PointMotion motion;
  motion.maxDegPerMinute = std::max(std::fabs(rate.min), std::fabs(rate.max)) / perMinute;
  motion.minDegPerMinute = rate.min > 0 ? rate.min / perMinute : 0.0;
  return motion;
}

}  // namespace sarvexa
