#include "app/place_completer.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

#include "document/atlas.h"

namespace sarvexa {
namespace {
// Enough to choose from without scrolling.
constexpr std::size_t kOffered = 12;
}  // namespace

PlaceCompleter::PlaceCompleter(QLineEdit* edit, Atlas& atlas, Chosen chosen)
    : QObject(edit), edit_(edit), atlas_(atlas), chosen_(std::move(chosen)) {
  model_ = new QStringListModel(this);
  completer_ = new QCompleter(model_, this);
  // The atlas has already matched (ignoring accents); the completer's own
  // prefix filter would drop "Bogotá" for "Bogota".
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setWidget(edit_);
  connect(edit_, &QLineEdit::textEdited, this, &PlaceCompleter::search);
  connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { choose(index.row()); });
}

void PlaceCompleter::search(const QString& text) {
  offered_.clear();
  QStringList shown;
  for (const AtlasPlace* p : atlas_.Places().Search(text.toStdString(), kOffered)) {
    offered_.push_back(*p);
    shown << QString::fromStdString(PlaceDisplayName(*p));
  }
  model_->setStringList(shown);
  if (shown.isEmpty()) {
    completer_->popup()->hide();
  } else {
    completer_->complete();
  }
}

void PlaceCompleter::choose(int row) {
  if (row < 0 || row >= static_cast<int>(offered_.size())) return;
  const AtlasPlace place = offered_[static_cast<std::size_t>(row)];
  completer_->popup()->hide();
  chosen_(place);
}

}  // namespace sarvexa
