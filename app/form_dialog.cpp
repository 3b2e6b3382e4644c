#include "app/form_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "document/chart_data.h"
#include "engine/horoscope.h"

namespace sarvexa {

namespace {

// The height a widget needs at its width: a word-wrapped label as many lines
// as its text takes (none when empty), any other widget its own height or
// more.
int NeededHeight(const QWidget* w) {
  if (w->isHidden()) return 0;
  if (const auto* label = qobject_cast<const QLabel*>(w)) {
    if (label->text().isEmpty()) return 0;
    if (label->wordWrap()) return label->heightForWidth(label->width());
    return std::max(w->height(), label->sizeHint().height());
  }
  return std::max(w->height(), w->minimumSizeHint().height());
}

}  // namespace

int checkedIndex(const QButtonGroup* group) {
  const int id = group->checkedId();
  return id < 0 ? 0 : id;
}

void setChecked(QButtonGroup* group, int index) {
  if (index == 0 || index == 1) {
    group->button(index)->setChecked(true);
    return;
  }
  // Unchecking one button of an exclusive group needs the group opened up.
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(false);
  group->setExclusive(true);
}

int StackRows(const QList<QList<QWidget*>>& rows, int top, int gap) {
  int y = top;
  for (const QList<QWidget*>& row : rows) {
    int height = 0;
    for (const QWidget* w : row) height = std::max(height, NeededHeight(w));
    if (height == 0) {
      // Nothing to show: kept in its place with no room taken.
      for (QWidget* w : row) w->setGeometry(w->x(), y, w->width(), 0);
      continue;
    }
    for (QWidget* w : row) {
      // Centred on the row, as a label beside its edit.
      const int h = NeededHeight(w);
      w->setGeometry(w->x(), y + (height - h) / 2, w->width(), h);
    }
    y += height + gap;
  }
  return y;
}

void PlaceButtonsLast(QDialog& dialog, const QList<QWidget*>& buttons, int top, int gap,
                      int margin) {
  int height = 0;
  for (const QWidget* b : buttons) height = std::max(height, b->height());
  const int y = top + gap;
  for (QWidget* b : buttons) b->move(b->x(), y);
  dialog.setFixedSize(dialog.width(), y + height + margin);
}

FormDialog::FormDialog(const QString& caption, int widthDlu, int heightDlu, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  setModal(true);
  // Dialog units from the font the controls are drawn in.
  const QFontMetrics fm(font());
  const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  unitX_ = fm.horizontalAdvance(sample) / 52.0 / 4.0;
  unitY_ = fm.height() / 8.0;
  setFixedSize(dluRect(0, 0, widthDlu, heightDlu).size());
  sink_ = [](QWidget* p, const QString& text) {
    QMessageBox::warning(p, QStringLiteral("Sarvexa"), text);
  };
}

QRect FormDialog::dluRect(int x, int y, int w, int h) const {
  return QRect(qRound(x * unitX_), qRound(y * unitY_), qRound(w * unitX_), qRound(h * unitY_));
}

void FormDialog::accept() {
  lastError_.clear();
  if (validateAndStore()) QDialog::accept();
}

void FormDialog::fail(QWidget* field, const QString& message) {
  lastError_ = message;
  if (sink_) sink_(this, message);
  field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

QLabel* FormDialog::addLabel(const QString& text, int x, int y, int w, int h) {
  auto* label = new QLabel(text, this);
  QRect r = dluRect(x, y, w, h);
  // A label never clips its text: a wider font than the one the layout was
  // drawn for gets the room it needs.
  r.setWidth(std::max(r.width(), label->sizeHint().width()));
  // A label shares its row with an edit control; centring it on the edit's
  // height keeps both on one baseline when the edits are taller than the
  // layout's 12 units.
  QLineEdit probe;
  r.setHeight(std::max({r.height(), label->sizeHint().height(), probe.minimumSizeHint().height()}));
  label->setGeometry(r);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

QGroupBox* FormDialog::addGroup(const QString& text, int x, int y, int w, int h) {
  auto* group = new QGroupBox(text, this);
  group->setGeometry(dluRect(x, y, w, h));
  group->setFocusPolicy(Qt::NoFocus);
  group->lower();  // behind the controls it frames
  return group;
}

QLineEdit* FormDialog::addEdit(const char* name, int x, int y, int w, int h, bool digitsOnly,
                               int maxChars) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QLatin1String(name));
  QRect r = dluRect(x, y, w, h);
  r.setHeight(std::max(r.height(), edit->minimumSizeHint().height()));
  edit->setGeometry(r);
  if (digitsOnly)
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  if (maxChars > 0) edit->setMaxLength(maxChars);
  return edit;
}

QRadioButton* FormDialog::addRadio(const char* name, const QString& text, int x, int y, int w,
                                   int h) {
  auto* radio = new QRadioButton(text, this);
  radio->setObjectName(QLatin1String(name));
  QRect r = dluRect(x, y, w, h);
  r.setWidth(std::max(r.width(), radio->sizeHint().width()));
  radio->setGeometry(r);
  return radio;
}

QComboBox* FormDialog::addMonthList(const char* name, int x, int y, int w, int h) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(QLatin1String(name));
  for (const char* month : kMonthAbbreviations) combo->addItem(QLatin1String(month));
  // The layout height of a drop-down list includes its open list; the
  // closed control is one edit line high.
  QRect r = dluRect(x, y, w, 12);
  (void)h;
  r.setWidth(std::max(r.width(), combo->minimumSizeHint().width()));
  r.setHeight(std::max(r.height(), combo->minimumSizeHint().height()));
  combo->setGeometry(r);
  return combo;
}

QPushButton* FormDialog::addButton(const char* name, const QString& text, int x, int y, int w,
                                   int h, bool isDefault) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QLatin1String(name));
  QRect r = dluRect(x, y, w, h);
  r.setHeight(std::max(r.height(), button->minimumSizeHint().height()));
  button->setGeometry(r);
  button->setDefault(isDefault);
  button->setAutoDefault(isDefault);
  return button;
}

QButtonGroup* FormDialog::makeRadioGroup(QRadioButton* first, QRadioButton* second) {
  auto* group = new QButtonGroup(this);
  group->addButton(first, 0);
  group->addButton(second, 1);
  return group;
}

void FormDialog::setLimitedText(QLineEdit* edit, const QString& text, int maxChars) {
  // QLineEdit cuts a text longer than its maximum length; widen the limit
  // to this text first.
  edit->setMaxLength(std::max<qsizetype>(maxChars, text.size()));
  edit->setText(text);
}

void FormDialog::setTabChain(const QList<QWidget*>& chain) {
  for (int i = 1; i < chain.size(); ++i) setTabOrder(chain.at(i - 1), chain.at(i));
}

void FormDialog::setTrailing(int topDlu, const QList<QList<QWidget*>>& rows,
                             const QList<QWidget*>& buttons) {
  trailingTopDlu_ = topDlu;
  trailingRows_ = rows;
  buttons_ = buttons;
  layoutTrailing();
}

void FormDialog::layoutTrailing() {
  if (trailingTopDlu_ < 0) return;
  const int gap = dluRect(0, 0, 0, 2).height();
  const int bottom = StackRows(trailingRows_, dluRect(0, trailingTopDlu_, 0, 0).y(), gap);
  PlaceButtonsLast(*this, buttons_, bottom, dluRect(0, 0, 0, 4).height(),
                   dluRect(0, 0, 0, 7).height());
}

void FormDialog::showEvent(QShowEvent* event) {
  layoutTrailing();  // the texts as they are when the dialog opens
  QDialog::showEvent(event);
}

}  // namespace sarvexa
