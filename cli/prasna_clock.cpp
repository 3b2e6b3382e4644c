#include "cli/prasna_clock.h"

#include <atomic>
#include <memory>
#include <ostream>

#include "atlas/system_atlas.h"
#include "document/chart_document.h"
#include "document/settings.h"
#include "document/system_zone.h"

namespace sarvexa::cli {
namespace {

// Set when a stored setting could not be used; only the exit code reads it.
std::atomic<bool> unusableSettings{false};

}  // namespace

IniFileSettingsStore ReadStoredSettings(const char* command, std::ostream& err) {
  const auto path = IniFileSettingsStore::DefaultPath();
  if (!path) return IniFileSettingsStore{};
  IniFileSettingsStore store = IniFileSettingsStore::FromFile(*path);
  if (!store.readProblem().empty()) {
    err << "sarvexa-cli " << command << ": " << store.readProblem() << '\n';
    NoteUnusableSettings();
  }
  return store;
}

void NoteUnusableSettings() { unusableSettings = true; }

int ExitCodeAfterSettings(int code) { return code == 0 && unusableSettings ? 1 : code; }

PrasnaLocation CommandPrasnaLocation(const SettingsStore& settings, Atlas& atlas, Instant instant,
                                     bool* fromComputerZone) {
  if (fromComputerZone) *fromComputerZone = false;
  if (HasStoredPrasnaLocation(settings)) return ReadPrasnaLocation(settings);
  if (auto own = SystemZoneLocation(atlas, instant)) {
    if (fromComputerZone) *fromComputerZone = true;
    return *own;
  }
  return ReadPrasnaLocation(settings);  // the defaults
}

LocalClockReading PeriodClockReading(const std::optional<WrittenMoment>& now,
                                     const SettingsStore& settings) {
  if (!NeedsPrasnaClock(now)) return now->clock;
  const Instant instant = now ? *now->instant() : ReadSystemInstant();
  // Opening the atlas reads nothing; the zone module is loaded only for a
  // location with a zone name.
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  const PrasnaLocation location = CommandPrasnaLocation(settings, *atlas, instant);
  return PrasnaClockAt(location, instant, atlas.get()).reading;
}

bool UseComputerZoneIfNoneStored(ChartDocument& doc, const SettingsStore& settings, Atlas& atlas) {
  if (HasStoredPrasnaLocation(settings)) return false;
  const std::optional<PrasnaLocation> own = SystemZoneLocation(atlas, ReadSystemInstant());
  if (!own) return false;
  doc.usePrasnaLocationForRun(*own);
  return true;
}

InstantClock ClockOfNow(const std::optional<WrittenMoment>& now, const PrasnaLocation& location,
                        Atlas* atlas) {
  if (!now) return ReadSystemInstant;
  const Instant instant =
      now->instant() ? *now->instant() : PrasnaInstantOf(location, now->clock, atlas);
  return [instant] { return instant; };
}

}  // namespace sarvexa::cli
