// `sarvexa-cli places`: searches the atlas by name.

#include <ostream>
#include <string>

#include "atlas/system_atlas.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "document/atlas_fill.h"
#include "document/notation.h"

namespace sarvexa::cli {
namespace {

constexpr std::size_t kDefaultLimit = 10;
constexpr std::size_t kMaxLimit = 1000;

// A coordinate of the atlas as --lon and --lat take it. The atlas counts
// East and North positive: East is a longitude's other side, North a
// latitude's plain one.
std::string Coordinate(double valueDeg, const AngleAxis& axis, bool positiveIsOtherSide) {
  const AngleParts a = SplitAngle(valueDeg);
  return WriteAngle(SidedAngle{a.degrees, a.minutes, a.negative != positiveIsOtherSide}, axis);
}

}  // namespace

void PrintPlacesHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli places QUERY [--json] [--limit N]\n"
         "\n"
         "Lists the places of the atlas whose name is QUERY or begins with it,\n"
         "the exact name first, then by population; accents and letter case do\n"
         "not matter. QUERY may add \", State\" and \", Country\" to narrow it.\n"
         "Each line shows the place, longitude, latitude, IANA zone name and\n"
         "population; the same names go to --city of chart, ephemeris, render\n"
         "and transits.\n"
         "\n"
         "  --limit N           at most N places, 1.."
      << kMaxLimit << " (default " << kDefaultLimit
      << ")\n"
         "  --json              one JSON array of objects: name, state, country,\n"
         "                      display, lonDeg (east positive), latDeg, lon, lat\n"
         "                      (as --lon and --lat take them), zoneName, population\n"
         "  --help              this text\n"
         "\n"
         "Place data: GeoNames (geonames.org), CC BY 4.0, as shipped by libgeonames.\n"
         "Time-zone data: the IANA tz database (public domain).\n"
         "No match prints nothing and exits with code 1; a bad option exits with 2.\n";
}

int RunPlacesCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  std::string query;
  bool haveQuery = false, json = false;
  std::size_t limit = kDefaultLimit;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      PrintPlacesHelp(out);
      return 0;
    } else if (a == "--json") {
      json = true;
    } else if (a == "--limit") {
      const std::string value = i + 1 < args.size() ? args[++i] : std::string();
      const std::optional<int> n = ReadDigits(value, 4);
      if (!n || *n < 1 || static_cast<std::size_t>(*n) > kMaxLimit) {
        err << "sarvexa-cli places: --limit: expected a whole number 1.." << kMaxLimit << '\n';
        return kExitUsage;
      }
      limit = static_cast<std::size_t>(*n);
    } else if (!haveQuery && !(a.size() > 1 && a[0] == '-' && a[1] == '-')) {
      query = a;
      haveQuery = true;
    } else {
      err << "sarvexa-cli places: unknown option \"" << a << "\" (see sarvexa-cli places --help)\n";
      return kExitUsage;
    }
  }
  if (!haveQuery) {
    err << "sarvexa-cli places: a QUERY is required (see sarvexa-cli places --help)\n";
    return kExitUsage;
  }
  const auto atlas = OpenSystemAtlas();
  const auto found = atlas->Places().Search(query, limit);
  if (json) {
    JsonWriter w;
    w.BeginArray();
    for (const AtlasPlace* p : found) {
      w.BeginObject();
      w.Field("name", p->name);
      w.Field("state", p->state);
      w.Field("country", p->country);
      w.Field("display", PlaceDisplayName(*p));
      w.Field("lonDeg", p->lonDegEast);
      w.Field("latDeg", p->latDeg);
      w.Field("lon", Coordinate(p->lonDegEast, kLongitudeAxis, true));
      w.Field("lat", Coordinate(p->latDeg, kLatitudeAxis, false));
      w.Field("zoneName", p->zoneName);
      w.Field("population", static_cast<std::int64_t>(p->population));
      w.EndObject();
    }
    w.EndArray();
    out << w.Text();
  } else {
    for (const AtlasPlace* p : found) {
      out << PlaceDisplayName(*p) << "  " << Coordinate(p->lonDegEast, kLongitudeAxis, true) << ' '
          << Coordinate(p->latDeg, kLatitudeAxis, false) << "  " << p->zoneName << "  "
          << p->population << '\n';
    }
  }
  if (!out) return 1;
  return found.empty() ? 1 : 0;
}

}  // namespace sarvexa::cli
