#pragma once
// What a chart refresh derives from a calculated chart: the dasha table, the
// period running at a clock reading and the System's Approach analysis. The
// document, the command-line tool, the exports and the pages all take them
// from here, so each is worked out once per chart.

#include <optional>

#include "analysis/sa_analysis.h"
#include "engine/dasha.h"
#include "engine/dasha_balance.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// Everything a chart refresh derives from a calculated chart.
struct ChartDerivations {
  DashaState dashas;
  std::optional<CurrentPeriod> period;  ///< nothing for a chart dated after `now`
  DashaBalance balance;                 ///< of the first Maha dasha at birth
  SaAnalysis sa;
};

/// Dasha table, current period at the clock reading `now`, the dasha
/// balance at birth (in years of the table's 365.25 days) and SA analysis of
/// the calculated chart `h`.
ChartDerivations Derive(const Horoscope& h, const LocalClockReading& now);

}  // namespace sarvexa
