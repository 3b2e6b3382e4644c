#pragma once
// What a chart refresh derives from a calculated chart: the dasha table, the
// period running at a clock reading, the System's Approach analysis and the
// divisional signs. The document, the command-line tool, the exports and the
// pages all take them from here, so each is worked out once per chart.

#include <array>
#include <iterator>
#include <optional>

#include "analysis/sa_analysis.h"
#include "engine/dasha.h"
#include "engine/dasha_balance.h"
#include "engine/horoscope.h"
#include "engine/varga.h"

namespace sarvexa {

/// The signs of the ten points in every division the pages, the exports and
/// the JSON show: kPrintDivisions, which holds the screen page's too.
struct VargaSignTable {
  /// Keyed like kPrintDivisions.
  std::array<VargaSignArray, std::size(kPrintDivisions)> byPrintOrder{};
  /// The signs in division `division`, one of kPrintDivisions.
  const VargaSignArray& of(int division) const;
};

/// Everything a chart refresh derives from a calculated chart.
struct ChartDerivations {
  DashaState dashas;
  std::optional<CurrentPeriod> period;  ///< nothing for a chart dated after `now`
  DashaBalance balance;                 ///< of the first Maha dasha at birth
  SaAnalysis sa;
  VargaSignTable vargas;
};

/// Dasha table (years of `dashaYearDays` days), current period at the clock
/// reading `now`, the dasha balance at birth, SA analysis and divisional
/// signs of the calculated chart `h`.
ChartDerivations Derive(const Horoscope& h, const LocalClockReading& now,
                        double dashaYearDays = dasha::kDaysPerYear);

}  // namespace sarvexa
