#pragma once
// System's Approach analysis: functional nature of the grahas for the rising
// sign, the most effective points (MEPs) of the houses, conjunctions, aspects
// and the condition flags of every point. Plain record plus free functions;
// the analysis reads only the Horoscope it is given.

#include <array>
#include <cmath>
#include <cstdint>

#include "engine/horoscope.h"

namespace sarvexa {

/// Set of grahas: bit g (1..9) set means GrahaIndex g is a member. Bit 0 unused.
using GrahaSet = std::uint32_t;

/// The set holding only graha g.
constexpr GrahaSet GrahaBit(GrahaIndex g) { return GrahaSet{1} << g; }
/// True when g is a member of s.
constexpr bool Contains(GrahaSet s, GrahaIndex g) { return (s & GrahaBit(g)) != 0; }

/// Condition flags of one point, as held in SaAnalysis::flags.
namespace SaFlags {
inline constexpr int Combust = 0x001;               ///< within its combustion distance of the Sun
inline constexpr int DebilitatedInRashi = 0x002;    ///< in its debilitation sign
inline constexpr int DebilitatedInNavamsa = 0x004;  ///< Navamsa sign is its debilitation sign
inline constexpr int BadPlacement = 0x008;          ///< in house 6, 8 or 12 counted by signs
inline constexpr int Infancy = 0x010;               ///< in the first 5 degrees of its sign
inline constexpr int OldAge = 0x020;                ///< in the last 5 degrees of its sign
inline constexpr int Bright = 0x040;          ///< reserved for the Moon; never set by the analysis
inline constexpr int Afflicted = 0x080;       ///< summary: the point is afflicted
inline constexpr int OwnSign = 0x100;         ///< occupies a sign it rules
inline constexpr int WeakDispositor = 0x200;  ///< in the mooltrikona sign of an afflicted lord
}  // namespace SaFlags

/// Colour class of a point in the coloured charts.
enum class ColorClass : std::int32_t {
  None = 0,              ///< the Ascendant, or nothing analysed yet
  Malefic = 1,           ///< functional malefic
  Benefic = 2,           ///< functional benefic
  AfflictedBenefic = 3,  ///< afflicted functional benefic
};

/// Orb of every conjunction and aspect, degrees.
inline constexpr double kSaOrbDeg = 5.0;
/// Separation within which a malefic afflicts, degrees.
inline constexpr double kSaAfflictionOrbDeg = 1.0;

/// Functional malefics for each rising sign (SignIndex 0..11).
inline constexpr GrahaSet kFunctionalMalefics[12] = {0x310, 0x368, 0x300, 0x3A0, 0x304, 0x38A,
                                                     0x310, 0x348, 0x304, 0x322, 0x314, 0x3C2};

/// Lord (GrahaIndex) of each sign 0..11.
inline constexpr GrahaIndex kSignLords[12] = {
    graha::Mars,  graha::Venus, graha::Mercury, graha::Moon,   graha::Sun,    graha::Mercury,
    graha::Venus, graha::Mars,  graha::Jupiter, graha::Saturn, graha::Saturn, graha::Jupiter};

/// Mooltrikona sign of each lord, keyed by GrahaIndex; -1 for the Ascendant
/// and the nodes, which rule no sign.
inline constexpr int kMooltrikonaSigns[graha::kCount] = {-1, 4, 3, 0, 5, 8, 6, 10, -1, -1};

/// Debilitation sign keyed by GrahaIndex; -1 for the Ascendant.
inline constexpr int kDebilitationSigns[graha::kCount] = {-1, 6, 7, 3, 11, 9, 5, 0, 7, 1};

/// Combustion distance from the Sun in whole degrees, keyed by GrahaIndex;
/// 0 where a point is never combust (Ascendant, Sun, Rahu, Ketu).
inline constexpr int kCombustionDistances[graha::kCount] = {0, 0, 12, 17, 14, 10, 11, 15, 0, 0};

/// Aspect angles of one graha, degrees counted forward from it.
struct AspectAngleList {
  int count = 0;
  int angles[3] = {0, 0, 0};
};

/// Aspect angles keyed by GrahaIndex (the Ascendant casts none). The
/// 180-degree aspect is cast only by Sun..Saturn.
inline constexpr AspectAngleList kAspectAngles[graha::kCount] = {
    {0, {0, 0, 0}},        // Ascendant
    {1, {180, 0, 0}},      // Sun
    {1, {180, 0, 0}},      // Moon
    {3, {180, 90, 210}},   // Mars
    {1, {180, 0, 0}},      // Mercury
    {3, {180, 120, 240}},  // Jupiter
    {1, {180, 0, 0}},      // Venus
    {3, {180, 60, 270}},   // Saturn
    {2, {120, 240, 0}},    // Rahu
    {2, {120, 240, 0}},    // Ketu
};

/// The analysis of one chart.
struct SaAnalysis {
  std::array<double, 12> mep{};  ///< MEP longitude of houses 1..12, degrees
  std::array<std::int32_t, 9>
      houseConjunction{};  ///< by GrahaIndex - 1: house 0..11 whose MEP is within 5 degrees, or -1
  std::array<std::int32_t, 9>
      houseConjunctionStrength{};  ///< by GrahaIndex - 1: closeness percent to that MEP
  std::array<GrahaSet, graha::kCount>
      conjunctions{};  ///< by GrahaIndex: other grahas within 5 degrees; entry 0 empty
  std::array<GrahaSet, graha::kCount>
      aspects{};  ///< by GrahaIndex: grahas whose aspect falls within 5 degrees
  std::array<std::int32_t, graha::kCount> flags{};  ///< by GrahaIndex: SaFlags
  std::array<std::int32_t, graha::kCount>
      ageStrength{};  ///< by GrahaIndex: infancy/old-age percent 0..100
  std::array<ColorClass, graha::kCount> colorClass{};  ///< by GrahaIndex
};

/// Sign of the Ascendant.
SignIndex RisingSign(const Horoscope& h);

/// True when g (1..9) is a functional malefic for the rising sign.
bool IsFunctionalMalefic(SignIndex risingSign, GrahaIndex g);

/// A longitude plus an angle reduced into 0 <= x < 360. The common case
/// (a sum below 720) needs at most one subtraction; anything else, a value
/// that is not finite included, takes the general reduction.
inline double ReduceSaAngle(double x) {
  if (x >= 0.0 && x < 360.0) return x;
  if (x >= 360.0 && x < 720.0) return x - 360.0;
  return ReduceDegrees(x);
}

/// Angular distance of two longitudes the shorter way round, 0..180 degrees.
inline double circularSeparation(double x, double y) {
  const double d = ReduceSaAngle(x > y ? x - y : y - x);
  return d > 180.0 ? 360.0 - d : d;
}

/// circularSeparation for two longitudes that both lie in 0 <= x <= 360,
/// without the reduction: |x - y| is the difference it takes (rounding is
/// symmetric, so x - y is exactly -(y - x)) and lies in 0..360, where the
/// reduction changes nothing except that 360 becomes 0. Same value, bit for bit.
inline double SeparationInRange(double x, double y) {
  const double d = std::fabs(x - y);
  const double r = d >= 360.0 ? d - 360.0 : d;
  return r > 180.0 ? 360.0 - r : r;
}

/// Closeness of a separation of at most 5 degrees: trunc((5 - s) x 20),
/// 100 at an exact hit, 0 at 5 degrees.
int closenessPercent(double separationDeg);

/// The house MEPs of a chart and the house whose MEP each graha stands on.
struct HouseMeps {
  std::array<double, 12> mep{};         ///< MEP longitude of houses 1..12, degrees
  std::array<std::int32_t, 9> house{};  ///< by GrahaIndex - 1: house 0..11 within 5 degrees, or -1
  std::array<std::int32_t, 9> strength{};  ///< by GrahaIndex - 1: closeness percent, where found
};

/// The MEPs of the houses, 30 degrees apart from the Ascendant at
/// `ascendantDeg`, and for each graha (`lonDeg` by GrahaIndex, 1..9 read)
/// the house whose MEP lies within 5 degrees of it (MEPs lie 30 degrees
/// apart, so at most one does). `inRange` says that every longitude lies in
/// 0 <= x < 360, as in a calculated chart: then only the MEP nearest to each
/// graha is tried; otherwise every house with the general separation (a
/// loaded record may hold anything).
HouseMeps FindHouseMeps(double ascendantDeg, const std::array<double, graha::kCount>& lonDeg,
                        bool inRange);

/// Closeness of points a and b (GrahaIndex 0..9) by their degrees within
/// their signs only: trunc((5 - d) x 20) when d < 5, else 0.
int signDegreeCloseness(const Horoscope& h, GrahaIndex a, GrahaIndex b);

/// The analysis of `h`: a fresh zero-filled record with every field worked
/// out (strengths only where their conditions hold).
SaAnalysis AnalyseChart(const Horoscope& h);

}  // namespace sarvexa
