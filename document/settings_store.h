#pragma once
// The per-user settings store: integers and texts under section "Settings".
// The chart document reads the display settings and the Prasna location from
// it when it is constructed and writes them back as the user changes them.
// The desktop program implements it over QSettings; tests use
// MemorySettingsStore; the command-line tool reads the desktop program's ini
// file through IniFileSettingsStore (document/ini_settings_store.h).

#include <map>
#include <optional>
#include <string>

#include "engine/result.h"

namespace sarvexa {

/// Name of the one section every key lives in.
inline constexpr const char* kSettingsSection = "Settings";

/// Keys of the settings section, with spaces exactly as stored.
namespace settings_key {
inline constexpr const char* ChartStyle = "Chart Style";
inline constexpr const char* ColorChart = "Color Chart";
inline constexpr const char* PrasnaLoc = "Prasna Loc";
inline constexpr const char* PrasnaLong = "Prasna Long";
inline constexpr const char* PrasnaLat = "Prasna Lat";
inline constexpr const char* PrasnaTZone = "Prasna TZone";
inline constexpr const char* PrasnaDst = "Prasna DST";
/// IANA zone of a Prasna location taken from the atlas (empty otherwise);
/// a key of its own, so older copies of the program simply ignore it.
inline constexpr const char* PrasnaZoneName = "Prasna Zone Name";
/// The conventions every chart is cast under (engine/conventions.h), each
/// stored as its name ("swiss", "lahiri", "true", "365.25"); keys of their
/// own, so older copies of the program ignore them.
inline constexpr const char* Ephemeris = "Ephemeris";
inline constexpr const char* Ayanamsa = "Ayanamsa";
inline constexpr const char* Node = "Node";
inline constexpr const char* DashaYear = "Dasha Year";
}  // namespace settings_key

/// Abstract store of section "Settings". Texts are UTF-8.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  /// The integer stored under `key`, or nullopt when the key is missing or
  /// does not hold a whole number.
  virtual std::optional<int> readInt(const std::string& key) const = 0;
  /// The text stored under `key`, or nullopt when the key is missing.
  virtual std::optional<std::string> readText(const std::string& key) const = 0;
  /// Stores an integer; fails, saying why, when the store could not be
  /// written.
  virtual Result<void> writeInt(const std::string& key, int value) = 0;
  /// Stores a text; fails, saying why, when the store could not be written.
  virtual Result<void> writeText(const std::string& key, const std::string& value) = 0;

  /// GetProfileInt-style read: the stored integer or `defaultValue`.
  int readIntOr(const std::string& key, int defaultValue) const {
    return readInt(key).value_or(defaultValue);
  }
};

/// In-memory store for tests and for runs without a persistent store.
/// Integers and texts share one key space, as in the real stores: an
/// integer written is read back as its decimal text and vice versa.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<int> readInt(const std::string& key) const override;
  std::optional<std::string> readText(const std::string& key) const override;
  Result<void> writeInt(const std::string& key, int value) override;
  Result<void> writeText(const std::string& key, const std::string& value) override;

  /// Every stored key and its text, for inspection in tests.
  const std::map<std::string, std::string>& values() const { return values_; }
  /// Makes every later write fail (a read-only or broken store).
  void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

 private:
  std::map<std::string, std::string> values_;
  bool readOnly_ = false;
};

}  // namespace sarvexa
