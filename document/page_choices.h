#pragma once
// The choices behind the Ephemeris and SA transits pages: the records of the
// "Ephemeris" and "Set Transit Data" dialogs with their OK checks, the stored
// transit choice, the choices offered at the first use, and the transit
// chart of a choice with its comparison against the natal chart.

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/sa_transits.h"
#include "document/chart_data.h"
#include "document/prasna.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

// ---- SA transits ----

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

/// The choice offered at the first use of the transit command: the clock
/// reading `now` at the Prasna location.
TransitChoice DefaultTransitChoice(const LocalClockReading& now, const PrasnaLocation& location);

/// The numeric fields of "Set Transit Data" as typed (see ChartDataText).
struct TransitDialogText {
  int monthIndex = 0;
  std::string day = "1", year = "2000", hour = "12", minute = "0";
  std::string zoneHours = "0", zoneMinutes = "0", dstHours = "0", dstMinutes = "0";
  std::string lonDegrees = "0", lonMinutes = "0", latDegrees = "0", latMinutes = "0";
  int isPm = 0, isEast = 0, isSouth = 0;
  std::optional<bool> zoneEast;  ///< as TransitDialogValues::zoneEast
};

struct TransitDialogParse {
  std::optional<TransitDialogValues> values;  ///< set when every check passed
  std::optional<FieldError> error;            ///< set otherwise
};
/// Exchanges and checks the typed fields in the dialog's order: day, month,
/// year, hour, latitude, longitude, the three radio groups, minutes, zone and
/// daylight saving; the first failure stops it.
TransitDialogParse ParseTransitDialogText(const TransitDialogText& text);

/// A transit chart and its comparison with the natal chart.
struct TransitResult {
  Horoscope transit;
  SaTransitAnalysis analysis;
};
/// The transit chart of `choice` judged against the calculated chart `natal`.
TransitResult ComputeTransit(const Horoscope& natal, const TransitChoice& choice);

// ---- Ephemeris ----

/// The "Ephemeris" dialog's four values.
struct EphemerisDialogValues {
  int day = 1;         ///< 0..31 (0 is the last day of the month before)
  int monthIndex = 0;  ///< 0 = "Jan" .. 11
  int year = 2000;     ///< 1800..2100
  int interval = 0;    ///< 0 Daily, 1 Weekly, 2 Monthly, 3 Yearly
  friend bool operator==(const EphemerisDialogValues&, const EphemerisDialogValues&) = default;
};

/// The choice offered at the first use of the Ephemeris command: the date of
/// the clock reading `now`, daily.
EphemerisDialogValues DefaultEphemerisChoice(const LocalClockReading& now);

/// The fields of "Ephemeris" as typed.
struct EphemerisDialogText {
  std::string day = "1";
  int monthIndex = 0;
  std::string year = "2000";
  int interval = 0;  ///< the checked interval button, or -1 for none (taken as Daily)
};

struct EphemerisDialogParse {
  std::optional<EphemerisDialogValues> values;  ///< set when every check passed
  std::optional<FieldError> error;              ///< set otherwise ("day" or "year")
};
/// Exchanges and checks the typed fields in the dialog's order: day, month,
/// year, interval.
EphemerisDialogParse ParseEphemerisDialogText(const EphemerisDialogText& text);

}  // namespace sarvexa
