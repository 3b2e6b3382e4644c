#pragma once
// One run of the program: the settings store, the chart document and the
// main window, created in this order and destroyed in reverse, so the
// document writes the display settings after the window has closed.

#include <QStringList>
#include <memory>

#include "app/main_window.h"
#include "app/prompter.h"
#include "app/qsettings_store.h"
#include "document/chart_document.h"
#include "document/system_zone.h"

class QApplication;

namespace sarvexa {

class AppSession {
 public:
  /// `prompter` (may be null for the interactive one) must outlive the
  /// session; `clock` defaults to the system clock and `computerZone` to the
  /// computer's own zone. A settings file that cannot be read or written is
  /// reported through the prompter.
  explicit AppSession(UiPrompter* prompter = nullptr, InstantClock clock = ReadSystemInstant,
                      ComputerZoneLocator computerZone = SystemZoneLocation);
  ~AppSession();

  /// Start-up: a chart file named first in `arguments`, else a Prasna.
  void start(const QStringList& arguments) { window_->startUp(arguments); }

  QSettingsStore& store() { return store_; }
  ChartDocument& document() { return *document_; }
  MainWindow& window() { return *window_; }

 private:
  QSettingsStore store_;
  std::unique_ptr<UiPrompter> ownPrompter_;
  std::unique_ptr<ChartDocument> document_;
  std::unique_ptr<MainWindow> window_;
};

/// Sets the application names, starts a session on the command line's file
/// (or a Prasna) and shows the window: everything the program does before
/// its event loop.
std::unique_ptr<AppSession> StartApplication(QApplication& app);

/// StartApplication, then the event loop.
int RunApplication(QApplication& app);

}  // namespace sarvexa
