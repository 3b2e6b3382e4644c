#include "document/notation.h"

#include <algorithm>

#include "engine/text_format.h"

namespace sarvexa {
namespace {

// Exactly `digits` decimal digits from the front of `text`.
bool TakeNumber(std::string_view& text, std::size_t digits, int& value) {
  if (text.size() < digits) return false;
  int v = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = v;
  text.remove_prefix(digits);
  return true;
}

// One or two decimal digits from the front of `text`, as many as there are.
bool TakeShortNumber(std::string_view& text, int& value) {
  const std::size_t digits = text.size() >= 2 && text[1] >= '0' && text[1] <= '9' ? 2 : 1;
  return TakeNumber(text, digits, value);
}

bool TakeChar(std::string_view& text, std::string_view allowed) {
  if (text.empty() || allowed.find(text.front()) == std::string_view::npos) return false;
  text.remove_prefix(1);
  return true;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Dates compare as year, month, day.
int Compare(const CivilDate& a, const CivilDate& b) {
  if (a.year != b.year) return a.year < b.year ? -1 : 1;
  if (a.month != b.month) return a.month < b.month ? -1 : 1;
  if (a.day != b.day) return a.day < b.day ? -1 : 1;
  return 0;
}

std::string DateText(const CivilDate& d) {
  return FormatText("%04d-%02d-%02d", d.year, d.month, d.day);
}

// The text as shown in a one-line message: control characters as '?'.
std::string Shown(std::string_view text) {
  std::string shown;
  for (char c : text) shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
  return shown;
}

// The date part "YYYY-MM-DD" at the front of `rest`, checked by `rule`.
Result<CivilDate> TakeDate(std::string_view& rest, const DateRule& rule) {
  CivilDate d;
  const auto monthOrDay = [&rule](std::string_view& text, int& value) {
    return rule.shortMonthDay ? TakeShortNumber(text, value) : TakeNumber(text, 2, value);
  };
  if (!(TakeNumber(rest, 4, d.year) && TakeChar(rest, "-") && monthOrDay(rest, d.month) &&
        TakeChar(rest, "-") && monthOrDay(rest, d.day))) {
    return Fail("expected YYYY-MM-DD");
  }
  if (d.month < 1 || d.month > 12 || d.day < rule.lowestDay || d.day > 31) {
    return Fail(FormatText("month 01..12, day %02d..31", rule.lowestDay));
  }
  if (rule.realDaysOnly && d.day > DaysInMonth(d.year, d.month))
    return Fail("no such date (day 01..28, 29, 30 or 31 as the month has)");
  // A rolled-over day (31 February, day 0) counts by the month it is written in.
  CivilDate written = d;
  written.day = std::clamp(written.day, 1, DaysInMonth(d.year, d.month));
  if (Compare(written, rule.first) < 0 || Compare(written, rule.last) > 0)
    return Fail("dates from " + DateText(rule.first) + " to " + DateText(rule.last));
  return d;
}

}  // namespace

Result<CivilDate> ReadCivilDate(std::string_view text, const DateRule& rule) {
  std::string_view rest = text;
  Result<CivilDate> date = TakeDate(rest, rule);
  if (!date) return date;
  if (!rest.empty()) return Fail("expected YYYY-MM-DD");
  return date;
}

std::optional<Instant> WrittenMoment::instant() const {
  if (!offsetMinutesEast) return std::nullopt;
  return InstantOfReading(clock, *offsetMinutesEast * 60);
}

Result<WrittenMoment> ReadMoment(std::string_view optionName, std::string_view text) {
  const std::string form = std::string(optionName) + ": expected " + kMomentForm +
                           " (24-hour), got \"" + Shown(text) + "\"";
  std::string_view rest = text;
  WrittenMoment m;
  // The date's own complaint is taken only when the date has its form.
  std::string_view datePart = rest;
  Result<CivilDate> date = TakeDate(datePart, kMomentDates);
  const bool dateShaped = date || date.error() != "expected YYYY-MM-DD";
  if (!dateShaped) return Fail(form);
  rest = datePart;
  if (!(TakeChar(rest, "Tt ") && TakeNumber(rest, 2, m.clock.hour) && TakeChar(rest, ":") &&
        TakeNumber(rest, 2, m.clock.minute))) {
    return Fail(form);
  }
  if (!rest.empty()) {
    if (rest == "Z" || rest == "z") {
      m.offsetMinutesEast = 0;
    } else {
      const char sign = rest.front();
      int hours = 0, minutes = 0;
      if (!(TakeChar(rest, "+-") && TakeNumber(rest, 2, hours) && TakeChar(rest, ":") &&
            TakeNumber(rest, 2, minutes) && rest.empty())) {
        return Fail(form);
      }
      if (hours > 23 || minutes > 59) return Fail(form + ": offset hours 00..23, minutes 00..59");
      m.offsetMinutesEast = (sign == '-' ? -1 : 1) * (hours * 60 + minutes);
    }
  }
  if (!date) return Fail(form + ": " + date.error());
  if (m.clock.hour > 23 || m.clock.minute > 59) return Fail(form + ": hour 00..23, minutes 00..59");
  m.clock.year = date->year;
  m.clock.month = date->month;
  m.clock.day = date->day;
  return m;
}

}  // namespace sarvexa
