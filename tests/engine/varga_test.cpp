#include "engine/varga.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sarvexa {
namespace {

TEST(Varga, SignsOfSingleLongitudes) {
  struct Case {
    double lon;
    int n;
    int sign;
    const char* source;
  };
  const Case cases[] = {
      {15.0, 2, 3, "Hora: 15 00 Aries is the second half, Cancer"},
      {14.99, 2, 4, "Hora: 14 59 Aries is the first half, Leo"},
      {45.0, 2, 4, "Hora: 15 00 Taurus (odd sign), second half, Leo"},
      {35.0, 2, 3, "Hora: 5 00 Taurus (odd sign), first half, Cancer"},
      {55.0, 3, 9, "Decante: 25 Taurus, the 9th from Taurus"},
      {39.99, 3, 1, "Decante: 9 59 Taurus stays in Taurus"},
      {100.0, 4, 6, "Turyamsa: 10 Cancer, second quarter, the 4th from Cancer"},
      {100.0, 5, 4, "Panchamsa: 6000 / 360 = 16"},
      {100.0, 6, 8, "Shashtamsa: 6000 / 300 = 20"},
      {100.0, 7, 11, "Saptamsa: 6000 / 257 = 23"},
      {100.0, 8, 2, "Ashtamsa: 6000 / 225 = 26"},
      {0.0, 9, 0, "Navamsa: 0 00 Aries"},
      {3.34, 9, 1, "Navamsa: 3 20 Aries, 200 arc-minutes"},
      {359.99, 9, 11, "Navamsa: 29 59 Pisces, part 107"},
      {359.99, 7, 0, "Saptamsa: 21599 / 257 = 84, Aries although in Pisces"},
      {359.85, 7, 0, "Saptamsa drift: 21591 / 257 = 84 where a seventh would give 83"},
      {330.0, 7, 5, "Saptamsa: 0 Pisces, 19800 / 257 = 77"},
      {35.0, 10, 10, "Dasamsa: 5 Taurus (odd sign) counts from the 9th"},
      {5.0, 10, 1, "Dasamsa: 5 Aries (even sign), second part from Aries"},
      {2.0, 10, 0, "Dasamsa: 2 Aries, first part, Aries itself"},
      {0.0, 11, 11, "Ekadasamsa: 0 00 Aries runs back to Pisces"},
      {29.99, 11, 1, "Ekadasamsa: 29 59 Aries, k = 10, Taurus"},
      {32.8, 11, 11, "Ekadasamsa: 2 48 Taurus, k = 1, two back from Taurus"},
      {74.0, 12, 7, "Dwadasamsa: 14 Gemini, part 5 from Gemini"},
      {30.0, 24, 3, "Chaturvimsamsa: 0 00 Taurus from Cancer"},
      {0.0, 24, 4, "Chaturvimsamsa: 0 00 Aries from Leo"},
      {29.99, 24, 3, "Chaturvimsamsa: 29 59 Aries, part 23 counted on from Leo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(VargaSignOf(c.lon, c.n), c.sign);
  }
}

TEST(Varga, EverySupportedDivisionGivesASignForAnyLongitude) {
  for (int n : kPrintDivisions) {
    for (int m = 0; m < 21600; m += 7) {
      const int s = VargaSignOf(m / 60.0, n);
      ASSERT_GE(s, 0) << n << " " << m;
      ASSERT_LE(s, 11) << n << " " << m;
    }
    // Records loaded from a file may hold anything.
    for (double bad : {-30.5, 720.25, 1e300, std::nan(""), double{INFINITY}}) {
      const int s = VargaSignOf(bad, n);
      EXPECT_GE(s, 0);
      EXPECT_LE(s, 11);
    }
  }
}

TEST(Varga, NavamsaCutsEachSignIntoNineParts) {
  // Within each sign the nine parts follow one another in zodiacal order.
  for (int sign = 0; sign < 12; ++sign) {
    const int first = VargaSignOf(sign * 30 + 0.01, 9);
    for (int part = 0; part < 9; ++part) {
      const double lon = sign * 30 + part * (30.0 / 9.0) + 1.0;
      EXPECT_EQ(VargaSignOf(lon, 9), (first + part) % 12) << sign << " " << part;
    }
  }
}

TEST(Varga, SignsOfAWholeChart) {
  Horoscope h;
  const double lons[10] = {0.0, 15.0, 359.99, 100.0, 55.0, 30.0, 3.34, 74.0, 200.0, 20.0};
  for (int i = 0; i < 10; ++i) h.positions[i].longitude = lons[i];
  VargaSignArray out{};
  VargaSigns(h, out, 9);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(out[i], VargaSignOf(lons[i], 9)) << i;
  EXPECT_EQ(out[2], 11);
  EXPECT_EQ(out[6], 1);
}

TEST(Varga, UnsupportedDivisionsLeaveTheOutputUntouched) {
  Horoscope h;
  for (int i = 0; i < 10; ++i) h.positions[i].longitude = 36.0 * i + 1.0;
  for (int n : {-1, 0, 1, 13, 23, 25, 60}) {
    VargaSignArray out;
    out.fill(-7);
    VargaSigns(h, out, n);
    for (int v : out) EXPECT_EQ(v, -7) << n;
    EXPECT_EQ(VargaSignOf(10.0, n), -1);
    EXPECT_FALSE(IsSupportedDivision(n));
  }
}

TEST(Varga, DivisionListsAreParallel) {
  EXPECT_STREQ(kScreenDivisionNames[2], "Saptamsa");
  EXPECT_EQ(kScreenDivisions[2], 7);
  EXPECT_STREQ(kPrintDivisionNames[7], "Navamsa");
  EXPECT_EQ(kPrintDivisions[7], 9);
  EXPECT_STREQ(kPrintDivisionNames[11], "Chaturvimsamsa");
  EXPECT_EQ(kPrintDivisions[11], 24);
  for (int n : kScreenDivisions) EXPECT_TRUE(IsSupportedDivision(n));
}

}  // namespace
}  // namespace sarvexa
