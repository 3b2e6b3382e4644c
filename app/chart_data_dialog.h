#pragma once
// "Chart Data": the birth data of a new chart (File > New) or of the chart
// shown (Edit > Chart Data). The fields are exchanged and checked through
// document/chart_data.h, in the order of ChartDataFields.

#include <QMap>
#include <memory>

#include "app/form_dialog.h"
#include "app/place_group.h"
#include "document/chart_data.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sarvexa {

class Atlas;
struct AtlasPlace;

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

  /// Turns on the atlas: completion of the Place field, the zone picker and
  /// Zone and DST filled for the dialog's date and time. `atlas` must
  /// outlive the dialog. Without it the dialog works as before.
  void setAtlas(Atlas* atlas);
  /// Takes `zoneName` as the chart's zone, as the zone picker does.
  void chooseZone(const QString& zoneName);

  /// The place controls and the place search.
  const PlaceGroup& placeGroup() const { return *where_; }
  QComboBox* zonePicker() const { return zonePicker_; }
  QComboBox* foldChoice() const { return fold_; }

 protected:
  bool validateAndStore() override;

 private:
  /// Zone, DST and the zone's texts for the dialog's date and time, then
  /// the rows under the table laid out again.
  void refreshZone();
  void updateZone();
  /// Fills the place fields from an atlas place, then Zone and DST for the
  /// dialog's date and time (what choosing from the completion list does).
  void choosePlace(const AtlasPlace& place);

  QMap<int, QWidget*> controls_;
  QComboBox* zonePicker_ = nullptr;
  QComboBox* fold_ = nullptr;
  // The zone Zone and DST follow; empty once they are typed by hand.
  QString zoneName_;
  // Longitude of the place chosen from the atlas (positive east), for its
  // local mean time; unset for a place typed by hand.
  std::optional<double> atlasLonDegEast_;
  bool filling_ = false;
  QLineEdit *first_, *last_, *hour_, *minute_, *day_, *year_, *place_;
  QComboBox* month_;
  QButtonGroup* amPm_;
  std::unique_ptr<PlaceGroup> where_;  // longitude, latitude, zone, DST
  ChartDataFields accepted_;
};

}  // namespace sarvexa
