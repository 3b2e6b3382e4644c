#include "document/system_zone.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "document/atlas.h"
#include "document/notation.h"
#include "document/safe_file.h"
#include "document/zone_fields.h"

namespace sarvexa {
namespace {

constexpr const char* kLocaltimeLink = "/etc/localtime";
constexpr const char* kTimezoneFile = "/etc/timezone";
// The system files read here are a few kilobytes (the zone table 18 KB).
constexpr std::size_t kSystemFileLimit = std::size_t{1} << 20;

// A zone name: parts of letters, digits, '_', '-' and '+', joined by '/';
// no empty part and no part made of dots.
bool IsZoneName(std::string_view name) {
  if (name.empty() || name.size() > 255) return false;
  std::size_t partStart = 0;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name[i] == '/') {
      const std::string_view part = name.substr(partStart, i - partStart);
      if (part.empty() || part.find_first_not_of('.') == std::string_view::npos) return false;
      partStart = i + 1;
      continue;
    }
    const char c = name[i];
    const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                         (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '+' || c == '.';
    if (!allowed) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<std::string> ZoneNameFromZoneinfoPath(std::string_view path) {
  constexpr std::string_view kFolder = "zoneinfo/";
  const std::size_t at = path.rfind(kFolder);
  if (at == std::string_view::npos || (at > 0 && path[at - 1] != '/')) return std::nullopt;
  std::string_view name = path.substr(at + kFolder.size());
  // The database's two variants of every zone are the same zone.
  for (std::string_view variant : {"posix/", "right/"}) {
    if (name.substr(0, variant.size()) == variant) name.remove_prefix(variant.size());
  }
  if (!IsZoneName(name)) return std::nullopt;
  return std::string(name);
}

std::optional<std::string> ZoneNameFromTzValue(std::string_view value) {
  if (!value.empty() && value.front() == ':') value.remove_prefix(1);
  if (!value.empty() && value.front() == '/') return ZoneNameFromZoneinfoPath(value);
  if (!IsZoneName(value)) return std::nullopt;
  return std::string(value);
}

std::optional<std::string> SystemZoneName() {
  if (const char* tz = std::getenv("TZ")) {
    if (auto name = ZoneNameFromTzValue(tz)) return name;
  }
  std::error_code ec;
  const std::filesystem::path target = std::filesystem::read_symlink(kLocaltimeLink, ec);
  if (!ec) {
    if (auto name = ZoneNameFromZoneinfoPath(target.string())) return name;
  }
  if (const Result<std::string> text = ReadFileBytes(kTimezoneFile, kSystemFileLimit)) {
    std::string_view firstLine(*text);
    firstLine = Trim(firstLine.substr(0, firstLine.find('\n')));
    if (IsZoneName(firstLine)) return std::string(firstLine);
  }
  return std::nullopt;
}

std::optional<ZoneTableEntry> FindZoneTableEntry(std::string_view table,
                                                 std::string_view zoneName) {
  while (!table.empty()) {
    const std::size_t end = std::min(table.find('\n'), table.size());
    std::string_view line = table.substr(0, end);
    table.remove_prefix(std::min(end + 1, table.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    // Country codes, coordinates, zone name, optional comment.
    const std::size_t tab1 = line.find('\t');
    if (tab1 == std::string_view::npos) continue;
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) continue;
    const std::size_t tab3 = line.find('\t', tab2 + 1);
    const std::string_view name = line.substr(
        tab2 + 1, tab3 == std::string_view::npos ? std::string_view::npos : tab3 - tab2 - 1);
    if (name != zoneName) continue;
    std::string_view coordinates = line.substr(tab1 + 1, tab2 - tab1 - 1);
    const auto lat = TakeIso6709Angle(coordinates, 2);
    const auto lon = lat ? TakeIso6709Angle(coordinates, 3) : std::nullopt;
    if (!lat || !lon || !coordinates.empty()) return std::nullopt;
    return ZoneTableEntry{std::string(name), *lat, *lon};
  }
  return std::nullopt;
}

std::string ZonePlaceText(std::string_view zoneName) {
  std::string text(zoneName.substr(zoneName.rfind('/') + 1));
  for (char& c : text) {
    if (c == '_') c = ' ';
  }
  // Zone names are ASCII: a byte is a character.
  if (text.size() > static_cast<std::size_t>(kPrasnaPlaceMaxChars))
    text.resize(kPrasnaPlaceMaxChars);
  return text;
}

std::optional<PrasnaLocation> ZoneTableLocation(const ZoneTableEntry& entry, Atlas& atlas,
                                                Instant instant) {
  const auto period = atlas.ZoneAtInstant(entry.zoneName, instant.unixSeconds);
  if (!period) return std::nullopt;
  AtlasPlace place;
  place.latDeg = entry.latSeconds / 3600.0;
  place.lonDegEast = entry.lonSecondsEast / 3600.0;
  PrasnaLocationFields f;
  FillCoordinates(place, f);
  f.place = ZonePlaceText(entry.zoneName);
  const LocalZoneInfo info{LocalTimeKind::Unique, *period, {}};
  const ZoneFields zone =
      ZoneFieldsFor(info, entry.zoneName, place.lonDegEast, FoldChoice::Unresolved);
  f.zoneHours = zone.zoneHours;
  f.zoneMinutes = zone.zoneMinutes;
  if (zone.zoneEast != f.isEast) f.zoneEast = zone.zoneEast;
  f.dstHours = zone.dstHours;
  f.zoneName = entry.zoneName;
  return PrasnaLocationFromFields(f);
}

std::optional<PrasnaLocation> SystemZoneLocation(Atlas& atlas, Instant instant) {
  const std::optional<std::string> zone = SystemZoneName();
  if (!zone) return std::nullopt;
  const Result<std::string> table = ReadFileBytes(kZoneTablePath, kSystemFileLimit);
  if (!table) return std::nullopt;
  const std::optional<ZoneTableEntry> entry = FindZoneTableEntry(*table, *zone);
  if (!entry) return std::nullopt;
  return ZoneTableLocation(*entry, atlas, instant);
}

std::string SystemZoneLocationNote(const PrasnaLocation& location) {
  return "No Prasna location is set: the Prasna is cast for " + location.place +
         ", the principal place of this computer's time zone " + location.where.zoneName + ".";
}

}  // namespace sarvexa
