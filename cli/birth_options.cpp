#include "cli/birth_options.h"

#include "analysis/derivations.h"
#include "engine/chart_calculation.h"

#include <cctype>

#include "document/notation.h"
#include "engine/calendar.h"

namespace sarvexa::cli {
namespace {

// Digits only, 1..maxDigits of them, as the dialog's number fields take.
std::optional<int> ParseDigits(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

bool InRange(const std::optional<int>& v, int lo, int hi) { return v && *v >= lo && *v <= hi; }

// Splits "A:B" at the single colon.
bool SplitColon(std::string_view s, std::string_view& a, std::string_view& b) {
  const auto pos = s.find(':');
  if (pos == std::string_view::npos || s.find(':', pos + 1) != std::string_view::npos) return false;
  a = s.substr(0, pos);
  b = s.substr(pos + 1);
  return true;
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The rejected value as shown in the one-line message; control characters
// would break the line, so they are shown as '?'.
std::string Quoted(std::string_view v) {
  std::string shown;
  for (char c : v) shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
  return " (got \"" + shown + "\")";
}

// The birth date notation (document/notation.h): the dialog's years, any
// day up to 31.
bool ParseDate(std::string_view v, BirthOptions& o) {
  const Result<CivilDate> date = ReadCivilDate(v, kBirthDates);
  if (!date) return false;
  o.year = date->year;
  o.monthIndex = date->month - 1;
  o.day = date->day;
  return true;
}

// "HH:MM" in 24-hour form, or "H:MMAM" / "H:MMPM" (hour 1..12).
bool ParseTime(std::string_view v, BirthOptions& o) {
  int pm = -1;  // -1: 24-hour form
  if (v.size() > 2) {
    const char a = Upper(v[v.size() - 2]), m = Upper(v[v.size() - 1]);
    if ((a == 'A' || a == 'P') && m == 'M') {
      pm = a == 'P' ? 1 : 0;
      v.remove_suffix(2);
    }
  }
  std::string_view hs, ms;
  if (!SplitColon(v, hs, ms)) return false;
  const auto h = ParseDigits(hs, 2);
  const auto m = ParseDigits(ms, 2);
  if (!InRange(m, 0, 59) || ms.size() != 2) return false;
  if (pm >= 0) {
    if (!InRange(h, 1, 12)) return false;
    o.hour = *h;
    o.isPm = pm == 1;
  } else {
    if (!InRange(h, 0, 23)) return false;
    // Into the dialog's 12-hour form: 0 is 12 AM, 12 is 12 PM.
    o.isPm = *h >= 12;
    o.hour = *h % 12 == 0 ? 12 : *h % 12;
  }
  o.minute = *m;
  return true;
}

// "DDD:MM" followed by one of two side letters.
bool ParseAngle(std::string_view v, int maxDegrees, char positive, char negative, int& degrees,
                int& minutes, bool& isNegativeSide) {
  if (v.size() < 2) return false;
  const char side = Upper(v.back());
  if (side != positive && side != negative) return false;
  v.remove_suffix(1);
  std::string_view ds, ms;
  if (!SplitColon(v, ds, ms)) return false;
  const auto d = ParseDigits(ds, 3);
  const auto m = ParseDigits(ms, 2);
  if (!InRange(d, 0, maxDegrees) || !InRange(m, 0, kMaxMinutes)) return false;
  degrees = *d;
  minutes = *m;
  isNegativeSide = side == negative;
  return true;
}

// "HH:MM", optionally followed by the zone's own side E or W.
bool ParseZone(std::string_view v, BirthOptions& o) {
  std::optional<bool> side;
  if (!v.empty() && (Upper(v.back()) == 'E' || Upper(v.back()) == 'W')) {
    side = Upper(v.back()) == 'E';
    v.remove_suffix(1);
  }
  std::string_view hs, ms;
  if (!SplitColon(v, hs, ms)) return false;
  const auto h = ParseDigits(hs, 2);
  const auto m = ParseDigits(ms, 2);
  if (!InRange(h, 0, kMaxZoneHours) || !InRange(m, 0, kMaxMinutes)) return false;
  o.zoneHours = *h;
  o.zoneMinutes = *m;
  o.zoneEast = side;
  return true;
}

}  // namespace

bool IsBirthOption(std::string_view name) {
  for (const char* n : {"--first", "--last", "--place", "--date", "--time", "--lon", "--lat",
                        "--zone", "--dst", "--city", "--fold"}) {
    if (name == n) return true;
  }
  return false;
}

OptionStatus ParseBirthOption(std::string_view name, std::string_view value, BirthOptions& o,
                              std::string& message) {
  if (!IsBirthOption(name)) return OptionStatus::NotABirthOption;
  bool ok = true;
  std::string expected;
  if (name == "--first") {
    o.firstName = value;
  } else if (name == "--last") {
    o.lastName = value;
  } else if (name == "--place") {
    // The dialog's place field holds at most 32 characters.
    ok = CountCharacters(value) <= kChartDataPlaceMaxChars;
    if (ok) o.place = value;
    expected = "at most 32 characters";
  } else if (name == "--date") {
    ok = o.hasDate = ParseDate(value, o);
    expected = "YYYY-MM-DD with year 1700..2300, month 01..12, day 01..31";
  } else if (name == "--time") {
    ok = o.hasTime = ParseTime(value, o);
    expected = "HH:MM with hour 0..23 and minutes 00..59, or H:MMAM / H:MMPM with hour 1..12";
  } else if (name == "--lon") {
    ok = o.hasLon =
        ParseAngle(value, kMaxLonDegrees, 'W', 'E', o.lonDegrees, o.lonMinutes, o.isEast);
    expected = "DDD:MM followed by E or W, degrees 0..179, minutes 0..59";
  } else if (name == "--lat") {
    ok = o.hasLat =
        ParseAngle(value, kMaxLatDegrees, 'N', 'S', o.latDegrees, o.latMinutes, o.isSouth);
    expected = "DD:MM followed by N or S, degrees 0..89, minutes 0..59";
  } else if (name == "--zone") {
    ok = o.hasZone = ParseZone(value, o);
    expected =
        "HH:MM with hours 0..12 and minutes 0..59, then E or W (without it, the side of --lon)";
  } else if (name == "--dst") {
    const auto h = ParseDigits(value, 2);
    ok = o.hasDst = InRange(h, 0, 12);
    if (ok) o.dstHours = *h;
    expected = "whole hours 0..12";
  } else if (name == "--city") {
    ok = !value.empty() && value.find_first_not_of(" ,") != std::string_view::npos;
    if (ok) o.city = value;
    expected = "a place name, optionally followed by \", State\" and \", Country\"";
  } else if (name == "--fold") {
    const auto fold = ParseFoldChoice(value);
    ok = fold.has_value();
    if (ok) o.fold = *fold;
    expected = "earlier or later";
  }
  if (ok) return OptionStatus::Accepted;
  message = std::string(name) + ": expected " + expected + Quoted(value);
  return OptionStatus::Rejected;
}

std::optional<std::string> MissingBirthOption(const BirthOptions& o) {
  if (!o.hasDate) return "--date is required: YYYY-MM-DD with year 1700..2300";
  if (!o.hasTime) return "--time is required: HH:MM (24-hour) or H:MMAM / H:MMPM";
  if (!o.hasLon) return "--lon is required: DDD:MM followed by E or W, degrees 0..179";
  if (!o.hasLat) return "--lat is required: DD:MM followed by N or S, degrees 0..89";
  if (!o.hasZone) return "--zone is required: HH:MM[E|W] with hours 0..12 (or give --city)";
  return std::nullopt;
}

ChartDataFields ToChartDataFields(const BirthOptions& o) {
  ChartDataFields f;
  static_cast<PlaceFields&>(f) = o;
  // The atlas zone of --city goes with the chart through CastChart; the
  // dialog's fields carry only what was typed, as the dialog's do.
  f.zoneName.clear();
  f.firstName = o.firstName;
  f.lastName = o.lastName;
  f.hour = o.hour;
  f.minute = o.minute;
  f.day = o.day;
  f.year = o.year;
  f.place = o.place;
  f.monthIndex = o.monthIndex;
  f.isPm = o.isPm;
  return f;
}

void CopyGivenPlace(const BirthOptions& o, PlaceFields& fields) {
  if (o.hasLon) CopyLongitude(o, fields);
  if (o.hasLat) CopyLatitude(o, fields);
  if (o.hasZone) CopyZone(o, fields);
}

void ApplyBirthOptions(const BirthOptions& o, Horoscope& h) {
  // The dialog's "Dialog to record" conversion, shared with the desktop program.
  ChartDataToRecord(ToChartDataFields(o), h);
}

const char* BirthOptionsHelp() {
  return "  --first TEXT        first name (default empty)\n"
         "  --last TEXT         last name (default empty)\n"
         "  --place TEXT        place of birth, at most 32 characters (default empty)\n"
         "  --date YYYY-MM-DD   civil date; year 1700..2300, day 1..31 in any month\n"
         "                      (an overlong day rolls into the next month)\n"
         "  --time HH:MM        local clock time, 24-hour form (00:00..23:59),\n"
         "         H:MMAM|PM    or 12-hour form (1..12 with AM or PM)\n"
         "  --lon DDD:MM{E|W}   longitude, degrees 0..179, minutes 0..59\n"
         "  --lat DD:MM{N|S}    latitude, degrees 0..89, minutes 0..59\n"
         "  --zone HH:MM[E|W]   time zone, hours 0..12, minutes 0..59, east (E) or\n"
         "                      west (W) of Greenwich; without the letter, the side\n"
         "                      of --lon\n"
         "  --dst H             daylight-saving hours 0..12 (default 0)\n"
         "  --city \"Name[, State][, Country]\"\n"
         "                      fills --lon, --lat, --zone and --dst from the atlas\n"
         "                      (place data GeoNames, CC BY 4.0; zones from the\n"
         "                      IANA tz database) for the given date and time;\n"
         "                      options given explicitly win. A name several\n"
         "                      places have takes the most populous and says so on\n"
         "                      standard error. A clock time that the clocks\n"
         "                      skipped or passed twice exits with code 2 unless\n"
         "                      --fold chooses\n"
         "  --fold earlier|later  the offset before or after such a change\n";
}

ChartSnapshot CastChart(const BirthOptions& options, const LocalClockReading* now) {
  ChartSnapshot chart;
  CastChart(options, now, chart);
  return chart;
}

void CastChart(const BirthOptions& options, const LocalClockReading* now, ChartSnapshot& chart) {
  chart.firstName = options.firstName;
  chart.lastName = options.lastName;
  chart.place = options.place;
  chart.zoneName = options.zoneName;
  chart.zoneLabel = options.zoneLabel;
  chart.zoneNote = options.zoneNote;
  chart.cityName = options.cityName;
  ApplyBirthOptions(options, chart.horoscope);
  CalculateHoroscope(chart.horoscope);
  if (now) chart.derivations = Derive(chart.horoscope, *now);
}

}  // namespace sarvexa::cli
