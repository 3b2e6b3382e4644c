#pragma once
// A place as every dialog and the command line enter it: longitude and
// latitude as magnitudes with their sides, the time zone with its side, the
// daylight saving, and the IANA zone they were filled from. The chart record
// and the stored choices count the same place signed (longitude and zone
// positive West, latitude positive North); the one conversion between the
// two forms lives here, so a place entered anywhere is signed the same way.

#include <optional>
#include <string>

#include "document/place_search.h"

namespace sarvexa {

/// The largest magnitudes the place fields admit, the same in every dialog
/// and on the command line (daylight saving differs by dialog).
inline constexpr int kMaxLonDegrees = 179;
inline constexpr int kMaxLatDegrees = 89;
inline constexpr int kMaxZoneHours = 12;
inline constexpr int kMaxMinutes = 59;

/// The place fields of a dialog, as magnitudes with the sides as flags.
struct PlaceFields {
  int lonDegrees = 0;  ///< 0..179
  int lonMinutes = 0;  ///< 0..59
  bool isEast =
      false;  ///< "West" / "East": signs the longitude, and the zone unless `zoneEast` is set
  int latDegrees = 0;    ///< 0..89
  int latMinutes = 0;    ///< 0..59
  bool isSouth = false;  ///< "North" / "South": signs the latitude
  int zoneHours = 0;     ///< 0..12
  int zoneMinutes = 0;   ///< 0..59
  /// The zone's own side when it differs from the longitude's (Madrid lies
  /// west of Greenwich on a zone east of it); unset, the zone takes the
  /// longitude's side.
  std::optional<bool> zoneEast;
  int dstHours = 0;    ///< whole hours of daylight saving, never negative
  int dstMinutes = 0;  ///< never negative
  /// The IANA zone Zone and DST were filled from (atlas or zone picker);
  /// empty when they were typed by hand.
  std::string zoneName;

  /// The side that signs the zone.
  bool ZoneIsEast() const { return zoneEast.value_or(isEast); }
  friend bool operator==(const PlaceFields&, const PlaceFields&) = default;
};

/// The place fields as typed into a dialog's edits; any text may hold
/// arbitrary characters until it is exchanged.
struct PlaceText {
  std::string lonDegrees = "0", lonMinutes = "0";
  bool isEast = false;
  std::string latDegrees = "0", latMinutes = "0";
  bool isSouth = false;
  std::string zoneHours = "0", zoneMinutes = "0";
  std::optional<bool> zoneEast;  ///< as PlaceFields::zoneEast
  std::string dstHours = "0", dstMinutes = "0";
  std::string zoneName;  ///< as PlaceFields::zoneName
};

/// Copy one part of a place: the longitude or latitude with its side, or the
/// zone with its own side.
void CopyLongitude(const PlaceFields& from, PlaceFields& to);
void CopyLatitude(const PlaceFields& from, PlaceFields& to);
void CopyZone(const PlaceFields& from, PlaceFields& to);

/// A place counted as the chart record counts it: longitude and zone
/// negative East, latitude negative South, daylight saving as entered.
struct SignedPlace {
  int lonDegrees = 0, lonMinutes = 0;
  int latDegrees = 0, latMinutes = 0;
  int zoneHours = 0, zoneMinutes = 0;
  int dstHours = 0, dstMinutes = 0;
  friend bool operator==(const SignedPlace&, const SignedPlace&) = default;
};

/// East negates longitude, the zone's side (its own, else the longitude's)
/// negates the zone, South negates the latitude. Saturating, so that a
/// hand-edited extreme value cannot overflow.
SignedPlace ToSignedPlace(const PlaceFields& fields);

/// A signed angle in degrees as rounded whole degrees and minutes
/// (magnitudes), with `negative` set for a value below zero.
struct AngleParts {
  int degrees = 0;
  int minutes = 0;
  bool negative = false;
};
AngleParts SplitAngle(double valueDeg);

/// Longitude (East/West) and latitude (North/South) of `place`, rounded to
/// the minute; the zone fields are kept.
void FillCoordinates(const AtlasPlace& place, PlaceFields& fields);

}  // namespace sarvexa
