#include "app/transit_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QLabel>

#include "app/chart_data_dialog.h"
#include "app/place_completer.h"
#include "document/atlas.h"
#include "document/atlas_fill.h"

namespace sarvexa {

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
  addLabel(QStringLiteral(" Zone:"), 15, 70, 22, 8);
  zoneHours_ = addEdit("zoneHours", 40, 70, 15, 12, true);
  zoneMinutes_ = addEdit("zoneMinutes", 55, 70, 15, 12, true);
  addLabel(QStringLiteral("DST:"), 90, 70, 18, 8);
  dstHours_ = addEdit("dstHours", 110, 70, 15, 12, true);
  dstMinutes_ = addEdit("dstMinutes", 125, 70, 15, 12, true);

  addLabel(QStringLiteral("Longitude"), 10, 105, 40, 8);
  lonDegrees_ = addEdit("lonDegrees", 50, 105, 20, 12, true);
  auto* west = addRadio("west", QStringLiteral("West"), 76, 100, 33, 10);
  auto* east = addRadio("east", QStringLiteral("East"), 76, 109, 30, 10);
  westEast_ = makeRadioGroup(west, east);
  lonMinutes_ = addEdit("lonMinutes", 110, 105, 20, 12, true);
  addLabel(QStringLiteral("Latitude"), 10, 123, 30, 10);
  latDegrees_ = addEdit("latDegrees", 50, 123, 20, 12, true);
  auto* north = addRadio("north", QStringLiteral("North"), 75, 118, 33, 10);
  auto* south = addRadio("south", QStringLiteral("South"), 75, 127, 35, 10);
  northSouth_ = makeRadioGroup(north, south);
  latMinutes_ = addEdit("latMinutes", 110, 123, 20, 12, true);

  auto* ok = addButton("ok", QStringLiteral("OK"), 15, 150, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 105, 150, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &TransitDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &TransitDialog::reject);

  // The zone's own side beside the zone fields; below the buttons, a search
  // of the atlas that fills the place, with the zone it brought.
  zoneSide_ = addButton("zoneSide", QStringLiteral("W"), 71, 70, 16, 12, false);
  zoneSide_->setToolTip(QStringLiteral("Side of Greenwich of the time zone"));
  connect(zoneSide_, &QPushButton::clicked, this, [this] {
    zoneSideChosen_ = true;
    zoneSide_->setText(zoneSide_->text() == QStringLiteral("E") ? QStringLiteral("W")
                                                                 : QStringLiteral("E"));
  });
  connect(westEast_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on && !zoneSideChosen_) zoneSide_->setText(id == 1 ? QStringLiteral("E") : QStringLiteral("W"));
  });
  addLabel(QStringLiteral("Find place:"), 10, 172, 40, 8);
  find_ = addEdit("findPlace", 50, 170, 110, 12, false);
  find_->setEnabled(false);
  zoneLabel_ = addLabel(QString(), 10, 186, 150, 8);
  zoneWarning_ = addLabel(QString(), 10, 196, 150, 8);

  controls_ = {{1016, month_},      {1017, day_},        {1018, year_},       {1006, hour_},
               {1008, minute_},     {1009, am},          {1010, pm},          {1012, zoneHours_},
               {1031, zoneMinutes_}, {1032, dstHours_},  {1033, dstMinutes_}, {1020, lonDegrees_},
               {1023, lonMinutes_}, {1021, west},        {1022, east},        {1024, latDegrees_},
               {1027, latMinutes_}, {1025, north},       {1026, south},       {1, ok},
               {2, cancel}};
  setTabChain({month_, day_, year_, hour_, minute_, am, pm, zoneHours_, zoneMinutes_, dstHours_,
               dstMinutes_, lonDegrees_, west, east, lonMinutes_, latDegrees_, north, south,
               latMinutes_, ok, cancel, zoneSide_, find_});
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
  zoneHours_->setText(num(v.zoneHours));
  zoneMinutes_->setText(num(v.zoneMinutes));
  dstHours_->setText(num(v.dstHours));
  dstMinutes_->setText(num(v.dstMinutes));
  lonDegrees_->setText(num(v.lonDegrees));
  lonMinutes_->setText(num(v.lonMinutes));
  latDegrees_->setText(num(v.latDegrees));
  latMinutes_->setText(num(v.latMinutes));
  setChecked(amPm_, v.isPm == 1 ? 1 : -1);
  setChecked(westEast_, v.isEast);
  setChecked(northSouth_, v.isSouth);
  zoneSideChosen_ = v.zoneEast.has_value();
  zoneSide_->setText(v.zoneEast.value_or(v.isEast == 1) ? QStringLiteral("E")
                                                         : QStringLiteral("W"));
}

QString TransitDialog::zoneLabelText() const { return zoneLabel_->text(); }

void TransitDialog::setAtlas(Atlas* atlas) {
  atlas_ = atlas;
  if (!atlas_) return;
  find_->setEnabled(true);
  completer_ = new PlaceCompleter(find_, *atlas_, [this](const AtlasPlace& p) { choosePlace(p); });
}

void TransitDialog::choosePlace(const AtlasPlace& p) {
  TransitDialogValues f;
  FillCoordinates(p, f);
  const auto num = [](int v) { return QString::number(v); };
  find_->setText(QString::fromStdString(PlaceDisplayName(p)));
  find_->setCursorPosition(0);
  lonDegrees_->setText(num(f.lonDegrees));
  lonMinutes_->setText(num(f.lonMinutes));
  setChecked(westEast_, f.isEast);
  latDegrees_->setText(num(f.latDegrees));
  latMinutes_->setText(num(f.latMinutes));
  setChecked(northSouth_, f.isSouth);
  zoneLabel_->clear();
  zoneWarning_->clear();
  const auto day = ParseWholeNumber(day_->text().toStdString());
  const auto year = ParseWholeNumber(year_->text().toStdString());
  const auto hour = ParseWholeNumber(hour_->text().toStdString());
  const auto minute = ParseWholeNumber(minute_->text().toStdString());
  if (!atlas_ || !day || !year || !hour || !minute) return;
  const int hour24 = To24Hour(*hour, checkedIndex(amPm_) == 1);
  const auto info =
      atlas_->ZoneAt(p.zoneName, LocalMoment{*year, month_->currentIndex() + 1, *day, hour24, *minute});
  if (!info) return;
  // A skipped or doubled clock time is shown with its warning; the fields
  // hold the offset before the change until the user types another.
  const ZoneFields z = ZoneFieldsFor(*info, p.zoneName, p.lonDegEast, FoldChoice::Unresolved);
  zoneHours_->setText(num(z.zoneHours));
  zoneMinutes_->setText(num(z.zoneMinutes));
  dstHours_->setText(num(z.dstHours));
  dstMinutes_->setText(num(0));
  zoneSideChosen_ = z.zoneEast != (f.isEast == 1);
  zoneSide_->setText(z.zoneEast ? QStringLiteral("E") : QStringLiteral("W"));
  zoneLabel_->setText(QString::fromStdString(z.label));
  zoneWarning_->setText(QString::fromStdString(z.warning));
}

bool TransitDialog::validateAndStore() {
  const auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
  TransitDialogText t;
  t.monthIndex = month_->currentIndex();
  t.day = text(day_);
  t.year = text(year_);
  t.hour = text(hour_);
  t.minute = text(minute_);
  t.zoneHours = text(zoneHours_);
  t.zoneMinutes = text(zoneMinutes_);
  t.dstHours = text(dstHours_);
  t.dstMinutes = text(dstMinutes_);
  t.lonDegrees = text(lonDegrees_);
  t.lonMinutes = text(lonMinutes_);
  t.latDegrees = text(latDegrees_);
  t.latMinutes = text(latMinutes_);
  t.isPm = checkedIndex(amPm_);
  t.isEast = checkedIndex(westEast_);
  t.isSouth = checkedIndex(northSouth_);
  t.zoneEast = zoneSide_->text() == QStringLiteral("E");
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
