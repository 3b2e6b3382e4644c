#include "document/prasna.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "document/atlas.h"
#include "document/field_checks.h"
#include "engine/calendar.h"
#include "engine/numeric.h"

namespace sarvexa {

using namespace field_checks;

namespace {

// The radio groups (West/East, North/South) hold a side each and cannot
// fail; they are taken over after the table.
struct PrasnaRow {
  enum Kind { LimitedText, Number } kind;
  int controlId;
  const char* name;
  int minimum, maximum;
  int PrasnaLocationFields::*number;
  std::string PrasnaLocationText::*typedText;
};

using F = PrasnaLocationFields;
using T = PrasnaLocationText;

// The dialog's order of exchange and checking on OK.
const PrasnaRow kPrasnaRows[] = {
    {PrasnaRow::Number, 1030, "dstHours", 0, 11, &F::dstHours, &T::dstHours},
    {PrasnaRow::Number, 1028, "dstMinutes", 0, kMaxMinutes, &F::dstMinutes, &T::dstMinutes},
    {PrasnaRow::Number, 1024, "latDegrees", 0, kMaxLatDegrees, &F::latDegrees, &T::latDegrees},
    {PrasnaRow::Number, 1027, "latMinutes", 0, kMaxMinutes, &F::latMinutes, &T::latMinutes},
    {PrasnaRow::Number, 1020, "lonDegrees", 0, kMaxLonDegrees, &F::lonDegrees, &T::lonDegrees},
    {PrasnaRow::Number, 1023, "lonMinutes", 0, kMaxMinutes, &F::lonMinutes, &T::lonMinutes},
    {PrasnaRow::LimitedText, 1019, "place", 0, kPrasnaPlaceMaxChars, nullptr, nullptr},
    {PrasnaRow::Number, 1011, "zoneHours", 0, kMaxZoneHours, &F::zoneHours, &T::zoneHours},
    {PrasnaRow::Number, 1029, "zoneMinutes", 0, kMaxMinutes, &F::zoneMinutes, &T::zoneMinutes},
};

Result<void, FieldError> CheckRow(const PrasnaRow& row, const PrasnaLocationFields& f) {
  if (row.kind == PrasnaRow::LimitedText)
    return CheckLength(f.place, row.controlId, row.name, row.maximum);
  return CheckRange(f.*row.number, row.controlId, row.name, row.minimum, row.maximum);
}

}  // namespace

Result<void, FieldError> ValidatePrasnaLocation(const PrasnaLocationFields& fields) {
  for (const auto& row : kPrasnaRows) {
    if (auto checked = CheckRow(row, fields); !checked) return checked;
  }
  return {};
}

Result<PrasnaLocationFields, FieldError> ParsePrasnaLocationText(const PrasnaLocationText& text) {
  PrasnaLocationFields f;
  for (const auto& row : kPrasnaRows) {
    switch (row.kind) {
      case PrasnaRow::LimitedText:
        f.place = text.place;
        break;
      case PrasnaRow::Number: {
        auto value = ParseWholeNumber(text.*row.typedText);
        if (!value) return Fail(WholeNumberError(row.controlId, row.name));
        f.*row.number = *value;
        break;
      }
    }
    if (auto checked = CheckRow(row, f); !checked) return Fail(checked.error());
  }
  f.isEast = text.isEast;
  f.isSouth = text.isSouth;
  f.zoneEast = text.zoneEast;
  f.zoneName = text.zoneName;
  return f;
}

PrasnaLocationFields PrasnaLocationToFields(const PrasnaLocation& loc) {
  PrasnaLocationFields f;
  static_cast<PlaceFields&>(f) = loc.where;
  f.place = loc.place;
  return f;
}

PrasnaLocation PrasnaLocationFromFields(const PrasnaLocationFields& f) {
  PrasnaLocation loc;
  loc.place = f.place;
  loc.where = f;
  if (f.zoneEast && *f.zoneEast == f.isEast) loc.where.zoneEast.reset();
  return loc;
}

void SetPrasnaBirthData(const PrasnaLocation& loc, const LocalClockReading& now, Horoscope& h) {
  SetBirthDate(h, now.month, now.day, now.year);
  const SignedPlace p = ToSignedPlace(loc.where);
  SetBirthTime(h, now.hour, now.minute, p.zoneHours, p.zoneMinutes, p.dstHours, p.dstMinutes);
  SetBirthPlace(h, p.lonDegrees, p.lonMinutes, p.latDegrees, p.latMinutes);
}

}  // namespace sarvexa

namespace sarvexa {

PrasnaLocation WithZoneFields(const PrasnaLocation& location, const ZoneFields& zone) {
  PrasnaLocation loc = location;
  loc.where.zoneHours = zone.zoneHours;
  loc.where.zoneMinutes = zone.zoneMinutes;
  loc.where.dstHours = zone.dstHours;
  loc.where.dstMinutes = 0;
  loc.where.zoneEast.reset();
  if (zone.zoneEast != loc.where.isEast) loc.where.zoneEast = zone.zoneEast;
  return loc;
}

double PrasnaLongitudeEast(const PrasnaLocation& location) {
  const SignedPlace p = ToSignedPlace(location.where);
  return -(p.lonDegrees + p.lonMinutes / 60.0);
}

int ClockOffsetSecondsEast(const SignedPlace& p) {
  // The record counts a zone positive west, with hours and minutes of one
  // sign; the saving puts the clock ahead.
  const std::int64_t seconds = -(static_cast<std::int64_t>(p.zoneHours) * 3600 +
                                 static_cast<std::int64_t>(p.zoneMinutes) * 60) +
                               static_cast<std::int64_t>(p.dstHours) * 3600;
  // Only a hand-edited settings file can hold more than a day; keep it a day.
  return static_cast<int>(std::clamp<std::int64_t>(seconds, -86400, 86400));
}

PrasnaClock PrasnaClockAt(const PrasnaLocation& location, Instant instant, Atlas* atlas) {
  PrasnaClock c{location, {}};
  const std::string& zoneName = location.where.zoneName;
  if (atlas && !zoneName.empty()) {
    if (const auto period = atlas->ZoneAtInstant(zoneName, instant.unixSeconds)) {
      const LocalZoneInfo info{LocalTimeKind::Unique, *period, {}};
      c.location = WithZoneFields(
          location,
          ZoneFieldsFor(info, zoneName, PrasnaLongitudeEast(location), FoldChoice::Unresolved));
    }
  }
  c.reading = ClockReadingAt(instant, ClockOffsetSecondsEast(ToSignedPlace(c.location.where)));
  return c;
}

Instant PrasnaInstantOf(const PrasnaLocation& location, const LocalClockReading& reading,
                        Atlas* atlas) {
  PrasnaLocation zoned = location;
  const std::string& zoneName = location.where.zoneName;
  if (atlas && !zoneName.empty()) {
    const LocalMoment moment{reading.year, reading.month, reading.day, reading.hour,
                             reading.minute};
    if (const auto info = atlas->ZoneAt(zoneName, moment)) {
      const ZoneFields zone = ZoneFieldsFor(
          *info, zoneName, PrasnaLongitudeEast(location),
          info->kind == LocalTimeKind::Unique ? FoldChoice::Unresolved : FoldChoice::Later);
      zoned = WithZoneFields(location, zone);
    }
  }
  return InstantOfReading(reading, ClockOffsetSecondsEast(ToSignedPlace(zoned.where)));
}

}  // namespace sarvexa
