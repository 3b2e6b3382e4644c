#include "app/calculation_settings_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/prompter.h"
#include "document/chart_document.h"

namespace sarvexa {
namespace {

// A drop-down list at a dialog-unit position, one edit line high and as
// wide as its longest item needs.
QComboBox* AddList(FormDialog& dialog, const QRect& rect, const char* name) {
  auto* list = new QComboBox(&dialog);
  list->setObjectName(QLatin1String(name));
  list->setGeometry(rect);
  return list;
}

void Fit(QComboBox* list) {
  QRect r = list->geometry();
  r.setWidth(std::max(r.width(), list->minimumSizeHint().width()));
  r.setHeight(std::max(r.height(), list->minimumSizeHint().height()));
  list->setGeometry(r);
}

}  // namespace

CalculationSettingsDialog::CalculationSettingsDialog(QWidget* parent)
    : FormDialog(QStringLiteral("Calculation Settings"), 200, 118, parent) {
  addLabel(QStringLiteral("Ephemeris:"), 10, 12, 50, 8);
  ephemeris_ = AddList(*this, dluRect(64, 10, 126, 12), "ephemeris");
  ephemeris_->addItems({QStringLiteral("Built-in theory"), QStringLiteral("Swiss Ephemeris")});
  addLabel(QStringLiteral("Ayanamsa:"), 10, 30, 50, 8);
  ayanamsa_ = AddList(*this, dluRect(64, 28, 126, 12), "ayanamsa");
  for (std::string_view title : kAyanamsaTitles)
    ayanamsa_->addItem(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  addLabel(QStringLiteral("Node:"), 10, 48, 50, 8);
  node_ = AddList(*this, dluRect(64, 46, 126, 12), "node");
  node_->addItems({QStringLiteral("True node"), QStringLiteral("Mean node")});
  addLabel(QStringLiteral("Dasha year:"), 10, 66, 50, 8);
  dashaYear_ = AddList(*this, dluRect(64, 64, 70, 12), "dashaYear");
  dashaYear_->setEditable(true);
  for (double days : kNamedDashaYears)
    dashaYear_->addItem(QString::fromStdString(DashaYearText(days)));
  addLabel(QStringLiteral("days"), 140, 66, 30, 8);
  for (QComboBox* list : {ephemeris_, ayanamsa_, node_, dashaYear_}) Fit(list);

  auto* note = addLabel(QStringLiteral("The ayanamsa and the node are chosen with the Swiss "
                                       "Ephemeris; the built-in theory has its own."),
                        10, 0, 180, 8);
  note->setObjectName(QStringLiteral("note"));
  note->setWordWrap(true);
  note->setGeometry(dluRect(10, 0, 180, 8));  // as wide as the lists, as high as it wraps

  auto* ok = addButton("ok", QStringLiteral("OK"), 40, 0, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 110, 0, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &CalculationSettingsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CalculationSettingsDialog::reject);
  setTrailing(84, {{note}}, {ok, cancel});
  setTabChain({ephemeris_, ayanamsa_, node_, dashaYear_, ok, cancel});

  connect(ephemeris_, &QComboBox::currentIndexChanged, this,
          &CalculationSettingsDialog::ephemerisChosen);
  setValues(Conventions{});
  ephemeris_->setFocus();
}

void CalculationSettingsDialog::setValues(const Conventions& c) {
  swissAyanamsa_ = static_cast<int>(c.ayanamsa);
  swissNode_ = static_cast<int>(c.node);
  showingSwiss_ = false;  // nothing shown yet to keep
  const QSignalBlocker quiet(ephemeris_);
  ephemeris_->setCurrentIndex(static_cast<int>(c.ephemeris));
  ephemerisChosen();
  dashaYear_->setEditText(QString::fromStdString(DashaYearText(c.dashaYearDays)));
}

void CalculationSettingsDialog::ephemerisChosen() {
  const bool swiss = ephemeris_->currentIndex() == static_cast<int>(EphemerisKind::Swiss);
  if (showingSwiss_ && !swiss) {
    // Kept for a change of mind.
    swissAyanamsa_ = ayanamsa_->currentIndex();
    swissNode_ = node_->currentIndex();
  }
  showingSwiss_ = swiss;
  const Conventions builtin;
  ayanamsa_->setCurrentIndex(swiss ? swissAyanamsa_ : static_cast<int>(builtin.ayanamsa));
  node_->setCurrentIndex(swiss ? swissNode_ : static_cast<int>(builtin.node));
  ayanamsa_->setEnabled(swiss);
  node_->setEnabled(swiss);
}

bool CalculationSettingsDialog::validateAndStore() {
  const Result<double> year =
      ReadDashaYear(dashaYear_->currentText().trimmed().toStdString(), "The dasha year");
  if (!year) {
    fail(dashaYear_->lineEdit(), QString::fromStdString(year.error()));
    return false;
  }
  accepted_.ephemeris = static_cast<EphemerisKind>(ephemeris_->currentIndex());
  accepted_.ayanamsa = static_cast<Ayanamsa>(ayanamsa_->currentIndex());
  accepted_.node = static_cast<NodeKind>(node_->currentIndex());
  accepted_.dashaYearDays = *year;
  return true;
}

bool AskCalculationSettings(QWidget* parent, UiPrompter& prompter, ChartDocument& document) {
  CalculationSettingsDialog dialog(parent);
  dialog.setValues(document.conventions());
  const std::optional<Conventions> chosen = AcceptedValues(prompter, dialog);
  if (!chosen || *chosen == document.conventions()) return false;
  Result<void> taken = document.setConventions(*chosen);
  const bool changed = taken.ok();
  // No chart yet (the Prasna at start could not be cast under the stored
  // settings): the Prasna under the new ones.
  if (changed && !document.hasChart()) taken = document.castPrasna();
  if (!taken) {
    // The reason reads as a sentence of its own under the first line.
    QString reason = QString::fromStdString(taken.error());
    if (!reason.isEmpty()) reason[0] = reason[0].toUpper();
    prompter.showMessage(parent, QMessageBox::Warning,
                         "The charts cannot be cast with these settings.\n" + reason);
  }
  return changed;
}

}  // namespace sarvexa
