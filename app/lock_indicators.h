#pragma once
// The status bar's Caps, Num and Scroll Lock indicators: "CAP", "NUM" and
// "SCRL" while the lock is on, empty while it is off. The keyboard is read
// again after every key released in the program and whenever the program
// comes back to the front, where another program may have changed a lock.

#include <QObject>
#include <QString>
#include <array>

#include "app/lock_keys.h"

class QLabel;
class QStatusBar;

namespace sarvexa {

class LockIndicators final : public QObject {
  Q_OBJECT

 public:
  /// Adds the three indicators to `bar` with the keyboard's states now.
  explicit LockIndicators(QStatusBar& bar);
  ~LockIndicators() override;

  void show(const LockKeyStates& states);
  /// The text of indicator `index` (0 Caps, 1 Num, 2 Scroll Lock); empty
  /// for any other index.
  QString text(int index) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QLabel*, 3> labels_{};
};

}  // namespace sarvexa
