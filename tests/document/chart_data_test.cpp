#include <gtest/gtest.h>

#include "document/chart_data.h"
#include "document/prasna.h"
#include "engine/calendar.h"
#include "tests/support/worked_chart_fields.h"

namespace sarvexa {
namespace {

ChartDataFields Valid() { return test_support::AnnLeeFields(); }

TEST(ChartDataValidation, EachRangeBoundary) {
  struct Case {
    int ChartDataFields::*field;
    int value;
    int controlId;  // 0 = accepted
    int minimum, maximum;
  };
  using F = ChartDataFields;
  const Case cases[] = {
      {&F::hour, 1, 0, 0, 0},
      {&F::hour, 12, 0, 0, 0},
      {&F::hour, 0, 1006, 1, 12},
      {&F::hour, 13, 1006, 1, 12},
      {&F::minute, 59, 0, 0, 0},
      {&F::minute, 60, 1008, 0, 59},
      {&F::minute, -1, 1008, 0, 59},
      {&F::day, 31, 0, 0, 0},
      {&F::day, 0, 1017, 1, 31},
      {&F::day, 32, 1017, 1, 31},
      {&F::year, 1700, 0, 0, 0},
      {&F::year, 2300, 0, 0, 0},
      {&F::year, 1699, 1018, 1700, 2300},
      {&F::year, 2301, 1018, 1700, 2300},
      {&F::lonDegrees, 179, 0, 0, 0},
      {&F::lonDegrees, 180, 1020, 0, 179},
      {&F::lonMinutes, 60, 1023, 0, 59},
      {&F::monthIndex, 11, 0, 0, 0},
      {&F::monthIndex, 12, 1016, 0, 11},
      {&F::latDegrees, 89, 0, 0, 0},
      {&F::latDegrees, 90, 1024, 0, 89},
      {&F::latMinutes, 60, 1027, 0, 59},
      {&F::zoneHours, 12, 0, 0, 0},
      {&F::zoneHours, 13, 1011, 0, 12},
      {&F::zoneMinutes, 60, 1029, 0, 59},
      {&F::dstHours, 12, 0, 0, 0},
      {&F::dstHours, 13, 1030, 0, 12},
      {&F::dstMinutes, 60, 1028, 0, 59},
  };
  for (const auto& c : cases) {
    ChartDataFields f = Valid();
    f.*c.field = c.value;
    SCOPED_TRACE(testing::Message() << "control " << c.controlId << " value " << c.value);
    auto checked = CheckChartData(f);
    if (c.controlId == 0) {
      EXPECT_TRUE(checked.ok());
    } else {
      ASSERT_FALSE(checked.ok());
      const FieldError& error = checked.error();
      EXPECT_EQ(error.controlId, c.controlId);
      EXPECT_EQ(error.kind, FieldError::Kind::Range);
      EXPECT_EQ(error.minimum, c.minimum);
      EXPECT_EQ(error.maximum, c.maximum);
      EXPECT_NE(error.message.find(std::to_string(c.maximum)), std::string::npos);
    }
  }
}

TEST(ChartDataValidation, ReportsTheFirstFailureInTheDialogOrder) {
  // Every numeric field broken at once: the failures must come out in the
  // order of the field table as each earlier one is mended.
  ChartDataFields f = Valid();
  f.hour = 0;
  f.minute = 99;
  f.day = 0;
  f.year = 1;
  f.place = std::string(33, 'p');
  f.lonDegrees = 200;
  f.lonMinutes = 99;
  f.monthIndex = 12;
  f.latDegrees = 99;
  f.latMinutes = 99;
  f.zoneHours = 99;
  f.zoneMinutes = 99;
  f.dstHours = 99;
  f.dstMinutes = 99;
  const ChartDataFields good = Valid();
  struct Step {
    const char* field;
    int controlId;
    void (*mend)(ChartDataFields&, const ChartDataFields&);
  };
  const Step order[] = {
      {"hour", 1006, [](ChartDataFields& x, const ChartDataFields& g) { x.hour = g.hour; }},
      {"minute", 1008, [](ChartDataFields& x, const ChartDataFields& g) { x.minute = g.minute; }},
      {"day", 1017, [](ChartDataFields& x, const ChartDataFields& g) { x.day = g.day; }},
      {"year", 1018, [](ChartDataFields& x, const ChartDataFields& g) { x.year = g.year; }},
      {"place", 1019, [](ChartDataFields& x, const ChartDataFields& g) { x.place = g.place; }},
      {"lonDegrees", 1020,
       [](ChartDataFields& x, const ChartDataFields& g) { x.lonDegrees = g.lonDegrees; }},
      {"lonMinutes", 1023,
       [](ChartDataFields& x, const ChartDataFields& g) { x.lonMinutes = g.lonMinutes; }},
      {"monthIndex", 1016,
       [](ChartDataFields& x, const ChartDataFields& g) { x.monthIndex = g.monthIndex; }},
      {"latDegrees", 1024,
       [](ChartDataFields& x, const ChartDataFields& g) { x.latDegrees = g.latDegrees; }},
      {"latMinutes", 1027,
       [](ChartDataFields& x, const ChartDataFields& g) { x.latMinutes = g.latMinutes; }},
      {"zoneHours", 1011,
       [](ChartDataFields& x, const ChartDataFields& g) { x.zoneHours = g.zoneHours; }},
      {"zoneMinutes", 1029,
       [](ChartDataFields& x, const ChartDataFields& g) { x.zoneMinutes = g.zoneMinutes; }},
      {"dstHours", 1030,
       [](ChartDataFields& x, const ChartDataFields& g) { x.dstHours = g.dstHours; }},
      {"dstMinutes", 1028,
       [](ChartDataFields& x, const ChartDataFields& g) { x.dstMinutes = g.dstMinutes; }},
  };
  for (const auto& step : order) {
    SCOPED_TRACE(step.field);
    auto checked = CheckChartData(f);
    ASSERT_FALSE(checked.ok());
    EXPECT_EQ(checked.error().field, step.field);
    EXPECT_EQ(checked.error().controlId, step.controlId);
    step.mend(f, good);
  }
  EXPECT_TRUE(CheckChartData(f).ok());
}

TEST(ChartDataValidation, PlaceCountsCharactersNotBytes) {
  ChartDataFields f = Valid();
  std::string devanagari;
  for (int i = 0; i < 32; ++i) devanagari += "\xE0\xA4\x95";  // U+0915, three bytes each
  f.place = devanagari;
  EXPECT_TRUE(CheckChartData(f).ok());
  f.place += "\xE0\xA4\x95";
  auto checked = CheckChartData(f);
  ASSERT_FALSE(checked.ok());
  EXPECT_EQ(checked.error().kind, FieldError::Kind::TooLong);
  EXPECT_EQ(checked.error().maxChars, 32);
  EXPECT_EQ(checked.error().controlId, 1019);
}

TEST(ChartDataText, WholeNumberCheckComesBeforeTheRangeAndInOrder) {
  struct Case {
    const char* hour;
    const char* minute;
    const char* year;
    const char* field;  // nullptr = accepted
    FieldError::Kind kind;
  };
  const Case cases[] = {
      {"4", "05", "1962", nullptr, FieldError::Kind::Range},
      {" 4 ", "+5", "1962", nullptr, FieldError::Kind::Range},
      {"4", "5m", "1962", "minute", FieldError::Kind::WholeNumber},
      {"4", "", "1962", "minute", FieldError::Kind::WholeNumber},
      {"x", "5m", "1962", "hour", FieldError::Kind::WholeNumber},
      {"13", "5m", "1962", "hour", FieldError::Kind::Range},
      {"4", "5", "99999999999", "year", FieldError::Kind::WholeNumber},
      {"4", "5", "1600", "year", FieldError::Kind::Range},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hour << "|" << c.minute << "|" << c.year);
    ChartDataText t;
    t.hour = c.hour;
    t.minute = c.minute;
    t.year = c.year;
    const auto parsed = ParseChartDataText(t);
    if (!c.field) {
      ASSERT_TRUE(parsed.ok());
      EXPECT_EQ(parsed->hour, 4);
      EXPECT_EQ(parsed->minute, 5);
    } else {
      ASSERT_FALSE(parsed.ok());
      EXPECT_EQ(parsed.error().field, c.field);
      EXPECT_EQ(parsed.error().kind, c.kind);
    }
  }
}

TEST(ChartDataConversion, DialogToRecord) {
  struct Case {
    int hour, minute, isPm;
    int day, monthIndex, year;
    int zoneHours, zoneMinutes, dstHours, isEast;
    int lonDegrees, lonMinutes, latDegrees, latMinutes, isSouth;
    double universalTime, zone, longitude, latitude;
    CivilDate shownDate;
    const char* why;
  };
  const Case cases[] = {
      {12,
       15,
       0,
       1,
       0,
       2000,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       0.25,
       0.0,
       0.0,
       0.0,
       {1, 1, 2000},
       "12:15 AM is hour 0"},
      {12,
       15,
       1,
       1,
       0,
       2000,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       12.25,
       0.0,
       0.0,
       0.0,
       {1, 1, 2000},
       "12:15 PM is hour 12"},
      {11,
       59,
       1,
       1,
       0,
       2000,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       0,
       23.0 + 59.0 / 60,
       0.0,
       0.0,
       0.0,
       {1, 1, 2000},
       "11:59 PM is 23:59"},
      {4,
       5,
       1,
       7,
       2,
       1962,
       5,
       30,
       0,
       1,
       73,
       51,
       18,
       31,
       0,
       16.0 - 5.0 + (5.0 - 30.0) / 60,
       -5.5,
       -(73.0 + 51.0 / 60),
       18.0 + 31.0 / 60,
       {3, 7, 1962},
       "East signs zone and longitude"},
      {11,
       30,
       1,
       1,
       0,
       2000,
       5,
       0,
       1,
       0,
       0,
       0,
       0,
       0,
       0,
       27.5,
       5.0,
       0.0,
       0.0,
       {1, 1, 2000},
       "23:30 in zone 5 W with 1 h DST stays on the entered date"},
      {1,
       0,
       0,
       31,
       1,
       2001,
       0,
       0,
       0,
       0,
       0,
       30,
       0,
       30,
       1,
       1.0,
       0.0,
       0.5,
       -0.5,
       {3, 3, 2001},
       "31 February 2001 shows as 3 March; 0 deg 30 min South"},
      {1,
       0,
       0,
       31,
       3,
       2011,
       0,
       0,
       0,
       1,
       0,
       30,
       0,
       0,
       0,
       1.0,
       0.0,
       -0.5,
       0.0,
       {5, 1, 2011},
       "31 April 2011 shows as 1 May; 0 deg 30 min East"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ChartDataFields f;
    f.hour = c.hour;
    f.minute = c.minute;
    f.isPm = c.isPm;
    f.day = c.day;
    f.monthIndex = c.monthIndex;
    f.year = c.year;
    f.zoneHours = c.zoneHours;
    f.zoneMinutes = c.zoneMinutes;
    f.dstHours = c.dstHours;
    f.isEast = c.isEast;
    f.lonDegrees = c.lonDegrees;
    f.lonMinutes = c.lonMinutes;
    f.latDegrees = c.latDegrees;
    f.latMinutes = c.latMinutes;
    f.isSouth = c.isSouth;
    Horoscope h;
    ChartDataToRecord(f, h);
    EXPECT_EQ(h.julianDay, DayNumberFromDate(c.year, c.monthIndex + 1, c.day));
    EXPECT_NEAR(h.universalTime, c.universalTime, 1e-12);
    EXPECT_NEAR(h.zone, c.zone, 1e-12);
    EXPECT_EQ(h.dst, c.dstHours);
    EXPECT_NEAR(h.longitude, c.longitude, 1e-12);
    EXPECT_NEAR(h.latitude, c.latitude, 1e-12);
    EXPECT_NEAR(h.julianCenturies, (h.julianDay - 2451545.0 + h.universalTime / 24 - 0.5) / 36525,
                1e-15);
    EXPECT_EQ(DateFromDayNumber(h.julianDay), c.shownDate);
  }
}

TEST(ChartDataConversion, RecordToDialogShowsWhatWasEntered) {
  // Every accepted entry, converted to the record and back, shows the same
  // values again (a day the month lacks shows as the later date instead).
  int checked = 0;
  for (int hour = 1; hour <= 12; ++hour)
    for (int pm = 0; pm <= 1; ++pm)
      for (int east = 0; east <= 1; ++east)
        for (int south = 0; south <= 1; ++south)
          for (int minutes : {0, 1, 29, 59}) {
            ChartDataFields f = Valid();
            f.hour = hour;
            f.isPm = pm;
            f.isEast = east;
            f.isSouth = south;
            f.minute = minutes;
            f.lonDegrees = minutes == 0 ? 0 : 121;
            f.lonMinutes = minutes;
            f.latDegrees = minutes == 29 ? 0 : 45;
            f.latMinutes = minutes;
            f.zoneHours = hour % 13;
            f.zoneMinutes = minutes;
            f.dstHours = pm;
            f.dstMinutes = 0;
            Horoscope h;
            ChartDataToRecord(f, h);
            ChartDataFields back = RecordToChartData(h, f.firstName, f.lastName, f.place);
            SCOPED_TRACE(testing::Message() << hour << (pm ? "PM" : "AM") << " e" << east << " s"
                                            << south << " m" << minutes);
            // A zero position has no sign to carry the flag; the zone then
            // carries its own side.
            if (f.lonDegrees == 0 && f.lonMinutes == 0) {
              back.isEast = f.isEast;
              if (back.zoneEast == (f.isEast == 1)) back.zoneEast.reset();
            }
            if (f.latDegrees == 0 && f.latMinutes == 0) back.isSouth = f.isSouth;
            EXPECT_EQ(back, f);
            ++checked;
          }
  EXPECT_EQ(checked, 12 * 2 * 2 * 2 * 4);
}

TEST(ChartDataConversion, NewChartValues) {
  const ChartDataFields f = NewChartDialogValues(2024);
  EXPECT_EQ(f.year, 2024);
  EXPECT_EQ(f.hour, 1);
  EXPECT_EQ(f.minute, 0);
  EXPECT_EQ(f.monthIndex, 0);
  EXPECT_EQ(f.day, 1);
  EXPECT_EQ(f.isEast, 0);
  EXPECT_EQ(f.isSouth, 0);
  EXPECT_EQ(f.isPm, 0);
  EXPECT_TRUE(CheckChartData(f).ok());
}

TEST(ChartDataConversion, RecordFromAFileWithExtremeValuesStaysDefined) {
  Horoscope h;
  h.universalTime = 1e300;
  h.zone = -1e300;
  h.longitude = -1e300;
  h.latitude = 1e300;
  h.julianDay = INT32_MIN;
  const ChartDataFields f = RecordToChartData(h, "", "", "");
  // Whatever is shown, the dialog rejects it instead of storing nonsense.
  EXPECT_FALSE(CheckChartData(f).ok());
  EXPECT_GE(f.lonDegrees, 0);
  EXPECT_GE(f.zoneHours, 0);
}

TEST(CountCharacters, CodePoints) {
  EXPECT_EQ(CountCharacters(""), 0);
  EXPECT_EQ(CountCharacters("abc"), 3);
  EXPECT_EQ(CountCharacters("\xC3\xA9"), 1);                  // e acute
  EXPECT_EQ(CountCharacters("\xE0\xAE\xA4\xE0\xAE\xBE"), 2);  // Tamil TA + AA sign
  EXPECT_EQ(CountCharacters("\xF0\x9F\x98\x80"), 1);          // outside the BMP
  EXPECT_EQ(CountCharacters("\xFF\xC3"), 2);                  // invalid bytes count one each
}

// ---- "Set Location for Prasna" ----

TEST(PrasnaLocationValidation, OrderAndRanges) {
  PrasnaLocationFields f;
  f.dstHours = 12;  // the Prasna dialog admits 0..11 only
  f.latDegrees = 90;
  f.place = std::string(31, 'x');
  f.zoneHours = 13;
  struct Step {
    const char* field;
    int controlId, minimum, maximum;
  };
  const Step order[] = {
      {"dstHours", 1030, 0, 11},
      {"latDegrees", 1024, 0, 89},
      {"place", 1019, 0, 0},
      {"zoneHours", 1011, 0, 12},
  };
  for (const auto& step : order) {
    SCOPED_TRACE(step.field);
    auto checked = ValidatePrasnaLocation(f);
    ASSERT_FALSE(checked.ok());
    const FieldError& error = checked.error();
    EXPECT_EQ(error.field, step.field);
    EXPECT_EQ(error.controlId, step.controlId);
    if (error.kind == FieldError::Kind::Range) {
      EXPECT_EQ(error.minimum, step.minimum);
      EXPECT_EQ(error.maximum, step.maximum);
    } else {
      EXPECT_EQ(error.maxChars, 30);
    }
    const std::string name = step.field;
    if (name == "dstHours") f.dstHours = 11;
    if (name == "latDegrees") f.latDegrees = 89;
    if (name == "place") f.place = std::string(30, 'x');
    if (name == "zoneHours") f.zoneHours = 12;
  }
  EXPECT_TRUE(ValidatePrasnaLocation(f).ok());
}

TEST(PrasnaLocationValidation, TypedTextIsCheckedInOrder) {
  PrasnaLocationText t;
  t.dstMinutes = "abc";
  t.lonDegrees = "x";
  auto parsed = ParsePrasnaLocationText(t);
  ASSERT_FALSE(parsed.ok());
  EXPECT_EQ(parsed.error().field, "dstMinutes");
  EXPECT_EQ(parsed.error().kind, FieldError::Kind::WholeNumber);
  t.dstMinutes = "7";
  t.lonDegrees = "100";
  t.isEast = true;
  t.zoneHours = "5";
  parsed = ParsePrasnaLocationText(t);
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed->dstMinutes, 7);
  EXPECT_EQ(parsed->lonDegrees, 100);
  EXPECT_EQ(parsed->zoneHours, 5);
  EXPECT_TRUE(parsed->isEast);
}

TEST(PrasnaLocationConversion, EastAndSouthSignTheStoredValues) {
  PrasnaLocationFields f;
  f.lonDegrees = 5;
  f.lonMinutes = 30;
  f.zoneHours = 5;
  f.zoneMinutes = 30;
  f.isEast = 1;
  f.latDegrees = 10;
  f.latMinutes = 5;
  f.isSouth = 1;
  f.dstHours = 1;
  f.dstMinutes = 2;
  f.place = "Colombo";
  const PrasnaLocation loc = PrasnaLocationFromFields(f);
  // East and South negate longitude, zone and latitude; DST keeps its sign.
  EXPECT_EQ(ToSignedPlace(loc.where), (SignedPlace{-5, -30, -10, -5, -5, -30, 1, 2}));
  EXPECT_EQ(PrasnaLocationToFields(loc), f);
}

TEST(PrasnaCast, TheClockReadingIsLocalTimeAtTheLocation) {
  PrasnaLocation loc;  // 122 W 03, 37 N 54, zone 8 W
  LocalClockReading now{2024, 3, 15, 14, 7};
  Horoscope h;
  SetPrasnaBirthData(loc, now, h);
  EXPECT_EQ(h.julianDay, DayNumberFromDate(2024, 3, 15));
  EXPECT_NEAR(h.universalTime, 14 + 8 + 7.0 / 60, 1e-12);
  EXPECT_NEAR(h.zone, 8.0, 1e-12);
  EXPECT_EQ(h.dst, 0);
  EXPECT_NEAR(h.longitude, 122 + 3.0 / 60, 1e-12);
  EXPECT_NEAR(h.latitude, 37 + 54.0 / 60, 1e-12);
}

}  // namespace
}  // namespace sarvexa
