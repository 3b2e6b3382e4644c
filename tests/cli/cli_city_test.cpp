#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch.h"
#include "cli/birth_options.h"
#include "cli/chart_json.h"
#include "cli/city_option.h"

namespace sarvexa::cli {
namespace {

// A one-place atlas whose zone is always the given answer.
class OnePlaceAtlas final : public Atlas {
 public:
  explicit OnePlaceAtlas(LocalZoneInfo info) : info_(std::move(info)) {
    AtlasPlace madrid;
    madrid.name = "Madrid";
    madrid.country = "Spain";
    madrid.zoneName = "Europe/Madrid";
    madrid.lonDegEast = -3.70256;
    madrid.latDeg = 40.4165;
    index_ = PlaceIndex({madrid});
  }
  const PlaceIndex& Places() override { return index_; }
  std::optional<LocalZoneInfo> ZoneAt(std::string_view, const LocalMoment&) override {
    return info_;
  }
  std::optional<ZonePeriod> ZoneAtInstant(std::string_view, std::int64_t) override {
    return info_.before;
  }
  std::vector<std::string> ZoneNames() override { return {"Europe/Madrid"}; }

 private:
  LocalZoneInfo info_;
  PlaceIndex index_;
};

BirthOptions Parsed(const std::vector<std::pair<const char*, const char*>>& args) {
  BirthOptions o;
  for (const auto& [name, value] : args) {
    const Result<void> taken = TakeBirthOption(o, name, value);
    EXPECT_TRUE(taken) << taken.error();
  }
  return o;
}

TEST(CityOption, FillsWhatWasNotGivenAndSaysWhyItCannot) {
  ZonePeriod cet{3600, 3600, false, false, false, "CET"};
  ZonePeriod cest{7200, 3600, true, false, false, "CEST"};
  const LocalZoneInfo summer{LocalTimeKind::Unique, cest, {}};
  const LocalZoneInfo gap{LocalTimeKind::Gap, cet, cest};
  using Args = std::vector<std::pair<const char*, const char*>>;
  const struct {
    const char* source;
    LocalZoneInfo info;
    Args args;
    const char* error;  // part of the one-line error, or nullptr
    double utHours;     // UT of the chart when accepted
  } cases[] = {
      {"July: zone 1 h East, 1 h DST, longitude West", summer,
       Args{{"--city", "madrid"}, {"--date", "2020-07-15"}, {"--time", "12:00"}}, nullptr, 10.0},
      {"explicit --dst wins", summer,
       Args{{"--city", "Madrid, Spain"},
            {"--date", "2020-07-15"},
            {"--time", "12:00"},
            {"--dst", "0"}},
       nullptr, 11.0},
      {"explicit --zone with its side wins", summer,
       Args{{"--city", "Madrid"},
            {"--date", "2020-07-15"},
            {"--time", "12:00"},
            {"--zone", "00:00W"}},
       nullptr, 11.0},
      {"gap without --fold", gap,
       Args{{"--city", "Madrid"}, {"--date", "2021-03-28"}, {"--time", "02:30"}},
       "does not exist in Europe/Madrid", 0},
      {"gap with --fold later", gap,
       Args{{"--city", "Madrid"},
            {"--date", "2021-03-28"},
            {"--time", "02:30"},
            {"--fold", "later"}},
       nullptr, 0.5},
      {"no such place", summer,
       Args{{"--city", "Atlantis"}, {"--date", "2020-07-15"}, {"--time", "12:00"}},
       "no place of the atlas matches", 0},
      {"no time given", summer, Args{{"--city", "Madrid"}, {"--date", "2020-07-15"}},
       "needs --date and --time", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    BirthOptions o = Parsed(c.args);
    OnePlaceAtlas atlas(c.info);
    const auto placed = ResolveCity(o, atlas);
    if (c.error) {
      ASSERT_FALSE(placed);
      EXPECT_NE(placed.error().find(c.error), std::string::npos) << placed.error();
      EXPECT_EQ(placed.error().find('\n'), std::string::npos);
      continue;
    }
    ASSERT_TRUE(placed) << placed.error();
    EXPECT_TRUE(RequireBirthOptions(o));
    // A zone typed by hand is no longer the atlas zone.
    const bool zoneTyped = std::string(c.source).find("--zone") != std::string::npos;
    EXPECT_EQ(o.fields.zoneName, zoneTyped ? "" : "Europe/Madrid");
    Horoscope h{};
    ChartDataToRecord(o.fields, h);
    EXPECT_DOUBLE_EQ(h.universalTime, c.utHours);
    EXPECT_NEAR(h.longitude, 3.7, 0.01);  // West stays positive
  }
}

TEST(CityOption, ZoneSideLetter) {
  const struct {
    const char* lon;
    const char* zone;
    double zoneHours;  // record value, positive west
  } cases[] = {
      {"003:42W", "01:00E", -1.0}, {"003:42W", "01:00", 1.0},    {"077:12E", "05:30", -5.5},
      {"171:46W", "11:00", 11.0},  {"171:46W", "12:00E", -12.0}, {"000:10E", "00:30w", 0.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.lon) + " " + c.zone);
    BirthOptions o = Parsed({{"--lon", c.lon}, {"--zone", c.zone}});
    Horoscope h{};
    ChartDataToRecord(o.fields, h);
    EXPECT_DOUBLE_EQ(h.zone, c.zoneHours);
  }
}

// An atlas of the given places, each zone answering `info`.
class PlacesAtlas final : public Atlas {
 public:
  PlacesAtlas(std::vector<AtlasPlace> places, LocalZoneInfo info)
      : index_(std::move(places)), info_(std::move(info)) {}
  const PlaceIndex& Places() override { return index_; }
  std::optional<LocalZoneInfo> ZoneAt(std::string_view, const LocalMoment&) override {
    return info_;
  }
  std::optional<ZonePeriod> ZoneAtInstant(std::string_view, std::int64_t) override {
    return std::nullopt;
  }
  std::vector<std::string> ZoneNames() override { return {"America/Chicago"}; }

 private:
  PlaceIndex index_;
  LocalZoneInfo info_;
};

AtlasPlace Place(const char* name, const char* state, unsigned population) {
  AtlasPlace p;
  p.name = name;
  p.state = state;
  p.country = "United States";
  p.zoneName = "America/Chicago";
  p.lonDegEast = -90;
  p.latDeg = 40;
  p.population = population;
  return p;
}

const LocalZoneInfo kCentralWinter{
    LocalTimeKind::Unique, {-21600, 0, false, false, false, "CST"}, {}};

// A name several places have takes the most populous, as before, and says so
// with an example that, given in its turn, takes the other place quietly.
// The chart's JSON names the place taken in full.
TEST(CityOption, ANameSeveralPlacesHaveSaysWhichWasTaken) {
  PlacesAtlas atlas(
      {Place("Springfield", "Missouri", 160000), Place("Springfield", "Illinois", 110000),
       Place("Springfield Gardens", "New York", 200000), Place("Salem", "Oregon", 170000)},
      kCentralWinter);
  struct Case {
    const char* city;
    const char* taken;  // its state
    bool note;
  };
  const Case kCases[] = {
      {"Springfield", "Missouri", true},
      {"springfield", "Missouri", true},
      {"Springfield, Illinois", "Illinois", false},
      {"Salem", "Oregon", false},
      {"Springfield G", "New York", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.city);
    BirthOptions o = Parsed({{"--city", c.city}, {"--date", "2000-01-01"}, {"--time", "12:00"}});
    ASSERT_TRUE(ResolveCity(o, atlas));
    EXPECT_NE(o.cityName.find(c.taken), std::string::npos) << o.cityName;
    ChartSnapshot chart;
    const CastContext context;
    FillSnapshot(o, CastChartData(CheckChartData(o.fields).value(), context).value(), context,
                 chart);
    EXPECT_NE(ChartSnapshotJson(chart).find("\"city\": \"" + o.cityName + "\""), std::string::npos);
    ASSERT_EQ(!o.cityNote.empty(), c.note) << o.cityNote;
    if (!c.note) continue;
    EXPECT_NE(o.cityNote.find(o.cityName), std::string::npos) << o.cityNote;
    const auto example = o.cityNote.rfind("e.g. \"");
    ASSERT_NE(example, std::string::npos) << o.cityNote;
    const std::string other = o.cityNote.substr(example + 6, o.cityNote.size() - example - 7);
    BirthOptions again =
        Parsed({{"--city", other.c_str()}, {"--date", "2000-01-01"}, {"--time", "12:00"}});
    ASSERT_TRUE(ResolveCity(again, atlas));
    EXPECT_NE(again.cityName, o.cityName) << other;
    EXPECT_EQ(again.cityNote, "");
  }
}

// batch chooses a doubled clock time's offset for the whole run (--fold) or
// per row (a fold cell, which wins), and a row left to choose is told the
// ways batch has. A city several places have is one note line naming the row.
TEST(CityOption, BatchChoosesTheFoldByRunOrByRow) {
  const ZonePeriod cdt{-18000, 3600, true, false, false, "CDT"};
  const ZonePeriod cst{-21600, 0, false, false, false, "CST"};
  PlacesAtlas atlas(
      {Place("Springfield", "Missouri", 160000), Place("Springfield", "Illinois", 110000)},
      LocalZoneInfo{LocalTimeKind::Overlap, cdt, cst});
  BatchSettings settings;
  settings.city = [&atlas](std::string_view city, BirthOptions& birth) {
    birth.city = std::string(city);
    return ResolveCity(birth, atlas, kBatchFoldHint);
  };
  const std::string csv =
      "first,date,time,city,fold\n"
      "A,2021-11-07,01:30,\"Springfield, Missouri\",\n"
      "B,2021-11-07,01:30,\"Springfield, Missouri\",later\n"
      "C,2021-11-07,01:30,Springfield,earlier\n";
  struct Case {
    FoldChoice runFold;
    const char* utA;  // null: row A refused
    const char* source;
  };
  const Case kCases[] = {
      {FoldChoice::Unresolved, nullptr, "no --fold: row A must choose"},
      {FoldChoice::Earlier, "\"universalTime\":6.5", "--fold earlier: CDT, 5 h behind UT"},
      {FoldChoice::Later, "\"universalTime\":7.5", "--fold later: CST, 6 h behind UT"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    settings.fold = c.runFold;
    settings.fields = {"firstName", "universalTime"};
    settings.now = LocalClockReading{2024, 6, 15, 12, 0};
    std::istringstream in(csv);
    std::ostringstream out, err;
    const int code = RunBatch(in, out, err, settings);
    EXPECT_EQ(code, c.utA ? 0 : 1) << err.str();
    const std::string text = out.str();
    if (c.utA) {
      EXPECT_NE(text.find(std::string("{\"firstName\":\"A\",") + c.utA), std::string::npos) << text;
    } else {
      EXPECT_NE(err.str().find("row 1: city: "), std::string::npos) << err.str();
      EXPECT_NE(err.str().find("fold cell"), std::string::npos) << err.str();
      EXPECT_NE(err.str().find("batch --fold"), std::string::npos) << err.str();
    }
    EXPECT_NE(text.find("{\"firstName\":\"B\",\"universalTime\":7.5}"), std::string::npos) << text;
    EXPECT_NE(text.find("{\"firstName\":\"C\",\"universalTime\":6.5}"), std::string::npos) << text;
    EXPECT_NE(err.str().find("row 3: city: \"Springfield\" is the name of more than one place"),
              std::string::npos)
        << err.str();
  }
}

}  // namespace
}  // namespace sarvexa::cli
