#pragma once
// The System's Approach statements of a chart as text: the block of the text
// export, and the pieces the SA page lays out (status line, list lines, node
// lines). Line ends are "\n"; a file writer converts them as it needs.

#include <optional>
#include <string>
#include <vector>

#include "analysis/sa_analysis.h"
#include "engine/horoscope.h"

namespace sarvexa {

/// How malefics are listed against a graha.
enum class MaleficListing {
  /// Text export: every malefic when the graha is afflicted, otherwise only
  /// malefics at closeness 100.
  TextExport,
  /// SA page: every malefic, afflicted or not.
  Page,
};

/// Status line of graha g (1..7) without its line end, e.g.
/// "Good Placement, own sign, Conjunct house 3 MEP 80% ".
std::string SaStatusLine(const SaAnalysis& sa, SignIndex risingSign, GrahaIndex g);

/// The further lines of graha g (1..7), in order, without leading spaces or
/// line ends: "Conjunct functional malefic(s): ...", "Conjunct functional
/// benefic(s): ...", "Aspected by functional malefic(s): ...", "Aspected by
/// functional benefic(s): ...", each only when its set holds a graha of its kind.
std::vector<std::string> SaListLines(const Horoscope& h, const SaAnalysis& sa, GrahaIndex g,
                                     MaleficListing listing);

/// Houses (1..12) afflicted by the nodes and the strength printed with them.
struct SaNodeHouses {
  int rahu[3] = {0, 0, 0};
  int ketu[3] = {0, 0, 0};
  int strength = 0;  ///< Ketu's houseConjunctionStrength
};

/// Node houses counted by signs from the rising sign (text export); nothing
/// when Ketu stands on no MEP.
std::optional<SaNodeHouses> SaNodeHousesBySign(const Horoscope& h, const SaAnalysis& sa);

/// Node houses counted from the house whose MEP the node axis stands on (SA
/// page); nothing when Ketu stands on no MEP.
std::optional<SaNodeHouses> SaNodeHousesByMep(const Horoscope& h, const SaAnalysis& sa);

/// Appends the text export's SA block of chart `h` with its analysis `sa` to
/// `out`: heading, one paragraph per graha Sun..Saturn and the Rahu/Ketu lines.
void WriteSaBlock(const Horoscope& h, const SaAnalysis& sa, std::string& out);

/// WriteSaBlock into a fresh string.
std::string SaBlockText(const Horoscope& h, const SaAnalysis& sa);

}  // namespace sarvexa
