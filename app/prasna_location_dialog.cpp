#include "app/prasna_location_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "document/atlas.h"
#include "document/atlas_fill.h"

namespace sarvexa {

namespace {

// Where "Set Location for Prasna" puts the place controls, under the place.
const PlaceGroupLayout kPrasnaPlace = {
    .lonLabel = {10, 25, 40, 8},
    .lonDegrees = {50, 25, 20, 10},
    .west = {75, 20, 33, 10},
    .east = {75, 30, 30, 10},
    .lonMinutes = {110, 25, 20, 12},
    .latLabel = {10, 45, 30, 15},
    .latDegrees = {50, 45, 20, 10},
    .north = {75, 40, 33, 10},
    .south = {75, 50, 35, 10},
    .latMinutes = {110, 45, 20, 10},
    .zoneText = "Time Zone:",
    .zoneLabel = {10, 65, 37, 8},
    .zoneHours = {50, 65, 15, 10},
    .zoneMinutes = {65, 65, 15, 10},
    .zoneSide = {81, 65, 16, 10},
    .dstLabel = {100, 65, 18, 8},
    .dstHours = {120, 65, 15, 10},
    .dstMinutes = {135, 65, 15, 10},
    .zoneNameRow = {5, 90, 165, 8},
    .zoneWarningRow = {5, 100, 165, 8},
};

}  // namespace

PrasnaLocationDialog::PrasnaLocationDialog(QWidget* parent)
    : FormDialog(QStringLiteral("Set Location for Prasna"), 177, 136, parent) {
  addGroup(QStringLiteral("Place"), 5, 0, 165, 85);
  place_ = addEdit("place", 10, 10, 150, 10, false, kPrasnaPlaceMaxChars);
  where_ = std::make_unique<PlaceGroup>(*this, kPrasnaPlace);
  PlaceGroup& g = *where_;
  // Under the Place group the zone a place from the atlas brought, with any
  // warning; then OK and Cancel. Zone or DST typed by hand end the atlas
  // zone.
  for (QLineEdit* e : {g.zoneHours, g.zoneMinutes, g.dstHours, g.dstMinutes}) {
    connect(e, &QLineEdit::textEdited, this, [this] {
      zoneName_.clear();
      where_->showZoneTexts(QString(), QString());
    });
  }
  auto* ok = addButton("ok", QStringLiteral("OK"), 5, 90, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 120, 90, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &PrasnaLocationDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &PrasnaLocationDialog::reject);
  setTrailing(90, {{g.zoneNameRow}, {g.zoneWarningRow}}, {ok, cancel});

  controls_ = {{1019, place_},
               {1020, g.lonDegrees},
               {1021, g.west},
               {1022, g.east},
               {1023, g.lonMinutes},
               {1024, g.latDegrees},
               {1025, g.north},
               {1026, g.south},
               {1027, g.latMinutes},
               {1011, g.zoneHours},
               {1029, g.zoneMinutes},
               {1030, g.dstHours},
               {1028, g.dstMinutes},
               {1, ok},
               {2, cancel}};
  setTabChain({place_, g.lonDegrees, g.west, g.east, g.lonMinutes, g.latDegrees, g.north, g.south,
               g.latMinutes, g.zoneHours, g.zoneMinutes, g.zoneSide, g.dstHours, g.dstMinutes, ok,
               cancel});
  setFields(PrasnaLocationFields{});
  place_->setFocus();
}

void PrasnaLocationDialog::setFields(const PrasnaLocationFields& f) {
  setLimitedText(place_, QString::fromStdString(f.place), kPrasnaPlaceMaxChars);
  where_->show(f);
  zoneName_ = f.zoneName;
}

void PrasnaLocationDialog::setAtlas(Atlas* atlas, Instant present) {
  where_->setAtlas(atlas, place_, [this, present](const AtlasPlace& p) {
    place_->setText(QString::fromStdString(PlaceFieldText(p, kPrasnaPlaceMaxChars)));
    // The zone and DST in force at the present instant.
    std::optional<LocalZoneInfo> zone;
    if (const auto period = where_->atlas()->ZoneAtInstant(p.zoneName, present.unixSeconds))
      zone = LocalZoneInfo{LocalTimeKind::Unique, *period, {}};
    // Each Prasna takes the zone's offsets at its moment.
    if (where_->takePlace(p, zone)) zoneName_ = p.zoneName;
  });
}

bool PrasnaLocationDialog::validateAndStore() {
  PrasnaLocationText t;
  where_->read(t);
  t.place = place_->text().toStdString();
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
