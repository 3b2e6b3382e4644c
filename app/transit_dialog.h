#pragma once
// "Set Transit Data": the moment and place of the transits compared with the
// natal chart (View > SA Transits). Its fields are checked on OK in the order
// day, month, year, hour, latitude, longitude, the three radio groups,
// minutes, zone and daylight saving; the first failure keeps it open.

#include <QMap>

#include "document/page_choices.h"
#include "app/form_dialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace sarvexa {

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

protected:
  bool validateAndStore() override;

private:
  QMap<int, QWidget*> controls_;
  QComboBox* month_;
  QLineEdit *day_, *year_, *hour_, *minute_, *zoneHours_, *zoneMinutes_, *dstHours_,
      *dstMinutes_, *lonDegrees_, *lonMinutes_, *latDegrees_, *latMinutes_;
  QButtonGroup *amPm_, *westEast_, *northSouth_;
  TransitDialogValues accepted_;
};

}  // namespace sarvexa
