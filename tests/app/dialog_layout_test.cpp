// Every dialog, opened at the default font, shows all of its text: each
// label's and button's text fits inside its widget, each widget lies inside
// the dialog, and OK and Cancel come last, below every other widget and last
// in the tab order. The atlas dialogs are also opened with a zone warning.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>
#include <memory>

#include "app/about_dialog.h"
#include "app/calculation_settings_dialog.h"
#include "app/chart_data_dialog.h"
#include "app/ephemeris_dialog.h"
#include "app/place_completer.h"
#include "app/prasna_location_dialog.h"
#include "app/transit_dialog.h"
#include "atlas/system_atlas.h"

namespace sarvexa {
namespace {

// The room `w` gives its text, and the room the text needs (0x0 when it has
// none to show).
std::pair<QSize, QSize> TextRoom(QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* label = qobject_cast<QLabel*>(w)) {
    const QRect room = label->contentsRect();
    const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
    return {room.size(),
            label->text().isEmpty()
                ? QSize()
                : fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, label->text()).size()};
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const auto element = qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                        : QStyle::SE_PushButtonContents;
    const QRect room = w->style()->subElementRect(element, &option, w);
    return {room.size(), fm.size(Qt::TextShowMnemonic, button->text())};
  }
  if (auto* group = qobject_cast<QGroupBox*>(w)) return {group->size(), fm.size(0, group->title())};
  if (auto* combo = qobject_cast<QComboBox*>(w)) return {combo->size(), combo->minimumSizeHint()};
  return {};
}

Atlas& SystemAtlas() {
  static const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  return *atlas;
}

const struct {
  const char* name;
  std::function<std::unique_ptr<QDialog>()> open;
} kDialogs[] = {
    {"About", [] { return std::make_unique<AboutDialog>(); }},
    {"Chart Data", [] { return std::make_unique<ChartDataDialog>(); }},
    {"Chart Data, a skipped hour in New York",
     [] {
       auto d = std::make_unique<ChartDataDialog>();
       d->setAtlas(&SystemAtlas());
       ChartDataFields f;
       f.year = 2021, f.monthIndex = 2, f.day = 14, f.hour = 2, f.minute = 30;
       d->setFields(f);
       d->chooseZone(QStringLiteral("America/New_York"));
       return d;
     }},
    {"Set Location for Prasna", [] { return std::make_unique<PrasnaLocationDialog>(); }},
    {"Set Transit Data", [] { return std::make_unique<TransitDialog>(); }},
    {"Set Transit Data, a skipped hour in New York",
     [] {
       auto d = std::make_unique<TransitDialog>();
       d->setAtlas(&SystemAtlas());
       d->setValues({{}, 2, 14, 2021, 2, 30, false});
       d->placeGroup().completer()->search(QStringLiteral("New York"));
       d->placeGroup().completer()->choose(0);
       return d;
     }},
    {"Ephemeris", [] { return std::make_unique<EphemerisDialog>(); }},
    {"Calculation Settings", [] { return std::make_unique<CalculationSettingsDialog>(); }},
    {"Calculation Settings, the longest ayanamsa",
     [] {
       auto d = std::make_unique<CalculationSettingsDialog>();
       d->setValues({EphemerisKind::Swiss, Ayanamsa::FaganBradley, NodeKind::Mean, 365.256363});
       return d;
     }},
};

TEST(DialogLayout, EveryTextShowsAndOkAndCancelComeLast) {
  for (const auto& c : kDialogs) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<QDialog> dialog = c.open();
    dialog->show();
    QWidget* ok = dialog->findChild<QWidget*>(QStringLiteral("ok"));
    QWidget* cancel = dialog->findChild<QWidget*>(QStringLiteral("cancel"));  // none in About
    ASSERT_NE(ok, nullptr);
    QList<QWidget*> last = {ok};
    if (cancel) last << cancel;

    for (QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (w->isWindow() || !w->isVisible()) continue;
      SCOPED_TRACE((w->objectName() + ' ' + w->property("text").toString()).toStdString());
      EXPECT_TRUE(dialog->rect().contains(w->geometry()));
      const auto [room, needed] = TextRoom(w);
      EXPECT_LE(needed.width(), room.width());
      EXPECT_LE(needed.height(), room.height());
      if (!last.contains(w)) {
        for (QWidget* button : last) EXPECT_LT(w->geometry().bottom(), button->y());
      }
    }
    // Tab reaches OK and Cancel last.
    QList<QWidget*> stops;
    for (QWidget* w = dialog->nextInFocusChain(); w != dialog.get() && !stops.contains(w);
         w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
          w->parentWidget() == dialog.get())
        stops << w;
    }
    EXPECT_EQ(stops.mid(stops.size() - last.size()), last);
  }
}

}  // namespace
}  // namespace sarvexa
