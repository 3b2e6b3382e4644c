#pragma once
// One open chart as the pages and the exports read it: names and place, the
// calculated chart record, what was derived from it, the display choices and
// the last transit comparison. The chart document keeps its open chart in
// this record and hands it out read-only; the command-line tool fills one
// directly for a chart cast from options.

#include <string>

#include "analysis/derivations.h"
#include "analysis/sa_transits.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// Chart style setting: 1 North Indian, 2 South Indian, 0 nothing valid stored.
namespace chart_style {
inline constexpr int None = 0;
inline constexpr int North = 1;
inline constexpr int South = 2;
}  // namespace chart_style

struct ChartSnapshot {
  std::string firstName;  ///< UTF-8; "Prasna" for a Prasna
  std::string lastName;   ///< UTF-8; empty for a Prasna
  std::string place;      ///< UTF-8
  Horoscope horoscope{};  ///< the calculated chart
  /// Dasha table, the period running at the clock reading of the last
  /// refresh (nothing for a chart dated in the future) and the SA analysis.
  ChartDerivations derivations;
  bool isPrasna = false;

  // Display choices (persisted in the settings).
  int chartStyle = chart_style::None;  ///< 0, 1 North, 2 South
  int colorCharts = 0;                 ///< 0 off, 1 on

  // The last transit comparison (written by the SA transits command).
  Horoscope transitHoroscope{};
  SaTransitAnalysis transitAnalysis{};
};

}  // namespace sarvexa
