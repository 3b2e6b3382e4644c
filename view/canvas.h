#pragma once
// The drawing surface every page and chart drawing writes to. It offers what
// the pages need of a device context and nothing more: a coordinate system
// chosen by the page, eight fonts chosen by logical height, text placed by its
// top-left corner, text measurement, lines, rectangles, pen width and text
// colour. All coordinates are integers in the current logical units, because
// the page layouts are integer arithmetic.
//
// Implementations: RecordingCanvas (view/recording_canvas.h, for tests) and
// QtCanvas (view/qt/qt_canvas.h, screen, printer, PDF and image).

#include <cstdint>
#include <string_view>

namespace sarvexa {

/// A text colour, 8 bits per channel.
struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

/// The two logical coordinate systems of the pages.
enum class Mapping {
  /// Isotropic 512 x 400 grid, y growing downward, scaled uniformly into the
  /// target and anchored at its top-left corner.
  Screen,
  /// Twips (1/1440 inch), y growing upward; the top-left of the printable
  /// area is (0, 0), so everything on the sheet has y <= 0.
  Print,
};

/// Logical width and height of the screen grid.
inline constexpr int kScreenGridWidth = 512;
inline constexpr int kScreenGridHeight = 400;

/// The eight page fonts. All are "Arial" (Liberation Sans), regular weight;
/// the screen ones ask for fixed pitch, the print ones for default pitch. The
/// height is the character height without internal leading, in the logical
/// units of the mapping the font is used in.
enum class FontId {
  Screen12,  ///< 12: page titles, tables, information panel, dasha rows
  Screen14,  ///< 14: SA pages
  Screen10,  ///< 10: chart labels of the Chart page
  Screen8,   ///< 8: chart labels of the Divisional charts page
  Print280,  ///< 280 twips (14 pt): print titles, information panels
  Print240,  ///< 240 twips (12 pt): printed dasha rows, Ephemeris title
  Print200,  ///< 200 twips (10 pt): printed Chart page, Ephemeris rows
  Print160,  ///< 160 twips (8 pt): printed divisional charts
  // Smaller sizes a crowded house's chart labels may shrink to, down to a
  // legible floor; no page selects them on its own.
  Screen7,   ///< 7
  Print140,  ///< 140 twips (7 pt)
  Print120,  ///< 120 twips (6 pt)
  Print100,  ///< 100 twips (5 pt)
};

/// Character height of a font in logical units.
constexpr int FontHeight(FontId font) {
  switch (font) {
    case FontId::Screen12:
      return 12;
    case FontId::Screen14:
      return 14;
    case FontId::Screen10:
      return 10;
    case FontId::Screen8:
      return 8;
    case FontId::Print280:
      return 280;
    case FontId::Print240:
      return 240;
    case FontId::Print200:
      return 200;
    case FontId::Print160:
      return 160;
    case FontId::Screen7:
      return 7;
    case FontId::Print140:
      return 140;
    case FontId::Print120:
      return 120;
    case FontId::Print100:
      return 100;
  }
  return 12;
}

/// True for the fixed-pitch screen fonts.
constexpr bool IsScreenFont(FontId font) {
  return font == FontId::Screen12 || font == FontId::Screen14 || font == FontId::Screen10 ||
         font == FontId::Screen8 || font == FontId::Screen7;
}

/// Metrics of the selected font in logical units (always positive, also in
/// the y-up print space).
struct FontMetrics {
  int height = 0;           ///< tmHeight: ascent + descent
  int ascent = 0;           ///< baseline below the top of the text
  int descent = 0;          ///< below the baseline
  int externalLeading = 0;  ///< tmExternalLeading: extra space between lines
  /// The pages' "line height": tmHeight + tmExternalLeading.
  constexpr int LineHeight() const { return height + externalLeading; }
};

/// A logical point.
struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(Point, Point) = default;
};

/// The device-context operations the pages use. A page starts with
/// SetMapping, selects its pen width and fonts, and draws. The defaults at
/// the start of every page: screen mapping, font Screen12, pen width 1,
/// black text.
class Canvas {
 public:
  virtual ~Canvas() = default;

  /// Chooses the coordinate system for what follows.
  virtual void SetMapping(Mapping mapping) = 0;
  virtual Mapping GetMapping() const = 0;

  /// Selects one of the page fonts; returns the one selected before.
  virtual FontId SelectFont(FontId font) = 0;
  virtual FontId GetFont() const = 0;
  /// Metrics of the selected font.
  virtual FontMetrics GetFontMetrics() = 0;
  /// Advance width of UTF-8 text in the selected font (GetTextExtent).
  virtual int TextWidth(std::string_view utf8) = 0;

  /// Writes UTF-8 text with the top-left corner of its cell at (x, y): on
  /// screen the text extends downward from y, in print below y as well (to
  /// y - height), i.e. always on the page-bottom side of the point.
  virtual void TextOut(int x, int y, std::string_view utf8) = 0;

  /// The current position and a line from it (MoveTo/LineTo); LineTo leaves
  /// the current position at its end point and, like a device context, does
  /// not paint the end point itself.
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;

  /// The outline of a rectangle with corners (left, top) and (right, bottom)
  /// in the current pen; the interior is left as it is.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;

  /// Width of the solid black pen in logical units; returns the previous one.
  virtual int SetPenWidth(int width) = 0;

  /// Colour of the text that follows; returns the previous one.
  virtual Rgb SetTextColor(Rgb colour) = 0;
  virtual Rgb GetTextColor() const = 0;

  // Conveniences built on the operations above.

  /// A line from (x1, y1) to (x2, y2).
  void Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }
  /// Text right-aligned so that it ends at x (the pages' TA_RIGHT).
  void TextOutRight(int x, int y, std::string_view utf8) { TextOut(x - TextWidth(utf8), y, utf8); }
  /// Line height of the selected font (tmHeight + tmExternalLeading).
  int LineHeight() { return GetFontMetrics().LineHeight(); }
};

}  // namespace sarvexa
