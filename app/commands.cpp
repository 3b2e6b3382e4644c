#include "app/commands.h"

#include <QAction>
#include <array>

namespace sarvexa {

namespace {
using namespace command;
constexpr std::array<CommandInfo, 49> kCommands = {{
    {FileNew, "&New\tCtrl+N", "Enter data for a new horoscope."},
    {FileOpen, "&Open...\tCtrl+O", "Open an existing horoscope file."},
    {FileSave, "&Save\tCtrl+S", "Save the horoscope."},
    {FileSaveAs, "Save &As...", "Save the horoscope under a new name."},
    {ExportText, "Chart As &Text", "Exports the chart as a text (.txt) file."},
    {ExportCsv, "Chart As &CSV File", "Exports chart as a comma separated value (.csv) file. "},
    {FilePrint, "&Print...\tCtrl+P", "Print the current horoscope view."},
    {FilePrintPreview, "Print Pre&view", "Display full pages\nPrint Preview"},
    {FilePrintSetup, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
    {RecentFile, "Recent File", "Open this document"},
    {CurrentPrasna, "&Current Prasna", "Calculate the current transits."},
    {AppExit, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {EditChartData, "&Chart Data", "Edit current chart data."},
    {SetPrasnaLocation, "&Set Prasna Location", "Set the Prasna location."},
    {BirthTimeEarlier, "Birth Time &Earlier\tF7",
     "Move the birth time earlier by the chosen step.\nBirth Time Earlier (F7)"},
    {BirthTimeLater, "Birth Time &Later\tF8",
     "Move the birth time later by the chosen step.\nBirth Time Later (F8)"},
    {BirthStepFirst + 0, "1 &Minute", "Step the birth time by one minute."},
    {BirthStepFirst + 1, "&5 Minutes", "Step the birth time by five minutes."},
    {BirthStepFirst + 2, "1 &Hour", "Step the birth time by one hour."},
    {BirthStepFirst + 3, "1 &Day", "Step the birth time by one day."},
    {BirthTimeReset, "&Reset Birth Time", "Return to the birth time as entered."},
    {CalculationSettings, "C&alculation Settings\u2026",
     "Choose the ephemeris, the ayanamsa, the node and the dasha year."},
    {ViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {ViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
    {ViewChart, "&Chart", "View the current horoscope."},
    {ViewMahaBukti, "&Maha/Bukti", "Display maha dashas and bhuktis for the horoscope."},
    {PratyantarFirst + 0, "&Ketu", ""},
    {PratyantarFirst + 1, "&Venus", ""},
    {PratyantarFirst + 2, "&Sun", ""},
    {PratyantarFirst + 3, "&Moon", ""},
    {PratyantarFirst + 4, "M&ars", ""},
    {PratyantarFirst + 5, "&Rahu", ""},
    {PratyantarFirst + 6, "&Jupiter", ""},
    {PratyantarFirst + 7, "Sa&turn", ""},
    {PratyantarFirst + 8, "M&ercury", ""},
    {ViewDivisional, "Di&visional Charts", "View the divisional charts."},
    {ViewEphemeris, "&Ephemeris", "Display planetary positions for a given range of time."},
    {ViewSaAnalysis, "SA &Analysis", "Display System's Approach analysis of the horoscope."},
    {ViewSaTransits, "SA T&ransits", "Display SA transit information"},
    {ViewSensitivity, "&Birth-Time Sensitivity",
     "Show which placements a few minutes of birth time would change."},
    {StyleNorth, "North Indian", ""},
    {StyleSouth, "South Indian", ""},
    {ColorOff, "Off", ""},
    {ColorOn, "On", ""},
    {ViewZoomIn, "Zoom &In\tCtrl++", "Enlarge the page."},
    {ViewZoomOut, "Zoom &Out\tCtrl+-", "Reduce the page."},
    {ViewFitPage, "&Fit Page\tCtrl+0", "Show the whole page in the window."},
    {HelpContents, "&Contents and Index", "Help contents and index."},
    {HelpAbout, "&About Sarvexa",
     "Display program information, version number and copyright\nAbout"},
}};
}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& c : Commands())
    if (c.id == id) return &c;
  return nullptr;
}

QAction* MakeCommandAction(int id, QObject* parent) {
  const CommandInfo* info = FindCommand(id);
  auto* a = new QAction(parent);
  const QString text = QString::fromUtf8(info->text);
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  a->setText(tab < 0 ? text : text.left(tab));
  if (tab >= 0) a->setShortcut(QKeySequence(text.mid(tab + 1)));
  // Ctrl+= is Ctrl++ without Shift on most keyboards.
  if (id == command::ViewZoomIn)
    a->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
  const QString prompt = QString::fromUtf8(info->prompt);
  const qsizetype nl = prompt.indexOf(QLatin1Char('\n'));
  a->setStatusTip(nl < 0 ? prompt : prompt.left(nl));
  if (nl >= 0) a->setToolTip(prompt.mid(nl + 1));
  a->setData(id);
  return a;
}

}  // namespace sarvexa
