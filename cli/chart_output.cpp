#include "cli/chart_output.h"

#include <cmath>
#include <cstdlib>

#include "document/convention_text.h"
#include "engine/calendar.h"
#include "engine/numeric.h"
#include "engine/text_format.h"

namespace sarvexa::cli {
namespace {

const char* GrahaName(int index) {
  return index == graha::Ascendant ? "Ascendant" : kGrahaFullNames[index - 1];
}

// "DD:MM Side" for a signed coordinate, shown as the data-entry dialog shows
// it again: rounded to the minute, the sign turned into a side.
std::string Coordinate(double value, const char* positiveSide, const char* negativeSide) {
  const WholeAndMinutes s = SplitDegreesRounded(value);
  const bool negative = s.whole < 0 || (s.whole == 0 && s.minutes < 0);
  return FormatText("%d:%02d %s", SaturatingAbs(s.whole), SaturatingAbs(s.minutes),
                    negative ? negativeSide : positiveSide);
}

std::string HeaderLines(const ChartSnapshot& chart) {
  const Horoscope& h = chart.horoscope;
  std::string out = "Chart of " + PersonText(chart);
  if (!chart.place.empty()) out += ", " + TerminalText(chart.place);
  out += '\n';

  // Local clock time as stored: UT - zone + dst, rounded to the minute.
  const WholeAndMinutes t = SplitDegreesRounded(h.universalTime - h.zone + h.dst);
  const CivilDate d = DateFromDayNumber(h.julianDay);
  const char* month = (d.month >= 1 && d.month <= 12) ? kMonthAbbreviations[d.month - 1] : "?";
  const WholeAndMinutes z = SplitDegreesRounded(h.zone);
  out += FormatText("Date %d %s %d   Time %02d:%02d   Zone %d:%02d %s   DST %d\n", d.day, month,
                    d.year, t.whole, t.minutes, SaturatingAbs(z.whole), SaturatingAbs(z.minutes),
                    h.zone < 0 ? "East" : "West", h.dst);
  out += "Longitude " + Coordinate(h.longitude, "West", "East") + "   Latitude " +
         Coordinate(h.latitude, "North", "South") + '\n';
  const Conventions& c = chart.context.conventions;
  if (c.ephemeris == EphemerisKind::Builtin) {
    const WholeAndMinutes a = SplitDegreesRounded(std::fabs(h.ayanamsaCorrection));
    out += FormatText("Lahiri Ayanamsa %d:%02d", a.whole, a.minutes);
  } else {
    out += std::string(AyanamsaTitle(c.ayanamsa)) + " Ayanamsa " + AyanamsaValue(h, c);
  }
  out += FormatText("   Julian Day %d   T %.12f\n", h.julianDay, h.julianCenturies);
  if (const std::string note = ConventionsNote(c, chart.source); !note.empty()) out += note + '\n';
  return out;
}

}  // namespace

std::string PersonText(const ChartSnapshot& chart) {
  std::string who = chart.firstName;
  if (!chart.lastName.empty()) who += (who.empty() ? "" : " ") + chart.lastName;
  return who.empty() ? std::string("(no name)") : TerminalText(who);
}

std::string TerminalText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const bool lineEnd =
        b == '\n' || b == '\t' || (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
    if ((b < 0x20 && !lineEnd) || b == 0x7F) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else if (b == 0xC2 && i + 1 < text.size() &&
               (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
      // U+0080..U+009F in UTF-8: C2 80 .. C2 9F.
      const auto c = static_cast<unsigned char>(text[++i]);
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(b);
    }
  }
  return out;
}

void WritePosition(JsonWriter& json, const GrahaPosition& p) {
  json.BeginObject();
  json.Field("longitude", p.longitude);
  json.Field("retrograde", static_cast<int>(p.retrograde));
  json.Field("signDegrees", static_cast<int>(p.signDegrees));
  json.Field("minutes", static_cast<int>(p.minutes));
  json.Field("dailyMotion", p.dailyMotion);
  json.EndObject();
}

void WriteHoroscopeFields(JsonWriter& json, const Horoscope& h) {
  json.Field("julianDay", static_cast<int>(h.julianDay));
  json.Field("universalTime", h.universalTime);
  json.Field("zone", h.zone);
  json.Field("dst", static_cast<int>(h.dst));
  json.Field("longitude", h.longitude);
  json.Field("latitude", h.latitude);
  json.Field("julianCenturies", h.julianCenturies);
  json.Field("ayanamsaCorrection", h.ayanamsaCorrection);
  json.Key("positions");
  json.BeginArray();
  for (const GrahaPosition& p : h.positions) WritePosition(json, p);
  json.EndArray();
}

std::string ChartTable(const ChartSnapshot& chart) {
  const Horoscope& h = chart.horoscope;
  std::string out = HeaderLines(chart);
  out += '\n';
  out += "Body        Sign  Deg  Min  R   Longitude        Daily motion\n";
  for (int i = 0; i < graha::kCount; ++i) {
    const GrahaPosition& p = h.positions[i];
    const std::string motion = i == graha::Ascendant ? "" : FormatText("%+.6f", p.dailyMotion);
    std::string line = FormatText("%-10s  %-4s  %3d  %3d  %-2s  %14.10f   %s", GrahaName(i),
                                  kSignAbbreviations[SignOfLongitude(p.longitude)], p.signDegrees,
                                  p.minutes, p.retrograde ? "R" : "", p.longitude, motion.c_str());
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + '\n';
  }
  return out;
}

}  // namespace sarvexa::cli
