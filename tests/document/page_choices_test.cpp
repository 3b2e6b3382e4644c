#include "document/page_choices.h"

#include <gtest/gtest.h>

#include <climits>

namespace sarvexa {
namespace {

TEST(TransitChoice, TwelveHourClock) {
  struct Case {
    int hour12;
    bool pm;
    int hour24;
  };
  const Case cases[] = {{12, true, 12}, {12, false, 0}, {11, true, 23},
                        {1, false, 1},  {1, true, 13},  {9, false, 9}};
  for (const Case& c : cases) EXPECT_EQ(To24Hour(c.hour12, c.pm), c.hour24) << c.hour12 << c.pm;
}

TEST(TransitChoice, DialogValuesAndChoice) {
  // First use at 09:15 with an East, North location of 77 13, zone 5:30.
  TransitChoice clock{};
  clock.day = 14;
  clock.monthIndex = 2;
  clock.year = 2024;
  clock.hour = 9;
  clock.minute = 15;
  clock.signedPlace.zoneHours = -5;
  clock.signedPlace.zoneMinutes = -30;
  clock.signedPlace.lonDegrees = -77;
  clock.signedPlace.lonMinutes = -13;
  clock.signedPlace.latDegrees = 28;
  clock.signedPlace.latMinutes = 36;
  clock.isEast = 1;
  const TransitDialogValues shown = TransitDialogFromChoice(clock);
  EXPECT_EQ(shown.hour12, 9);
  EXPECT_EQ(shown.minute, 15);
  EXPECT_EQ(shown.isPm, 0);
  EXPECT_EQ(shown.lonDegrees, 77);
  EXPECT_EQ(shown.zoneMinutes, 30);
  // OK or Cancel without edits stands for the same signed values.
  const TransitChoice back = TransitChoiceFromDialog(shown);
  EXPECT_EQ(back, clock);
  EXPECT_EQ(back.signedPlace.lonDegrees, -77);
  EXPECT_EQ(back.signedPlace.lonMinutes, -13);
  EXPECT_EQ(back.signedPlace.zoneHours, -5);
  EXPECT_EQ(back.signedPlace.zoneMinutes, -30);

  struct Case {
    int hour24;
    int hour12;
    int pm;
  };
  const Case cases[] = {{0, 12, 0}, {12, 12, 1}, {23, 11, 1}, {13, 1, 1}, {11, 11, 0}};
  for (const Case& c : cases) {
    TransitChoice t{};
    t.hour = c.hour24;
    const TransitDialogValues v = TransitDialogFromChoice(t);
    EXPECT_EQ(v.hour12, c.hour12) << c.hour24;
    EXPECT_EQ(v.isPm, c.pm) << c.hour24;
    EXPECT_EQ(TransitChoiceFromDialog(v).hour, c.hour24);
  }

  TransitDialogValues south{};
  south.latDegrees = 33;
  south.latMinutes = 52;
  south.isSouth = 1;
  const TransitChoice s = TransitChoiceFromDialog(south);
  EXPECT_EQ(s.signedPlace.latDegrees, -33);
  EXPECT_EQ(s.signedPlace.latMinutes, -52);
  EXPECT_EQ(s.isSouth, 1);
}

TEST(TransitChoice, HandEditedLocationExtremesKeepTheirSideWithoutOverflow) {
  // A location read from a hand-edited settings store can hold INT_MIN; its
  // magnitude and its East/South negation saturate at INT_MAX.
  TransitChoice stored{};
  stored.hour = 9;
  stored.signedPlace.lonDegrees = INT_MIN;
  stored.signedPlace.lonMinutes = INT_MIN;
  stored.signedPlace.zoneHours = INT_MIN;
  stored.signedPlace.zoneMinutes = INT_MIN;
  stored.signedPlace.latDegrees = INT_MIN;
  stored.signedPlace.latMinutes = INT_MIN;
  stored.isEast = 1;
  stored.isSouth = 1;
  const TransitDialogValues shown = TransitDialogFromChoice(stored);
  for (int v : {shown.lonDegrees, shown.lonMinutes, shown.zoneHours, shown.zoneMinutes,
                shown.latDegrees, shown.latMinutes}) {
    EXPECT_EQ(v, INT_MAX);
  }
  TransitDialogValues entered{};
  entered.lonDegrees = INT_MIN;
  entered.zoneHours = INT_MIN;
  entered.latMinutes = INT_MIN;
  entered.isEast = 1;
  entered.isSouth = 1;
  const TransitChoice signedBack = TransitChoiceFromDialog(entered);
  EXPECT_EQ(signedBack.signedPlace.lonDegrees, INT_MAX);
  EXPECT_EQ(signedBack.signedPlace.zoneHours, INT_MAX);
  EXPECT_EQ(signedBack.signedPlace.latMinutes, INT_MAX);
  // The ordinary East/South round trip is unchanged.
  const TransitChoice back = TransitChoiceFromDialog(shown);
  EXPECT_EQ(back.signedPlace.lonDegrees, -INT_MAX);
  EXPECT_EQ(back.signedPlace.latMinutes, -INT_MAX);
}

TEST(TransitChoice, TransitChartIsTheChartOfThatMoment) {
  TransitChoice c{};
  c.day = 1;
  c.monthIndex = 0;
  c.year = 2000;
  c.hour = 17;
  c.minute = 30;
  c.signedPlace.zoneHours = -5;
  c.signedPlace.zoneMinutes = -30;
  c.signedPlace.lonDegrees = -77;
  c.signedPlace.lonMinutes = -12;
  c.signedPlace.latDegrees = 28;
  c.signedPlace.latMinutes = 36;
  c.isEast = 1;
  const Horoscope h = TransitHoroscope(c);
  EXPECT_EQ(h.julianDay, 2451545);
  EXPECT_DOUBLE_EQ(h.universalTime, 12.0);
  EXPECT_NEAR(h.positions[graha::Moon].longitude, 199.4732334069272, 1e-9);
  EXPECT_NEAR(h.positions[graha::Ascendant].longitude, 76.3266321391159, 1e-9);
}

}  // namespace
}  // namespace sarvexa
