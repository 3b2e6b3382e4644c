#pragma once
// "Set Location for Prasna": the place a chart of the present moment is cast
// for. Exchanged and checked through document/prasna.h, in the order of
// PrasnaLocationFields.

#include <QMap>
#include <memory>

#include "app/form_dialog.h"
#include "app/place_group.h"
#include "document/prasna.h"
#include "document/present.h"

class QLineEdit;

namespace sarvexa {

class Atlas;

class PrasnaLocationDialog final : public FormDialog {
  Q_OBJECT

 public:
  explicit PrasnaLocationDialog(QWidget* parent = nullptr);

  void setFields(const PrasnaLocationFields& fields);
  /// The values accepted with OK.
  const PrasnaLocationFields& fields() const { return accepted_; }
  QWidget* control(int controlId) const { return controls_.value(controlId); }

  /// Turns on completion of the place from the atlas; a chosen place fills
  /// the coordinates, and Zone and DST in force at the instant `present`.
  /// `atlas` must outlive the dialog.
  void setAtlas(Atlas* atlas, Instant present);
  /// The place controls and the place search.
  const PlaceGroup& placeGroup() const { return *where_; }

 protected:
  bool validateAndStore() override;

 private:
  QMap<int, QWidget*> controls_;
  QLineEdit* place_;
  std::unique_ptr<PlaceGroup> where_;  // longitude, latitude, zone, DST
  PrasnaLocationFields accepted_;
  // The IANA zone Zone and DST came from; empty once they are typed by hand.
  std::string zoneName_;
};

}  // namespace sarvexa
