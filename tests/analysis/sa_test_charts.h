#pragma once
// Constructed charts for the SA tests.

#include <array>
#include <cmath>

#include "engine/horoscope.h"

namespace sarvexa::test {

// Gemini rising at 2 degrees; every graha between 10 and 24 degrees of its
// sign, more than 5 degrees from every MEP, conjunction and aspect point, in
// a good house, neither debilitated (Rashi or Navamsa), combust nor in its
// own sign: the analysis finds nothing.
inline constexpr std::array<double, 10> kNeutral = {62.0, 345.5, 17.5,  83.5,  103.5,
                                                    77.5, 323.5, 113.5, 190.5, 10.5};

// A chart with the longitudes given, keyed by GrahaIndex, and whole degrees
// and minutes within the sign as the chart calculation stores them.
inline Horoscope Chart(const std::array<double, 10>& lons) {
  Horoscope h;
  for (int i = 0; i < 10; ++i) {
    GrahaPosition& p = h.positions[i];
    p.longitude = lons[i];
    const double whole = std::trunc(lons[i]);
    p.signDegrees = static_cast<std::int16_t>(static_cast<int>(whole) % 30);
    p.minutes = static_cast<std::int16_t>(std::trunc((lons[i] - whole) * 60.0));
  }
  return h;
}

}  // namespace sarvexa::test
