#include "app/chart_data_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "document/atlas.h"
#include "document/atlas_fill.h"

namespace sarvexa {
namespace {

// Where "Chart Data" puts the place controls: coordinates in the Place group,
// zone and DST on the Time group's second row.
const PlaceGroupLayout kChartDataPlace = {
    .lonLabel = {10, 140, 40, 8},
    .lonDegrees = {50, 140, 20, 12},
    .west = {76, 137, 33, 10},
    .east = {76, 146, 30, 10},
    .lonMinutes = {110, 140, 20, 12},
    .latLabel = {10, 160, 30, 15},
    .latDegrees = {50, 160, 20, 12},
    .north = {75, 155, 33, 10},
    .south = {75, 165, 35, 10},
    .latMinutes = {110, 160, 20, 12},
    .zoneText = " Zone:",
    .zoneLabel = {15, 65, 22, 8},
    .zoneHours = {40, 65, 15, 12},
    .zoneMinutes = {55, 65, 15, 12},
    .zoneSide = {71, 65, 16, 12},
    .dstLabel = {90, 65, 18, 8},
    .dstHours = {110, 65, 15, 12},
    .dstMinutes = {125, 65, 15, 12},
    .zoneNameRow = {10, 200, 150, 8},
    .zoneWarningRow = {10, 210, 150, 8},
};

// The fold choice list: nothing chosen yet, then the two offsets.
enum FoldRow { kFoldUnchosen = 0, kFoldEarlier = 1, kFoldLater = 2 };

std::optional<int> Number(const QLineEdit* edit) {
  return ParseWholeNumber(edit->text().toStdString());
}

}  // namespace

ChartDataDialog::ChartDataDialog(QWidget* parent)
    : FormDialog(QStringLiteral("Chart Data"), 172, 274, parent) {
  addGroup(QStringLiteral("Name"), 5, 5, 160, 30);
  addGroup(QStringLiteral("Time"), 5, 35, 160, 45);
  addGroup(QStringLiteral("Date"), 5, 80, 160, 30);
  addGroup(QStringLiteral("Place"), 5, 115, 160, 65);

  addLabel(QStringLiteral("First:"), 15, 15, 16, 8);
  first_ = addEdit("firstName", 35, 15, 40, 12, false);
  addLabel(QStringLiteral("Last:"), 80, 15, 16, 8);
  last_ = addEdit("lastName", 100, 15, 55, 12, false);

  addLabel(QStringLiteral("Hour:"), 15, 50, 18, 8);
  hour_ = addEdit("hour", 40, 50, 20, 12, true);
  addLabel(QStringLiteral("Minutes:"), 65, 50, 25, 10);
  minute_ = addEdit("minute", 95, 50, 20, 12, false);
  auto* am = addRadio("am", QStringLiteral("AM"), 125, 45, 27, 10);
  auto* pm = addRadio("pm", QStringLiteral("PM"), 125, 55, 27, 10);
  amPm_ = makeRadioGroup(am, pm);

  addLabel(QStringLiteral("Month:"), 10, 90, 23, 8);
  month_ = addMonthList("monthIndex", 40, 90, 35, 120);
  addLabel(QStringLiteral("Day"), 75, 90, 14, 8);
  day_ = addEdit("day", 90, 90, 15, 12, true);
  addLabel(QStringLiteral("Year"), 115, 90, 16, 8);
  year_ = addEdit("year", 135, 90, 25, 12, true);

  place_ = addEdit("place", 10, 125, 150, 12, false, kChartDataPlaceMaxChars);
  where_ = std::make_unique<PlaceGroup>(*this, kChartDataPlace);
  PlaceGroup& g = *where_;

  // The atlas rows under the Place group: the IANA zone picker, the zone's
  // name and kind of time for the moment, and a gap or overlap warning with
  // the choice of offset; then OK and Cancel.
  // The group turns the side and marks it set apart; a side set by hand
  // overrides the atlas zone.
  connect(g.zoneSide, &QPushButton::clicked, this, [this] {
    zoneName_.clear();
    refreshZone();
  });
  QLabel* zoneNameLabel = addLabel(QStringLiteral("Zone name:"), 10, 186, 40, 8);
  zonePicker_ = new QComboBox(this);
  zonePicker_->setObjectName(QStringLiteral("zoneName"));
  zonePicker_->setEditable(true);
  zonePicker_->setInsertPolicy(QComboBox::NoInsert);
  QRect pickerRect = dluRect(52, 186, 108, 12);
  pickerRect.setHeight(std::max(pickerRect.height(), zonePicker_->minimumSizeHint().height()));
  zonePicker_->setGeometry(pickerRect);
  zonePicker_->setEnabled(false);
  g.zoneWarningRow->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  fold_ = new QComboBox(this);
  fold_->setObjectName(QStringLiteral("fold"));
  fold_->addItems({QStringLiteral("Choose offset"), QStringLiteral("Earlier offset"),
                   QStringLiteral("Later offset")});
  QRect foldRect = dluRect(10, 220, 70, 12);
  foldRect.setWidth(std::max(foldRect.width(), fold_->minimumSizeHint().width()));
  fold_->setGeometry(foldRect);
  fold_->hide();
  auto* ok = addButton("ok", QStringLiteral("OK"), 15, 230, 50, 14, true);
  auto* cancel = addButton("cancel", QStringLiteral("Cancel"), 105, 230, 50, 14, false);
  connect(ok, &QPushButton::clicked, this, &ChartDataDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &ChartDataDialog::reject);
  setTrailing(186, {{zoneNameLabel, zonePicker_}, {g.zoneNameRow}, {g.zoneWarningRow}, {fold_}},
              {ok, cancel});
  connect(fold_, &QComboBox::currentIndexChanged, this, [this] { refreshZone(); });

  // Zone and DST follow the date and time while they come from a zone.
  for (QLineEdit* e : {hour_, minute_, day_, year_}) {
    connect(e, &QLineEdit::textChanged, this, [this] { refreshZone(); });
  }
  connect(month_, &QComboBox::currentIndexChanged, this, [this] { refreshZone(); });
  connect(amPm_, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) refreshZone();
  });
  // What the user types wins: a zone typed by hand ends the atlas zone, a
  // longitude typed by hand replaces the atlas place's for local mean time.
  for (QLineEdit* e : {g.zoneHours, g.zoneMinutes, g.dstHours, g.dstMinutes}) {
    connect(e, &QLineEdit::textEdited, this, [this] {
      zoneName_.clear();
      zonePicker_->setEditText(QString());
      refreshZone();
    });
  }
  for (QLineEdit* e : {g.lonDegrees, g.lonMinutes}) {
    connect(e, &QLineEdit::textEdited, this, [this] {
      atlasLonDegEast_.reset();
      refreshZone();
    });
  }
  // The zone's side follows the longitude's (in the group) unless the zone
  // came from the atlas.
  g.setSideFollows([this] { return !filling_ && zoneName_.isEmpty(); });
  connect(g.westEast, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (!on || filling_) return;
    atlasLonDegEast_.reset();
    refreshZone();
  });

  controls_ = {
      {1002, first_},     {1004, last_},        {1006, hour_},        {1008, minute_},
      {1009, am},         {1010, pm},           {1011, g.zoneHours},  {1029, g.zoneMinutes},
      {1030, g.dstHours}, {1028, g.dstMinutes}, {1016, month_},       {1017, day_},
      {1018, year_},      {1019, place_},       {1020, g.lonDegrees}, {1021, g.west},
      {1022, g.east},     {1023, g.lonMinutes}, {1024, g.latDegrees}, {1025, g.north},
      {1026, g.south},    {1027, g.latMinutes}, {1031, ok},           {2, cancel}};
  // The fields in the table's order (the zone's side beside the zone), the
  // atlas rows, then OK and Cancel.
  setTabChain({first_,       last_,       hour_,         minute_,      am,
               pm,           g.zoneHours, g.zoneMinutes, g.zoneSide,   g.dstHours,
               g.dstMinutes, month_,      day_,          year_,        place_,
               g.lonDegrees, g.west,      g.east,        g.lonMinutes, g.latDegrees,
               g.north,      g.south,     g.latMinutes,  zonePicker_,  fold_,
               ok,           cancel});

  setFields(ChartDataFields{});
  first_->setFocus();
}

void ChartDataDialog::setFields(const ChartDataFields& f) {
  filling_ = true;
  const auto num = [](int v) { return QString::number(v); };
  first_->setText(QString::fromStdString(f.firstName));
  last_->setText(QString::fromStdString(f.lastName));
  hour_->setText(num(f.hour));
  minute_->setText(num(f.minute));
  day_->setText(num(f.day));
  year_->setText(num(f.year));
  setLimitedText(place_, QString::fromStdString(f.place), kChartDataPlaceMaxChars);
  month_->setCurrentIndex(f.monthIndex >= 0 && f.monthIndex < 12 ? f.monthIndex : 0);
  setChecked(amPm_, f.isPm);
  where_->show(f);
  zoneName_ = QString::fromStdString(f.zoneName);
  atlasLonDegEast_.reset();
  zonePicker_->setEditText(zoneName_);
  fold_->setCurrentIndex(kFoldUnchosen);
  filling_ = false;
  // A stored chart from the atlas: the label tells which zone its Zone and
  // DST came from, and a clock time passed twice keeps the offset it was
  // stored with.
  refreshZone();
  if (!fold_->isHidden()) {
    for (int row : {kFoldEarlier, kFoldLater}) {
      fold_->setCurrentIndex(row);
      if (where_->zoneHours->text() == num(f.zoneHours) &&
          where_->zoneMinutes->text() == num(f.zoneMinutes) &&
          where_->dstHours->text() == num(f.dstHours)) {
        break;
      }
    }
  }
}

void ChartDataDialog::setAtlas(Atlas* atlas) {
  where_->setAtlas(atlas, place_, [this](const AtlasPlace& p) { choosePlace(p); });
  if (!atlas) return;
  QStringList names;
  for (const std::string& n : atlas->ZoneNames()) names << QString::fromStdString(n);
  filling_ = true;
  zonePicker_->addItems(names);
  zonePicker_->setEditText(zoneName_);
  filling_ = false;
  zonePicker_->completer()->setFilterMode(Qt::MatchContains);
  zonePicker_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  zonePicker_->setEnabled(true);
  connect(zonePicker_, &QComboBox::textActivated, this, &ChartDataDialog::chooseZone);
  refreshZone();
}

void ChartDataDialog::choosePlace(const AtlasPlace& p) {
  filling_ = true;
  place_->setText(QString::fromStdString(PlaceFieldText(p, kChartDataPlaceMaxChars)));
  where_->showCoordinates(p);
  filling_ = false;
  atlasLonDegEast_ = p.lonDegEast;
  chooseZone(QString::fromStdString(p.zoneName));
}

void ChartDataDialog::chooseZone(const QString& zoneName) {
  if (filling_) return;
  zoneName_ = zoneName.trimmed();
  where_->setZoneSideChosen(false);
  filling_ = true;
  zonePicker_->setEditText(zoneName_);
  fold_->setCurrentIndex(kFoldUnchosen);
  filling_ = false;
  refreshZone();
}

void ChartDataDialog::refreshZone() {
  if (filling_) return;
  updateZone();
  layoutTrailing();
}

void ChartDataDialog::updateZone() {
  QLabel* zoneNameRow = where_->zoneNameRow;
  zoneNameRow->clear();
  where_->zoneWarningRow->clear();
  if (!where_->atlas() || zoneName_.isEmpty()) {
    fold_->hide();
    return;
  }
  const auto hour = Number(hour_), minute = Number(minute_), day = Number(day_),
             year = Number(year_);
  if (!hour || !minute || !day || !year || *hour < 1 || *hour > 12 || *minute < 0 || *minute > 59 ||
      *day < 1 || *day > 31 || *year < 1700 || *year > 2300) {
    zoneNameRow->setText(zoneName_);
    return;  // the date or time is being typed
  }
  const int hour24 = To24Hour(*hour, checkedIndex(amPm_) == 1);
  const LocalMoment moment{*year, month_->currentIndex() + 1, *day, hour24, *minute};
  const std::string zone = zoneName_.toStdString();
  const auto info = where_->atlas()->ZoneAt(zone, moment);
  if (!info) {
    zoneNameRow->setText(zoneName_ + QStringLiteral(": no such zone"));
    return;
  }
  double lonDegEast = 0;
  if (atlasLonDegEast_) {
    lonDegEast = *atlasLonDegEast_;
  } else {
    const double lon =
        Number(where_->lonDegrees).value_or(0) + Number(where_->lonMinutes).value_or(0) / 60.0;
    lonDegEast = checkedIndex(where_->westEast) == 1 ? lon : -lon;
  }
  FoldChoice fold = FoldChoice::Unresolved;
  fold_->setVisible(info->kind != LocalTimeKind::Unique);
  if (fold_->currentIndex() == kFoldEarlier) fold = FoldChoice::Earlier;
  if (fold_->currentIndex() == kFoldLater) fold = FoldChoice::Later;
  const ZoneFields z = ZoneFieldsFor(*info, zone, lonDegEast, fold);
  filling_ = true;
  where_->showZone(z, false, false);
  filling_ = false;
  zoneNameRow->setText(QString::fromStdString(z.label));
  where_->zoneWarningRow->setText(QString::fromStdString(z.warning));
}

bool ChartDataDialog::validateAndStore() {
  const auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
  ChartDataText t;
  t.firstName = text(first_);
  t.lastName = text(last_);
  t.hour = text(hour_);
  t.minute = text(minute_);
  t.day = text(day_);
  t.year = text(year_);
  t.place = text(place_);
  t.monthIndex = month_->currentIndex();
  t.isPm = checkedIndex(amPm_) == 1;
  where_->read(t);
  t.zoneName = zoneName_.toStdString();

  const auto parse = ParseChartDataText(t);
  if (!parse) {
    QWidget* field = control(parse.error().controlId);
    fail(field ? field : first_, QString::fromStdString(parse.error().message));
    return false;
  }
  // A clock time skipped or passed twice is never settled silently.
  if (!fold_->isHidden() && fold_->currentIndex() == kFoldUnchosen) {
    fail(fold_, where_->zoneWarningText());
    return false;
  }
  accepted_ = *parse;
  return true;
}

}  // namespace sarvexa
