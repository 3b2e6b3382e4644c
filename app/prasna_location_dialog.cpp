#include "app/prasna_location_dialog.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/chart_data_dialog.h"
#include "app/place_completer.h"
#include "document/atlas.h"
#include "document/atlas_fill.h"

namespace sarvexa {

PrasnaLocationDialog::PrasnaLocationDialog(QWidget* parent)
    : FormDialog(QStringLiteral("Set Location for Prasna"), 177, 136, parent) {
  addGroup(QStringLiteral("Place"), 5, 0, 165, 85);
  addLabel(QStringLiteral("Longitude"), 10, 25, 40, 8);
  addLabel(QStringLiteral("Latitude"), 10, 45, 30, 15);
  addLabel(QStringLiteral("Time Zone:"), 10, 65, 37, 8);
  addLabel(QStringLiteral("DST:"), 100, 65, 18, 8);


  place_ = addEdit("place", 10, 10, 150, 10, false, kPrasnaPlaceMaxChars);
  lonDegrees_ = addEdit("lonDegrees", 50, 25, 20, 10, true);
  auto* west = addRadio("west", QStringLiteral("West"), 75, 20, 33, 10);
  auto* east = addRadio("east", QStringLiteral("East"), 75, 30, 30, 10);
  westEast_ = makeRadioGroup(west, east);
  lonMinutes_ = addEdit("lonMinutes", 110, 25, 20, 12, true);
  latDegrees_ = addEdit("latDegrees", 50, 45, 20, 10, true);
  auto* north = addRadio("north", QStringLiteral("North"), 75, 40, 33, 10);
  auto* south = addRadio("south", QStringLiteral("South"), 75, 50, 35, 10);
  northSouth_ = makeRadioGroup(north, south);
  latMinutes_ = addEdit("latMinutes", 110, 45, 20, 10, true);
  zoneHours_ = addEdit("zoneHours", 50, 65, 15, 10, true);
  zoneMinutes_ = addEdit("zoneMinutes", 65, 65, 15, 10, true);
  dstHours_ = addEdit("dstHours", 120, 65, 15, 10, true);
  dstMinutes_ = addEdit("dstMinutes", 135, 65, 15, 10, true);
  auto* ok = addButton("ok", QStringLiteral("OK"), 5, 90, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 120, 90, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &PrasnaLocationDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &PrasnaLocationDialog::reject);

  // The zone's own side beside the zone fields, and below the buttons the
  // zone a place from the atlas brought, with any warning.
  zoneSide_ = addButton("zoneSide", QStringLiteral("W"), 81, 65, 16, 10, false);
  zoneSide_->setToolTip(QStringLiteral("Side of Greenwich of the time zone"));
  connect(zoneSide_, &QPushButton::clicked, this, [this] {
    zoneSideChosen_ = true;
    zoneSide_->setText(zoneSide_->text() == QStringLiteral("E") ? QStringLiteral("W")
                                                                 : QStringLiteral("E"));
  });
  // Until the user sets it, the zone's side follows the longitude's.
  connect(westEast_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (on && !zoneSideChosen_) zoneSide_->setText(id == 1 ? QStringLiteral("E") : QStringLiteral("W"));
  });
  // Zone or DST typed by hand end the atlas zone.
  for (QLineEdit* e : {zoneHours_, zoneMinutes_, dstHours_, dstMinutes_}) {
    connect(e, &QLineEdit::textEdited, this, [this] {
      zoneName_.clear();
      zoneLabel_->clear();
      zoneWarning_->clear();
    });
  }
  zoneLabel_ = addLabel(QString(), 5, 108, 165, 8);
  zoneWarning_ = addLabel(QString(), 5, 118, 165, 16);
  zoneWarning_->setWordWrap(true);

  controls_ = {{1019, place_},      {1020, lonDegrees_}, {1021, west},        {1022, east},
               {1023, lonMinutes_}, {1024, latDegrees_}, {1025, north},       {1026, south},
               {1027, latMinutes_}, {1011, zoneHours_},  {1029, zoneMinutes_}, {1030, dstHours_},
               {1028, dstMinutes_}, {1, ok},             {2, cancel}};
  setTabChain({place_, lonDegrees_, west, east, lonMinutes_, latDegrees_, north, south,
               latMinutes_, zoneHours_, zoneMinutes_, dstHours_, dstMinutes_, ok, cancel,
               zoneSide_});
  setFields(PrasnaLocationFields{});
  place_->setFocus();
}

void PrasnaLocationDialog::setFields(const PrasnaLocationFields& f) {
  const auto num = [](int v) { return QString::number(v); };
  setLimitedText(place_, QString::fromStdString(f.place), kPrasnaPlaceMaxChars);
  lonDegrees_->setText(num(f.lonDegrees));
  lonMinutes_->setText(num(f.lonMinutes));
  latDegrees_->setText(num(f.latDegrees));
  latMinutes_->setText(num(f.latMinutes));
  zoneHours_->setText(num(f.zoneHours));
  zoneMinutes_->setText(num(f.zoneMinutes));
  dstHours_->setText(num(f.dstHours));
  dstMinutes_->setText(num(f.dstMinutes));
  setChecked(westEast_, f.isEast);
  setChecked(northSouth_, f.isSouth);
  zoneSideChosen_ = f.zoneEast.has_value();
  zoneName_ = f.zoneName;
  zoneSide_->setText(f.zoneEast.value_or(f.isEast == 1) ? QStringLiteral("E")
                                                         : QStringLiteral("W"));
}

QString PrasnaLocationDialog::zoneLabelText() const { return zoneLabel_->text(); }

void PrasnaLocationDialog::setAtlas(Atlas* atlas, const LocalMoment& now) {
  atlas_ = atlas;
  now_ = now;
  if (atlas_) {
    completer_ = new PlaceCompleter(place_, *atlas_,
                                    [this](const AtlasPlace& p) { choosePlace(p); });
  }
}

void PrasnaLocationDialog::choosePlace(const AtlasPlace& p) {
  PrasnaLocationFields f;
  FillCoordinates(p, f);
  const auto num = [](int v) { return QString::number(v); };
  place_->setText(QString::fromStdString(PlaceFieldText(p, kPrasnaPlaceMaxChars)));
  lonDegrees_->setText(num(f.lonDegrees));
  lonMinutes_->setText(num(f.lonMinutes));
  setChecked(westEast_, f.isEast);
  latDegrees_->setText(num(f.latDegrees));
  latMinutes_->setText(num(f.latMinutes));
  setChecked(northSouth_, f.isSouth);
  zoneLabel_->clear();
  zoneWarning_->clear();
  const auto info = atlas_ ? atlas_->ZoneAt(p.zoneName, now_) : std::nullopt;
  if (!info) return;
  // The clock reading of the moment is taken as the place's own clock; in a
  // doubled hour the later (standard) offset is the one in force longer.
  const ZoneFields z = ZoneFieldsFor(*info, p.zoneName, p.lonDegEast,
                                     info->kind == LocalTimeKind::Unique ? FoldChoice::Unresolved
                                                                         : FoldChoice::Later);
  zoneHours_->setText(num(z.zoneHours));
  zoneMinutes_->setText(num(z.zoneMinutes));
  dstHours_->setText(num(z.dstHours));
  dstMinutes_->setText(num(0));
  zoneSideChosen_ = z.zoneEast != (f.isEast == 1);
  zoneSide_->setText(z.zoneEast ? QStringLiteral("E") : QStringLiteral("W"));
  zoneLabel_->setText(QString::fromStdString(z.label));
  zoneWarning_->setText(QString::fromStdString(z.warning));
  zoneName_ = p.zoneName;  // each Prasna takes the zone's offsets at its moment
}

bool PrasnaLocationDialog::validateAndStore() {
  const auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
  PrasnaLocationText t;
  t.dstHours = text(dstHours_);
  t.dstMinutes = text(dstMinutes_);
  t.latDegrees = text(latDegrees_);
  t.latMinutes = text(latMinutes_);
  t.lonDegrees = text(lonDegrees_);
  t.lonMinutes = text(lonMinutes_);
  t.isSouth = checkedIndex(northSouth_);
  t.place = text(place_);
  t.zoneHours = text(zoneHours_);
  t.zoneMinutes = text(zoneMinutes_);
  t.isEast = checkedIndex(westEast_);
  const bool zoneEast = zoneSide_->text() == QStringLiteral("E");
  if (zoneEast != (t.isEast == 1)) t.zoneEast = zoneEast;
  t.zoneName = zoneName_;

  const auto parse = ParsePrasnaLocationText(t);
  if (!parse) {
    QWidget* field = control(parse.error().controlId);
    fail(field ? field : place_, QString::fromStdString(parse.error().message));
    return false;
  }
  accepted_ = *parse;
  return true;
}

}  // namespace sarvexa
