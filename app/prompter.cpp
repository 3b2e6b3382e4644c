#include "app/prompter.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>

namespace sarvexa {

int UiPrompter::runDialog(QDialog& dialog) { return dialog.exec(); }

QString UiPrompter::saveFileName(QWidget* parent, const QString& caption,
                                 const QString& proposedPath, const QString& filter,
                                 const QString& defaultSuffix) {
  // A dialog object rather than the static helper, so the default suffix is
  // added before the overwrite question is asked about the real name.
  QFileDialog dialog(parent, caption, proposedPath, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.selectFile(proposedPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString UiPrompter::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

SaveAnswer UiPrompter::askSaveChanges(QWidget* parent, const QString& documentName) {
  const auto answer = QMessageBox::question(
      parent, QStringLiteral("Sarvexa"), QStringLiteral("Save changes to %1?").arg(documentName),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) return SaveAnswer::Save;
  if (answer == QMessageBox::No) return SaveAnswer::Discard;
  return SaveAnswer::Cancel;
}

void UiPrompter::showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QStringLiteral("Sarvexa"), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace sarvexa
