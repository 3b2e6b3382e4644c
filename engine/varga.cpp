#include "engine/varga.h"

#include <cmath>
#include <cstdlib>

#include "engine/calendar.h"

namespace sarvexa {

namespace {

// Charts loaded from a file are taken as stored; reducing here keeps every
// sign inside 0..11 whatever the record holds.
double ReducedLongitude(double lonDeg) {
  // A calculated chart's longitude needs no reduction: below 360 the
  // quotient lonDeg / 360 stays below 1, so the general formula returns
  // lonDeg itself.
  if (lonDeg >= 0.0 && lonDeg < 360.0) return lonDeg;
  if (!std::isfinite(lonDeg)) return 0.0;
  double r = lonDeg - 360.0 * std::floor(lonDeg / 360.0);
  if (r >= 360.0 || r < 0.0) r = 0.0;
  return r;
}

}  // namespace

bool IsSupportedDivision(int n) { return (n >= 2 && n <= 12) || n == 24; }

int VargaSignOf(double longitudeDeg, int n) {
  if (!IsSupportedDivision(n)) return -1;
  const double lon = ReducedLongitude(longitudeDeg);
  const WholeAndMinutes split = SplitDegrees(lon);
  const int g = split.whole;             // whole degrees 0..359
  const int s = g / 30;                  // Rashi sign
  const int x = g % 30;                  // whole degrees within the sign
  const int a = g * 60 + split.minutes;  // whole arc-minutes from 0 Aries
  const int w = a % 1800;                // arc-minutes within the sign

  switch (n) {
    case 2:
      if (x >= 15) return s % 2 == 0 ? 3 : 4;
      return s % 2 == 0 ? 4 : 3;
    case 3:
      return (s + 4 * (x / 10)) % 12;
    case 4:
      return (a / 1800 + 3 * (w / 450)) % 12;
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
      // Parts of 1800 / n whole arc-minutes counted on from Aries; for 7 the
      // part is 257, so the parts drift against the sign boundaries.
      return (a / (1800 / n)) % 12;
    case 10:
      return (a / 1800 + w / 180 + 8 * ((a / 1800) % 2)) % 12;
    case 11: {
      // Taken from the unsplit longitude with this constant (not 11/30); the
      // parts run backwards from the sign before s.
      const int k =
          static_cast<int>(std::trunc(std::fabs(std::fmod(lon, 30.0) * 0.36666666666662995)));
      int r = ((s - 1) % 12) - k;
      if (r < 0) r += 12;
      return r % 12;
    }
    case 12:
      return (w / 150 + s) % 12;
    case 24:
      return (w / 75 - (s % 2) + 4) % 12;
    default:
      return -1;
  }
}

void VargaSigns(const Horoscope& h, VargaSignArray& out, int n) {
  if (!IsSupportedDivision(n)) return;
  for (int i = 0; i < graha::kCount; ++i) out[i] = VargaSignOf(h.positions[i].longitude, n);
}

VargaSignArray RashiSignsOf(const Horoscope& chart) {
  VargaSignArray signs{};
  for (std::size_t g = 0; g < signs.size(); ++g) {
    const double lon = chart.positions[g].longitude;
    signs[g] =
        std::isfinite(lon) ? (((static_cast<int>(std::floor(lon / 30.0)) % 12) + 12) % 12) : 0;
  }
  return signs;
}

VargaSignArray DivisionalSigns(const Horoscope& chart, int division) {
  // An unsupported division (which VargaSigns leaves untouched) gives the
  // Rashi signs, so the signs are always valid.
  if (!IsSupportedDivision(division)) return RashiSignsOf(chart);
  VargaSignArray signs{};
  VargaSigns(chart, signs, division);
  return signs;
}

}  // namespace sarvexa
