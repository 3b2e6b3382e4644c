#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/about_dialog.h"
#include "app/birth_time_commands.h"
#include "app/calculation_settings_dialog.h"
#include "app/chart_data_dialog.h"
#include "app/chart_view.h"
#include "app/commands.h"
#include "app/help_window.h"
#include "app/icons.h"
#include "app/lock_indicators.h"
#include "app/prasna_location_dialog.h"
#include "app/prompter.h"
#include "app/qsettings_store.h"
#include "app/transit_dialog.h"
#include "atlas/system_atlas.h"
#include "document/chart_document.h"
#include "document/csv_export.h"
#include "document/export_file.h"
#include "document/settings.h"
#include "document/text_export.h"

namespace sarvexa {

namespace {
const QString kAppTitle = QStringLiteral("Sarvexa");
const QString kChartFilter = QStringLiteral("Sarvexa Files (*.svx)");

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A failed open or save is shown as what failed, then why.
QString Cannot(const char* verb, const QString& path, const QString& reason) {
  return QStringLiteral("Cannot %1 %2.\n%3").arg(QLatin1String(verb), path, reason);
}

/// The page commands with a check mark, and the page each shows.
constexpr std::pair<int, DisplayMode> kPageCommands[] = {
    {command::ViewChart, DisplayMode::Chart},
    {command::ViewMahaBukti, DisplayMode::MahaBukti},
    {command::ViewDivisional, DisplayMode::Divisional},
    {command::ViewEphemeris, DisplayMode::Ephemeris},
    {command::ViewSaAnalysis, DisplayMode::SaAnalysis},
    {command::ViewSaTransits, DisplayMode::SaTransits},
    {command::ViewSensitivity, DisplayMode::Sensitivity}};

/// Height in pixels of a page's 12-unit text at the first start, and the
/// least it may shrink to with the window.
constexpr double kReadableTextPx = 12.0;
constexpr double kLeastTextPx = 8.0;

}  // namespace

MainWindow::MainWindow(ChartDocument& document, QSettingsStore& store, UiPrompter& prompter,
                       QWidget* parent)
    : QMainWindow(parent), document_(document), store_(store), prompter_(prompter) {
  // A window without an icon of its own shows the program's; reading the
  // images again would only slow the opening.
  if (QApplication::windowIcon().isNull()) setWindowIcon(AppIcon());
  // Creating the atlas reads nothing; a Prasna location from the atlas has
  // its zone looked up when a Prasna is cast.
  document_.setAtlas(atlas());
  view_ = new ChartView(document_, this);
  // The page fills the window at Fit Page; zoomed larger, it asks for more
  // room than the window has and the scroll bars appear.
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setBackgroundRole(QPalette::Base);
  scroll->setWidget(view_);
  setCentralWidget(scroll);
  buildActions();
  buildMenus();
  buildToolBar();
  buildStatusBar();
  updateChecks();
  updateTitle();
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  document_.setAtlas(nullptr);  // the atlas goes with the window
}

QAction* MainWindow::makeAction(int id) {
  QAction* a = MakeCommandAction(id, this);
  actions_.insert(id, a);
  return a;
}

void MainWindow::buildActions() {
  using namespace command;
  const auto on = [this](int id, auto handler) {
    connect(makeAction(id), &QAction::triggered, this, handler);
  };
  on(FileNew, [this] { fileNew(); });
  on(FileOpen, [this] { fileOpen(); });
  on(FileSave, [this] { fileSave(); });
  on(FileSaveAs, [this] { fileSaveAs(); });
  on(ExportText, [this] { exportText(); });
  on(ExportCsv, [this] { exportCsv(); });
  on(FilePrint, [this] { filePrint(); });
  on(FilePrintPreview, [this] { filePrintPreview(); });
  on(FilePrintSetup, [this] { filePrintSetup(); });
  on(CurrentPrasna, [this] { currentPrasna(); });
  on(AppExit, [this] { close(); });
  on(EditChartData, [this] { editChartData(); });
  on(SetPrasnaLocation, [this] { setPrasnaLocation(); });
  on(CalculationSettings, [this] {
    if (AskCalculationSettings(this, prompter_, document_)) chartChanged();
  });
  // The pages without a dialog of their own only show their page.
  for (const auto& [id, mode] : kPageCommands)
    if (id != ViewEphemeris && id != ViewSaTransits)
      on(id, [this, m = mode] { setDisplayMode(m); });
  on(ViewEphemeris, [this] { viewEphemeris(); });
  on(ViewSaTransits, [this] { viewSaTransits(); });
  birthTime_ = new BirthTimeCommands(
      document_, prompter_, *this, [this](int id) { return makeAction(id); },
      [this] { chartChanged(); });
  for (int id = PratyantarFirst; id <= PratyantarLast; ++id)
    on(id, [this, id] {
      view_->state().pratyantarLord = id - PratyantarFirst;
      setDisplayMode(DisplayMode::Pratyantar);
    });
  // The chart style and the colour choice: the document's, shown at once.
  const auto display = [this](auto change) {
    return [this, change] {
      change(document_);
      updateChecks();
      view_->update();
    };
  };
  on(StyleNorth, display([](ChartDocument& d) { d.setChartStyle(ChartStyle::North); }));
  on(StyleSouth, display([](ChartDocument& d) { d.setChartStyle(ChartStyle::South); }));
  on(ColorOff, display([](ChartDocument& d) { d.setColorCharts(false); }));
  on(ColorOn, display([](ChartDocument& d) { d.setColorCharts(true); }));
  on(ViewZoomIn, [this] { view_->zoomIn(); });
  on(ViewZoomOut, [this] { view_->zoomOut(); });
  on(ViewFitPage, [this] {
    view_->setFitPage(true);
    updateChecks();
  });
  connect(view_, &ChartView::fitPageChanged, this, [this] { updateChecks(); });
  on(HelpContents, [this] { helpContents(); });
  on(HelpAbout, [this] { helpAbout(); });

  for (int id : {ViewToolbar, ViewStatusBar}) makeAction(id);
  for (const auto& [id, mode] : kPageCommands) actions_.value(id)->setCheckable(true);
  for (int id :
       {StyleNorth, StyleSouth, ColorOff, ColorOn, ViewFitPage, ViewToolbar, ViewStatusBar})
    actions_.value(id)->setCheckable(true);
  // The bars' toggles start checked; their marks follow the bars' visibility.
  for (int id : {ViewToolbar, ViewStatusBar}) actions_.value(id)->setChecked(true);
}

void MainWindow::buildMenus() {
  using namespace command;
  const auto add = [this](QMenu* menu, int id) { menu->addAction(actions_.value(id)); };

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  add(file, FileNew);
  add(file, FileOpen);
  add(file, FileSave);
  add(file, FileSaveAs);
  file->addSeparator();
  QMenu* exportMenu = file->addMenu(QStringLiteral("&Export"));
  add(exportMenu, ExportText);
  add(exportMenu, ExportCsv);
  add(file, FilePrint);
  add(file, FilePrintPreview);
  add(file, FilePrintSetup);
  file->addSeparator();
  QAction* noRecentFile = makeAction(RecentFile);
  noRecentFile->setEnabled(false);
  file->addAction(noRecentFile);
  recent_ = new RecentFiles(store_, *file, noRecentFile, this);
  connect(recent_, &RecentFiles::chosen, this, &MainWindow::openRecent);
  file->addSeparator();
  add(file, CurrentPrasna);
  add(file, AppExit);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  add(edit, EditChartData);
  add(edit, SetPrasnaLocation);
  add(edit, CalculationSettings);
  edit->addSeparator();
  birthTime_->addToMenu(*edit);

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  add(view, ViewToolbar);
  add(view, ViewStatusBar);
  view->addSeparator();
  add(view, ViewChart);
  QMenu* dashas = view->addMenu(QStringLiteral("&Dashas"));
  add(dashas, ViewMahaBukti);
  QMenu* pratyantar = dashas->addMenu(QStringLiteral("&Pratyantar"));
  for (int id = PratyantarFirst; id <= PratyantarLast; ++id) add(pratyantar, id);
  add(view, ViewDivisional);
  add(view, ViewEphemeris);
  add(view, ViewSaAnalysis);
  add(view, ViewSaTransits);
  add(view, ViewSensitivity);
  view->addSeparator();
  QMenu* style = view->addMenu(QStringLiteral("Chart Style"));
  add(style, StyleNorth);
  add(style, StyleSouth);
  QMenu* color = view->addMenu(QStringLiteral("Color Charts"));
  add(color, ColorOff);
  add(color, ColorOn);
  view->addSeparator();
  add(view, ViewZoomIn);
  add(view, ViewZoomOut);
  add(view, ViewFitPage);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  add(help, HelpContents);
  add(help, HelpAbout);
}

void MainWindow::buildToolBar() {
  using namespace command;
  toolBar_ = addToolBar(QStringLiteral("Toolbar"));
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setIconSize(QSize(16, 15));
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  const std::pair<int, ToolbarIcon> buttons[] = {
      {FileNew, ToolbarIcon::New},          {FileOpen, ToolbarIcon::Open},
      {FileSave, ToolbarIcon::Save},        {BirthTimeEarlier, ToolbarIcon::Earlier},
      {BirthTimeLater, ToolbarIcon::Later}, {FilePrint, ToolbarIcon::Print},
      {HelpAbout, ToolbarIcon::About}};
  for (const auto& [id, icon] : buttons) {
    QAction* a = actions_.value(id);
    a->setIcon(MakeToolbarIcon(icon));
    if (id == BirthTimeEarlier || id == FilePrint) toolBar_->addSeparator();
    toolBar_->addAction(a);
  }
  QAction* toggle = actions_.value(ViewToolbar);
  connect(toggle, &QAction::toggled, toolBar_, &QToolBar::setVisible);
  connect(toolBar_, &QToolBar::visibilityChanged, toggle,
          [this, toggle](bool) { toggle->setChecked(!toolBar_->isHidden()); });
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  locks_ = new LockIndicators(*bar);
  // The message pane reads "Ready" whenever no prompt is shown.
  connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
    if (text.isEmpty()) bar->showMessage(QStringLiteral("Ready"));
  });
  bar->showMessage(QStringLiteral("Ready"));
  birthTime_->addToStatusBar(*bar);
  QAction* toggle = actions_.value(command::ViewStatusBar);
  connect(toggle, &QAction::toggled, bar, &QStatusBar::setVisible);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // A toolbar button shows a tooltip only where its command's prompt has one.
  if (event->type() == QEvent::ToolTip) {
    auto* button = qobject_cast<QToolButton*>(watched);
    const QAction* a = button && button->parent() == toolBar_ ? button->defaultAction() : nullptr;
    const CommandInfo* c = a ? FindCommand(a->data().toInt()) : nullptr;
    if (c && !QByteArray(c->prompt).contains('\n')) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::startUp(const QStringList& arguments) {
  useComputerZoneIfNoneStored();
  openStartChart(arguments);
  // The sizes follow the page's drawn extent, so the chart must be there.
  restoreViewSettings();
}

void MainWindow::useComputerZoneIfNoneStored() {
  if (!zoneLocator_ || HasStoredPrasnaLocation(store_)) return;
  // Stored settings keep their meaning: nothing is written until the user
  // accepts a location.
  const std::optional<PrasnaLocation> own = zoneLocator_(*atlas(), document_.present());
  if (!own) return;
  document_.usePrasnaLocationForRun(*own);
  // Short enough for the status bar of the first-start window.
  statusBar()->showMessage(
      QStringLiteral("Prasna cast for %1, from this computer's time zone.").arg(qs(own->place)));
}

void MainWindow::openStartChart(const QStringList& arguments) {
  // No chart is open yet, so nothing is asked before the file is opened.
  if (!arguments.isEmpty() && !arguments.first().isEmpty() && openFile(arguments.first())) return;
  // A Prasna that cannot be cast leaves the chart shown as it was.
  if (auto cast = document_.castPrasna(); !cast) return showError(qs(cast.error()));
  hasFile_ = false;
  chartChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!maybeSave()) {
    event->ignore();
    return;
  }
  if (help_) help_->close();
  saveViewSettings();
  event->accept();
}

QSize MainWindow::windowSizeFor(const QSize& client) const {
  // What the menu, tool and status bars take besides the client area.
  int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  if (toolBar_) bars += toolBar_->sizeHint().height();
  return QSize(client.width(), client.height() + bars);
}

void MainWindow::restoreViewSettings() {
  if (const std::optional<double> zoom = store_.readZoomScale()) view_->setZoomScale(*zoom);

  // Page text of 12 units is never below 8 pixels; at the first start it is
  // 12 pixels, as far as the screen allows.
  const QSize least = windowSizeFor(view_->chartPageRoom(kLeastTextPx / 12.0));
  const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
  setMinimumSize(least.boundedTo(available.size()));
  const QByteArray geometry = store_.readWindowGeometry();
  if (geometry.isEmpty() || !restoreGeometry(geometry)) {
    resize(windowSizeFor(view_->chartPageRoom(kReadableTextPx / 12.0))
               .boundedTo(available.size())
               .expandedTo(minimumSize()));
  }
}

void MainWindow::saveViewSettings() {
  const QSettingsStore::WriteBatch batch(store_);
  store_.writeZoom(view_->fitPage(), view_->pageScale());
  store_.writeWindowGeometry(saveGeometry());
}

bool MainWindow::maybeSave() {
  if (!document_.isModified()) return true;
  switch (prompter_.askSaveChanges(this, qs(document_.title()))) {
    case SaveAnswer::Save:
      return fileSave();
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Cancel:
      return false;
  }
  return false;
}

void MainWindow::showError(const QString& text) {
  prompter_.showMessage(this, QMessageBox::Warning, text);
}

void MainWindow::chartChanged() {
  updateTitle();
  view_->update();
}

void MainWindow::updateTitle() {
  const QString title = qs(document_.title());
  setWindowTitle(title.isEmpty() ? kAppTitle : QStringLiteral("%1 - %2").arg(title, kAppTitle));
  birthTime_->refresh();  // the stepped time, as the title a reflection of the chart
  // What only a chart can do waits for one (the Prasna at start may fail).
  using namespace command;
  for (int id : {FileSave, FileSaveAs, ExportText, ExportCsv, FilePrint, FilePrintPreview,
                 EditChartData, BirthTimeEarlier, BirthTimeLater, ViewSaTransits})
    actions_.value(id)->setEnabled(document_.hasChart());
}

void MainWindow::updateChecks() {
  using namespace command;
  const DisplayMode shown = view_->state().displayMode;
  for (const auto& [id, mode] : kPageCommands) actions_.value(id)->setChecked(mode == shown);
  actions_.value(StyleNorth)->setChecked(document_.chartStyle() == ChartStyle::North);
  actions_.value(StyleSouth)->setChecked(document_.chartStyle() == ChartStyle::South);
  actions_.value(ColorOff)->setChecked(!document_.colorCharts());
  actions_.value(ColorOn)->setChecked(document_.colorCharts());
  actions_.value(ViewFitPage)->setChecked(view_->fitPage());
}

void MainWindow::setDisplayMode(DisplayMode mode) {
  view_->state().displayMode = mode;
  updateChecks();
  view_->update();
}

// ---- File ----

void MainWindow::fileNew() {
  if (!maybeSave()) return;  // Cancel keeps the chart and ends the command
  document_.setModified(false);
  askChartData(document_.newChartDialogValues(), &ChartDocument::newChart);
}

void MainWindow::fileOpen() {
  const QString path = prompter_.openFileName(this, QStringLiteral("Open"),
                                              kChartFilter + QStringLiteral(";;All Files (*)"));
  if (!path.isEmpty()) openFile(path);
}

bool MainWindow::openFile(const QString& path) {
  if (!maybeSave()) return false;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (auto done = document_.open(absolute.toStdString()); !done) {
    showError(Cannot("open", absolute, qs(done.error())));
    return false;
  }
  hasFile_ = true;
  recent_->add(absolute);
  chartChanged();
  return true;
}

bool MainWindow::fileSave() { return hasFile_ ? saveTo(qs(document_.pathName())) : fileSaveAs(); }

bool MainWindow::fileSaveAs() {
  const QString proposed =
      hasFile_ ? qs(document_.pathName())
               : QDir::current().filePath(qs(document_.title()) + QStringLiteral(".svx"));
  const QString path = prompter_.saveFileName(this, QStringLiteral("Save As"), proposed,
                                              kChartFilter, QStringLiteral("svx"));
  return !path.isEmpty() && saveTo(QFileInfo(path).absoluteFilePath());
}

bool MainWindow::saveTo(const QString& path) {
  if (auto done = document_.save(path.toStdString()); !done) {
    showError(Cannot("save", path, qs(done.error())));
    return false;
  }
  hasFile_ = true;
  recent_->add(path);
  updateTitle();
  return true;
}

void MainWindow::writeExport(const QString& caption, const QString& defaultName,
                             const QString& filter, const QString& suffix,
                             const std::string& bytes) {
  const QString path =
      prompter_.saveFileName(this, caption, QDir::current().filePath(defaultName), filter, suffix);
  if (path.isEmpty()) return;
  if (auto written = WriteExportFile(path.toStdString(), bytes); !written)
    showError(qs(written.error()));
}

void MainWindow::exportText() {
  writeExport(QStringLiteral("Export Chart as Text"),
              qs(TextDefaultFileName(document_.firstName(), document_.lastName())),
              QStringLiteral("Export Chart as Text (*.txt)"), QStringLiteral("TXT"),
              TextExportText(document_.snapshot()));
}

void MainWindow::exportCsv() {
  writeExport(QStringLiteral("Export Chart as CSV"),
              qs(CsvDefaultFileName(document_.firstName(), document_.lastName())),
              QStringLiteral("Export Chart as CSV (*.csv)"), QStringLiteral("CSV"),
              CsvExportText(document_.snapshot()));
}

QPrinter& MainWindow::printer() {
  // Made at the first print command: setting a printer up asks the print
  // system for its printers, which the window's opening need not wait for.
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool MainWindow::printTo(QPrinter& printer) {
  if (view_->printPage(printer)) return true;
  showError(QStringLiteral("The page could not be printed."));
  return false;
}

void MainWindow::filePrint() {
  QPrintDialog dialog(&printer(), this);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (prompter_.runDialog(dialog) != QDialog::Accepted) return;
  printTo(printer());
}

void MainWindow::filePrintPreview() {
  QPrintPreviewDialog preview(&printer(), this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { view_->printPage(*printer); });
  prompter_.runDialog(preview);
}

void MainWindow::filePrintSetup() {
  QPageSetupDialog dialog(&printer(), this);
  prompter_.runDialog(dialog);
}

void MainWindow::openRecent(const QString& path) {
  if (!QFileInfo::exists(path)) {
    showError(Cannot("open", path, QStringLiteral("The file no longer exists.")));
    recent_->remove(path);
    return;
  }
  openFile(path);
}

void MainWindow::currentPrasna() {
  if (!maybeSave()) return;  // Cancel keeps the chart
  openStartChart({});        // no file named: a Prasna
}

// ---- Edit ----

void MainWindow::editChartData() {
  askChartData(document_.chartDataDialogValues(), &ChartDocument::editChartData);
}

void MainWindow::askChartData(const ChartDataFields& shown, TakeChartData take) {
  ChartDataDialog dialog(this);
  dialog.setAtlas(atlas());
  dialog.setFields(shown);
  if (prompter_.runDialog(dialog) != QDialog::Accepted) return;
  if (auto taken = (document_.*take)(dialog.fields()); !taken) {
    showError(qs(taken.error().message));
    return;
  }
  // Not a file yet: the recent-file list only names files that exist.
  hasFile_ = false;
  chartChanged();
}

void MainWindow::setPrasnaLocation() {
  // A changed location recasts a Prasna on screen, so a modified Prasna is
  // offered for saving first; Cancel leaves everything as it is.
  if (document_.isPrasna() && !maybeSave()) return;
  PrasnaLocationDialog dialog(this);
  dialog.setAtlas(atlas(), document_.present());
  dialog.setFields(document_.prasnaLocationDialogValues());
  if (prompter_.runDialog(dialog) != QDialog::Accepted) return;
  if (auto taken = document_.setPrasnaLocation(dialog.fields()); !taken) {
    showError(qs(taken.error().message));
    return;
  }
  if (document_.isPrasna()) {
    hasFile_ = false;
    chartChanged();
  }
}

// ---- View ----

void MainWindow::viewEphemeris() {
  view_->state().displayMode = DisplayMode::Ephemeris;
  EphemerisDialog dialog(this);
  dialog.setValues(document_.openEphemerisDialog());
  const EphemerisPageChoice page =
      document_.closeEphemerisDialog(AcceptedValues(prompter_, dialog));
  view_->state().ephemerisStartDay = page.startDay;
  view_->state().ephemerisInterval = page.interval;
  updateChecks();
  view_->update();
}

void MainWindow::viewSaTransits() {
  view_->state().displayMode = DisplayMode::SaTransits;
  TransitDialog dialog(this);
  dialog.setAtlas(atlas());
  dialog.setValues(document_.openTransitDialog());
  if (auto cast = document_.closeTransitDialog(AcceptedValues(prompter_, dialog)); !cast)
    showError(qs(cast.error()));
  updateChecks();
  view_->update();
}

Atlas* MainWindow::atlas() {
  if (!atlas_) atlas_ = OpenSystemAtlas();
  return atlas_.get();
}

// ---- Help ----

void MainWindow::helpContents() {
  if (!help_) help_ = new HelpWindow(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::helpAbout() {
  AboutDialog dialog(this);
  prompter_.runDialog(dialog);
}

}  // namespace sarvexa
