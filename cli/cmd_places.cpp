// `sarvexa-cli places`: searches the atlas by name.

#include <ostream>
#include <string>

#include "atlas/system_atlas.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/option_table.h"
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

struct PlacesOptions {
  std::optional<std::string> query;
  bool json = false;
  bool help = false;
  std::size_t limit = kDefaultLimit;
};

const std::string kLimitHelp = "at most N places, 1.." + std::to_string(kMaxLimit) + " (default " +
                               std::to_string(kDefaultLimit) + ")";

using Row = Option<PlacesOptions>;

const Row kPlacesRows[] = {
    Row("--limit", "N", kLimitHelp,
        [](PlacesOptions& o, std::string_view, std::string_view value) -> Result<void> {
          const std::optional<int> n = ReadDigits(value, 4);
          if (!n || *n < 1 || static_cast<std::size_t>(*n) > kMaxLimit)
            return Fail("--limit: expected a whole number 1.." + std::to_string(kMaxLimit));
          o.limit = static_cast<std::size_t>(*n);
          return Ok();
        })
        .Missing(MissingValue::TakeEmpty),
    {"--json", "",
     "one JSON array of objects: name, state, country,\n"
     "display, lonDeg (east positive), latDeg, lon, lat\n"
     "(as --lon and --lat take them), zoneName, population",
     SetFlag<PlacesOptions, &PlacesOptions::json>},
    Row("--help", "", "this text", SetFlag<PlacesOptions, &PlacesOptions::help>)
        .Alias("-h")
        .StopsParsing(),
};

constexpr CommandRules kRules{"places"};

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
         "\n";
  PrintOptionHelp(out, {HelpOf(kPlacesRows, 22)});
  out << "\n"
         "Place data: GeoNames (geonames.org), CC BY 4.0, as shipped by libgeonames.\n"
         "Time-zone data: the IANA tz database (public domain).\n"
         "No match prints nothing and exits with code 1; a bad option exits with 2.\n";
}

int RunPlacesCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  PlacesOptions o;
  // The query: the first argument that does not begin with "--".
  const auto query = [&o](const std::string& arg, bool) -> Result<bool> {
    if (o.query || (arg.size() > 1 && arg[0] == '-' && arg[1] == '-')) return false;
    o.query = arg;
    return true;
  };
  if (auto parsed = ParseArguments(args, kRules, query, Group(kPlacesRows, o)); !parsed) {
    err << "sarvexa-cli places: " << parsed.error() << '\n';
    return kExitUsage;
  }
  if (o.help) {
    PrintPlacesHelp(out);
    return 0;
  }
  if (!o.query) {
    err << "sarvexa-cli places: a QUERY is required (see sarvexa-cli places --help)\n";
    return kExitUsage;
  }
  const auto atlas = OpenSystemAtlas();
  const auto found = atlas->Places().Search(*o.query, o.limit);
  if (o.json) {
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
