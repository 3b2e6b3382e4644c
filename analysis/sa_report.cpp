#include "analysis/sa_report.h"

#include "engine/text_format.h"

namespace sarvexa {

namespace {

// "Xx nn%, " entries for the grahas of `set` of one kind (malefic or benefic),
// skipping g itself. Returns whether the set holds any graha of that kind, so
// that a heading whose entries were all skipped is still written.
bool AppendEntries(const Horoscope& h, GrahaIndex g, GrahaSet set, SignIndex rising,
                   bool maleficKind, bool listAllMalefics, std::string& line) {
  bool any = false;
  for (GrahaIndex k = 1; k <= 9; ++k) {
    if (k == g || !Contains(set, k) || IsFunctionalMalefic(rising, k) != maleficKind) continue;
    any = true;
    const int closeness = signDegreeCloseness(h, g, k);
    if (maleficKind && !listAllMalefics && closeness != 100) continue;
    line += kGrahaTwoLetterNames[k];
    line += FormatText(" %d%%, ", closeness);
  }
  return any;
}

void AppendNodeHouses(int a, int strength, SaNodeHouses& out) {
  int b = a + 4;
  if (b > 11) b -= 12;
  int c = a + 8;
  if (c > 11) c -= 12;
  out.rahu[0] = a + 1;
  out.rahu[1] = b + 1;
  out.rahu[2] = c + 1;
  out.ketu[0] = (a + 6) % 12 + 1;
  out.ketu[1] = (b + 6) % 12 + 1;
  out.ketu[2] = (c + 6) % 12 + 1;
  out.strength = strength;
}

std::string NodeLine(const char* label, const int houses[3], int strength) {
  return FormatText("%sAfflicts houses %d %d %d MEP %d%%", label, houses[0], houses[1], houses[2],
                    strength);
}

}  // namespace

std::string SaStatusLine(const SaAnalysis& sa, SignIndex risingSign, GrahaIndex g) {
  using namespace SaFlags;
  if (g < 1 || g > 9) return {};
  const int f = sa.flags[g];
  std::string line = (f & BadPlacement) ? "Bad Placement, " : "Good Placement, ";
  if (f & Combust) line += "Combust, ";
  if (f & DebilitatedInRashi) line += "Debilated in Rashi, ";
  if (f & DebilitatedInNavamsa) line += "Debilated in Navamsa, ";
  if (f & Infancy) {
    line += FormatText("in infancy %d%%, ", sa.ageStrength[g]);
  } else if (f & OldAge) {
    line += FormatText("in oldage %d%%, ", sa.ageStrength[g]);
  }
  if (f & OwnSign) line += "own sign, ";
  if (f & WeakDispositor) line += "weak dispositor, ";
  if (g == graha::Moon && (f & Bright)) line += "Bright, ";
  if (sa.houseConjunction[g - 1] != -1) {
    const char* fmt = IsFunctionalMalefic(risingSign, g) ? "Afflicts house %d MEP %d%% "
                                                         : "Conjunct house %d MEP %d%% ";
    line += FormatText(fmt, sa.houseConjunction[g - 1] + 1, sa.houseConjunctionStrength[g - 1]);
  }
  return line;
}

std::vector<std::string> SaListLines(const Horoscope& h, const SaAnalysis& sa, GrahaIndex g,
                                     MaleficListing listing) {
  std::vector<std::string> lines;
  if (g < 1 || g > 9) return lines;
  const SignIndex rising = RisingSign(h);
  const bool listAll = listing == MaleficListing::Page || (sa.flags[g] & SaFlags::Afflicted) != 0;

  struct Kind {
    const char* heading;
    GrahaSet set;
    bool malefic;
  };
  const Kind kinds[4] = {
      {"Conjunct functional malefic(s): ", sa.conjunctions[g], true},
      {"Conjunct functional benefic(s): ", sa.conjunctions[g], false},
      {"Aspected by functional malefic(s): ", sa.aspects[g], true},
      {"Aspected by functional benefic(s): ", sa.aspects[g], false},
  };
  for (const Kind& kind : kinds) {
    std::string line = kind.heading;
    if (AppendEntries(h, g, kind.set, rising, kind.malefic, listAll, line)) {
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

std::optional<SaNodeHouses> SaNodeHousesBySign(const Horoscope& h, const SaAnalysis& sa) {
  if (sa.houseConjunction[graha::Ketu - 1] == -1) return std::nullopt;
  int a = SignOfLongitude(h.positions[graha::Rahu].longitude) - RisingSign(h);
  if (a < 0) a += 12;
  SaNodeHouses out;
  AppendNodeHouses(a, sa.houseConjunctionStrength[graha::Ketu - 1], out);
  return out;
}

std::optional<SaNodeHouses> SaNodeHousesByMep(const Horoscope& h, const SaAnalysis& sa) {
  if (sa.houseConjunction[graha::Ketu - 1] == -1) return std::nullopt;
  // The node axis stands on an MEP up to 5 degrees away, possibly across a
  // sign boundary from the node: count from the sign that holds that MEP.
  const int d = h.positions[graha::Rahu].signDegrees - h.positions[graha::Ascendant].signDegrees;
  int r = SignOfLongitude(h.positions[graha::Rahu].longitude);
  if (d > 5) r += 1;
  if (d < -5) r -= 1;
  int a = (r - RisingSign(h)) % 12;
  if (a < 0) a += 12;
  SaNodeHouses out;
  AppendNodeHouses(a, sa.houseConjunctionStrength[graha::Ketu - 1], out);
  return out;
}

void WriteSaBlock(const Horoscope& h, const SaAnalysis& sa, std::string& out) {
  const SignIndex rising = RisingSign(h);
  out += "\n\nSystem's Approach Analysis\n";
  out += "==========================\n";
  for (GrahaIndex g = graha::Sun; g <= graha::Saturn; ++g) {
    std::string label = std::string(kGrahaFullNames[g - 1]) + ":";
    if (label.size() < 9) label.append(9 - label.size(), ' ');
    out += label;
    out += SaStatusLine(sa, rising, g);
    out += "\n";
    for (const std::string& line : SaListLines(h, sa, g, MaleficListing::TextExport)) {
      out += "         ";
      out += line;
      out += "\n";
    }
  }
  if (const auto nodes = SaNodeHousesBySign(h, sa)) {
    out += NodeLine("Rahu:    ", nodes->rahu, nodes->strength) + "\n";
    out += NodeLine("Ketu:    ", nodes->ketu, nodes->strength) + "\n";
  }
}

std::string SaBlockText(const Horoscope& h, const SaAnalysis& sa) {
  std::string out;
  WriteSaBlock(h, sa, out);
  return out;
}

}  // namespace sarvexa
