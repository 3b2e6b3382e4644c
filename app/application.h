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

class QApplication;

namespace sarvexa {

/// The computer's local clock.
LocalClockReading SystemLocalClock();

class AppSession {
 public:
  /// `prompter` (may be null for the interactive one) must outlive the
  /// session; `clock` defaults to the computer's clock.
  explicit AppSession(UiPrompter* prompter = nullptr, LocalClock clock = SystemLocalClock);
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
