// The place controls the three data-entry dialogs share: the zone's side
// follows the longitude's until it is set apart, and OK keeps the zone's own
// side only when it differs from the longitude's.

#include <gtest/gtest.h>
#include <QPushButton>
#include <QRadioButton>

#include "app/chart_data_dialog.h"
#include "app/prasna_location_dialog.h"
#include "app/transit_dialog.h"

namespace sarvexa {
namespace {

// `accepted` gives the zone's own side of the values accepted with OK.
template <class Dialog, class Accepted>
void CheckZoneSide(Accepted accepted) {
  Dialog d;
  d.setMessageSink([](QWidget*, const QString&) {});
  const auto pressOk = [&d] {
    d.setResult(QDialog::Rejected);
    d.accept();
    return d.result() == QDialog::Accepted;
  };
  auto* west = d.template findChild<QRadioButton*>(QStringLiteral("west"));
  auto* east = d.template findChild<QRadioButton*>(QStringLiteral("east"));
  QPushButton* side = d.placeGroup().zoneSide;
  ASSERT_TRUE(west && east && side);

  west->setChecked(true);
  EXPECT_EQ(side->text(), "W");
  east->setChecked(true);
  EXPECT_EQ(side->text(), "E") << "the zone follows the longitude";
  ASSERT_TRUE(pressOk());
  EXPECT_EQ(accepted(d), std::nullopt) << "a zone on the longitude's side keeps no side";

  side->click();
  EXPECT_EQ(side->text(), "W");
  west->setChecked(true);
  east->setChecked(true);
  EXPECT_EQ(side->text(), "W") << "a side set apart stays";
  ASSERT_TRUE(pressOk());
  EXPECT_EQ(accepted(d), std::optional<bool>(false));
}

TEST(PlaceGroup, ZoneSideFollowsTheLongitudeUntilSetApart) {
  {
    SCOPED_TRACE("Chart Data");
    CheckZoneSide<ChartDataDialog>([](const ChartDataDialog& d) { return d.fields().zoneEast; });
  }
  {
    SCOPED_TRACE("Set Location for Prasna");
    CheckZoneSide<PrasnaLocationDialog>(
        [](const PrasnaLocationDialog& d) { return d.fields().zoneEast; });
  }
  {
    SCOPED_TRACE("Set Transit Data");
    CheckZoneSide<TransitDialog>([](const TransitDialog& d) { return d.values().zoneEast; });
  }
}

}  // namespace
}  // namespace sarvexa
