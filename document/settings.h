#pragma once
// The settings rules: which keys the program keeps, their text formats and
// defaults. Display settings ("Chart Style", "Color Chart") are integers; the
// Prasna location is kept as five texts with the signs written apart from the
// magnitudes ("122 W 03", "37 N 54", "08 00", "00 00").

#include <string>
#include <string_view>

#include "document/prasna.h"
#include "document/settings_store.h"

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
/// Writes "Chart Style", then "Color Chart"; false when the store failed.
bool WriteDisplaySettings(SettingsStore& store, const DisplaySettings& settings);

/// The stored Prasna location, signed (East negates longitude and zone,
/// South negates latitude); a missing or empty key gives its default.
PrasnaLocation ReadPrasnaLocation(const SettingsStore& store);
/// True when any of the five Prasna keys is stored (even empty): the user
/// has set a location once. False at a first start.
bool HasStoredPrasnaLocation(const SettingsStore& store);
/// Writes "Prasna Loc", "Prasna Long", "Prasna Lat", "Prasna TZone" and
/// "Prasna DST" in this order from dialog values (magnitudes and flags).
/// False when the store failed.
bool WritePrasnaLocation(SettingsStore& store, const PrasnaLocationFields& fields);

/// The value of a C-style text-to-integer conversion starting at character
/// `pos`: blanks skipped, optional sign, digits up to the first other
/// character; 0 when there are no digits or `pos` lies past the end. Values
/// beyond the 32-bit range saturate.
int IntegerAt(std::string_view text, std::size_t pos);

/// "%03d %c %02d": degrees, 'E' or 'W', minutes (magnitudes).
std::string FormatPrasnaLongitude(int degrees, int minutes, bool east);
/// "%02d %c %02d": degrees, 'S' or 'N', minutes (magnitudes).
std::string FormatPrasnaLatitude(int degrees, int minutes, bool south);
/// "%02d %02d": hours and minutes (time zone, daylight saving).
std::string FormatPrasnaHoursMinutes(int hours, int minutes);

/// A coordinate read back from its text: magnitudes and the direction flag.
struct PrasnaCoordinateText {
  int degrees = 0;
  int minutes = 0;
  bool flag = false;  ///< East for a longitude, South for a latitude
  friend bool operator==(const PrasnaCoordinateText&, const PrasnaCoordinateText&) = default;
};
/// Degrees at character 0, minutes at 6, East when character 4 is 'E'.
PrasnaCoordinateText ParsePrasnaLongitude(std::string_view text);
/// Degrees at character 0, minutes at 5, South when character 3 is 'S'.
PrasnaCoordinateText ParsePrasnaLatitude(std::string_view text);
/// Hours at character 0, minutes at character 3 (flag unused).
PrasnaCoordinateText ParsePrasnaHoursMinutes(std::string_view text);

}  // namespace sarvexa
