#pragma once
// "Set Location for Prasna": the place a chart of the present moment is cast
// for. Exchanged and checked through document/prasna.h, in the order of
// PrasnaLocationFields.

#include <QMap>

#include "app/form_dialog.h"
#include "document/prasna.h"

class QButtonGroup;
class QLineEdit;

namespace sarvexa {

class PrasnaLocationDialog final : public FormDialog {
  Q_OBJECT

public:
  explicit PrasnaLocationDialog(QWidget* parent = nullptr);

  void setFields(const PrasnaLocationFields& fields);
  /// The values accepted with OK.
  const PrasnaLocationFields& fields() const { return accepted_; }
  QWidget* control(int controlId) const { return controls_.value(controlId); }

protected:
  bool validateAndStore() override;

private:
  QMap<int, QWidget*> controls_;
  QLineEdit *place_, *lonDegrees_, *lonMinutes_, *latDegrees_, *latMinutes_, *zoneHours_,
      *zoneMinutes_, *dstHours_, *dstMinutes_;
  QButtonGroup *westEast_, *northSouth_;
  PrasnaLocationFields accepted_;
};

}  // namespace sarvexa
