// The data-entry dialogs on their own: initial values, tab order, the order
// of the OK checks and what a failed check does.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <span>

#include "app/chart_data_dialog.h"
#include "app/ephemeris_dialog.h"
#include "app/prasna_location_dialog.h"
#include "app/transit_dialog.h"

namespace sarvexa {
namespace {

QString textOf(QWidget* w) {
  auto* edit = qobject_cast<QLineEdit*>(w);
  return edit ? edit->text() : QString();
}

void setText(QWidget* w, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(w);
  ASSERT_NE(edit, nullptr);
  edit->setText(text);
}

bool isChecked(QWidget* w) {
  auto* radio = qobject_cast<QRadioButton*>(w);
  return radio && radio->isChecked();
}

// One row per field of "Chart Data", in the order of the OK checks, with a
// text the check refuses and the range (or whole-number request) named.
struct BadField {
  int controlId;
  const char* badText;
  const char* expected;
};
constexpr BadField kChartDataBadFields[] = {
    {1006, "13", "between 1 and 12"},   {1008, "5x", "Please enter an integer."},
    {1017, "32", "between 1 and 31"},   {1018, "1699", "between 1700 and 2300"},
    {1020, "180", "between 0 and 179"}, {1023, "60", "between 0 and 59"},
    {1024, "90", "between 0 and 89"},   {1027, "60", "between 0 and 59"},
    {1011, "13", "between 0 and 12"},   {1029, "60", "between 0 and 59"},
    {1030, "13", "between 0 and 12"},   {1028, "60", "between 0 and 59"},
};

TEST(ChartDataDialog, OpensWithTheInitialValuesAndFocusInTheFirstName) {
  ChartDataDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "Chart Data");
  EXPECT_EQ(textOf(dialog.control(1006)), "1");
  EXPECT_EQ(textOf(dialog.control(1008)), "0");
  EXPECT_EQ(textOf(dialog.control(1017)), "1");
  EXPECT_EQ(textOf(dialog.control(1018)), "1997");
  auto* month = qobject_cast<QComboBox*>(dialog.control(1016));
  ASSERT_NE(month, nullptr);
  ASSERT_EQ(month->count(), 12);
  EXPECT_EQ(month->itemText(0), "Jan");
  EXPECT_EQ(month->itemText(11), "Dec");
  EXPECT_TRUE(isChecked(dialog.control(1009)));  // AM
  EXPECT_TRUE(isChecked(dialog.control(1021)));  // West
  EXPECT_TRUE(isChecked(dialog.control(1025)));  // North
  EXPECT_EQ(dialog.focusWidget(), dialog.control(1002));
}

TEST(ChartDataDialog, DigitFieldsRefuseOtherCharactersButMinutesTakeAnything) {
  ChartDataDialog dialog;
  for (int id : {1006, 1017, 1018, 1020, 1023, 1024, 1027, 1011, 1029, 1030, 1028}) {
    SCOPED_TRACE(id);
    auto* edit = qobject_cast<QLineEdit*>(dialog.control(id));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(edit->validator(), nullptr);
    QString text = QStringLiteral("1a");
    int pos = 0;
    EXPECT_EQ(edit->validator()->validate(text, pos), QValidator::Invalid);
  }
  auto* minutes = qobject_cast<QLineEdit*>(dialog.control(1008));
  EXPECT_EQ(minutes->validator(), nullptr);
  auto* place = qobject_cast<QLineEdit*>(dialog.control(1019));
  EXPECT_EQ(place->maxLength(), 32);
}

// The next widget Tab moves to (labels and group boxes take no focus,
// hidden and disabled widgets are passed over).
QWidget* nextTabStop(QWidget* w) {
  QWidget* next = w->nextInFocusChain();
  while (next != w &&
         (!(next->focusPolicy() & Qt::TabFocus) || next->isHidden() || !next->isEnabled()))
    next = next->nextInFocusChain();
  return next;
}

TEST(ChartDataDialog, TabOrderFollowsTheFieldTable) {
  ChartDataDialog dialog;
  // The table's order, with the zone's side button beside the zone fields
  // (the atlas rows are disabled without an atlas), OK and Cancel last.
  QList<QWidget*> order;
  for (int id : {1002, 1004, 1006, 1008, 1009, 1010, 1011, 1029}) order << dialog.control(id);
  order << dialog.placeGroup().zoneSide;
  for (int id : {1030, 1028, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027,
                 1031, 2})
    order << dialog.control(id);
  for (qsizetype i = 1; i < order.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(nextTabStop(order[i - 1]), order[i]);
  }
}

// For each row of `fields` (in the dialog's order of checks), that field
// and every later one are made bad: only that one may be named, and focused.
template <typename Dialog>
void ExpectFirstBadFieldNamedAndFocused(std::span<const BadField> fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const BadField& row = fields[i];
    SCOPED_TRACE(row.controlId);
    Dialog dialog;
    QStringList shown;
    dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
    for (std::size_t j = i; j < fields.size(); ++j)
      setText(dialog.control(fields[j].controlId), fields[j].badText);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(QLatin1String(row.expected))) << shown.front().toStdString();
    EXPECT_EQ(dialog.focusWidget(), dialog.control(row.controlId));
  }
}

TEST(ChartDataDialog, TheFirstFailingFieldInOrderIsNamedAndFocused) {
  ExpectFirstBadFieldNamedAndFocused<ChartDataDialog>(kChartDataBadFields);
}

TEST(ChartDataDialog, AnEmptyDigitFieldAsksForAWholeNumber) {
  ChartDataDialog dialog;
  QStringList shown;
  dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
  setText(dialog.control(1018), "");
  dialog.accept();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown.front(), "Please enter an integer.");
  EXPECT_EQ(dialog.focusWidget(), dialog.control(1018));
}

TEST(ChartDataDialog, AcceptedValuesCarryTheRadioChoices) {
  ChartDataDialog dialog;
  dialog.setMessageSink([](QWidget*, const QString&) { FAIL() << "unexpected refusal"; });
  setText(dialog.control(1002), "Ann");
  setText(dialog.control(1004), "Lee");
  setText(dialog.control(1006), "4");
  setText(dialog.control(1008), "5");
  qobject_cast<QRadioButton*>(dialog.control(1010))->setChecked(true);
  qobject_cast<QComboBox*>(dialog.control(1016))->setCurrentIndex(2);
  setText(dialog.control(1017), "7");
  setText(dialog.control(1018), "1962");
  setText(dialog.control(1019), "Pune, India");
  setText(dialog.control(1020), "73");
  setText(dialog.control(1023), "51");
  qobject_cast<QRadioButton*>(dialog.control(1022))->setChecked(true);
  setText(dialog.control(1024), "18");
  setText(dialog.control(1027), "31");
  setText(dialog.control(1011), "5");
  setText(dialog.control(1029), "30");
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  const ChartDataFields& f = dialog.fields();
  EXPECT_EQ(f.firstName, "Ann");
  EXPECT_EQ(f.lastName, "Lee");
  EXPECT_EQ(f.hour, 4);
  EXPECT_EQ(f.minute, 5);
  EXPECT_EQ(f.isPm, 1);
  EXPECT_EQ(f.monthIndex, 2);
  EXPECT_EQ(f.day, 7);
  EXPECT_EQ(f.year, 1962);
  EXPECT_EQ(f.place, "Pune, India");
  EXPECT_EQ(f.lonDegrees, 73);
  EXPECT_EQ(f.lonMinutes, 51);
  EXPECT_EQ(f.isEast, 1);
  EXPECT_EQ(f.latDegrees, 18);
  EXPECT_EQ(f.latMinutes, 31);
  EXPECT_EQ(f.isSouth, 0);
  EXPECT_EQ(f.zoneHours, 5);
  EXPECT_EQ(f.zoneMinutes, 30);
}

TEST(ChartDataDialog, SetFieldsShowsEveryValue) {
  ChartDataFields f;
  f.firstName = "Ravi";
  f.hour = 11;
  f.minute = 59;
  f.monthIndex = 10;
  f.isPm = 1;
  f.isSouth = 1;
  f.zoneHours = 5;
  f.zoneMinutes = 30;
  f.isEast = 1;
  ChartDataDialog dialog;
  dialog.setFields(f);
  EXPECT_EQ(textOf(dialog.control(1002)), "Ravi");
  EXPECT_EQ(textOf(dialog.control(1006)), "11");
  EXPECT_EQ(textOf(dialog.control(1008)), "59");
  EXPECT_EQ(qobject_cast<QComboBox*>(dialog.control(1016))->currentText(), "Nov");
  EXPECT_TRUE(isChecked(dialog.control(1010)));
  EXPECT_FALSE(isChecked(dialog.control(1009)));
  EXPECT_TRUE(isChecked(dialog.control(1022)));
  EXPECT_TRUE(isChecked(dialog.control(1026)));
  EXPECT_EQ(textOf(dialog.control(1011)), "5");
  EXPECT_EQ(textOf(dialog.control(1029)), "30");
}

// "Set Location for Prasna": its own order, and 0..11 daylight-saving hours.
constexpr BadField kPrasnaBadFields[] = {
    {1030, "12", "between 0 and 11"},   {1028, "60", "between 0 and 59"},
    {1024, "90", "between 0 and 89"},   {1027, "60", "between 0 and 59"},
    {1020, "180", "between 0 and 179"}, {1023, "60", "between 0 and 59"},
    {1011, "13", "between 0 and 12"},   {1029, "60", "between 0 and 59"},
};

TEST(PrasnaLocationDialog, TheFirstFailingFieldInOrderIsNamedAndFocused) {
  ExpectFirstBadFieldNamedAndFocused<PrasnaLocationDialog>(kPrasnaBadFields);
}

TEST(PrasnaLocationDialog, ShowsAndReturnsMagnitudesAndFlags) {
  PrasnaLocationFields f;
  f.place = "Delhi";
  f.lonDegrees = 77;
  f.lonMinutes = 13;
  f.isEast = 1;
  f.latDegrees = 28;
  f.latMinutes = 39;
  f.zoneHours = 5;
  f.zoneMinutes = 30;
  PrasnaLocationDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "Set Location for Prasna");
  dialog.setFields(f);
  EXPECT_EQ(textOf(dialog.control(1019)), "Delhi");
  EXPECT_TRUE(isChecked(dialog.control(1022)));
  EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.control(1019))->maxLength(), 30);
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.fields(), f);
}

TEST(TransitDialog, ChecksInItsOwnOrder) {
  // day, month, year, hour, latitude, longitude, then minutes, zone and DST.
  const BadField rows[] = {
      {1017, "0", "between 1 and 31"},  {1018, "2301", "between 1700 and 2300"},
      {1006, "0", "between 1 and 12"},  {1024, "90", "between 0 and 89"},
      {1027, "60", "between 0 and 59"}, {1020, "180", "between 0 and 179"},
      {1023, "60", "between 0 and 59"}, {1008, "60", "between 0 and 59"},
      {1012, "13", "between 0 and 12"}, {1031, "60", "between 0 and 59"},
      {1032, "3", "between 0 and 2"},   {1033, "", "Please enter an integer."},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].controlId);
    TransitDialog dialog;
    TransitDialogValues v;
    dialog.setValues(v);
    QStringList shown;
    dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
    for (std::size_t j = i; j < std::size(rows); ++j)
      setText(dialog.control(rows[j].controlId), rows[j].badText);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(QLatin1String(rows[i].expected)))
        << shown.front().toStdString();
    EXPECT_EQ(dialog.focusWidget(), dialog.control(rows[i].controlId));
  }
}

TEST(TransitDialog, AMorningHourLeavesBothRadioButtonsClear) {
  TransitDialog dialog;
  TransitDialogValues v;
  v.hour12 = 9;
  v.isPm = 0;
  dialog.setValues(v);
  EXPECT_FALSE(isChecked(dialog.control(1009)));
  EXPECT_FALSE(isChecked(dialog.control(1010)));
  v.isPm = 1;
  dialog.setValues(v);
  EXPECT_TRUE(isChecked(dialog.control(1010)));
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.values().isPm, 1);
  EXPECT_EQ(dialog.values().hour12, 9);
}

TEST(EphemerisDialog, AcceptsDayZeroAndRefusesYearsOutsideItsRange) {
  EphemerisDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "Ephemeris");
  QStringList shown;
  dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
  dialog.setValues(EphemerisDialogValues{0, 1, 2100, EphemerisInterval::Yearly});
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.values(), (EphemerisDialogValues{0, 1, 2100, EphemerisInterval::Yearly}));
  EXPECT_TRUE(shown.isEmpty());

  EphemerisDialog second;
  second.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
  second.setValues(EphemerisDialogValues{1, 0, 1799, EphemerisInterval::Daily});
  second.accept();
  EXPECT_NE(second.result(), QDialog::Accepted);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown.front(), "Please enter an integer between 1800 and 2100.");
}

TEST(EphemerisDialog, AnEmptyFieldAsksForAWholeNumberBeforeItsRange) {
  // Day and year in turn left empty: the message asks for a number and the
  // emptied field takes the focus.
  for (const char* name : {"day", "year"}) {
    SCOPED_TRACE(name);
    EphemerisDialog dialog;
    QStringList shown;
    dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
    auto* edit = dialog.findChild<QLineEdit*>(QLatin1String(name));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front(), "Please enter an integer.");
    EXPECT_EQ(dialog.focusWidget(), edit);
  }
}

TEST(TransitDialog, AnEmptyHourAsksForAWholeNumber) {
  TransitDialog dialog;
  dialog.setValues(TransitDialogValues{});
  QStringList shown;
  dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
  setText(dialog.control(1006), "");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(shown, QStringList({"Please enter an integer."}));
  EXPECT_EQ(dialog.focusWidget(), dialog.control(1006));
}

TEST(ChartDataDialog, AStoredPlaceLongerThanTheLimitIsShownWholeAndRefused) {
  // A chart file may hold a place longer than the dialog admits: Edit shows
  // it uncut, OK names the place field, and a shortened place is accepted.
  const QString longPlace = QString(40, QLatin1Char('p'));
  ChartDataDialog dialog;
  ChartDataFields f;
  f.place = longPlace.toStdString();
  dialog.setFields(f);
  EXPECT_EQ(textOf(dialog.control(1019)), longPlace);
  QStringList shown;
  dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(shown, QStringList({"Enter no more than 32 characters."}));
  EXPECT_EQ(dialog.focusWidget(), dialog.control(1019));
  setText(dialog.control(1019), longPlace.left(32));
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.fields().place, std::string(32, 'p'));
}

TEST(PrasnaLocationDialog, AStoredPlaceLongerThanTheLimitIsShownWholeAndRefused) {
  const QString longPlace = QString(31, QLatin1Char('q'));
  PrasnaLocationDialog dialog;
  PrasnaLocationFields f;
  f.place = longPlace.toStdString();
  dialog.setFields(f);
  EXPECT_EQ(textOf(dialog.control(1019)), longPlace);
  QStringList shown;
  dialog.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(shown, QStringList({"Enter no more than 30 characters."}));
  EXPECT_EQ(dialog.focusWidget(), dialog.control(1019));
}

}  // namespace
}  // namespace sarvexa
