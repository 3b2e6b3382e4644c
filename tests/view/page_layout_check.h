#pragma once
// The layout rule every page keeps, checked on any canvas's metrics: no
// text overprints another, every text lies on the page, and a box drawn
// round texts (a marked cell) crosses none. Header-only; the view tests use
// it with the recording canvas's fixed metrics, the Qt tests with the real
// fonts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view/canvas.h"
#include "view/label_layout.h"

namespace sarvexa::page_test {

/// Records where texts and rectangles land, in down coordinates, measuring
/// with another canvas (whose fonts and mapping it keeps in step).
class LayoutRecorder final : public Canvas {
 public:
  explicit LayoutRecorder(Canvas& metrics) : metrics_(metrics) {}

  struct Text {
    DownBox box;
    std::string text;
    Rgb colour;
  };
  std::vector<Text> texts;
  std::vector<DownBox> rectangles;

  void SetMapping(Mapping m) override { metrics_.SetMapping(m); }
  Mapping GetMapping() const override { return metrics_.GetMapping(); }
  FontId SelectFont(FontId f) override { return metrics_.SelectFont(f); }
  FontId GetFont() const override { return metrics_.GetFont(); }
  FontMetrics GetFontMetrics() override { return metrics_.GetFontMetrics(); }
  int TextWidth(std::string_view s) override { return metrics_.TextWidth(s); }
  void TextOut(int x, int y, std::string_view s) override {
    const int top = Down(y);
    texts.push_back({DownBox{x, top, x + TextWidth(s), top + GetFontMetrics().height},
                     std::string(s), colour_});
  }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Rectangle(int left, int top, int right, int bottom) override {
    rectangles.push_back(DownBox{std::min(left, right), std::min(Down(top), Down(bottom)),
                                 std::max(left, right), std::max(Down(top), Down(bottom))});
  }
  int SetPenWidth(int w) override { return metrics_.SetPenWidth(w); }
  Rgb SetTextColor(Rgb c) override {
    const Rgb previous = colour_;
    colour_ = c;
    return previous;
  }
  Rgb GetTextColor() const override { return colour_; }

 private:
  int Down(int y) const { return GetMapping() == Mapping::Print ? -y : y; }
  Canvas& metrics_;
  Rgb colour_{};
};

/// Every text inside `page`, no two texts sharing a point, and every
/// rectangle either round a text or clear of it.
inline void ExpectNoOverprint(const LayoutRecorder& r, const DownBox& page) {
  for (std::size_t i = 0; i < r.texts.size(); ++i) {
    const DownBox& a = r.texts[i].box;
    EXPECT_TRUE(a.left >= page.left && a.right <= page.right && a.top >= page.top &&
                a.bottom <= page.bottom)
        << "off the page: " << r.texts[i].text;
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(a.Intersects(r.texts[j].box))
          << "\"" << r.texts[i].text << "\" overprints \"" << r.texts[j].text << "\"";
    }
    for (const DownBox& box : r.rectangles) {
      const bool inside =
          a.left > box.left && a.right < box.right && a.top > box.top && a.bottom < box.bottom;
      EXPECT_TRUE(inside || !a.Intersects(box.Grown(1))) << "a box crosses " << r.texts[i].text;
    }
  }
}

}  // namespace sarvexa::page_test
