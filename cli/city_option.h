#pragma once
// --city: the birth place and its legal time taken from the atlas.

#include <string>

#include "cli/birth_options.h"
#include "document/atlas.h"
#include "engine/result.h"

namespace sarvexa::cli {

/// When `options.city` is set: finds the best place for it and fills the
/// options not given explicitly (--lon, --lat, --zone, --dst, --place) for
/// the date and time of the options; sets `zoneName` (and `zoneNote` when
/// the zone needs a word: local mean time, an offset beyond the Zone field,
/// rounding). One line of error when no place matches, when --date or
/// --time is missing, or when the clock time falls in a gap or an overlap
/// and --fold does not choose. Nothing happens without --city.
Result<void> ResolveCity(BirthOptions& options, Atlas& atlas);

/// The same over the system's atlas, opened only when --city was given.
Result<void> ResolveCity(BirthOptions& options);

/// Hour of the options in 24-hour form.
int Hour24(const BirthOptions& options);

}  // namespace sarvexa::cli
