#pragma once
// The Swiss Ephemeris as a position theory: apparent geocentric sidereal
// longitudes with their speeds, the Ascendant and the ayanamsa, as the
// library computes them, with ΔT as it computes it. The library (Debian's
// libswe) lives in the module libsarvexa-swiss.so (swiss_module.h), opened
// at the first chart cast with it: a run that casts only with the built-in
// theory never loads it.

#include <memory>
#include <string>

#include "engine/position_theory.h"

namespace sarvexa {

/// The Swiss Ephemeris, reading its files from `ephemerisDir`, or from the
/// folder Debian installs them to (swe-basic-data) when it is empty. The
/// library's own variable SE_EPHE_PATH, when set, wins over either. Cheap:
/// nothing is loaded until the first chart. One object may serve any number
/// of threads.
std::unique_ptr<PositionTheory> OpenSwissEphemeris(std::string ephemerisDir = {});

/// The theory of an ephemeris for the whole run, as the programs cast with
/// it (a TheoryFinder of document/cast.h): the built-in theory, or one Swiss
/// Ephemeris over the packaged files, made at the first call for it (its
/// library is loaded at its first chart). Never null.
const PositionTheory* PositionTheoryFor(EphemerisKind ephemeris);

/// The moments the Swiss Ephemeris computes, as Julian Days (UT): from
/// `first` included to `end` excluded (the years 3000 BC to AD 3000).
/// Nothing when its module cannot be loaded; the error says why.
struct JulianDayRange {
  double first = 0.0;
  double end = 0.0;
};
Result<JulianDayRange> SwissEphemerisRange();

}  // namespace sarvexa
