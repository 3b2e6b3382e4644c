#pragma once
// "Calculation Settings" (Edit > Calculation Settings…): the ephemeris, the
// ayanamsa, the node and the dasha year every chart is cast under. The
// ayanamsa and the node are chosen only with the Swiss Ephemeris; the
// built-in theory shows its own (Lahiri, the true node). The dasha year is
// one of the named years or any number of days from 300 to 400.

#include "app/form_dialog.h"
#include "engine/conventions.h"

class QComboBox;
class QWidget;

namespace sarvexa {

class ChartDocument;
class UiPrompter;

class CalculationSettingsDialog final : public FormDialog {
  Q_OBJECT

 public:
  explicit CalculationSettingsDialog(QWidget* parent = nullptr);

  void setValues(const Conventions& conventions);
  /// The conventions accepted with OK.
  const Conventions& values() const { return accepted_; }

 protected:
  bool validateAndStore() override;

 private:
  /// The ayanamsa and node lists follow the ephemeris list.
  void ephemerisChosen();

  QComboBox *ephemeris_, *ayanamsa_, *node_, *dashaYear_;
  Conventions accepted_;
  /// The Swiss Ephemeris's ayanamsa and node while the built-in theory
  /// shows its own, so that choosing it again brings them back.
  int swissAyanamsa_ = 0, swissNode_ = 0;
  bool showingSwiss_ = false;
};

/// Edit > Calculation Settings…: the dialog with the document's conventions;
/// OK hands them to the document, which casts every chart again under them
/// and stores them, or says why it cannot (shown, nothing changed). True
/// when the conventions changed and the pages must be drawn again.
bool AskCalculationSettings(QWidget* parent, UiPrompter& prompter, ChartDocument& document);

}  // namespace sarvexa
