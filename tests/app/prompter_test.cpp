// The interactive prompter: real modal dialogs and message boxes, answered
// by a timer that acts on whichever modal window is up.

#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/chart_data_dialog.h"
#include "app/prompter.h"

namespace sarvexa {
namespace {

/// Runs `act` on the modal window once the event loop shows it.
void whenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    act(modal);
  });
}

TEST(UiPrompter, RunsADialogModallyAndKeepsItOpenOnABadField) {
  UiPrompter prompter;
  ChartDataDialog dialog;
  QStringList refusals;
  dialog.setMessageSink([&](QWidget*, const QString& text) { refusals << text; });
  whenModal([](QWidget* modal) {
    auto* d = qobject_cast<ChartDataDialog*>(modal);
    ASSERT_NE(d, nullptr);
    auto* hour = qobject_cast<QLineEdit*>(d->control(1006));
    hour->clear();
    QTest::keyClicks(hour, "13");
    auto* ok = qobject_cast<QPushButton*>(d->control(1031));
    QTest::mouseClick(ok, Qt::LeftButton);  // refused: the dialog stays up
    EXPECT_TRUE(d->isVisible());
    hour->clear();
    QTest::keyClicks(hour, "1x2");  // digits only: the x is refused as typed
    EXPECT_EQ(hour->text(), "12");
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  EXPECT_EQ(prompter.runDialog(dialog), QDialog::Accepted);
  EXPECT_EQ(refusals, QStringList({"Please enter an integer between 1 and 12."}));
  EXPECT_EQ(dialog.fields().hour, 12);
}

TEST(UiPrompter, TheSaveQuestionMapsItsThreeButtons) {
  struct Row {
    QMessageBox::StandardButton button;
    SaveAnswer answer;
  };
  const Row rows[] = {{QMessageBox::Yes, SaveAnswer::Save},
                      {QMessageBox::No, SaveAnswer::Discard},
                      {QMessageBox::Cancel, SaveAnswer::Cancel}};
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.button));
    UiPrompter prompter;
    QString shownText;
    whenModal([&shownText, button = row.button](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      shownText = box->text();
      QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
    EXPECT_EQ(prompter.askSaveChanges(nullptr, "First Last"), row.answer);
    EXPECT_EQ(shownText, "Save changes to First Last?");
  }
}

TEST(UiPrompter, TheSaveDialogProposesTheNameAndAddsTheDefaultSuffix) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  UiPrompter prompter;
  QString proposedShown;
  whenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Export Chart as CSV");
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Export Chart as CSV (*.csv)"}));
    proposedShown = dialog->selectedFiles().value(0);
    // The user types a bare name.
    dialog->selectFile(dir.filePath("bare"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const QString chosen =
      prompter.saveFileName(nullptr, "Export Chart as CSV", dir.filePath("First Last.csv"),
                            "Export Chart as CSV (*.csv)", "CSV");
  EXPECT_EQ(proposedShown, dir.filePath("First Last.csv"));
  EXPECT_EQ(chosen, dir.filePath("bare.CSV"));
}

TEST(UiPrompter, CancellingTheSaveDialogGivesNoName) {
  UiPrompter prompter;
  whenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->reject();
  });
  EXPECT_TRUE(
      prompter.saveFileName(nullptr, "Save As", "Prasna.svx", "Sarvexa Files (*.svx)", "svx")
          .isEmpty());
}

}  // namespace
}  // namespace sarvexa
