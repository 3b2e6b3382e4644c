#include "atlas/system_atlas.h"

#include <dlfcn.h>

#include <algorithm>
#include <string>
#include <vector>

#include <geonames.h>

#include "atlas/zone_module.h"
#include "loader/module_loader.h"

namespace sarvexa {
namespace {

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

// The library's functions, or nothing when it cannot be loaded.
std::optional<GeonamesLibrary> LoadGeonames() {
  void* handle = dlopen("libgeonames.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!handle) return std::nullopt;
  GeonamesLibrary g;
  const bool all = ResolveSymbol(handle, "geonames_get_n_cities", g.nCities) &&
                   ResolveSymbol(handle, "geonames_get_city", g.city) &&
                   ResolveSymbol(handle, "geonames_city_free", g.cityFree) &&
                   ResolveSymbol(handle, "geonames_city_get_name", g.name) &&
                   ResolveSymbol(handle, "geonames_city_get_state", g.state) &&
                   ResolveSymbol(handle, "geonames_city_get_country", g.country) &&
                   ResolveSymbol(handle, "geonames_city_get_timezone", g.timezone) &&
                   ResolveSymbol(handle, "geonames_city_get_latitude", g.latitude) &&
                   ResolveSymbol(handle, "geonames_city_get_longitude", g.longitude) &&
                   ResolveSymbol(handle, "geonames_city_get_population", g.population);
  if (!all) {
    dlclose(handle);
    return std::nullopt;
  }
  return g;
}

struct ZoneModule {
  int (*zoneAt)(const char*, size_t, int, int, int, int, int, SarvexaZoneAnswer*) = nullptr;
  int (*zoneAtInstant)(const char*, size_t, long long, SarvexaZonePeriod*) = nullptr;
  void (*zoneNames)(void (*)(void*, const char*), void*) = nullptr;
};

// The module's functions, or in `problem` why it cannot be loaded: then no
// zone is known, as with a system that has no zone database.
std::optional<ZoneModule> LoadZoneModule(std::string& problem) {
  ZoneModule z;
  const Result<void*> handle =
      OpenModule({SARVEXA_ZONES_MODULE_FILE, "the time-zone module",
                  "sarvexa_zones_interface_version", SARVEXA_ZONES_INTERFACE_VERSION},
                 [&z](void* h) {
                   return ResolveSymbol(h, "sarvexa_zone_at", z.zoneAt) &&
                          ResolveSymbol(h, "sarvexa_zone_at_instant", z.zoneAtInstant) &&
                          ResolveSymbol(h, "sarvexa_zone_names", z.zoneNames);
                 });
  if (!handle) {
    problem = handle.error();
    return std::nullopt;
  }
  problem.clear();
  return z;
}

ZonePeriod ToPeriod(const SarvexaZonePeriod& in) {
  ZonePeriod p;
  p.offsetSeconds = in.offsetSeconds;
  p.standardOffsetSeconds = in.standardOffsetSeconds;
  p.isDst = in.isDst != 0;
  p.longDst = in.longDst != 0;
  p.isLocalMeanTime = in.isLocalMeanTime != 0;
  p.abbreviation = in.abbreviation;
  return p;
}

class SystemAtlas final : public Atlas {
 public:
  const PlaceIndex& Places() override {
    if (!places_) places_.emplace(ReadPlaces());
    return *places_;
  }

  std::optional<LocalZoneInfo> ZoneAt(std::string_view zoneName, const LocalMoment& m) override {
    const ZoneModule* z = Zones();
    SarvexaZoneAnswer answer;
    if (!z || !z->zoneAt(zoneName.data(), zoneName.size(), m.year, m.month, m.day, m.hour, m.minute,
                         &answer)) {
      return std::nullopt;
    }
    LocalZoneInfo out;
    out.before = ToPeriod(answer.before);
    if (answer.kind != 0) {
      out.kind = answer.kind == 1 ? LocalTimeKind::Gap : LocalTimeKind::Overlap;
      out.after = ToPeriod(answer.after);
    }
    return out;
  }

  std::optional<ZonePeriod> ZoneAtInstant(std::string_view zoneName,
                                          std::int64_t unixSeconds) override {
    const ZoneModule* z = Zones();
    SarvexaZonePeriod period;
    if (!z || !z->zoneAtInstant(zoneName.data(), zoneName.size(), unixSeconds, &period)) {
      return std::nullopt;
    }
    return ToPeriod(period);
  }

  std::string ZoneProblem() override {
    Zones();
    return zoneProblem_;
  }

  std::vector<std::string> ZoneNames() override {
    std::vector<std::string> names;
    const ZoneModule* z = Zones();
    if (!z) return names;
    z->zoneNames(
        [](void* context, const char* name) noexcept {
          static_cast<std::vector<std::string>*>(context)->emplace_back(name);
        },
        &names);
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

  // The zone module, opened at the first zone question.
  const ZoneModule* Zones() {
    if (!zonesTried_) {
      zones_ = LoadZoneModule(zoneProblem_);
      zonesTried_ = true;
    }
    return zones_ ? &*zones_ : nullptr;
  }

  std::optional<PlaceIndex> places_;
  std::optional<ZoneModule> zones_;
  bool zonesTried_ = false;
  std::string zoneProblem_;
};

}  // namespace

std::unique_ptr<Atlas> OpenSystemAtlas() { return std::make_unique<SystemAtlas>(); }

}  // namespace sarvexa
