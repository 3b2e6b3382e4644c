#pragma once
// Shared set-up of the program's tests: settings in a fresh temporary
// folder, a fixed clock, no computer zone (so a first start takes the
// default Prasna location whatever the machine's zone), and a prompter that
// answers the window's questions from a script instead of waiting for a
// person.

#include <gtest/gtest.h>
#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

#include "app/application.h"
#include "app/prompter.h"

namespace sarvexa::test {

/// Answers modal questions from queues; counts what was asked.
class ScriptedPrompter final : public UiPrompter {
 public:
  /// Each dialog shown is handed to the next handler; the handler's return
  /// value is the dialog's result. No handler left: the dialog is cancelled.
  std::deque<std::function<int(QDialog&)>> dialogs;
  int dialogsShown = 0;
  QString nextSaveName;  ///< the save dialog's answer (empty = cancel)
  QString nextOpenName;  ///< the open dialog's answer
  QString lastProposedSaveName;
  QString lastSaveFilter;
  QString lastSaveSuffix;
  SaveAnswer saveAnswer = SaveAnswer::Discard;
  int saveQuestions = 0;
  QStringList messages;

  int runDialog(QDialog& dialog) override {
    ++dialogsShown;
    if (dialogs.empty()) return QDialog::Rejected;
    auto handler = std::move(dialogs.front());
    dialogs.pop_front();
    return handler(dialog);
  }
  QString saveFileName(QWidget*, const QString&, const QString& proposed, const QString& filter,
                       const QString& suffix) override {
    lastProposedSaveName = proposed;
    lastSaveFilter = filter;
    lastSaveSuffix = suffix;
    return nextSaveName;
  }
  QString openFileName(QWidget*, const QString&, const QString&) override { return nextOpenName; }
  SaveAnswer askSaveChanges(QWidget*, const QString&) override {
    ++saveQuestions;
    return saveAnswer;
  }
  void showMessage(QWidget*, QMessageBox::Icon, const QString& text) override { messages << text; }
};

/// The fixed clock of the tests: 15 March 2024, 14:07 local time.
inline LocalClockReading FixedClock() { return LocalClockReading{2024, 3, 15, 14, 7}; }

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settingsDir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    ASSERT_TRUE(workDir_.isValid());
  }
  void TearDown() override { session_.reset(); }

  /// Starts (or restarts) the program with the given command line.
  AppSession& start(const QStringList& arguments = {}) {
    session_.reset();
    session_ = std::make_unique<AppSession>(
        &prompter_, [this] { return PrasnaInstantOf(PrasnaLocation{}, clock_, nullptr); },
        computerZone_);
    session_->start(arguments);
    return *session_;
  }
  /// Ends the program (the document writes its settings).
  void stop() { session_.reset(); }

  MainWindow& window() { return session_->window(); }
  ChartDocument& doc() { return session_->document(); }

  /// A value of the settings file, as another run of the program reads it.
  QString storedSetting(const QString& key) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Sarvexa"),
                QStringLiteral("Sarvexa"));
    return s.value(QStringLiteral("Settings/") + key).toString();
  }
  void storeSetting(const QString& key, const QVariant& value) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Sarvexa"),
                QStringLiteral("Sarvexa"));
    s.setValue(QStringLiteral("Settings/") + key, value);
  }
  QString workPath(const QString& name) const { return workDir_.filePath(name); }

  QTemporaryDir settingsDir_;
  QTemporaryDir workDir_;
  ScriptedPrompter prompter_;
  /// The present as the default Prasna location's clock shows it.
  LocalClockReading clock_ = FixedClock();
  /// The computer's own zone at a first start: none.
  ComputerZoneLocator computerZone_ = [](Atlas&, Instant) {
    return std::optional<PrasnaLocation>();
  };
  std::unique_ptr<AppSession> session_;
};

}  // namespace sarvexa::test
