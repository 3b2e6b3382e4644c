#pragma once
// The atlas: the places of the world and the history of their legal time,
// behind a small interface. The implementation over the system's place list
// and time-zone database is the separate sarvexa_atlas library (atlas/); the
// toolkit-free layers, the window and sarvexa-cli only see this class, and
// tests can hand in a small one of their own.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/place_search.h"
#include "document/zone_fields.h"

namespace sarvexa {

class Atlas {
 public:
  virtual ~Atlas() = default;

  /// The places, with their search index. Built on the first call (the
  /// place list is read then), so creating an Atlas costs nothing.
  virtual const PlaceIndex& Places() = 0;

  /// The zone's periods at a local moment; nullopt for an unknown zone name.
  virtual std::optional<LocalZoneInfo> ZoneAt(std::string_view zoneName,
                                              const LocalMoment& moment) = 0;

  /// The period in force at an instant (seconds since 1970-01-01 00:00 UT);
  /// nullopt for an unknown zone name.
  virtual std::optional<ZonePeriod> ZoneAtInstant(std::string_view zoneName,
                                                  std::int64_t unixSeconds) = 0;

  /// Every IANA zone name of the database, sorted (for the zone picker).
  virtual std::vector<std::string> ZoneNames() = 0;

  /// Why no zone at all can be looked up (the zone data could not be
  /// loaded), for a message; empty while zones can be looked up.
  virtual std::string ZoneProblem() { return {}; }
};

/// Where the place and zone data come from and under which licences, for the
/// About box and `--help`.
inline constexpr const char* kAtlasAttribution =
    "Place data: GeoNames (geonames.org), CC BY 4.0, as shipped by libgeonames.\n"
    "Time-zone data: the IANA tz database, public domain.\n"
    "Time-zone library: date/tz (Debian libhowardhinnant-date-dev), MIT licence.";

}  // namespace sarvexa
