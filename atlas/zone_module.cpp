// The zone lookup over the system's IANA database (/usr/share/zoneinfo),
// read through the date/tz library; see zone_module.h for why it is a module.
#include "atlas/zone_module.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <string_view>

#include <date/tz.h>

namespace {

using std::chrono::seconds;

// A saving held without a break for longer than this is wartime or
// year-round time rather than seasonal daylight saving.
constexpr auto kSeasonalSavingLimit = date::days{366};
// How many neighbouring periods are tried to find the standard offset under
// a period of saving.
constexpr int kStandardSearchSteps = 8;

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

SarvexaZonePeriod ToPeriod(const date::time_zone& zone, const date::sys_info& info) {
  SarvexaZonePeriod p{};
  p.offsetSeconds = static_cast<int>(info.offset.count());
  p.isDst = info.save != std::chrono::minutes{0};
  p.standardOffsetSeconds = StandardOffsetSeconds(zone, info);
  p.longDst = p.isDst && info.end - info.begin > kSeasonalSavingLimit;
  const std::size_t n = std::min(info.abbrev.size(), sizeof p.abbreviation - 1);
  info.abbrev.copy(p.abbreviation, n);
  p.abbreviation[n] = '\0';
  // The database's own name for the mean time of a zone's main city.
  p.isLocalMeanTime = info.abbrev == "LMT";
  return p;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int sarvexa_zones_interface_version(void) {
  return SARVEXA_ZONES_INTERFACE_VERSION;
}

__attribute__((visibility("default"))) int sarvexa_zone_at(const char* name, size_t nameLength,
                                                           int year, int month, int day, int hour,
                                                           int minute, SarvexaZoneAnswer* answer) {
  try {
    const date::time_zone* zone = date::locate_zone(std::string_view(name, nameLength));
    const date::local_seconds local =
        date::local_days{date::year{year} / date::month{static_cast<unsigned>(month)} / 1} +
        date::days{day - 1} + std::chrono::hours{hour} + std::chrono::minutes{minute};
    const date::local_info li = zone->get_info(local);
    *answer = SarvexaZoneAnswer{};
    answer->before = ToPeriod(*zone, li.first);
    if (li.result == date::local_info::nonexistent) {
      answer->kind = 1;
      answer->after = ToPeriod(*zone, li.second);
    } else if (li.result == date::local_info::ambiguous) {
      answer->kind = 2;
      answer->after = ToPeriod(*zone, li.second);
    }
    return 1;
  } catch (const std::exception&) {
    return 0;  // no such zone, or no database to read
  }
}

__attribute__((visibility("default"))) int sarvexa_zone_at_instant(const char* name,
                                                                   size_t nameLength,
                                                                   long long unixSeconds,
                                                                   SarvexaZonePeriod* period) {
  try {
    const date::time_zone* zone = date::locate_zone(std::string_view(name, nameLength));
    const date::sys_seconds instant{seconds{unixSeconds}};
    *period = ToPeriod(*zone, zone->get_info(instant));
    return 1;
  } catch (const std::exception&) {
    return 0;  // no such zone, or no database to read
  }
}

__attribute__((visibility("default"))) void sarvexa_zone_names(void (*each)(void*, const char*),
                                                               void* context) {
  try {
    const date::tzdb& db = date::get_tzdb();
    for (const date::time_zone& z : db.zones) each(context, std::string(z.name()).c_str());
  } catch (const std::exception&) {
    // no database: nothing to pick from
  }
}

}  // extern "C"
