// The birth-time commands through the window: their keys, the steps and the
// status bar's field, the edge of the years, Reset and Save, and the
// Birth-Time Sensitivity page following each step.

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

#include "app/chart_view.h"
#include "app/commands.h"
#include "app_fixture.h"
#include "tests/support/worked_chart_fields.h"

namespace sarvexa::test {
namespace {

using namespace command;

QString SteppedField(MainWindow& w) {
  const auto* field = w.statusBar()->findChild<QLabel*>(QStringLiteral("steppedTime"));
  return field && !field->isHidden() ? field->text() : QString();
}

TEST_F(AppTest, TheBirthTimeKeysAreNoStandardKeyNorAnotherCommands) {
  start();
  for (int id : {BirthTimeEarlier, BirthTimeLater}) {
    const QKeySequence key = window().action(id)->shortcut();
    ASSERT_FALSE(key.isEmpty());
    for (int standard = QKeySequence::HelpContents; standard <= QKeySequence::Cancel; ++standard) {
      EXPECT_FALSE(QKeySequence::keyBindings(QKeySequence::StandardKey(standard)).contains(key))
          << key.toString().toStdString() << " is standard key " << standard;
    }
    for (const CommandInfo& c : Commands())
      if (c.id != id) {
        EXPECT_NE(window().action(c.id)->shortcut(), key) << c.text;
      }
  }
}

TEST_F(AppTest, StepsShowInTheStatusBarUntilResetOrSaved) {
  start();  // the Prasna of 2:07 PM
  window().show();
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  EXPECT_EQ(SteppedField(window()), "");
  EXPECT_FALSE(window().action(BirthTimeReset)->isEnabled());
  const struct {
    std::function<void()> act;
    const char* field;
    bool modified;
  } kSteps[] = {
      {[&] { QTest::keyClick(window().chartView(), Qt::Key_F8); }, "2:08 PM, +1 min", true},
      {[&] { QTest::keyClick(window().chartView(), Qt::Key_F8); }, "2:09 PM, +2 min", true},
      {[&] { window().action(BirthStepFirst + 2)->trigger(); }, "2:09 PM, +2 min", true},
      {[&] { QTest::keyClick(window().chartView(), Qt::Key_F7); }, "1:09 PM, \u221258 min", true},
      {[&] { window().action(BirthTimeLater)->trigger(); }, "2:09 PM, +2 min", true},
      {[&] { window().action(BirthTimeReset)->trigger(); }, "", false},
      {[&] { window().action(BirthTimeEarlier)->trigger(); }, "1:07 PM, \u22121 h", true},
      {[&] {
         prompter_.nextSaveName = workPath("stepped.svx");
         window().action(FileSave)->trigger();
       },
       "", false},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.field);
    step.act();
    EXPECT_EQ(SteppedField(window()), QString::fromUtf8(step.field));
    EXPECT_EQ(doc().isModified(), step.modified);
    EXPECT_EQ(window().action(BirthTimeReset)->isEnabled(), !QString(step.field).isEmpty());
  }
  EXPECT_TRUE(window().action(BirthStepFirst + 2)->isChecked());
  EXPECT_EQ(doc().chartDataDialogValues().hour, 1);  // the saved time is the entered one
}

TEST_F(AppTest, AStepPastTheYearsStopsAtTheEdgeAndSaysSo) {
  start();
  ChartDataFields late = test_support::WorkedChartFields();
  late.year = 2300;
  late.monthIndex = 11;
  late.day = 31;
  late.hour = 11;
  late.isPm = true;
  ASSERT_TRUE(doc().newChart(late).ok());
  window().action(BirthStepFirst + 3)->trigger();  // one day
  window().action(BirthTimeLater)->trigger();
  EXPECT_EQ(window().statusBar()->currentMessage(),
            "The birth time stops at Dec 31,2300 11:59 PM, the latest the program takes.");
  EXPECT_EQ(SteppedField(window()), "11:59 PM, +29 min");
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(AppTest, TheSensitivityPageFollowsEachStep) {
  start();
  window().action(ViewSensitivity)->trigger();
  ChartView& view = *window().chartView();
  ASSERT_NE(view.sensitivity(), nullptr);
  const BirthTimeSensitivity before = *view.sensitivity();
  window().action(BirthTimeLater)->trigger();  // one minute
  ASSERT_NE(view.sensitivity(), nullptr);
  const BirthTimeSensitivity& after = *view.sensitivity();
  // A window that ended within the range ends one minute sooner, and one
  // that began in it one minute further back.
  int shifted = 0;
  for (int g = 0; g < graha::kCount; ++g) {
    for (int f = 0; f < kFactorCount; ++f) {
      const MinuteWindow& b = before.points[g][f].window;
      const MinuteWindow& a = after.points[g][f].window;
      if (b.to && *b.to == 0) continue;  // the value changes with the step
      if (b.to) {
        EXPECT_EQ(a.to, *b.to - 1) << g << " " << f;
        ++shifted;
      }
      if (b.from && *b.from > -before.rangeMinutes + 1) {
        EXPECT_EQ(a.from, *b.from - 1) << g << " " << f;
      }
    }
  }
  EXPECT_GT(shifted, 10);
}

}  // namespace
}  // namespace sarvexa::test
