#include "view/recording_canvas.h"

#include "engine/text_format.h"

namespace sarvexa {

namespace {

int CodePoints(std::string_view utf8) {
  int n = 0;
  for (unsigned char ch : utf8) {
    if ((ch & 0xC0) != 0x80) ++n;  // count lead bytes only
  }
  return n;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    out += ch;
  }
  out += '"';
  return out;
}

}  // namespace

FontMetrics RecordingCanvas::MetricsFor(FontId font) {
  const int h = FontHeight(font);
  FontMetrics m;
  m.ascent = h;
  m.descent = h / 8;
  m.height = m.ascent + m.descent;
  m.externalLeading = h / 10;
  return m;
}

int RecordingCanvas::WidthFor(FontId font, std::string_view utf8) {
  return CodePoints(utf8) * (FontHeight(font) / 2);
}

void RecordingCanvas::SetMapping(Mapping mapping) {
  mapping_ = mapping;
  log_.push_back(mapping == Mapping::Screen ? "mapping screen" : "mapping print");
}

FontId RecordingCanvas::SelectFont(FontId font) {
  const FontId previous = font_;
  font_ = font;
  log_.push_back("font " + std::to_string(FontHeight(font)));
  return previous;
}

void RecordingCanvas::TextOut(int x, int y, std::string_view utf8) {
  texts_.push_back(RecordedText{x, y, std::string(utf8), colour_, font_, mapping_});
  log_.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + Quoted(utf8));
}

void RecordingCanvas::MoveTo(int x, int y) { current_ = Point{x, y}; }

void RecordingCanvas::LineTo(int x, int y) {
  shapes_.push_back(RecordedShape{false, current_.x, current_.y, x, y, penWidth_});
  log_.push_back("line " + std::to_string(current_.x) + "," + std::to_string(current_.y) + " " +
                 std::to_string(x) + "," + std::to_string(y) + " w" + std::to_string(penWidth_));
  current_ = Point{x, y};
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  shapes_.push_back(RecordedShape{true, left, top, right, bottom, penWidth_});
  log_.push_back("rect " + std::to_string(left) + "," + std::to_string(top) + " " +
                 std::to_string(right) + "," + std::to_string(bottom) + " w" +
                 std::to_string(penWidth_));
}

int RecordingCanvas::SetPenWidth(int width) {
  const int previous = penWidth_;
  penWidth_ = width;
  log_.push_back("pen " + std::to_string(width));
  return previous;
}

Rgb RecordingCanvas::SetTextColor(Rgb colour) {
  const Rgb previous = colour_;
  colour_ = colour;
  log_.push_back(FormatText("color %d,%d,%d", colour.r, colour.g, colour.b));
  return previous;
}

std::string RecordingCanvas::LogText() const {
  std::string out;
  for (const auto& line : log_) {
    out += line;
    out += '\n';
  }
  return out;
}

const RecordedText* RecordingCanvas::FindText(std::string_view text) const {
  for (const auto& t : texts_) {
    if (t.text == text) return &t;
  }
  return nullptr;
}

void RecordingCanvas::Clear() {
  log_.clear();
  texts_.clear();
  shapes_.clear();
}

}  // namespace sarvexa
