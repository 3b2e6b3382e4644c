#include "document/prasna.h"

#include <ctime>

#include "document/field_checks.h"
#include "engine/calendar.h"
#include "engine/numeric.h"

namespace sarvexa {

using namespace field_checks;

namespace {

struct PrasnaRow {
  enum Kind { LimitedText, Number, Choice } kind;
  int controlId;
  const char* name;
  int minimum, maximum;
  int PrasnaLocationFields::*number;
  std::string PrasnaLocationText::*typedText;
  int PrasnaLocationText::*typedChoice;
};

using F = PrasnaLocationFields;
using T = PrasnaLocationText;

// The dialog's order of exchange and checking on OK.
const PrasnaRow kPrasnaRows[] = {
    {PrasnaRow::Number, 1030, "dstHours", 0, 11, &F::dstHours, &T::dstHours, nullptr},
    {PrasnaRow::Number, 1028, "dstMinutes", 0, 59, &F::dstMinutes, &T::dstMinutes, nullptr},
    {PrasnaRow::Number, 1024, "latDegrees", 0, 89, &F::latDegrees, &T::latDegrees, nullptr},
    {PrasnaRow::Number, 1027, "latMinutes", 0, 59, &F::latMinutes, &T::latMinutes, nullptr},
    {PrasnaRow::Number, 1020, "lonDegrees", 0, 179, &F::lonDegrees, &T::lonDegrees, nullptr},
    {PrasnaRow::Number, 1023, "lonMinutes", 0, 59, &F::lonMinutes, &T::lonMinutes, nullptr},
    {PrasnaRow::Choice, 1025, "isSouth", 0, 1, &F::isSouth, nullptr, &T::isSouth},
    {PrasnaRow::LimitedText, 1019, "place", 0, kPrasnaPlaceMaxChars, nullptr, nullptr, nullptr},
    {PrasnaRow::Number, 1011, "zoneHours", 0, 12, &F::zoneHours, &T::zoneHours, nullptr},
    {PrasnaRow::Number, 1029, "zoneMinutes", 0, 59, &F::zoneMinutes, &T::zoneMinutes, nullptr},
    {PrasnaRow::Choice, 1021, "isEast", 0, 1, &F::isEast, nullptr, &T::isEast},
};

std::optional<FieldError> CheckRow(const PrasnaRow& row, const PrasnaLocationFields& f) {
  if (row.kind == PrasnaRow::LimitedText)
    return CheckLength(f.place, row.controlId, row.name, row.maximum);
  return CheckRange(f.*row.number, row.controlId, row.name, row.minimum, row.maximum);
}

}  // namespace

std::optional<FieldError> ValidatePrasnaLocation(const PrasnaLocationFields& fields) {
  for (const auto& row : kPrasnaRows) {
    if (auto e = CheckRow(row, fields)) return e;
  }
  return std::nullopt;
}

PrasnaLocationParse ParsePrasnaLocationText(const PrasnaLocationText& text) {
  PrasnaLocationFields f;
  for (const auto& row : kPrasnaRows) {
    switch (row.kind) {
      case PrasnaRow::LimitedText:
        f.place = text.place;
        break;
      case PrasnaRow::Number: {
        auto value = ParseWholeNumber(text.*row.typedText);
        if (!value) return {std::nullopt, WholeNumberError(row.controlId, row.name)};
        f.*row.number = *value;
        break;
      }
      case PrasnaRow::Choice:
        f.*row.number = text.*row.typedChoice;
        break;
    }
    if (auto e = CheckRow(row, f)) return {std::nullopt, e};
  }
  f.zoneEast = text.zoneEast;
  f.zoneName = text.zoneName;
  return {f, std::nullopt};
}

PrasnaLocationFields PrasnaLocationToFields(const PrasnaLocation& loc) {
  PrasnaLocationFields f;
  f.dstHours = SaturatingAbs(loc.dstHours);
  f.dstMinutes = SaturatingAbs(loc.dstMinutes);
  f.latDegrees = SaturatingAbs(loc.latDegrees);
  f.latMinutes = SaturatingAbs(loc.latMinutes);
  f.lonDegrees = SaturatingAbs(loc.lonDegrees);
  f.lonMinutes = SaturatingAbs(loc.lonMinutes);
  f.isSouth = loc.isSouth;
  f.place = loc.place;
  f.zoneHours = SaturatingAbs(loc.zoneHours);
  f.zoneMinutes = SaturatingAbs(loc.zoneMinutes);
  f.isEast = loc.isEast;
  f.zoneEast = loc.zoneEast;
  f.zoneName = loc.zoneName;
  return f;
}

PrasnaLocation PrasnaLocationFromFields(const PrasnaLocationFields& f) {
  PrasnaLocation loc;
  loc.place = f.place;
  loc.lonDegrees = f.lonDegrees;
  loc.lonMinutes = f.lonMinutes;
  loc.isEast = f.isEast;
  loc.latDegrees = f.latDegrees;
  loc.latMinutes = f.latMinutes;
  loc.isSouth = f.isSouth;
  loc.zoneHours = f.zoneHours;
  loc.zoneMinutes = f.zoneMinutes;
  loc.dstHours = f.dstHours;
  loc.dstMinutes = f.dstMinutes;
  if (f.zoneEast && *f.zoneEast != (f.isEast == 1)) loc.zoneEast = f.zoneEast;
  loc.zoneName = f.zoneName;
  if (loc.isEast == 1) {
    loc.lonDegrees = -loc.lonDegrees;
    loc.lonMinutes = -loc.lonMinutes;
  }
  if (loc.zoneEast.value_or(loc.isEast == 1)) {
    loc.zoneHours = -loc.zoneHours;
    loc.zoneMinutes = -loc.zoneMinutes;
  }
  if (loc.isSouth == 1) {
    loc.latDegrees = -loc.latDegrees;
    loc.latMinutes = -loc.latMinutes;
  }
  return loc;
}

LocalClockReading ReadSystemLocalClock() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return LocalClockReading{};
  LocalClockReading r;
  r.year = local.tm_year + 1900;
  r.month = local.tm_mon + 1;
  r.day = local.tm_mday;
  r.hour = local.tm_hour;
  r.minute = local.tm_min;
  return r;
}

void SetPrasnaBirthData(const PrasnaLocation& loc, const LocalClockReading& now, Horoscope& h) {
  SetBirthDate(h, now.month, now.day, now.year);
  SetBirthTime(h, now.hour, now.minute, loc.zoneHours, loc.zoneMinutes, loc.dstHours,
               loc.dstMinutes);
  SetBirthPlace(h, loc.lonDegrees, loc.lonMinutes, loc.latDegrees, loc.latMinutes);
}

}  // namespace sarvexa

namespace sarvexa {

PrasnaLocation WithZoneFields(const PrasnaLocation& location, const ZoneFields& zone) {
  PrasnaLocation loc = location;
  const int sign = zone.zoneEast ? -1 : 1;  // the record counts a zone positive west
  loc.zoneHours = sign * zone.zoneHours;
  loc.zoneMinutes = sign * zone.zoneMinutes;
  loc.dstHours = zone.dstHours;
  loc.dstMinutes = 0;
  loc.zoneEast.reset();
  if (zone.zoneEast != (loc.isEast == 1)) loc.zoneEast = zone.zoneEast;
  return loc;
}

double PrasnaLongitudeEast(const PrasnaLocation& location) {
  return -(location.lonDegrees + location.lonMinutes / 60.0);
}

}  // namespace sarvexa
