#include "document/place.h"

#include <algorithm>
#include <cmath>

#include "engine/numeric.h"

namespace sarvexa {

namespace {

int NegatedIf(bool negate, int value) { return negate ? SaturatingNegate(value) : value; }

}  // namespace

void CopyLongitude(const PlaceFields& from, PlaceFields& to) {
  to.lonDegrees = from.lonDegrees;
  to.lonMinutes = from.lonMinutes;
  to.isEast = from.isEast;
}

void CopyLatitude(const PlaceFields& from, PlaceFields& to) {
  to.latDegrees = from.latDegrees;
  to.latMinutes = from.latMinutes;
  to.isSouth = from.isSouth;
}

void CopyZone(const PlaceFields& from, PlaceFields& to) {
  to.zoneHours = from.zoneHours;
  to.zoneMinutes = from.zoneMinutes;
  to.zoneEast = from.zoneEast;
}

SignedPlace ToSignedPlace(const PlaceFields& f) {
  SignedPlace s;
  s.lonDegrees = NegatedIf(f.isEast, f.lonDegrees);
  s.lonMinutes = NegatedIf(f.isEast, f.lonMinutes);
  s.latDegrees = NegatedIf(f.isSouth, f.latDegrees);
  s.latMinutes = NegatedIf(f.isSouth, f.latMinutes);
  const bool zoneEast = f.ZoneIsEast();
  s.zoneHours = NegatedIf(zoneEast, f.zoneHours);
  s.zoneMinutes = NegatedIf(zoneEast, f.zoneMinutes);
  s.dstHours = f.dstHours;
  s.dstMinutes = f.dstMinutes;
  return s;
}

AngleParts SplitAngle(double valueDeg) {
  AngleParts a;
  a.negative = valueDeg < 0;
  const long totalMinutes = std::lround(std::fabs(valueDeg) * 60.0);
  a.degrees = static_cast<int>(totalMinutes / 60);
  a.minutes = static_cast<int>(totalMinutes % 60);
  return a;
}

void FillCoordinates(const AtlasPlace& place, PlaceFields& fields) {
  const AngleParts lon = SplitAngle(place.lonDegEast);
  // 180 degrees exactly (a place on the date line) is past the field's 179.
  fields.lonDegrees = std::min(lon.degrees, kMaxLonDegrees);
  fields.lonMinutes = lon.degrees > kMaxLonDegrees ? kMaxMinutes : lon.minutes;
  fields.isEast = !lon.negative && !(lon.degrees == 0 && lon.minutes == 0);
  const AngleParts lat = SplitAngle(place.latDeg);
  fields.latDegrees = std::min(lat.degrees, kMaxLatDegrees);
  fields.latMinutes = lat.degrees > kMaxLatDegrees ? kMaxMinutes : lat.minutes;
  fields.isSouth = lat.negative;
}

}  // namespace sarvexa
