#pragma once
// The birth-time search over a position theory other than the built-in one
// (the Swiss Ephemeris): each position is that theory's own cast of the
// shifted birth, so a window holds exactly for the chart the theory casts,
// and the motion bounds are those of the real sky, which such a theory
// follows to within arc-seconds. The bounds are proven from the bodies'
// orbits (orbital speed and least distance from the Earth) and from the
// Ascendant's geometry inside the polar circles (beyond them the library's
// Ascendant jumps half a circle), with wide margins; where none is known the search
// steps minute by minute.

#include <optional>
#include <string>

#include "analysis/sensitivity.h"
#include "engine/conventions.h"
#include "engine/position_theory.h"

namespace sarvexa {

/// How fast a point of the real sky can move in sidereal longitude,
/// degrees per day of time: |speed| <= maxDegPerDay, and where
/// minDegPerDay > 0 it always moves forward at least that fast.
struct SkyMotion {
  double minDegPerDay = 0.0;
  double maxDegPerDay = 0.0;
};

/// The bound of a graha (Sun .. Ketu; `node` chooses which node Rahu and
/// Ketu are). Not for the Ascendant, whose motion depends on the place.
SkyMotion RealSkyMotion(GrahaIndex point, NodeKind node);

/// Positions cast by `theory` under `conventions` (which must outlive the
/// source), bounded by the real sky's motions.
class TheoryPositions final : public BirthPositionSource {
 public:
  TheoryPositions(const PositionTheory& theory, const Conventions& conventions)
      : theory_(theory), conventions_(conventions) {}

  /// Casts the whole chart and writes every point. A cast that fails
  /// writes NaN and is remembered (failure()).
  void Longitudes(const Horoscope& birth, PointSet points, PointLongitudes& out) override;
  PointMotion Motion(const Horoscope& birth, GrahaIndex point, int rangeMinutes) override;

  /// Why the first failed cast failed; nothing while every cast succeeded.
  const std::optional<std::string>& failure() const { return failure_; }

 private:
  const PositionTheory& theory_;
  const Conventions& conventions_;
  std::optional<std::string> failure_;
};

}  // namespace sarvexa
