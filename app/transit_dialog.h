#pragma once
// "Set Transit Data": the moment and place of the transits compared with the
// natal chart (View > SA Transits). Its fields are checked on OK in the order
// day, month, year, hour, latitude, longitude, the three radio groups,
// minutes, zone and daylight saving; the first failure keeps it open.

#include <QMap>
#include <memory>

#include "app/form_dialog.h"
#include "app/place_group.h"
#include "document/page_choices.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace sarvexa {

class Atlas;
struct AtlasPlace;

class TransitDialog final : public FormDialog {
  Q_OBJECT

 public:
  explicit TransitDialog(QWidget* parent = nullptr);

  /// Shows these values. A morning hour is shown with neither AM nor PM
  /// selected (an unselected pair counts as AM); PM selects "PM".
  void setValues(const TransitDialogValues& values);
  /// The values accepted with OK.
  const TransitDialogValues& values() const { return accepted_; }
  QWidget* control(int controlId) const { return controls_.value(controlId); }

  /// Turns on the place search: a place chosen from the atlas fills the
  /// coordinates, and Zone and DST for the dialog's date and time. `atlas`
  /// must outlive the dialog.
  void setAtlas(Atlas* atlas);
  /// The place controls and the place search.
  const PlaceGroup& placeGroup() const { return *where_; }

 protected:
  bool validateAndStore() override;

 private:
  QMap<int, QWidget*> controls_;
  QComboBox* month_;
  QLineEdit *day_, *year_, *hour_, *minute_;
  QButtonGroup* amPm_;
  std::unique_ptr<PlaceGroup> where_;  // longitude, latitude, zone, DST
  TransitDialogValues accepted_;
  QLineEdit* find_ = nullptr;
};

}  // namespace sarvexa
