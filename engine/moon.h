#pragma once
// The Moon and its true ascending node (Rahu) from a truncated trigonometric
// lunar series: tropical geocentric ecliptic longitudes, mean equinox of date.

namespace sarvexa {

/// Tropical longitudes of the Moon and of its true ascending node.
struct MoonAndNode {
  double moon = 0.0;  ///< degrees, 0 <= x < 360
  double node = 0.0;  ///< degrees, 0 <= x < 360 (Rahu before the ayanamsa)
};

/// Moon and true node at T Julian centuries (UT) from JD 2451545.0.
/// Accurate to a few hundredths of a degree over the years 1700..2300.
MoonAndNode MoonPosition(double julianCenturies) noexcept;

}  // namespace sarvexa
