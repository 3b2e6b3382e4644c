#pragma once
// "Chart Data": the birth data of a new chart (File > New) or of the chart
// shown (Edit > Chart Data). The fields are exchanged and checked through
// document/chart_data.h, in the order of ChartDataFields.

#include <QMap>

#include "app/form_dialog.h"
#include "document/chart_data.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace sarvexa {

class ChartDataDialog final : public FormDialog {
  Q_OBJECT

public:
  explicit ChartDataDialog(QWidget* parent = nullptr);

  /// Shows these values (magnitudes and radio choices).
  void setFields(const ChartDataFields& fields);
  /// The values accepted with OK (valid only after a successful OK).
  const ChartDataFields& fields() const { return accepted_; }

  /// The control with a dialog control id (1002 first name .. 1030 DST hours).
  QWidget* control(int controlId) const { return controls_.value(controlId); }

protected:
  bool validateAndStore() override;

private:
  QMap<int, QWidget*> controls_;
  QLineEdit *first_, *last_, *hour_, *minute_, *zoneHours_, *zoneMinutes_, *dstHours_,
      *dstMinutes_, *day_, *year_, *place_, *lonDegrees_, *lonMinutes_, *latDegrees_,
      *latMinutes_;
  QComboBox* month_;
  QButtonGroup *amPm_, *westEast_, *northSouth_;
  ChartDataFields accepted_;
};

/// The index of the checked button of a two-button group, 0 when none is.
int checkedIndex(const QButtonGroup* group);
/// Checks button `index` (0 or 1); any other value leaves both unchecked.
void setChecked(QButtonGroup* group, int index);

}  // namespace sarvexa
