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

}  // namespace sarvexa
