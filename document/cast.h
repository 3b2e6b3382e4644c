#pragma once
// Casting a chart: the one way from birth data to a calculated chart with
// everything derived from it. Chart data come in checked (CheckChartData,
// document/chart_data.h, the one door where the dialog's checks run); the
// cast context says when the running period is read, under which
// conventions and with which theory of positions. The document's refresh,
// the Prasna, every command, the ephemeris rows and the transit chart all
// compute positions through here, so a second theory or a changed
// convention reaches all of them by filling the context.

#include <functional>

#include "analysis/derivations.h"
#include "document/chart_data.h"
#include "engine/conventions.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"
#include "engine/position_theory.h"
#include "engine/result.h"

namespace sarvexa {

/// What a cast is made under. The defaults are the program's own chart:
/// the built-in theory with its conventions.
struct CastContext {
  /// The clock reading the running period is found at (the present on the
  /// Prasna location's clock, or a written --now).
  LocalClockReading now{};
  Conventions conventions{};
  /// Never null; the theory outlives every cast made with it.
  const PositionTheory* theory = &BuiltinTheory();
};

/// The theory a program has for an ephemeris, or null when it has none.
/// The Swiss Ephemeris lives above the document (swiss/), so each program
/// hands its finder in; an empty finder knows the built-in theory only.
using TheoryFinder = std::function<const PositionTheory*(EphemerisKind)>;

/// The context of casts under `conventions` at the clock reading `now`,
/// with the theory `find` gives for their ephemeris. Fails in one line when
/// the conventions do not go together (CheckConventions) or the program has
/// no theory for the ephemeris.
Result<CastContext> MakeCastContext(const Conventions& conventions, const TheoryFinder& find,
                                    const LocalClockReading& now = {});

/// A calculated chart and its derivations.
struct CastChart {
  Horoscope horoscope{};         ///< birth data and the ten positions
  ChartDerivations derivations;  ///< dashas, running period, SA analysis, vargas
  PositionSource source;         ///< where the positions came from
};

/// The lower step: fills the ayanamsa and the ten positions of `h`, whose
/// birth data are set, with the context's theory and conventions (the
/// ephemeris rows, the transit chart). On failure `h` is left as it was.
Result<PositionSource> CastPositions(Horoscope& h, const CastContext& context);

/// The chart of a record whose birth data are set (a chart file's, which
/// keeps its own `julianCenturies`; the Prasna's): positions, then every
/// derivation at the context's clock reading with its dasha year.
Result<CastChart> CastRecord(const Horoscope& birthData, const CastContext& context);

/// How much of a chart a cast works out.
enum class CastDepth {
  Everything,  ///< positions and every derivation
  Positions,   ///< positions only; the derivations stay empty (a batch row
               ///< whose output needs none of them)
};

/// The chart of checked chart data: the dialog's "Dialog to record"
/// conversion (ChartDataToRecord), then CastRecord (or only its positions).
Result<CastChart> CastChartData(const CheckedChartData& data, const CastContext& context,
                                CastDepth depth = CastDepth::Everything);

}  // namespace sarvexa
