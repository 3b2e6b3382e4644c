#pragma once
// For the whole-process start-up figure (scripts/bench-startup): ends a
// program's event loop once a widget has been painted for the first time.
// The quit is queued, so the window system's paint of the whole window (the
// widget's parents and siblings included) is finished first.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace sarvexa {

class QuitAfterFirstPaint final : public QObject {
 public:
  explicit QuitAfterFirstPaint(QWidget& widget) : QObject(&widget) {
    widget.installEventFilter(this);
    // A window that never paints fails the run instead of hanging it.
    QTimer::singleShot(10000, this, [] { QCoreApplication::exit(1); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace sarvexa
