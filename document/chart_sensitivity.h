#pragma once
// The birth-time table of a cast chart: the search of analysis/sensitivity.h
// run on the chart's birth data with what the chart was cast under (its
// context): positions from the same theory and conventions, the running
// period at the same clock reading, the same dasha year. The window, the
// command-line tool and its batch rows all take the table from here.

#include "analysis/sensitivity.h"
#include "document/chart_snapshot.h"
#include "engine/result.h"

namespace sarvexa {

/// The table of `chart`, searched `rangeHours` (1..48) either way. With the
/// built-in theory the search asks it for single points (BuiltInPositions);
/// with any other it casts the whole chart through that theory
/// (TheoryPositions). Fails for a range outside 1..48 hours, or when the
/// theory cannot cast a minute of the range (the reason is returned).
Result<BirthTimeSensitivity> ChartSensitivity(const ChartSnapshot& chart,
                                              int rangeHours = kDefaultRangeHours);

}  // namespace sarvexa
