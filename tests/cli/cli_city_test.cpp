#include <gtest/gtest.h>

#include "cli/birth_options.h"
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
  std::string message;
  for (const auto& [name, value] : args) {
    EXPECT_EQ(ParseBirthOption(name, value, o, message), OptionStatus::Accepted) << message;
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
    EXPECT_FALSE(MissingBirthOption(o));
    // A zone typed by hand is no longer the atlas zone.
    const bool zoneTyped = std::string(c.source).find("--zone") != std::string::npos;
    EXPECT_EQ(o.zoneName, zoneTyped ? "" : "Europe/Madrid");
    Horoscope h{};
    ApplyBirthOptions(o, h);
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
    ApplyBirthOptions(o, h);
    EXPECT_DOUBLE_EQ(h.zone, c.zoneHours);
  }
}

}  // namespace
}  // namespace sarvexa::cli
