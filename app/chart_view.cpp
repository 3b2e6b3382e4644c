#include "app/chart_view.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "document/chart_document.h"
#include "view/qt/qt_canvas.h"

namespace sarvexa {

ChartView::ChartView(const ChartDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(false);
}

QSize ChartView::sizeHint() const { return QSize(kScreenGridWidth, kScreenGridHeight); }

void ChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The pages draw black on white whatever the desktop's colour scheme.
  painter.fillRect(rect(), Qt::white);
  QtCanvas canvas(painter, QSizeF(width(), height()), logicalDpiX(), logicalDpiY());
  DrawScreenPage(canvas, document_.snapshot(), state_);
}

QImage ChartView::renderScreen(const QSize& size) const {
  return RenderToImage(size, [this](Canvas& canvas) { DrawScreenPage(canvas, document_.snapshot(), state_); });
}

bool ChartView::printPage(QPrinter& printer) const {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // One sheet: the origin is the printable area's top-left corner.
  QtCanvas canvas(painter);
  DrawPrintPage(canvas, document_.snapshot(), state_);
  return painter.end();
}

}  // namespace sarvexa
