// The page dispatch: each display mode reaches its own page in the right
// variant, and an unknown mode draws nothing.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/chart_document.h"
#include "document/chart_sensitivity.h"
#include "document/settings_store.h"
#include "page_test_support.h"
#include "view/display.h"
#include "view/pages.h"
#include "view/recording_canvas.h"

namespace sarvexa {
namespace {

// The worked chart in the given style and colour choice, clock 15 June 2024.
using Doc = page_test::WorkedDocument;

bool HasTextStartingWith(const RecordingCanvas& c, const std::string& prefix) {
  for (const auto& t : c.Texts()) {
    if (t.text.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

TEST(Dispatch, EachModeDrawsItsOwnPageInTheChosenSpace) {
  Doc d(1, 0);
  struct Case {
    DisplayMode mode;
    const char* screenText;
    const char* printText;
  };
  const Case kCases[] = {
      {DisplayMode::MahaBukti, "Vimshottari Dashas for: Ann Lee", "VIMSHOTTARI DASHAS FOR:"},
      {DisplayMode::Pratyantar, "Venus PratyAntar Dashas for: Ann Lee",
       "VENUS PRATYANTAR DASHAS FOR:"},
      {DisplayMode::Chart, "Vimshottari Dashas", "Navamsa"},
      {DisplayMode::Divisional, "Hora", "Chaturvimsamsa"},
      {DisplayMode::Sensitivity, "Birth-Time Sensitivity for: Ann Lee", "BIRTH-TIME SENSITIVITY"},
  };
  for (const auto& k : kCases) {
    SCOPED_TRACE(static_cast<int>(k.mode));
    ViewState view;
    view.displayMode = k.mode;
    view.pratyantarLord = 1;  // Venus
    RecordingCanvas screen;
    DrawScreenPage(screen, d.doc->snapshot(), view);
    EXPECT_TRUE(HasTextStartingWith(screen, k.screenText));
    ASSERT_FALSE(screen.Log().empty());
    EXPECT_EQ(screen.Log().front(), "mapping screen");
    for (const auto& t : screen.Texts()) EXPECT_EQ(t.mapping, Mapping::Screen);
    RecordingCanvas print;
    DrawPrintPage(print, d.doc->snapshot(), view);
    EXPECT_TRUE(HasTextStartingWith(print, k.printText));
    for (const auto& t : print.Texts()) {
      EXPECT_EQ(t.mapping, Mapping::Print);
      EXPECT_LE(t.y, 0) << t.text;  // the printed sheet lies below its top edge
    }
  }
}

TEST(Dispatch, TheSensitivityPageDrawsTheTableItIsGivenOrSearchesTheChartsOwn) {
  Doc d(1, 0);
  ViewState view;
  view.displayMode = DisplayMode::Sensitivity;
  const ChartSnapshot& snap = d.doc->snapshot();
  const BirthTimeSensitivity searched = ChartSensitivity(snap).value();
  BirthTimeSensitivity given = searched;
  given.points[graha::Moon][0].window = MinuteWindow{-1, 1};
  for (const BirthTimeSensitivity* table :
       {&searched, static_cast<const BirthTimeSensitivity*>(&given)}) {
    RecordingCanvas direct, dispatched, own;
    DrawSensitivityPageScreen(direct, snap, *table);
    DrawScreenPage(dispatched, snap, view, table);
    EXPECT_EQ(dispatched.Log(), direct.Log());
    DrawScreenPage(own, snap, view);
    EXPECT_EQ(own.Log() == direct.Log(), table == &searched);
  }
}

TEST(Dispatch, EveryModeDrawsSomethingAndUnknownModesNothing) {
  Doc d(2, 1);
  for (int m = 1; m <= 8; ++m) {
    const auto mode = static_cast<DisplayMode>(m);
    SCOPED_TRACE(m);
    ViewState view;
    view.displayMode = mode;
    RecordingCanvas screen, print;
    DrawScreenPage(screen, d.doc->snapshot(), view);
    DrawPrintPage(print, d.doc->snapshot(), view);
    EXPECT_FALSE(screen.Texts().empty());
    EXPECT_FALSE(print.Texts().empty());
  }
  for (int m : {0, 9, -1, 100}) {
    const auto mode = static_cast<DisplayMode>(m);
    SCOPED_TRACE(m);
    ViewState view;
    view.displayMode = mode;
    RecordingCanvas screen, print;
    DrawScreenPage(screen, d.doc->snapshot(), view);
    DrawPrintPage(print, d.doc->snapshot(), view);
    EXPECT_TRUE(screen.Log().empty());
    EXPECT_TRUE(print.Log().empty());
  }
}

TEST(Dispatch, ChartColoursAndStyleComeFromTheDocument) {
  Doc on(1, 1);
  const ChartColours c = RashiChartColours(on.doc->snapshot());
  EXPECT_TRUE(c.enabled);
  for (std::size_t g = 0; g < 10; ++g)
    EXPECT_EQ(c.colorClass[g], on.doc->saAnalysis().colorClass[g]);
  EXPECT_EQ(EffectiveChartStyle(on.doc->snapshot()), ChartStyle::North);
  Doc off(0, 0);
  EXPECT_FALSE(RashiChartColours(off.doc->snapshot()).enabled);
  EXPECT_EQ(EffectiveChartStyle(off.doc->snapshot()), ChartStyle::South);  // nothing stored: South
}

TEST(Dispatch, ColourOnlyChangesTheRashiLabelsOfTheChartPage) {
  // With colours on, the Chart page colours some labels and leaves black set
  // at the end; with colours off no text is coloured at all.
  Doc on(1, 1), off(1, 0);
  ViewState view;
  RecordingCanvas a, b;
  DrawScreenPage(a, on.doc->snapshot(), view);
  DrawScreenPage(b, off.doc->snapshot(), view);
  int coloured = 0;
  for (const auto& t : a.Texts()) coloured += !(t.colour == kBlack);
  EXPECT_GT(coloured, 0);
  EXPECT_EQ(a.GetTextColor(), kBlack);
  for (const auto& t : b.Texts()) EXPECT_EQ(t.colour, kBlack) << t.text;
  const RecordedText* as = nullptr;
  for (const auto& t : a.Texts()) {
    if (t.text.rfind("As ", 0) == 0) as = &t;
  }
  ASSERT_NE(as, nullptr);
  EXPECT_EQ(as->colour, kBlack);
}

}  // namespace
}  // namespace sarvexa
