// A birth moved by whole minutes (ShiftBirthTime, what the birth-time search
// casts) is the chart the "Chart Data" dialog gives for the moved date and
// time, and the search's windows hold when the charts are cast through the
// document itself.

#include <gtest/gtest.h>

#include "analysis/sensitivity.h"
#include "document/chart_data.h"
#include "document/chart_document.h"
#include "document/prasna.h"
#include "document/settings_store.h"
#include "engine/birth_time.h"
#include "tests/support/worked_chart_fields.h"

namespace sarvexa {
namespace {

LocalClockReading Clock() { return {2024, 6, 15, 12, 0}; }

// The dialog's fields showing the birth moved by `minutes`.
ChartDataFields MovedFields(const ChartDataFields& entered, int minutes) {
  Horoscope h;
  ChartDataToRecord(entered, h);
  ChartDataFields f = RecordToChartData(ShiftBirthTime(h, minutes), entered.firstName,
                                        entered.lastName, entered.place);
  f.zoneName = entered.zoneName;
  return f;
}

TEST(BirthShift, MovingTheEnteredTimeIsEnteringTheMovedTime) {
  ChartDataFields midnight = test_support::WorkedChartFields();
  midnight.hour = 11;
  midnight.minute = 58;  // 11:58 PM, 31 December
  midnight.day = 31;
  midnight.monthIndex = 11;
  midnight.year = 1999;
  ChartDataFields western = test_support::AnnLeeFields();
  western.isEast = false;
  western.zoneHours = 7;
  western.dstHours = 1;
  ChartDataFields otherSide = test_support::WorkedChartFields();
  otherSide.zoneEast = false;  // a zone west of Greenwich at an eastern place
  otherSide.zoneHours = 1;
  otherSide.zoneMinutes = 0;
  const struct {
    ChartDataFields fields;
    const char* source;
  } kCases[] = {{test_support::WorkedChartFields(), "worked chart"},
                {midnight, "two minutes before New Year"},
                {western, "western zone with DST"},
                {otherSide, "zone on the other side of Greenwich"}};
  for (const auto& c : kCases) {
    for (int minutes : {-2880, -1441, -61, -1, 0, 1, 2, 59, 721, 2880}) {
      SCOPED_TRACE(std::string(c.source) + ", " + std::to_string(minutes) + " min");
      Horoscope entered;
      ChartDataToRecord(c.fields, entered);
      const Horoscope moved = ShiftBirthTime(entered, minutes);
      const ChartDataFields shown = MovedFields(c.fields, minutes);
      ASSERT_TRUE(CheckChartData(shown).ok());
      Horoscope typed;
      ChartDataToRecord(shown, typed);
      EXPECT_EQ(typed.julianDay, moved.julianDay);
      EXPECT_EQ(typed.universalTime, moved.universalTime);
      EXPECT_EQ(typed.julianCenturies, moved.julianCenturies);
      EXPECT_EQ(typed.zone, moved.zone);
      EXPECT_EQ(typed.dst, moved.dst);
      const LocalClockReading clock = ShiftedBirthClock(entered, minutes);
      EXPECT_EQ(shown.year, clock.year);
      EXPECT_EQ(shown.monthIndex + 1, clock.month);
      EXPECT_EQ(shown.day, clock.day);
      EXPECT_EQ(shown.hour % 12 + (shown.isPm ? 12 : 0), clock.hour);
      EXPECT_EQ(shown.minute, clock.minute);
    }
  }
}

// Every reported first and last minute, cast through the document, has the
// reported value, and the minute beyond it has another.
TEST(BirthShift, WindowsHoldWhenCastThroughTheDocument) {
  ChartDataFields nearNewYear = test_support::WorkedChartFields();
  nearNewYear.hour = 11;
  nearNewYear.minute = 45;
  nearNewYear.day = 31;
  nearNewYear.monthIndex = 11;
  nearNewYear.year = 1999;
  for (const ChartDataFields& fields : {test_support::WorkedChartFields(), nearNewYear}) {
    MemorySettingsStore store;
    // The document reads the present on the default Prasna location's clock.
    ChartDocument doc(store, [] { return PrasnaInstantOf(PrasnaLocation{}, Clock(), nullptr); });
    ASSERT_TRUE(doc.newChart(fields).ok());
    BuiltInPositions source;
    const auto table = FindBirthTimeSensitivity({doc.snapshot().horoscope, Clock()}, source);
    ASSERT_TRUE(table.ok());
    const auto castAt = [&](int minute) {
      EXPECT_TRUE(doc.editChartData(MovedFields(fields, minute)).ok());
      return doc.snapshot();
    };
    for (GrahaIndex g = 0; g < graha::kCount; ++g) {
      for (int f = 0; f < kFactorCount; ++f) {
        const SensitivityFactor& factor = SensitivityFactors()[f];
        const FactorWindow& cell = table->points[static_cast<std::size_t>(g)][f];
        SCOPED_TRACE(std::string(kGrahaTwoLetterNames[g]) + " " + factor.name);
        const auto valueAt = [&](int minute) {
          return FactorValue(factor, castAt(minute).horoscope.positions[g].longitude);
        };
        if (cell.window.from) {
          EXPECT_EQ(valueAt(*cell.window.from), cell.value);
          EXPECT_NE(valueAt(*cell.window.from - 1), cell.value);
        }
        if (cell.window.to) {
          EXPECT_EQ(valueAt(*cell.window.to), cell.value);
          EXPECT_NE(valueAt(*cell.window.to + 1), cell.value);
        }
      }
    }
    const PeriodWindow& p = table->runningPeriod;
    ASSERT_TRUE(p.window.from && p.window.to);
    EXPECT_EQ(castAt(*p.window.from).derivations.period, p.value);
    EXPECT_NE(castAt(*p.window.from - 1).derivations.period, p.value);
    EXPECT_EQ(castAt(*p.window.to).derivations.period, p.value);
    EXPECT_NE(castAt(*p.window.to + 1).derivations.period, p.value);
  }
}

}  // namespace
}  // namespace sarvexa
