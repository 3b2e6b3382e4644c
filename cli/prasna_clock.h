#pragma once
// The Prasna location and the present as the command-line tool finds them,
// the same way the window does: the desktop program's stored settings (read
// only; a file that exists but cannot be read is said on standard error),
// the computer's own zone when no location is stored, and the moment of
// --now read on the location's clock.

#include <iosfwd>
#include <optional>

#include "document/ini_settings_store.h"
#include "document/notation.h"
#include "document/prasna.h"
#include "document/present.h"

namespace sarvexa {
class Atlas;
class ChartDocument;
}  // namespace sarvexa

namespace sarvexa::cli {

/// The desktop program's settings, read only. A file that exists but cannot
/// be read is said on `err` in one line, "sarvexa-cli COMMAND: ...", and
/// gives the defaults; the command goes on with them, and its exit code
/// then says that not everything went well (see ExitCodeAfterSettings).
IniFileSettingsStore ReadStoredSettings(const char* command, std::ostream& err);

/// Notes that a stored setting could not be used (a file that could not be
/// read, or a value the program does not take), once said on standard error.
void NoteUnusableSettings();

/// `code`, or 1 in place of 0 when a stored setting could not be used during
/// this run: the output was made with a default instead of what the user
/// stored, which a script must be able to tell from success.
int ExitCodeAfterSettings(int code);

/// The Prasna location the commands cast for and read the present on: the
/// stored one; with none stored, the principal place of the computer's own
/// zone at `instant` (`fromComputerZone` set), else the default.
PrasnaLocation CommandPrasnaLocation(const SettingsStore& settings, Atlas& atlas, Instant instant,
                                     bool* fromComputerZone = nullptr);

/// The clock reading of the running period for a written --now, or for the
/// present without one: a written local reading as it stands; an instant
/// (written with Z or an offset, or the system clock's) on the clock of the
/// Prasna location of `settings`.
LocalClockReading PeriodClockReading(const std::optional<WrittenMoment>& now,
                                     const SettingsStore& settings);

/// With no Prasna location stored in `settings`, gives `doc` the principal
/// place of the computer's own zone for this run and returns true.
bool UseComputerZoneIfNoneStored(ChartDocument& doc, const SettingsStore& settings, Atlas& atlas);

/// The clock of a written --now for a document whose Prasna location is
/// `location`: the written instant; a written local reading as the instant
/// the location's clock shows it at (so the document reads it back as
/// written); without --now the system clock.
InstantClock ClockOfNow(const std::optional<WrittenMoment>& now, const PrasnaLocation& location,
                        Atlas* atlas);

/// Whether a --now needs the Prasna location (and so the settings): an
/// instant, or none at all (the present).
inline bool NeedsPrasnaClock(const std::optional<WrittenMoment>& now) {
  return !now || now->offsetMinutesEast.has_value();
}

}  // namespace sarvexa::cli
