#pragma once
// The Prasna location (the place a chart of the present moment is cast for),
// the fields of the "Set Location for Prasna" dialog with their OK checks,
// the location's own clock at an instant, and casting the Prasna's birth
// data from that clock.

#include <optional>
#include <string>

#include "document/chart_data.h"
#include "document/place.h"
#include "document/present.h"
#include "document/zone_fields.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

class Atlas;

/// The place of the Prasna location when none is stored: 122 W 03, 37 N 54,
/// zone 8 hours west, no daylight saving.
inline PlaceFields DefaultPrasnaPlace() {
  PlaceFields p;
  p.lonDegrees = 122;
  p.lonMinutes = 3;
  p.latDegrees = 37;
  p.latMinutes = 54;
  p.zoneHours = 8;
  return p;
}

/// The stored Prasna location: its place text and the place as every dialog
/// holds one (magnitudes with their sides; the chart record's signs come
/// from ToSignedPlace). The defaults are those used when nothing is stored:
/// 122 W 03, 37 N 54, zone 8 hours west, no daylight saving, empty place.
struct PrasnaLocation {
  std::string place;  ///< UTF-8, the dialog admits at most 30 characters
  /// Longitude, latitude, zone (with its own side only when it differs from
  /// the longitude's), daylight saving, and the IANA zone they came from
  /// (atlas; empty when typed by hand: each Prasna then takes the zone and
  /// DST in force at its moment).
  PlaceFields where = DefaultPrasnaPlace();
  friend bool operator==(const PrasnaLocation&, const PrasnaLocation&) = default;
};

/// The fields of "Set Location for Prasna". Numbers are magnitudes; signs
/// come from the radio groups. Order of exchange and checking on OK: DST
/// 1030 (0..11), 1028 (0..59); latitude 1024, 1027; longitude 1020, 1023;
/// the place 1019; zone 1011 (0..12), 1029 (0..59).
struct PrasnaLocationFields : PlaceFields {
  std::string place;  ///< 1019, at most 30 characters
  friend bool operator==(const PrasnaLocationFields&, const PrasnaLocationFields&) = default;
};

/// The fields as typed (see ChartDataText).
struct PrasnaLocationText : PlaceText {
  std::string place;
};

inline constexpr int kPrasnaPlaceMaxChars = 30;

/// The first failing field in the dialog's order, or success.
Result<void, FieldError> ValidatePrasnaLocation(const PrasnaLocationFields& fields);

/// Exchanges and checks typed fields in the dialog's order.
Result<PrasnaLocationFields, FieldError> ParsePrasnaLocationText(const PrasnaLocationText& text);

/// The dialog's values for a stored location: magnitudes, flags, place.
PrasnaLocationFields PrasnaLocationToFields(const PrasnaLocation& location);

/// The stored location for accepted dialog values; the zone keeps its own
/// side only where it differs from the longitude's.
PrasnaLocation PrasnaLocationFromFields(const PrasnaLocationFields& fields);

/// The Prasna's birth data: the clock reading taken as local time at the
/// location (seconds dropped), with the location's zone, daylight saving and
/// coordinates. Sets the first seven fields of `h`; positions not computed.
void SetPrasnaBirthData(const PrasnaLocation& location, const LocalClockReading& now, Horoscope& h);

/// The location with the zone and DST of `zone` (its fields at the moment of
/// the Prasna) in place of the stored ones; the coordinates are kept.
PrasnaLocation WithZoneFields(const PrasnaLocation& location, const ZoneFields& zone);

/// How far the location's clock runs ahead of Universal Time, in seconds
/// (positive east), by its zone and daylight-saving fields: the offset the
/// chart record's conversion takes back off the local time.
int ClockOffsetSecondsEast(const SignedPlace& place);

/// The location's own clock at an instant: the location with the zone and
/// DST in force then (from its IANA zone through `atlas` when it has one
/// that the atlas knows, as stored otherwise) and what that clock shows.
struct PrasnaClock {
  PrasnaLocation location;    ///< zone and DST as in force at the instant
  LocalClockReading reading;  ///< the local clock reading, seconds dropped
};
PrasnaClock PrasnaClockAt(const PrasnaLocation& location, Instant instant, Atlas* atlas);

/// The instant at which the location's clock shows `reading`: by the stored
/// zone and DST, or by its IANA zone at that reading (in a doubled hour the
/// later offset, the one in force from then on).
Instant PrasnaInstantOf(const PrasnaLocation& location, const LocalClockReading& reading,
                        Atlas* atlas);

/// Longitude of a stored location in degrees, positive EAST.
double PrasnaLongitudeEast(const PrasnaLocation& location);

}  // namespace sarvexa
