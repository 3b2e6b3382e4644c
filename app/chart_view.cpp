#include "app/chart_view.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "document/chart_document.h"
#include "document/chart_sensitivity.h"
#include "view/qt/qt_canvas.h"

namespace sarvexa {

namespace {

constexpr double kZoomStep = 1.25;
// From a quarter of a pixel to sixteen pixels per page unit.
constexpr double kMinScale = 0.25;
constexpr double kMaxScale = 16.0;

/// The room a page of `extent` takes at `scale` with the margin around it.
QSize RoomAt(const PageExtent& extent, double scale) {
  return QSize(static_cast<int>(std::ceil(extent.Width() * scale + 2 * kPageMarginPx)),
               static_cast<int>(std::ceil(extent.Height() * scale + 2 * kPageMarginPx)));
}

}  // namespace

ChartView::ChartView(const ChartDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(false);
}

QSize ChartView::sizeHint() const { return QSize(kScreenGridWidth, kScreenGridHeight); }

PageExtent ChartView::pageExtent() const { return extentAt(state_, 1.0); }

PageExtent ChartView::extentAt(const ViewState& state, double scale) const {
  // No chart, no page: the window is laid out for the page grid, blank.
  if (!document_.hasChart())
    return PageExtent{Mapping::Screen, false, 0, 0, kScreenGridWidth, kScreenGridHeight};
  if (measuredRevision_ != document_.revision()) {
    measured_.clear();
    measuredRevision_ = document_.revision();
  }
  for (const MeasuredExtent& m : measured_)
    if (m.scale == scale && m.state == state) return m.extent;
  const PageExtent extent =
      MeasureWithQt([this, &state](Canvas& canvas) { drawScreen(canvas, state); }, scale);
  // A window resized by hand fits the page at a new scale each time; only
  // the latest few are worth keeping.
  constexpr std::size_t kKept = 8;
  if (measured_.size() == kKept) measured_.erase(measured_.begin());
  measured_.push_back(MeasuredExtent{state, scale, extent});
  return extent;
}

PagePlacement ChartView::placementFor(const QSize& size) const {
  if (fitPage_) {
    return FitMeasuredScreenPage([this](double scale) { return extentAt(state_, scale); },
                                 QSizeF(size), kPageMarginPx);
  }
  return PlaceExtent(extentAt(state_, zoomScale_), zoomScale_, size.width(), size.height(),
                     kPageMarginPx);
}

double ChartView::pageScale() const { return placementFor(size()).scale; }

void ChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The pages draw black on white whatever the desktop's colour scheme.
  painter.fillRect(rect(), Qt::white);
  QtCanvas canvas(painter, QSizeF(width(), height()), logicalDpiX(), logicalDpiY());
  canvas.SetPlacement(placementFor(size()));
  if (!fitPage_ && zoomedSize() != minimumSize()) {
    // Another page (or chart) needs other room at this zoom; ask for it
    // once this paint is over.
    QMetaObject::invokeMethod(
        this, [this] { setMinimumSize(zoomedSize()); }, Qt::QueuedConnection);
  }
  drawScreen(canvas, state_);
}

void ChartView::drawScreen(Canvas& canvas, const ViewState& state) const {
  if (!document_.hasChart()) return;
  DrawScreenPage(canvas, document_.snapshot(), state, tableFor(state));
}

const BirthTimeSensitivity* ChartView::tableFor(const ViewState& state) const {
  return state.displayMode == DisplayMode::Sensitivity ? sensitivity() : nullptr;
}

const BirthTimeSensitivity* ChartView::sensitivity() const {
  if (!document_.hasChart()) return nullptr;
  if (!searched_ || searchedRevision_ != document_.revision()) {
    Result<BirthTimeSensitivity> table = ChartSensitivity(document_.snapshot());
    searched_.emplace(table ? std::optional(std::move(*table)) : std::nullopt);
    searchedRevision_ = document_.revision();
  }
  return *searched_ ? &**searched_ : nullptr;
}

QSize ChartView::zoomedSize() const { return RoomAt(extentAt(state_, zoomScale_), zoomScale_); }

QSize ChartView::chartPageRoom(double scale) const {
  ViewState chart = state_;
  chart.displayMode = DisplayMode::Chart;
  // Kept, so the first paint fits the same page without measuring it again.
  return RoomAt(extentAt(chart, 1.0), scale);
}

void ChartView::setFitPage(bool fit) {
  if (fit == fitPage_) return;
  if (fit) {
    fitPage_ = true;
    setMinimumSize(0, 0);
    update();
    emit fitPageChanged(true);
  } else {
    setZoomScale(pageScale());
  }
}

void ChartView::setZoomScale(double scale) {
  const bool wasFit = fitPage_;
  fitPage_ = false;
  zoomScale_ = std::clamp(std::isfinite(scale) ? scale : 1.0, kMinScale, kMaxScale);
  // The scroll area follows the room the page asks for.
  setMinimumSize(zoomedSize());
  update();
  if (wasFit) emit fitPageChanged(false);
}

void ChartView::zoomBy(double factor) { setZoomScale(pageScale() * factor); }

void ChartView::zoomIn() { zoomBy(kZoomStep); }
void ChartView::zoomOut() { zoomBy(1.0 / kZoomStep); }

void ChartView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();  // the scroll area scrolls
    return;
  }
  const int delta = event->angleDelta().y();
  if (delta > 0) zoomIn();
  if (delta < 0) zoomOut();
  event->accept();
}

QImage ChartView::renderScreen(const QSize& size) const {
  return RenderToImage(size, [this](Canvas& canvas) { drawScreen(canvas, state_); });
}

bool ChartView::printPage(QPrinter& printer) const {
  if (!document_.hasChart()) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // One sheet: the origin is the printable area's top-left corner; a page
  // wider or taller than the printable area is shrunk until it is whole.
  const auto draw = [this](Canvas& canvas) {
    DrawPrintPage(canvas, document_.snapshot(), state_, tableFor(state_));
  };
  const QSizeF area(printer.width(), printer.height());
  QtCanvas canvas(painter, area, printer.logicalDpiX(), printer.logicalDpiY());
  canvas.SetPlacement(PrintPlacement(MeasureWithQt(draw), printer.logicalDpiY(), area));
  draw(canvas);
  return painter.end();
}

}  // namespace sarvexa
