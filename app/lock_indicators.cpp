#include "app/lock_indicators.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>

namespace sarvexa {

namespace {
constexpr const char* kNames[3] = {"CAP", "NUM", "SCRL"};
}  // namespace

LockIndicators::LockIndicators(QStatusBar& bar) : QObject(&bar) {
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    auto* label = new QLabel(&bar);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QLatin1String(kNames[i])) + 8);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar.addPermanentWidget(label);
    labels_[i] = label;
  }
  show(QueryLockKeys().value_or(LockKeyStates{}));
  QCoreApplication::instance()->installEventFilter(this);
}

LockIndicators::~LockIndicators() { QCoreApplication::instance()->removeEventFilter(this); }

void LockIndicators::show(const LockKeyStates& states) {
  const bool on[3] = {states.caps, states.num, states.scroll};
  for (std::size_t i = 0; i < labels_.size(); ++i)
    labels_[i]->setText(on[i] ? QLatin1String(kNames[i]) : QString());
}

QString LockIndicators::text(int index) const {
  return index >= 0 && index < 3 ? labels_[static_cast<std::size_t>(index)]->text() : QString();
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event) {
  // Read after the key has changed the lock.
  if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ApplicationActivate) {
    if (const auto locks = QueryLockKeys()) show(*locks);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace sarvexa
