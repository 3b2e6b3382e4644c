#pragma once
// Ordering of the chart points by longitude and the number of points in each
// house counted by signs from the Ascendant, for laying out charts and lists.

#include <array>

#include "engine/horoscope.h"

namespace sarvexa {

/// The GrahaIndex values 0..9 in ascending order of longitude. The order is
/// stable: equal longitudes keep GrahaIndex order (the Ascendant first).
std::array<GrahaIndex, graha::kCount> SortByLongitude(const Horoscope& h);

/// Entry k = number of the ten points (Ascendant included) in house k + 1,
/// houses counted by signs from the Ascendant's sign. The entries add up to 10.
std::array<int, 12> CountPerHouse(const Horoscope& h);

}  // namespace sarvexa
