// Keplerian positions of the Sun and planets. The Sun's row describes the
// Earth's orbit seen from the Earth, so its heliocentric vector is the Sun's
// geocentric one and moves every planet from the Sun to the Earth.

#include "engine/planets.h"

#include <cmath>

#include "engine/numeric.h"

namespace sarvexa {
namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

// c0 + c1 T + c2 T^2, evaluated as T^2 c2 + T c1 + c0.
struct Poly {
  double c0, c1, c2;
  double At(double T, double T2) const { return T2 * c2 + T * c1 + c0; }
};

struct Elements {
  Poly meanAnomaly;      // M, degrees
  Poly eccentricity;     // e
  Poly perihelion;       // argument of perihelion, degrees
  Poly node;             // longitude of the ascending node, degrees
  Poly inclination;      // degrees
  double semiMajorAxis;  // AU
};

constexpr Elements kElements[body::kCount] = {
    // Sun (the Earth's orbit)
    {{357.529097, 35999.597877, -0.000156},
     {0.016708617, -0.000042037, 0.0000001236},
     {282.937348, 1.171953, 0.00046},
     {0, 0, 0},
     {0, 0, 0},
     1.000001018},
    // Mercury
    {{174.794787, 149472.515772, 0.000008},
     {0.20563175, 0.000020406, -0.0000000284},
     {29.125226, 0.370289, 0.000472},
     {48.330893, 1.186189, -0.00017587},
     {7.004986, 0.0018215, -0.00001809},
     0.38709831},
    // Venus
    {{50.416094, 58517.810811, 0.001384},
     {0.00677188, -0.000047766, 0.0000000975},
     {54.883787, 0.5011, -0.00148},
     {76.67992, 0.901119, 0.00040665},
     {3.394662, 0.0010037, -0.00000088},
     0.72332982},
    // Mars
    {{19.384041, 19139.855442, 0.000176},
     {0.09340062, 0.000090483, -0.0000000806},
     {286.502141, 1.068941, 0.000119},
     {49.558093, 0.7720923, 0.00001605},
     {1.849726, -0.000601, 0.00001276},
     1.523679342},
    // Jupiter
    {{20.020175, 3034.690122, -0.000808},
     {0.04849485, 0.000163244, -0.0000004719},
     {273.866868, 0.591712, 0.00063},
     {100.464441, 1.020955, 0.00040117},
     {1.30327, -0.0054966, 0.00000465},
     5.202603191},
    // Saturn
    {{317.020684, 1221.547245, -0.000318},
     {0.05550862, -0.000346818, -0.0000006456},
     {339.391263, 1.086672, 0.000958},
     {113.665524, 0.8770979, -0.00012067},
     {2.488878, -0.0037363, -0.00001516},
     9.554909496},
};

inline double SinDeg(double deg) { return std::sin(deg * kDegToRad); }
inline double CosDeg(double deg) { return std::cos(deg * kDegToRad); }

// Sine and cosine of one angle; the compiler merges the pair into a single
// sincos call, which gives the same values as the separate calls.
struct SinCos {
  double s, c;
};
inline SinCos SinCosDeg(double deg) {
  const double rad = deg * kDegToRad;
  return {std::sin(rad), std::cos(rad)};
}

}  // namespace

KeplerSolution SolveKepler(double meanAnomalyDeg, double e) noexcept {
  const double M = meanAnomalyDeg;
  double E = M;
  SinCos sc = SinCosDeg(E);
  for (int step = 0; step < kKeplerSteps; ++step) {
    const double next = E - (E - e * sc.s * kRadToDeg - M) / (1.0 - e * sc.c);
    // A step is a pure function of E, so once a step returns E itself every
    // later one would too: the remaining steps are skipped, not approximated,
    // and the result is bit for bit that of all ten.
    if (next == E) break;
    E = next;
    sc = SinCosDeg(E);
  }
  return {E, sc.s, sc.c};
}

PlanetLongitudes PlanetPositions(double T) noexcept {
  const double T2 = T * T;
  const double Mj = ReduceDegrees(20.020175 + 3034.690122 * T - 0.000808 * T2);
  const double Ms = ReduceDegrees(317.020684 + 1221.547245 * T - 0.000318 * T2);

  // The great inequality term, shared by Jupiter and Saturn.
  const double great = SinDeg(2 * Mj - 5 * Ms - 67.6);

  PlanetLongitudes out{};
  double xs = 0.0, ys = 0.0;
  for (int k = 0; k < body::kCount; ++k) {
    const Elements& el = kElements[k];
    const double M = ReduceDegrees(el.meanAnomaly.At(T, T2));
    const double e = el.eccentricity.At(T, T2);

    const KeplerSolution ks = SolveKepler(M, e);
    const SinCos sc{ks.sinE, ks.cosE};
    const double a = el.semiMajorAxis;
    const double x = a * (sc.c - e);
    const double y = a * std::sqrt(1.0 - e * e) * sc.s;

    const double v = ReduceDegrees(std::atan2(y, x) * kRadToDeg);
    const double r = std::sqrt(x * x + y * y);
    const double w = ReduceDegrees(el.perihelion.At(T, T2));
    const double N = ReduceDegrees(el.node.At(T, T2));
    const double inc = ReduceDegrees(el.inclination.At(T, T2));
    const double u = w + v;

    const SinCos si = SinCosDeg(inc);
    const SinCos su = SinCosDeg(u);
    const SinCos sn = SinCosDeg(N);
    double b = std::atan2(r * si.s * su.s, r) * kRadToDeg;
    double l =
        std::atan2(r * (si.c * sn.c * su.s + sn.s * su.c), r * (sn.c * su.c - si.c * sn.s * su.s)) *
        kRadToDeg;

    if (k == body::Jupiter) {
      l = l + 0.042 * SinDeg(3 * Mj - 5 * Ms + 21) - 0.056 * SinDeg(2 * Mj - 2 * Ms + 21) -
          0.332 * great - 0.036 * SinDeg(Mj - 2 * Ms) + 0.023 * SinDeg(2 * Mj - 3 * Ms + 52) +
          0.022 * CosDeg(Mj - Ms) - 0.016 * SinDeg(Mj - 5 * Ms - 69);
    } else if (k == body::Saturn) {
      const double c24 = CosDeg(2 * Mj - 4 * Ms - 2);
      l = l + 0.812 * great - 0.229 * c24 + 0.014 * SinDeg(Mj - 3 * Ms + 32) +
          0.119 * SinDeg(Mj - 2 * Ms - 3) + 0.046 * SinDeg(2 * Mj - 6 * Ms - 69);
      b = b + 0.018 * SinDeg(2 * Mj - 6 * Ms - 49) - 0.02 * c24;
    }
    if (l < 0) l += 360.0;

    const SinCos sl = SinCosDeg(l);
    double result;
    if (k == body::Sun) {
      xs = r * sl.c;
      ys = r * sl.s;
      result = std::atan2(ys, xs) * kRadToDeg;
    } else {
      const double cb = std::cos(b * kDegToRad);
      result = std::atan2(ys + cb * r * sl.s, xs + cb * r * sl.c) * kRadToDeg;
    }
    if (result < 0) result += 360.0;
    // A tiny negative angle plus 360 can round to 360 itself, and absurd T can
    // give NaN; neither may leave the documented 0 <= x < 360.
    out[k] = (result >= 0.0 && result < 360.0) ? result : 0.0;
  }
  return out;
}

}  // namespace sarvexa
