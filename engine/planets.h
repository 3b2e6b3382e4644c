#pragma once
// The Sun and the five planets from mean Keplerian elements: tropical
// geocentric ecliptic longitudes, mean equinox of date.

#include <array>

namespace sarvexa {

/// Order of the bodies in a PlanetLongitudes array (not GrahaIndex order).
namespace body {
inline constexpr int Sun = 0;
inline constexpr int Mercury = 1;
inline constexpr int Venus = 2;
inline constexpr int Mars = 3;
inline constexpr int Jupiter = 4;
inline constexpr int Saturn = 5;
inline constexpr int kCount = 6;
}  // namespace body

/// Tropical longitudes in degrees (0 <= x < 360): Sun, Mercury, Venus, Mars,
/// Jupiter, Saturn.
using PlanetLongitudes = std::array<double, body::kCount>;

/// Number of Newton steps applied to Kepler's equation (no convergence test).
inline constexpr int kKeplerSteps = 10;

/// Eccentric anomaly E (degrees) with its sine and cosine.
struct KeplerSolution {
  double eccentricAnomalyDeg = 0.0;
  double sinE = 0.0;
  double cosE = 1.0;
};

/// Kepler's equation E - e sin E = M in degrees, from E = M by exactly
/// kKeplerSteps Newton steps E -= (E - e sin E * 180/pi - M) / (1 - e cos E).
/// Steps after one that leaves E unchanged are skipped, which cannot alter
/// the result.
KeplerSolution SolveKepler(double meanAnomalyDeg, double eccentricity) noexcept;

/// The six bodies at T Julian centuries (UT) from JD 2451545.0. Ten fixed
/// Newton steps solve Kepler's equation; Jupiter and Saturn get their chief
/// mutual perturbations.
PlanetLongitudes PlanetPositions(double julianCenturies) noexcept;

/// One body of PlanetPositions (index in `body`), bit for bit the same
/// longitude, without working out the other planets (the Sun still is: it
/// moves every planet to the Earth). 0 for an index outside 0..5.
double PlanetLongitude(int bodyIndex, double julianCenturies) noexcept;

/// Proven bounds on the rate of a longitude, degrees per Julian century:
/// min <= d(longitude)/dT <= max (an infinite pair when nothing is known).
struct LongitudeRateBounds {
  double min = 0.0;
  double max = 0.0;
};

/// How fast the geocentric longitude of PlanetPositions for `bodyIndex` can
/// change for any T within `windowCenturies` of `julianCenturies`, from the
/// Keplerian elements themselves (orbital speeds, the radii the orbits
/// allow, the drift of the elements and Jupiter's and Saturn's terms).
/// The Sun's minimum is positive: it never moves backwards. For the planets
/// the pair is symmetric. Unbounded (infinite) for |T| beyond 100 centuries,
/// where the elements no longer describe orbits.
LongitudeRateBounds PlanetRateBounds(int bodyIndex, double julianCenturies,
                                     double windowCenturies) noexcept;

}  // namespace sarvexa
