#pragma once
// The birth-time commands of the Edit menu and the toolbar: Birth Time
// Earlier and Later by the chosen step (1 minute, 5 minutes, 1 hour, 1 day),
// the step itself and Reset Birth Time, with the status-bar field that shows
// the stepped time and its distance from the entered one. The chart document
// keeps the entered time, the offset and the step; this connects the
// commands to it and tells the user what happened.

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QWidget;

namespace sarvexa {

class ChartDocument;
class UiPrompter;

class BirthTimeCommands final : public QObject {
  Q_OBJECT

 public:
  /// Makes the commands' actions through `makeAction` (which gives the
  /// action of a command id, kept by the window). `chartChanged` repaints
  /// the window after a step. `document` and `prompter` must outlive this.
  BirthTimeCommands(ChartDocument& document, UiPrompter& prompter, QWidget& window,
                    const std::function<QAction*(int id)>& makeAction,
                    std::function<void()> chartChanged);

  /// Earlier, Later, the "Birth Time Step" sub-menu and Reset Birth Time.
  void addToMenu(QMenu& edit);
  /// The field of the stepped time, left of the lock-key indicators.
  void addToStatusBar(QStatusBar& bar);
  /// Shows the document's state: the stepped time (hidden at the entered
  /// time), the step checked, Reset enabled while stepped.
  void refresh();
  /// The stepped time's field: "7:42 AM, +12 min", empty at the entered time.
  QString steppedText() const;

  /// One step later (`later`) or earlier; a step stopped at the edge of
  /// the years says so in the status bar, a failure in a message.
  void step(bool later);

 private:
  ChartDocument& document_;
  UiPrompter& prompter_;
  QWidget& window_;
  std::function<void()> chartChanged_;
  QAction* earlier_ = nullptr;
  QAction* later_ = nullptr;
  std::array<QAction*, 4> steps_{};  ///< keyed by BirthStep
  QAction* reset_ = nullptr;
  QLabel* field_ = nullptr;
  QStatusBar* bar_ = nullptr;
};

}  // namespace sarvexa
