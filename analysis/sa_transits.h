#pragma once
// System's Approach transits: the grahas of a chosen moment judged against
// the natal chart's house MEPs and grahas.

#include <array>
#include <cstdint>
#include <optional>

#include "analysis/sa_analysis.h"

#include "engine/horoscope.h"

namespace sarvexa {

/// The transits of one moment judged against a natal chart.
struct SaTransitAnalysis {
  std::array<double, 12> mep{};  ///< natal house MEPs, degrees
  std::array<std::int32_t, 10>
      transitHouse{};  ///< by transit GrahaIndex - 1: natal house 0..11 or -1; entry 9 always -1
  std::array<std::int32_t, 10>
      transitHouseStrength{};                    ///< closeness percent where transitHouse is not -1
  std::array<GrahaSet, 10> natalConjunctions{};  ///< natal grahas within 5 degrees; entry 9 empty
  std::array<GrahaSet, 10>
      natalAspects{};  ///< natal grahas receiving an aspect within 5 degrees; entry 9 empty
};

/// The comparison of a transit chart with the natal chart: a fresh
/// zero-filled record with every field worked out (strengths only where a
/// conjunction was found). Unlike the natal analysis the natal Rahu and Ketu
/// receive the 180-degree aspect of Sun..Saturn, and the natal Ascendant is
/// no target.
SaTransitAnalysis AnalyseTransits(const Horoscope& natal, const Horoscope& transit);

}  // namespace sarvexa
