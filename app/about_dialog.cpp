#include "app/about_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

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
  setFixedSize(rect(0, 0, 217, 116).size());

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
  // The atlas's sources and their licences.
  auto* sources = new QLabel(QString::fromUtf8(kAtlasAttribution), this);
  sources->setObjectName(QStringLiteral("dataSources"));
  sources->setWordWrap(true);
  sources->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  sources->setGeometry(rect(10, 54, 200, 40));
  // The program's own licence, under the data sources.
  auto* licence = new QLabel(QString::fromUtf8(kLicenceNotice), this);
  licence->setObjectName(QStringLiteral("licence"));
  licence->setWordWrap(true);
  licence->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  licence->setGeometry(rect(10, 96, 200, 16));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  QRect okRect = rect(178, 7, 32, 14);
  okRect.setHeight(std::max(okRect.height(), ok->minimumSizeHint().height()));
  ok->setGeometry(okRect);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace sarvexa
