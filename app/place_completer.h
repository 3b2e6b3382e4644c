#pragma once
// Completion of a place field from the atlas: as the user types, the
// matching places ("Name, State, Country") drop down under the field;
// choosing one hands the place to the dialog, which fills its coordinates
// and zone. The atlas is asked only when the user types, so the place list
// is read on the first keystroke, not when the window opens.

#include <QObject>
#include <functional>
#include <vector>

#include "document/place_search.h"

class QCompleter;
class QLineEdit;
class QStringListModel;

namespace sarvexa {

class Atlas;

class PlaceCompleter final : public QObject {
  Q_OBJECT

 public:
  using Chosen = std::function<void(const AtlasPlace&)>;

  /// Attaches to `edit`; `atlas` must outlive the completer.
  PlaceCompleter(QLineEdit* edit, Atlas& atlas, Chosen chosen);

  /// Places offered in the list shown now (for tests).
  const std::vector<AtlasPlace>& offered() const { return offered_; }
  QCompleter* completer() const { return completer_; }

  /// Offers the places matching `text` and opens the list (what typing does).
  void search(const QString& text);
  /// Chooses the offered place at `row` (what clicking it does).
  void choose(int row);

 private:
  QLineEdit* edit_;
  Atlas& atlas_;
  Chosen chosen_;
  QCompleter* completer_;
  QStringListModel* model_;
  std::vector<AtlasPlace> offered_;
};

}  // namespace sarvexa
