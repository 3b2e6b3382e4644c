#pragma once
// The Canvas over a QPainter, for every paint target of the program: the
// chart window, the printer and print preview, PDF files and images.
//
// Logical coordinates are mapped by hand rather than through the painter's
// transform, so text in the y-up print space stays upright:
//   screen: device = (x * s, y * s), s = min(width / 512, height / 400) of the
//           target area, anchored at its top-left;
//   print:  device = (x * k, -y * k), k = dpi / 1440, (0, 0) at the painter's
//           origin (the printable area's top-left on a printer).
// Fonts are Arial (Liberation Sans) at their logical height scaled into
// device pixels; text is placed by its top (baseline = top + ascent).

#include <QFont>
#include <QPageSize>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <array>
#include <functional>
#include <optional>

#include "engine/result.h"
#include "view/canvas.h"
#include "view/page_extent.h"

class QImage;
class QPainter;
class QPaintDevice;

namespace sarvexa {

class QtCanvas final : public Canvas {
 public:
  /// Draws through `painter` into an area of `areaPx` device pixels starting
  /// at the painter's origin (the screen grid is fitted into it) on a device
  /// of `dpiX` x `dpiY` dots per inch (the twips scale). Turns on
  /// anti-aliasing. The painter must outlive the canvas.
  QtCanvas(QPainter& painter, QSizeF areaPx, double dpiX, double dpiY);
  /// As above with the area and resolution of the painter's device.
  explicit QtCanvas(QPainter& painter);

  void SetMapping(Mapping mapping) override;
  Mapping GetMapping() const override { return mapping_; }
  FontId SelectFont(FontId font) override;
  FontId GetFont() const override { return font_; }
  FontMetrics GetFontMetrics() override;
  int TextWidth(std::string_view utf8) override;
  void TextOut(int x, int y, std::string_view utf8) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  int SetPenWidth(int width) override;
  Rgb SetTextColor(Rgb colour) override;
  Rgb GetTextColor() const override { return colour_; }

  /// Lays the page out by `placement` instead of the default mapping rules:
  /// device = origin + (x, y down the page) * scale, in either mapping.
  void SetPlacement(const PagePlacement& placement);

  /// Device pixels per logical unit in the current mapping (x and y).
  double ScaleX() const;
  double ScaleY() const;
  /// The QFont used for a page font in the current mapping.
  QFont FontFor(FontId font) const;

 private:
  QPointF Map(int x, int y) const;
  void ApplyPen();

  QPainter& painter_;
  QSizeF area_;
  double dpiX_;
  double dpiY_;
  Mapping mapping_ = Mapping::Screen;
  FontId font_ = FontId::Screen12;
  int penWidth_ = 1;
  Rgb colour_{};
  Point current_{};
  std::optional<PagePlacement> placement_;
};

/// Draws a page on a canvas (a screen or print page function).
using PageDrawing = std::function<void(Canvas&)>;

/// The drawn extent of a page, measured with this toolkit's fonts drawn at
/// `scale` device pixels per page unit (screen grid units or twips, as the
/// page draws). Text widths do not scale exactly with the font, so measure
/// at the scale the page will be drawn at.
PageExtent MeasureWithQt(const PageDrawing& draw, double scale = 1.0);

/// A screen page's extent fitted and centred into a target of `areaPx`:
/// measured once at one pixel per unit, then again at the scale found, so
/// the fonts' widths are those of the target.
PagePlacement FitScreenPage(const PageDrawing& draw, QSizeF areaPx, double marginPx);

/// A page's drawn extent at a scale (device pixels per page unit).
using ExtentAtScale = std::function<PageExtent(double scale)>;

/// As FitScreenPage, with the extents taken from `measure`, for a caller
/// that keeps the extents it has measured.
PagePlacement FitMeasuredScreenPage(const ExtentAtScale& measure, QSizeF areaPx, double marginPx);

/// Room left round a page fitted into a window or an image, in pixels.
inline constexpr double kPageMarginPx = 4.0;

/// Where a printed page goes on a printable area of `areaPx` at `dpi`: at its
/// own twips when it fits, otherwise shrunk from the area's top-left corner
/// until the whole page is on the sheet.
PagePlacement PrintPlacement(const PageExtent& extent, double dpi, QSizeF areaPx);

/// A white image of `sizePx` with the page drawn into it: a screen page's
/// drawn extent fitted and centred in the whole image; print twips at `dpi`
/// from the top-left corner. A null image when the memory for it cannot be
/// had (as the other two renderings below).
QImage RenderToImage(QSize sizePx, const PageDrawing& draw, double dpi = 96.0);
/// The same page laid out for a target of `areaPx` but drawn into a white
/// image of `imagePx` (which may be larger, to see what falls outside).
QImage RenderToImage(QSize areaPx, const PageDrawing& draw, double dpi, QSize imagePx);

/// Paper of a printed sheet and the printable area's margin on each side.
struct SheetLayout {
  QPageSize pageSize = QPageSize(QPageSize::Letter);
  double marginPt = 10.0;  ///< like a PDF printer's default printable area
};

/// The whole printed sheet as a white image at `dpi`, the page drawn from the
/// printable area's top-left corner.
QImage RenderSheetToImage(const SheetLayout& sheet, double dpi, const PageDrawing& draw);

/// Writes a one-page PDF of the sheet (1200 dpi, fonts embedded by Qt)
/// through a temporary file renamed over `path`: on failure the old file
/// stays whole and no partial file is left. A failure carries the error text.
Result<void, QString> RenderSheetToPdf(const QString& path, const SheetLayout& sheet,
                                       const PageDrawing& draw);

/// Saves an image as PNG, replacing `path` like RenderSheetToPdf.
Result<void, QString> SavePng(const QImage& image, const QString& path);

}  // namespace sarvexa
