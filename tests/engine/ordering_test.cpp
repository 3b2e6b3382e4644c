#include "engine/ordering.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace sarvexa {
namespace {

Horoscope WithLongitudes(const std::array<double, 10>& lons) {
  Horoscope h;
  for (int i = 0; i < 10; ++i) h.positions[i].longitude = lons[i];
  return h;
}

TEST(SortByLongitude, Orders) {
  struct Case {
    std::array<double, 10> lons;
    std::array<GrahaIndex, 10> order;
    const char* source;
  };
  const Case cases[] = {
      {{76.33, 256.54, 199.47, 304.13, 248.06, 1.43, 217.73, 16.54, 100.10, 280.10},
       {5, 7, 0, 8, 2, 6, 4, 1, 9, 3},
       "worked chart"},
      {{10, 10, 5, 10, 5, 0, 0, 20, 30, 210},
       {5, 6, 2, 4, 0, 1, 3, 7, 8, 9},
       "equal longitudes keep GrahaIndex order"},
      {{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, "reversed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(SortByLongitude(WithLongitudes(c.lons)), c.order);
  }
}

TEST(SortByLongitude, AscendantBeforeAGrahaAtTheSameLongitude) {
  const auto order = SortByLongitude(WithLongitudes({50, 50, 60, 70, 80, 90, 100, 110, 120, 300}));
  EXPECT_EQ(order[0], graha::Ascendant);
  EXPECT_EQ(order[1], graha::Sun);
}

TEST(CountPerHouse, Counts) {
  struct Case {
    std::array<double, 10> lons;
    std::array<int, 12> counts;
    const char* source;
  };
  const Case cases[] = {
      {{76.33, 256.54, 199.47, 304.13, 248.06, 1.43, 217.73, 16.54, 100.10, 280.10},
       {1, 1, 0, 0, 1, 1, 2, 1, 1, 0, 2, 0},
       "worked chart, Gemini rising"},
      {{31, 32, 33, 34, 35, 36, 37, 38, 39, 40},
       {10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "all ten in the rising sign"},
      {{345, 10, 20, 30, 40, 50, 60, 70, 80, 260},
       {1, 2, 3, 3, 0, 0, 0, 0, 0, 1, 0, 0},
       "houses wrap from Pisces to Aries"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    const auto counts = CountPerHouse(WithLongitudes(c.lons));
    EXPECT_EQ(counts, c.counts);
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 10);
  }
}

TEST(CountPerHouse, NodesSixHousesApart) {
  for (int asc = 0; asc < 12; ++asc) {
    for (int rahu = 0; rahu < 360; rahu += 23) {
      Horoscope h = WithLongitudes({asc * 30.0 + 3, 0, 0, 0, 0, 0, 0, 0, 0, 0});
      for (int g = 1; g <= 7; ++g) h.positions[g].longitude = asc * 30.0 + 3;  // out of the way
      h.positions[graha::Rahu].longitude = rahu + 0.5;
      h.positions[graha::Ketu].longitude = std::fmod(rahu + 180.5, 360.0);
      const auto counts = CountPerHouse(h);
      const int rahuHouse = ((rahu / 30) - asc + 12) % 12;
      EXPECT_GE(counts[rahuHouse], 1);
      EXPECT_GE(counts[(rahuHouse + 6) % 12], 1);
      EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 10);
    }
  }
}

}  // namespace
}  // namespace sarvexa
