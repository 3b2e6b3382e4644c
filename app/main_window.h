#pragma once
// The program's single window: menu, toolbar, status bar and the chart view,
// with the handlers of every command. The window holds no chart data of its
// own: it asks the chart document to change the chart and the view to
// repaint. All questions to the user go through a UiPrompter.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "app/ephemeris_dialog.h"
#include "app/recent_files.h"
#include "document/atlas.h"
#include "document/prasna.h"
#include "document/present.h"
#include "view/display.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QToolBar;

namespace sarvexa {

/// Finds the principal place of the computer's own zone at an instant, for
/// a first start with no Prasna location stored; nothing when there is none.
using ComputerZoneLocator =
    std::function<std::optional<PrasnaLocation>(Atlas& atlas, Instant instant)>;

class BirthTimeCommands;
class ChartDocument;
class ChartView;
class HelpWindow;
class LockIndicators;
class QSettingsStore;
class UiPrompter;

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  /// `document`, `store` and `prompter` must outlive the window.
  MainWindow(ChartDocument& document, QSettingsStore& store, UiPrompter& prompter,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  /// Start-up after the window exists: with no Prasna location stored, the
  /// computer's own zone (said in the status bar); then opens the chart
  /// file named in `arguments` (the first one), or casts a Prasna. A file
  /// that cannot be opened is reported, and the window starts on a Prasna
  /// instead.
  void startUp(const QStringList& arguments);
  /// How startUp() finds the computer's own zone (by default not at all).
  void setComputerZoneLocator(ComputerZoneLocator locator) { zoneLocator_ = std::move(locator); }

  /// The menu or toolbar action of a command id (see commands.h).
  QAction* action(int commandId) const { return actions_.value(commandId); }
  ChartView* chartView() const { return view_; }
  QToolBar* toolBar() const { return toolBar_; }
  /// The recent-file list, most recent first (existing files only).
  const QStringList& recentFiles() const { return recent_->files(); }
  /// The recent-file actions of the File menu (visible ones hold a file).
  QList<QAction*> recentFileActions() const { return recent_->actions(); }
  /// The status bar's Caps, Num and Scroll Lock indicators.
  LockIndicators& lockIndicators() const { return *locks_; }
  /// The printer the print commands use (its set-up persists for the run),
  /// made at its first use.
  QPrinter& printer();

  // Command handlers, public so the program's tests can run them directly.
  void fileNew();
  void fileOpen();
  /// Opens a chart file, asking first to save a modified chart. True on
  /// success; an error is shown as a message.
  bool openFile(const QString& path);
  bool fileSave();
  bool fileSaveAs();
  void exportText();
  void exportCsv();
  void filePrint();
  void filePrintPreview();
  void filePrintSetup();
  void currentPrasna();
  void editChartData();
  void setPrasnaLocation();
  void viewEphemeris();
  void viewSaTransits();
  void helpContents();
  void helpAbout();
  /// Prints the current page on `printer` without a dialog (one sheet).
  bool printTo(QPrinter& printer);

  /// The save-if-modified question. False when the user cancelled (or the
  /// save failed); the caller then stops.
  bool maybeSave();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildActions();
  void buildMenus();
  void buildToolBar();
  void buildStatusBar();
  QAction* makeAction(int id);
  void setDisplayMode(DisplayMode mode);
  void chartChanged();
  void updateTitle();
  void updateChecks();
  /// Fit Page or the zoom, and the window's geometry, from the settings, or
  /// the first-start size; and the least window size.
  void restoreViewSettings();
  /// The chart file named first in `arguments`, else a Prasna.
  void openStartChart(const QStringList& arguments);
  /// At a first start, the Prasna location of the computer's own zone.
  void useComputerZoneIfNoneStored();
  void saveViewSettings();
  /// The window around a client area of `client`.
  QSize windowSizeFor(const QSize& client) const;
  /// Opens a file of the recent-file list; one that no longer exists is
  /// reported and taken off the list.
  void openRecent(const QString& path);
  void showError(const QString& text);
  /// Saves the chart to `path` (absolute): the file is then the chart's,
  /// and first in the recent-file list. False (said) when it failed.
  bool saveTo(const QString& path);
  /// A document operation taking checked Chart Data (new chart, edit).
  using TakeChartData = Result<void, FieldError> (ChartDocument::*)(const ChartDataFields&);
  /// Shows Chart Data with `shown`; OK hands the fields to `take`.
  void askChartData(const ChartDataFields& shown, TakeChartData take);
  void writeExport(const QString& caption, const QString& defaultName, const QString& filter,
                   const QString& suffix, const std::string& bytes);
  /// The atlas, opened when a dialog first needs it (its places are read on
  /// the first search), so the window opens without it.
  Atlas* atlas();

  ChartDocument& document_;
  QSettingsStore& store_;
  UiPrompter& prompter_;
  ComputerZoneLocator zoneLocator_;
  ChartView* view_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QHash<int, QAction*> actions_;
  RecentFiles* recent_ = nullptr;
  LockIndicators* locks_ = nullptr;
  BirthTimeCommands* birthTime_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  QPointer<HelpWindow> help_;
  /// True while the chart shown is a file on disk (opened or saved).
  bool hasFile_ = false;
  std::unique_ptr<Atlas> atlas_;
};

}  // namespace sarvexa
