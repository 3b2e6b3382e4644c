#include "document/chart_data.h"

#include <cctype>
#include <climits>
#include <utility>

#include "document/field_checks.h"
#include "document/utf8.h"
#include "engine/calendar.h"
#include "engine/numeric.h"
#include "engine/text_format.h"

namespace sarvexa {

namespace field_checks {

FieldError RangeError(int controlId, const char* name, int minimum, int maximum) {
  FieldError e;
  e.controlId = controlId;
  e.field = name;
  e.kind = FieldError::Kind::Range;
  e.minimum = minimum;
  e.maximum = maximum;
  e.message = FormatText("Please enter an integer between %d and %d.", minimum, maximum);
  return e;
}

FieldError WholeNumberError(int controlId, const char* name) {
  FieldError e;
  e.controlId = controlId;
  e.field = name;
  e.kind = FieldError::Kind::WholeNumber;
  e.message = "Please enter an integer.";
  return e;
}

FieldError TooLongError(int controlId, const char* name, int maxChars) {
  FieldError e;
  e.controlId = controlId;
  e.field = name;
  e.kind = FieldError::Kind::TooLong;
  e.maxChars = maxChars;
  e.message = FormatText("Enter no more than %d characters.", maxChars);
  return e;
}

Result<void, FieldError> CheckRange(int value, int controlId, const char* name, int minimum,
                                    int maximum) {
  if (value < minimum || value > maximum)
    return Fail(RangeError(controlId, name, minimum, maximum));
  return {};
}

Result<void, FieldError> CheckLength(const std::string& text, int controlId, const char* name,
                                     int maxChars) {
  if (CountCharacters(text) > maxChars) return Fail(TooLongError(controlId, name, maxChars));
  return {};
}

}  // namespace field_checks

using namespace field_checks;

int CountCharacters(std::string_view text) {
  int count = 0;
  std::size_t pos = 0;
  bool valid = true;
  while (pos < text.size()) {
    utf8::Next(text, pos, valid);
    if (count < INT_MAX) ++count;
  }
  return count;
}

namespace {

// One row of the "Chart Data" field table, in the order of exchange and
// checking on OK. Numeric fields exist both as typed text and as numbers.
// The radio groups (AM/PM, West/East, North/South) hold a side each and
// cannot fail; they are taken over after the table.
struct FieldRow {
  enum Kind { FreeText, LimitedText, Number, Choice } kind;
  int controlId;
  const char* name;
  int minimum, maximum;  // Number, Choice: range; LimitedText: maximum = characters
  std::string ChartDataFields::*text;
  int ChartDataFields::*number;
  std::string ChartDataText::*typedText;
  int ChartDataText::*typedChoice;
};

using F = ChartDataFields;
using T = ChartDataText;

const FieldRow kChartDataRows[] = {
    {FieldRow::FreeText, 1002, "firstName", 0, 0, &F::firstName, nullptr, &T::firstName, nullptr},
    {FieldRow::FreeText, 1004, "lastName", 0, 0, &F::lastName, nullptr, &T::lastName, nullptr},
    {FieldRow::Number, 1006, "hour", 1, 12, nullptr, &F::hour, &T::hour, nullptr},
    {FieldRow::Number, 1008, "minute", 0, 59, nullptr, &F::minute, &T::minute, nullptr},
    {FieldRow::Number, 1017, "day", 1, 31, nullptr, &F::day, &T::day, nullptr},
    {FieldRow::Number, 1018, "year", kChartDataFirstYear, kChartDataLastYear, nullptr, &F::year,
     &T::year, nullptr},
    {FieldRow::LimitedText, 1019, "place", 0, kChartDataPlaceMaxChars, &F::place, nullptr,
     &T::place, nullptr},
    {FieldRow::Number, 1020, "lonDegrees", 0, kMaxLonDegrees, nullptr, &F::lonDegrees,
     &T::lonDegrees, nullptr},
    {FieldRow::Number, 1023, "lonMinutes", 0, kMaxMinutes, nullptr, &F::lonMinutes, &T::lonMinutes,
     nullptr},
    {FieldRow::Choice, 1016, "monthIndex", 0, 11, nullptr, &F::monthIndex, nullptr, &T::monthIndex},
    {FieldRow::Number, 1024, "latDegrees", 0, kMaxLatDegrees, nullptr, &F::latDegrees,
     &T::latDegrees, nullptr},
    {FieldRow::Number, 1027, "latMinutes", 0, kMaxMinutes, nullptr, &F::latMinutes, &T::latMinutes,
     nullptr},
    {FieldRow::Number, 1011, "zoneHours", 0, kMaxZoneHours, nullptr, &F::zoneHours, &T::zoneHours,
     nullptr},
    {FieldRow::Number, 1029, "zoneMinutes", 0, kMaxMinutes, nullptr, &F::zoneMinutes,
     &T::zoneMinutes, nullptr},
    {FieldRow::Number, 1030, "dstHours", 0, 12, nullptr, &F::dstHours, &T::dstHours, nullptr},
    {FieldRow::Number, 1028, "dstMinutes", 0, kMaxMinutes, nullptr, &F::dstMinutes, &T::dstMinutes,
     nullptr},
};

Result<void, FieldError> CheckRow(const FieldRow& row, const ChartDataFields& f) {
  switch (row.kind) {
    case FieldRow::FreeText:
      return {};
    case FieldRow::LimitedText:
      return CheckLength(f.*row.text, row.controlId, row.name, row.maximum);
    case FieldRow::Number:
    case FieldRow::Choice:
      return CheckRange(f.*row.number, row.controlId, row.name, row.minimum, row.maximum);
  }
  return {};
}

// A signed coordinate as the dialog shows it: rounded degrees and minutes as
// magnitudes, and true for the negative side (East, South). Between 0 and -1
// degree the sign is carried by the minutes alone.
bool SplitSide(double value, int& degrees, int& minutes) {
  WholeAndMinutes dm = SplitDegreesRounded(value);
  bool negativeSide = false;
  if (dm.whole < 0) {
    dm.whole = SaturatingNegate(dm.whole);
    dm.minutes = SaturatingNegate(dm.minutes);
    negativeSide = true;
  } else if (dm.whole == 0 && dm.minutes < 0) {
    dm.minutes = SaturatingNegate(dm.minutes);
    negativeSide = true;
  }
  degrees = dm.whole;
  minutes = dm.minutes;
  return negativeSide;
}

// The dialog's checks on OK, in its order: the first failure, or success.
Result<void, FieldError> ValidateChartData(const ChartDataFields& fields) {
  for (const auto& row : kChartDataRows) {
    if (auto checked = CheckRow(row, fields); !checked) return checked;
  }
  return {};
}

}  // namespace

ChartDataFields NewChartDialogValues(int currentYear) {
  ChartDataFields f;
  f.year = currentYear;
  f.isEast = false;
  return f;
}

Result<CheckedChartData, FieldError> CheckChartData(ChartDataFields fields) {
  if (auto checked = ValidateChartData(fields); !checked) return Fail(checked.error());
  return CheckedChartData(std::move(fields));
}

Result<ChartDataFields, FieldError> ParseChartDataText(const ChartDataText& text) {
  ChartDataFields f;
  for (const auto& row : kChartDataRows) {
    switch (row.kind) {
      case FieldRow::FreeText:
      case FieldRow::LimitedText:
        f.*row.text = text.*row.typedText;
        break;
      case FieldRow::Number: {
        auto value = ParseWholeNumber(text.*row.typedText);
        if (!value) return Fail(WholeNumberError(row.controlId, row.name));
        f.*row.number = *value;
        break;
      }
      case FieldRow::Choice:
        f.*row.number = text.*row.typedChoice;
        break;
    }
    if (auto checked = CheckRow(row, f); !checked) return Fail(checked.error());
  }
  f.isPm = text.isPm;
  f.isEast = text.isEast;
  f.isSouth = text.isSouth;
  f.zoneEast = text.zoneEast;
  f.zoneName = text.zoneName;
  return f;
}

void ChartDataToRecord(const ChartDataFields& f, Horoscope& h) {
  SetBirthDate(h, f.monthIndex + 1, f.day, f.year);
  const int hour24 = To24Hour(f.hour, f.isPm);
  const SignedPlace p = ToSignedPlace(f);
  SetBirthTime(h, hour24, f.minute, p.zoneHours, p.zoneMinutes, p.dstHours, p.dstMinutes);
  SetBirthPlace(h, p.lonDegrees, p.lonMinutes, p.latDegrees, p.latMinutes);
}

ChartDataFields RecordToChartData(const Horoscope& h, const std::string& firstName,
                                  const std::string& lastName, const std::string& place) {
  ChartDataFields f;
  f.firstName = firstName;
  f.lastName = lastName;
  f.place = place;

  const auto clock = SplitDegreesRounded(h.universalTime - h.zone + h.dst);
  const TwelveHour hour = To12Hour(clock.whole);
  f.hour = hour.hour;
  f.isPm = hour.isPm;
  f.minute = clock.minutes;

  const CivilDate date = DateFromDayNumber(h.julianDay);
  f.monthIndex = date.month - 1;
  f.day = date.day;
  f.year = date.year;

  f.isEast = SplitSide(h.longitude, f.lonDegrees, f.lonMinutes);
  f.isSouth = SplitSide(h.latitude, f.latDegrees, f.latMinutes);

  const auto zone = SplitDegreesRounded(h.zone);
  f.zoneHours = SaturatingAbs(zone.whole);
  f.zoneMinutes = SaturatingAbs(zone.minutes);
  // A zone on the other side of Greenwich from the place keeps its side.
  const bool zoneIsEast = h.zone < 0;
  if (h.zone != 0 && zoneIsEast != f.isEast) f.zoneEast = zoneIsEast;
  const auto dst = SplitDegreesRounded(h.dst);
  f.dstHours = SaturatingAbs(dst.whole);
  f.dstMinutes = SaturatingAbs(dst.minutes);
  return f;
}

}  // namespace sarvexa
