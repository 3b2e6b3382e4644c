#pragma once
// One open chart as the pages and the exports read it: names and place, the
// calculated chart record, what was derived from it, the display choices and
// the last transit comparison. The chart document keeps its open chart in
// this record and hands it out read-only; the command-line tool fills one
// directly for a chart cast from options.

#include <string>

#include "analysis/derivations.h"
#include "analysis/sa_transits.h"
#include "document/cast.h"
#include "document/chart_style.h"
#include "engine/horoscope.h"

namespace sarvexa {

struct ChartSnapshot {
  std::string firstName;  ///< UTF-8; "Prasna" for a Prasna
  std::string lastName;   ///< UTF-8; empty for a Prasna
  std::string place;      ///< UTF-8
  /// IANA zone the chart's zone and DST were taken from (empty when typed
  /// by hand), with its label and any warning for the chart's moment where
  /// they were looked up.
  std::string zoneName, zoneLabel, zoneNote;
  /// The atlas place's full name when the place was taken from the atlas
  /// by name ("Springfield, Illinois, United States of America"), where the
  /// place text may be too short to tell; empty otherwise.
  std::string cityName;
  Horoscope horoscope{};  ///< the calculated chart
  /// What the chart was cast under: the clock reading of its running period,
  /// the conventions and the theory (the ephemeris page casts its rows with
  /// the same theory and conventions).
  CastContext context;
  /// Where the positions came from: the theory, and for the Swiss Ephemeris
  /// its files, or its analytical theory when it fell back to it.
  PositionSource source;
  /// Dasha table, the period running at the clock reading of the last
  /// refresh (nothing for a chart dated in the future) and the SA analysis.
  ChartDerivations derivations;
  bool isPrasna = false;

  // Display choices (persisted in the settings).
  ChartStyle chartStyle = ChartStyle::None;
  bool colorCharts = false;  ///< the Rashi chart labels in their SA colours

  // The last transit comparison (written by the SA transits command).
  Horoscope transitHoroscope{};
  SaTransitAnalysis transitAnalysis{};
};

}  // namespace sarvexa
