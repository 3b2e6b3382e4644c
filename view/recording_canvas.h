#pragma once
// A canvas that draws nothing and records every call, for tests. Its font
// metrics are simple and fixed, so recorded positions can be worked out by
// hand: for a font of logical height h, tmHeight = h + h / 8, ascent = h,
// tmExternalLeading = h / 10, and every character (UTF-8 code point) is h / 2
// wide.
//
// Each call becomes one line of the log, e.g.
//   mapping screen
//   font 12
//   pen 1
//   color 225,0,0
//   text 20,1 "Vimshottari Dashas for: Ann Lee"
//   line 20,80 320,380 w1
//   rect 20,80 320,380 w1

#include <string>
#include <string_view>
#include <vector>

#include "view/canvas.h"

namespace sarvexa {

/// One recorded text output.
struct RecordedText {
  int x = 0;
  int y = 0;
  std::string text;
  Rgb colour{};
  FontId font = FontId::Screen12;
  Mapping mapping = Mapping::Screen;
};

/// One recorded line segment or rectangle outline.
struct RecordedShape {
  bool isRectangle = false;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  ///< line ends, or left, top, right, bottom
  int penWidth = 1;
};

class RecordingCanvas final : public Canvas {
 public:
  /// The fixed metrics of a font (see the file comment).
  static FontMetrics MetricsFor(FontId font);
  /// Width of UTF-8 text in a font: code points x height / 2.
  static int WidthFor(FontId font, std::string_view utf8);

  void SetMapping(Mapping mapping) override;
  Mapping GetMapping() const override { return mapping_; }
  FontId SelectFont(FontId font) override;
  FontId GetFont() const override { return font_; }
  FontMetrics GetFontMetrics() override { return MetricsFor(font_); }
  int TextWidth(std::string_view utf8) override { return WidthFor(font_, utf8); }
  void TextOut(int x, int y, std::string_view utf8) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  int SetPenWidth(int width) override;
  Rgb SetTextColor(Rgb colour) override;
  Rgb GetTextColor() const override { return colour_; }

  /// Every call in order, one line each.
  const std::vector<std::string>& Log() const { return log_; }
  /// The log joined with newlines (one trailing newline per line).
  std::string LogText() const;
  const std::vector<RecordedText>& Texts() const { return texts_; }
  const std::vector<RecordedShape>& Shapes() const { return shapes_; }
  /// The first recorded text equal to `text`, or nullptr.
  const RecordedText* FindText(std::string_view text) const;
  /// Forgets everything recorded; the drawing state stays.
  void Clear();

 private:
  Mapping mapping_ = Mapping::Screen;
  FontId font_ = FontId::Screen12;
  int penWidth_ = 1;
  Rgb colour_{};
  Point current_{};
  std::vector<std::string> log_;
  std::vector<RecordedText> texts_;
  std::vector<RecordedShape> shapes_;
};

}  // namespace sarvexa
