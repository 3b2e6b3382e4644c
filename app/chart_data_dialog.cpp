#include "app/chart_data_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace sarvexa {

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

ChartDataDialog::ChartDataDialog(QWidget* parent)
    : FormDialog(QStringLiteral("Chart Data"), 172, 210, parent) {
  addGroup(QStringLiteral("Name"), 5, 5, 160, 30);
  addGroup(QStringLiteral("Time"), 5, 35, 160, 45);
  addGroup(QStringLiteral("Date"), 5, 80, 160, 30);
  addGroup(QStringLiteral("Place"), 5, 115, 160, 65);

  addLabel(QStringLiteral("First:"), 15, 15, 16, 8);
  first_ = addEdit("firstName", 35, 15, 40, 12, false);
  addLabel(QStringLiteral("Last:"), 80, 15, 16, 8);
  last_ = addEdit("lastName", 100, 15, 55, 12, false);

  addLabel(QStringLiteral("Hour:"), 15, 50, 18, 8);
  hour_ = addEdit("hour", 40, 50, 20, 12, true);
  addLabel(QStringLiteral("Minutes:"), 65, 50, 25, 10);
  minute_ = addEdit("minute", 95, 50, 20, 12, false);
  auto* am = addRadio("am", QStringLiteral("AM"), 125, 45, 27, 10);
  auto* pm = addRadio("pm", QStringLiteral("PM"), 125, 55, 27, 10);
  amPm_ = makeRadioGroup(am, pm);
  addLabel(QStringLiteral(" Zone:"), 15, 65, 22, 8);
  zoneHours_ = addEdit("zoneHours", 40, 65, 15, 12, true);
  zoneMinutes_ = addEdit("zoneMinutes", 55, 65, 15, 12, true);
  addLabel(QStringLiteral("DST:"), 90, 65, 18, 8);
  dstHours_ = addEdit("dstHours", 110, 65, 15, 12, true);
  dstMinutes_ = addEdit("dstMinutes", 125, 65, 15, 12, true);

  addLabel(QStringLiteral("Month:"), 10, 90, 23, 8);
  month_ = addMonthList("monthIndex", 40, 90, 35, 120);
  addLabel(QStringLiteral("Day"), 75, 90, 14, 8);
  day_ = addEdit("day", 90, 90, 15, 12, true);
  addLabel(QStringLiteral("Year"), 115, 90, 16, 8);
  year_ = addEdit("year", 135, 90, 25, 12, true);

  place_ = addEdit("place", 10, 125, 150, 12, false, kChartDataPlaceMaxChars);
  addLabel(QStringLiteral("Longitude"), 10, 140, 40, 8);
  lonDegrees_ = addEdit("lonDegrees", 50, 140, 20, 12, true);
  auto* west = addRadio("west", QStringLiteral("West"), 76, 137, 33, 10);
  auto* east = addRadio("east", QStringLiteral("East"), 76, 146, 30, 10);
  westEast_ = makeRadioGroup(west, east);
  lonMinutes_ = addEdit("lonMinutes", 110, 140, 20, 12, true);
  addLabel(QStringLiteral("Latitude"), 10, 160, 30, 15);
  latDegrees_ = addEdit("latDegrees", 50, 160, 20, 12, true);
  auto* north = addRadio("north", QStringLiteral("North"), 75, 155, 33, 10);
  auto* south = addRadio("south", QStringLiteral("South"), 75, 165, 35, 10);
  northSouth_ = makeRadioGroup(north, south);
  latMinutes_ = addEdit("latMinutes", 110, 160, 20, 12, true);

  auto* ok = addButton("ok", QStringLiteral("OK"), 15, 190, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 105, 190, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &ChartDataDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &ChartDataDialog::reject);

  controls_ = {{1002, first_},      {1004, last_},       {1006, hour_},     {1008, minute_},
               {1009, am},          {1010, pm},          {1011, zoneHours_}, {1029, zoneMinutes_},
               {1030, dstHours_},   {1028, dstMinutes_}, {1016, month_},    {1017, day_},
               {1018, year_},       {1019, place_},      {1020, lonDegrees_}, {1021, west},
               {1022, east},        {1023, lonMinutes_}, {1024, latDegrees_}, {1025, north},
               {1026, south},       {1027, latMinutes_}, {1031, ok},        {2, cancel}};
  setTabChain({first_, last_, hour_, minute_, am, pm, zoneHours_, zoneMinutes_, dstHours_,
               dstMinutes_, month_, day_, year_, place_, lonDegrees_, west, east, lonMinutes_,
               latDegrees_, north, south, latMinutes_, ok, cancel});

  setFields(ChartDataFields{});
  first_->setFocus();
}

void ChartDataDialog::setFields(const ChartDataFields& f) {
  const auto num = [](int v) { return QString::number(v); };
  first_->setText(QString::fromStdString(f.firstName));
  last_->setText(QString::fromStdString(f.lastName));
  hour_->setText(num(f.hour));
  minute_->setText(num(f.minute));
  day_->setText(num(f.day));
  year_->setText(num(f.year));
  setLimitedText(place_, QString::fromStdString(f.place), kChartDataPlaceMaxChars);
  lonDegrees_->setText(num(f.lonDegrees));
  lonMinutes_->setText(num(f.lonMinutes));
  month_->setCurrentIndex(f.monthIndex >= 0 && f.monthIndex < 12 ? f.monthIndex : 0);
  latDegrees_->setText(num(f.latDegrees));
  latMinutes_->setText(num(f.latMinutes));
  zoneHours_->setText(num(f.zoneHours));
  zoneMinutes_->setText(num(f.zoneMinutes));
  dstHours_->setText(num(f.dstHours));
  dstMinutes_->setText(num(f.dstMinutes));
  setChecked(amPm_, f.isPm);
  setChecked(westEast_, f.isEast);
  setChecked(northSouth_, f.isSouth);
}

bool ChartDataDialog::validateAndStore() {
  const auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
  ChartDataText t;
  t.firstName = text(first_);
  t.lastName = text(last_);
  t.hour = text(hour_);
  t.minute = text(minute_);
  t.day = text(day_);
  t.year = text(year_);
  t.place = text(place_);
  t.lonDegrees = text(lonDegrees_);
  t.lonMinutes = text(lonMinutes_);
  t.monthIndex = month_->currentIndex();
  t.latDegrees = text(latDegrees_);
  t.latMinutes = text(latMinutes_);
  t.zoneHours = text(zoneHours_);
  t.zoneMinutes = text(zoneMinutes_);
  t.dstHours = text(dstHours_);
  t.dstMinutes = text(dstMinutes_);
  t.isPm = checkedIndex(amPm_);
  t.isEast = checkedIndex(westEast_);
  t.isSouth = checkedIndex(northSouth_);

  const ChartDataParse parse = ParseChartDataText(t);
  if (parse.error || !parse.fields) {
    QWidget* field = parse.error ? control(parse.error->controlId) : nullptr;
    fail(field ? field : first_,
         QString::fromStdString(parse.error ? parse.error->message
                                            : std::string("The chart data could not be read.")));
    return false;
  }
  accepted_ = *parse.fields;
  return true;
}

}  // namespace sarvexa
