#pragma once
// The chart record: birth moment and place as the calculation uses them, and
// the computed sidereal positions of the Ascendant and the nine grahas.
// A plain value, copyable byte for byte; names and place text live beside it
// in the chart document.

#include <array>
#include <cstdint>

#include "engine/numeric.h"

namespace sarvexa {

/// Index of a chart point: 0 Ascendant, 1 Sun .. 7 Saturn, 8 Rahu, 9 Ketu.
/// Keys `Horoscope::positions` and every name table below.
using GrahaIndex = int;

namespace graha {
inline constexpr GrahaIndex Ascendant = 0;
inline constexpr GrahaIndex Sun = 1;
inline constexpr GrahaIndex Moon = 2;
inline constexpr GrahaIndex Mars = 3;
inline constexpr GrahaIndex Mercury = 4;
inline constexpr GrahaIndex Jupiter = 5;
inline constexpr GrahaIndex Venus = 6;
inline constexpr GrahaIndex Saturn = 7;
inline constexpr GrahaIndex Rahu = 8;
inline constexpr GrahaIndex Ketu = 9;
inline constexpr int kCount = 10;  ///< Ascendant plus nine grahas
}  // namespace graha

/// Sidereal sign: 0 Aries .. 11 Pisces; floor(longitude / 30).
using SignIndex = int;

/// Sign of a longitude in degrees: floor(longitude / 30) of the reduced
/// value, always 0..11 (a NaN or infinite longitude counts as 0, Aries).
inline SignIndex SignOfLongitude(double lonDeg) noexcept {
  const std::int32_t s = TruncToInt(ReduceDegrees(lonDeg) / 30.0);
  return s > 11 ? 11 : (s < 0 ? 0 : s);
}

/// One computed chart point. The built-in theory (CalculateHoroscope) gives
/// the grahas a half-minute offset and truncates degrees and minutes, so the
/// minutes read as rounded; positions from an ephemeris library are stored
/// unshifted with degrees and minutes rounded within the sign
/// (StoreEphemerisPositions, position_theory.h).
struct GrahaPosition {
  double longitude = 0.0;        ///< sidereal degrees (Lahiri by default), 0 <= x < 360
  std::int16_t retrograde = 0;   ///< 1 while moving backwards (Mars..Saturn only)
  std::int16_t signDegrees = 0;  ///< whole degrees within the sign, 0..29
  std::int16_t minutes = 0;      ///< arc-minutes, 0..59
  double dailyMotion = 0.0;      ///< motion in longitude, degrees/day (negative when backwards)
};

/// One chart. Fields 1..6 are the birth data, 7 is derived from them by the
/// time setter, 8..9 are written by CalculateHoroscope.
struct Horoscope {
  std::int32_t julianDay = 0;    ///< Julian Day Number of the local civil date as entered
  double universalTime = 0.0;    ///< hours; local time + zone - dst, not reduced to 0..24
  double zone = 0.0;             ///< hours, positive west of Greenwich
  std::int16_t dst = 0;          ///< whole daylight-saving hours subtracted from clock time
  double longitude = 0.0;        ///< geographic degrees, positive west
  double latitude = 0.0;         ///< geographic degrees, positive north
  double julianCenturies = 0.0;  ///< T, Julian centuries of 36525 days from JD 2451545.0 (UT)
  double ayanamsaCorrection =
      0.0;  ///< degrees added to a tropical longitude (negative: minus the ayanamsa)
  std::array<GrahaPosition, graha::kCount> positions{};  ///< keyed by GrahaIndex
};

/// Two-letter names keyed by GrahaIndex: "As", "Su" .. "Ke".
inline constexpr const char* kGrahaTwoLetterNames[graha::kCount] = {"As", "Su", "Mo", "Ma", "Me",
                                                                    "Ju", "Ve", "Sa", "Ra", "Ke"};

/// Upper-case two-letter names keyed by GrahaIndex: "AS", "SU" .. "KE".
inline constexpr const char* kGrahaUpperNames[graha::kCount] = {"AS", "SU", "MO", "MA", "ME",
                                                                "JU", "VE", "SA", "RA", "KE"};

/// Short names, indexed by GrahaIndex - 1 (Sun .. Ketu).
inline constexpr const char* kGrahaShortNames[9] = {"Sun",   "Moon", "Mars", "Merc", "Jupt",
                                                    "Venus", "Sat",  "Rahu", "Ketu"};

/// Full names, indexed by GrahaIndex - 1 (Sun .. Ketu).
inline constexpr const char* kGrahaFullNames[9] = {"Sun",   "Moon",   "Mars", "Mercury", "Jupiter",
                                                   "Venus", "Saturn", "Rahu", "Ketu"};

/// Sign abbreviations keyed by SignIndex.
inline constexpr const char* kSignAbbreviations[12] = {"Ar", "Ta", "Ge", "Cn", "Le", "Vi",
                                                       "Li", "Sc", "Sg", "Cp", "Aq", "Pi"};

/// Month abbreviations, index 0 = January; every month list and printed date.
inline constexpr const char* kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace sarvexa
