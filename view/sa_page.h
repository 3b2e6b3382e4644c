#pragma once
// The System's Approach analysis page: for Sun .. Saturn the status line and
// the conjunction and aspect lines, then the node lines when the node axis
// stands on a house MEP. The print variant adds the information panel, the
// Rashi chart, the planet table, the maha dasha dates and the Navamsa chart.
// The page functions are declared in view/pages.h.

#include <string>
#include <vector>

#include "analysis/sa_analysis.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// One entry of the page's text: a label (graha name, "Rahu", "Ketu" or
/// empty) and the text beside it.
struct SaPageLine {
  std::string label;
  std::string text;
  bool lastOfGroup = false;  ///< the last line of a graha's (or a node's) group
};

/// The page's lines for a chart, the analysis run afresh on it: per graha
/// Sun .. Saturn its full name with the status line, then its list lines
/// (every malefic listed); then "Rahu" and "Ketu" with "Afflicts houses %d %d
/// %d MEP %d%% ", the houses counted from the MEP the node axis stands on.
std::vector<SaPageLine> SaPageLines(const Horoscope& chart, const SaAnalysis& sa);

}  // namespace sarvexa
