#include "document/csv_export.h"

#include <cstdlib>

#include "document/chart_snapshot.h"
#include "engine/calendar.h"
#include "engine/numeric.h"
#include "engine/text_format.h"

namespace sarvexa {
namespace {

bool NeedsQuoting(const std::string& text, bool commaCounts) {
  for (char c : text) {
    if (c == '"' || c == '\r' || c == '\n' || (commaCounts && c == ',')) return true;
  }
  return false;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

}  // namespace

std::string CsvField(const std::string& text) {
  return NeedsQuoting(text, true) ? Quoted(text) : text;
}

PlaceParts SplitPlace(const std::string& place) {
  PlaceParts parts;
  const auto first = place.find(',');
  if (first == std::string::npos) {
    parts.first = place;
    return parts;
  }
  parts.first = place.substr(0, first);
  const auto second = place.find(',', first + 1);
  parts.second =
      place.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  return parts;
}

std::string CsvDefaultFileName(const std::string& firstName, const std::string& lastName) {
  return firstName + " " + lastName + ".csv";
}

std::string CsvExportText(const std::string& firstName, const std::string& lastName,
                          const std::string& place, const Horoscope& chart) {
  std::string out;
  const CivilDate date = DateFromDayNumber(chart.julianDay);
  out += CsvField(firstName) + "," + CsvField(lastName) + ",";
  out += FormatText("%02d/%02d/%d,", date.month, date.day, date.year);

  const WholeAndMinutes clock = SplitDegreesRounded(chart.universalTime - chart.zone + chart.dst);
  const WholeAndMinutes zone = SplitDegreesRounded(chart.zone);
  const WholeAndMinutes dst = SplitDegreesRounded(static_cast<double>(chart.dst));
  out += FormatText("%02d:%02d,%02d:%02d,%d,", clock.whole, clock.minutes,
                    SaturatingAbs(zone.whole), SaturatingAbs(zone.minutes), dst.whole);

  // The place parts cannot hold a comma; they are quoted only when a quote
  // or a line break would otherwise break the record.
  const PlaceParts parts = SplitPlace(place);
  const auto placeField = [](const std::string& part) {
    return NeedsQuoting(part, false) ? Quoted(part) : part;
  };
  out += FormatText("%3.02f,%2.02f,", chart.longitude + 0.005, chart.latitude);
  out += placeField(parts.first) + "," + placeField(parts.second) + ",";

  for (const GrahaPosition& p : chart.positions) out += FormatText("%3.02f,", p.longitude + 0.005);
  return out;
}

std::string CsvExportText(const ChartSnapshot& chart) {
  return CsvExportText(chart.firstName, chart.lastName, chart.place, chart.horoscope);
}

}  // namespace sarvexa
