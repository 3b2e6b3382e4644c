// The window itself: start-up, the menu and toolbar, the View commands and
// their check marks, the persisted display settings, status bar, printing,
// About and help.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include "app/about_dialog.h"
#include "app/chart_view.h"
#include "app/commands.h"
#include "app/help_window.h"
#include "app/lock_indicators.h"
#include "app/qsettings_store.h"
#include "app_fixture.h"
#include "document/chart_document.h"
#include "sarvexa_version.h"

namespace sarvexa::test {
namespace {

using namespace command;

QStringList menuTexts(const QMenu* menu) {
  QStringList texts;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator())
      texts << "-";
    else if (a->menu())
      texts << a->text() + ">";
    else if (a->isVisible())
      texts << a->text();
  }
  return texts;
}

QMenu* subMenu(QMenuBar* bar, const QString& title) {
  for (QAction* a : bar->actions())
    if (a->text() == title) return a->menu();
  return nullptr;
}

TEST_F(AppTest, StartsOnAPrasnaAtTheDefaultLocation) {
  start();
  EXPECT_EQ(window().windowTitle(), "Prasna - Sarvexa");
  EXPECT_TRUE(doc().isPrasna());
  EXPECT_FALSE(doc().isModified());
  EXPECT_EQ(doc().firstName(), "Prasna");
  const Horoscope& h = doc().horoscope();
  EXPECT_NEAR(h.longitude, 122.0 + 3.0 / 60.0, 1e-9);  // 122 W 03
  EXPECT_NEAR(h.latitude, 37.0 + 54.0 / 60.0, 1e-9);   // 37 N 54
  EXPECT_DOUBLE_EQ(h.zone, 8.0);
  EXPECT_EQ(h.dst, 0);
  // The clock reading 14:07 at zone 8 west is 22:07 Universal Time.
  EXPECT_NEAR(h.universalTime, 14.0 + 7.0 / 60.0 + 8.0, 1e-9);
  EXPECT_EQ(window().chartView()->state().displayMode, DisplayMode::Chart);
  EXPECT_TRUE(window().action(ViewChart)->isChecked());
  // The first start: Fit Page, with the page's 12-unit text 12 px high, or
  // as large as the screen allows.
  window().show();
  QApplication::processEvents();
  EXPECT_TRUE(window().chartView()->fitPage());
  EXPECT_TRUE(window().action(ViewFitPage)->isChecked());
  const QSize screen = window().screen()->availableGeometry().size();
  EXPECT_TRUE(window().chartView()->pageScale() >= 0.999 || window().width() >= screen.width() ||
              window().height() >= screen.height())
      << window().chartView()->pageScale();
}

TEST_F(AppTest, MenusHoldEveryItemInOrder) {
  start();
  QMenuBar* bar = window().menuBar();
  QStringList top;
  for (QAction* a : bar->actions()) top << a->text();
  EXPECT_EQ(top, QStringList({"&File", "&Edit", "&View", "&Help"}));

  EXPECT_EQ(menuTexts(subMenu(bar, "&File")),
            QStringList({"&New", "&Open...", "&Save", "Save &As...", "-", "&Export>", "&Print...",
                         "Print Pre&view", "P&rint Setup...", "-", "Recent File", "-",
                         "&Current Prasna", "E&xit"}));
  EXPECT_EQ(
      menuTexts(subMenu(bar, "&Edit")),
      QStringList({"&Chart Data", "&Set Prasna Location",
                   QString::fromUtf8("C&alculation Settings\u2026"), "-", "Birth Time &Earlier",
                   "Birth Time &Later", "Birth Time S&tep>", "&Reset Birth Time"}));
  EXPECT_EQ(
      menuTexts(subMenu(bar, "&View")),
      QStringList({"&Toolbar", "&Status Bar", "-", "&Chart", "&Dashas>", "Di&visional Charts",
                   "&Ephemeris", "SA &Analysis", "SA T&ransits", "&Birth-Time Sensitivity", "-",
                   "Chart Style>", "Color Charts>", "-", "Zoom &In", "Zoom &Out", "&Fit Page"}));
  EXPECT_EQ(menuTexts(subMenu(bar, "&Help")),
            QStringList({"&Contents and Index", "&About Sarvexa"}));
}

// The letter after "&" picks an item with Alt or in an open menu; two items
// of one menu with the same letter only take turns, so each is unique there.
TEST_F(AppTest, NoTwoItemsOfAMenuShareTheirMnemonic) {
  start();
  std::vector<const QMenu*> menus;
  for (QAction* a : window().menuBar()->actions()) menus.push_back(a->menu());
  for (std::size_t i = 0; i < menus.size(); ++i) {
    QHash<QChar, QString> taken;
    for (QAction* a : menus[i]->actions()) {
      if (a->menu()) menus.push_back(a->menu());
      const qsizetype amp = a->text().indexOf('&');
      if (a->isSeparator() || amp < 0 || amp + 1 >= a->text().size()) continue;
      const QChar key = a->text().at(amp + 1).toLower();
      EXPECT_FALSE(taken.contains(key))
          << menus[i]->title().toStdString() << ": " << taken.value(key).toStdString() << " and "
          << a->text().toStdString();
      taken.insert(key, a->text());
    }
  }
  EXPECT_GE(menus.size(), 9u);  // the bar's four, Export, Step, Dashas, Pratyantar, ...
}

TEST_F(AppTest, EveryCommandHasItsTextAcceleratorAndPrompt) {
  start();
  // Expected texts and prompts come from the command table; the window must
  // show them split into text, shortcut, status tip and tooltip.
  for (const CommandInfo& c : Commands()) {
    SCOPED_TRACE(c.text);
    QAction* a = window().action(c.id);
    ASSERT_NE(a, nullptr);
    const QStringList parts = QString::fromUtf8(c.text).split('\t');
    EXPECT_EQ(a->text(), parts.front());
    EXPECT_EQ(a->shortcut(), parts.size() > 1 ? QKeySequence(parts.at(1)) : QKeySequence());
    EXPECT_EQ(a->statusTip(), QString::fromUtf8(c.prompt).section('\n', 0, 0));
  }
  EXPECT_EQ(window().action(FileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(window().action(FilePrint)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  EXPECT_EQ(window().action(ExportCsv)->statusTip(),
            "Exports chart as a comma separated value (.csv) file. ");
  EXPECT_EQ(window().action(HelpAbout)->toolTip(), "About");
}

TEST_F(AppTest, ToolbarHoldsNewOpenSaveThenTheBirthTimeThenPrintAndAbout) {
  start();
  QStringList seen;
  for (QAction* a : window().toolBar()->actions())
    seen << (a->isSeparator() ? QStringLiteral("-") : a->data().toString());
  EXPECT_EQ(seen, QStringList({QString::number(FileNew), QString::number(FileOpen),
                               QString::number(FileSave), "-", QString::number(BirthTimeEarlier),
                               QString::number(BirthTimeLater), "-", QString::number(FilePrint),
                               QString::number(HelpAbout)}));
  for (QAction* a : window().toolBar()->actions())
    if (!a->isSeparator()) {
      EXPECT_FALSE(a->icon().isNull());
    }
}

TEST_F(AppTest, OnlyAboutAndTheBirthTimeButtonsShowATooltip) {
  start();
  window().show();
  // (Those without one first: a tooltip hidden a moment ago still says its text.)
  const std::pair<int, QString> buttons[] = {{FileNew, ""},
                                             {FileOpen, ""},
                                             {FileSave, ""},
                                             {FilePrint, ""},
                                             {BirthTimeEarlier, "Birth Time Earlier (F7)"},
                                             {BirthTimeLater, "Birth Time Later (F8)"},
                                             {HelpAbout, "About"}};
  for (const auto& [id, tip] : buttons) {
    SCOPED_TRACE(id);
    QToolTip::hideText();
    QWidget* button = window().toolBar()->widgetForAction(window().action(id));
    ASSERT_NE(button, nullptr);
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(button, &help);
    EXPECT_EQ(QToolTip::text(), tip);
  }
  QToolTip::hideText();
}

TEST_F(AppTest, ToolbarAndStatusBarToggle) {
  start();
  window().show();
  QAction* toolbar = window().action(ViewToolbar);
  QAction* status = window().action(ViewStatusBar);
  EXPECT_TRUE(toolbar->isChecked());
  EXPECT_TRUE(status->isChecked());
  toolbar->trigger();
  EXPECT_FALSE(toolbar->isChecked());
  EXPECT_TRUE(window().toolBar()->isHidden());
  status->trigger();
  EXPECT_TRUE(window().statusBar()->isHidden());
  toolbar->trigger();
  status->trigger();
  EXPECT_FALSE(window().toolBar()->isHidden());
  EXPECT_FALSE(window().statusBar()->isHidden());
}

TEST_F(AppTest, StatusBarShowsReadyAndTheLockStates) {
  start();
  EXPECT_EQ(window().statusBar()->currentMessage(), "Ready");
  window().statusBar()->showMessage(window().action(FileNew)->statusTip());
  EXPECT_EQ(window().statusBar()->currentMessage(), "Enter data for a new horoscope.");
  window().statusBar()->clearMessage();
  EXPECT_EQ(window().statusBar()->currentMessage(), "Ready");

  LockIndicators& locks = window().lockIndicators();
  locks.show({true, false, true});
  EXPECT_EQ(locks.text(0), "CAP");
  EXPECT_EQ(locks.text(1), "");
  EXPECT_EQ(locks.text(2), "SCRL");
  locks.show({false, true, false});
  EXPECT_EQ(locks.text(0), "");
  EXPECT_EQ(locks.text(1), "NUM");
  EXPECT_EQ(locks.text(2), "");
}

// One row per page command: the mode it selects and the item checked.
struct PageCommand {
  int id;
  DisplayMode mode;
};
constexpr PageCommand kPages[] = {
    {ViewSensitivity, DisplayMode::Sensitivity},
    {ViewMahaBukti, DisplayMode::MahaBukti},
    {ViewDivisional, DisplayMode::Divisional},
    {ViewSaAnalysis, DisplayMode::SaAnalysis},
    {ViewChart, DisplayMode::Chart},
};

TEST_F(AppTest, ViewCommandsSelectTheirPageAndCheckOnlyTheirItem) {
  start();
  const int pageItems[] = {ViewChart,      ViewMahaBukti,  ViewDivisional, ViewEphemeris,
                           ViewSaAnalysis, ViewSaTransits, ViewSensitivity};
  for (const PageCommand& page : kPages) {
    SCOPED_TRACE(page.id);
    window().action(page.id)->trigger();
    EXPECT_EQ(window().chartView()->state().displayMode, page.mode);
    for (int item : pageItems) EXPECT_EQ(window().action(item)->isChecked(), item == page.id);
  }
}

TEST_F(AppTest, PratyantarItemsSetTheLordAndAreNeverChecked) {
  start();
  for (int lord = 0; lord <= 8; ++lord) {
    SCOPED_TRACE(lord);
    window().action(PratyantarFirst + lord)->trigger();
    EXPECT_EQ(window().chartView()->state().displayMode, DisplayMode::Pratyantar);
    EXPECT_EQ(window().chartView()->state().pratyantarLord, lord);
    EXPECT_FALSE(window().action(PratyantarFirst + lord)->isChecked());
    EXPECT_FALSE(window().action(ViewMahaBukti)->isChecked());
    EXPECT_FALSE(window().action(ViewChart)->isChecked());
  }
}

TEST_F(AppTest, FirstRunDrawsSouthIndianWithNoStyleChecked) {
  start();
  EXPECT_EQ(doc().chartStyle(), ChartStyle::None);
  EXPECT_FALSE(window().action(StyleNorth)->isChecked());
  EXPECT_FALSE(window().action(StyleSouth)->isChecked());
  EXPECT_TRUE(window().action(ColorOff)->isChecked());
  EXPECT_FALSE(window().action(ColorOn)->isChecked());
}

TEST_F(AppTest, StyleAndColourPersistAcrossARestart) {
  struct Row {
    int styleCommand;
    int colourCommand;
    int style;
    int colour;
  };
  const Row rows[] = {
      {StyleSouth, ColorOn, 2, 1}, {StyleNorth, ColorOff, 1, 0}, {StyleNorth, ColorOn, 1, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.styleCommand);
    start();
    window().action(row.styleCommand)->trigger();
    window().action(row.colourCommand)->trigger();
    EXPECT_TRUE(window().action(row.styleCommand)->isChecked());
    stop();
    EXPECT_EQ(storedSetting("Chart Style"), QString::number(row.style));
    EXPECT_EQ(storedSetting("Color Chart"), QString::number(row.colour));
    start();
    EXPECT_EQ(ChartStyleSetting(doc().chartStyle()), row.style);
    EXPECT_EQ(window().action(StyleNorth)->isChecked(), row.style == 1);
    EXPECT_EQ(window().action(StyleSouth)->isChecked(), row.style == 2);
    EXPECT_EQ(window().action(ColorOn)->isChecked(), row.colour == 1);
    EXPECT_EQ(window().action(ColorOff)->isChecked(), row.colour == 0);
  }
}

TEST_F(AppTest, AStoredStyleOutsideItsValuesChecksNeither) {
  storeSetting("Chart Style", 5);
  start();
  EXPECT_EQ(doc().chartStyle(), ChartStyle::None);
  EXPECT_FALSE(window().action(StyleNorth)->isChecked());
  EXPECT_FALSE(window().action(StyleSouth)->isChecked());
}

int pdfPageCount(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  // Page objects, not the page tree ("/Type /Pages").
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s])"));
  int count = 0;
  auto it = page.globalMatch(QString::fromLatin1(bytes));
  while (it.hasNext()) {
    it.next();
    ++count;
  }
  return count;
}

TEST_F(AppTest, PrintingEveryPageToAPdfGivesOneSheet) {
  start();
  // Ephemeris and SA transits open their dialogs first; the scripted
  // prompter cancels them, which still shows the page.
  const int commands[] = {ViewChart,      ViewMahaBukti,       ViewDivisional, ViewEphemeris,
                          ViewSaAnalysis, PratyantarFirst + 8, ViewSaTransits, ViewSensitivity};
  for (int id : commands) {
    SCOPED_TRACE(id);
    window().action(id)->trigger();
    const QString path = workPath(QStringLiteral("page-%1.pdf").arg(id));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    EXPECT_TRUE(window().printTo(printer));
    EXPECT_EQ(pdfPageCount(path), 1);
  }
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(AppTest, FilePrintToAFileGivesOnePdfSheet) {
  start();
  window().action(ViewMahaBukti)->trigger();
  const QString path = workPath(QStringLiteral("printed.pdf"));
  window().printer().setOutputFormat(QPrinter::PdfFormat);
  window().printer().setOutputFileName(path);
  bool asked = false;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    asked = qobject_cast<QPrintDialog*>(&dialog) != nullptr;
    return int(QDialog::Accepted);
  });
  window().action(FilePrint)->trigger();
  EXPECT_TRUE(asked);
  EXPECT_EQ(pdfPageCount(path), 1);

  // Cancelling the print dialog prints nothing.
  QFile::remove(path);
  window().action(FilePrint)->trigger();
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(AppTest, PrintPreviewShowsOneSheetOfTheCurrentPage) {
  start();
  window().action(ViewSaAnalysis)->trigger();
  int pages = -1;
  prompter_.dialogs.push_back([&](QDialog& dialog) {
    EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(&dialog), nullptr);
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) {
      widget->updatePreview();
      pages = widget->pageCount();
    }
    return int(QDialog::Rejected);
  });
  window().action(FilePrintPreview)->trigger();
  EXPECT_EQ(pages, 1);
}

TEST_F(AppTest, TheScreenPageIsDrawnAndScalesWithTheWindow) {
  start();
  const QImage small = window().chartView()->renderScreen(QSize(512, 400));
  const QImage large = window().chartView()->renderScreen(QSize(1024, 800));
  auto inked = [](const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
  };
  const int a = inked(small);
  const int b = inked(large);
  EXPECT_GT(a, 500);  // charts and text were drawn
  EXPECT_GT(b, a);    // twice the size: more ink
}

TEST_F(AppTest, AboutShowsTheVersion) {
  start();
  bool seen = false;
  prompter_.dialogs.push_back([&](QDialog& d) {
    auto* about = qobject_cast<AboutDialog*>(&d);
    EXPECT_NE(about, nullptr);
    if (about) {
      auto* version = about->findChild<QLabel*>("version");
      EXPECT_NE(version, nullptr);
      if (version) {
        EXPECT_EQ(version->text(), "Version " SARVEXA_VERSION);
      }
      auto* licence = about->findChild<QLabel*>("licence");
      EXPECT_TRUE(licence && licence->text().contains("GPL-3.0-or-later"));
      EXPECT_TRUE(about->windowTitle().isEmpty());
      seen = true;
    }
    return int(QDialog::Accepted);
  });
  window().action(HelpAbout)->trigger();
  EXPECT_TRUE(seen);
}

TEST_F(AppTest, HelpOpensTheProgramsOwnHelp) {
  start();
  window().action(HelpContents)->trigger();
  auto* help = window().findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  const QString text = help->browser()->toPlainText();
  EXPECT_TRUE(text.contains("Chart Data"));
  EXPECT_TRUE(text.contains("Set Prasna Location"));
  EXPECT_TRUE(text.contains("Ephemeris"));
  // A second use shows the same window.
  window().action(HelpContents)->trigger();
  EXPECT_EQ(window().findChildren<HelpWindow*>().size(), 1);
}

TEST_F(AppTest, TheAcceleratorKeysRunTheirCommands) {
  start();
  window().show();
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  // Ctrl+N opens "Chart Data" (cancelled here), Ctrl+O the open dialog,
  // Ctrl+S the save dialog of a chart that is no file yet, Ctrl+P the print
  // dialog.
  QStringList captions;
  prompter_.dialogs.push_back([&](QDialog& d) {
    captions << d.windowTitle();
    return int(QDialog::Rejected);
  });
  prompter_.dialogs.push_back([&](QDialog& d) {
    captions << d.windowTitle();
    return int(QDialog::Rejected);
  });
  QTest::keyClick(window().chartView(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(captions, QStringList({"Chart Data"}));
  QTest::keyClick(window().chartView(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(prompter_.lastSaveFilter, "Sarvexa Files (*.svx)");
  QTest::keyClick(window().chartView(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(prompter_.dialogsShown, 2);
  EXPECT_EQ(captions.size(), 2);
}

// Edit > Calculation Settings: OK casts the Prasna again under the choice
// at once (its birth data kept) and stores the four keys; a later start
// takes them, and a stored value it cannot take is told once, naming its
// key, the default taken instead.
TEST_F(AppTest, CalculationSettingsRecastAtOnceAndPersist) {
  start();
  const Horoscope before = doc().horoscope();
  prompter_.dialogs.push_back([](QDialog& d) {
    d.findChild<QComboBox*>(QStringLiteral("ephemeris"))->setCurrentIndex(1);
    d.findChild<QComboBox*>(QStringLiteral("ayanamsa"))->setCurrentIndex(2);
    d.findChild<QComboBox*>(QStringLiteral("node"))->setCurrentIndex(1);
    d.findChild<QComboBox*>(QStringLiteral("dashaYear"))->setEditText(QStringLiteral("360"));
    d.accept();
    return d.result();
  });
  window().action(CalculationSettings)->trigger();
  const Conventions chosen{EphemerisKind::Swiss, Ayanamsa::Raman, NodeKind::Mean, 360.0};
  EXPECT_EQ(doc().conventions(), chosen);
  EXPECT_EQ(doc().snapshot().context.conventions, chosen);
  EXPECT_EQ(doc().horoscope().julianCenturies, before.julianCenturies);
  // Raman's ayanamsa lies about a degree and a half below Lahiri's.
  EXPECT_GT(before.ayanamsaCorrection - doc().horoscope().ayanamsaCorrection, -2.0);
  EXPECT_LT(before.ayanamsaCorrection - doc().horoscope().ayanamsaCorrection, -1.0);
  EXPECT_TRUE(prompter_.messages.isEmpty()) << prompter_.messages.join(' ').toStdString();
  stop();
  EXPECT_EQ(storedSetting("Ephemeris"), "swiss");
  EXPECT_EQ(storedSetting("Ayanamsa"), "raman");
  EXPECT_EQ(storedSetting("Node"), "mean");
  EXPECT_EQ(storedSetting("Dasha Year"), "360");

  storeSetting("Ayanamsa", "ramen");
  start();
  EXPECT_EQ(doc().conventions().ayanamsa, Ayanamsa::Lahiri);
  EXPECT_EQ(doc().conventions().node, NodeKind::Mean);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages[0].contains("\"Ayanamsa\""))
      << prompter_.messages[0].toStdString();
}

// The Prasna at start cannot be cast (the stored Swiss Ephemeris cannot
// be used): the page stays blank and what needs a chart waits for one,
// until a chart is cast.
TEST_F(AppTest, WithoutAChartThePageIsBlankAndItsCommandsWait) {
  storeSetting("Ephemeris", "swiss");
  QSettingsStore store;
  ChartDocument document(store,
                         [this] { return PrasnaInstantOf(PrasnaLocation{}, clock_, nullptr); });
  MainWindow w(document, store, prompter_);  // no theory for the Swiss Ephemeris
  w.startUp({});
  ASSERT_FALSE(document.hasChart());
  EXPECT_EQ(prompter_.messages.size(), 1);  // why the Prasna was not cast
  // What a chart is needed for; New, Open, Current Prasna and the
  // settings stay enabled.
  const int kNeedChart[] = {FileSave,       FileSaveAs,       ExportText,    ExportCsv,
                            FilePrint,      FilePrintPreview, EditChartData, BirthTimeEarlier,
                            BirthTimeLater, ViewSaTransits};
  const auto expectEnabled = [&](bool hasChart) {
    for (int id : kNeedChart)
      EXPECT_EQ(w.action(id)->isEnabled(), hasChart) << FindCommand(id)->text;
    EXPECT_TRUE(w.action(FileNew)->isEnabled());
  };
  expectEnabled(false);
  w.action(ViewSensitivity)->trigger();
  EXPECT_EQ(w.chartView()->sensitivity(), nullptr);
  QImage blank(300, 200, QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(w.chartView()->renderScreen(blank.size()).convertToFormat(QImage::Format_RGB32), blank);

  prompter_.dialogs.push_back([](QDialog& d) {
    d.findChild<QComboBox*>(QStringLiteral("ephemeris"))->setCurrentIndex(0);  // built-in
    d.accept();
    return d.result();
  });
  w.action(CalculationSettings)->trigger();
  ASSERT_TRUE(document.isPrasna());
  expectEnabled(true);
  EXPECT_NE(w.chartView()->renderScreen(blank.size()).convertToFormat(QImage::Format_RGB32), blank);
}

}  // namespace
}  // namespace sarvexa::test
