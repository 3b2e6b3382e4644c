#include "view/page_extent.h"

#include <algorithm>

namespace sarvexa {

namespace {

/// Measures and records the union of everything drawn; draws nothing.
class ExtentCanvas final : public Canvas {
 public:
  explicit ExtentCanvas(Canvas& metrics) : metrics_(metrics) {
    mapping_ = metrics.GetMapping();
    font_ = metrics.GetFont();
  }

  void SetMapping(Mapping mapping) override {
    mapping_ = mapping;
    metrics_.SetMapping(mapping);
  }
  Mapping GetMapping() const override { return mapping_; }
  FontId SelectFont(FontId font) override {
    const FontId previous = font_;
    font_ = font;
    metrics_.SelectFont(font);
    return previous;
  }
  FontId GetFont() const override { return font_; }
  FontMetrics GetFontMetrics() override { return metrics_.GetFontMetrics(); }
  int TextWidth(std::string_view utf8) override { return metrics_.TextWidth(utf8); }
  void TextOut(int x, int y, std::string_view utf8) override {
    const int down = Down(y);
    Add(x, down, x + TextWidth(utf8), down + GetFontMetrics().height);
  }
  void MoveTo(int x, int y) override { current_ = Point{x, y}; }
  void LineTo(int x, int y) override {
    const int half = (penWidth_ + 1) / 2;
    Add(std::min(current_.x, x) - half, std::min(Down(current_.y), Down(y)) - half,
        std::max(current_.x, x) + half, std::max(Down(current_.y), Down(y)) + half);
    current_ = Point{x, y};
  }
  void Rectangle(int left, int top, int right, int bottom) override {
    const int half = (penWidth_ + 1) / 2;
    Add(std::min(left, right) - half, std::min(Down(top), Down(bottom)) - half,
        std::max(left, right) + half, std::max(Down(top), Down(bottom)) + half);
  }
  int SetPenWidth(int width) override {
    const int previous = penWidth_;
    penWidth_ = std::max(0, width);
    return previous;
  }
  Rgb SetTextColor(Rgb colour) override {
    const Rgb previous = colour_;
    colour_ = colour;
    return previous;
  }
  Rgb GetTextColor() const override { return colour_; }

  const PageExtent& Extent() const { return extent_; }

 private:
  int Down(int y) const { return mapping_ == Mapping::Print ? -y : y; }
  void Add(int left, int top, int right, int bottom) {
    extent_.mapping = mapping_;
    if (extent_.empty) {
      extent_ = PageExtent{mapping_, false, left, top, right, bottom};
      return;
    }
    extent_.left = std::min(extent_.left, left);
    extent_.top = std::min(extent_.top, top);
    extent_.right = std::max(extent_.right, right);
    extent_.bottom = std::max(extent_.bottom, bottom);
  }

  Canvas& metrics_;
  Mapping mapping_ = Mapping::Screen;
  FontId font_ = FontId::Screen12;
  int penWidth_ = 1;
  Rgb colour_{};
  Point current_{};
  PageExtent extent_;
};

}  // namespace

PageExtent MeasurePageExtent(Canvas& metrics, const std::function<void(Canvas&)>& draw) {
  ExtentCanvas canvas(metrics);
  draw(canvas);
  return canvas.Extent();
}

PagePlacement FitExtent(const PageExtent& extent, double width, double height, double margin) {
  const double roomX = width - 2 * margin;
  const double roomY = height - 2 * margin;
  if (extent.empty || extent.Width() <= 0 || extent.Height() <= 0 || roomX <= 0 || roomY <= 0) {
    return PagePlacement{0.0, 0.0, 0.0};
  }
  const double scale = std::min(roomX / extent.Width(), roomY / extent.Height());
  return PlaceExtent(extent, scale, width, height, margin);
}

PagePlacement PlaceExtent(const PageExtent& extent, double scale, double width, double height,
                          double margin) {
  const double w = extent.Width() * scale;
  const double h = extent.Height() * scale;
  const double x = w + 2 * margin <= width ? (width - w) / 2 : margin;
  const double y = h + 2 * margin <= height ? (height - h) / 2 : margin;
  return PagePlacement{scale, x - extent.left * scale, y - extent.top * scale};
}

}  // namespace sarvexa
