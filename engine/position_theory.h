#pragma once
// A theory of positions: what fills a chart's ayanamsa and its ten sidereal
// positions from the chart's moment and place, under the chosen conventions.
// The built-in closed-form theory (CalculateHoroscope) is one; the Swiss
// Ephemeris, in a module of its own (swiss/), is the other. Everything after
// the positions (signs, nakshatras, vargas, dashas, the analysis) reads the
// filled record and does not care which theory filled it.

#include <array>
#include <string>
#include <vector>

#include "engine/conventions.h"
#include "engine/horoscope.h"
#include "engine/result.h"

namespace sarvexa {

/// Where the positions of one chart came from, for the pages and the JSON.
struct PositionSource {
  EphemerisKind ephemeris = EphemerisKind::Builtin;
  std::string version;             ///< the library's version ("2.10.03-deb1"); empty for builtin
  std::vector<std::string> files;  ///< ephemeris files read for this chart (full paths)
  /// Some body was computed by the library's analytical theory (Moshier's)
  /// instead of from a file: the date lies outside the files, or a file is
  /// missing.
  bool analytical = false;
  std::string missingFile;  ///< the file the library looked for and did not find
};

/// One line naming the source: "built-in theory", "Swiss Ephemeris
/// 2.10.03-deb1, files sepl_18.se1 and semo_18.se1", or "Swiss Ephemeris
/// 2.10.03-deb1, analytical theory (no file semo_12.se1)".
std::string DescribePositionSource(const PositionSource& source);

/// The source of a result computed from two casts with one theory (a transit
/// chart judged against a natal chart): the files of both, and the
/// analytical theory and missing file of either.
PositionSource CombinedPositionSource(const PositionSource& a, const PositionSource& b);

/// Fills a chart's positions under a choice of conventions.
class PositionTheory {
 public:
  virtual ~PositionTheory() = default;

  /// Fills `ayanamsaCorrection` and the ten `positions` of h from its
  /// `julianCenturies`, `universalTime`, `longitude` and `latitude`, under
  /// the ayanamsa and node of `conventions` (its ephemeris and dasha year are
  /// not read). On failure h is left as it was and the error says why in one
  /// line. Safe to call from several threads at once.
  virtual Result<PositionSource> Calculate(Horoscope& h, const Conventions& conventions) const = 0;
};

/// The built-in theory: CalculateHoroscope, unchanged. It has one ayanamsa
/// (its Lahiri formula) and one node (the true node), and refuses others.
const PositionTheory& BuiltinTheory();

/// Sidereal positions as an ephemeris library gives them: unshifted
/// longitudes in degrees and speeds in degrees per day.
struct EphemerisPositions {
  double ayanamsaDeg = 0.0;   ///< the ayanamsa at the moment (positive)
  double ascendantDeg = 0.0;  ///< sidereal Ascendant
  /// Keyed by GrahaIndex - 1 for Sun .. Rahu (Ketu follows from Rahu).
  std::array<double, 8> longitudeDeg{};
  std::array<double, 8> speedDegPerDay{};
};

/// Stores library positions in a chart: `ayanamsaCorrection` = minus the
/// ayanamsa; each longitude reduced into 0..360 with its degrees and minutes
/// rounded to the nearest minute, but never carried into the next sign
/// (29 deg 59.7 min shows as 29 deg 59 min, so sign, degrees and minutes stay
/// consistent); Ketu = Rahu + 180 with Rahu's speed; `retrograde` from the
/// sign of the speed, for Mars .. Saturn only; `dailyMotion` = the speed (the
/// Ascendant's is left as it was, as the built-in theory leaves it).
void StoreEphemerisPositions(const EphemerisPositions& in, Horoscope& h) noexcept;

}  // namespace sarvexa
