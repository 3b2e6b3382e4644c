#include "app/place_group.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/form_dialog.h"
#include "app/place_completer.h"
#include "document/place_search.h"

namespace sarvexa {

PlaceGroup::PlaceGroup(FormDialog& d, const PlaceGroupLayout& l) : dialog_(d) {
  const auto edit = [&d](const char* name, const DluBox& b) {
    return d.addEdit(name, b.x, b.y, b.w, b.h, true);
  };
  const auto radio = [&d](const char* name, const char* text, const DluBox& b) {
    return d.addRadio(name, QString::fromLatin1(text), b.x, b.y, b.w, b.h);
  };
  const auto label = [&d](const char* text, const DluBox& b) {
    d.addLabel(QString::fromLatin1(text), b.x, b.y, b.w, b.h);
  };
  label("Longitude", l.lonLabel);
  lonDegrees = edit("lonDegrees", l.lonDegrees);
  west = radio("west", "West", l.west);
  east = radio("east", "East", l.east);
  westEast = d.makeRadioGroup(west, east);
  lonMinutes = edit("lonMinutes", l.lonMinutes);
  label("Latitude", l.latLabel);
  latDegrees = edit("latDegrees", l.latDegrees);
  north = radio("north", "North", l.north);
  south = radio("south", "South", l.south);
  northSouth = d.makeRadioGroup(north, south);
  latMinutes = edit("latMinutes", l.latMinutes);
  label(l.zoneText, l.zoneLabel);
  zoneHours = edit("zoneHours", l.zoneHours);
  zoneMinutes = edit("zoneMinutes", l.zoneMinutes);
  label("DST:", l.dstLabel);
  dstHours = edit("dstHours", l.dstHours);
  dstMinutes = edit("dstMinutes", l.dstMinutes);

  const DluBox& s = l.zoneSide;
  zoneSide = d.addButton("zoneSide", QStringLiteral("W"), s.x, s.y, s.w, s.h, false);
  zoneSide->setToolTip(QStringLiteral("Side of Greenwich of the time zone"));
  QObject::connect(zoneSide, &QPushButton::clicked, &d, [this] {
    zoneSideChosen_ = true;
    setZoneSideEast(!zoneSideEast());
  });
  // Until the user sets it, the zone's side follows the longitude's.
  QObject::connect(westEast, &QButtonGroup::idToggled, &d, [this](int id, bool on) {
    if (on && !zoneSideChosen_ && (!sideFollows_ || sideFollows_())) setZoneSideEast(id == 1);
  });

  const auto row = [&d](const DluBox& b) {
    QLabel* text = d.addLabel(QString(), b.x, b.y, b.w, b.h);
    text->setWordWrap(true);
    return text;
  };
  zoneNameRow = row(l.zoneNameRow);
  zoneWarningRow = row(l.zoneWarningRow);
}

void PlaceGroup::show(const PlaceFields& f) {
  const auto num = [](int v) { return QString::number(v); };
  lonDegrees->setText(num(f.lonDegrees));
  lonMinutes->setText(num(f.lonMinutes));
  latDegrees->setText(num(f.latDegrees));
  latMinutes->setText(num(f.latMinutes));
  zoneHours->setText(num(f.zoneHours));
  zoneMinutes->setText(num(f.zoneMinutes));
  dstHours->setText(num(f.dstHours));
  dstMinutes->setText(num(f.dstMinutes));
  setChecked(westEast, f.isEast);
  setChecked(northSouth, f.isSouth);
  zoneSideChosen_ = f.zoneEast.has_value();
  setZoneSideEast(f.ZoneIsEast());
}

void PlaceGroup::read(PlaceText& t) const {
  const auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
  t.lonDegrees = text(lonDegrees);
  t.lonMinutes = text(lonMinutes);
  t.latDegrees = text(latDegrees);
  t.latMinutes = text(latMinutes);
  t.zoneHours = text(zoneHours);
  t.zoneMinutes = text(zoneMinutes);
  t.dstHours = text(dstHours);
  t.dstMinutes = text(dstMinutes);
  t.isEast = checkedIndex(westEast) == 1;
  t.isSouth = checkedIndex(northSouth) == 1;
  t.zoneEast.reset();
  if (zoneSideEast() != t.isEast) t.zoneEast = zoneSideEast();
}

PlaceFields PlaceGroup::showCoordinates(const AtlasPlace& p) {
  PlaceFields f;
  FillCoordinates(p, f);
  const auto num = [](int v) { return QString::number(v); };
  lonDegrees->setText(num(f.lonDegrees));
  lonMinutes->setText(num(f.lonMinutes));
  setChecked(westEast, f.isEast);
  latDegrees->setText(num(f.latDegrees));
  latMinutes->setText(num(f.latMinutes));
  setChecked(northSouth, f.isSouth);
  return f;
}

void PlaceGroup::showZone(const ZoneFields& z, bool markSide, bool lonEast) {
  zoneHours->setText(QString::number(z.zoneHours));
  zoneMinutes->setText(QString::number(z.zoneMinutes));
  dstHours->setText(QString::number(z.dstHours));
  dstMinutes->setText(QStringLiteral("0"));
  if (markSide) zoneSideChosen_ = z.zoneEast != lonEast;
  setZoneSideEast(z.zoneEast);
}

bool PlaceGroup::zoneSideEast() const { return zoneSide->text() == QStringLiteral("E"); }

void PlaceGroup::setZoneSideEast(bool toEast) {
  zoneSide->setText(toEast ? QStringLiteral("E") : QStringLiteral("W"));
}

void PlaceGroup::setAtlas(Atlas* atlas, QLineEdit* field,
                          std::function<void(const AtlasPlace&)> chosen) {
  atlas_ = atlas;
  if (!atlas_) return;
  field->setEnabled(true);
  completer_ = new PlaceCompleter(field, *atlas_, std::move(chosen));
}

bool PlaceGroup::takePlace(const AtlasPlace& p, const std::optional<LocalZoneInfo>& zone) {
  const PlaceFields f = showCoordinates(p);
  if (!zone) {
    showZoneTexts(QString(), QString());
    return false;
  }
  const ZoneFields z = ZoneFieldsFor(*zone, p.zoneName, p.lonDegEast, FoldChoice::Unresolved);
  showZone(z, true, f.isEast);
  showZoneTexts(QString::fromStdString(z.label), QString::fromStdString(z.warning));
  return true;
}

void PlaceGroup::showZoneTexts(const QString& name, const QString& warning) {
  zoneNameRow->setText(name);
  zoneWarningRow->setText(warning);
  dialog_.layoutTrailing();
}

QString PlaceGroup::zoneNameText() const { return zoneNameRow->text(); }

QString PlaceGroup::zoneWarningText() const { return zoneWarningRow->text(); }

}  // namespace sarvexa
