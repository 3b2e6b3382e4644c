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
    return Fail("the settings store did not take \"" + refused_ + "\": " + why_);
  }

 private:
  void Note(const Result<void>& written, const char* key) {
    if (!written && refused_.empty()) {
      refused_ = key;
      why_ = written.error();
    }
  }
  SettingsStore& store_;
  std::string refused_, why_;
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

namespace {

// The message of a stored value not taken, with the default used instead.
std::string NotTaken(const std::string& why, std::string_view defaultText) {
  return why + "; the default, " + std::string(defaultText) + ", is used";
}

// The label a stored key's messages name it by.
std::string StoredLabel(const char* key) {
  return "the stored setting \"" + std::string(key) + "\"";
}

// Reads one stored key with `read`; a missing or empty key keeps `value`, a
// value not taken keeps it too and is told in `problems`.
template <typename T, typename Reader>
void ReadKey(const SettingsStore& store, const char* key, Reader read, std::string_view defaultText,
             T& value, std::vector<StoredProblem>& problems) {
  const std::optional<std::string> text = NonEmptyText(store, key);
  if (!text) return;
  Result<T> taken = read(*text, StoredLabel(key));
  if (taken) {
    value = *taken;
  } else {
    problems.push_back({key, NotTaken(taken.error(), defaultText)});
  }
}

}  // namespace

StoredConventions ReadConventionSettings(const SettingsStore& store) {
  StoredConventions s;
  Conventions& c = s.conventions;
  const Conventions d;
  ReadKey(store, settings_key::Ephemeris, ReadEphemeris, EphemerisName(d.ephemeris), c.ephemeris,
          s.problems);
  ReadKey(store, settings_key::Ayanamsa, ReadAyanamsa, AyanamsaName(d.ayanamsa), c.ayanamsa,
          s.problems);
  ReadKey(store, settings_key::Node, ReadNode, NodeName(d.node), c.node, s.problems);
  ReadKey(store, settings_key::DashaYear, ReadDashaYear, DashaYearText(d.dashaYearDays),
          c.dashaYearDays, s.problems);
  // What applies only with the Swiss Ephemeris, stored with the built-in
  // theory (a hand-edited file): the built-in theory's own.
  const std::string ayanamsaLabel = StoredLabel(settings_key::Ayanamsa);
  const std::string nodeLabel = StoredLabel(settings_key::Node);
  const std::string yearLabel = StoredLabel(settings_key::DashaYear);
  const ConventionLabels labels{"\"Ephemeris\"", ayanamsaLabel, nodeLabel, yearLabel};
  for (Result<void> fits = CheckConventions(c, labels); !fits; fits = CheckConventions(c, labels)) {
    if (c.ayanamsa != d.ayanamsa) {
      s.problems.push_back(
          {settings_key::Ayanamsa, NotTaken(fits.error(), AyanamsaName(d.ayanamsa))});
      c.ayanamsa = d.ayanamsa;
    } else if (c.node != d.node) {
      s.problems.push_back({settings_key::Node, NotTaken(fits.error(), NodeName(d.node))});
      c.node = d.node;
    } else {
      break;  // the dasha year was checked as it was read
    }
  }
  return s;
}

Result<void> WriteConventionSettings(SettingsStore& store, const Conventions& c) {
  KeyWriter write(store);
  write.Text(settings_key::Ephemeris, std::string(EphemerisName(c.ephemeris)));
  write.Text(settings_key::Ayanamsa, std::string(AyanamsaName(c.ayanamsa)));
  write.Text(settings_key::Node, std::string(NodeName(c.node)));
  write.Text(settings_key::DashaYear, DashaYearText(c.dashaYearDays));
  return write.Outcome();
}

}  // namespace sarvexa
