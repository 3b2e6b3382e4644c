#include "analysis/sa_transits.h"

#include <algorithm>
#include <cmath>

#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/numeric.h"

namespace sarvexa {

namespace {

double Reduce360(double x) { return ReduceSaAngle(x); }

}  // namespace

namespace {

// The comparison proper. When both charts hold every longitude in
// 0 <= x < 360 (kInRange) each separation takes the short form, which gives
// the same value, and a transiting graha can stand only on the natal MEP
// nearest to it; other records take the general separation against every
// house.
template <bool kInRange>
void CompareCharts(const Horoscope& natal, const Horoscope& transit, SaTransitAnalysis& r) {
  auto sep = [](double x, double y) {
    if constexpr (kInRange) {
      return SeparationInRange(x, y);
    } else {
      return circularSeparation(x, y);
    }
  };
  std::array<double, graha::kCount> natalLon;
  std::array<double, graha::kCount> transitLon;
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    natalLon[g] = natal.positions[g].longitude;
    transitLon[g] = transit.positions[g].longitude;
  }

  // 1. Natal house MEPs and the house each transiting graha stands on.
  const HouseMeps houses = FindHouseMeps(natalLon[graha::Ascendant], transitLon, kInRange);
  r.mep = houses.mep;
  r.transitHouse.fill(-1);
  std::copy(houses.house.begin(), houses.house.end(), r.transitHouse.begin());
  std::copy(houses.strength.begin(), houses.strength.end(), r.transitHouseStrength.begin());

  // 2. Conjunctions with natal grahas, its own natal place included.
  r.natalConjunctions.fill(0);
  for (GrahaIndex t = 1; t <= 9; ++t) {
    for (GrahaIndex n = 1; n <= 9; ++n) {
      if (sep(transitLon[t], natalLon[n]) <= kSaOrbDeg) {
        r.natalConjunctions[t - 1] |= GrahaBit(n);
      }
    }
  }

  // 3. Aspects on natal grahas. Here the 180-degree aspect of Sun..Saturn
  //    falls on the natal nodes too.
  r.natalAspects.fill(0);
  for (GrahaIndex t = 1; t <= 9; ++t) {
    const AspectAngleList& list = kAspectAngles[t];
    for (int i = 0; i < list.count; ++i) {
      const double target = Reduce360(transitLon[t] + list.angles[i]);
      for (GrahaIndex n = 1; n <= 9; ++n) {
        if (sep(target, natalLon[n]) <= kSaOrbDeg) {
          r.natalAspects[t - 1] |= GrahaBit(n);
        }
      }
    }
  }
}

bool AllInRange(const Horoscope& h) {
  bool inRange = true;
  for (const GrahaPosition& p : h.positions) {
    inRange = inRange && p.longitude >= 0.0 && p.longitude < 360.0;
  }
  return inRange;
}

}  // namespace

SaTransitAnalysis AnalyseTransits(const Horoscope& natal, const Horoscope& transit) {
  SaTransitAnalysis r;
  if (AllInRange(natal) && AllInRange(transit)) {
    CompareCharts<true>(natal, transit, r);
  } else {
    CompareCharts<false>(natal, transit, r);
  }
  return r;
}

}  // namespace sarvexa
