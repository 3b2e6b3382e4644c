#include "app/icons.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

namespace sarvexa {

namespace {
const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 246);
const QColor kSaffron(232, 140, 30);
const QColor kBlue(40, 90, 170);
}  // namespace

QImage DrawToolbarImage(ToolbarIcon which, int scale) {
  QImage image(16 * scale, 15 * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  QPen ink(kInk, 1.0);
  ink.setJoinStyle(Qt::MiterJoin);
  p.setPen(ink);
  switch (which) {
    case ToolbarIcon::New: {
      // A sheet with a folded corner.
      QPainterPath sheet;
      sheet.moveTo(3.5, 1.5);
      sheet.lineTo(9.5, 1.5);
      sheet.lineTo(12.5, 4.5);
      sheet.lineTo(12.5, 13.5);
      sheet.lineTo(3.5, 13.5);
      sheet.closeSubpath();
      p.setBrush(kPaper);
      p.drawPath(sheet);
      p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
      p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
      break;
    }
    case ToolbarIcon::Open: {
      // An open folder.
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(QRectF(1.5, 3.5, 11, 9));
      QPainterPath flap;
      flap.moveTo(1.5, 12.5);
      flap.lineTo(4.5, 6.5);
      flap.lineTo(14.5, 6.5);
      flap.lineTo(12.5, 12.5);
      flap.closeSubpath();
      p.setBrush(QColor(250, 220, 120));
      p.drawPath(flap);
      break;
    }
    case ToolbarIcon::Save: {
      // A floppy disk.
      p.setBrush(kBlue);
      p.drawRect(QRectF(1.5, 1.5, 12, 12));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 6, 4));
      p.drawRect(QRectF(3.5, 8.5, 8, 5));
      break;
    }
    case ToolbarIcon::Print: {
      // A printer with a sheet coming out.
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(150, 150, 160));
      p.drawRect(QRectF(1.5, 6.5, 13, 5));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 9.5, 7, 4));
      break;
    }
    case ToolbarIcon::About: {
      // A question mark in a speech-bubble circle.
      p.setBrush(kBlue);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(1.0, 0.5, 14, 14));
      QPen mark(Qt::white, 1.8);
      mark.setCapStyle(Qt::RoundCap);
      p.setPen(mark);
      p.setBrush(Qt::NoBrush);
      QPainterPath q;
      q.moveTo(5.6, 5.2);
      q.cubicTo(5.6, 2.6, 10.4, 2.6, 10.4, 5.2);
      q.cubicTo(10.4, 7.0, 8.0, 7.0, 8.0, 9.0);
      p.drawPath(q);
      p.drawPoint(QPointF(8.0, 11.8));
      break;
    }
    case ToolbarIcon::Earlier:
    case ToolbarIcon::Later: {
      // A clock face and an arrow pointing the way the birth time moves.
      const bool later = which == ToolbarIcon::Later;
      const QPointF centre(later ? 6.0 : 10.0, 7.5);
      p.setBrush(kPaper);
      p.drawEllipse(centre, 5.0, 5.0);
      p.drawLine(centre, centre + QPointF(0, -3.2));
      p.drawLine(centre, centre + QPointF(2.4, 0));
      QPainterPath arrow;
      const double tip = later ? 15.5 : 0.5, base = later ? 11.5 : 4.5;
      arrow.moveTo(tip, 7.5);
      arrow.lineTo(base, 3.5);
      arrow.lineTo(base, 11.5);
      arrow.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(kSaffron);
      p.drawPath(arrow);
      break;
    }
  }
  return image;
}

QIcon MakeToolbarIcon(ToolbarIcon which) {
  QIcon icon;
  for (int scale : {1, 2, 3}) icon.addPixmap(QPixmap::fromImage(DrawToolbarImage(which, scale)));
  return icon;
}

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size / 64.0;
  p.scale(s, s);
  // Rounded saffron tile.
  p.setPen(Qt::NoPen);
  p.setBrush(kSaffron);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  // The chart: a square, its diagonals and the inner diamond.
  QPen line(kPaper, 3.0);
  line.setJoinStyle(Qt::MiterJoin);
  p.setPen(line);
  p.setBrush(Qt::NoBrush);
  const QRectF chart(12, 12, 40, 40);
  p.drawRect(chart);
  p.drawLine(chart.topLeft(), chart.bottomRight());
  p.drawLine(chart.topRight(), chart.bottomLeft());
  QPolygonF diamond;
  diamond << QPointF(32, 12) << QPointF(52, 32) << QPointF(32, 52) << QPointF(12, 32);
  p.drawPolygon(diamond);
  return image;
}

QIcon AppIcon() {
  QIcon icon;
  // Read as PNG by name: left to guess the format, the reader would load
  // and ask every image-format plugin first, which costs the window's
  // opening more than the images themselves.
  for (const char* path : {":/sarvexa-48.png", ":/sarvexa-128.png"}) {
    QImageReader reader(QLatin1String(path), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  if (icon.isNull())
    for (int size : {16, 32, 48, 128}) icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
  return icon;
}

}  // namespace sarvexa
