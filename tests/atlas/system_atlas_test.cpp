// The atlas over the system's place list and tz database, checked against
// legal times documented in the historical record.
#include <gtest/gtest.h>

#include "atlas/system_atlas.h"
#include "document/place_search.h"

namespace sarvexa {
namespace {

class SystemAtlasTest : public ::testing::Test {
 protected:
  static Atlas& Shared() {
    static const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
    return *atlas;
  }
};

TEST_F(SystemAtlasTest, HistoricalLegalTime) {
  constexpr int H = 3600, M = 60;
  const struct {
    const char* source;
    const char* city;
    LocalMoment moment;
    FoldChoice fold;
    LocalTimeKind kind;
    int offsetSeconds;  // positive east
    int zoneHours, zoneMinutes;
    bool zoneEast;
    int dstHours;
    bool localMeanTime;
  } cases[] = {
      {"India's war time, 1942-45",
       "Kolkata, India",
       {1943, 6, 1, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       6 * H + 30 * M,
       5,
       30,
       true,
       1,
       false},
      {"Madras time before 1906",
       "Chennai, India",
       {1880, 1, 1, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       5 * H + 21 * M + 10,
       5,
       21,
       true,
       0,
       false},
      {"US year-round saving of 1974",
       "New York, United States",
       {1974, 1, 15, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       -4 * H,
       5,
       0,
       false,
       1,
       false},
      {"British Standard Time 1968-71",
       "London, United Kingdom",
       {1970, 1, 1, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       1 * H,
       1,
       0,
       true,
       0,
       false},
      {"Australian summer time",
       "Sydney, Australia",
       {2020, 1, 15, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       11 * H,
       10,
       0,
       true,
       1,
       false},
      {"spring-forward gap",
       "New York, United States",
       {2021, 3, 14, 2, 30},
       FoldChoice::Later,
       LocalTimeKind::Gap,
       -4 * H,
       5,
       0,
       false,
       1,
       false},
      {"fall-back overlap, first pass",
       "New York, United States",
       {2021, 11, 7, 1, 30},
       FoldChoice::Earlier,
       LocalTimeKind::Overlap,
       -4 * H,
       5,
       0,
       false,
       1,
       false},
      {"fall-back overlap, second pass",
       "New York, United States",
       {2021, 11, 7, 1, 30},
       FoldChoice::Later,
       LocalTimeKind::Overlap,
       -5 * H,
       5,
       0,
       false,
       0,
       false},
      // Before 18 Nov 1883 New York kept mean time; the place's own longitude
      // (74 deg 0.4 W) gives 4 h 56 min 2 s.
      {"local mean time before standard time",
       "New York, United States",
       {1850, 6, 1, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       -(4 * H + 56 * M + 2),
       4,
       56,
       false,
       0,
       true},
      {"Madrid, January",
       "Madrid, Spain",
       {2020, 1, 15, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       1 * H,
       1,
       0,
       true,
       0,
       false},
      {"Madrid, July",
       "Madrid, Spain",
       {2020, 7, 15, 12, 0},
       FoldChoice::Unresolved,
       LocalTimeKind::Unique,
       2 * H,
       1,
       0,
       true,
       1,
       false},
  };
  Atlas& atlas = Shared();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const auto found = atlas.Places().Search(c.city, 1);
    ASSERT_EQ(found.size(), 1u);
    const AtlasPlace& place = *found.front();
    const auto info = atlas.ZoneAt(place.zoneName, c.moment);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->kind, c.kind);
    const ZoneFields f = ZoneFieldsFor(*info, place.zoneName, place.lonDegEast, c.fold);
    EXPECT_NEAR(f.offsetSeconds, c.offsetSeconds, c.localMeanTime ? 30 : 0);
    EXPECT_EQ(f.zoneHours, c.zoneHours);
    EXPECT_EQ(f.zoneMinutes, c.zoneMinutes);
    EXPECT_EQ(f.zoneEast, c.zoneEast);
    EXPECT_EQ(f.dstHours, c.dstHours);
    EXPECT_EQ(f.localMeanTime, c.localMeanTime);
  }
}

TEST_F(SystemAtlasTest, SearchIgnoresAccentsAndRanksByPopulation) {
  const struct {
    const char* query;
    const char* firstName;
    const char* zone;
  } cases[] = {
      {"Bogota", "Bogotá", "America/Bogota"},
      {"sao paulo", "São Paulo", "America/Sao_Paulo"},
      {"dusseldorf", "Düsseldorf", "Europe/Berlin"},
      {"Mumb", "Mumbai", "Asia/Kolkata"},  // prefix: the largest place first
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    const auto found = Shared().Places().Search(c.query, 5);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front()->name, c.firstName);
    EXPECT_EQ(found.front()->zoneName, c.zone);
    for (std::size_t k = 1; k < found.size(); ++k) {
      EXPECT_GE(found[k - 1]->population, found[k]->population);
    }
  }
}

TEST_F(SystemAtlasTest, UnknownZoneAndZoneList) {
  EXPECT_FALSE(Shared().ZoneAt("Nowhere/Atlantis", LocalMoment{}));
  const auto names = Shared().ZoneNames();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_TRUE(std::binary_search(names.begin(), names.end(), "Asia/Kolkata"));
}

}  // namespace
}  // namespace sarvexa
