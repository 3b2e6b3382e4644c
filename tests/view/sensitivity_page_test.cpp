// The Birth-Time Sensitivity page against the recording canvas: the worked
// chart's own table and a crowded one (every cell marked, the widest texts,
// 48 hours), both variants: nothing overprints or leaves the page, marked
// cells are red and boxed, and the texts say what the table holds.

#include <gtest/gtest.h>

#include <functional>

#include "analysis/sensitivity.h"
#include "page_layout_check.h"
#include "page_test_support.h"
#include "view/pages.h"
#include "view/sensitivity_page.h"
#include "view/text_fit.h"

namespace sarvexa {
namespace {

using page_test::LayoutRecorder;
using page_test::WorkedDocument;

BirthTimeSensitivity WorkedTable(const ChartSnapshot& snap, int hours = 24) {
  BuiltInPositions source;
  return *FindBirthTimeSensitivity({snap.horoscope, page_test::FixedClock(), 365.25, hours},
                                   source);
}

// Every cell marked, with the longest texts a 48-hour range can give.
BirthTimeSensitivity CrowdedTable() {
  BirthTimeSensitivity t;
  t.rangeMinutes = 48 * 60;
  t.clock = page_test::FixedClock();
  const MinuteWindow kWindows[] = {{-2879, 3}, {std::nullopt, 0}, {-1, std::nullopt}, {0, 2879}};
  for (int g = 0; g < graha::kCount; ++g) {
    for (int f = 0; f < kFactorCount; ++f) {
      // Dhanishtha and Pisces are among the widest values.
      t.points[g][f] = {f == 1 ? 22 : (f == 2 ? 4 : 11), kWindows[(g + f) % 4]};
    }
  }
  t.runningPeriod = {CurrentPeriod{8, 8, 8}, {-2879, 4}};
  t.daysPerMinute = -9.13;
  t.balance = DashaBalance{8, 6200.0, 16, 11, 30};
  return t;
}

struct Variant {
  const char* name;
  std::function<void(Canvas&, const ChartSnapshot&, const BirthTimeSensitivity&)> draw;
  DownBox page;
};

const Variant kVariants[] = {
    {"screen", DrawSensitivityPageScreen, {0, 0, kScreenGridWidth, kScreenGridHeight}},
    // Letter paper less a 10-point margin on each side.
    {"print", DrawSensitivityPagePrint, {0, 0, 12240 - 400, 15840 - 400}},
};

TEST(SensitivityPage, NothingOverprintsOrLeavesThePage) {
  WorkedDocument w;
  const ChartSnapshot snap = w.doc->snapshot();
  const struct {
    const char* name;
    BirthTimeSensitivity table;
  } kTables[] = {{"worked chart", WorkedTable(snap)},
                 {"worked chart, 1 hour", WorkedTable(snap, 1)},
                 {"crowded", CrowdedTable()}};
  for (const Variant& v : kVariants) {
    for (const auto& t : kTables) {
      SCOPED_TRACE(std::string(v.name) + ", " + t.name);
      RecordingCanvas metrics;
      LayoutRecorder r(metrics);
      v.draw(r, snap, t.table);
      page_test::ExpectNoOverprint(r, v.page);
      EXPECT_GT(r.texts.size(), 300u);
    }
  }
}

TEST(SensitivityPage, MarkedCellsAreRedAndBoxed) {
  WorkedDocument w;
  const ChartSnapshot snap = w.doc->snapshot();
  for (const BirthTimeSensitivity& table : {WorkedTable(snap), CrowdedTable()}) {
    for (const Variant& v : kVariants) {
      SCOPED_TRACE(v.name);
      std::vector<int> columns;
      if (std::string(v.name) == "screen") {
        columns = ScreenSensitivityColumns();
      } else {
        for (const auto& t : PrintSensitivityTables())
          columns.insert(columns.end(), t.begin(), t.end());
      }
      int marked = EndsWithin(table.runningPeriod.window, kFragileMinutes) ? 1 : 0;
      const int markedPeriod = marked;
      for (const auto& row : table.points) {
        for (int f : columns) marked += EndsWithin(row[f].window, kFragileMinutes);
      }
      RecordingCanvas metrics;
      LayoutRecorder r(metrics);
      v.draw(r, snap, table);
      int red = 0;
      for (const auto& t : r.texts) red += t.colour == Rgb{225, 0, 0};
      EXPECT_EQ(static_cast<int>(r.rectangles.size()), marked);
      // Three lines a cell, one for the period.
      EXPECT_EQ(red, 3 * (marked - markedPeriod) + markedPeriod);
      EXPECT_EQ(r.GetTextColor(), kBlack);
    }
  }
}

TEST(SensitivityPage, CellsAndFooterSayWhatTheTableHolds) {
  WorkedDocument w;
  const ChartSnapshot snap = w.doc->snapshot();
  const BirthTimeSensitivity table = WorkedTable(snap);
  RecordingCanvas c;
  DrawSensitivityPageScreen(c, snap, table);
  // Each point's row: its name, then per column the value and both sides of
  // its window, one line apart, down the page.
  const std::vector<int> columns = ScreenSensitivityColumns();
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    const RecordedText* label = c.FindText(kGrahaTwoLetterNames[g]);
    ASSERT_NE(label, nullptr);
    for (int f : columns) {
      const FactorWindow& cell = table.points[static_cast<std::size_t>(g)][f];
      const std::string value = FactorValueText(SensitivityFactors()[f], cell.value);
      bool found = false;
      for (std::size_t i = 0; i + 2 < c.Texts().size(); ++i) {
        const auto& t = c.Texts();
        found = found || (t[i].y == label->y && t[i].text == value &&
                          t[i + 1].text == WindowSideText(WindowSide::Before, cell.window.from,
                                                          table.rangeMinutes) &&
                          t[i + 2].text == WindowSideText(WindowSide::After, cell.window.to,
                                                          table.rangeMinutes) &&
                          t[i + 1].y > t[i].y && t[i + 2].y > t[i + 1].y && t[i + 2].x == t[i].x);
      }
      EXPECT_TRUE(found) << kGrahaTwoLetterNames[g] << " " << SensitivityFactors()[f].name;
    }
  }
  const SensitivityFooter footer = SensitivityFooterOf(table);
  for (const std::string& line : {footer.period, footer.dates, footer.balance}) {
    EXPECT_NE(c.FindText(line), nullptr) << line;
  }
  EXPECT_NE(footer.balance.find(DashaBalanceText(snap.derivations.balance)), std::string::npos);
}

TEST(SensitivityPage, TheTitleNamesTheChartWithoutAGapBeforeTheComma) {
  WorkedDocument w;
  const struct {
    const char* lastName;
    const char* title;  // the worked chart: Ann Lee, 1 January 2000, 5:30 PM
  } kCases[] = {
      {"Lee", "Birth-Time Sensitivity for: Ann Lee, born Jan 1,2000 5:30PM"},
      {"", "Birth-Time Sensitivity for: Ann, born Jan 1,2000 5:30PM"},  // as a Prasna's
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.title);
    ChartSnapshot snap = w.doc->snapshot();
    snap.lastName = c.lastName;
    RecordingCanvas canvas;
    DrawSensitivityPageScreen(canvas, snap, WorkedTable(snap, 1));
    EXPECT_NE(canvas.FindText(c.title), nullptr);
  }
}

TEST(SensitivityPage, WindowTexts) {
  struct Case {
    MinuteWindow window;
    const char* before;
    const char* after;
    const char* both;
  };
  const Case kCases[] = {
      {{-23, 41}, "\u221223 min", "+41 min", "\u221223 / +41 min"},
      {{std::nullopt, 41}, "> 24 h", "+41 min", "> 24 h / +41 min"},
      {{-23, std::nullopt}, "\u221223 min", "> 24 h", "\u221223 min / > 24 h"},
      {{0, 0}, "\u22120 min", "+0 min", "\u22120 / +0 min"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(WindowSideText(WindowSide::Before, c.window.from, 1440), c.before);
    EXPECT_EQ(WindowSideText(WindowSide::After, c.window.to, 1440), c.after);
    EXPECT_EQ(WindowText(c.window, 1440), c.both);
  }
  EXPECT_EQ(WindowSideText(WindowSide::After, std::nullopt, 60), "> 1 h");
  BirthTimeSensitivity t;
  t.daysPerMinute = -4.52;
  EXPECT_EQ(SensitivityFooterOf(t).dates,
            "A minute later birth moves every dasha date 4.5 days earlier");
}

}  // namespace
}  // namespace sarvexa
