// Truncated lunar series: 32 periodic terms and 3 additive terms for the
// Moon's longitude, 22 terms for the true node. The arguments are used
// unreduced, exactly as the coefficients were fitted to be evaluated.

#include "engine/moon.h"

#include <cmath>

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

}  // namespace

MoonAndNode MoonPosition(double T) noexcept {
  const double T2 = T * T;
  const double Lp = 218.3164591 + 481267.88134236 * T - 0.0013268 * T2;
  Arguments a;
  a.D = 297.8502042 + 445267.1115168 * T - 0.00163 * T2;
  a.M = 357.5291092 + 35999.0502909 * T - 0.0001536 * T2;
  a.Mp = 134.9634114 + 477198.8676313 * T + 0.008997 * T2;
  a.F = 93.2720993 + 483202.0175273 * T - 0.0034029 * T2;
  const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;

  double sines[32];
  double sum = 0.0;
  for (int k = 0; k < 32; ++k) {
    const Term& t = kMoonTerms[k];
    sines[k] = SinDeg(TermArgument(t, a));
    double v = t.coefficient * sines[k];
    if (t.timesE) v *= E;
    sum += v;
  }
  sum += 0.003958 * SinDeg(119.75 + 131.849 * T);
  sum += 0.000318 * SinDeg(53.09 + 479264.29 * T);
  sum += 0.001926 * SinDeg(Lp - a.F);

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

}  // namespace sarvexa
