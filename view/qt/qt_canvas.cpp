#include "view/qt/qt_canvas.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include <sys/mman.h>

#include "document/safe_file.h"

namespace sarvexa {

namespace {

constexpr double kTwipsPerInch = 1440.0;

QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, QSizeF areaPx, double dpiX, double dpiY)
    : painter_(painter),
      area_(areaPx),
      dpiX_(dpiX > 0 ? dpiX : 96.0),
      dpiY_(dpiY > 0 ? dpiY : 96.0) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setBrush(Qt::NoBrush);
  ApplyPen();
  painter_.setFont(FontFor(font_));
}

QtCanvas::QtCanvas(QPainter& painter)
    : QtCanvas(painter,
               painter.device() ? QSizeF(painter.device()->width(), painter.device()->height())
                                : QSizeF(kScreenGridWidth, kScreenGridHeight),
               painter.device() ? painter.device()->logicalDpiX() : 96.0,
               painter.device() ? painter.device()->logicalDpiY() : 96.0) {}

void QtCanvas::SetPlacement(const PagePlacement& placement) {
  placement_ = placement;
  ApplyPen();
  painter_.setFont(FontFor(font_));
}

double QtCanvas::ScaleX() const {
  if (placement_) return placement_->scale;
  if (mapping_ == Mapping::Print) return dpiX_ / kTwipsPerInch;
  return std::max(0.0,
                  std::min(area_.width() / kScreenGridWidth, area_.height() / kScreenGridHeight));
}

double QtCanvas::ScaleY() const {
  if (mapping_ == Mapping::Print) return dpiY_ / kTwipsPerInch;
  return ScaleX();  // isotropic
}

QPointF QtCanvas::Map(int x, int y) const {
  if (placement_) {
    const double down = mapping_ == Mapping::Print ? -y : y;
    return QPointF(placement_->originX + x * placement_->scale,
                   placement_->originY + down * placement_->scale);
  }
  if (mapping_ == Mapping::Print) return QPointF(x * ScaleX(), -y * ScaleY());
  return QPointF(x * ScaleX(), y * ScaleY());
}

QFont QtCanvas::FontFor(FontId font) const {
  QFont f(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif);
  f.setWeight(QFont::Normal);
  f.setItalic(false);
  // The logical height is the em height; as a point size on this device it
  // keeps its fraction (a pixel size would be rounded to whole pixels).
  QPaintDevice* device = painter_.device();
  const double deviceDpi = device ? device->logicalDpiY() : 96.0;
  const double px = std::max(1.0, FontHeight(font) * ScaleY());
  f.setPointSizeF(px * 72.0 / deviceDpi);
  return f;
}

void QtCanvas::SetMapping(Mapping mapping) {
  mapping_ = mapping;
  // Scales change with the mapping: refresh the pen and the font.
  ApplyPen();
  painter_.setFont(FontFor(font_));
}

FontId QtCanvas::SelectFont(FontId font) {
  const FontId previous = font_;
  font_ = font;
  painter_.setFont(FontFor(font_));
  return previous;
}

FontMetrics QtCanvas::GetFontMetrics() {
  const QFontMetricsF fm(painter_.font(), painter_.device());
  const double sy = ScaleY() > 0 ? ScaleY() : 1.0;
  FontMetrics m;
  m.ascent = static_cast<int>(std::lround(fm.ascent() / sy));
  m.descent = static_cast<int>(std::lround(fm.descent() / sy));
  m.height = m.ascent + m.descent;
  m.externalLeading = static_cast<int>(std::lround(std::max(0.0, fm.leading()) / sy));
  return m;
}

int QtCanvas::TextWidth(std::string_view utf8) {
  const QFontMetricsF fm(painter_.font(), painter_.device());
  const double sx = ScaleX() > 0 ? ScaleX() : 1.0;
  return static_cast<int>(std::lround(fm.horizontalAdvance(FromUtf8(utf8)) / sx));
}

void QtCanvas::TextOut(int x, int y, std::string_view utf8) {
  const QFontMetricsF fm(painter_.font(), painter_.device());
  const QPointF top = Map(x, y);
  painter_.save();
  painter_.setPen(QColor(colour_.r, colour_.g, colour_.b));
  painter_.drawText(QPointF(top.x(), top.y() + fm.ascent()), FromUtf8(utf8));
  painter_.restore();
}

void QtCanvas::MoveTo(int x, int y) { current_ = Point{x, y}; }

void QtCanvas::LineTo(int x, int y) {
  painter_.drawLine(Map(current_.x, current_.y), Map(x, y));
  current_ = Point{x, y};
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
  painter_.drawRect(QRectF(Map(left, top), Map(right, bottom)).normalized());
}

int QtCanvas::SetPenWidth(int width) {
  const int previous = penWidth_;
  penWidth_ = std::max(0, width);
  ApplyPen();
  return previous;
}

Rgb QtCanvas::SetTextColor(Rgb colour) {
  const Rgb previous = colour_;
  colour_ = colour;
  return previous;
}

void QtCanvas::ApplyPen() {
  // A width of 0 is a one-pixel hairline, as a device context draws it.
  const double w = penWidth_ * ScaleX();
  QPen pen(Qt::black, penWidth_ == 0 ? 0.0 : std::max(w, 1.0), Qt::SolidLine, Qt::FlatCap,
           Qt::MiterJoin);
  painter_.setPen(pen);
}

PageExtent MeasureWithQt(const PageDrawing& draw, double scale) {
  // `scale` device pixels per logical unit in both mappings: the screen grid
  // fills a 512 x 400 area times the scale, and 1440 dpi makes a twip one
  // pixel.
  const double s = scale > 0 && std::isfinite(scale) ? scale : 1.0;
  QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  // The fonts' point sizes are converted at the device's resolution; give
  // the scratch image the screen's, as every screen target has.
  scratch.setDotsPerMeterX(static_cast<int>(std::lround(96.0 / 0.0254)));
  scratch.setDotsPerMeterY(static_cast<int>(std::lround(96.0 / 0.0254)));
  QPainter painter(&scratch);
  QtCanvas metrics(painter, QSizeF(kScreenGridWidth * s, kScreenGridHeight * s), 1440.0 * s,
                   1440.0 * s);
  return MeasurePageExtent(metrics, draw);
}

PagePlacement FitScreenPage(const PageDrawing& draw, QSizeF areaPx, double marginPx) {
  return FitMeasuredScreenPage([&draw](double scale) { return MeasureWithQt(draw, scale); }, areaPx,
                               marginPx);
}

PagePlacement FitMeasuredScreenPage(const ExtentAtScale& measure, QSizeF areaPx, double marginPx) {
  const double width = areaPx.width(), height = areaPx.height();
  PagePlacement placement = FitExtent(measure(1.0), width, height, marginPx);
  // Hinted glyph widths do not scale in proportion with the font, so a
  // page's extent changes a little with the scale: measure again at the
  // scale found until the page fits at the scale it was measured at.
  for (int round = 0; round < 4 && placement.scale > 0; ++round) {
    const PageExtent extent = measure(placement.scale);
    const PagePlacement refit = FitExtent(extent, width, height, marginPx);
    if (refit.scale >= placement.scale) {
      return PlaceExtent(extent, placement.scale, width, height, marginPx);
    }
    placement = refit;
  }
  return placement;
}

PagePlacement PrintPlacement(const PageExtent& extent, double dpi, QSizeF areaPx) {
  const double k = dpi / 1440.0;
  if (extent.empty) return PagePlacement{k, 0.0, 0.0};
  const double right = std::max(1, extent.right) * k;
  const double bottom = std::max(1, extent.bottom) * k;
  const double shrink = std::min({1.0, areaPx.width() / right, areaPx.height() / bottom});
  return PagePlacement{k * std::max(shrink, 0.0), 0.0, 0.0};
}

namespace {

/// Draws `draw` into the painter's area: a screen page fitted and centred,
/// a print page by PrintPlacement.
void DrawFitted(QPainter& painter, QSizeF areaPx, double dpi, const PageDrawing& draw) {
  const PageExtent extent = MeasureWithQt(draw);
  QtCanvas canvas(painter, areaPx, dpi, dpi);
  if (extent.mapping == Mapping::Screen) {
    canvas.SetPlacement(FitScreenPage(draw, areaPx, kPageMarginPx));
  } else {
    canvas.SetPlacement(PrintPlacement(extent, dpi, areaPx));
  }
  draw(canvas);
}

}  // namespace

namespace {

// Qt's painting does not survive an allocation failing halfway (its glyph
// cache crashes), so a picture is begun only when, beyond its own pixels,
// room for the painting and the encoding is there too. Reserving address
// space and handing it back at once costs nothing.
bool RoomToPaint() {
  constexpr std::size_t kPaintingReserveBytes = std::size_t{48} << 20;
  void* reserve = ::mmap(nullptr, kPaintingReserveBytes, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (reserve == MAP_FAILED) return false;
  ::munmap(reserve, kPaintingReserveBytes);
  return true;
}

}  // namespace

QImage RenderToImage(QSize sizePx, const PageDrawing& draw, double dpi) {
  QImage image(sizePx.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull() || !RoomToPaint()) return QImage();  // no memory: nothing to paint on
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawFitted(painter, QSizeF(image.size()), dpi, draw);
  painter.end();
  return image;
}

QImage RenderToImage(QSize areaPx, const PageDrawing& draw, double dpi, QSize imagePx) {
  QImage image(imagePx.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull() || !RoomToPaint()) return QImage();  // no memory: nothing to paint on
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  image.fill(Qt::white);
  QPainter painter(&image);
  QtCanvas canvas(painter, QSizeF(areaPx), dpi, dpi);
  draw(canvas);
  painter.end();
  return image;
}

QImage RenderSheetToImage(const SheetLayout& sheet, double dpi, const PageDrawing& draw) {
  const QSizeF inches = sheet.pageSize.size(QPageSize::Inch);
  const QSize px(static_cast<int>(std::lround(inches.width() * dpi)),
                 static_cast<int>(std::lround(inches.height() * dpi)));
  QImage image(px.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull() || !RoomToPaint()) return QImage();  // no memory: nothing to paint on
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  image.fill(Qt::white);
  QPainter painter(&image);
  const double margin = sheet.marginPt / 72.0 * dpi;
  painter.translate(margin, margin);
  DrawFitted(painter, QSizeF(px.width() - 2 * margin, px.height() - 2 * margin), dpi, draw);
  painter.end();
  return image;
}

namespace {

// Replaces the file at `path` with what `write` puts into a Qt device, so a
// failed drawing or a full disk never leaves a cut or empty picture where the
// old one was. The picture is drawn into memory first: Qt's writers report
// little of a failed write, while writing the finished bytes ourselves gives
// the system's own reason ("No space left on device").
Result<void, QString> ReplaceThroughDevice(const QString& path, const char* what,
                                           const std::function<bool(QIODevice&)>& write) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!write(buffer))
    return Fail(QStringLiteral("Cannot draw the %1 for \"%2\".").arg(QLatin1String(what), path));
  const QByteArray& bytes = buffer.data();
  const std::filesystem::path target(QFile::encodeName(path).toStdString());
  const auto written = WriteFileReplacing(
      target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written) return Fail(QString::fromStdString(written.error()));
  return {};
}

}  // namespace

Result<void, QString> RenderSheetToPdf(const QString& path, const SheetLayout& sheet,
                                       const PageDrawing& draw) {
  if (!sheet.pageSize.isValid()) return Fail(QStringLiteral("Unsupported paper size."));
  return ReplaceThroughDevice(path, "PDF", [&](QIODevice& device) {
    constexpr int kDpi = 1200;
    QPdfWriter writer(&device);
    writer.setResolution(kDpi);
    writer.setCreator(QStringLiteral("Sarvexa"));
    if (!writer.setPageSize(sheet.pageSize)) return false;
    writer.setPageMargins(QMarginsF(sheet.marginPt, sheet.marginPt, sheet.marginPt, sheet.marginPt),
                          QPageLayout::Point);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const QRect area = writer.pageLayout().paintRectPixels(kDpi);
    DrawFitted(painter, QSizeF(area.size()), kDpi, draw);
    return painter.end();
  });
}

Result<void, QString> SavePng(const QImage& image, const QString& path) {
  return ReplaceThroughDevice(path, "PNG image",
                              [&](QIODevice& device) { return image.save(&device, "PNG"); });
}

}  // namespace sarvexa
