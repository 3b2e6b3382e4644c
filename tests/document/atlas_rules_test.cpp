#include <gtest/gtest.h>

#include "document/atlas.h"
#include "document/atlas_fill.h"
#include "document/chart_data.h"
#include "document/chart_document.h"
#include "document/place_search.h"
#include "document/present.h"
#include "document/settings.h"
#include "document/zone_fields.h"

namespace sarvexa {
namespace {

TEST(FoldForSearch, AccentsCaseAndBlanks) {
  const struct {
    const char* text;
    const char* folded;
  } cases[] = {
      {"Bogotá", "bogota"},
      {"São Paulo", "sao paulo"},
      {"Straße", "strasse"},
      {"Łódź", "lodz"},
      {"Hà Nội", "ha noi"},          // Latin Extended Additional
      {"Timișoara", "timisoara"},    // comma-below letters
      {"Bogota\xCC\x81", "bogota"},  // decomposed accent
      {"  Saint-Denis ", "saint denis"},
      {"Москва", "Москва"},  // other scripts are kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FoldForSearch(c.text), c.folded);
  }
}

AtlasPlace Place(const char* name, const char* state, const char* country, unsigned population) {
  AtlasPlace p;
  p.name = name;
  p.state = state;
  p.country = country;
  p.population = population;
  return p;
}

TEST(PlaceIndex, ExactFirstThenPrefixByPopulation) {
  const PlaceIndex index({Place("Madrid", "Madrid", "Spain", 3'255'944),
                          Place("Madras", "Oregon", "United States", 6'000),
                          Place("Mad", "", "Nowhere", 20'000),
                          Place("Madurai", "Tamil Nadu", "India", 909'908),
                          Place("Bogotá", "Bogota D.C.", "Colombia", 7'674'366),
                          Place("London", "England", "United Kingdom", 7'556'900),
                          Place("London", "Ontario", "Canada", 346'765)});
  const struct {
    const char* query;
    std::size_t limit;
    std::vector<const char*> shown;
  } cases[] = {
      {"mad",
       10,
       {"Mad, Nowhere", "Madrid, Spain", "Madurai, Tamil Nadu, India",
        "Madras, Oregon, United States"}},
      {"MADR", 10, {"Madrid, Spain", "Madras, Oregon, United States"}},
      {"mad", 2, {"Mad, Nowhere", "Madrid, Spain"}},
      {"Bogota", 10, {"Bogotá, Bogota D.C., Colombia"}},
      {"bogotá", 10, {"Bogotá, Bogota D.C., Colombia"}},
      {"London, Canada", 10, {"London, Ontario, Canada"}},
      {"London, Ont", 10, {"London, Ontario, Canada"}},
      {"London, England, United", 10, {"London, England, United Kingdom"}},
      {"London, France", 10, {}},
      {"", 10, {}},
      {" , Spain", 10, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    const auto found = index.Search(c.query, c.limit);
    std::vector<std::string> shown;
    for (const AtlasPlace* p : found) shown.push_back(PlaceDisplayName(*p));
    EXPECT_EQ(shown, std::vector<std::string>(c.shown.begin(), c.shown.end()));
  }
}

ZonePeriod Period(int offsetSeconds, int standardSeconds, const char* abbreviation) {
  ZonePeriod p;
  p.offsetSeconds = offsetSeconds;
  p.standardOffsetSeconds = standardSeconds;
  p.isDst = offsetSeconds != standardSeconds;
  p.abbreviation = abbreviation;
  return p;
}

TEST(ZoneFieldsFor, PeriodsToDialogFields) {
  constexpr int H = 3600;
  ZonePeriod war = Period(6 * H + 30 * 60, 5 * H + 30 * 60, "+0630");
  war.longDst = true;
  ZonePeriod lmt = Period(-17762, -17762, "LMT");
  lmt.isLocalMeanTime = true;
  const ZonePeriod edt = Period(-4 * H, -5 * H, "EDT"), est = Period(-5 * H, -5 * H, "EST");
  const ZonePeriod samoaDst = Period(14 * H, 13 * H, "+14");
  const ZonePeriod halfHourSaving = Period(11 * H, 10 * H + 30 * 60, "+11");
  const ZonePeriod dublinWinter = Period(0, H, "GMT");  // saving of minus one hour
  const struct {
    const char* source;
    LocalZoneInfo info;
    double lonDegEast;
    FoldChoice fold;
    int zoneHours, zoneMinutes;
    bool zoneEast;
    int dstHours;
    bool unresolved, localMeanTime, outOfRange, secondsDropped;
    const char* label;
  } cases[] = {
      {"wartime saving of a whole hour",
       {LocalTimeKind::Unique, war, {}},
       88.4,
       FoldChoice::Unresolved,
       5,
       30,
       true,
       1,
       false,
       false,
       false,
       false,
       "Asia/Kolkata, +0630 war time"},
      {"gap unresolved uses the offset before",
       {LocalTimeKind::Gap, est, edt},
       -74.0,
       FoldChoice::Unresolved,
       5,
       0,
       false,
       0,
       true,
       false,
       false,
       false,
       "America/New_York, EST standard time"},
      {"gap, later",
       {LocalTimeKind::Gap, est, edt},
       -74.0,
       FoldChoice::Later,
       5,
       0,
       false,
       1,
       false,
       false,
       false,
       false,
       "America/New_York, EDT daylight saving time"},
      {"overlap, earlier",
       {LocalTimeKind::Overlap, edt, est},
       -74.0,
       FoldChoice::Earlier,
       5,
       0,
       false,
       1,
       false,
       false,
       false,
       false,
       "America/New_York, EDT daylight saving time"},
      {"local mean time from the place's own longitude (80 deg 16.5 E)",
       {LocalTimeKind::Unique, lmt, {}},
       80.275,
       FoldChoice::Unresolved,
       5,
       21,
       true,
       0,
       false,
       true,
       false,
       true,
       "Asia/Kolkata, local mean time of the place +052106"},
      {"UTC+14 beyond the zone field",
       {LocalTimeKind::Unique, samoaDst, {}},
       -171.75,
       FoldChoice::Unresolved,
       12,
       0,
       true,
       2,
       false,
       false,
       true,
       false,
       "Pacific/Apia, +14 daylight saving time"},
      {"half-hour saving goes into the zone",
       {LocalTimeKind::Unique, halfHourSaving, {}},
       159.1,
       FoldChoice::Unresolved,
       11,
       0,
       true,
       0,
       false,
       false,
       false,
       false,
       "Australia/Lord_Howe, +11 daylight saving time"},
      {"negative saving",
       {LocalTimeKind::Unique, dublinWinter, {}},
       -6.26,
       FoldChoice::Unresolved,
       0,
       0,
       false,
       0,
       false,
       false,
       false,
       false,
       "Europe/Dublin, GMT winter time"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const std::string zoneName = c.label;
    const ZoneFields f =
        ZoneFieldsFor(c.info, zoneName.substr(0, zoneName.find(',')), c.lonDegEast, c.fold);
    EXPECT_EQ(f.zoneHours, c.zoneHours);
    EXPECT_EQ(f.zoneMinutes, c.zoneMinutes);
    EXPECT_EQ(f.zoneEast, c.zoneEast);
    EXPECT_EQ(f.dstHours, c.dstHours);
    EXPECT_EQ(f.unresolved, c.unresolved);
    EXPECT_EQ(f.localMeanTime, c.localMeanTime);
    EXPECT_EQ(f.outOfRange, c.outOfRange);
    EXPECT_EQ(f.secondsDropped, c.secondsDropped);
    EXPECT_EQ(f.label, c.label);
    // The warning names whatever the user must decide or know.
    EXPECT_EQ(!f.warning.empty(),
              c.info.kind != LocalTimeKind::Unique || c.outOfRange || c.secondsDropped);
    // Whatever the fields, the UT they give equals the clock minus the offset
    // used, to the rounding minute.
    const int sign = f.zoneEast ? 1 : -1;
    const int fieldsOffset = sign * (f.zoneHours * 3600 + f.zoneMinutes * 60) + f.dstHours * 3600;
    EXPECT_NEAR(fieldsOffset, f.offsetSeconds, 30);
  }
}

TEST(ZoneSide, MadridWestOfGreenwichOnCentralEuropeanTime) {
  // Madrid, 3 deg 42 W: January UT = local - 1 h, July UT = local - 2 h.
  const struct {
    const char* source;
    int monthIndex, dstHours;
    double utHours;
  } cases[] = {{"January, CET", 0, 0, 11.0}, {"July, CEST", 6, 1, 10.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    ChartDataFields f;
    f.hour = 12;
    f.isPm = 1;
    f.monthIndex = c.monthIndex;
    f.year = 2020;
    f.lonDegrees = 3;
    f.lonMinutes = 42;
    f.isEast = 0;
    f.zoneHours = 1;
    f.zoneEast = true;
    f.dstHours = c.dstHours;
    Horoscope h{};
    ChartDataToRecord(f, h);
    EXPECT_DOUBLE_EQ(h.universalTime, c.utHours);
    EXPECT_GT(h.longitude, 0);  // still West
    // Shown again, the zone keeps its own side.
    const ChartDataFields back = RecordToChartData(h, "", "", "");
    EXPECT_EQ(back.zoneEast, std::optional<bool>(true));
    EXPECT_EQ(back.isEast, 0);
  }
}

TEST(AtlasFill, CoordinatesAndPlaceText) {
  AtlasPlace p = Place("Sydney", "New South Wales", "Australia", 4'627'345);
  p.lonDegEast = 151.20732;
  p.latDeg = -33.86785;
  ChartDataFields f;
  FillCoordinates(p, f);
  EXPECT_EQ(std::tie(f.lonDegrees, f.lonMinutes, f.isEast), std::tuple(151, 12, 1));
  EXPECT_EQ(std::tie(f.latDegrees, f.latMinutes, f.isSouth), std::tuple(33, 52, 1));
  EXPECT_EQ(PlaceFieldText(p, 32), "Sydney, Australia");  // the state makes it too long
  EXPECT_EQ(PlaceFieldText(p, 6), "Sydney");
}

// Central European time with summer time from April to October.
class CentralEuropeAtlas final : public Atlas {
 public:
  const PlaceIndex& Places() override { return index_; }
  std::optional<LocalZoneInfo> ZoneAt(std::string_view zone, const LocalMoment& m) override {
    if (zone != "Europe/Madrid") return std::nullopt;
    const bool summer = m.month >= 4 && m.month <= 10;
    return LocalZoneInfo{
        LocalTimeKind::Unique, summer ? Period(7200, 3600, "CEST") : Period(3600, 3600, "CET"), {}};
  }
  std::optional<ZonePeriod> ZoneAtInstant(std::string_view zone, std::int64_t seconds) override {
    const LocalClockReading ut = ClockReadingAt(Instant{seconds}, 0);
    if (auto info = ZoneAt(zone, LocalMoment{ut.year, ut.month, ut.day, ut.hour, ut.minute}))
      return info->before;
    return std::nullopt;
  }
  std::vector<std::string> ZoneNames() override { return {"Europe/Madrid"}; }

 private:
  PlaceIndex index_;
};

TEST(PrasnaFromTheAtlas, EachPrasnaTakesTheZoneOfItsMoment) {
  const struct {
    const char* source;
    LocalClockReading now;
    const char* zoneName;  // stored with the location
    bool withAtlas;
    double zone;  // chart record, positive west
    int dst;
  } cases[] = {
      {"winter", {2024, 1, 15, 12, 0}, "Europe/Madrid", true, -1.0, 0},
      {"summer", {2024, 7, 15, 12, 0}, "Europe/Madrid", true, -1.0, 1},
      {"zone typed by hand: as stored", {2024, 1, 15, 12, 0}, "", true, -1.0, 1},
      {"no atlas: as stored", {2024, 1, 15, 12, 0}, "Europe/Madrid", false, -1.0, 1},
      {"unknown zone: as stored", {2024, 1, 15, 12, 0}, "Mars/Olympus", true, -1.0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    MemorySettingsStore store;
    CentralEuropeAtlas atlas;
    ChartDocument doc(store, [&] { return InstantOfReading(c.now, 0); });
    if (c.withAtlas) doc.setAtlas(&atlas);
    PrasnaLocationFields f;  // Madrid, stored in summer: zone 1 E, DST 1
    f.place = "Madrid";
    f.lonDegrees = 3;
    f.lonMinutes = 42;
    f.latDegrees = 40;
    f.latMinutes = 25;
    f.zoneHours = 1;
    f.zoneEast = true;
    f.dstHours = 1;
    f.zoneName = c.zoneName;
    ASSERT_TRUE(doc.setPrasnaLocation(f).ok());
    EXPECT_EQ(ReadPrasnaLocation(store).where.zoneName, c.zoneName);  // kept in the settings
    ASSERT_TRUE(doc.castPrasna());
    EXPECT_DOUBLE_EQ(doc.horoscope().zone, c.zone);
    EXPECT_EQ(doc.horoscope().dst, c.dst);
    EXPECT_GT(doc.horoscope().longitude, 0);  // West
  }
}

// A stepped birth is what "Chart Data" makes of the moved date and time: a
// zone from the atlas gives the DST of the moved day, a zone typed by hand
// keeps its own. Madrid's clock 12:00 is 11:00 UT in winter, 10:00 in summer.
TEST(BirthStepsWithTheAtlas, ADayStepAcrossTheChangeOfTheClocksTakesTheZonesDst) {
  const struct {
    const char* source;
    int month, day;
    const char* zoneName;
    bool later;
    int dst;
    double universalTime;
  } cases[] = {
      {"into summer", 3, 31, "Europe/Madrid", true, 1, 10.0},
      {"back into summer", 11, 1, "Europe/Madrid", false, 1, 10.0},
      {"into winter", 10, 31, "Europe/Madrid", true, 0, 11.0},
      {"zone typed by hand: kept", 3, 31, "", true, 0, 11.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    MemorySettingsStore store;
    CentralEuropeAtlas atlas;
    ChartDocument doc(store, [] { return InstantOfReading({2024, 1, 15, 12, 0}, 0); });
    doc.setAtlas(&atlas);
    ChartDataFields f;  // Madrid at noon, with the zone and DST of the entered day
    f.firstName = "Ana";
    f.hour = 12;
    f.isPm = 1;
    f.day = c.day;
    f.monthIndex = c.month - 1;
    f.year = 2024;
    f.lonDegrees = 3;
    f.lonMinutes = 42;
    f.latDegrees = 40;
    f.latMinutes = 25;
    f.zoneHours = 1;
    f.zoneEast = true;
    f.dstHours = c.month >= 4 && c.month <= 10 ? 1 : 0;
    f.zoneName = c.zoneName;
    ASSERT_TRUE(doc.newChart(f).ok());
    doc.setBirthStep(BirthStep::Day);
    ASSERT_TRUE(doc.stepBirthTime(c.later).ok());
    EXPECT_EQ(doc.horoscope().dst, c.dst);
    EXPECT_DOUBLE_EQ(doc.horoscope().universalTime, c.universalTime);
  }
}

}  // namespace
}  // namespace sarvexa
