#pragma once
// Every modal question the main window asks goes through one UiPrompter, so
// the tests can answer them without a person at the keyboard: a test installs
// a prompter that fills a dialog and presses OK, or names the file to save.

#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <optional>
#include <type_traits>

class QWidget;

namespace sarvexa {

/// Answer to the save-if-modified question.
enum class SaveAnswer { Save, Discard, Cancel };

class UiPrompter {
 public:
  virtual ~UiPrompter() = default;

  /// Shows a dialog modally; returns QDialog::Accepted or Rejected.
  virtual int runDialog(QDialog& dialog);

  /// Asks for a file to write. `defaultSuffix` is added when the typed name
  /// has none; the dialog asks before an existing file is replaced. Empty when
  /// cancelled.
  virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                               const QString& filter, const QString& defaultSuffix);

  /// Asks for an existing file to read. Empty when cancelled.
  virtual QString openFileName(QWidget* parent, const QString& caption, const QString& filter);

  /// "Save changes to <name>?" with Yes, No and Cancel.
  virtual SaveAnswer askSaveChanges(QWidget* parent, const QString& documentName);

  /// A message with one OK button.
  virtual void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text);
};

/// Shows a dialog through `prompter`: the values it was accepted with
/// (its `values()`), nothing when it was cancelled.
template <class Dialog>
auto AcceptedValues(UiPrompter& prompter, Dialog& dialog)
    -> std::optional<std::decay_t<decltype(dialog.values())>> {
  if (prompter.runDialog(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.values();
}

}  // namespace sarvexa
