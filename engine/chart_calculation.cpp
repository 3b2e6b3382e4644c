// Sidereal chart from tropical positions: the Lahiri correction, the
// Ascendant from the local sidereal time, and the one-day look-back that gives
// each graha its daily motion and retrograde flag.

#include "engine/chart_calculation.h"

#include <cmath>

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

inline double FiniteOrZero(double x) { return std::isfinite(x) ? x : 0.0; }

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
  const double omega = 125.044555 - 1934.1361849 * T;
  const double L = 280.466449 + 36000.7698231 * T;
  return (17.23 * std::sin(omega * kDegToRad) + 1.27 * std::sin(L * kDegToRad) -
          T * (1.11 * T + 5025.64) - 85886.27) *
         kInverse3600;
}

double TropicalAscendant(double T, double ut, double lonDeg, double latDeg) noexcept {
  // Local sidereal time as an angle; 246.697... hours carry ten whole turns.
  double theta = (2400.0513 * T + ut + 246.697374558) * 15.0 - lonDeg;
  theta = ReduceDegrees(theta) * kDegToRad;
  const double eps = (23.439291 - 0.0130042 * T) * kDegToRad;
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
  StoreLongitude(asc,
                 ReduceDegrees(TropicalAscendant(T, h.universalTime, h.longitude, h.latitude) + c));
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
    StoreLongitude(p, ReduceDegrees(c + P[k] + kHalfMinute));
    p.dailyMotion = FiniteOrZero(d);
  }

  const MoonAndNode now = MoonPosition(T);
  const MoonAndNode before = MoonPosition(Tprev);

  GrahaPosition& moon = h.positions[graha::Moon];
  StoreLongitude(moon, ReduceDegrees(now.moon + c + kHalfMinute));
  double dm = now.moon - before.moon;
  if (std::fabs(dm) > 20.0) dm += 360.0;  // the Moon only moves forward
  moon.dailyMotion = FiniteOrZero(dm);

  GrahaPosition& rahu = h.positions[graha::Rahu];
  const double r = ReduceDegrees(now.node + c + kHalfMinute);
  StoreLongitude(rahu, r);
  const double dn = FiniteOrZero(OneDayChange(now.node, before.node, 5.0));
  rahu.dailyMotion = dn;

  GrahaPosition& ketu = h.positions[graha::Ketu];
  StoreLongitude(ketu, ReduceDegrees(r + 180.0));
  ketu.dailyMotion = dn;
}

}  // namespace sarvexa
