// Stepping the open chart's birth time: each step is the chart the moved
// date and time give when typed in "Chart Data", the steps stop at the edge
// of the years the dialog takes, Reset and Save end the stepping, and the
// status bar's text says where the birth stands.

#include <gtest/gtest.h>

#include <filesystem>

#include "document/birth_steps.h"
#include "document/chart_document.h"
#include "document/chart_file.h"
#include "engine/calendar.h"
#include "tests/support/worked_chart_fields.h"

namespace sarvexa {
namespace {

Instant FixedNow() { return PrasnaInstantOf(PrasnaLocation{}, {2024, 3, 15, 14, 7}, nullptr); }

// The worked chart (1 January 2000, 5:30 PM) moved to another date and time.
ChartDataFields Worked(int year, int monthIndex, int day, int hour12, int minute, bool pm) {
  ChartDataFields f = test_support::WorkedChartFields();
  f.year = year;
  f.monthIndex = monthIndex;
  f.day = day;
  f.hour = hour12;
  f.minute = minute;
  f.isPm = pm;
  return f;
}

TEST(BirthSteps, TheStatusTextSaysTheTimeAndItsDistance) {
  Horoscope entered;
  ChartDataToRecord(test_support::WorkedChartFields(), entered);  // 5:30 PM
  const struct {
    std::int64_t offset;
    const char* text;
  } kRows[] = {
      {12, "5:42 PM, +12 min"},  // the form the status bar was asked for
      {-1,
       "5:29 PM, \xE2\x88\x92"
       "1 min"},
      {-65,
       "4:25 PM, \xE2\x88\x92"
       "1 h 05 min"},
      {60, "6:30 PM, +1 h"},
      {400, "Jan 2,2000 12:10 AM, +6 h 40 min"},  // past midnight: the date too
      {1440, "Jan 2,2000 5:30 PM, +1 d"},
      {-1441,
       "Dec 31,1999 5:29 PM, \xE2\x88\x92"
       "1 d 01 min"},
      {-1050,
       "12:00 AM, \xE2\x88\x92"
       "17 h 30 min"},
      {-330,
       "12:00 PM, \xE2\x88\x92"
       "5 h 30 min"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.offset);
    EXPECT_EQ(SteppedTimeText(entered, row.offset), row.text);
  }
}

TEST(BirthSteps, AStepIsTheMovedTimeTypedInChartData) {
  // Each row: the step, how many steps later (or earlier when negative),
  // and the date and time the dialog is given for the same chart.
  const struct {
    BirthStep step;
    int count;
    ChartDataFields typed;
  } kRows[] = {
      {BirthStep::Minute, 3, Worked(2000, 0, 1, 5, 33, true)},
      {BirthStep::FiveMinutes, -7, Worked(2000, 0, 1, 4, 55, true)},
      {BirthStep::Hour, 7, Worked(2000, 0, 2, 12, 30, false)},
      {BirthStep::Day, -2, Worked(1999, 11, 30, 5, 30, true)},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(StepMinutes(row.step) * row.count);
    MemorySettingsStore store, otherStore;
    ChartDocument doc(store, FixedNow), typed(otherStore, FixedNow);
    ASSERT_TRUE(doc.newChart(test_support::WorkedChartFields()).ok());
    ASSERT_TRUE(typed.newChart(row.typed).ok());
    doc.setBirthStep(row.step);
    for (int i = 0; i < std::abs(row.count); ++i)
      ASSERT_TRUE(doc.stepBirthTime(row.count > 0).ok());
    EXPECT_EQ(doc.birthOffset(), StepMinutes(row.step) * row.count);
    EXPECT_EQ(doc.chartDataDialogValues(), typed.chartDataDialogValues());
    const Horoscope& a = doc.horoscope();
    const Horoscope& b = typed.horoscope();
    EXPECT_EQ(a.julianDay, b.julianDay);
    EXPECT_EQ(a.julianCenturies, b.julianCenturies);
    for (int g = 0; g < graha::kCount; ++g)
      EXPECT_EQ(a.positions[g].longitude, b.positions[g].longitude) << g;
    EXPECT_EQ(doc.currentPeriod(), typed.currentPeriod());
  }
}

TEST(BirthSteps, StepsStopAtTheEdgeOfTheYears) {
  const struct {
    ChartDataFields entered;
    BirthStep step;
    bool later;
    std::int64_t edge;  // the offset of the edge, in minutes
    const char* said;
  } kRows[] = {
      {Worked(2300, 11, 31, 11, 30, true), BirthStep::Hour, true, 29,
       "The birth time stops at Dec 31,2300 11:59 PM, the latest the program takes."},
      {Worked(1700, 0, 1, 12, 30, false), BirthStep::Day, false, -30,
       "The birth time stops at Jan 1,1700 12:00 AM, the earliest the program takes."},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.said);
    MemorySettingsStore store;
    ChartDocument doc(store, FixedNow);
    ASSERT_TRUE(doc.newChart(row.entered).ok());
    doc.setBirthStep(row.step);
    for (int i = 0; i < 2; ++i) {  // at the edge, and again from it
      const auto stepped = doc.stepBirthTime(row.later);
      ASSERT_TRUE(stepped.ok());
      EXPECT_TRUE(stepped->stoppedAtEdge);
      EXPECT_EQ(doc.birthOffset(), row.edge);
    }
    EXPECT_EQ(StepEdgeText(doc.enteredBirth(), doc.birthOffset(), row.later), row.said);
    // The other way goes on as usual.
    const auto back = doc.stepBirthTime(!row.later);
    ASSERT_TRUE(back.ok());
    EXPECT_FALSE(back->stoppedAtEdge);
  }
}

TEST(BirthSteps, ResetSaveAndOpenEndTheStepping) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "sarvexa-steps-test";
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "ann.svx";
  MemorySettingsStore store;
  ChartDocument doc(store, FixedNow);
  ASSERT_TRUE(doc.newChart(test_support::WorkedChartFields()).ok());
  ASSERT_TRUE(doc.save(file).ok());
  const Horoscope saved = doc.horoscope();
  EXPECT_FALSE(doc.isModified());

  // Reset goes back to the entered chart exactly, as it was saved.
  doc.setBirthStep(BirthStep::FiveMinutes);
  ASSERT_TRUE(doc.stepBirthTime(false).ok());
  doc.resetBirthTime();
  EXPECT_EQ(doc.birthOffset(), 0);
  EXPECT_FALSE(doc.isModified());
  EXPECT_EQ(doc.horoscope().universalTime, saved.universalTime);
  EXPECT_EQ(doc.horoscope().positions[graha::Moon].longitude,
            saved.positions[graha::Moon].longitude);

  // Saving a stepped chart saves the stepped time, which becomes the
  // entered one; opening the file gives it back.
  ASSERT_TRUE(doc.stepBirthTime(true).ok());
  const Horoscope stepped = doc.horoscope();
  ASSERT_TRUE(doc.save(file).ok());
  EXPECT_EQ(doc.birthOffset(), 0);
  EXPECT_EQ(doc.enteredBirth().universalTime, stepped.universalTime);
  EXPECT_FALSE(doc.isModified());
  ASSERT_TRUE(doc.stepBirthTime(true).ok());
  ASSERT_TRUE(doc.open(file).ok());
  EXPECT_EQ(doc.birthOffset(), 0);
  EXPECT_EQ(doc.horoscope().universalTime, stepped.universalTime);
  EXPECT_EQ(doc.chartDataDialogValues().minute, 35);
  std::filesystem::remove_all(dir);
}

TEST(BirthSteps, AChartDatedOutsideTheYearsIsNotStepped) {
  Horoscope old;
  SetBirthDate(old, 6, 1, 1650);
  SetBirthTime(old, 12, 0, -5, -30, 0, 0);
  SetBirthPlace(old, -77, -12, 28, 36);
  MemorySettingsStore store;
  ChartDocument doc(store, FixedNow);
  ASSERT_TRUE(doc.loadBytes(EncodeChartFile({"Old", "Chart", "Delhi", old, ""})).ok());
  const auto stepped = doc.stepBirthTime(true);
  ASSERT_FALSE(stepped.ok());
  EXPECT_EQ(stepped.error(), "Only birth times in the years 1700 to 2300 can be stepped.");
  EXPECT_EQ(doc.birthOffset(), 0);
  EXPECT_FALSE(doc.isModified());
}

TEST(BirthSteps, TheTransitComparisonFollowsTheStep) {
  MemorySettingsStore store;
  ChartDocument doc(store, FixedNow);
  ASSERT_TRUE(doc.newChart(test_support::WorkedChartFields()).ok());
  const TransitChoice choice = doc.openTransitChoice();
  ASSERT_TRUE(doc.applyTransit(choice).ok());
  doc.setBirthStep(BirthStep::Hour);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(doc.stepBirthTime(true).ok());
  const Result<TransitResult> fresh =
      ComputeTransit(doc.horoscope(), choice, doc.snapshot().context);
  ASSERT_TRUE(fresh.ok());
  EXPECT_EQ(doc.saTransitAnalysis().mep, fresh->analysis.mep);
  EXPECT_EQ(doc.saTransitAnalysis().transitHouse, fresh->analysis.transitHouse);
}

}  // namespace
}  // namespace sarvexa
