#pragma once
// --city: the birth place and its legal time taken from the atlas.

#include <ostream>
#include <string>
#include <string_view>

#include "cli/birth_options.h"
#include "document/atlas.h"
#include "engine/result.h"

namespace sarvexa::cli {

/// How a clock time in a gap or an overlap is chosen, as `chart` offers it.
inline constexpr const char* kFoldHint = "choose with --fold earlier|later";

/// When `options.city` is set: finds the best place for it and fills the
/// options not given explicitly (--lon, --lat, --zone, --dst, --place) for
/// the date and time of the options; sets `zoneName` (and `zoneNote` when
/// the zone needs a word: local mean time, an offset beyond the Zone field,
/// rounding), `cityName` (the place's full name) and, when other places
/// match the name as well, `cityNote`: which place was taken and how to name
/// another. One line of error when no place matches, when --date or --time
/// is missing, or when the clock time falls in a gap or an overlap and the
/// fold does not choose (the message ends with `foldHint`). Nothing happens
/// without --city.
Result<void> ResolveCity(BirthOptions& options, Atlas& atlas,
                         std::string_view foldHint = kFoldHint);

/// The same over the system's atlas, opened only when --city was given.
Result<void> ResolveCity(BirthOptions& options);

/// Writes `cityNote`, when there is one, as one line "sarvexa-cli COMMAND:
/// NOTE" to `err`.
void PrintCityNote(const BirthOptions& options, const char* command, std::ostream& err);

}  // namespace sarvexa::cli
