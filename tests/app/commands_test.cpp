// The chart commands through the real window: New, Edit, Save, Open, the
// recent-file list, the exports, Current Prasna, the Prasna location, the SA
// transits and Ephemeris dialogs, and the answers to the save question.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

#include <sys/stat.h>

#include "analysis/sa_transits.h"
#include "app/chart_data_dialog.h"
#include "app/chart_view.h"
#include "app/commands.h"
#include "app/ephemeris_dialog.h"
#include "app/prasna_location_dialog.h"
#include "app/transit_dialog.h"
#include "app_fixture.h"
#include "engine/calendar.h"

namespace sarvexa::test {
namespace {

using namespace command;

QLineEdit* edit(QWidget* w) { return qobject_cast<QLineEdit*>(w); }
QRadioButton* radio(QWidget* w) { return qobject_cast<QRadioButton*>(w); }

/// Fills "Chart Data" with a valid birth: First Last, 7 March 1962, 4:05 PM,
/// zone 5:30 East, 73 E 51, 18 N 31, Pune.
void fillValidChart(ChartDataDialog& d) {
  edit(d.control(1002))->setText("First");
  edit(d.control(1004))->setText("Last");
  edit(d.control(1006))->setText("4");
  edit(d.control(1008))->setText("5");
  radio(d.control(1010))->setChecked(true);
  qobject_cast<QComboBox*>(d.control(1016))->setCurrentIndex(2);
  edit(d.control(1017))->setText("7");
  edit(d.control(1018))->setText("1962");
  edit(d.control(1019))->setText("Pune");
  edit(d.control(1020))->setText("73");
  edit(d.control(1023))->setText("51");
  radio(d.control(1022))->setChecked(true);
  edit(d.control(1024))->setText("18");
  edit(d.control(1027))->setText("31");
  edit(d.control(1011))->setText("5");
  edit(d.control(1029))->setText("30");
}

/// A dialog handler that fills "Chart Data" validly and presses OK.
std::function<int(QDialog&)> enterValidChart() {
  return [](QDialog& dialog) {
    auto* d = qobject_cast<ChartDataDialog*>(&dialog);
    EXPECT_NE(d, nullptr);
    if (!d) return int(QDialog::Rejected);
    fillValidChart(*d);
    d->accept();
    return d->result();
  };
}

TEST_F(AppTest, NewRefusesEachBadFieldInTurnThenStoresAValidChart) {
  start();
  const Horoscope before = doc().horoscope();
  struct Bad {
    int controlId;
    const char* text;
    const char* named;
  };
  const Bad bads[] = {{1006, "0", "between 1 and 12"},    {1008, "61", "between 0 and 59"},
                      {1017, "0", "between 1 and 31"},    {1018, "2301", "between 1700 and 2300"},
                      {1020, "180", "between 0 and 179"}, {1023, "60", "between 0 and 59"},
                      {1024, "90", "between 0 and 89"},   {1027, "60", "between 0 and 59"},
                      {1011, "13", "between 0 and 12"},   {1029, "60", "between 0 and 59"},
                      {1030, "13", "between 0 and 12"},   {1028, "60", "between 0 and 59"}};
  int attempts = 0;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    auto* d = qobject_cast<ChartDataDialog*>(&dialog);
    EXPECT_NE(d, nullptr);
    if (!d) return int(QDialog::Rejected);
    // The dialog opens with this year, hour 1, January, day 1, West, North, AM.
    EXPECT_EQ(edit(d->control(1018))->text(), "2024");
    EXPECT_EQ(edit(d->control(1006))->text(), "1");
    EXPECT_TRUE(radio(d->control(1021))->isChecked());
    QStringList shown;
    d->setMessageSink([&](QWidget*, const QString& text) { shown << text; });
    fillValidChart(*d);
    for (const Bad& bad : bads) {
      SCOPED_TRACE(bad.controlId);
      QLineEdit* field = edit(d->control(bad.controlId));
      const QString good = field->text();
      field->setText(bad.text);
      shown.clear();
      d->accept();
      ++attempts;
      EXPECT_NE(d->result(), QDialog::Accepted);
      EXPECT_EQ(shown.size(), 1);
      EXPECT_TRUE(!shown.isEmpty() && shown.front().contains(QLatin1String(bad.named)));
      EXPECT_EQ(d->focusWidget(), field);
      // Nothing is stored while the dialog refuses.
      EXPECT_TRUE(doc().isPrasna());
      EXPECT_EQ(doc().horoscope().julianDay, before.julianDay);
      field->setText(good);
    }
    d->accept();
    return d->result();
  });
  window().action(FileNew)->trigger();
  EXPECT_EQ(attempts, int(std::size(bads)));
  EXPECT_EQ(window().windowTitle(), "First Last - Sarvexa");
  EXPECT_TRUE(doc().isModified());
  EXPECT_FALSE(doc().isPrasna());
  EXPECT_EQ(doc().horoscope().julianDay, DayNumberFromDate(1962, 3, 7));
  EXPECT_DOUBLE_EQ(doc().horoscope().zone, -5.5);
  // The unsaved name never enters the recent-file list.
  EXPECT_TRUE(window().recentFiles().isEmpty());
}

TEST_F(AppTest, EditShowsAnEastZoneAsMagnitudesWithEastSelected) {
  start();
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();
  ASSERT_EQ(window().windowTitle(), "First Last - Sarvexa");
  bool checked = false;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    auto* d = qobject_cast<ChartDataDialog*>(&dialog);
    EXPECT_NE(d, nullptr);
    if (!d) return int(QDialog::Rejected);
    EXPECT_EQ(edit(d->control(1011))->text(), "5");
    EXPECT_EQ(edit(d->control(1029))->text(), "30");
    EXPECT_TRUE(radio(d->control(1022))->isChecked());
    EXPECT_FALSE(radio(d->control(1021))->isChecked());
    EXPECT_EQ(edit(d->control(1020))->text(), "73");
    EXPECT_EQ(edit(d->control(1023))->text(), "51");
    EXPECT_EQ(edit(d->control(1006))->text(), "4");
    EXPECT_TRUE(radio(d->control(1010))->isChecked());
    checked = true;
    return int(QDialog::Rejected);
  });
  window().action(EditChartData)->trigger();
  EXPECT_TRUE(checked);
  EXPECT_EQ(prompter_.saveQuestions, 0);  // Edit asks no save question
}

TEST_F(AppTest, CancelAtTheSaveQuestionKeepsTheChart) {
  start();
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();
  ASSERT_TRUE(doc().isModified());
  const int shownBefore = prompter_.dialogsShown;

  prompter_.saveAnswer = SaveAnswer::Cancel;
  window().action(FileNew)->trigger();
  window().action(CurrentPrasna)->trigger();
  EXPECT_EQ(prompter_.saveQuestions, 2);
  EXPECT_EQ(prompter_.dialogsShown, shownBefore);  // no Chart Data dialog
  EXPECT_EQ(doc().firstName(), "First");
  EXPECT_TRUE(doc().isModified());
  EXPECT_EQ(window().windowTitle(), "First Last - Sarvexa");

  // "No" goes on and replaces the chart.
  prompter_.saveAnswer = SaveAnswer::Discard;
  window().action(CurrentPrasna)->trigger();
  EXPECT_TRUE(doc().isPrasna());
  EXPECT_FALSE(doc().isModified());
  EXPECT_EQ(window().windowTitle(), "Prasna - Sarvexa");
}

TEST_F(AppTest, SaveOpenAndTheRecentFileList) {
  start();
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();
  const QString path = workPath("first.svx");
  prompter_.nextSaveName = path;
  window().action(FileSave)->trigger();  // a new chart has no file yet: Save As
  EXPECT_TRUE(QFileInfo::exists(path));
  EXPECT_EQ(prompter_.lastSaveFilter, "Sarvexa Files (*.svx)");
  EXPECT_EQ(prompter_.lastSaveSuffix, "svx");
  EXPECT_TRUE(prompter_.lastProposedSaveName.endsWith("First Last.svx"));
  EXPECT_FALSE(doc().isModified());
  EXPECT_EQ(window().windowTitle(), "first.svx - Sarvexa");
  EXPECT_EQ(window().recentFiles(), QStringList({path}));
  const Horoscope saved = doc().horoscope();

  window().action(CurrentPrasna)->trigger();
  ASSERT_TRUE(doc().isPrasna());
  prompter_.nextOpenName = path;
  window().action(FileOpen)->trigger();
  EXPECT_FALSE(doc().isPrasna());
  EXPECT_EQ(doc().firstName(), "First");
  EXPECT_EQ(doc().horoscope().julianDay, saved.julianDay);
  EXPECT_NEAR(doc().horoscope().positions[2].longitude, saved.positions[2].longitude, 1e-9);
  EXPECT_EQ(window().windowTitle(), "first.svx - Sarvexa");

  // A second file goes to the top; the list survives a restart.
  const QString second = workPath("second.svx");
  prompter_.nextSaveName = second;
  window().action(FileSaveAs)->trigger();
  EXPECT_EQ(window().recentFiles(), QStringList({second, path}));
  start();
  EXPECT_EQ(window().recentFiles(), QStringList({second, path}));
  ASSERT_TRUE(window().recentFileActions().at(0)->isVisible());
  EXPECT_TRUE(window().recentFileActions().at(0)->text().contains("second.svx"));

  // Choosing an entry opens it.
  window().recentFileActions().at(1)->trigger();
  EXPECT_EQ(window().windowTitle(), "first.svx - Sarvexa");

  // A file that no longer exists is left out at the next start.
  QFile::remove(second);
  start();
  EXPECT_EQ(window().recentFiles(), QStringList({path}));
}

TEST_F(AppTest, TheRecentFileListKeepsFourEntries) {
  start();
  QStringList paths;
  for (int i = 0; i < 6; ++i) {
    paths.prepend(workPath(QStringLiteral("chart%1.svx").arg(i)));
    prompter_.nextSaveName = paths.front();
    window().action(FileSaveAs)->trigger();
  }
  EXPECT_EQ(window().recentFiles(), paths.mid(0, 4));
}

TEST_F(AppTest, SaveWritesStraightToTheOpenFile) {
  start();
  const QString path = workPath("kept.svx");
  prompter_.nextSaveName = path;
  window().action(FileSaveAs)->trigger();
  ASSERT_TRUE(QFileInfo::exists(path));
  prompter_.nextSaveName.clear();
  prompter_.lastProposedSaveName.clear();
  QFile::remove(path);
  window().action(FileSave)->trigger();
  EXPECT_TRUE(QFileInfo::exists(path));
  EXPECT_TRUE(prompter_.lastProposedSaveName.isEmpty());  // no file dialog
}

TEST_F(AppTest, AFileThatCannotBeReadIsReportedAndTheChartKept) {
  start();
  const QString path = workPath("broken.svx");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x04SRVX\x01");  // cut short after the tag
  }
  prompter_.nextOpenName = path;
  window().action(FileOpen)->trigger();
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages.front().contains("broken.svx"));
  EXPECT_TRUE(doc().isPrasna());
  EXPECT_EQ(window().windowTitle(), "Prasna - Sarvexa");
  EXPECT_TRUE(window().recentFiles().isEmpty());
}

TEST_F(AppTest, StartsOnTheChartFileNamedOnTheCommandLine) {
  start();
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();
  const QString path = workPath("cmdline.svx");
  prompter_.nextSaveName = path;
  window().action(FileSaveAs)->trigger();

  start({path});
  EXPECT_FALSE(doc().isPrasna());
  EXPECT_EQ(doc().firstName(), "First");
  EXPECT_EQ(window().windowTitle(), "cmdline.svx - Sarvexa");
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(AppTest, AnUnreadableCommandLineFileIsReportedAndAPrasnaShown) {
  start({workPath("missing.svx")});
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages.front().contains("missing.svx"));
  EXPECT_TRUE(doc().isPrasna());
  EXPECT_EQ(window().windowTitle(), "Prasna - Sarvexa");
}

// A pipe where a chart file was expected, on the command line or as a
// recent-file entry, is refused at once: the window opens, shows why and
// keeps (or casts) the Prasna.
TEST_F(AppTest, APipeNamedAsAChartFileIsRefusedWithoutHanging) {
  start();
  const QString path = workPath("pipe.svx");
  prompter_.nextSaveName = path;
  window().action(FileSaveAs)->trigger();  // enters the recent-file list
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  struct Case {
    const char* source;
    bool fromRecentList;
  };
  const Case kCases[] = {{"command line", false}, {"recent-file entry", true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    prompter_.messages.clear();
    if (c.fromRecentList) {
      start();
      ASSERT_EQ(window().recentFiles(), QStringList({path}));
      window().recentFileActions().at(0)->trigger();
    } else {
      start({path});
    }
    ASSERT_EQ(prompter_.messages.size(), 1);
    EXPECT_TRUE(prompter_.messages.front().contains("pipe"))
        << prompter_.messages.front().toStdString();
    EXPECT_TRUE(doc().isPrasna());
  }
}

// Saving and exporting over a file without write permission is refused and
// the file is kept as it was.
TEST_F(AppTest, WriteProtectedFilesAreNotReplaced) {
  start();
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();
  struct Case {
    const char* name;
    int command;
  };
  const Case kCases[] = {
      {"keep.svx", FileSaveAs}, {"keep.txt", ExportText}, {"keep.csv", ExportCsv}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const QString path = workPath(QString::fromLatin1(c.name));
    {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("kept");
    }
    ASSERT_TRUE(QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    prompter_.messages.clear();
    prompter_.nextSaveName = path;
    window().action(c.command)->trigger();
    ASSERT_EQ(prompter_.messages.size(), 1);
    EXPECT_TRUE(prompter_.messages.front().contains("write-protected"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("kept"));
  }
  EXPECT_TRUE(doc().isModified()) << "a refused save leaves the chart unsaved";
}

TEST_F(AppTest, ExportsProposeTheChartsNameAndWriteTheFile) {
  start();
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();

  const QString text = workPath("report.txt");
  prompter_.nextSaveName = text;
  window().action(ExportText)->trigger();
  EXPECT_TRUE(prompter_.lastProposedSaveName.endsWith("First Last.txt"));
  EXPECT_EQ(prompter_.lastSaveFilter, "Export Chart as Text (*.txt)");
  EXPECT_EQ(prompter_.lastSaveSuffix, "TXT");  // a bare name gets ".TXT"
  QFile t(text);
  ASSERT_TRUE(t.open(QIODevice::ReadOnly));
  EXPECT_TRUE(t.readAll().startsWith("First Last\r\n"));

  const QString csv = workPath("record.csv");
  prompter_.nextSaveName = csv;
  window().action(ExportCsv)->trigger();
  EXPECT_TRUE(prompter_.lastProposedSaveName.endsWith("First Last.csv"));
  EXPECT_EQ(prompter_.lastSaveFilter, "Export Chart as CSV (*.csv)");
  EXPECT_EQ(prompter_.lastSaveSuffix, "CSV");
  QFile c(csv);
  ASSERT_TRUE(c.open(QIODevice::ReadOnly));
  const QByteArray record = c.readAll();
  EXPECT_TRUE(record.startsWith("First,Last,03/07/1962,16:05,05:30,0,-73.84,18.52,Pune,,"));
  EXPECT_FALSE(record.contains('\n'));
  EXPECT_TRUE(prompter_.messages.isEmpty());

  // An export that cannot be written is reported, not skipped silently.
  prompter_.nextSaveName = workPath("no-such-folder/record.csv");
  window().action(ExportCsv)->trigger();
  EXPECT_EQ(prompter_.messages.size(), 1);
}

/// A handler that enters 5 E 30, 18 N 31, zone 5:30 in the location dialog.
std::function<int(QDialog&)> enterEastLocation() {
  return [](QDialog& dialog) {
    auto* d = qobject_cast<PrasnaLocationDialog*>(&dialog);
    EXPECT_NE(d, nullptr);
    if (!d) return int(QDialog::Rejected);
    edit(d->control(1019))->setText("Somewhere");
    edit(d->control(1020))->setText("5");
    edit(d->control(1023))->setText("30");
    radio(d->control(1022))->setChecked(true);
    edit(d->control(1024))->setText("18");
    edit(d->control(1027))->setText("31");
    edit(d->control(1011))->setText("5");
    edit(d->control(1029))->setText("30");
    d->accept();
    return d->result();
  };
}

TEST_F(AppTest, ThePrasnaLocationIsWrittenAndRecastsOnlyAPrasna) {
  start();
  bool defaultsShown = false;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    auto* d = qobject_cast<PrasnaLocationDialog*>(&dialog);
    EXPECT_NE(d, nullptr);
    if (d) {
      EXPECT_EQ(edit(d->control(1020))->text(), "122");
      EXPECT_EQ(edit(d->control(1023))->text(), "3");
      EXPECT_EQ(edit(d->control(1011))->text(), "8");
      EXPECT_TRUE(radio(d->control(1021))->isChecked());
      defaultsShown = true;
    }
    return enterEastLocation()(dialog);
  });
  window().action(SetPrasnaLocation)->trigger();
  EXPECT_TRUE(defaultsShown);
  EXPECT_EQ(storedSetting("Prasna Long"), "005 E 30");
  EXPECT_EQ(storedSetting("Prasna Lat"), "18 N 31");
  EXPECT_EQ(storedSetting("Prasna TZone"), "05 30");
  EXPECT_EQ(storedSetting("Prasna DST"), "00 00");
  EXPECT_EQ(storedSetting("Prasna Loc"), "Somewhere");
  // The Prasna shown is recast for the new place and stays unmodified.
  EXPECT_TRUE(doc().isPrasna());
  EXPECT_NEAR(doc().horoscope().longitude, -5.5, 1e-9);
  EXPECT_DOUBLE_EQ(doc().horoscope().zone, -5.5);
  EXPECT_FALSE(doc().isModified());
  EXPECT_EQ(doc().place(), "Somewhere");

  // A birth chart on screen is left as it is.
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();
  const double birthLongitude = doc().horoscope().longitude;
  prompter_.dialogs.push_back([](QDialog& dialog) {
    auto* d = qobject_cast<PrasnaLocationDialog*>(&dialog);
    if (!d) return int(QDialog::Rejected);
    edit(d->control(1020))->setText("100");
    d->accept();
    return d->result();
  });
  window().action(SetPrasnaLocation)->trigger();
  EXPECT_EQ(storedSetting("Prasna Long"), "100 E 30");
  EXPECT_FALSE(doc().isPrasna());
  EXPECT_DOUBLE_EQ(doc().horoscope().longitude, birthLongitude);
  EXPECT_EQ(window().windowTitle(), "First Last - Sarvexa");

  // The stored location is read at the next start.
  prompter_.saveAnswer = SaveAnswer::Discard;
  start();
  EXPECT_NEAR(doc().horoscope().longitude, -100.5, 1e-9);
}

TEST_F(AppTest, AModifiedPrasnaIsOfferedForSavingBeforeTheLocationChanges) {
  start();
  // Edit the Prasna: it stays a Prasna but is modified.
  prompter_.dialogs.push_back([](QDialog& dialog) {
    auto* d = qobject_cast<ChartDataDialog*>(&dialog);
    if (!d) return int(QDialog::Rejected);
    edit(d->control(1008))->setText("30");
    d->accept();
    return d->result();
  });
  window().action(EditChartData)->trigger();
  ASSERT_TRUE(doc().isPrasna());
  ASSERT_TRUE(doc().isModified());
  EXPECT_EQ(window().windowTitle(), "Prasna  - Sarvexa");
  const Horoscope edited = doc().horoscope();

  prompter_.saveAnswer = SaveAnswer::Cancel;
  const int shown = prompter_.dialogsShown;
  window().action(SetPrasnaLocation)->trigger();
  EXPECT_EQ(prompter_.saveQuestions, 1);
  EXPECT_EQ(prompter_.dialogsShown, shown);  // Cancel: no location dialog
  EXPECT_EQ(doc().horoscope().universalTime, edited.universalTime);
  EXPECT_TRUE(doc().isModified());

  prompter_.saveAnswer = SaveAnswer::Discard;
  prompter_.dialogs.push_back(enterEastLocation());
  window().action(SetPrasnaLocation)->trigger();
  EXPECT_EQ(prompter_.saveQuestions, 2);
  EXPECT_NEAR(doc().horoscope().longitude, -5.5, 1e-9);
  EXPECT_FALSE(doc().isModified());
}

TEST_F(AppTest, TransitsAtFirstUseProposeThePresentMomentOnTheTwelveHourClock) {
  clock_ = LocalClockReading{2024, 3, 15, 9, 15};
  start();
  bool checked = false;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    auto* d = qobject_cast<TransitDialog*>(&dialog);
    EXPECT_NE(d, nullptr);
    if (!d) return int(QDialog::Rejected);
    EXPECT_EQ(edit(d->control(1006))->text(), "9");
    EXPECT_EQ(edit(d->control(1008))->text(), "15");
    EXPECT_FALSE(radio(d->control(1009))->isChecked());  // neither AM nor PM
    EXPECT_FALSE(radio(d->control(1010))->isChecked());
    EXPECT_EQ(edit(d->control(1017))->text(), "15");
    EXPECT_EQ(edit(d->control(1018))->text(), "2024");
    EXPECT_EQ(qobject_cast<QComboBox*>(d->control(1016))->currentIndex(), 2);
    EXPECT_EQ(edit(d->control(1020))->text(), "122");  // the Prasna location
    EXPECT_EQ(edit(d->control(1012))->text(), "8");
    checked = true;
    return int(QDialog::Rejected);  // Cancel uses the values shown
  });
  window().action(ViewSaTransits)->trigger();
  EXPECT_TRUE(checked);
  EXPECT_EQ(window().chartView()->state().displayMode, DisplayMode::SaTransits);
  EXPECT_TRUE(window().action(ViewSaTransits)->isChecked());
  const TransitChoice present{15, 2, 2024, 9, 15, DefaultPrasnaPlace()};
  const Horoscope expected = TransitHoroscope(present).value();
  EXPECT_EQ(doc().transitHoroscope().julianDay, expected.julianDay);
  EXPECT_DOUBLE_EQ(doc().transitHoroscope().universalTime, expected.universalTime);
  EXPECT_DOUBLE_EQ(doc().transitHoroscope().positions[2].longitude,
                   expected.positions[2].longitude);
  EXPECT_FALSE(doc().transitFirstUse());
  // Cancel stored nothing: the next use starts from the empty choice.
  EXPECT_EQ(doc().transitChoice(), TransitChoice{});
}

TEST_F(AppTest, TransitsAfterOkStartFromTheAcceptedValues) {
  clock_ = LocalClockReading{2024, 3, 15, 14, 7};
  start();
  prompter_.dialogs.push_back([](QDialog& dialog) {
    auto* d = qobject_cast<TransitDialog*>(&dialog);
    if (!d) return int(QDialog::Rejected);
    EXPECT_EQ(edit(d->control(1006))->text(), "2");
    EXPECT_TRUE(radio(d->control(1010))->isChecked());
    edit(d->control(1020))->setText("77");
    edit(d->control(1023))->setText("13");
    radio(d->control(1022))->setChecked(true);
    d->accept();
    return d->result();
  });
  window().action(ViewSaTransits)->trigger();
  const TransitChoice stored = doc().transitChoice();
  EXPECT_EQ(stored.hour, 14);
  EXPECT_EQ(ToSignedPlace(stored.where).lonDegrees, -77);
  EXPECT_EQ(ToSignedPlace(stored.where).lonMinutes, -13);
  EXPECT_EQ(ToSignedPlace(stored.where).zoneHours, -8);  // East signs the zone too
  EXPECT_TRUE(stored.where.isEast);
  bool reopened = false;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    auto* d = qobject_cast<TransitDialog*>(&dialog);
    if (!d) return int(QDialog::Rejected);
    EXPECT_EQ(edit(d->control(1020))->text(), "77");
    EXPECT_TRUE(radio(d->control(1022))->isChecked());
    reopened = true;
    return int(QDialog::Rejected);
  });
  window().action(ViewSaTransits)->trigger();
  EXPECT_TRUE(reopened);
  EXPECT_NEAR(doc().transitHoroscope().longitude, -(77 + 13 / 60.0), 1e-9);
}

TEST_F(AppTest, EphemerisFirstUseProposesTodayAndCancelStartsAtTheChart) {
  start();
  bool checked = false;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    auto* d = qobject_cast<EphemerisDialog*>(&dialog);
    EXPECT_NE(d, nullptr);
    if (!d) return int(QDialog::Rejected);
    EXPECT_EQ(d->findChild<QLineEdit*>("day")->text(), "15");
    EXPECT_EQ(d->findChild<QLineEdit*>("year")->text(), "2024");
    EXPECT_EQ(d->findChild<QComboBox*>("monthIndex")->currentIndex(), 2);
    EXPECT_TRUE(d->findChild<QRadioButton*>("daily")->isChecked());
    checked = true;
    return int(QDialog::Rejected);
  });
  window().action(ViewEphemeris)->trigger();
  EXPECT_TRUE(checked);
  EXPECT_EQ(window().chartView()->state().displayMode, DisplayMode::Ephemeris);
  EXPECT_EQ(window().chartView()->state().ephemerisStartDay, 0);
  EXPECT_EQ(window().chartView()->state().ephemerisInterval, EphemerisInterval::Daily);
  EXPECT_TRUE(window().action(ViewEphemeris)->isChecked());

  // OK stores the choice and starts the page on that date.
  prompter_.dialogs.push_back([](QDialog& dialog) {
    auto* d = qobject_cast<EphemerisDialog*>(&dialog);
    if (!d) return int(QDialog::Rejected);
    d->setValues(EphemerisDialogValues{31, 0, 2001, EphemerisInterval::Monthly});
    d->accept();
    return d->result();
  });
  window().action(ViewEphemeris)->trigger();
  EXPECT_EQ(window().chartView()->state().ephemerisStartDay, DayNumberFromDate(2001, 1, 31));
  EXPECT_EQ(window().chartView()->state().ephemerisInterval, EphemerisInterval::Monthly);

  // The next use proposes the confirmed values; Cancel keeps the interval.
  bool reopened = false;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    auto* d = qobject_cast<EphemerisDialog*>(&dialog);
    if (!d) return int(QDialog::Rejected);
    EXPECT_EQ(d->findChild<QLineEdit*>("day")->text(), "31");
    EXPECT_TRUE(d->findChild<QRadioButton*>("monthly")->isChecked());
    reopened = true;
    return int(QDialog::Rejected);
  });
  window().action(ViewEphemeris)->trigger();
  EXPECT_TRUE(reopened);
  EXPECT_EQ(window().chartView()->state().ephemerisStartDay, 0);
  EXPECT_EQ(window().chartView()->state().ephemerisInterval, EphemerisInterval::Monthly);
}

TEST_F(AppTest, ClosingAModifiedChartAsksAndCancelKeepsTheWindow) {
  start();
  window().show();
  prompter_.dialogs.push_back(enterValidChart());
  window().action(FileNew)->trigger();
  prompter_.saveAnswer = SaveAnswer::Cancel;
  EXPECT_FALSE(window().close());
  EXPECT_TRUE(window().isVisible());
  prompter_.saveAnswer = SaveAnswer::Discard;
  EXPECT_TRUE(window().close());
  EXPECT_EQ(prompter_.saveQuestions, 2);
}

}  // namespace
}  // namespace sarvexa::test
