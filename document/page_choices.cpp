#include "document/page_choices.h"

#include <climits>
#include <utility>

#include "document/field_checks.h"
#include "engine/calendar.h"
#include "engine/chart_calculation.h"
#include "engine/numeric.h"

namespace sarvexa {

using namespace field_checks;

namespace {

// One typed number of a dialog: where it is read from and written to, and
// the range OK admits.
template <class Text, class Values>
struct NumberRow {
  int controlId;
  const char* name;
  int minimum, maximum;
  std::string Text::*typed;
  int Values::*value;
};

// Exchanges one typed number; the whole-number check comes before the range.
template <class Text, class Values>
std::optional<FieldError> TakeNumber(const NumberRow<Text, Values>& row, const Text& text,
                                     Values& values) {
  const std::optional<int> value = ParseWholeNumber(text.*row.typed);
  if (!value) return WholeNumberError(row.controlId, row.name);
  if (auto e = CheckRange(*value, row.controlId, row.name, row.minimum, row.maximum)) return e;
  values.*row.value = *value;
  return std::nullopt;
}

using TRow = NumberRow<TransitDialogText, TransitDialogValues>;
using TT = TransitDialogText;
using TV = TransitDialogValues;

// "Set Transit Data" before and after its radio groups, in the order of
// exchange and checking on OK.
const TRow kTransitRowsBeforeChoices[] = {
    {1017, "day", 1, 31, &TT::day, &TV::day},
    {1018, "year", 1700, 2300, &TT::year, &TV::year},
    {1006, "hour", 1, 12, &TT::hour, &TV::hour12},
    {1024, "latDegrees", 0, kMaxLatDegrees, &TT::latDegrees, &TV::latDegrees},
    {1027, "latMinutes", 0, kMaxMinutes, &TT::latMinutes, &TV::latMinutes},
    {1020, "lonDegrees", 0, kMaxLonDegrees, &TT::lonDegrees, &TV::lonDegrees},
    {1023, "lonMinutes", 0, kMaxMinutes, &TT::lonMinutes, &TV::lonMinutes},
};
const TRow kTransitRowsAfterChoices[] = {
    {1008, "minute", 0, 59, &TT::minute, &TV::minute},
    {1012, "zoneHours", 0, kMaxZoneHours, &TT::zoneHours, &TV::zoneHours},
    {1031, "zoneMinutes", 0, kMaxMinutes, &TT::zoneMinutes, &TV::zoneMinutes},
    {1032, "dstHours", 0, 2, &TT::dstHours, &TV::dstHours},
    {1033, "dstMinutes", INT_MIN, INT_MAX, &TT::dstMinutes, &TV::dstMinutes},
};

using ERow = NumberRow<EphemerisDialogText, EphemerisDialogValues>;
const ERow kEphemerisDay{0, "day", 0, 31, &EphemerisDialogText::day, &EphemerisDialogValues::day};
const ERow kEphemerisYear{
    0, "year", 1800, 2100, &EphemerisDialogText::year, &EphemerisDialogValues::year};

}  // namespace

int To24Hour(int hour12, bool pm) {
  if (pm) {
    const int h = hour12 + 12;
    return h == 24 ? 12 : h;  // 12 PM is noon
  }
  return hour12 == 12 ? 0 : hour12;  // 12 AM is midnight
}

TransitDialogValues TransitDialogFromChoice(const TransitChoice& c) {
  TransitDialogValues v;
  v.monthIndex = c.monthIndex;
  v.day = c.day;
  v.year = c.year;
  int h = c.hour;
  if (h >= 12) {
    h -= 12;
    v.isPm = true;
  }
  v.hour12 = h == 0 ? 12 : h;
  v.minute = c.minute;
  // A zone signed against the longitude's side keeps its own side.
  static_cast<PlaceFields&>(v) = PlaceFromSigned(
      c.signedPlace, c.isEast, c.isSouth,
      ZoneSideOfSigned(c.signedPlace.zoneHours, c.signedPlace.zoneMinutes, c.isEast));
  return v;
}

TransitChoice TransitChoiceFromDialog(const TransitDialogValues& v) {
  TransitChoice c;
  c.day = v.day;
  c.monthIndex = v.monthIndex;
  c.year = v.year;
  c.hour = To24Hour(v.hour12, v.isPm);
  c.minute = v.minute;
  c.signedPlace = ToSignedPlace(v);
  c.isEast = v.isEast;
  c.isSouth = v.isSouth;
  return c;
}

Horoscope TransitHoroscope(const TransitChoice& c) {
  Horoscope h;
  SetBirthDate(h, c.monthIndex + 1, c.day, c.year);
  const SignedPlace& p = c.signedPlace;
  SetBirthTime(h, c.hour, c.minute, p.zoneHours, p.zoneMinutes, p.dstHours, p.dstMinutes);
  SetBirthPlace(h, p.lonDegrees, p.lonMinutes, p.latDegrees, p.latMinutes);
  CalculateHoroscope(h);
  return h;
}

TransitChoice DefaultTransitChoice(const LocalClockReading& now, const PrasnaLocation& loc) {
  return TransitChoice{now.day,    now.month - 1,   now.year,   now.hour,
                       now.minute, loc.signedPlace, loc.isEast, loc.isSouth};
}

Result<TransitDialogValues, FieldError> ParseTransitDialogText(const TransitDialogText& text) {
  TransitDialogValues v;
  v.monthIndex = text.monthIndex;
  for (const TRow& row : kTransitRowsBeforeChoices) {
    if (auto e = TakeNumber(row, text, v)) return Fail(std::move(*e));
  }
  v.isEast = text.isEast;
  v.isSouth = text.isSouth;
  v.isPm = text.isPm;
  for (const TRow& row : kTransitRowsAfterChoices) {
    if (auto e = TakeNumber(row, text, v)) return Fail(std::move(*e));
  }
  if (text.zoneEast && *text.zoneEast != v.isEast) v.zoneEast = *text.zoneEast;
  return v;
}

TransitResult ComputeTransit(const Horoscope& natal, const TransitChoice& choice) {
  TransitResult r;
  r.transit = TransitHoroscope(choice);
  r.analysis = AnalyseTransits(natal, r.transit);
  return r;
}

EphemerisDialogValues DefaultEphemerisChoice(const LocalClockReading& now) {
  return EphemerisDialogValues{now.day, now.month - 1, now.year, EphemerisInterval::Daily};
}

EphemerisPageChoice EphemerisPageOf(const EphemerisDialogValues& v) {
  return EphemerisPageChoice{DayNumberFromDate(v.year, v.monthIndex + 1, v.day), v.interval};
}

Result<EphemerisDialogValues, FieldError> ParseEphemerisDialogText(
    const EphemerisDialogText& text) {
  EphemerisDialogValues v;
  if (auto e = TakeNumber(kEphemerisDay, text, v)) return Fail(std::move(*e));
  v.monthIndex = text.monthIndex;
  if (auto e = TakeNumber(kEphemerisYear, text, v)) return Fail(std::move(*e));
  v.interval = text.interval.value_or(EphemerisInterval::Daily);
  return v;
}

}  // namespace sarvexa
