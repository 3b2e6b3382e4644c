#include "analysis/sa_analysis.h"

#include <cmath>

#include "engine/varga.h"

namespace sarvexa {

namespace {

// Angles go through the shared reduction, which also maps a value that is
// not finite to 0, and every double-to-int conversion through TruncToInt, so
// a damaged record cannot cause undefined behaviour.
double Reduce360(double x) { return ReduceSaAngle(x); }

// Degrees within the sign of a longitude in 0 <= x < 360, equal to
// fmod(x, 30) but without the library call: 30 k is exact and, for k >= 1,
// x lies between 30 k and 2 x 30 k, so the subtraction is exact too.
double DegreesInSign(double x) {
  const double k = std::floor(x * (1.0 / 30.0));
  double r = x - 30.0 * k;
  if (r < 0.0) r += 30.0;  // the quotient rounded up onto a whole number
  if (r >= 30.0) r -= 30.0;
  return r;
}

double Lon(const Horoscope& h, GrahaIndex p) { return h.positions[p].longitude; }

}  // namespace

SignIndex RisingSign(const Horoscope& h) { return SignOfLongitude(Lon(h, graha::Ascendant)); }

bool IsFunctionalMalefic(SignIndex risingSign, GrahaIndex g) {
  if (risingSign < 0 || risingSign > 11 || g < 1 || g > 9) return false;
  return Contains(kFunctionalMalefics[risingSign], g);
}

int closenessPercent(double separationDeg) { return TruncToInt((5.0 - separationDeg) * 20.0); }

HouseMeps FindHouseMeps(double ascendantDeg, const std::array<double, graha::kCount>& lon,
                        bool inRange) {
  HouseMeps r;
  r.mep[0] = ascendantDeg;
  for (int k = 1; k < 12; ++k) {
    r.mep[k] = r.mep[k - 1] + 30.0;
    if (r.mep[k] > 360.0) r.mep[k] -= 360.0;
  }
  r.house.fill(-1);
  if (inRange) {
    // MEP k lies within a few units in the last place of Ascendant + 30 k
    // (mod 360), so a graha within 5 degrees of it lies within 15 degrees of
    // that point: k is the nearest multiple of 30 past the Ascendant, and the
    // wide margin leaves no room for rounding to pick another house.
    for (GrahaIndex g = 1; g <= 9; ++g) {
      double ahead = lon[g] - ascendantDeg;
      if (ahead < 0.0) ahead += 360.0;
      int k = static_cast<int>((ahead + 15.0) * (1.0 / 30.0));
      if (k >= 12) k -= 12;
      const double s = SeparationInRange(r.mep[k], lon[g]);
      if (s <= kSaOrbDeg) {
        r.house[g - 1] = k;
        r.strength[g - 1] = closenessPercent(s);
      }
    }
  } else {
    for (int k = 0; k < 12; ++k) {
      for (GrahaIndex g = 1; g <= 9; ++g) {
        const double s = circularSeparation(r.mep[k], lon[g]);
        if (s <= kSaOrbDeg) {
          r.house[g - 1] = k;
          r.strength[g - 1] = closenessPercent(s);
        }
      }
    }
  }
  return r;
}

int signDegreeCloseness(const Horoscope& h, GrahaIndex a, GrahaIndex b) {
  if (a < 0 || a >= graha::kCount || b < 0 || b >= graha::kCount) return 0;
  const double d = std::fabs(std::fmod(Lon(h, a), 30.0) - std::fmod(Lon(h, b), 30.0));
  return d < 5.0 ? TruncToInt((5.0 - d) * 20.0) : 0;
}

namespace {

// The analysis proper. A calculated chart has every longitude in 0 <= x < 360
// (kInRange): then every separation takes SeparationInRange, and a graha
// can only stand on the house MEP nearest to it, so that one house is tried
// instead of all twelve. A loaded record may hold anything (not finite, out
// of range); it takes the general separation against every house.
template <bool kInRange>
void AnalyseChartPoints(const Horoscope& h, SaAnalysis& r) {
  using namespace SaFlags;
  auto sep = [](double x, double y) {
    if constexpr (kInRange) {
      return SeparationInRange(x, y);
    } else {
      return circularSeparation(x, y);
    }
  };

  std::array<double, graha::kCount> lon;
  SignIndex sign[graha::kCount];
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    lon[g] = Lon(h, g);
    sign[g] = SignOfLongitude(lon[g]);
  }
  const SignIndex rising = sign[graha::Ascendant];
  const GrahaSet malefics = kFunctionalMalefics[rising];
  auto malefic = [&](GrahaIndex g) { return Contains(malefics, g); };

  // 1. Flags start clear.
  r.flags.fill(0);

  // 2. House MEPs and the house MEP each graha stands on.
  const HouseMeps houses = FindHouseMeps(lon[graha::Ascendant], lon, kInRange);
  r.mep = houses.mep;
  r.houseConjunction = houses.house;
  r.houseConjunctionStrength = houses.strength;

  // 3. Conjunctions between grahas; a malefic within 1 degree afflicts. The
  //    separation is the same both ways round, so each pair is measured once
  //    (the Sun's row also serves the combustion test below).
  double sunSeparation[graha::kCount] = {};
  r.conjunctions.fill(0);
  for (GrahaIndex g = 1; g <= 9; ++g) {
    for (GrahaIndex k = g + 1; k <= 9; ++k) {
      const double s = sep(lon[g], lon[k]);
      if (g == graha::Sun) sunSeparation[k] = s;
      if (s <= kSaOrbDeg) {
        r.conjunctions[g] |= GrahaBit(k);
        r.conjunctions[k] |= GrahaBit(g);
        if (s <= kSaAfflictionOrbDeg) {
          if (malefic(k)) r.flags[g] |= Afflicted;
          if (malefic(g)) r.flags[k] |= Afflicted;
        }
      }
    }
  }

  // 4. Aspects. The 180-degree aspect is cast only by Sun..Saturn and only on
  //    the Ascendant and Sun..Saturn; the nodes neither cast nor receive it.
  r.aspects.fill(0);
  for (GrahaIndex g = 1; g <= 9; ++g) {
    const AspectAngleList& list = kAspectAngles[g];
    const bool afflicts = malefic(g);
    for (int i = 0; i < list.count; ++i) {
      const int angle = list.angles[i];
      if (angle == 180 && g > graha::Saturn) continue;
      const GrahaIndex last = angle == 180 ? graha::Saturn : graha::Ketu;
      const double target = Reduce360(lon[g] + angle);
      for (GrahaIndex p = 0; p <= last; ++p) {
        if (p == g) continue;
        const double s = sep(target, lon[p]);
        if (s <= kSaOrbDeg) {
          r.aspects[p] |= GrahaBit(g);
          if (afflicts && s <= kSaAfflictionOrbDeg) r.flags[p] |= Afflicted;
        }
      }
    }
  }

  // 5. Combustion: strictly within the distance.
  for (GrahaIndex g = graha::Moon; g <= graha::Saturn; ++g) {
    if (sunSeparation[g] < kCombustionDistances[g]) {
      r.flags[g] |= Combust;
      if (malefic(graha::Sun)) r.flags[g] |= Afflicted;
    }
  }

  // 6. Placement in the 6th, 8th or 12th house counted by signs.
  for (GrahaIndex g = 1; g <= 9; ++g) {
    int house = sign[g] - rising;
    if (house < 0) house += 12;
    house += 1;
    if (house == 6 || house == 8 || house == 12) r.flags[g] |= BadPlacement | Afflicted;
  }

  // 7. Debilitation in the Rashi and in the Navamsa.
  for (GrahaIndex g = 1; g <= 9; ++g) {
    if (sign[g] == kDebilitationSigns[g]) r.flags[g] |= DebilitatedInRashi | Afflicted;
    if (VargaSignOf(lon[g], 9) == kDebilitationSigns[g]) {
      r.flags[g] |= DebilitatedInNavamsa | Afflicted;
    }
  }

  // 8. Infancy (first 5 degrees of a sign) and old age (last 5 degrees). The
  //    whole degrees decide, the fractional degrees give the strength; the
  //    strength is kept in 0..100 even if a loaded record's whole degrees
  //    disagree with its longitude.
  for (GrahaIndex g = 1; g <= 9; ++g) {
    const int w = h.positions[g].signDegrees;
    auto clampPercent = [](int v) { return v < 0 ? 0 : (v > 100 ? 100 : v); };
    if (w < 5) {
      const double x = DegreesInSign(Reduce360(lon[g]));
      r.flags[g] |= Infancy | Afflicted;
      r.ageStrength[g] = clampPercent(TruncToInt((5.0 - x) * 20.0));
    } else if (w >= 25) {
      const double x = DegreesInSign(Reduce360(lon[g]));
      r.flags[g] |= OldAge | Afflicted;
      r.ageStrength[g] = clampPercent(TruncToInt((x - 25.0) * 20.0));
    }
  }

  // 9. Own sign and weak dispositor, repeated so that affliction spreads
  //    along chains of dispositors: each pass sees the previous passes'
  //    flags. A pass that changes nothing leaves every later pass nothing to
  //    change either, so the passes stop there.
  for (int pass = 0; pass < 8; ++pass) {
    bool changed = false;
    for (GrahaIndex g = graha::Sun; g <= graha::Saturn; ++g) {
      const SignIndex s = sign[g];
      const GrahaIndex lord = kSignLords[s];
      const std::int32_t before = r.flags[g];
      if (lord == g) {
        r.flags[g] |= OwnSign;
      } else if (s == kMooltrikonaSigns[lord] && (r.flags[lord] & Afflicted) != 0) {
        r.flags[g] |= WeakDispositor | Afflicted;
      }
      changed = changed || r.flags[g] != before;
    }
    if (!changed) break;
  }

  // 10. Colour classes: a functional malefic is class 1 afflicted or not.
  r.colorClass[0] = ColorClass::None;
  for (GrahaIndex g = 1; g <= 9; ++g) {
    if (malefic(g)) {
      r.colorClass[g] = ColorClass::Malefic;
    } else if ((r.flags[g] & Afflicted) != 0) {
      r.colorClass[g] = ColorClass::AfflictedBenefic;
    } else {
      r.colorClass[g] = ColorClass::Benefic;
    }
  }
}

}  // namespace

SaAnalysis AnalyseChart(const Horoscope& h) {
  SaAnalysis r;
  bool inRange = true;
  for (const GrahaPosition& p : h.positions) {
    inRange = inRange && p.longitude >= 0.0 && p.longitude < 360.0;
  }
  if (inRange) {
    AnalyseChartPoints<true>(h, r);
  } else {
    AnalyseChartPoints<false>(h, r);
  }
  return r;
}

}  // namespace sarvexa
