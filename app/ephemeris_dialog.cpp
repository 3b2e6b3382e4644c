#include "app/ephemeris_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace sarvexa {

EphemerisDialog::EphemerisDialog(QWidget* parent)
    : FormDialog(QStringLiteral("Ephemeris"), 186, 113, parent) {
  addGroup(QStringLiteral("Enter Start Date:"), 7, 7, 172, 36);
  addGroup(QStringLiteral("Interval"), 7, 48, 172, 36);

  addLabel(QStringLiteral("Month:"), 14, 21, 23, 8);
  month_ = addMonthList("monthIndex", 40, 20, 40, 120);
  addLabel(QStringLiteral("Day"), 88, 21, 14, 8);
  day_ = addEdit("day", 104, 20, 18, 12, true);
  addLabel(QStringLiteral("Year"), 128, 21, 16, 8);
  year_ = addEdit("year", 146, 20, 26, 12, true);

  auto* daily = addRadio("daily", QStringLiteral("Daily"), 14, 63, 36, 10);
  auto* weekly = addRadio("weekly", QStringLiteral("Weekly"), 55, 63, 38, 10);
  auto* monthly = addRadio("monthly", QStringLiteral("Monthly"), 97, 63, 40, 10);
  auto* yearly = addRadio("yearly", QStringLiteral("Yearly"), 140, 63, 36, 10);
  interval_ = new QButtonGroup(this);
  // The buttons' ids are the intervals' indices.
  interval_->addButton(daily, static_cast<int>(EphemerisInterval::Daily));
  interval_->addButton(weekly, static_cast<int>(EphemerisInterval::Weekly));
  interval_->addButton(monthly, static_cast<int>(EphemerisInterval::Monthly));
  interval_->addButton(yearly, static_cast<int>(EphemerisInterval::Yearly));

  auto* ok = addButton("ok", QStringLiteral("OK"), 30, 92, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 106, 92, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &EphemerisDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &EphemerisDialog::reject);
  setTrailing(86, {}, {ok, cancel});

  setTabChain({month_, day_, year_, daily, weekly, monthly, yearly, ok, cancel});
  setValues(EphemerisDialogValues{});
  month_->setFocus();
}

void EphemerisDialog::setValues(const EphemerisDialogValues& v) {
  day_->setText(QString::number(v.day));
  month_->setCurrentIndex(v.monthIndex >= 0 && v.monthIndex < 12 ? v.monthIndex : 0);
  year_->setText(QString::number(v.year));
  if (QAbstractButton* b = interval_->button(static_cast<int>(v.interval))) b->setChecked(true);
}

bool EphemerisDialog::validateAndStore() {
  EphemerisDialogText t;
  t.day = day_->text().toStdString();
  t.monthIndex = month_->currentIndex();
  t.year = year_->text().toStdString();
  t.interval = EphemerisIntervalFromIndex(interval_->checkedId());
  const auto parse = ParseEphemerisDialogText(t);
  if (!parse) {
    fail(parse.error().field == "year" ? year_ : day_,
         QString::fromStdString(parse.error().message));
    return false;
  }
  accepted_ = *parse;
  return true;
}

}  // namespace sarvexa
