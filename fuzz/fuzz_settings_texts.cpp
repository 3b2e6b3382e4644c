// Feeds arbitrary texts to the settings readers: the five Prasna keys, the
// display settings, the four conventions and the ini file of the desktop
// program.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/ini_settings_store.h"
#include "document/notation.h"
#include "document/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // Split the input into five values at NUL bytes, one per Prasna key.
  sarvexa::MemorySettingsStore store;
  const char* keys[] = {sarvexa::settings_key::PrasnaLoc,  sarvexa::settings_key::PrasnaLong,
                        sarvexa::settings_key::PrasnaLat,  sarvexa::settings_key::PrasnaTZone,
                        sarvexa::settings_key::PrasnaDst,  sarvexa::settings_key::ChartStyle,
                        sarvexa::settings_key::ColorChart, sarvexa::settings_key::Ephemeris,
                        sarvexa::settings_key::Ayanamsa,   sarvexa::settings_key::Node,
                        sarvexa::settings_key::DashaYear};
  std::size_t start = 0;
  for (const char* key : keys) {
    if (start > text.size()) break;
    std::size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    if (!store.writeText(key, text.substr(start, end - start))) __builtin_trap();  // in memory
    start = end + 1;
  }
  const sarvexa::PrasnaLocation loc = sarvexa::ReadPrasnaLocation(store);
  const sarvexa::DisplaySettings display = sarvexa::ReadDisplaySettings(store);
  if (display.chartStyle < 0 || display.chartStyle > 2) __builtin_trap();
  (void)sarvexa::PrasnaLocationToFields(loc);
  // Whatever is stored, the conventions read go together.
  const sarvexa::StoredConventions conventions = sarvexa::ReadConventionSettings(store);
  if (!sarvexa::CheckConventions(conventions.conventions)) __builtin_trap();

  // Every position of the raw text, as the three parsers see it.
  for (std::size_t pos = 0; pos <= text.size() && pos < 16; ++pos)
    (void)sarvexa::IntegerAt(text, pos);
  (void)sarvexa::ReadStoredLongitude(text);
  (void)sarvexa::ReadStoredLatitude(text);
  (void)sarvexa::ReadStoredHoursMinutes(text);

  // The same bytes as an ini file.
  const sarvexa::IniFileSettingsStore ini = sarvexa::IniFileSettingsStore::FromText(text);
  (void)sarvexa::ReadPrasnaLocation(ini);
  (void)sarvexa::ReadDisplaySettings(ini);
  (void)sarvexa::ReadConventionSettings(ini);
  return 0;
}
