#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "document/place.h"

namespace sarvexa {
namespace {

PlaceFields Place(int lonD, int lonM, bool east, int latD, int latM, bool south, int zoneH,
                  int zoneM, std::optional<bool> zoneEast) {
  PlaceFields f;
  f.lonDegrees = lonD;
  f.lonMinutes = lonM;
  f.isEast = east;
  f.latDegrees = latD;
  f.latMinutes = latM;
  f.isSouth = south;
  f.zoneHours = zoneH;
  f.zoneMinutes = zoneM;
  f.zoneEast = zoneEast;
  f.dstHours = 1;
  f.dstMinutes = 30;
  return f;
}

TEST(PlaceSigns, EastSouthAndTheZonesOwnSide) {
  const struct {
    const char* what;
    PlaceFields fields;
    SignedPlace expected;
  } cases[] = {
      {"west, north", Place(122, 3, false, 37, 54, false, 8, 0, {}), {122, 3, 37, 54, 8, 0, 1, 30}},
      {"east, south: zone follows the longitude",
       Place(151, 12, true, 33, 52, true, 10, 0, {}),
       {-151, -12, -33, -52, -10, 0, 1, 30}},
      {"Madrid: west of Greenwich on an eastern zone",
       Place(3, 42, false, 40, 25, false, 1, 0, true),
       {3, 42, 40, 25, -1, 0, 1, 30}},
      {"east longitude on a western zone",
       Place(1, 0, true, 0, 0, false, 0, 30, false),
       {-1, 0, 0, 0, 0, 30, 1, 30}},
      {"a hand-edited extreme does not overflow",
       Place(INT_MIN, 0, true, INT_MIN, 0, true, 0, 0, {}),
       {INT_MAX, 0, INT_MAX, 0, 0, 0, 1, 30}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ToSignedPlace(c.fields), c.expected);
  }
}

}  // namespace
}  // namespace sarvexa
