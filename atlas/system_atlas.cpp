#include "atlas/system_atlas.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <exception>

#include <date/tz.h>
#include <geonames.h>

namespace sarvexa {
namespace {

using std::chrono::seconds;

// A saving held without a break for longer than this is wartime or
// year-round time rather than seasonal daylight saving.
constexpr auto kSeasonalSavingLimit = date::days{366};
// How many neighbouring periods are tried to find the standard offset under
// a period of saving.
constexpr int kStandardSearchSteps = 8;

std::string Text(const gchar* s) { return s ? std::string(s) : std::string(); }

// libgeonames, and glib with its dozen libraries beneath it, is opened at the
// first search only: a command that never looks a place up (a chart from
// typed coordinates, thousands of times from a script) does not pay for
// loading them. The handle stays open for the rest of the run.
struct GeonamesLibrary {
  gint (*nCities)() = nullptr;
  GeonamesCity* (*city)(gint) = nullptr;
  void (*cityFree)(GeonamesCity*) = nullptr;
  const gchar* (*name)(GeonamesCity*) = nullptr;
  const gchar* (*state)(GeonamesCity*) = nullptr;
  const gchar* (*country)(GeonamesCity*) = nullptr;
  const gchar* (*timezone)(GeonamesCity*) = nullptr;
  gdouble (*latitude)(GeonamesCity*) = nullptr;
  gdouble (*longitude)(GeonamesCity*) = nullptr;
  guint (*population)(GeonamesCity*) = nullptr;
};

template <typename F>
bool Resolve(void* handle, const char* symbol, F& out) {
  out = reinterpret_cast<F>(dlsym(handle, symbol));
  return out != nullptr;
}

// The library's functions, or nothing when it cannot be loaded.
std::optional<GeonamesLibrary> LoadGeonames() {
  void* handle = dlopen("libgeonames.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!handle) return std::nullopt;
  GeonamesLibrary g;
  const bool all = Resolve(handle, "geonames_get_n_cities", g.nCities) &&
                   Resolve(handle, "geonames_get_city", g.city) &&
                   Resolve(handle, "geonames_city_free", g.cityFree) &&
                   Resolve(handle, "geonames_city_get_name", g.name) &&
                   Resolve(handle, "geonames_city_get_state", g.state) &&
                   Resolve(handle, "geonames_city_get_country", g.country) &&
                   Resolve(handle, "geonames_city_get_timezone", g.timezone) &&
                   Resolve(handle, "geonames_city_get_latitude", g.latitude) &&
                   Resolve(handle, "geonames_city_get_longitude", g.longitude) &&
                   Resolve(handle, "geonames_city_get_population", g.population);
  if (!all) {
    dlclose(handle);
    return std::nullopt;
  }
  return g;
}

// The database marks saving but, read from the compiled zone files, not
// its amount: the standard offset is that of the nearest period without it,
// looked for first backwards, then forwards.
int StandardOffsetSeconds(const date::time_zone& zone, const date::sys_info& info) {
  if (info.save == std::chrono::minutes{0}) return static_cast<int>(info.offset.count());
  date::sys_info probe = info;
  for (int k = 0;
       k < kStandardSearchSteps && probe.begin > date::sys_days{date::year{-32000} / 1 / 1}; ++k) {
    probe = zone.get_info(probe.begin - seconds{1});
    if (probe.save == std::chrono::minutes{0}) return static_cast<int>(probe.offset.count());
  }
  probe = info;
  for (int k = 0; k < kStandardSearchSteps && probe.end < date::sys_days{date::year{32000} / 1 / 1};
       ++k) {
    probe = zone.get_info(probe.end);
    if (probe.save == std::chrono::minutes{0}) return static_cast<int>(probe.offset.count());
  }
  return static_cast<int>(info.offset.count());  // saving all along: no better guess
}

ZonePeriod ToPeriod(const date::time_zone& zone, const date::sys_info& info) {
  ZonePeriod p;
  p.offsetSeconds = static_cast<int>(info.offset.count());
  p.isDst = info.save != std::chrono::minutes{0};
  p.standardOffsetSeconds = StandardOffsetSeconds(zone, info);
  p.longDst = p.isDst && info.end - info.begin > kSeasonalSavingLimit;
  p.abbreviation = info.abbrev;
  // The database's own name for the mean time of a zone's main city.
  p.isLocalMeanTime = info.abbrev == "LMT";
  return p;
}

class SystemAtlas final : public Atlas {
 public:
  const PlaceIndex& Places() override {
    if (!places_) places_.emplace(ReadPlaces());
    return *places_;
  }

  std::optional<LocalZoneInfo> ZoneAt(std::string_view zoneName, const LocalMoment& m) override {
    const date::time_zone* zone = nullptr;
    try {
      zone = date::locate_zone(zoneName);
    } catch (const std::exception&) {
      return std::nullopt;
    }
    // A day the month lacks rolls into the next month, as the chart does.
    const date::local_seconds local =
        date::local_days{date::year{m.year} / date::month{static_cast<unsigned>(m.month)} / 1} +
        date::days{m.day - 1} + std::chrono::hours{m.hour} + std::chrono::minutes{m.minute};
    const date::local_info li = zone->get_info(local);
    LocalZoneInfo out;
    out.before = ToPeriod(*zone, li.first);
    if (li.result == date::local_info::nonexistent) {
      out.kind = LocalTimeKind::Gap;
      out.after = ToPeriod(*zone, li.second);
    } else if (li.result == date::local_info::ambiguous) {
      out.kind = LocalTimeKind::Overlap;
      out.after = ToPeriod(*zone, li.second);
    }
    return out;
  }

  std::vector<std::string> ZoneNames() override {
    std::vector<std::string> names;
    try {
      const date::tzdb& db = date::get_tzdb();
      for (const date::time_zone& z : db.zones) names.emplace_back(z.name());
    } catch (const std::exception&) {
      return names;  // no database: nothing to pick from
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  // Without the library the atlas holds no places: searches find nothing.
  static PlaceIndex ReadPlaces() {
    std::vector<AtlasPlace> places;
    const std::optional<GeonamesLibrary> g = LoadGeonames();
    if (!g) return PlaceIndex(std::move(places));
    const gint n = g->nCities();
    places.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
    for (gint i = 0; i < n; ++i) {
      GeonamesCity* city = g->city(i);
      if (!city) continue;
      AtlasPlace p;
      p.name = Text(g->name(city));
      p.state = Text(g->state(city));
      p.country = Text(g->country(city));
      p.zoneName = Text(g->timezone(city));
      p.latDeg = g->latitude(city);
      p.lonDegEast = g->longitude(city);
      p.population = g->population(city);
      g->cityFree(city);
      places.push_back(std::move(p));
    }
    return PlaceIndex(std::move(places));
  }

  std::optional<PlaceIndex> places_;
};

}  // namespace

std::unique_ptr<Atlas> OpenSystemAtlas() { return std::make_unique<SystemAtlas>(); }

}  // namespace sarvexa
