#pragma once
// System's Approach transits: the grahas of a chosen moment judged against
// the natal chart's house MEPs and grahas, and the conversion of the transit
// dialog's entries into the transit chart.

#include <array>
#include <cstdint>
#include <optional>

#include "analysis/sa_analysis.h"

#include "engine/horoscope.h"

namespace sarvexa {

/// The transit dialog's last accepted entries, as stored: 24-hour hour, zone
/// and longitude negative for East, latitude negative for South.
struct TransitChoice {
  std::int32_t day = 0;
  std::int32_t monthIndex = 0;  ///< 0..11
  std::int32_t year = 0;
  std::int32_t hour = 0;        ///< 0..23
  std::int32_t minute = 0;
  std::int32_t zoneHours = 0;
  std::int32_t zoneMinutes = 0;
  std::int32_t dstHours = 0;
  std::int32_t dstMinutes = 0;
  std::int32_t lonDegrees = 0;
  std::int32_t lonMinutes = 0;
  std::int32_t latDegrees = 0;
  std::int32_t latMinutes = 0;
  std::int32_t isEast = 0;      ///< 0 or 1
  std::int32_t isSouth = 0;     ///< 0 or 1
  friend bool operator==(const TransitChoice&, const TransitChoice&) = default;
};

/// What the transit dialog shows: magnitudes in its fields, the hour on the
/// 12-hour clock and the radio buttons as 0/1.
struct TransitDialogValues {
  int monthIndex = 0;  ///< 0..11
  int day = 1;         ///< 1..31
  int year = 2000;     ///< 1700..2300
  int hour12 = 12;     ///< 1..12
  int minute = 0;      ///< 0..59
  int isPm = 0;        ///< 0 AM (also when neither button is selected), 1 PM
  int zoneHours = 0;   ///< 0..12
  int zoneMinutes = 0; ///< 0..59
  int dstHours = 0;    ///< 0..2
  int dstMinutes = 0;
  int lonDegrees = 0;  ///< 0..179
  int lonMinutes = 0;  ///< 0..59
  int isEast = 0;      ///< 0 West, 1 East
  int latDegrees = 0;  ///< 0..89
  int latMinutes = 0;  ///< 0..59
  int isSouth = 0;     ///< 0 North, 1 South
  /// The zone's own side when it differs from the longitude's; unset, the
  /// zone takes the longitude's side.
  std::optional<bool> zoneEast;
  friend bool operator==(const TransitDialogValues&, const TransitDialogValues&) = default;
};

/// 24-hour hour of a 12-hour clock reading: 12 AM is 0, 12 PM is 12, 11 PM is 23.
int To24Hour(int hour12, bool pm);

/// The dialog's opening values for a stored choice (or for a choice built
/// from the clock and the Prasna location at the first use): magnitudes of
/// the signed fields, hour 0 shown as 12 AM, hour h >= 12 as h - 12 PM.
TransitDialogValues TransitDialogFromChoice(const TransitChoice& choice);

/// The choice the dialog's values stand for: 24-hour hour, zone hours and
/// minutes and longitude negated for East, latitude negated for South. Used
/// both for OK (then stored) and for Cancel (applied to the opening values).
TransitChoice TransitChoiceFromDialog(const TransitDialogValues& values);

/// The transit chart of a choice: date, time and place setters, then the
/// chart calculation.
Horoscope TransitHoroscope(const TransitChoice& choice);

/// The transits of one moment judged against a natal chart.
struct SaTransitAnalysis {
  std::array<double, 12> mep{};  ///< natal house MEPs, degrees
  std::array<std::int32_t, 10> transitHouse{};  ///< by transit GrahaIndex - 1: natal house 0..11 or -1; entry 9 always -1
  std::array<std::int32_t, 10> transitHouseStrength{};  ///< closeness percent where transitHouse is not -1
  std::array<GrahaSet, 10> natalConjunctions{};  ///< natal grahas within 5 degrees; entry 9 empty
  std::array<GrahaSet, 10> natalAspects{};       ///< natal grahas receiving an aspect within 5 degrees; entry 9 empty
};

/// Rewrites every field of `result` (strengths only where a conjunction was
/// found) from the natal and the transit chart. Unlike the natal analysis the
/// natal Rahu and Ketu receive the 180-degree aspect of Sun..Saturn, and the
/// natal Ascendant is no target.
void analyseTransits(const Horoscope& natal, const Horoscope& transit, SaTransitAnalysis& result);

/// analyseTransits into a fresh zero-filled record.
SaTransitAnalysis AnalyseTransits(const Horoscope& natal, const Horoscope& transit);

}  // namespace sarvexa
