// Sidereal chart from tropical positions: the Lahiri correction, the
// Ascendant from the local sidereal time, and the one-day look-back that gives
// each graha its daily motion and retrograde flag.

#include "engine/chart_calculation.h"

#include <cmath>
#include <limits>

#include "engine/moon.h"
#include "engine/numeric.h"
#include "engine/planets.h"

namespace sarvexa {
namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kPi = 3.141592653589793;
constexpr double kInverse3600 = 0.0002777777777777778;
// Half an arc-minute, so that the truncated minutes shown for a graha are its
// true minutes rounded.
constexpr double kHalfMinute = 0.008333333333333333;

// Where each of the six Keplerian bodies goes in the chart.
constexpr GrahaIndex kBodySlot[body::kCount] = {graha::Sun,  graha::Mercury, graha::Venus,
                                                graha::Mars, graha::Jupiter, graha::Saturn};

// The ayanamsa correction: arc-seconds 17.23 sin(Omega) + 1.27 sin(L) -
// T (1.11 T + 5025.64) - 85886.27 with Omega and L linear in T (degrees).
constexpr double kLunarNodeAtEpoch = 125.044555, kLunarNodeRate = -1934.1361849;
constexpr double kSunLongitudeAtEpoch = 280.466449, kSunLongitudeRate = 36000.7698231;
constexpr double kNodeTermArcsec = 17.23, kSunTermArcsec = 1.27;
constexpr double kPrecessionArcsec = 5025.64, kPrecessionGrowthArcsec = 1.11;
constexpr double kAyanamsaAtEpochArcsec = 85886.27;

// Local sidereal time: (2400.0513 T + UT + 246.697374558) hours, and the
// obliquity 23.439291 - 0.0130042 T degrees.
constexpr double kSiderealHoursPerCentury = 2400.0513;
constexpr double kSiderealHoursAtEpoch = 246.697374558;
constexpr double kObliquityAtEpoch = 23.439291, kObliquityRate = -0.0130042;

inline double FiniteOrZero(double x) { return std::isfinite(x) ? x : 0.0; }

// The sidereal longitudes as CalculateHoroscope stores them: the Ascendant
// without, the grahas with the half arc-minute (the sums in this order).
inline double SiderealAscendant(const Horoscope& h, double correction) {
  return ReduceDegrees(
      TropicalAscendant(h.julianCenturies, h.universalTime, h.longitude, h.latitude) + correction);
}
inline double SiderealPlanet(double correction, double tropical) {
  return ReduceDegrees(correction + tropical + kHalfMinute);
}
inline double SiderealMoonOrNode(double tropical, double correction) {
  return ReduceDegrees(tropical + correction + kHalfMinute);
}
inline double Opposite(double lon) { return ReduceDegrees(lon + 180.0); }

// Stores an already reduced longitude with its degrees within the sign and
// its truncated minutes.
void StoreLongitude(GrahaPosition& p, double lon) {
  p.longitude = lon;
  const std::int32_t whole = TruncToInt(lon);
  p.signDegrees = static_cast<std::int16_t>(whole % 30);
  // A fraction within an ulp of 1 could round up to 60 in the product.
  const std::int16_t minutes = TruncToInt16((lon - whole) * 60.0);
  p.minutes = minutes > 59 ? std::int16_t{59} : minutes;
}

}  // namespace

double OneDayChange(double now, double dayBefore, double limitDeg) noexcept {
  // A real daily change is far below the limit, so a larger one has wrapped.
  double d = (now + 360.0) - (dayBefore + 360.0);
  if (std::fabs(d) > limitDeg) d = d < 0 ? d + 360.0 : d - 360.0;
  return d;
}

double ComputeAyanamsaCorrection(double T) noexcept {
  const double omega = kLunarNodeAtEpoch + kLunarNodeRate * T;
  const double L = kSunLongitudeAtEpoch + kSunLongitudeRate * T;
  return (kNodeTermArcsec * std::sin(omega * kDegToRad) + kSunTermArcsec * std::sin(L * kDegToRad) -
          T * (kPrecessionGrowthArcsec * T + kPrecessionArcsec) - kAyanamsaAtEpochArcsec) *
         kInverse3600;
}

double TropicalAscendant(double T, double ut, double lonDeg, double latDeg) noexcept {
  // Local sidereal time as an angle; 246.697... hours carry ten whole turns.
  double theta = (kSiderealHoursPerCentury * T + ut + kSiderealHoursAtEpoch) * 15.0 - lonDeg;
  theta = ReduceDegrees(theta) * kDegToRad;
  const double eps = (kObliquityAtEpoch + kObliquityRate * T) * kDegToRad;
  const double phi = latDeg * kDegToRad;
  const double st = std::sin(theta), ct = std::cos(theta);
  double A = std::atan2(ct, -(std::cos(eps) * st) - std::tan(phi) * std::sin(eps));
  if (A < 0) A += kPi;
  if (ct < 0) A += kPi;
  return A * kRadToDeg;
}

void CalculateHoroscope(Horoscope& h) noexcept {
  const double T = h.julianCenturies;
  const double c = ComputeAyanamsaCorrection(T);
  h.ayanamsaCorrection = FiniteOrZero(c);

  GrahaPosition& asc = h.positions[graha::Ascendant];
  StoreLongitude(asc, SiderealAscendant(h, c));
  asc.retrograde = 0;

  const double Tprev = T - kOneDayInCenturies;
  const PlanetLongitudes P = PlanetPositions(T);
  const PlanetLongitudes Q = PlanetPositions(Tprev);

  for (int i = 1; i < graha::kCount; ++i) h.positions[i].retrograde = 0;
  for (int k = 0; k < body::kCount; ++k) {
    const double d = OneDayChange(P[k], Q[k], 20.0);
    GrahaPosition& p = h.positions[kBodySlot[k]];
    // A standstill (d == 0) is not retrograde; the Sun never is.
    if (k != body::Sun && d < 0) p.retrograde = 1;
    StoreLongitude(p, SiderealPlanet(c, P[k]));
    p.dailyMotion = FiniteOrZero(d);
  }

  const MoonAndNode now = MoonPosition(T);
  const MoonAndNode before = MoonPosition(Tprev);

  GrahaPosition& moon = h.positions[graha::Moon];
  StoreLongitude(moon, SiderealMoonOrNode(now.moon, c));
  double dm = now.moon - before.moon;
  if (std::fabs(dm) > 20.0) dm += 360.0;  // the Moon only moves forward
  moon.dailyMotion = FiniteOrZero(dm);

  GrahaPosition& rahu = h.positions[graha::Rahu];
  const double r = SiderealMoonOrNode(now.node, c);
  StoreLongitude(rahu, r);
  const double dn = FiniteOrZero(OneDayChange(now.node, before.node, 5.0));
  rahu.dailyMotion = dn;

  GrahaPosition& ketu = h.positions[graha::Ketu];
  StoreLongitude(ketu, Opposite(r));
  ketu.dailyMotion = dn;
}

void SiderealLongitudes(const Horoscope& h, PointSet points, PointLongitudes& out) noexcept {
  const double T = h.julianCenturies;
  const double c = ComputeAyanamsaCorrection(T);
  if (points & PointBit(graha::Ascendant)) out[graha::Ascendant] = SiderealAscendant(h, c);
  for (int k = 0; k < body::kCount; ++k) {
    const GrahaIndex g = kBodySlot[k];
    if (points & PointBit(g))
      out[static_cast<std::size_t>(g)] = SiderealPlanet(c, PlanetLongitude(k, T));
  }
  constexpr PointSet kLunar = PointBit(graha::Moon) | PointBit(graha::Rahu) | PointBit(graha::Ketu);
  if (points & kLunar) {
    const MoonAndNode now = MoonPosition(T);
    out[graha::Moon] = SiderealMoonOrNode(now.moon, c);
    out[graha::Rahu] = SiderealMoonOrNode(now.node, c);
    out[graha::Ketu] = Opposite(out[graha::Rahu]);
  }
}

double AyanamsaCorrectionRateBound(double T, double windowCenturies) noexcept {
  const double tau = std::fabs(T) + windowCenturies;
  if (!std::isfinite(tau) || !(windowCenturies >= 0.0))
    return std::numeric_limits<double>::infinity();
  // The derivative of each term of the correction, at its largest.
  const double arcsecPerCentury = kNodeTermArcsec * std::fabs(kLunarNodeRate) * kDegToRad +
                                  kSunTermArcsec * std::fabs(kSunLongitudeRate) * kDegToRad +
                                  kPrecessionArcsec + 2 * kPrecessionGrowthArcsec * tau;
  return arcsecPerCentury * kInverse3600;
}

LongitudeRateBounds AscendantRates(double T, double latDeg, double windowCenturies) noexcept {
  const double tau = std::fabs(T) + windowCenturies;
  if (!std::isfinite(tau) || !(windowCenturies >= 0.0)) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    return {-kInfinity, kInfinity};
  }
  const double eps = kObliquityAtEpoch + kObliquityRate * T;
  const double epsStep = std::fabs(kObliquityRate) * windowCenturies;
  // The local sidereal angle turns 15 degrees per hour of Universal Time
  // plus the sidereal-time term of T, per century of birth time.
  AscendantMotion motion;
  motion.latDeg = latDeg;
  motion.obliquityLowDeg = eps - epsStep;
  motion.obliquityHighDeg = eps + epsStep;
  motion.obliquityRate = std::fabs(kObliquityRate);
  motion.siderealRate = 15.0 * (kSiderealHoursPerCentury + 24.0 * 36525.0);
  motion.ayanamsaRate = AyanamsaCorrectionRateBound(T, windowCenturies);
  return AscendantRateBounds(motion);
}

LongitudeRateBounds AscendantRateBounds(const AscendantMotion& m) noexcept {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const LongitudeRateBounds none{-kInfinity, kInfinity};
  const double latDeg = m.latDeg;
  if (!std::isfinite(latDeg) || !(std::fabs(latDeg) < 89.0) || !std::isfinite(m.obliquityLowDeg) ||
      !std::isfinite(m.obliquityHighDeg) || !(m.obliquityLowDeg <= m.obliquityHighDeg)) {
    return none;
  }
  // With y = cos(theta), x = -(cos(eps) sin(theta) + k), k = tan(phi) sin(eps),
  // the Ascendant is the angle of (x, y), and
  //   dA/dtheta = N / D, N = cos(eps) + k sin(theta),
  //   D = x^2 + y^2 = 1 + k^2 + 2 k cos(eps) s - sin^2(eps) s^2 with s = sin(theta).
  // D is concave in s: on [-1, 1] it is smallest at an end, (cos(eps) - |k|)^2,
  // and never above its peak 1 + tan^2(phi). N lies in cos(eps) -+ |k|. Where
  // cos(eps) > |k| (inside the polar circles) A only increases with theta.
  // dA/deps = -y (sin(eps) sin(theta) - tan(phi) cos(eps)) / D.
  const double tanPhi = std::fabs(std::tan(latDeg * kDegToRad));
  const double cos2Phi = 1.0 / (1.0 + tanPhi * tanPhi);
  const double epsLo = m.obliquityLowDeg * kDegToRad, epsHi = m.obliquityHighDeg * kDegToRad;
  // cos(eps) - |k| falls as eps grows.
  const double fLo = std::cos(epsHi) - tanPhi * std::sin(epsHi);
  const double fHi = std::cos(epsLo) - tanPhi * std::sin(epsLo);
  const double fMin = fLo > 0 ? fLo : (fHi < 0 ? -fHi : 0.0);
  // Near a polar circle the Ascendant turns arbitrarily fast and its formula
  // loses its digits; no bound is claimed there.
  if (!(fMin > 1e-3)) return none;
  const double nMax = std::cos(epsLo) + tanPhi * std::sin(epsHi);
  const double dMin = fMin * fMin;
  const double byTheta = nMax / dMin;
  const double byEps = (std::sin(epsHi) + tanPhi * std::cos(epsLo)) / dMin;
  const double others = m.obliquityRate * byEps + m.ayanamsaRate;
  if (!std::isfinite(others) || !std::isfinite(m.siderealRate)) return none;
  // A margin for the rounding of these sums.
  constexpr double kMargin = 1.000001;
  const double max = (m.siderealRate * byTheta + others) * kMargin;
  if (fLo > 0) {
    const double min = (m.siderealRate * fLo * cos2Phi - others) / kMargin;
    if (min > 0) return {min, max};
  }
  return {-max, max};
}

}  // namespace sarvexa
