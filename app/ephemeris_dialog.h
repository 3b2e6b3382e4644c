#pragma once
// "Ephemeris": the start date and the interval of the Ephemeris page.

#include "app/form_dialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace sarvexa {

/// The dialog's four values.
struct EphemerisDialogValues {
  int day = 1;         ///< 0..31 (0 is the last day of the month before)
  int monthIndex = 0;  ///< 0 = "Jan" .. 11
  int year = 2000;     ///< 1800..2100
  int interval = 0;    ///< 0 Daily, 1 Weekly, 2 Monthly, 3 Yearly
  friend bool operator==(const EphemerisDialogValues&, const EphemerisDialogValues&) = default;
};

class EphemerisDialog final : public FormDialog {
  Q_OBJECT

public:
  explicit EphemerisDialog(QWidget* parent = nullptr);

  void setValues(const EphemerisDialogValues& values);
  /// The values accepted with OK.
  const EphemerisDialogValues& values() const { return accepted_; }

protected:
  bool validateAndStore() override;

private:
  QLineEdit *day_, *year_;
  QComboBox* month_;
  QButtonGroup* interval_;
  EphemerisDialogValues accepted_;
};

}  // namespace sarvexa
