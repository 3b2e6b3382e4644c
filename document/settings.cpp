#include "document/settings.h"

#include <cctype>
#include <climits>

#include "engine/numeric.h"
#include "engine/text_format.h"

namespace sarvexa {

DisplaySettings ReadDisplaySettings(const SettingsStore& store) {
  DisplaySettings s;
  s.chartStyle = store.readIntOr(settings_key::ChartStyle, 0);
  if (s.chartStyle != 1 && s.chartStyle != 2) s.chartStyle = 0;
  s.colorCharts = store.readIntOr(settings_key::ColorChart, 0) == 1;
  return s;
}

bool WriteDisplaySettings(SettingsStore& store, const DisplaySettings& settings) {
  bool ok = store.writeInt(settings_key::ChartStyle, settings.chartStyle);
  ok = store.writeInt(settings_key::ColorChart, settings.colorCharts ? 1 : 0) && ok;
  return ok;
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

namespace {

char CharAt(std::string_view text, std::size_t pos) { return pos < text.size() ? text[pos] : '\0'; }

// A key counts as stored only when it holds some text; an empty value gives
// the default just as a missing one does.
std::optional<std::string> NonEmptyText(const SettingsStore& store, const char* key) {
  auto text = store.readText(key);
  if (text && text->empty()) return std::nullopt;
  return text;
}

}  // namespace

std::string FormatPrasnaLongitude(int degrees, int minutes, bool east) {
  return FormatText("%03d %c %02d", degrees, east ? 'E' : 'W', minutes);
}

std::string FormatPrasnaLatitude(int degrees, int minutes, bool south) {
  return FormatText("%02d %c %02d", degrees, south ? 'S' : 'N', minutes);
}

std::string FormatPrasnaHoursMinutes(int hours, int minutes) {
  return FormatText("%02d %02d", hours, minutes);
}

PrasnaCoordinateText ParsePrasnaLongitude(std::string_view text) {
  return {IntegerAt(text, 0), IntegerAt(text, 6), CharAt(text, 4) == 'E'};
}

PrasnaCoordinateText ParsePrasnaLatitude(std::string_view text) {
  return {IntegerAt(text, 0), IntegerAt(text, 5), CharAt(text, 3) == 'S'};
}

PrasnaCoordinateText ParsePrasnaHoursMinutes(std::string_view text) {
  return {IntegerAt(text, 0), IntegerAt(text, 3), false};
}

// Where "Prasna TZone" keeps the zone's own side, after "HH MM ".
constexpr std::size_t kZoneSideAt = 6;

bool HasStoredPrasnaLocation(const SettingsStore& store) {
  for (const char* key :
       {settings_key::PrasnaLoc, settings_key::PrasnaLong, settings_key::PrasnaLat,
        settings_key::PrasnaTZone, settings_key::PrasnaDst}) {
    if (store.readText(key)) return true;
  }
  return false;
}

PrasnaLocation ReadPrasnaLocation(const SettingsStore& store) {
  // The stored texts hold magnitudes with their sides, as the dialog shows
  // them; a text left out keeps the default's magnitude (122 W 03, 37 N 54,
  // zone 08 00, DST 00 00), signed by the sides that were stored.
  PrasnaLocationFields f = PrasnaLocationToFields(PrasnaLocation{});
  f.place = store.readText(settings_key::PrasnaLoc).value_or("");
  if (auto text = NonEmptyText(store, settings_key::PrasnaLong)) {
    auto c = ParsePrasnaLongitude(*text);
    f.lonDegrees = c.degrees;
    f.lonMinutes = c.minutes;
    f.isEast = c.flag;
  }
  if (auto text = NonEmptyText(store, settings_key::PrasnaLat)) {
    auto c = ParsePrasnaLatitude(*text);
    f.latDegrees = c.degrees;
    f.latMinutes = c.minutes;
    f.isSouth = c.flag;
  }
  if (auto text = NonEmptyText(store, settings_key::PrasnaTZone)) {
    auto c = ParsePrasnaHoursMinutes(*text);
    f.zoneHours = c.degrees;
    f.zoneMinutes = c.minutes;
    // A zone on the other side of Greenwich from the place carries its own
    // side after the minutes ("01 00 E"); readers that take only the two
    // numbers are not disturbed by it.
    if (text->size() > kZoneSideAt &&
        ((*text)[kZoneSideAt] == 'E' || (*text)[kZoneSideAt] == 'W')) {
      f.zoneEast = (*text)[kZoneSideAt] == 'E';
    }
  }
  f.zoneName = store.readText(settings_key::PrasnaZoneName).value_or("");
  if (auto text = NonEmptyText(store, settings_key::PrasnaDst)) {
    auto c = ParsePrasnaHoursMinutes(*text);
    f.dstHours = c.degrees;
    f.dstMinutes = c.minutes;
  }
  // Signed by the one rule every dialog uses (saturating, so that a
  // hand-edited extreme value stays in range).
  return PrasnaLocationFromFields(f);
}

bool WritePrasnaLocation(SettingsStore& store, const PrasnaLocationFields& f) {
  bool ok = store.writeText(settings_key::PrasnaLoc, f.place);
  ok = store.writeText(settings_key::PrasnaLong,
                       FormatPrasnaLongitude(f.lonDegrees, f.lonMinutes, f.isEast == 1)) &&
       ok;
  ok = store.writeText(settings_key::PrasnaLat,
                       FormatPrasnaLatitude(f.latDegrees, f.latMinutes, f.isSouth == 1)) &&
       ok;
  std::string zone = FormatPrasnaHoursMinutes(f.zoneHours, f.zoneMinutes);
  if (f.zoneEast && *f.zoneEast != (f.isEast == 1)) zone += *f.zoneEast ? " E" : " W";
  ok = store.writeText(settings_key::PrasnaTZone, zone) && ok;
  ok = store.writeText(settings_key::PrasnaDst,
                       FormatPrasnaHoursMinutes(f.dstHours, f.dstMinutes)) &&
       ok;
  ok = store.writeText(settings_key::PrasnaZoneName, f.zoneName) && ok;
  return ok;
}

}  // namespace sarvexa
