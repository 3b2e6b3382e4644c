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

/// The six bodies at T Julian centuries (UT) from JD 2451545.0. Ten fixed
/// Newton steps solve Kepler's equation; Jupiter and Saturn get their chief
/// mutual perturbations.
PlanetLongitudes PlanetPositions(double julianCenturies) noexcept;

}  // namespace sarvexa
