#include "document/settings.h"

#include "document/notation.h"

namespace sarvexa {

DisplaySettings ReadDisplaySettings(const SettingsStore& store) {
  DisplaySettings s;
  s.chartStyle = store.readIntOr(settings_key::ChartStyle, 0);
  if (s.chartStyle != 1 && s.chartStyle != 2) s.chartStyle = 0;
  s.colorCharts = store.readIntOr(settings_key::ColorChart, 0) == 1;
  return s;
}

namespace {

// Writes every key, in order, even after one failed; the first key the
// store refused is the failure.
class KeyWriter {
 public:
  explicit KeyWriter(SettingsStore& store) : store_(store) {}
  void Int(const char* key, int value) { Note(store_.writeInt(key, value), key); }
  void Text(const char* key, const std::string& value) { Note(store_.writeText(key, value), key); }
  Result<void> Outcome() const {
    if (refused_.empty()) return Ok();
    return Fail("the settings store did not take \"" + refused_ + "\"");
  }

 private:
  void Note(bool written, const char* key) {
    if (!written && refused_.empty()) refused_ = key;
  }
  SettingsStore& store_;
  std::string refused_;
};

// A key counts as stored only when it holds some text; an empty value gives
// the default just as a missing one does.
std::optional<std::string> NonEmptyText(const SettingsStore& store, const char* key) {
  auto text = store.readText(key);
  if (text && text->empty()) return std::nullopt;
  return text;
}

}  // namespace

Result<void> WriteDisplaySettings(SettingsStore& store, const DisplaySettings& settings) {
  KeyWriter write(store);
  write.Int(settings_key::ChartStyle, settings.chartStyle);
  write.Int(settings_key::ColorChart, settings.colorCharts);
  return write.Outcome();
}

bool HasStoredPrasnaLocation(const SettingsStore& store) {
  for (const char* key :
       {settings_key::PrasnaLoc, settings_key::PrasnaLong, settings_key::PrasnaLat,
        settings_key::PrasnaTZone, settings_key::PrasnaDst}) {
    if (store.readText(key)) return true;
  }
  return false;
}

PrasnaLocation ReadPrasnaLocation(const SettingsStore& store) {
  // The stored texts hold magnitudes with their sides, as the dialog shows
  // them; a text left out keeps the default's magnitude (122 W 03, 37 N 54,
  // zone 08 00, DST 00 00), signed by the sides that were stored.
  PrasnaLocationFields f = PrasnaLocationToFields(PrasnaLocation{});
  f.place = store.readText(settings_key::PrasnaLoc).value_or("");
  if (auto text = NonEmptyText(store, settings_key::PrasnaLong)) {
    const StoredCoordinate c = ReadStoredLongitude(*text);
    f.lonDegrees = c.degrees;
    f.lonMinutes = c.minutes;
    f.isEast = c.flag;
  }
  if (auto text = NonEmptyText(store, settings_key::PrasnaLat)) {
    const StoredCoordinate c = ReadStoredLatitude(*text);
    f.latDegrees = c.degrees;
    f.latMinutes = c.minutes;
    f.isSouth = c.flag;
  }
  if (auto text = NonEmptyText(store, settings_key::PrasnaTZone)) {
    const StoredCoordinate c = ReadStoredHoursMinutes(*text);
    f.zoneHours = c.degrees;
    f.zoneMinutes = c.minutes;
    // A zone on the other side of Greenwich from the place carries its own
    // side after the minutes ("01 00 E").
    if (const std::optional<bool> side = ReadStoredZoneSide(*text)) f.zoneEast = side;
  }
  f.zoneName = store.readText(settings_key::PrasnaZoneName).value_or("");
  if (auto text = NonEmptyText(store, settings_key::PrasnaDst)) {
    const StoredCoordinate c = ReadStoredHoursMinutes(*text);
    f.dstHours = c.degrees;
    f.dstMinutes = c.minutes;
  }
  // Signed by the one rule every dialog uses (saturating, so that a
  // hand-edited extreme value stays in range).
  return PrasnaLocationFromFields(f);
}

Result<void> WritePrasnaLocation(SettingsStore& store, const PrasnaLocationFields& f) {
  KeyWriter write(store);
  write.Text(settings_key::PrasnaLoc, f.place);
  write.Text(settings_key::PrasnaLong, WriteStoredLongitude(f.lonDegrees, f.lonMinutes, f.isEast));
  write.Text(settings_key::PrasnaLat, WriteStoredLatitude(f.latDegrees, f.latMinutes, f.isSouth));
  write.Text(
      settings_key::PrasnaTZone,
      WriteStoredZone(f.zoneHours, f.zoneMinutes,
                      f.zoneEast && *f.zoneEast != f.isEast ? f.zoneEast : std::optional<bool>()));
  write.Text(settings_key::PrasnaDst, WriteStoredHoursMinutes(f.dstHours, f.dstMinutes));
  write.Text(settings_key::PrasnaZoneName, f.zoneName);
  return write.Outcome();
}

}  // namespace sarvexa
