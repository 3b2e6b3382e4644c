// Truncated lunar series: 32 periodic terms and 3 additive terms for the
// Moon's longitude, 22 terms for the true node. The arguments are used
// unreduced, exactly as the coefficients were fitted to be evaluated.

#include "engine/moon.h"

#include <cmath>
#include <limits>

#include "engine/numeric.h"

namespace sarvexa {
namespace {

constexpr double kDegToRad = 0.017453292519943295;

inline double SinDeg(double deg) { return std::sin(deg * kDegToRad); }

// One periodic term: coefficient x sin(d*D + m*M + mp*M' + f*F).
struct Term {
  double coefficient;
  signed char d, m, mp, f;
  bool timesE;  // scaled by the eccentricity factor E (first power)
};

constexpr Term kMoonTerms[32] = {
    {6.288774, 0, 0, 1, 0, false},   {1.274027, 2, 0, -1, 0, false},
    {0.658314, 2, 0, 0, 0, false},   {0.213618, 0, 0, 2, 0, false},
    {-0.185116, 0, 1, 0, 0, true},   {-0.114332, 0, 0, 0, 2, false},
    {0.058793, 2, 0, -2, 0, false},  {0.057066, 2, -1, -1, 0, true},
    {0.053322, 2, 0, 1, 0, false},   {0.045758, 2, -1, 0, 0, true},
    {-0.040923, 0, 1, -1, 0, true},  {-0.03472, 1, 0, 0, 0, false},
    {-0.030383, 0, 1, 1, 0, true},   {0.015327, 2, 0, 0, -2, false},
    {-0.012528, 0, 0, 1, 2, false},  {0.01098, 0, 0, 1, -2, false},
    {0.010675, 4, 0, -1, 0, false},  {0.010034, 0, 0, 3, 0, false},
    {0.008548, 4, 0, -2, 0, false},  {-0.007888, 2, 1, -1, 0, true},
    {-0.006766, 2, 1, 0, 0, true},   {-0.005163, 1, 0, -1, 0, false},
    {0.004987, 1, 1, 0, 0, true},    {0.004036, 2, -1, 1, 0, true},
    {0.003994, 2, 0, 2, 0, false},   {0.003861, 4, 0, 0, 0, false},
    {0.003665, 2, 0, -3, 0, false},  {-0.002689, 0, 1, -2, 0, true},
    {-0.002602, 2, 0, -1, 2, false}, {0.00239, 2, -1, -2, 0, true},
    {-0.002348, 1, 0, 1, 0, false},  {0.002236, 2, -2, 0, 0, true},
};

constexpr Term kNodeTerms[22] = {
    {-1.4979, 2, 0, 0, -2, false}, {-0.15, 0, 1, 0, 0, false},    {-0.1226, 2, 0, 0, 0, false},
    {0.1176, 0, 0, 0, 2, false},   {-0.0801, 0, 0, 2, -2, false}, {-0.0616, 2, -1, 0, -2, false},
    {0.049, 2, 0, -1, 0, false},   {0.0409, 0, 0, 1, -2, false},  {0.0327, 0, 0, 1, 0, false},
    {0.0324, 2, 1, 0, -2, false},  {0.0196, 4, 0, 0, -4, false},  {0.018, 2, 0, -1, -2, false},
    {0.015, 2, 0, -2, 0, false},   {-0.015, 2, 0, 1, -2, false},  {-0.0078, 2, -1, 0, 0, false},
    {-0.0045, 2, 0, 1, 0, false},  {0.0044, 0, 0, 1, 2, false},   {-0.0042, 1, 0, -1, 0, false},
    {-0.0031, 0, 1, 0, -2, false}, {0.0031, 2, -1, -1, 0, false}, {0.0029, 2, 0, 0, -4, false},
    {0.0028, 0, 1, 0, 2, false},
};

struct Arguments {
  double D, M, Mp, F;
};

inline double TermArgument(const Term& t, const Arguments& a) {
  return t.d * a.D + t.m * a.M + t.mp * a.Mp + t.f * a.F;
}

// For each node term, the Moon term with the same multipliers (-1 if none).
// Their arguments are then the same double, so the sine computed for the
// Moon is reused rather than taken a second time.
struct NodeSharing {
  int moonTerm[22];
};
constexpr NodeSharing FindSharedTerms() {
  NodeSharing s{};
  for (int n = 0; n < 22; ++n) {
    s.moonTerm[n] = -1;
    const Term& t = kNodeTerms[n];
    for (int k = 0; k < 32; ++k) {
      const Term& u = kMoonTerms[k];
      if (u.d == t.d && u.m == t.m && u.mp == t.mp && u.f == t.f) {
        s.moonTerm[n] = k;
        break;
      }
    }
  }
  return s;
}
constexpr NodeSharing kSharing = FindSharedTerms();

// c0 + c1 T + c2 T^2, evaluated in that order.
struct Quadratic {
  double c0, c1, c2;
  double At(double T, double T2) const { return c0 + c1 * T + c2 * T2; }
  /// Largest |d/dT| for |T| <= tau.
  double RateWithin(double tau) const { return std::fabs(c1) + 2 * std::fabs(c2) * tau; }
};

constexpr Quadratic kMeanLongitude{218.3164591, 481267.88134236, -0.0013268};   // L'
constexpr Quadratic kElongation{297.8502042, 445267.1115168, -0.00163};         // D
constexpr Quadratic kSunAnomaly{357.5291092, 35999.0502909, -0.0001536};        // M
constexpr Quadratic kMoonAnomaly{134.9634114, 477198.8676313, 0.008997};        // M'
constexpr Quadratic kLatitudeArgument{93.2720993, 483202.0175273, -0.0034029};  // F
constexpr Quadratic kEccentricityFactor{1.0, -0.002516, -0.0000074};            // E

// The three additive terms of the Moon: coefficient x sin(phase + rate T);
// the third one's argument is L' - F (rate 0 here, handled apart).
struct AdditiveTerm {
  double coefficient, phase, rate;
};
constexpr AdditiveTerm kVenusTerm{0.003958, 119.75, 131.849};
constexpr AdditiveTerm kJupiterTerm{0.000318, 53.09, 479264.29};
constexpr double kFlatteningCoefficient = 0.001926;  // x sin(L' - F)

}  // namespace

MoonAndNode MoonPosition(double T) noexcept {
  const double T2 = T * T;
  const double Lp = kMeanLongitude.At(T, T2);
  Arguments a;
  a.D = kElongation.At(T, T2);
  a.M = kSunAnomaly.At(T, T2);
  a.Mp = kMoonAnomaly.At(T, T2);
  a.F = kLatitudeArgument.At(T, T2);
  const double E = kEccentricityFactor.At(T, T2);

  double sines[32];
  double sum = 0.0;
  for (int k = 0; k < 32; ++k) {
    const Term& t = kMoonTerms[k];
    sines[k] = SinDeg(TermArgument(t, a));
    double v = t.coefficient * sines[k];
    if (t.timesE) v *= E;
    sum += v;
  }
  sum += kVenusTerm.coefficient * SinDeg(kVenusTerm.phase + kVenusTerm.rate * T);
  sum += kJupiterTerm.coefficient * SinDeg(kJupiterTerm.phase + kJupiterTerm.rate * T);
  sum += kFlatteningCoefficient * SinDeg(Lp - a.F);

  double node = Lp - a.F;  // the mean node
  for (int n = 0; n < 22; ++n) {
    const Term& t = kNodeTerms[n];
    const int shared = kSharing.moonTerm[n];
    node += t.coefficient * (shared >= 0 ? sines[shared] : SinDeg(TermArgument(t, a)));
  }
  node += 0.005;

  MoonAndNode r;
  r.moon = ReduceDegrees(Lp + sum);
  r.node = ReduceDegrees(node);
  return r;
}

MoonRateBounds MoonRates(double T, double windowCenturies) noexcept {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double tau = std::fabs(T) + windowCenturies;
  if (!std::isfinite(tau) || !(windowCenturies >= 0.0) || tau > 100.0) {
    return {-kInfinity, kInfinity, kInfinity};
  }
  // A term's argument d D + m M + mp M' + f F moves at its linear rate plus
  // at most 2 tau times the size of its quadratic part.
  const auto argumentRate = [&](const Term& t) {
    const double linear = t.d * kElongation.c1 + t.m * kSunAnomaly.c1 + t.mp * kMoonAnomaly.c1 +
                          t.f * kLatitudeArgument.c1;
    const double quadratic = std::fabs(t.d * kElongation.c2) + std::fabs(t.m * kSunAnomaly.c2) +
                             std::fabs(t.mp * kMoonAnomaly.c2) +
                             std::fabs(t.f * kLatitudeArgument.c2);
    return std::fabs(linear) + 2 * quadratic * tau;
  };
  const double LpSlowest = kMeanLongitude.c1 - 2 * std::fabs(kMeanLongitude.c2) * tau;
  const double LpFastest = kMeanLongitude.RateWithin(tau);
  // |L' - F'|: the mean node's rate.
  const double meanNode =
      std::fabs(kMeanLongitude.c1 - kLatitudeArgument.c1) +
      2 * (std::fabs(kMeanLongitude.c2) + std::fabs(kLatitudeArgument.c2)) * tau;
  const double E = std::fabs(kEccentricityFactor.c0) + std::fabs(kEccentricityFactor.c1) * tau +
                   std::fabs(kEccentricityFactor.c2) * tau * tau;
  const double ERate = kEccentricityFactor.RateWithin(tau);
  // Each term c sin(arg) (times E) moves at most |c| |arg'| (pi / 180)
  // (times E, plus |c| |E'| for the factor's own change).
  double moonTerms =
      (kVenusTerm.coefficient * kVenusTerm.rate + kJupiterTerm.coefficient * kJupiterTerm.rate +
       kFlatteningCoefficient * meanNode) *
      kDegToRad;
  for (const Term& t : kMoonTerms) {
    const double c = std::fabs(t.coefficient);
    moonTerms +=
        t.timesE ? c * (E * argumentRate(t) * kDegToRad + ERate) : c * argumentRate(t) * kDegToRad;
  }
  double nodeTerms = 0.0;
  for (const Term& t : kNodeTerms)
    nodeTerms += std::fabs(t.coefficient) * argumentRate(t) * kDegToRad;
  // A margin for the rounding of these sums.
  constexpr double kMargin = 1.000001;
  return {(LpSlowest - moonTerms) / kMargin, (LpFastest + moonTerms) * kMargin,
          (meanNode + nodeTerms) * kMargin};
}

}  // namespace sarvexa
