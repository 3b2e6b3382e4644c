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

/// Proven bounds on the rates of MoonPosition's longitudes, in degrees per
/// Julian century, for any T within `windowCenturies` of
/// `julianCenturies`, from the series' own terms: the Moon's rate lies in
/// [moonMin, moonMax] (moonMin > 0: the Moon never moves backwards), the
/// node's size is at most nodeMax. Infinite beyond |T| = 100 centuries.
struct MoonRateBounds {
  double moonMin = 0.0;
  double moonMax = 0.0;
  double nodeMax = 0.0;
};
MoonRateBounds MoonRates(double julianCenturies, double windowCenturies) noexcept;

}  // namespace sarvexa
