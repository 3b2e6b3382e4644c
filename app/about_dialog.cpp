#include "app/about_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "app/form_dialog.h"
#include "app/icons.h"
#include "document/atlas.h"

namespace sarvexa {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString());
  setModal(true);
  // Dialog units of this dialog's font, as in the other dialogs.
  const QFontMetrics fm(font());
  const double ux =
      fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
      52.0 / 4.0;
  const double uy = fm.height() / 8.0;
  const auto rect = [ux, uy](int x, int y, int w, int h) {
    return QRect(qRound(x * ux), qRound(y * uy), qRound(w * ux), qRound(h * uy));
  };
  setFixedSize(rect(0, 0, 217, 66).size());

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("icon"));
  const QRect iconRect = rect(10, 20, 20, 20);
  const int side = std::min(iconRect.width(), iconRect.height());
  icon->setPixmap(AppIcon().pixmap(side, side));
  icon->setGeometry(iconRect.x(), iconRect.y(), side, side);

  const auto line = [this](const char* name, const QString& text, QRect r) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    r.setWidth(std::max(r.width(), label->sizeHint().width()));
    r.setHeight(std::max(r.height(), label->sizeHint().height()));
    label->setGeometry(r);
    return label;
  };
  line("version", QLatin1String(kVersionText), rect(39, 17, 119, 8));
  line("notice", QStringLiteral("Copyright (C) The Sarvexa authors"), rect(40, 29, 146, 8));
  line("address", QStringLiteral("Vedic charts for the desktop"), rect(40, 40, 120, 8));
  // The atlas's sources and their licences, the Swiss Ephemeris's, then the
  // program's own licence, each as many lines as its text takes; OK last.
  const auto paragraph = [this, &rect](const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect(10, 0, 200, 8));
    return label;
  };
  QLabel* sources = paragraph("dataSources", kAtlasAttribution);
  QLabel* swiss = paragraph("swissEphemeris", kSwissEphemerisNotice);
  QLabel* licence = paragraph("licence", kLicenceNotice);
  const int bottom =
      StackRows({{sources}, {swiss}, {licence}}, rect(0, 54, 0, 0).y(), rect(0, 0, 0, 3).height());

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  QRect okRect = rect(178, 0, 32, 14);
  okRect.setHeight(std::max(okRect.height(), ok->minimumSizeHint().height()));
  ok->setGeometry(okRect);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  PlaceButtonsLast(*this, {ok}, bottom, rect(0, 0, 0, 4).height(), rect(0, 0, 0, 7).height());
}

}  // namespace sarvexa
