#pragma once
// The choices behind the Ephemeris and SA transits pages: the records of the
// "Ephemeris" and "Set Transit Data" dialogs with their OK checks, the stored
// transit choice, the choices offered at the first use, and the transit
// chart of a choice with its comparison against the natal chart.

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/sa_transits.h"
#include "document/cast.h"
#include "document/chart_data.h"
#include "document/ephemeris_series.h"
#include "document/prasna.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

// ---- SA transits ----

/// The transit dialog's last accepted entries: the date, the 24-hour clock
/// time and the place (magnitudes with their sides, as the dialog holds them).
struct TransitChoice {
  std::int32_t day = 0;
  std::int32_t monthIndex = 0;  ///< 0..11
  std::int32_t year = 0;
  std::int32_t hour = 0;  ///< 0..23
  std::int32_t minute = 0;
  PlaceFields where;
  friend bool operator==(const TransitChoice&, const TransitChoice&) = default;
};

/// What the transit dialog shows: magnitudes in its fields and the hour on
/// the 12-hour clock. Order of exchange and checking on OK: day 1017, year
/// 1018, hour 1006, latitude 1024/1027, longitude 1020/1023, the radio
/// groups, minute 1008, zone 1012 (0..12) / 1031 (0..59), DST 1032 (0..2) /
/// 1033 (any whole number).
struct TransitDialogValues : PlaceFields {
  int monthIndex = 0;  ///< 0..11
  int day = 1;         ///< 1..31
  int year = 2000;     ///< 1700..2300
  int hour12 = 12;     ///< 1..12
  int minute = 0;      ///< 0..59
  bool isPm = false;   ///< AM (also when neither button is selected) or PM
  friend bool operator==(const TransitDialogValues&, const TransitDialogValues&) = default;
};

/// The dialog's opening values for a stored choice (or for a choice built
/// from the clock and the Prasna location at the first use): the place as
/// it is, hour 0 shown as 12 AM, hour h >= 12 as h - 12 PM.
TransitDialogValues TransitDialogFromChoice(const TransitChoice& choice);

/// The choice the dialog's values stand for, with the hour on the 24-hour
/// clock. Used both for OK (then stored) and for Cancel (applied to the
/// opening values).
TransitChoice TransitChoiceFromDialog(const TransitDialogValues& values);

/// The transit chart of a choice: date, time and place setters (East
/// negating longitude and zone, South the latitude), then its positions
/// cast under `context` (its theory and conventions).
Result<Horoscope> TransitHoroscope(const TransitChoice& choice, const CastContext& context = {});

/// The choice offered at the first use of the transit command: the clock
/// reading `now` at the Prasna location.
TransitChoice DefaultTransitChoice(const LocalClockReading& now, const PrasnaLocation& location);

/// The numeric fields of "Set Transit Data" as typed (see ChartDataText).
struct TransitDialogText : PlaceText {
  int monthIndex = 0;
  std::string day = "1", year = "2000", hour = "12", minute = "0";
  bool isPm = false;
};

/// Exchanges and checks the typed fields in the dialog's order: day, month,
/// year, hour, latitude, longitude, the three radio groups, minutes, zone and
/// daylight saving; the first failure stops it.
Result<TransitDialogValues, FieldError> ParseTransitDialogText(const TransitDialogText& text);

/// A transit chart and its comparison with the natal chart.
struct TransitResult {
  Horoscope transit;
  SaTransitAnalysis analysis;
  PositionSource source;  ///< where the transit chart's positions came from
};
/// The transit chart of `choice`, cast under `context`, judged against the
/// calculated chart `natal`.
Result<TransitResult> ComputeTransit(const Horoscope& natal, const TransitChoice& choice,
                                     const CastContext& context = {});

// ---- Ephemeris ----

/// The "Ephemeris" dialog's four values.
struct EphemerisDialogValues {
  int day = 1;         ///< 0..31 (0 is the last day of the month before)
  int monthIndex = 0;  ///< 0 = "Jan" .. 11
  int year = 2000;     ///< 1800..2100
  EphemerisInterval interval = EphemerisInterval::Daily;
  friend bool operator==(const EphemerisDialogValues&, const EphemerisDialogValues&) = default;
};

/// The choice offered at the first use of the Ephemeris command: the date of
/// the clock reading `now`, daily.
EphemerisDialogValues DefaultEphemerisChoice(const LocalClockReading& now);

/// Where the Ephemeris page starts and how it steps.
struct EphemerisPageChoice {
  /// Julian Day Number of the first row; 0 = the chart's own date and moment.
  std::int32_t startDay = 0;
  EphemerisInterval interval = EphemerisInterval::Daily;
  friend bool operator==(const EphemerisPageChoice&, const EphemerisPageChoice&) = default;
};

/// The page the dialog's values ask for: their date (day 0 is the last day
/// of the month before) and their interval.
EphemerisPageChoice EphemerisPageOf(const EphemerisDialogValues& values);

/// The fields of "Ephemeris" as typed.
struct EphemerisDialogText {
  std::string day = "1";
  int monthIndex = 0;
  std::string year = "2000";
  /// The checked interval button; none is taken as Daily.
  std::optional<EphemerisInterval> interval;
};

/// Exchanges and checks the typed fields in the dialog's order: day, month,
/// year, interval. A failure names "day" or "year".
Result<EphemerisDialogValues, FieldError> ParseEphemerisDialogText(const EphemerisDialogText& text);

}  // namespace sarvexa
