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
  if (r < 0.0) r += 30.0;        // the quotient rounded up onto a whole number
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

int signDegreeCloseness(const Horoscope& h, GrahaIndex a, GrahaIndex b) {
  if (a < 0 || a >= graha::kCount || b < 0 || b >= graha::kCount) return 0;
  const double d = std::fabs(std::fmod(Lon(h, a), 30.0) - std::fmod(Lon(h, b), 30.0));
  return d < 5.0 ? TruncToInt((5.0 - d) * 20.0) : 0;
}

SaAnalyzer::SaAnalyzer(const Horoscope& h, SaAnalysis& result) { analyse(h, result); }

void SaAnalyzer::analyse(const Horoscope& h, SaAnalysis& r) {
  using namespace SaFlags;
  const SignIndex rising = RisingSign(h);
  const GrahaSet malefics = kFunctionalMalefics[rising];
  auto malefic = [&](GrahaIndex g) { return Contains(malefics, g); };

  // 1. Flags start clear.
  r.flags.fill(0);

  // 2. House MEPs, 30 degrees apart from the Ascendant, and the house MEP
  //    each graha stands on. MEPs lie 30 degrees apart, so at most one house
  //    qualifies.
  r.mep[0] = Lon(h, graha::Ascendant);
  for (int k = 1; k < 12; ++k) {
    r.mep[k] = r.mep[k - 1] + 30.0;
    if (r.mep[k] > 360.0) r.mep[k] -= 360.0;
  }
  r.houseConjunction.fill(-1);
  for (int k = 0; k < 12; ++k) {
    for (GrahaIndex g = 1; g <= 9; ++g) {
      const double s = circularSeparation(r.mep[k], Lon(h, g));
      if (s <= kSaOrbDeg) {
        r.houseConjunction[g - 1] = k;
        r.houseConjunctionStrength[g - 1] = closenessPercent(s);
      }
    }
  }

  // 3. Conjunctions between grahas; a malefic within 1 degree afflicts.
  r.conjunctions.fill(0);
  for (GrahaIndex g = 1; g <= 9; ++g) {
    for (GrahaIndex k = 1; k <= 9; ++k) {
      if (k == g) continue;
      const double s = circularSeparation(Lon(h, g), Lon(h, k));
      if (s <= kSaOrbDeg) {
        r.conjunctions[g] |= GrahaBit(k);
        if (malefic(k) && s <= kSaAfflictionOrbDeg) r.flags[g] |= Afflicted;
      }
    }
  }

  // 4. Aspects. The 180-degree aspect is cast only by Sun..Saturn and only on
  //    the Ascendant and Sun..Saturn; the nodes neither cast nor receive it.
  r.aspects.fill(0);
  for (GrahaIndex g = 1; g <= 9; ++g) {
    const AspectAngleList& list = kAspectAngles[g];
    for (GrahaIndex p = 0; p <= 9; ++p) {
      if (p == g) continue;
      for (int i = 0; i < list.count; ++i) {
        const int angle = list.angles[i];
        if (angle == 180 && (g > graha::Saturn || p > graha::Saturn)) continue;
        const double target = Reduce360(Lon(h, g) + angle);
        const double s = circularSeparation(target, Lon(h, p));
        if (s <= kSaOrbDeg) {
          r.aspects[p] |= GrahaBit(g);
          if (malefic(g) && s <= kSaAfflictionOrbDeg) r.flags[p] |= Afflicted;
        }
      }
    }
  }

  // 5. Combustion: strictly within the distance.
  for (GrahaIndex g = graha::Moon; g <= graha::Saturn; ++g) {
    if (circularSeparation(Lon(h, graha::Sun), Lon(h, g)) < kCombustionDistances[g]) {
      r.flags[g] |= Combust;
      if (malefic(graha::Sun)) r.flags[g] |= Afflicted;
    }
  }

  // 6. Placement in the 6th, 8th or 12th house counted by signs.
  for (GrahaIndex g = 1; g <= 9; ++g) {
    int house = SignOfLongitude(Lon(h, g)) - rising;
    if (house < 0) house += 12;
    house += 1;
    if (house == 6 || house == 8 || house == 12) r.flags[g] |= BadPlacement | Afflicted;
  }

  // 7. Debilitation in the Rashi and in the Navamsa.
  VargaSignArray navamsa{};
  VargaSigns(h, navamsa, 9);
  for (GrahaIndex g = 1; g <= 9; ++g) {
    if (SignOfLongitude(Lon(h, g)) == kDebilitationSigns[g]) {
      r.flags[g] |= DebilitatedInRashi | Afflicted;
    }
    if (navamsa[g] == kDebilitationSigns[g]) r.flags[g] |= DebilitatedInNavamsa | Afflicted;
  }

  // 8. Infancy (first 5 degrees of a sign) and old age (last 5 degrees). The
  //    whole degrees decide, the fractional degrees give the strength; the
  //    strength is kept in 0..100 even if a loaded record's whole degrees
  //    disagree with its longitude.
  for (GrahaIndex g = 1; g <= 9; ++g) {
    const int w = h.positions[g].signDegrees;
    const double x = DegreesInSign(Reduce360(Lon(h, g)));
    auto clampPercent = [](int v) { return v < 0 ? 0 : (v > 100 ? 100 : v); };
    if (w < 5) {
      r.flags[g] |= Infancy | Afflicted;
      r.ageStrength[g] = clampPercent(TruncToInt((5.0 - x) * 20.0));
    } else if (w >= 25) {
      r.flags[g] |= OldAge | Afflicted;
      r.ageStrength[g] = clampPercent(TruncToInt((x - 25.0) * 20.0));
    }
  }

  // 9. Own sign and weak dispositor, repeated so that affliction spreads
  //    along chains of dispositors: each pass sees the previous passes' flags.
  for (int pass = 0; pass < 8; ++pass) {
    for (GrahaIndex g = graha::Sun; g <= graha::Saturn; ++g) {
      const SignIndex s = SignOfLongitude(Lon(h, g));
      const GrahaIndex lord = kSignLords[s];
      if (lord == g) {
        r.flags[g] |= OwnSign;
      } else if (s == kMooltrikonaSigns[lord] && (r.flags[lord] & Afflicted) != 0) {
        r.flags[g] |= WeakDispositor | Afflicted;
      }
    }
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

SaAnalysis AnalyseChart(const Horoscope& h) {
  SaAnalysis result;
  SaAnalyzer run(h, result);
  return result;
}

}  // namespace sarvexa
