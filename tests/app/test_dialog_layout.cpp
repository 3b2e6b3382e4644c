// Every dialog, opened at the default font, shows all of its text: each
// label's and button's text fits inside its widget, each widget lies inside
// the dialog, and OK and Cancel come last, below every other widget and last
// in the tab order. The dialogs are also opened with the longest texts the
// atlas rows can get (a long zone name, a doubled hour beyond the Zone
// field's 12 hours).

#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>
#include <memory>

#include "app/about_dialog.h"
#include "app/chart_data_dialog.h"
#include "app/ephemeris_dialog.h"
#include "app/prasna_location_dialog.h"
#include "app/transit_dialog.h"
#include "document/atlas.h"

namespace sarvexa {
namespace {

// An atlas whose every zone is a doubled hour between two offsets beyond 12
// hours: the zone rows get their longest label and warning.
class LongTextAtlas final : public Atlas {
 public:
  const PlaceIndex& Places() override { return places_; }
  std::optional<LocalZoneInfo> ZoneAt(std::string_view, const LocalMoment&) override {
    return LocalZoneInfo{LocalTimeKind::Overlap, Period(14 * 3600 + 45 * 60, true),
                         Period(13 * 3600 + 45 * 60, false)};
  }
  std::optional<ZonePeriod> ZoneAtInstant(std::string_view, std::int64_t) override {
    return Period(14 * 3600 + 45 * 60, true);
  }
  std::vector<std::string> ZoneNames() override { return {kZone}; }

  static constexpr const char* kZone = "America/Argentina/ComodRivadavia";
  static AtlasPlace Place() {
    AtlasPlace p;
    p.name = "Comodoro Rivadavia";
    p.state = "Chubut";
    p.country = "Argentina";
    p.zoneName = kZone;
    p.lonDegEast = -67.5;
    p.latDeg = -45.87;
    return p;
  }

 private:
  static ZonePeriod Period(int offsetSeconds, bool dst) {
    ZonePeriod p;
    p.offsetSeconds = offsetSeconds;
    p.standardOffsetSeconds = 13 * 3600 + 45 * 60;
    p.isDst = dst;
    p.abbreviation = "+1345";
    return p;
  }
  PlaceIndex places_;
};

LongTextAtlas& Atlas() {
  static LongTextAtlas atlas;
  return atlas;
}

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

// Why the text of `w` does not fit inside it; empty when it does.
QString TextOverflow(QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return {};
    const QRect room = label->contentsRect();
    const QRect needed =
        label->wordWrap()
            ? fm.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, label->text())
            : QRect(0, 0, fm.horizontalAdvance(label->text()), fm.height());
    if (needed.width() <= room.width() && needed.height() <= room.height()) return {};
    return QStringLiteral("label \"%1\" needs %2x%3, has %4x%5")
        .arg(label->text())
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
    const QRect room = w->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, w);
    const int needed = fm.horizontalAdvance(Plain(button->text()));
    if (needed <= room.width()) return {};
    return QStringLiteral("button \"%1\" needs %2, has %3")
        .arg(button->text())
        .arg(needed)
        .arg(room.width());
  }
  if (auto* group = qobject_cast<QGroupBox*>(w)) {
    if (fm.horizontalAdvance(group->title()) < group->width()) return {};
    return QStringLiteral("group box \"%1\" is narrower than its title").arg(group->title());
  }
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (combo->minimumSizeHint().width() <= combo->width()) return {};
    return QStringLiteral("drop-down list %1 is narrower than its items").arg(combo->objectName());
  }
  return {};
}

// The widgets Tab stops at, in the dialog's tab order from its first one.
QList<QWidget*> TabStops(QDialog& dialog) {
  QList<QWidget*> stops;
  QWidget* w = dialog.nextInFocusChain();
  while (w != &dialog && !stops.contains(w)) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
        w->parentWidget() == &dialog)
      stops << w;
    w = w->nextInFocusChain();
  }
  return stops;
}

struct DialogCase {
  const char* name;
  std::function<std::unique_ptr<QDialog>()> open;
};

const DialogCase kDialogs[] = {
    {"About", [] { return std::make_unique<AboutDialog>(); }},
    {"Chart Data", [] { return std::make_unique<ChartDataDialog>(); }},
    {"Chart Data, a zone with its longest label and warning",
     [] {
       auto d = std::make_unique<ChartDataDialog>();
       d->setAtlas(&Atlas());
       d->chooseZone(QString::fromLatin1(LongTextAtlas::kZone));
       return d;
     }},
    {"Set Location for Prasna", [] { return std::make_unique<PrasnaLocationDialog>(); }},
    {"Set Location for Prasna, a place with its longest zone texts",
     [] {
       auto d = std::make_unique<PrasnaLocationDialog>();
       d->setAtlas(&Atlas(), Instant{});
       d->choosePlace(LongTextAtlas::Place());
       return d;
     }},
    {"Set Transit Data", [] { return std::make_unique<TransitDialog>(); }},
    {"Set Transit Data, a place with its longest zone texts",
     [] {
       auto d = std::make_unique<TransitDialog>();
       d->setAtlas(&Atlas());
       d->choosePlace(LongTextAtlas::Place());
       return d;
     }},
    {"Ephemeris", [] { return std::make_unique<EphemerisDialog>(); }},
};

TEST(DialogLayout, EveryTextShowsAndOkAndCancelComeLast) {
  for (const DialogCase& c : kDialogs) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<QDialog> dialog = c.open();
    dialog->show();
    QWidget* ok = dialog->findChild<QWidget*>(QStringLiteral("ok"));
    ASSERT_NE(ok, nullptr);
    QWidget* cancel = dialog->findChild<QWidget*>(QStringLiteral("cancel"));  // none in About
    const int buttonsTop = std::min(ok->y(), cancel ? cancel->y() : ok->y());

    for (QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (w->isWindow() || !w->isVisible()) continue;
      SCOPED_TRACE((QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
                    w->objectName() + QLatin1Char(' ') + w->property("text").toString())
                       .toStdString());
      EXPECT_TRUE(dialog->rect().contains(w->geometry()))
          << "at " << w->x() << "," << w->y() << " " << w->width() << "x" << w->height()
          << " in a dialog of " << dialog->width() << "x" << dialog->height();
      EXPECT_EQ(TextOverflow(w).toStdString(), "");
      if (w != ok && w != cancel) {
        EXPECT_LT(w->geometry().bottom(), buttonsTop);  // OK and Cancel below it
      }
    }

    const QList<QWidget*> stops = TabStops(*dialog);
    ASSERT_GE(stops.size(), cancel ? 2 : 1);
    if (cancel) {
      EXPECT_EQ(stops.at(stops.size() - 2), ok);
      EXPECT_EQ(stops.last(), cancel);
    } else {
      EXPECT_EQ(stops.last(), ok);
    }
  }
}

}  // namespace
}  // namespace sarvexa
