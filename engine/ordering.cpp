#include "engine/ordering.h"

#include <cmath>

namespace sarvexa {

namespace {

// trunc(longitude x 1/30) as the house count takes it; a value that is not
// finite or far out of range gets a sign no real point has, instead of
// undefined behaviour in the conversion.
long long SignKey(double lonDeg) {
  const double v = std::trunc(lonDeg * 0.03333333333333333);
  if (!std::isfinite(v) || std::fabs(v) > 1e15) return -1000000;
  return static_cast<long long>(v);
}

}  // namespace

std::array<GrahaIndex, graha::kCount> SortByLongitude(const Horoscope& h) {
  std::array<GrahaIndex, graha::kCount> order{};
  for (int i = 0; i < graha::kCount; ++i) {
    const GrahaIndex next = i;
    const double lon = h.positions[next].longitude;
    int j = i;
    // Insertion moves past strictly greater longitudes only, so equal ones
    // keep GrahaIndex order.
    while (j > 0 && h.positions[order[j - 1]].longitude > lon) {
      order[j] = order[j - 1];
      --j;
    }
    order[j] = next;
  }
  return order;
}

std::array<int, 12> CountPerHouse(const Horoscope& h) {
  std::array<int, 12> counts{};
  long long a = SignKey(h.positions[graha::Ascendant].longitude);
  for (int k = 0; k < 12; ++k) {
    for (int i = 0; i < graha::kCount; ++i) {
      if (SignKey(h.positions[i].longitude) == a) ++counts[k];
    }
    a = a + 1;
    if (a > 11) a = 0;
  }
  return counts;
}

}  // namespace sarvexa
