#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "document/settings.h"
#include "document/settings_store.h"

namespace sarvexa {
namespace {

TEST(PrasnaSettings, DefaultsWhenNothingIsStored) {
  MemorySettingsStore store;
  const PrasnaLocation loc = ReadPrasnaLocation(store);
  EXPECT_EQ(loc.place, "");
  EXPECT_EQ(ToSignedPlace(loc.where), (SignedPlace{122, 3, 37, 54, 8, 0, 0, 0}));
  EXPECT_FALSE(loc.where.isEast);
  EXPECT_FALSE(loc.where.isSouth);
}

TEST(PrasnaSettings, EmptyValuesGiveDefaultsToo) {
  MemorySettingsStore store;
  for (const char* key : {settings_key::PrasnaLong, settings_key::PrasnaLat,
                          settings_key::PrasnaTZone, settings_key::PrasnaDst})
    ASSERT_TRUE(store.writeText(key, "").ok());
  EXPECT_EQ(ReadPrasnaLocation(store), PrasnaLocation{});
}

TEST(PrasnaSettings, WritesTheFiveKeysAndReadsThemBackSigned) {
  MemorySettingsStore store;
  PrasnaLocationFields f;
  f.place = "Pune";
  f.lonDegrees = 5;
  f.lonMinutes = 30;
  f.isEast = 1;
  f.latDegrees = 10;
  f.latMinutes = 5;
  f.isSouth = 1;
  f.zoneHours = 5;
  f.zoneMinutes = 30;
  f.dstHours = 1;
  f.dstMinutes = 15;
  ASSERT_TRUE(WritePrasnaLocation(store, f));
  EXPECT_EQ(store.values().at("Prasna Loc"), "Pune");
  EXPECT_EQ(store.values().at("Prasna Long"), "005 E 30");
  EXPECT_EQ(store.values().at("Prasna Lat"), "10 S 05");
  EXPECT_EQ(store.values().at("Prasna TZone"), "05 30");
  EXPECT_EQ(store.values().at("Prasna DST"), "01 15");

  const PrasnaLocation loc = ReadPrasnaLocation(store);
  // East and South negate longitude, zone and latitude; DST keeps its sign.
  EXPECT_EQ(ToSignedPlace(loc.where), (SignedPlace{-5, -30, -10, -5, -5, -30, 1, 15}));
  EXPECT_EQ(loc.place, "Pune");
}

TEST(PrasnaSettings, ZoneOnTheOtherSideOfGreenwichKeepsItsSide) {
  const struct {
    const char* source;
    int isEast;
    std::optional<bool> zoneEast;
    const char* stored;  // "Prasna TZone"
    int zoneHours;       // read back, positive west
    int lonDegrees;
  } cases[] = {
      {"Madrid: 3 W, zone 1 E", 0, true, "01 00 E", -1, 3},
      {"zone side equal to the longitude's is not written", 1, true, "01 00", -1, -3},
      {"no side: the longitude's", 0, std::nullopt, "01 00", 1, 3},
      {"a far-east place on a western zone", 1, false, "01 00 W", 1, -3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    MemorySettingsStore store;
    PrasnaLocationFields f;
    f.lonDegrees = 3;
    f.isEast = c.isEast;
    f.zoneHours = 1;
    f.zoneEast = c.zoneEast;
    ASSERT_TRUE(WritePrasnaLocation(store, f));
    EXPECT_EQ(store.values().at("Prasna TZone"), c.stored);
    const PrasnaLocation loc = ReadPrasnaLocation(store);
    EXPECT_EQ(ToSignedPlace(loc.where).zoneHours, c.zoneHours);
    EXPECT_EQ(ToSignedPlace(loc.where).lonDegrees, c.lonDegrees);
    EXPECT_EQ(loc, PrasnaLocationFromFields(f));  // the dialog's OK gives the same record
  }
}

TEST(PrasnaSettings, KeysLeftOutKeepTheDefaultMagnitudesSignedByTheStoredSides) {
  const struct {
    const char* source;
    const char* lon;   // "Prasna Long", nullptr when absent
    const char* lat;   // "Prasna Lat"
    const char* zone;  // "Prasna TZone"
    SignedPlace expected;
  } cases[] = {
      {"an eastern longitude signs the default zone",
       "010 E 00",
       nullptr,
       nullptr,
       {-10, 0, 37, 54, -8, 0, 0, 0}},
      {"a southern latitude leaves the rest western",
       nullptr,
       "05 S 30",
       nullptr,
       {122, 3, -5, -30, 8, 0, 0, 0}},
      {"a zone with its own side on the default longitude",
       nullptr,
       nullptr,
       "05 30 E",
       {122, 3, 37, 54, -5, -30, 0, 0}},
      {"a zone marked West under an eastern longitude",
       "010 E 00",
       nullptr,
       "05 30 W",
       {-10, 0, 37, 54, 5, 30, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    MemorySettingsStore store;
    if (c.lon) {
      ASSERT_TRUE(store.writeText(settings_key::PrasnaLong, c.lon).ok());
    }
    if (c.lat) {
      ASSERT_TRUE(store.writeText(settings_key::PrasnaLat, c.lat).ok());
    }
    if (c.zone) {
      ASSERT_TRUE(store.writeText(settings_key::PrasnaTZone, c.zone).ok());
    }
    const PrasnaLocation loc = ReadPrasnaLocation(store);
    EXPECT_EQ(ToSignedPlace(loc.where), c.expected);
    // Read back through the dialog and accepted unchanged, the record is the same.
    EXPECT_EQ(PrasnaLocationFromFields(PrasnaLocationToFields(loc)), loc);
  }
}

TEST(PrasnaSettings, HandEditedExtremesStayDefined) {
  MemorySettingsStore store;
  ASSERT_TRUE(store.writeText(settings_key::PrasnaLong, "000 E -99999999999").ok());
  ASSERT_TRUE(store.writeText(settings_key::PrasnaLat, "-99999999999").ok());
  const PrasnaLocation loc = ReadPrasnaLocation(store);
  // INT_MIN cannot be negated; it is kept at the largest magnitude instead.
  EXPECT_TRUE(loc.where.isEast);
  EXPECT_EQ(ToSignedPlace(loc.where).lonDegrees, 0);
  EXPECT_EQ(ToSignedPlace(loc.where).lonMinutes, INT_MAX);
  EXPECT_EQ(ToSignedPlace(loc.where).latDegrees, INT_MIN);
  EXPECT_FALSE(loc.where.isSouth);
}

TEST(DisplaySettings, ReadsAndReplacesValuesOutsideTheirSets) {
  struct Case {
    std::optional<std::string> style, color;
    DisplaySettings expected;
    const char* why;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, {0, 0}, "first run"},
      {"1", "1", {1, 1}, "north, colour"},
      {"2", "0", {2, 0}, "south, no colour"},
      {"5", "2", {0, 0}, "out of the value sets"},
      {"-1", "-1", {0, 0}, "negative"},
      {"abc", "1x", {0, 0}, "not whole numbers"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    MemorySettingsStore store;
    if (c.style) {
      ASSERT_TRUE(store.writeText(settings_key::ChartStyle, *c.style).ok());
    }
    if (c.color) {
      ASSERT_TRUE(store.writeText(settings_key::ColorChart, *c.color).ok());
    }
    EXPECT_EQ(ReadDisplaySettings(store), c.expected);
  }
}

TEST(DisplaySettings, WritesIntegers) {
  MemorySettingsStore store;
  ASSERT_TRUE(WriteDisplaySettings(store, {2, 1}));
  EXPECT_EQ(store.values().at("Chart Style"), "2");
  EXPECT_EQ(store.values().at("Color Chart"), "1");
  store.setReadOnly(true);
  EXPECT_FALSE(WriteDisplaySettings(store, {1, 0}));
  EXPECT_EQ(ReadDisplaySettings(store), (DisplaySettings{2, 1}));
}

// The conventions as stored by hand or by an older or newer copy: each
// value taken by its name, anything else told once, naming its key, and
// replaced by the default; the names written read back.
TEST(ConventionSettings, StoredValuesTakenOrToldAndDefaulted) {
  struct Case {
    std::map<std::string, std::string> stored;
    Conventions expected;
    std::vector<std::string> toldKeys;  // keys named in the problems, in order
    const char* source;
  };
  using E = EphemerisKind;
  const Case kCases[] = {
      {{}, {}, {}, "nothing stored: the defaults, nothing said"},
      {{{"Ephemeris", ""}, {"Dasha Year", ""}}, {}, {}, "empty values count as missing"},
      {{{"Ephemeris", "swiss"},
        {"Ayanamsa", "fagan-bradley"},
        {"Node", "mean"},
        {"Dasha Year", "360"}},
       {E::Swiss, Ayanamsa::FaganBradley, NodeKind::Mean, 360.0},
       {},
       "every key by its name"},
      {{{"Ephemeris", "Swiss"}, {"Dasha Year", "365.2425"}},
       {E::Builtin, Ayanamsa::Lahiri, NodeKind::True, 365.2425},
       {"Ephemeris"},
       "names are lower case, as written"},
      {{{"Ephemeris", "swiss"},
        {"Ayanamsa", "ramen"},
        {"Node", "osculating"},
        {"Dasha Year", "1e3"}},
       {E::Swiss, Ayanamsa::Lahiri, NodeKind::True, 365.25},
       {"Ayanamsa", "Node", "Dasha Year"},
       "three bad values, each told"},
      {{{"Dasha Year", "299.9"}}, {}, {"Dasha Year"}, "a year below 300 days"},
      {{{"Ayanamsa", "raman"}, {"Node", "mean"}},
       {},
       {"Ayanamsa", "Node"},
       "Swiss-only conventions without \"Ephemeris\" swiss"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    MemorySettingsStore store;
    for (const auto& [key, value] : c.stored) {
      ASSERT_TRUE(store.writeText(key, value).ok());
    }
    const StoredConventions read = ReadConventionSettings(store);
    EXPECT_EQ(read.conventions, c.expected);
    ASSERT_EQ(read.problems.size(), c.toldKeys.size());
    for (std::size_t i = 0; i < c.toldKeys.size(); ++i) {
      EXPECT_EQ(read.problems[i].key, c.toldKeys[i]);
      const std::string& told = read.problems[i].message;
      EXPECT_NE(told.find("\"" + c.toldKeys[i] + "\""), std::string::npos) << told;
      EXPECT_NE(told.find("the default"), std::string::npos) << told;
      EXPECT_EQ(told.find('\n'), std::string::npos) << told;
    }
    if (read.problems.empty()) {
      MemorySettingsStore again;
      ASSERT_TRUE(WriteConventionSettings(again, read.conventions));
      EXPECT_EQ(ReadConventionSettings(again).conventions, read.conventions);
      EXPECT_TRUE(ReadConventionSettings(again).problems.empty());
    }
  }
  MemorySettingsStore readOnly;
  readOnly.setReadOnly(true);
  EXPECT_FALSE(WriteConventionSettings(readOnly, Conventions{}));
}

}  // namespace
}  // namespace sarvexa
