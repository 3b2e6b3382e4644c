#pragma once
// The place controls every data-entry dialog has: longitude with West/East,
// latitude with North/South, the time zone with its own side, and daylight
// saving. Each dialog places them by its own table (dialog units, label
// texts); the group shows and reads the place record, fills it from the
// atlas, and keeps the zone's side following the longitude's until the user
// sets it apart.

#include <QString>
#include <functional>

#include "document/place.h"
#include "document/zone_fields.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sarvexa {

class FormDialog;
struct AtlasPlace;

/// A control's place in dialog units.
struct DluBox {
  int x = 0, y = 0, w = 0, h = 0;
};

/// Where one dialog puts the place controls and what its labels say.
struct PlaceGroupLayout {
  DluBox lonLabel, lonDegrees, west, east, lonMinutes;
  DluBox latLabel, latDegrees, north, south, latMinutes;
  const char* zoneText = " Zone:";
  DluBox zoneLabel, zoneHours, zoneMinutes, zoneSide;
  DluBox dstLabel, dstHours, dstMinutes;
};

class PlaceGroup {
 public:
  /// Creates the controls in `dialog` at the positions of `layout`.
  PlaceGroup(FormDialog& dialog, const PlaceGroupLayout& layout);

  /// Shows a place: magnitudes, sides, the zone's own side.
  void show(const PlaceFields& place);
  /// The place as typed; `zoneEast` is set when the zone's side differs from
  /// the longitude's. The zone name is the dialog's to add.
  void read(PlaceText& text) const;
  /// Shows the coordinates of an atlas place and returns them.
  PlaceFields showCoordinates(const AtlasPlace& place);
  /// Shows the zone and DST of `zone` (DST minutes 0). With `markSide` the
  /// zone's side counts as set apart when it differs from `lonEast`.
  void showZone(const ZoneFields& zone, bool markSide, bool lonEast);

  bool zoneSideEast() const;
  void setZoneSideEast(bool toEast);
  bool zoneSideChosen() const { return zoneSideChosen_; }
  void setZoneSideChosen(bool chosen) { zoneSideChosen_ = chosen; }
  /// While it returns false, the zone's side does not follow the longitude's
  /// (the dialog is filling its fields, or the zone came from the atlas).
  void setSideFollows(std::function<bool()> follows) { sideFollows_ = std::move(follows); }

  QLineEdit *lonDegrees = nullptr, *lonMinutes = nullptr, *latDegrees = nullptr,
            *latMinutes = nullptr, *zoneHours = nullptr, *zoneMinutes = nullptr,
            *dstHours = nullptr, *dstMinutes = nullptr;
  QRadioButton *west = nullptr, *east = nullptr, *north = nullptr, *south = nullptr;
  QButtonGroup *westEast = nullptr, *northSouth = nullptr;
  QPushButton* zoneSide = nullptr;

 private:
  bool zoneSideChosen_ = false;  // set apart from the longitude's side
  std::function<bool()> sideFollows_;
};

}  // namespace sarvexa
