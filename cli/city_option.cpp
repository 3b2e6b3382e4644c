#include "cli/city_option.h"

#include "atlas/system_atlas.h"
#include "document/atlas_fill.h"
#include "document/notation.h"

namespace sarvexa::cli {

namespace {

// How many places are looked at to tell whether a name is ambiguous.
constexpr std::size_t kPlacesCompared = 2;

// A second place that matches `query` as well as the first one taken (both
// named exactly so, or both names beginning with it): the note that says
// which was taken and how to ask for the other. Empty when the first is the
// only such place.
std::string AmbiguityNote(const std::string& query, const std::vector<const AtlasPlace*>& found) {
  if (found.size() < 2) return {};
  const std::string typed = FoldForSearch(query.substr(0, query.find(',')));
  const auto exact = [&typed](const AtlasPlace& p) { return FoldForSearch(p.name) == typed; };
  const AtlasPlace& taken = *found[0];
  const AtlasPlace& other = *found[1];
  if (exact(taken) != exact(other)) return {};
  // The other place by its name and the first of its state and its country
  // that tells it apart; the search takes that form.
  const bool byState =
      !other.state.empty() && other.state != other.name && other.state != taken.state;
  const std::string example = other.name + ", " + (byState ? other.state : other.country);
  return "\"" + query + "\" is the name of more than one place; took " + PlaceDisplayName(taken) +
         ", the most populous; for another, add its state or country, e.g. \"" + example + "\"";
}

}  // namespace

void PrintCityNote(const BirthOptions& o, const char* command, std::ostream& err) {
  if (!o.cityNote.empty()) err << "sarvexa-cli " << command << ": --city " << o.cityNote << '\n';
}

Result<void> ResolveCity(BirthOptions& o, Atlas& atlas, std::string_view foldHint) {
  if (o.city.empty()) return Ok();
  if (!o.hasDate || !o.hasTime) {
    return Fail("--city needs --date and --time: the zone in force depends on them");
  }
  const auto found = atlas.Places().Search(o.city, kPlacesCompared);
  if (found.empty()) {
    return Fail("--city: no place of the atlas matches \"" + o.city +
                "\" (try sarvexa-cli places NAME)");
  }
  const AtlasPlace& place = *found.front();
  const ChartDataFields& f = o.fields;
  const int hour24 = To24Hour(f.hour, f.isPm);
  const LocalMoment moment{f.year, f.monthIndex + 1, f.day, hour24, f.minute};
  const auto info = atlas.ZoneAt(place.zoneName, moment);
  if (!info) {
    const std::string problem = atlas.ZoneProblem();
    if (!problem.empty()) return Fail("--city: " + problem);
    return Fail("--city: the time-zone database has no zone \"" + place.zoneName + "\"");
  }
  const ZoneFields zone = ZoneFieldsFor(*info, place.zoneName, place.lonDegEast, o.fold);
  if (zone.unresolved) {
    const std::string when =
        WriteMoment(LocalClockReading{f.year, f.monthIndex + 1, f.day, hour24, f.minute}, ' ');
    return Fail("--city: local time " + when +
                (zone.kind == LocalTimeKind::Gap
                     ? " does not exist in " + place.zoneName + " (the clocks went forward)"
                     : " occurs twice in " + place.zoneName + " (the clocks went back)") +
                "; " + std::string(foldHint));
  }

  PlaceFields filled;
  FillCoordinates(place, filled);
  if (!o.hasLon) {
    CopyLongitude(filled, o.fields);
    o.hasLon = true;
  }
  if (!o.hasLat) {
    CopyLatitude(filled, o.fields);
    o.hasLat = true;
  }
  if (!o.hasZone) {
    o.fields.zoneHours = zone.zoneHours;
    o.fields.zoneMinutes = zone.zoneMinutes;
    o.fields.zoneEast = zone.zoneEast;
    o.hasZone = true;
    if (!o.hasDst) o.fields.dstHours = zone.dstHours;
    o.fields.zoneName = place.zoneName;
    o.zoneLabel = zone.label;
    o.zoneNote = zone.warning;
  } else if (!o.hasDst) {
    o.fields.dstHours = zone.dstHours;
  }
  if (o.fields.place.empty()) o.fields.place = PlaceFieldText(place, kChartDataPlaceMaxChars);
  o.cityName = PlaceDisplayName(place);
  o.cityNote = AmbiguityNote(o.city, found);
  return Ok();
}

Result<void> ResolveCity(BirthOptions& o) {
  if (o.city.empty()) return Ok();
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  return ResolveCity(o, *atlas);
}

}  // namespace sarvexa::cli
