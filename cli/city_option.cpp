#include "cli/city_option.h"

#include "atlas/system_atlas.h"
#include "document/atlas_fill.h"
#include "engine/text_format.h"

namespace sarvexa::cli {

int Hour24(const BirthOptions& o) { return (o.hour == 12 ? 0 : o.hour) + (o.isPm ? 12 : 0); }

Result<void> ResolveCity(BirthOptions& o, Atlas& atlas) {
  if (o.city.empty()) return Ok();
  if (!o.hasDate || !o.hasTime) {
    return Fail("--city needs --date and --time: the zone in force depends on them");
  }
  const auto found = atlas.Places().Search(o.city, 1);
  if (found.empty()) {
    return Fail("--city: no place of the atlas matches \"" + o.city +
                "\" (try sarvexa-cli places NAME)");
  }
  const AtlasPlace& place = *found.front();
  const LocalMoment moment{o.year, o.monthIndex + 1, o.day, Hour24(o), o.minute};
  const auto info = atlas.ZoneAt(place.zoneName, moment);
  if (!info) {
    const std::string problem = atlas.ZoneProblem();
    if (!problem.empty()) return Fail("--city: " + problem);
    return Fail("--city: the time-zone database has no zone \"" + place.zoneName + "\"");
  }
  const ZoneFields zone = ZoneFieldsFor(*info, place.zoneName, place.lonDegEast, o.fold);
  if (zone.unresolved) {
    const std::string when = FormatText("%04d-%02d-%02d %02d:%02d", o.year, o.monthIndex + 1, o.day,
                                        Hour24(o), o.minute);
    return Fail("--city: local time " + when +
                (zone.kind == LocalTimeKind::Gap
                     ? " does not exist in " + place.zoneName + " (the clocks went forward)"
                     : " occurs twice in " + place.zoneName + " (the clocks went back)") +
                "; choose with --fold earlier|later");
  }

  PlaceFields filled;
  FillCoordinates(place, filled);
  if (!o.hasLon) {
    CopyLongitude(filled, o);
    o.hasLon = true;
  }
  if (!o.hasLat) {
    CopyLatitude(filled, o);
    o.hasLat = true;
  }
  if (!o.hasZone) {
    o.zoneHours = zone.zoneHours;
    o.zoneMinutes = zone.zoneMinutes;
    o.zoneEast = zone.zoneEast;
    o.hasZone = true;
    if (!o.hasDst) o.dstHours = zone.dstHours;
    o.zoneName = place.zoneName;
    o.zoneLabel = zone.label;
    o.zoneNote = zone.warning;
  } else if (!o.hasDst) {
    o.dstHours = zone.dstHours;
  }
  if (o.place.empty()) o.place = PlaceFieldText(place, kChartDataPlaceMaxChars);
  return Ok();
}

Result<void> ResolveCity(BirthOptions& o) {
  if (o.city.empty()) return Ok();
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  return ResolveCity(o, *atlas);
}

}  // namespace sarvexa::cli
