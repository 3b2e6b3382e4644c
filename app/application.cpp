#include "app/application.h"

#include <QApplication>

#include "app/icons.h"
#include "sarvexa_version.h"
#ifdef SARVEXA_HAVE_SWISS
#include "swiss/swiss_ephemeris.h"
#endif

namespace sarvexa {

AppSession::AppSession(UiPrompter* prompter, InstantClock clock, ComputerZoneLocator computerZone) {
  if (!prompter) {
    ownPrompter_ = std::make_unique<UiPrompter>();
    prompter = ownPrompter_.get();
  }
  // Told once each, over the window while it is there; the program goes on
  // with the settings it has.
  store_.setProblemHandler([this, prompter](const QString& message) {
    prompter->showMessage(window_.get(), QMessageBox::Warning, message);
  });
  store_.checkReadable();
  document_ = std::make_unique<ChartDocument>(store_, std::move(clock));
#ifdef SARVEXA_HAVE_SWISS
  document_->setTheories(PositionTheoryFor);
#endif
  window_ = std::make_unique<MainWindow>(*document_, store_, *prompter);
  // Stored conventions that could not be taken, each line naming its key,
  // in one message; the defaults hold instead.
  QStringList problems;
  for (const StoredProblem& p : document_->conventionProblems())
    problems << QString::fromStdString(p.message);
  if (!problems.isEmpty())
    prompter->showMessage(window_.get(), QMessageBox::Warning, problems.join(QLatin1Char('\n')));
  window_->setComputerZoneLocator(std::move(computerZone));
}

AppSession::~AppSession() {
  const QSettingsStore::WriteBatch batch(store_);
  window_.reset();
  document_.reset();  // writes "Chart Style" and "Color Chart"
}

std::unique_ptr<AppSession> StartApplication(QApplication& app) {
  QApplication::setOrganizationName(QLatin1String(kSettingsOrganization));
  QApplication::setApplicationName(QLatin1String(kSettingsApplication));
  QApplication::setApplicationVersion(QLatin1String(SARVEXA_VERSION));
  QApplication::setWindowIcon(AppIcon());
  QApplication::setDesktopFileName(QStringLiteral("sarvexa"));

  auto session = std::make_unique<AppSession>();
  QStringList arguments = app.arguments();
  arguments.removeFirst();
  session->start(arguments);
  session->window().show();
  return session;
}

int RunApplication(QApplication& app) {
  const std::unique_ptr<AppSession> session = StartApplication(app);
  return app.exec();
}

}  // namespace sarvexa
