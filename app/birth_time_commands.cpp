#include "app/birth_time_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "app/commands.h"
#include "app/prompter.h"
#include "document/chart_document.h"

namespace sarvexa {

namespace {
// How long the status bar tells that a step stopped at the edge.
constexpr int kEdgeMessageMs = 8000;
}  // namespace

BirthTimeCommands::BirthTimeCommands(ChartDocument& document, UiPrompter& prompter, QWidget& window,
                                     const std::function<QAction*(int id)>& makeAction,
                                     std::function<void()> chartChanged)
    : QObject(&window),
      document_(document),
      prompter_(prompter),
      window_(window),
      chartChanged_(std::move(chartChanged)) {
  using namespace command;
  // Holding a key steps again and again; each step repaints.
  earlier_ = makeAction(BirthTimeEarlier);
  later_ = makeAction(BirthTimeLater);
  connect(earlier_, &QAction::triggered, this, [this] { step(false); });
  connect(later_, &QAction::triggered, this, [this] { step(true); });
  auto* group = new QActionGroup(this);
  for (BirthStep s : kBirthSteps) {
    QAction* a = makeAction(BirthStepFirst + static_cast<int>(s));
    a->setCheckable(true);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, s] { document_.setBirthStep(s); });
    steps_[static_cast<std::size_t>(s)] = a;
  }
  reset_ = makeAction(BirthTimeReset);
  connect(reset_, &QAction::triggered, this, [this] {
    document_.resetBirthTime();
    chartChanged_();
  });
}

void BirthTimeCommands::addToMenu(QMenu& edit) {
  edit.addAction(earlier_);
  edit.addAction(later_);
  QMenu* steps = edit.addMenu(QStringLiteral("Birth Time S&tep"));
  for (QAction* a : steps_) steps->addAction(a);
  edit.addAction(reset_);
}

void BirthTimeCommands::addToStatusBar(QStatusBar& bar) {
  bar_ = &bar;
  field_ = new QLabel(&bar);
  field_->setObjectName(QStringLiteral("steppedTime"));
  bar.insertPermanentWidget(0, field_);
  refresh();
}

QString BirthTimeCommands::steppedText() const {
  if (document_.birthOffset() == 0) return {};
  return QString::fromStdString(SteppedTimeText(document_.enteredBirth(), document_.birthOffset()));
}

void BirthTimeCommands::refresh() {
  if (field_) {
    field_->setText(steppedText());
    field_->setVisible(document_.birthOffset() != 0);
  }
  steps_[static_cast<std::size_t>(document_.birthStep())]->setChecked(true);
  reset_->setEnabled(document_.birthOffset() != 0);
}

void BirthTimeCommands::step(bool later) {
  const Result<ChartDocument::StepOutcome> stepped = document_.stepBirthTime(later);
  if (!stepped) {
    prompter_.showMessage(&window_, QMessageBox::Warning, QString::fromStdString(stepped.error()));
    return;
  }
  chartChanged_();
  if (stepped->stoppedAtEdge && bar_) {
    bar_->showMessage(QString::fromStdString(
                          StepEdgeText(document_.enteredBirth(), document_.birthOffset(), later)),
                      kEdgeMessageMs);
  }
}

}  // namespace sarvexa
