#pragma once
// Base of the data-entry dialogs. Controls are placed at the dialog-unit
// positions of their layout tables, converted with the dialog's own font
// (a horizontal unit is a quarter of the average character width, a vertical
// unit an eighth of the character height), so the layout keeps its
// proportions at any font size and on high-DPI screens.
//
// OK runs validateAndStore(); when a field fails, the dialog shows its
// message, puts the focus on that field and stays open.
//
// Under the fixed table a dialog may have rows whose text comes and goes
// (the zone an atlas place brought, a warning): they are stacked one under
// the other, each as high as its text needs, and OK and Cancel always come
// last, under everything, with the dialog as tall as that takes.

#include <QDialog>
#include <QList>
#include <functional>
#include <optional>

class QShowEvent;

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sarvexa {

/// Stacks `rows` (widgets that share a line) from `top` pixels down, `gap`
/// pixels apart; each row is as high as its tallest widget needs at its
/// width (a word-wrapped label as many lines as its text takes, an empty
/// label none), a row of nothing but hidden or empty widgets takes no room.
/// Returns the bottom of the last row.
int StackRows(const QList<QList<QWidget*>>& rows, int top, int gap);

/// Puts `buttons` on one line `gap` pixels under `top`, and fixes the
/// dialog's height to end `margin` pixels under them. Their x and widths
/// are kept.
void PlaceButtonsLast(QDialog& dialog, const QList<QWidget*>& buttons, int top, int gap,
                      int margin);

/// The index of the checked button of a two-button group, 0 when none is.
int checkedIndex(const QButtonGroup* group);
/// Checks button `index` (0 or 1); any other value leaves both unchecked.
void setChecked(QButtonGroup* group, int index);

class FormDialog : public QDialog {
  Q_OBJECT
  friend class PlaceGroup;  // lays out its controls with the dialog's own units

 public:
  /// Receives the message of a failed check (by default a warning box).
  using MessageSink = std::function<void(QWidget* parent, const QString& text)>;

  FormDialog(const QString& caption, int widthDlu, int heightDlu, QWidget* parent);

  void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }

  /// The message of the last failed check; empty after a successful OK.
  const QString& lastError() const { return lastError_; }

  void accept() override;

 protected:
  /// Checks the fields in their order and stores them; on the first failure
  /// calls fail() and returns false.
  virtual bool validateAndStore() = 0;

  /// Reports a failed field: message, focus, selection.
  void fail(QWidget* field, const QString& message);

  QRect dluRect(int x, int y, int w, int h) const;

  QLabel* addLabel(const QString& text, int x, int y, int w, int h);
  QGroupBox* addGroup(const QString& text, int x, int y, int w, int h);
  /// An edit control; `digitsOnly` refuses anything but 0-9 as typed,
  /// `maxChars` (> 0) limits the length.
  QLineEdit* addEdit(const char* name, int x, int y, int w, int h, bool digitsOnly,
                     int maxChars = 0);
  QRadioButton* addRadio(const char* name, const QString& text, int x, int y, int w, int h);
  /// A drop-down list of the twelve months "Jan".."Dec".
  QComboBox* addMonthList(const char* name, int x, int y, int w, int h);
  QPushButton* addButton(const char* name, const QString& text, int x, int y, int w, int h,
                         bool isDefault);
  /// Makes the two radios one exclusive group; 0 and 1 are their ids.
  QButtonGroup* makeRadioGroup(QRadioButton* first, QRadioButton* second);
  /// Shows `text` in an edit whose typing is limited to `maxChars`. A longer
  /// stored text (a chart file or settings written elsewhere) is shown whole,
  /// not cut, so OK refuses it with the length message instead of silently
  /// storing a shortened text; typing still cannot lengthen it.
  static void setLimitedText(QLineEdit* edit, const QString& text, int maxChars);
  /// Tab order of the input controls, in the given order.
  void setTabChain(const QList<QWidget*>& chain);

  /// The rows under the fixed table, from `topDlu` down, and the buttons
  /// (OK, Cancel) that end the dialog; lays them out.
  void setTrailing(int topDlu, const QList<QList<QWidget*>>& rows, const QList<QWidget*>& buttons);
  /// Lays the trailing rows and the buttons out again, after a row's text
  /// or visibility changed.
  void layoutTrailing();
  void showEvent(QShowEvent* event) override;

 private:
  int trailingTopDlu_ = -1;
  QList<QList<QWidget*>> trailingRows_;
  QList<QWidget*> buttons_;
  double unitX_ = 1.5;
  double unitY_ = 1.625;
  QString lastError_;
  MessageSink sink_;
};

}  // namespace sarvexa
