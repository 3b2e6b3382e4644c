#include "document/page_choices.h"

#include <climits>
#include <utility>

#include "document/field_checks.h"
#include "engine/calendar.h"
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
Result<void, FieldError> TakeNumber(const NumberRow<Text, Values>& row, const Text& text,
                                    Values& values) {
  const std::optional<int> value = ParseWholeNumber(text.*row.typed);
  if (!value) return Fail(WholeNumberError(row.controlId, row.name));
  if (auto checked = CheckRange(*value, row.controlId, row.name, row.minimum, row.maximum);
      !checked)
    return checked;
  values.*row.value = *value;
  return {};
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

TransitDialogValues TransitDialogFromChoice(const TransitChoice& c) {
  TransitDialogValues v;
  static_cast<PlaceFields&>(v) = c.where;
  v.monthIndex = c.monthIndex;
  v.day = c.day;
  v.year = c.year;
  const TwelveHour hour = To12Hour(c.hour);
  v.hour12 = hour.hour;
  v.isPm = hour.isPm;
  v.minute = c.minute;
  return v;
}

TransitChoice TransitChoiceFromDialog(const TransitDialogValues& v) {
  TransitChoice c;
  c.day = v.day;
  c.monthIndex = v.monthIndex;
  c.year = v.year;
  c.hour = To24Hour(v.hour12, v.isPm);
  c.minute = v.minute;
  c.where = v;
  return c;
}

namespace {

// The transit chart of a choice into `h`, and where its positions came from.
Result<PositionSource> CastTransit(const TransitChoice& c, const CastContext& context,
                                   Horoscope& h) {
  SetBirthDate(h, c.monthIndex + 1, c.day, c.year);
  const SignedPlace p = ToSignedPlace(c.where);
  SetBirthTime(h, c.hour, c.minute, p.zoneHours, p.zoneMinutes, p.dstHours, p.dstMinutes);
  SetBirthPlace(h, p.lonDegrees, p.lonMinutes, p.latDegrees, p.latMinutes);
  return CastPositions(h, context);
}

}  // namespace

Result<Horoscope> TransitHoroscope(const TransitChoice& c, const CastContext& context) {
  Horoscope h;
  if (auto cast = CastTransit(c, context, h); !cast) return Fail(cast.error());
  return h;
}

TransitChoice DefaultTransitChoice(const LocalClockReading& now, const PrasnaLocation& loc) {
  TransitChoice c{now.day, now.month - 1, now.year, now.hour, now.minute, loc.where};
  // The transit place is typed into the dialog, not followed through a zone.
  c.where.zoneName.clear();
  return c;
}

Result<TransitDialogValues, FieldError> ParseTransitDialogText(const TransitDialogText& text) {
  TransitDialogValues v;
  v.monthIndex = text.monthIndex;
  for (const TRow& row : kTransitRowsBeforeChoices) {
    if (auto taken = TakeNumber(row, text, v); !taken) return Fail(taken.error());
  }
  v.isEast = text.isEast;
  v.isSouth = text.isSouth;
  v.isPm = text.isPm;
  for (const TRow& row : kTransitRowsAfterChoices) {
    if (auto taken = TakeNumber(row, text, v); !taken) return Fail(taken.error());
  }
  if (text.zoneEast && *text.zoneEast != v.isEast) v.zoneEast = *text.zoneEast;
  return v;
}

Result<TransitResult> ComputeTransit(const Horoscope& natal, const TransitChoice& choice,
                                     const CastContext& context) {
  Horoscope transit;
  Result<PositionSource> source = CastTransit(choice, context, transit);
  if (!source) return Fail(source.error());
  return TransitResult{transit, AnalyseTransits(natal, transit), std::move(*source)};
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
  if (auto taken = TakeNumber(kEphemerisDay, text, v); !taken) return Fail(taken.error());
  v.monthIndex = text.monthIndex;
  if (auto taken = TakeNumber(kEphemerisYear, text, v); !taken) return Fail(taken.error());
  v.interval = text.interval.value_or(EphemerisInterval::Daily);
  return v;
}

}  // namespace sarvexa
