#include "document/page_choices.h"

#include <gtest/gtest.h>

#include <climits>

namespace sarvexa {
namespace {

TEST(TransitChoice, DialogValuesAndChoice) {
  // First use at 09:15 with an East, North location of 77 13, zone 5:30.
  TransitChoice clock{};
  clock.day = 14;
  clock.monthIndex = 2;
  clock.year = 2024;
  clock.hour = 9;
  clock.minute = 15;
  clock.where.zoneHours = 5;
  clock.where.zoneMinutes = 30;
  clock.where.lonDegrees = 77;
  clock.where.lonMinutes = 13;
  clock.where.latDegrees = 28;
  clock.where.latMinutes = 36;
  clock.where.isEast = true;
  const TransitDialogValues shown = TransitDialogFromChoice(clock);
  EXPECT_EQ(shown.hour12, 9);
  EXPECT_EQ(shown.minute, 15);
  EXPECT_EQ(shown.isPm, 0);
  EXPECT_EQ(shown.lonDegrees, 77);
  EXPECT_EQ(shown.zoneMinutes, 30);
  // OK or Cancel without edits stands for the same signed values.
  const TransitChoice back = TransitChoiceFromDialog(shown);
  EXPECT_EQ(back, clock);
  EXPECT_EQ(ToSignedPlace(back.where), (SignedPlace{-77, -13, 28, 36, -5, -30, 0, 0}));

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
  EXPECT_EQ(ToSignedPlace(s.where).latDegrees, -33);
  EXPECT_EQ(ToSignedPlace(s.where).latMinutes, -52);
  EXPECT_TRUE(s.where.isSouth);
}

TEST(TransitChoice, ExtremeEntriesKeepTheirSideWithoutOverflow) {
  // A dialog value of INT_MIN is negated East and South with saturation.
  TransitDialogValues entered{};
  entered.lonDegrees = INT_MIN;
  entered.zoneHours = INT_MIN;
  entered.latMinutes = INT_MIN;
  entered.isEast = 1;
  entered.isSouth = 1;
  const SignedPlace signedBack = ToSignedPlace(TransitChoiceFromDialog(entered).where);
  EXPECT_EQ(signedBack.lonDegrees, INT_MAX);
  EXPECT_EQ(signedBack.zoneHours, INT_MAX);
  EXPECT_EQ(signedBack.latMinutes, INT_MAX);
}

TEST(TransitChoice, TransitChartIsTheChartOfThatMoment) {
  TransitChoice c{};
  c.day = 1;
  c.monthIndex = 0;
  c.year = 2000;
  c.hour = 17;
  c.minute = 30;
  c.where.zoneHours = 5;
  c.where.zoneMinutes = 30;
  c.where.lonDegrees = 77;
  c.where.lonMinutes = 12;
  c.where.latDegrees = 28;
  c.where.latMinutes = 36;
  c.where.isEast = true;
  const Horoscope h = TransitHoroscope(c).value();
  EXPECT_EQ(h.julianDay, 2451545);
  EXPECT_DOUBLE_EQ(h.universalTime, 12.0);
  EXPECT_NEAR(h.positions[graha::Moon].longitude, 199.4732334069272, 1e-9);
  EXPECT_NEAR(h.positions[graha::Ascendant].longitude, 76.3266321391159, 1e-9);
}

}  // namespace
}  // namespace sarvexa
