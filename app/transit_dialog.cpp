#include "app/transit_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "document/atlas.h"
#include "document/place_search.h"

namespace sarvexa {

namespace {

// Where "Set Transit Data" puts the place controls: zone and DST on the Time
// group's second row, coordinates in the Place group.
const PlaceGroupLayout kTransitPlace = {
    .lonLabel = {10, 105, 40, 8},
    .lonDegrees = {50, 105, 20, 12},
    .west = {76, 100, 33, 10},
    .east = {76, 109, 30, 10},
    .lonMinutes = {110, 105, 20, 12},
    .latLabel = {10, 123, 30, 10},
    .latDegrees = {50, 123, 20, 12},
    .north = {75, 118, 33, 10},
    .south = {75, 127, 35, 10},
    .latMinutes = {110, 123, 20, 12},
    .zoneText = " Zone:",
    .zoneLabel = {15, 70, 22, 8},
    .zoneHours = {40, 70, 15, 12},
    .zoneMinutes = {55, 70, 15, 12},
    .zoneSide = {71, 70, 16, 12},
    .dstLabel = {90, 70, 18, 8},
    .dstHours = {110, 70, 15, 12},
    .dstMinutes = {125, 70, 15, 12},
    .zoneNameRow = {10, 160, 150, 8},
    .zoneWarningRow = {10, 170, 150, 8},
};

}  // namespace

// Laid out like "Chart Data" without the name row: Date, Time and Place
// groups, then OK and Cancel.
TransitDialog::TransitDialog(QWidget* parent)
    : FormDialog(QStringLiteral("Set Transit Data"), 172, 208, parent) {
  addGroup(QStringLiteral("Date"), 5, 5, 160, 30);
  addGroup(QStringLiteral("Time"), 5, 40, 160, 45);
  addGroup(QStringLiteral("Place"), 5, 90, 160, 50);

  addLabel(QStringLiteral("Month:"), 10, 17, 23, 8);
  month_ = addMonthList("monthIndex", 40, 17, 35, 120);
  addLabel(QStringLiteral("Day"), 80, 17, 14, 8);
  day_ = addEdit("day", 95, 17, 15, 12, true);
  addLabel(QStringLiteral("Year"), 115, 17, 16, 8);
  year_ = addEdit("year", 135, 17, 25, 12, true);

  addLabel(QStringLiteral("Hour:"), 15, 55, 18, 8);
  hour_ = addEdit("hour", 40, 55, 20, 12, true);
  addLabel(QStringLiteral("Minutes:"), 65, 55, 25, 10);
  minute_ = addEdit("minute", 95, 55, 20, 12, true);
  auto* am = addRadio("am", QStringLiteral("AM"), 125, 50, 27, 10);
  auto* pm = addRadio("pm", QStringLiteral("PM"), 125, 60, 27, 10);
  amPm_ = makeRadioGroup(am, pm);
  where_ = std::make_unique<PlaceGroup>(*this, kTransitPlace);
  PlaceGroup& g = *where_;

  // Under the Place group, a search of the atlas that fills the place, with
  // the zone it brought; then OK and Cancel.
  QLabel* findLabel = addLabel(QStringLiteral("Find place:"), 10, 146, 40, 8);
  find_ = addEdit("findPlace", 52, 146, 108, 12, false);
  find_->setEnabled(false);
  auto* ok = addButton("ok", QStringLiteral("OK"), 15, 180, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 105, 180, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &TransitDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &TransitDialog::reject);
  setTrailing(146, {{findLabel, find_}, {g.zoneNameRow}, {g.zoneWarningRow}}, {ok, cancel});

  controls_ = {{1016, month_},
               {1017, day_},
               {1018, year_},
               {1006, hour_},
               {1008, minute_},
               {1009, am},
               {1010, pm},
               {1012, g.zoneHours},
               {1031, g.zoneMinutes},
               {1032, g.dstHours},
               {1033, g.dstMinutes},
               {1020, g.lonDegrees},
               {1023, g.lonMinutes},
               {1021, g.west},
               {1022, g.east},
               {1024, g.latDegrees},
               {1027, g.latMinutes},
               {1025, g.north},
               {1026, g.south},
               {1, ok},
               {2, cancel}};
  setTabChain({month_,       day_,         year_,         hour_,        minute_,      am,
               pm,           g.zoneHours,  g.zoneMinutes, g.zoneSide,   g.dstHours,   g.dstMinutes,
               g.lonDegrees, g.west,       g.east,        g.lonMinutes, g.latDegrees, g.north,
               g.south,      g.latMinutes, find_,         ok,           cancel});
  setValues(TransitDialogValues{});
  month_->setFocus();
}

void TransitDialog::setValues(const TransitDialogValues& v) {
  const auto num = [](int n) { return QString::number(n); };
  month_->setCurrentIndex(v.monthIndex >= 0 && v.monthIndex < 12 ? v.monthIndex : 0);
  day_->setText(num(v.day));
  year_->setText(num(v.year));
  hour_->setText(num(v.hour12));
  minute_->setText(num(v.minute));
  setChecked(amPm_, v.isPm ? 1 : -1);
  where_->show(v);
}

void TransitDialog::setAtlas(Atlas* atlas) {
  where_->setAtlas(atlas, find_, [this](const AtlasPlace& p) {
    find_->setText(QString::fromStdString(PlaceDisplayName(p)));
    find_->setCursorPosition(0);
    // The zone at the dialog's date and time. A skipped or doubled clock
    // time is shown with its warning; the fields hold the offset before the
    // change until the user types another.
    const auto day = ParseWholeNumber(day_->text().toStdString());
    const auto year = ParseWholeNumber(year_->text().toStdString());
    const auto hour = ParseWholeNumber(hour_->text().toStdString());
    const auto minute = ParseWholeNumber(minute_->text().toStdString());
    std::optional<LocalZoneInfo> zone;
    if (day && year && hour && minute) {
      const int hour24 = To24Hour(*hour, checkedIndex(amPm_) == 1);
      zone = where_->atlas()->ZoneAt(
          p.zoneName, LocalMoment{*year, month_->currentIndex() + 1, *day, hour24, *minute});
    }
    where_->takePlace(p, zone);
  });
}

bool TransitDialog::validateAndStore() {
  const auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
  TransitDialogText t;
  t.monthIndex = month_->currentIndex();
  t.day = text(day_);
  t.year = text(year_);
  t.hour = text(hour_);
  t.minute = text(minute_);
  t.isPm = checkedIndex(amPm_) == 1;
  where_->read(t);
  const auto parse = ParseTransitDialogText(t);
  if (!parse) {
    QWidget* field = control(parse.error().controlId);
    fail(field ? field : day_, QString::fromStdString(parse.error().message));
    return false;
  }
  accepted_ = *parse;
  return true;
}

}  // namespace sarvexa
