#include "atlas/system_atlas.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <geonames.h>

#include "atlas/zone_module.h"

#ifndef SARVEXA_ZONES_INSTALL_DIR
#define SARVEXA_ZONES_INSTALL_DIR ""
#endif
#ifndef SARVEXA_ZONES_BUILD_DIR
#define SARVEXA_ZONES_BUILD_DIR ""
#endif

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

// The zone module (zone_module.h): beside the program's folder, as an
// installed program has it (bin/../lib/sarvexa), then in the folder it was
// installed to, then where this build put it (the tests run from deeper
// folders of the build).
std::vector<std::string> ZoneModuleCandidates() {
  std::vector<std::string> out;
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    out.push_back((self.parent_path() / ".." / "lib" / "sarvexa" / SARVEXA_ZONES_MODULE_FILE)
                      .lexically_normal());
  }
  for (const char* dir : {SARVEXA_ZONES_INSTALL_DIR, SARVEXA_ZONES_BUILD_DIR}) {
    if (*dir) out.push_back(std::string(dir) + "/" + SARVEXA_ZONES_MODULE_FILE);
  }
  return out;
}

struct ZoneModule {
  int (*zoneAt)(const char*, size_t, int, int, int, int, int, SarvexaZoneAnswer*) = nullptr;
  int (*zoneAtInstant)(const char*, size_t, long long, SarvexaZonePeriod*) = nullptr;
  void (*zoneNames)(void (*)(void*, const char*), void*) = nullptr;
};

// The module's functions, or in `problem` why it cannot be loaded: then no
// zone is known, as with a system that has no zone database.
std::optional<ZoneModule> LoadZoneModule(std::string& problem) {
  problem = "the time-zone module " SARVEXA_ZONES_MODULE_FILE " could not be loaded";
  for (const std::string& path : ZoneModuleCandidates()) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      // A module that exists but cannot be opened says more than a missing one.
      if (const char* why = dlerror(); why && access(path.c_str(), F_OK) == 0) {
        problem = "the time-zone module could not be loaded: " + std::string(why);
      }
      continue;
    }
    int (*version)() = nullptr;
    ZoneModule z;
    if (Resolve(handle, "sarvexa_zones_interface_version", version) &&
        version() == SARVEXA_ZONES_INTERFACE_VERSION &&
        Resolve(handle, "sarvexa_zone_at", z.zoneAt) &&
        Resolve(handle, "sarvexa_zone_at_instant", z.zoneAtInstant) &&
        Resolve(handle, "sarvexa_zone_names", z.zoneNames)) {
      problem.clear();
      return z;
    }
    problem = "the time-zone module " + path + " is of another version of the program";
    dlclose(handle);
  }
  return std::nullopt;
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
