#pragma once
// "Ephemeris": the start date and the interval of the Ephemeris page.

#include "app/form_dialog.h"
#include "document/page_choices.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace sarvexa {

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
