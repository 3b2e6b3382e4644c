#pragma once
// The place controls every data-entry dialog has: longitude with West/East,
// latitude with North/South, the time zone with its own side, and daylight
// saving, with the two rows under the dialog's table that name the zone taken
// from the atlas and warn of a clock time skipped or passed twice. Each
// dialog places them by its own table (dialog units, label texts); the group
// shows and reads the place record, keeps the zone's side following the
// longitude's until the user sets it apart, and holds the dialog's place
// search: the field completed from the atlas and what choosing a place fills.

#include <QString>
#include <functional>
#include <optional>

#include "document/atlas.h"
#include "document/place.h"
#include "document/zone_fields.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sarvexa {

class FormDialog;
class PlaceCompleter;
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
  /// The zone's name and the warning; the dialog stacks them under its table.
  DluBox zoneNameRow, zoneWarningRow;
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

  // ---- the place search ----
  /// Turns on the place search over `atlas` (null leaves it off), which must
  /// outlive the dialog: `field` is enabled and completes from the atlas, and
  /// a place chosen from its list goes to `chosen`.
  void setAtlas(Atlas* atlas, QLineEdit* field, std::function<void(const AtlasPlace&)> chosen);
  Atlas* atlas() const { return atlas_; }
  /// The completion of the search field; null without an atlas.
  PlaceCompleter* completer() const { return completer_; }
  /// Takes a place chosen from the atlas: its coordinates and, with `zone`
  /// (the zone in force at the dialog's moment; nothing when that is not
  /// known), Zone and DST, the zone's side set apart where it differs from
  /// the longitude's, and the zone's name and any warning. True when a zone
  /// was taken.
  bool takePlace(const AtlasPlace& place, const std::optional<LocalZoneInfo>& zone);
  /// Shows the zone's name and warning (empty texts clear them) and lays the
  /// dialog's rows under its table out again.
  void showZoneTexts(const QString& name, const QString& warning);
  /// "Asia/Kolkata, +0630 war time"; empty when no zone is shown.
  QString zoneNameText() const;
  /// The gap, overlap or range warning shown; empty when none.
  QString zoneWarningText() const;

  QLineEdit *lonDegrees = nullptr, *lonMinutes = nullptr, *latDegrees = nullptr,
            *latMinutes = nullptr, *zoneHours = nullptr, *zoneMinutes = nullptr,
            *dstHours = nullptr, *dstMinutes = nullptr;
  QRadioButton *west = nullptr, *east = nullptr, *north = nullptr, *south = nullptr;
  QButtonGroup *westEast = nullptr, *northSouth = nullptr;
  QPushButton* zoneSide = nullptr;
  QLabel *zoneNameRow = nullptr, *zoneWarningRow = nullptr;

 private:
  FormDialog& dialog_;
  bool zoneSideChosen_ = false;  // set apart from the longitude's side
  std::function<bool()> sideFollows_;
  Atlas* atlas_ = nullptr;
  PlaceCompleter* completer_ = nullptr;
};

}  // namespace sarvexa
