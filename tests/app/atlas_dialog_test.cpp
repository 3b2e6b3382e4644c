// The Chart Data dialog over the system's atlas: a place chosen from the
// completion list fills the place fields, Zone and DST follow the date while
// they come from the atlas, and what the user types wins.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "analysis/sa_transits.h"
#include "app/chart_data_dialog.h"
#include "app/place_completer.h"
#include "app/prasna_location_dialog.h"
#include "app/transit_dialog.h"
#include "atlas/system_atlas.h"

namespace sarvexa {
namespace {

Atlas& SharedAtlas() {
  static const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  return *atlas;
}

QLineEdit* edit(ChartDataDialog& d, int id) { return qobject_cast<QLineEdit*>(d.control(id)); }

// The zone as the dialog shows it: "5:30E+1" (hours:minutes, side, DST).
QString zoneShown(ChartDataDialog& d) {
  return edit(d, 1011)->text() + ":" + edit(d, 1029)->text().rightJustified(2, '0') +
         d.placeGroup().zoneSide->text() + "+" + edit(d, 1030)->text();
}

void setDate(ChartDataDialog& d, int year, int monthIndex, int day, int hour12, int pm) {
  edit(d, 1018)->setText(QString::number(year));
  qobject_cast<QComboBox*>(d.control(1016))->setCurrentIndex(monthIndex);
  edit(d, 1017)->setText(QString::number(day));
  edit(d, 1006)->setText(QString::number(hour12));
  qobject_cast<QRadioButton*>(d.control(pm ? 1010 : 1009))->setChecked(true);
}

// OK: true when the dialog accepted its fields.
bool pressOk(ChartDataDialog& d) {
  d.setResult(QDialog::Rejected);
  d.accept();
  return d.result() == QDialog::Accepted;
}

void choose(ChartDataDialog& d, const char* typed) {
  d.placeGroup().completer()->search(QString::fromUtf8(typed));
  ASSERT_FALSE(d.placeGroup().completer()->offered().empty()) << typed;
  d.placeGroup().completer()->choose(0);
}

TEST(ChartDataDialogAtlas, ChoosingAPlaceFillsPlaceZoneAndDst) {
  const struct {
    const char* typed;
    int year, monthIndex, day, hour12, pm;
    const char* place;
    const char* lon;  // degrees, minutes, side radio checked (1022 East)
    const char* zone;
    const char* label;
  } cases[] = {
      {"kolkata", 1943, 5, 1, 12, 1, "Kolkata, India", "88:22E", "5:30E+1",
       "Asia/Kolkata, +0630 war time"},
      {"Madrid, Spain", 2020, 0, 15, 12, 1, "Madrid, Spain", "3:42W", "1:00E+0",
       "Europe/Madrid, CET standard time"},
      {"Madrid, Spain", 2020, 6, 15, 12, 1, "Madrid, Spain", "3:42W", "1:00E+1",
       "Europe/Madrid, CEST daylight saving time"},
      {"bogota", 1990, 0, 1, 1, 0, "Bogotá, Bogota D.C., Colombia", "74:5W", "5:00W+0",
       "America/Bogota, -05 standard time"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ChartDataDialog d;
    d.setAtlas(&SharedAtlas());
    setDate(d, c.year, c.monthIndex, c.day, c.hour12, c.pm);
    choose(d, c.typed);
    EXPECT_EQ(edit(d, 1019)->text().toStdString(), c.place);
    const bool east = qobject_cast<QRadioButton*>(d.control(1022))->isChecked();
    EXPECT_EQ(
        (edit(d, 1020)->text() + ":" + edit(d, 1023)->text() + (east ? "E" : "W")).toStdString(),
        c.lon);
    EXPECT_EQ(zoneShown(d).toStdString(), c.zone);
    EXPECT_EQ(d.placeGroup().zoneNameText().toStdString(), c.label);
  }
}

TEST(ChartDataDialogAtlas, DateChangesRefreshUntilTheZoneIsTypedByHand) {
  ChartDataDialog d;
  d.setAtlas(&SharedAtlas());
  setDate(d, 1943, 5, 1, 12, 1);
  choose(d, "Kolkata");
  EXPECT_EQ(zoneShown(d), "5:30E+1");
  edit(d, 1018)->setText("1950");  // after the war: no saving
  EXPECT_EQ(zoneShown(d), "5:30E+0");
  edit(d, 1018)->setText("1880");  // Madras time
  EXPECT_EQ(zoneShown(d), "5:21E+0");
  edit(d, 1030)->setText("2");
  emit edit(d, 1030)->textEdited("2");  // typed by hand: the atlas zone ends
  edit(d, 1018)->setText("1943");
  EXPECT_EQ(zoneShown(d), "5:21E+2");
  EXPECT_TRUE(d.placeGroup().zoneNameText().isEmpty());
  // The zone picker brings a zone back for a place typed by hand.
  d.chooseZone("Asia/Kolkata");
  EXPECT_EQ(zoneShown(d), "5:30E+1");
  ASSERT_TRUE(pressOk(d));
  EXPECT_EQ(d.fields().zoneName, "Asia/Kolkata");
}

TEST(ChartDataDialogAtlas, GapAndOverlapWaitForTheUsersChoice) {
  const struct {
    const char* source;
    int monthIndex, day, hour12;
    const char* earlier;
    const char* later;
  } cases[] = {
      {"spring forward, 2:30 AM skipped", 2, 14, 2, "5:00W+0", "5:00W+1"},
      {"fall back, 1:30 AM twice", 10, 7, 1, "5:00W+1", "5:00W+0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    ChartDataDialog d;
    d.setAtlas(&SharedAtlas());
    QStringList shown;
    d.setMessageSink([&](QWidget*, const QString& text) { shown << text; });
    setDate(d, 2021, c.monthIndex, c.day, c.hour12, 0);
    edit(d, 1008)->setText("30");
    choose(d, "New York");
    EXPECT_TRUE(d.foldChoice()->isVisibleTo(&d));
    EXPECT_FALSE(d.placeGroup().zoneWarningText().isEmpty());
    EXPECT_FALSE(pressOk(d));  // OK refuses until an offset is chosen
    ASSERT_EQ(shown.size(), 1);
    d.foldChoice()->setCurrentIndex(1);
    EXPECT_EQ(zoneShown(d).toStdString(), c.earlier);
    d.foldChoice()->setCurrentIndex(2);
    EXPECT_EQ(zoneShown(d).toStdString(), c.later);
    EXPECT_TRUE(pressOk(d));
  }
}

TEST(PrasnaLocationDialogAtlas, ZoneForThePresentMomentWithItsOwnSide) {
  const struct {
    const char* typed;
    LocalClockReading now;         // Universal Time
    std::optional<bool> zoneEast;  // accepted: set only when it differs
    int zoneHours, dstHours;
  } cases[] = {
      {"Madrid", {2024, 7, 1, 12, 0}, true, 1, 1},
      {"Madrid", {2024, 1, 1, 12, 0}, true, 1, 0},
      {"Sydney", {2024, 1, 15, 12, 0}, std::nullopt, 10, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    PrasnaLocationDialog d;
    d.setAtlas(&SharedAtlas(), InstantOfReading(c.now, 0));
    d.placeGroup().completer()->search(c.typed);
    ASSERT_FALSE(d.placeGroup().completer()->offered().empty());
    d.placeGroup().completer()->choose(0);
    EXPECT_FALSE(d.placeGroup().zoneNameText().isEmpty());
    d.setResult(QDialog::Rejected);
    d.accept();
    ASSERT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.fields().zoneEast, c.zoneEast);
    EXPECT_EQ(d.fields().zoneHours, c.zoneHours);
    EXPECT_EQ(d.fields().dstHours, c.dstHours);
    // Kept, so that each later Prasna takes the zone's offsets at its moment.
    EXPECT_EQ(d.fields().zoneName,
              c.typed == std::string("Sydney") ? "Australia/Sydney" : "Europe/Madrid");
  }
}

TEST(TransitDialogAtlas, FoundPlaceGivesTheTransitChoiceItsLegalTime) {
  const struct {
    const char* typed;
    int monthIndex;
    double zoneRecord;  // zone of the transit chart, positive west
    int dstHours;
  } cases[] = {{"Madrid", 0, -1.0, 0}, {"Madrid", 6, -1.0, 1}, {"New York", 6, 5.0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    TransitDialog d;
    d.setAtlas(&SharedAtlas());
    TransitDialogValues v;
    v.monthIndex = c.monthIndex;
    v.day = 15;
    v.year = 2024;
    d.setValues(v);
    d.placeGroup().completer()->search(c.typed);
    ASSERT_FALSE(d.placeGroup().completer()->offered().empty());
    d.placeGroup().completer()->choose(0);
    d.setResult(QDialog::Rejected);
    d.accept();
    ASSERT_EQ(d.result(), QDialog::Accepted);
    const TransitChoice choice = TransitChoiceFromDialog(d.values());
    EXPECT_DOUBLE_EQ(TransitHoroscope(choice).value().zone, c.zoneRecord);
    EXPECT_EQ(choice.where.dstHours, c.dstHours);
    // Shown again, the zone keeps its side.
    EXPECT_EQ(TransitDialogFromChoice(choice), d.values());
  }
}

}  // namespace
}  // namespace sarvexa
