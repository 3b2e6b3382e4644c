#pragma once
// Filling a dialog's place fields from an atlas place.
// The "Chart Data", Prasna location and transit dialogs (and the CLI's birth
// options) all hold a place as magnitudes with side flags; these templates
// fill any such record, so each dialog gets the same values.

#include <algorithm>
#include <cmath>
#include <string>

#include "document/place_search.h"

namespace sarvexa {

/// A signed angle in degrees as rounded whole degrees and minutes
/// (magnitudes), with `negative` set for a value below zero.
struct AngleParts {
  int degrees = 0;
  int minutes = 0;
  bool negative = false;
};
inline AngleParts SplitAngle(double valueDeg) {
  AngleParts a;
  a.negative = valueDeg < 0;
  const long totalMinutes = std::lround(std::fabs(valueDeg) * 60.0);
  a.degrees = static_cast<int>(totalMinutes / 60);
  a.minutes = static_cast<int>(totalMinutes % 60);
  return a;
}

/// Longitude (East/West) and latitude (North/South) of `place`, rounded to
/// the minute. `fields` needs lonDegrees, lonMinutes, isEast, latDegrees,
/// latMinutes, isSouth.
template <typename Fields>
void FillCoordinates(const AtlasPlace& place, Fields& fields) {
  const AngleParts lon = SplitAngle(place.lonDegEast);
  // 180 degrees exactly (a place on the date line) is past the field's 179.
  fields.lonDegrees = std::min(lon.degrees, 179);
  fields.lonMinutes = lon.degrees > 179 ? 59 : lon.minutes;
  fields.isEast = lon.negative ? 0 : 1;
  if (lon.degrees == 0 && lon.minutes == 0) fields.isEast = 0;
  const AngleParts lat = SplitAngle(place.latDeg);
  fields.latDegrees = std::min(lat.degrees, 89);
  fields.latMinutes = lat.degrees > 89 ? 59 : lat.minutes;
  fields.isSouth = lat.negative ? 1 : 0;
}

/// The place's name for a place field of `maxChars` characters: the display
/// name when it fits, else "Name, Country", else the name (cut to the limit).
std::string PlaceFieldText(const AtlasPlace& place, int maxChars);

}  // namespace sarvexa
