// Keplerian positions of the Sun and planets. The Sun's row describes the
// Earth's orbit seen from the Earth, so its heliocentric vector is the Sun's
// geocentric one and moves every planet from the Sun to the Earth.

#include "engine/planets.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

namespace {

// The chief mutual perturbations of Jupiter and Saturn: coefficient x
// sin (or cos) of (j Mj + s Ms + phase), in degrees, added in table order.
struct Perturbation {
  double coefficient;
  signed char j, s;
  double phase;  // 0: none added
  bool cosine;
};

constexpr Perturbation kJupiterLongitude[] = {
    {0.042, 3, -5, 21, false},  {-0.056, 2, -2, 21, false}, {-0.332, 2, -5, -67.6, false},
    {-0.036, 1, -2, 0, false},  {0.023, 2, -3, 52, false},  {0.022, 1, -1, 0, true},
    {-0.016, 1, -5, -69, false}};
constexpr Perturbation kSaturnLongitude[] = {{0.812, 2, -5, -67.6, false},
                                             {-0.229, 2, -4, -2, true},
                                             {0.014, 1, -3, 32, false},
                                             {0.119, 1, -2, -3, false},
                                             {0.046, 2, -6, -69, false}};
constexpr Perturbation kSaturnLatitude[] = {{0.018, 2, -6, -49, false}, {-0.02, 2, -4, -2, true}};

template <std::size_t N>
double Perturbed(double value, const Perturbation (&terms)[N], double Mj, double Ms) {
  for (const Perturbation& t : terms) {
    double arg = t.j * Mj + t.s * Ms;
    if (t.phase != 0) arg += t.phase;
    value = value + t.coefficient * (t.cosine ? CosDeg(arg) : SinDeg(arg));
  }
  return value;
}

// Mean anomalies of Jupiter and Saturn, the arguments of their perturbations.
struct GiantAnomalies {
  double Mj, Ms;
};
GiantAnomalies GiantAnomaliesAt(double T, double T2) {
  return {ReduceDegrees(20.020175 + 3034.690122 * T - 0.000808 * T2),
          ReduceDegrees(317.020684 + 1221.547245 * T - 0.000318 * T2)};
}

// Heliocentric ecliptic longitude l (degrees, 0 <= l < 360 before rounding),
// latitude b (degrees) and radius r (AU) of body k.
struct Heliocentric {
  double l, b, r;
};

Heliocentric HeliocentricOf(int k, double T, double T2, const GiantAnomalies& g) {
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
    l = Perturbed(l, kJupiterLongitude, g.Mj, g.Ms);
  } else if (k == body::Saturn) {
    l = Perturbed(l, kSaturnLongitude, g.Mj, g.Ms);
    b = Perturbed(b, kSaturnLatitude, g.Mj, g.Ms);
  }
  if (l < 0) l += 360.0;
  return {l, b, r};
}

// The Sun's geocentric position in the ecliptic plane (AU), which moves
// every planet from the Sun to the Earth.
struct SunVector {
  double xs, ys;
};
SunVector SunVectorOf(const Heliocentric& sun) {
  const SinCos sl = SinCosDeg(sun.l);
  return {sun.r * sl.c, sun.r * sl.s};
}

// A geocentric longitude in degrees kept inside 0 <= x < 360: a tiny
// negative angle plus 360 can round to 360 itself, and absurd T can give
// NaN.
double KeptInCircle(double result) {
  if (result < 0) result += 360.0;
  return (result >= 0.0 && result < 360.0) ? result : 0.0;
}

double SunLongitude(const SunVector& s) { return KeptInCircle(std::atan2(s.ys, s.xs) * kRadToDeg); }

double PlanetGeocentric(const Heliocentric& p, const SunVector& s) {
  const SinCos sl = SinCosDeg(p.l);
  const double cb = std::cos(p.b * kDegToRad);
  return KeptInCircle(std::atan2(s.ys + cb * p.r * sl.s, s.xs + cb * p.r * sl.c) * kRadToDeg);
}

}  // namespace

PlanetLongitudes PlanetPositions(double T) noexcept {
  const double T2 = T * T;
  const GiantAnomalies g = GiantAnomaliesAt(T, T2);
  PlanetLongitudes out{};
  const SunVector sun = SunVectorOf(HeliocentricOf(body::Sun, T, T2, g));
  out[body::Sun] = SunLongitude(sun);
  for (int k = 1; k < body::kCount; ++k)
    out[k] = PlanetGeocentric(HeliocentricOf(k, T, T2, g), sun);
  return out;
}

double PlanetLongitude(int bodyIndex, double T) noexcept {
  if (bodyIndex < 0 || bodyIndex >= body::kCount) return 0.0;
  const double T2 = T * T;
  const GiantAnomalies g = GiantAnomaliesAt(T, T2);
  const SunVector sun = SunVectorOf(HeliocentricOf(body::Sun, T, T2, g));
  if (bodyIndex == body::Sun) return SunLongitude(sun);
  return PlanetGeocentric(HeliocentricOf(bodyIndex, T, T2, g), sun);
}

namespace {

// Largest |p(t)| and |p'(t)| for |t| <= tau.
double PolyMagnitude(const Poly& p, double tau) {
  return std::fabs(p.c0) + std::fabs(p.c1) * tau + std::fabs(p.c2) * tau * tau;
}
double PolyRate(const Poly& p, double tau) { return std::fabs(p.c1) + 2.0 * std::fabs(p.c2) * tau; }

// Largest rate of the summed perturbation terms in radians per century
// (coefficients are degrees, arguments move in degrees per century): each
// argument j Mj + s Ms moves at its linear rate plus at most 2 tau times its
// quadratic part.
template <std::size_t N>
double PerturbationRate(const Perturbation (&terms)[N], const Poly& Mj, const Poly& Ms,
                        double tau) {
  double sum = 0.0;
  for (const Perturbation& t : terms) {
    const double rate = std::fabs(t.j * Mj.c1 + t.s * Ms.c1) +
                        2 * tau * (std::fabs(t.j * Mj.c2) + std::fabs(t.s * Ms.c2));
    sum += std::fabs(t.coefficient) * rate;
  }
  return sum * kDegToRad * kDegToRad;
}
template <std::size_t N>
double PerturbationSize(const Perturbation (&terms)[N]) {
  double sum = 0.0;
  for (const Perturbation& t : terms) sum += std::fabs(t.coefficient);
  return sum;
}

// What the motion of one body's ecliptic-plane vector (its heliocentric
// position projected on the ecliptic, as PlanetPositions uses it) can be
// over the window: in polar form (rho, l) the vector's velocity has a
// transverse part rho l' and a radial part rho'. Units: AU and AU per
// Julian century.
struct OrbitBounds {
  bool valid = false;
  double rhoMin = 0.0, rhoMax = 0.0;
  double transverseMin = 0.0, transverseMax = 0.0;
  double radialMax = 0.0;
};

OrbitBounds OrbitBoundsOf(int k, double T, double windowCenturies) {
  const Elements& el = kElements[k];
  const double tau = std::fabs(T) + windowCenturies;
  OrbitBounds o;
  if (!std::isfinite(tau) || tau > 100.0) return o;  // the elements are fitted near the epoch

  const double e0 = el.eccentricity.At(T, T * T);
  const double eRate = PolyRate(el.eccentricity, tau);
  const double eMax = e0 + eRate * windowCenturies;
  const double eMin = std::max(0.0, e0 - eRate * windowCenturies);
  if (!(eMax < 0.5)) return o;
  // Mean motion in radians per century; the quadratic term can only slow
  // or speed it by 2 |c2| tau.
  const double nMax = PolyRate(el.meanAnomaly, tau) * kDegToRad;
  const double nMin =
      (std::fabs(el.meanAnomaly.c1) - 2.0 * std::fabs(el.meanAnomaly.c2) * tau) * kDegToRad;
  const double a = el.semiMajorAxis;
  const double rMin = a * (1.0 - eMax);
  const double rMax = a * (1.0 + eMax);

  // Kepler's equation solved exactly (the Newton steps converge) makes the
  // orbital velocity c (-sin v, e + cos v) in the orbit's own frame, with
  // c = a n / sqrt(1 - e^2): its transverse part h / r = c (1 + e cos v)
  // lies in c (1 -+ e), its radial part c e sin v within +-c e.
  const double cMax = a * nMax / std::sqrt(1.0 - eMax * eMax);
  const double cMin = a * nMin / std::sqrt(1.0 - eMin * eMin);
  // The elements drift: turning the frame moves the body by at most r times
  // the sum of the angles' rates; a change of e moves (x, y) by at most
  // a (3 / (1 - e) + 1) per unit of e (from dE/de = sin E / (1 - e cos E)).
  const double turn =
      (PolyRate(el.perihelion, tau) + PolyRate(el.node, tau) + PolyRate(el.inclination, tau)) *
      kDegToRad;
  const double drift = rMax * turn + a * (3.0 / (1.0 - eMax) + 1.0) * eRate;

  // Perturbations of Jupiter and Saturn (longitude l and latitude b).
  const Poly& Mj = kElements[body::Jupiter].meanAnomaly;
  const Poly& Ms = kElements[body::Saturn].meanAnomaly;
  double lRate = 0.0, bRate = 0.0, bSize = 0.0;
  if (k == body::Jupiter) {
    lRate = PerturbationRate(kJupiterLongitude, Mj, Ms, tau);
  } else if (k == body::Saturn) {
    lRate = PerturbationRate(kSaturnLongitude, Mj, Ms, tau);
    bRate = PerturbationRate(kSaturnLatitude, Mj, Ms, tau);
    bSize = PerturbationSize(kSaturnLatitude) * kDegToRad;
  }

  // The inclination i of the orbit and s = sin i sin u, |s| <= sin i. The
  // projected vector is r cos b (cos l, sin l) with tan b = s (plus Saturn's
  // latitude terms), so rho = r cos b; the true projection has length
  // r sqrt(1 - s^2) and turns at l' = h cos i / (r^2 (1 - s^2)), so the
  // transverse speed rho l' = (h / r) F with F = cos i / ((1 - s^2)
  // sqrt(1 + s^2)), between cos i and 1 / sqrt(1 - sin^4 i).
  const double iMax = std::min(PolyMagnitude(el.inclination, tau), 60.0) * kDegToRad;
  const double sinI = std::sin(iMax), cosI = std::cos(iMax);
  const double fMax = 1.0 / std::sqrt(1.0 - sinI * sinI * sinI * sinI);
  const double bMax = std::atan(sinI) + bSize;
  // Saturn's latitude terms change cos b by at most their size.
  const double cosRatio = bSize / std::cos(bMax);

  o.rhoMin = rMin * std::cos(bMax);
  o.rhoMax = rMax;
  o.transverseMax = cMax * (1.0 + eMax) * fMax * (1.0 + cosRatio) + rMax * lRate + drift;
  o.transverseMin = cMin * (1.0 - eMax) * cosI * (1.0 - cosRatio) - rMax * lRate - drift;
  // rho' = r' cos b - r sin b b', with |b'| <= |i'| + sin i |u'| and
  // u' = v' + w' <= c (1 + e) / r_min + |w'|.
  const double uRate = cMax * (1.0 + eMax) / rMin + PolyRate(el.perihelion, tau) * kDegToRad;
  o.radialMax = cMax * eMax + drift +
                rMax * (PolyRate(el.inclination, tau) * kDegToRad + sinI * uRate + bRate);
  o.valid = o.transverseMin > 0.0 && o.rhoMin > 0.0;
  return o;
}

}  // namespace

LongitudeRateBounds PlanetRateBounds(int bodyIndex, double T, double windowCenturies) noexcept {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  LongitudeRateBounds none{-kInfinity, kInfinity};
  if (bodyIndex < 0 || bodyIndex >= body::kCount || !(windowCenturies >= 0.0)) return none;
  const OrbitBounds s = OrbitBoundsOf(body::Sun, T, windowCenturies);
  if (!s.valid) return none;
  // A margin for the rounding of these sums and the second-order effects the
  // terms above leave out (each below a thousandth of the speed).
  constexpr double kMargin = 1.01;
  if (bodyIndex == body::Sun) {
    // The Sun's geocentric longitude is the angle of its own vector, which
    // turns at (transverse speed) / rho.
    return {s.transverseMin / s.rhoMax / kMargin * kRadToDeg,
            s.transverseMax / s.rhoMin * kMargin * kRadToDeg};
  }
  const OrbitBounds p = OrbitBoundsOf(bodyIndex, T, windowCenturies);
  if (!p.valid) return none;
  // The geocentric vector is g = P + S. With polar forms P = (rp, lp),
  // S = (rs, ls) and x = cos(ls - lp):
  //   g x g' = rp^2 lp' + rs^2 ls' + rp rs (lp' + ls') x + (rs' rp - rp' rs) sin(ls - lp),
  //   |g|^2  = rp^2 + rs^2 + 2 rp rs x.
  // For fixed radii and speeds the first three terms over |g|^2 are a ratio
  // of two linear functions of x, largest in size at x = +1, where it is
  // (rp lp' + rs ls') / (rp + rs), or at x = -1, where it is
  // (rp lp' - rs ls') / (rp - rs). The last term over |g|^2 is at most
  // (|rs'| + |rp'|) / |g|, because |g| >= rs |sin| and |g| >= rp |sin|.
  // The orbits never cross (checked), so |g| >= |rp - rs| >= gap.
  const double gap = std::max(p.rhoMin - s.rhoMax, s.rhoMin - p.rhoMax);
  if (!(gap > 0.0)) return none;
  const double together = (p.transverseMax + s.transverseMax) / (p.rhoMin + s.rhoMin);
  const double opposed =
      std::max(p.transverseMax - s.transverseMin, s.transverseMax - p.transverseMin) / gap;
  const double radial = (p.radialMax + s.radialMax) / gap;
  const double bound = (std::max(together, opposed) + radial) * kMargin * kRadToDeg;
  return {-bound, bound};
}

}  // namespace sarvexa
