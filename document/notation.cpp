#include "document/notation.h"

#include <algorithm>
#include <cctype>
#include <climits>

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

std::string DateText(const CivilDate& d) { return WriteCivilDate(d); }

bool InRange(const std::optional<int>& v, int lo, int hi) { return v && *v >= lo && *v <= hi; }

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// Splits "A:B" at the single colon.
bool SplitColon(std::string_view s, std::string_view& a, std::string_view& b) {
  const auto pos = s.find(':');
  if (pos == std::string_view::npos || s.find(':', pos + 1) != std::string_view::npos) return false;
  a = s.substr(0, pos);
  b = s.substr(pos + 1);
  return true;
}

char CharAt(std::string_view text, std::size_t pos) { return pos < text.size() ? text[pos] : '\0'; }

// Where the settings' zone text keeps the zone's own side, after "HH MM ".
constexpr std::size_t kStoredZoneSideAt = 6;

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

std::optional<int> ReadDigits(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const int digit = c - '0';
    value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
  }
  return value;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto blank = [&](std::size_t k) {
    return std::isspace(static_cast<unsigned char>(text[k])) != 0;
  };
  while (i < n && blank(i)) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= n || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  long long value = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    ++i;
  }
  while (i < n && blank(i)) ++i;
  if (i != n) return std::nullopt;
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

int IntegerAt(std::string_view text, std::size_t pos) {
  std::size_t i = pos;
  const std::size_t n = text.size();
  while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) {
    // Saturate instead of overflowing: a hand-edited store may hold anything.
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
    ++i;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

Result<CivilDate> ReadCivilDate(std::string_view text, const DateRule& rule) {
  std::string_view rest = text;
  Result<CivilDate> date = TakeDate(rest, rule);
  if (!date) return date;
  if (!rest.empty()) return Fail("expected YYYY-MM-DD");
  return date;
}

Result<CivilDate> ReadBirthDate(std::string_view text) {
  Result<CivilDate> date = ReadCivilDate(text, kBirthDates);
  if (!date) return Fail(std::string("expected ") + kBirthDateForm);
  return date;
}

std::string WriteCivilDate(const CivilDate& d) {
  return FormatText("%04d-%02d-%02d", d.year, d.month, d.day);
}

int To24Hour(int hour12, bool pm) {
  if (pm) {
    const int h = hour12 + 12;
    return h == 24 ? 12 : h;  // 12 PM is noon
  }
  return hour12 == 12 ? 0 : hour12;  // 12 AM is midnight
}

TwelveHour To12Hour(int hour24) {
  TwelveHour t;
  t.isPm = hour24 >= 12;
  const int h = t.isPm ? hour24 - 12 : hour24;
  t.hour = h == 0 ? 12 : h;
  return t;
}

std::string WriteTwelveHourClock(const ClockTime& time, bool spaced) {
  const TwelveHour h = To12Hour(time.hour);
  return FormatText("%d:%02d%s%s", h.hour, time.minute, spaced ? " " : "", h.isPm ? "PM" : "AM");
}

Result<ClockTime> ReadClockTime(std::string_view text) {
  const auto fail = [] { return Fail(std::string("expected ") + kClockTimeForm); };
  std::string_view v = text;
  int pm = -1;  // -1: the 24-hour form
  if (v.size() > 2) {
    const char a = Upper(v[v.size() - 2]), m = Upper(v[v.size() - 1]);
    if ((a == 'A' || a == 'P') && m == 'M') {
      pm = a == 'P' ? 1 : 0;
      v.remove_suffix(2);
    }
  }
  std::string_view hs, ms;
  if (!SplitColon(v, hs, ms)) return fail();
  const auto h = ReadDigits(hs, 2);
  const auto m = ReadDigits(ms, 2);
  if (!InRange(m, 0, 59) || ms.size() != 2) return fail();
  if (pm >= 0) {
    if (!InRange(h, 1, 12)) return fail();
    return ClockTime{To24Hour(*h, pm == 1), *m};
  }
  if (!InRange(h, 0, 23)) return fail();
  return ClockTime{*h, *m};
}

std::string WriteClockTime(const ClockTime& t) { return FormatText("%02d:%02d", t.hour, t.minute); }

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

std::string WriteMoment(const LocalClockReading& r, char separator) {
  return FormatText("%04d-%02d-%02d%c%02d:%02d", r.year, r.month, r.day, separator, r.hour,
                    r.minute);
}

Result<SidedAngle> ReadAngle(std::string_view text, const AngleAxis& axis) {
  const auto fail = [&axis] { return Fail(std::string("expected ") + axis.form); };
  std::string_view v = text;
  if (v.size() < 2) return fail();
  const char side = Upper(v.back());
  if (side != axis.plainSide && side != axis.otherSide) return fail();
  v.remove_suffix(1);
  std::string_view ds, ms;
  if (!SplitColon(v, ds, ms)) return fail();
  const auto d = ReadDigits(ds, 3);
  const auto m = ReadDigits(ms, 2);
  if (!InRange(d, 0, axis.maxDegrees) || !InRange(m, 0, 59)) return fail();
  return SidedAngle{*d, *m, side == axis.otherSide};
}

std::string WriteAngle(const SidedAngle& a, const AngleAxis& axis) {
  return FormatText("%0*d:%02d%c", axis.degreeDigits, a.degrees, a.minutes,
                    a.otherSide ? axis.otherSide : axis.plainSide);
}

Result<SidedZone> ReadZone(std::string_view text) {
  const auto fail = [] { return Fail(std::string("expected ") + kZoneForm); };
  std::string_view v = text;
  SidedZone zone;
  if (!v.empty() && (Upper(v.back()) == 'E' || Upper(v.back()) == 'W')) {
    zone.isEast = Upper(v.back()) == 'E';
    v.remove_suffix(1);
  }
  std::string_view hs, ms;
  if (!SplitColon(v, hs, ms)) return fail();
  const auto h = ReadDigits(hs, 2);
  const auto m = ReadDigits(ms, 2);
  if (!InRange(h, 0, 12) || !InRange(m, 0, 59)) return fail();
  zone.hours = *h;
  zone.minutes = *m;
  return zone;
}

std::string WriteZone(const SidedZone& zone) {
  std::string text = FormatText("%02d:%02d", zone.hours, zone.minutes);
  if (zone.isEast) text += *zone.isEast ? 'E' : 'W';
  return text;
}

Result<int> ReadDstHours(std::string_view text) {
  const auto hours = ReadDigits(text, 2);
  if (!InRange(hours, 0, 12)) return Fail(std::string("expected ") + kDstForm);
  return *hours;
}

std::string WriteStoredLongitude(int degrees, int minutes, bool east) {
  return FormatText("%03d %c %02d", degrees, east ? 'E' : 'W', minutes);
}

std::string WriteStoredLatitude(int degrees, int minutes, bool south) {
  return FormatText("%02d %c %02d", degrees, south ? 'S' : 'N', minutes);
}

std::string WriteStoredHoursMinutes(int hours, int minutes) {
  return FormatText("%02d %02d", hours, minutes);
}

std::string WriteStoredZone(int hours, int minutes, std::optional<bool> east) {
  std::string text = WriteStoredHoursMinutes(hours, minutes);
  if (east) text += *east ? " E" : " W";
  return text;
}

StoredCoordinate ReadStoredLongitude(std::string_view text) {
  return {IntegerAt(text, 0), IntegerAt(text, 6), CharAt(text, 4) == 'E'};
}

StoredCoordinate ReadStoredLatitude(std::string_view text) {
  return {IntegerAt(text, 0), IntegerAt(text, 5), CharAt(text, 3) == 'S'};
}

StoredCoordinate ReadStoredHoursMinutes(std::string_view text) {
  return {IntegerAt(text, 0), IntegerAt(text, 3), false};
}

std::optional<bool> ReadStoredZoneSide(std::string_view text) {
  const char side = CharAt(text, kStoredZoneSideAt);
  if (side != 'E' && side != 'W') return std::nullopt;
  return side == 'E';
}

std::optional<int> TakeIso6709Angle(std::string_view& text, std::size_t degreeDigits) {
  if (text.empty() || (text.front() != '+' && text.front() != '-')) return std::nullopt;
  const int sign = text.front() == '-' ? -1 : 1;
  std::size_t n = 1;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
  const std::size_t digits = n - 1;
  if (digits != degreeDigits + 2 && digits != degreeDigits + 4) return std::nullopt;
  const auto number = [&text](std::size_t from, std::size_t count) {
    return *ReadDigits(text.substr(from, count), count);
  };
  const int degrees = number(1, degreeDigits);
  const int minutes = number(1 + degreeDigits, 2);
  const int seconds = digits == degreeDigits + 4 ? number(3 + degreeDigits, 2) : 0;
  if (minutes > 59 || seconds > 59) return std::nullopt;
  text.remove_prefix(n);
  return sign * (degrees * 3600 + minutes * 60 + seconds);
}

}  // namespace sarvexa
