#pragma once
// The settings rules: which keys the program keeps, their text formats and
// defaults. Display settings ("Chart Style", "Color Chart") are integers; the
// Prasna location is kept as five texts with the signs written apart from the
// magnitudes ("122 W 03", "37 N 54", "08 00", "00 00"), in the notations of
// document/notation.h.

#include <string>
#include <string_view>
#include <vector>

#include "document/prasna.h"
#include "document/settings_store.h"
#include "engine/conventions.h"
#include "engine/result.h"

namespace sarvexa {

/// The two persisted display settings.
struct DisplaySettings {
  int chartStyle = 0;        ///< 1 North Indian, 2 South Indian, 0 nothing valid stored
  bool colorCharts = false;  ///< stored as 1 (on) or 0 (off)
  friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

/// "Chart Style" (default 0, anything but 1 or 2 gives 0) and "Color Chart"
/// (on only when it holds 1).
DisplaySettings ReadDisplaySettings(const SettingsStore& store);
/// Writes "Chart Style", then "Color Chart"; fails naming the first key the
/// store did not take.
Result<void> WriteDisplaySettings(SettingsStore& store, const DisplaySettings& settings);

/// The stored Prasna location, signed (East negates longitude and zone,
/// South negates latitude); a missing or empty key gives its default.
PrasnaLocation ReadPrasnaLocation(const SettingsStore& store);
/// True when any of the five Prasna keys is stored (even empty): the user
/// has set a location once. False at a first start.
bool HasStoredPrasnaLocation(const SettingsStore& store);
/// Writes "Prasna Loc", "Prasna Long", "Prasna Lat", "Prasna TZone" and
/// "Prasna DST" in this order from dialog values (magnitudes and flags), then
/// "Prasna Zone Name". Every key is written even after one failed; fails
/// naming the first key the store did not take.
Result<void> WritePrasnaLocation(SettingsStore& store, const PrasnaLocationFields& fields);

/// A stored value that could not be taken.
struct StoredProblem {
  std::string key;      ///< the settings key, e.g. "Dasha Year"
  std::string message;  ///< one line naming the key, its allowed values and the default used
};

/// The stored conventions, and what was wrong with them.
struct StoredConventions {
  Conventions conventions;  ///< a key missing, empty or not taken gives its default
  /// One per key whose value could not be taken. An ayanamsa or node other
  /// than the built-in theory's stored with "Ephemeris" builtin is one too.
  std::vector<StoredProblem> problems;
};
/// Reads "Ephemeris", "Ayanamsa", "Node" and "Dasha Year".
StoredConventions ReadConventionSettings(const SettingsStore& store);
/// Writes the four keys by their names; fails naming the first key the store
/// did not take.
Result<void> WriteConventionSettings(SettingsStore& store, const Conventions& conventions);

}  // namespace sarvexa
