#include "view/chart_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/ordering.h"
#include "engine/text_format.h"
#include "view/display.h"
#include "view/label_layout.h"

namespace sarvexa {

namespace {

constexpr int Mod12(int x) { return ((x % 12) + 12) % 12; }

/// Vertical geometry of one chart in the current mapping. Screen distances are
/// measured down from the top edge T; in the y-up print space the same
/// distances are measured down from the upper edge T + h, and every step that
/// goes down the page is subtracted.
struct Vertical {
  bool print = false;
  int top = 0;     // T as passed: the upper edge on screen, the lower edge in print
  int height = 0;  // h
  /// The y of a point `d` units below the chart's upper edge.
  int At(int d) const { return print ? top + height - d : top + d; }
  /// A step of `d` units down the page.
  int Down(int d) const { return print ? -d : d; }
};

Vertical VerticalFor(const Canvas& canvas, int top, int height) {
  return Vertical{canvas.GetMapping() == Mapping::Print, top, height};
}

/// Like VerticalFor, but only the direction matters (placement operations).
int DownStep(const Canvas& canvas, int d) { return canvas.GetMapping() == Mapping::Print ? -d : d; }

ChartSigns Normalised(const ChartSigns& signs) {
  ChartSigns out{};
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = Mod12(signs[i]);
  return out;
}

/// Spacing of `rows` lines of height `line` in a cell that may take
/// `cellTextHeight`: a full line each, squeezed when they would not fit.
/// Compared on magnitudes so a y-up frame or a chart too small for even one
/// line never turns the list upside down.
int RowSpacing(int rows, int line, int cellTextHeight) {
  const int room = std::abs(cellTextHeight);
  if (rows > 0 && std::abs(rows * line) > room) return room / rows;
  return line;
}

std::string DegreeSuffix(double longitudeDeg) {
  const WholeAndMinutes dm = SplitDegrees(longitudeDeg);
  return FormatText(" %2d:%02d", dm.whole % 30, dm.minutes);
}

bool IsRetrograde(const Horoscope& chart, GrahaIndex g) {
  return chart.positions[static_cast<std::size_t>(g)].retrograde != 0;
}

/// The text of the sign number of house k+1 (1..12).
std::string SignNumberText(int ascendantSign, int k) {
  return std::to_string(Mod12(ascendantSign + k) + 1);
}

/// North Indian sign numbers: house k+1 shows the number (1..12) of its sign,
/// centred on its anchor, half a line into the house.
void WriteSignNumbers(Canvas& canvas, const ChartFrame& frame, int ascendantSign, int line) {
  for (int k = 0; k < 12; ++k) {
    const std::string number = SignNumberText(ascendantSign, k);
    const Point anchor = frame.signNumberAnchors[static_cast<std::size_t>(k)];
    canvas.TextOut(anchor.x - canvas.TextWidth(number) / 2, anchor.y + DownStep(canvas, line / 2),
                   number);
  }
}

/// The box (down coordinates) of the sign number of house `house`, as
/// WriteSignNumbers writes it; nothing in the South style, which has none.
std::optional<DownBox> NumberBox(Canvas& canvas, const ChartFrame& frame, int ascendantSign,
                                 int house, int line, bool north) {
  if (!north) return std::nullopt;
  const int s = canvas.GetMapping() == Mapping::Print ? -1 : 1;
  const std::string number = SignNumberText(ascendantSign, house);
  const Point anchor = frame.signNumberAnchors[static_cast<std::size_t>(house)];
  const int width = canvas.TextWidth(number);
  const int left = anchor.x - width / 2;
  const int top = s * anchor.y + line / 2;
  return DownBox{left, top, left + width, top + canvas.GetFontMetrics().height};
}

/// Which way a North Indian house's labels give way to its sign number: the
/// side of the number on which the house opens out (up in the top triangles,
/// outward in the side triangles and diamonds, down in the bottom ones).
enum class GiveWay { Up, Down, Left, Right };
constexpr GiveWay kNorthGiveWay[12] = {
    GiveWay::Up,   GiveWay::Up,   GiveWay::Left,  GiveWay::Left,  GiveWay::Left,  GiveWay::Down,
    GiveWay::Down, GiveWay::Down, GiveWay::Right, GiveWay::Right, GiveWay::Right, GiveWay::Up};

/// In the North Indian style a house's labels and its sign number share the
/// narrow end of the house, and at the anchors they are given the two can
/// cover each other (the side triangles on the right always do; the small
/// divisional charts do in the top triangles too). When the block of labels
/// would touch the number, the whole block moves just clear of it, away from
/// the number into the open part of the house; otherwise nothing moves.
void ClearOfSignNumber(Canvas& canvas, const ChartFrame& frame, int ascendantSign, int house,
                       int line, std::vector<HouseLabel>& labels) {
  if (labels.empty()) return;
  // Work in "down the page" units so one rule serves both mappings.
  const int s = canvas.GetMapping() == Mapping::Print ? -1 : 1;
  const int textHeight = canvas.GetFontMetrics().height;
  const int gap = std::max(1, line / 6);

  const std::string number = SignNumberText(ascendantSign, house);
  const Point numberAnchor = frame.signNumberAnchors[static_cast<std::size_t>(house)];
  const int numberWidth = canvas.TextWidth(number);
  const int numberLeft = numberAnchor.x - numberWidth / 2;
  const int numberRight = numberLeft + numberWidth;
  const int numberTop = s * numberAnchor.y + line / 2;
  const int numberBottom = numberTop + textHeight;

  int left = labels.front().x, right = left, top = s * labels.front().y, bottom = top;
  for (const HouseLabel& label : labels) {
    left = std::min(left, label.x);
    right = std::max(right, label.x + canvas.TextWidth(label.text));
    top = std::min(top, s * label.y);
    bottom = std::max(bottom, s * label.y + textHeight);
  }
  const bool touches =
      left < numberRight && numberLeft < right && top < numberBottom && numberTop < bottom;
  if (!touches) return;

  // Never out of the chart: a block that cannot move far enough stops at
  // the frame's edge (a crowded house may then still touch its number).
  const int frameUpper = s * frame.upperEdgeY + gap;
  const int frameLower = s * frame.lowerEdgeY - gap;
  int dx = 0, down = 0;
  switch (kNorthGiveWay[house]) {
    case GiveWay::Up:
      down = std::max(numberTop - gap - bottom, std::min(0, frameUpper - top));
      break;
    case GiveWay::Down:
      down = std::min(numberBottom + gap - top, std::max(0, frameLower - bottom));
      break;
    case GiveWay::Left:
      dx = std::max(numberLeft - gap - right, std::min(0, frame.left + gap - left));
      break;
    case GiveWay::Right:
      dx = std::min(numberRight + gap - left, std::max(0, frame.right - gap - right));
      break;
  }
  for (HouseLabel& label : labels) {
    label.x += dx;
    label.y += s * down;
  }
}

ChartFrame DrawNorthFrame(Canvas& canvas, int L, int T, int w, int h, int c) {
  const Vertical v = VerticalFor(canvas, T, h);
  ChartFrame frame;
  frame.chartStyle = ChartStyle::North;
  frame.cellTextHeight = h / 3 - 2 * c;

  canvas.Rectangle(L, v.At(0), L + w, v.At(h));
  const int cx = L + w / 2;
  const int cy = v.At(h / 2);
  canvas.MoveTo(cx, v.At(0));
  canvas.LineTo(L + w - 1, cy);
  canvas.LineTo(cx, v.At(h - 1));
  canvas.LineTo(L, cy);
  canvas.LineTo(cx, v.At(0));
  canvas.Line(L, v.At(0), L + w, v.At(h));
  canvas.Line(L, v.At(h), L + w, v.At(0));

  const int A = L + w / 4;
  const int B = v.At(h / 4);
  const int R = L + w - w / 4;
  const int D = v.At(h - h / 4);
  const Point centre{cx, cy};
  // Base corner and offset (in line heights, y down the page) of each house's
  // sign number; they move the number off the shared corner into its house.
  struct NumberPlace {
    Point base;
    int dx, dy;
  };
  const NumberPlace numbers[12] = {{centre, 0, -2},  {{A, B}, 0, -2},  {{A, B}, -1, -1},
                                   {centre, -1, -1}, {{A, D}, -1, -1}, {{A, D}, 0, 0},
                                   {centre, 0, 0},   {{R, D}, 0, 0},   {{R, D}, 1, -1},
                                   {centre, 1, -1},  {{R, B}, 1, -1},  {{R, B}, 0, -2}};
  for (std::size_t k = 0; k < 12; ++k) {
    frame.signNumberAnchors[k] =
        Point{numbers[k].base.x + numbers[k].dx * c, numbers[k].base.y + v.Down(numbers[k].dy * c)};
  }
  frame.houseAnchors = {Point{cx, B}, Point{A, v.At(h / 6)},     Point{L + w / 8, B},
                        Point{A, cy}, Point{L + w / 8, D},       Point{A, v.At(h - h / 6)},
                        Point{cx, D}, Point{R, v.At(h - h / 6)}, Point{L + w - w / 6, D},
                        Point{R, cy}, Point{L + w - w / 6, B},   Point{R, v.At(h / 6)}};
  return frame;
}

ChartFrame DrawSouthFrame(Canvas& canvas, int L, int T, int w, int h, int c) {
  const Vertical v = VerticalFor(canvas, T, h);
  ChartFrame frame;
  frame.chartStyle = ChartStyle::South;
  const int p = w / 4;
  const int q = h / 4;
  frame.cellTextHeight = q - c;

  canvas.Rectangle(L, v.At(0), L + w, v.At(h));
  // The centre 2 x 2 block stays open: the middle boundaries stop at it.
  canvas.Line(L, v.At(q), L + w, v.At(q));
  canvas.Line(L, v.At(h / 2), L + p, v.At(h / 2));
  // Every inner line runs onto the frame, so no gap opens where they meet
  // once the chart is scaled up.
  canvas.Line(L + 3 * p, v.At(h / 2), L + w, v.At(h / 2));
  canvas.Line(L, v.At(3 * q), L + w, v.At(3 * q));
  canvas.Line(L + p, v.At(0), L + p, v.At(h));
  canvas.Line(L + w / 2, v.At(0), L + w / 2, v.At(q));
  canvas.Line(L + w / 2, v.At(3 * q), L + w / 2, v.At(h));
  canvas.Line(L + 3 * p, v.At(0), L + 3 * p, v.At(h));

  // Row and column of each sign's cell: Pisces top-left, Aries next to it,
  // the signs running clockwise round the rim.
  constexpr int kRow[12] = {0, 0, 0, 1, 2, 3, 3, 3, 3, 2, 1, 0};
  constexpr int kColumn[12] = {1, 2, 3, 3, 3, 3, 2, 1, 0, 0, 0, 0};
  const int columnOffset[4] = {0, w / 4, w / 2, w - w / 4};
  const int rowOffset[4] = {0, h / 4, h / 2, h - h / 4};
  for (std::size_t s = 0; s < 12; ++s) {
    frame.houseAnchors[s] =
        Point{L + c + columnOffset[kColumn[s]], v.At(h / 8 + rowOffset[kRow[s]])};
  }
  return frame;
}

}  // namespace

const char* GrahaLabelText(GrahaIndex g, bool retrograde) {
  static constexpr const char* kPlain[graha::kCount] = {"As", "Su", "Mo", "Ma", "Me",
                                                        "Ju", "Ve", "Sa", "Ra", "Ke"};
  static constexpr const char* kRetro[graha::kCount] = {"AsR", "SuR", "MoR", "MaR", "MeR",
                                                        "JuR", "VeR", "SaR", "RaR", "KeR"};
  if (g < 0 || g >= graha::kCount) return "?";
  return retrograde ? kRetro[g] : kPlain[g];
}

ChartFrame DrawChartFrame(Canvas& canvas, ChartStyle chartStyle, int left, int top, int width,
                          int height, int lineHeight) {
  ChartFrame frame = chartStyle == ChartStyle::North
                         ? DrawNorthFrame(canvas, left, top, width, height, lineHeight)
                         : DrawSouthFrame(canvas, left, top, width, height, lineHeight);
  const Vertical v = VerticalFor(canvas, top, height);
  frame.left = left;
  frame.right = left + width;
  frame.upperEdgeY = v.At(0);
  frame.lowerEdgeY = v.At(height);
  return frame;
}

void PlaceGrahasWithDegrees(Canvas& canvas, const ChartFrame& frame, const ChartSigns& rawSigns,
                            const Horoscope& chart, const ChartColours& colours) {
  const ChartSigns signs = Normalised(rawSigns);
  const int line = canvas.LineHeight();
  const auto order = SortByLongitude(chart);
  const auto counts = CountPerHouse(chart);
  const bool north = frame.chartStyle == ChartStyle::North;
  const int probe = canvas.TextWidth("MoRS22:22");
  const FontId font = canvas.GetFont();

  if (north) WriteSignNumbers(canvas, frame, signs[0], line);

  // North walks the houses (fixed places, moving signs); South walks the sign
  // cells (fixed places, moving houses). Either way a place holds one sign.
  for (int place = 0; place < 12; ++place) {
    const int sign = north ? Mod12(signs[0] + place) : place;
    const int house = north ? place : Mod12(place - signs[0]);
    const int n = counts[static_cast<std::size_t>(house)];
    if (n <= 0) continue;
    const int spacing = RowSpacing(n, line, frame.cellTextHeight);
    const Point anchor = frame.houseAnchors[static_cast<std::size_t>(place)];
    const int x = north ? anchor.x - probe / 2 : anchor.x;
    int y = anchor.y - DownStep(canvas, (n * spacing) / 2);
    std::vector<HouseLabel> labels;
    for (const GrahaIndex g : order) {
      if (g < 0 || g >= graha::kCount || signs[static_cast<std::size_t>(g)] != sign) continue;
      const auto& pos = chart.positions[static_cast<std::size_t>(g)];
      const std::string name = GrahaLabelText(g, pos.retrograde != 0);
      labels.push_back(HouseLabel{x, y, name + DegreeSuffix(pos.longitude), name, g});
      y += DownStep(canvas, spacing);
    }
    if (north) ClearOfSignNumber(canvas, frame, signs[0], house, line, labels);
    const HouseLabelLayout fitted =
        FitHouseLabels(canvas, frame, place, NumberBox(canvas, frame, signs[0], place, line, north),
                       std::move(labels), 1);
    const FontId previous = fitted.font == font ? font : canvas.SelectFont(fitted.font);
    for (const HouseLabel& label : fitted.labels) {
      if (colours.enabled) {
        // The Ascendant has no functional nature: its label is always black.
        canvas.SetTextColor(
            label.graha == graha::Ascendant
                ? kBlack
                : ChartPalette(colours.colorClass[static_cast<std::size_t>(label.graha)]));
      }
      canvas.TextOut(label.x, label.y, label.text);
    }
    if (previous != fitted.font) canvas.SelectFont(previous);
  }
  if (colours.enabled) canvas.SetTextColor(kBlack);
}

void PlaceGrahaLabels(Canvas& canvas, const ChartFrame& frame, const ChartSigns& rawSigns,
                      const Horoscope& natal) {
  const ChartSigns signs = Normalised(rawSigns);
  const int line = canvas.LineHeight();
  const int w2 = canvas.TextWidth("MoR");
  const bool north = frame.chartStyle == ChartStyle::North;
  const FontId font = canvas.GetFont();

  if (north) WriteSignNumbers(canvas, frame, signs[0], line);

  // Counted from the given signs, so a divisional chart is laid out by the
  // houses of its own Ascendant.
  std::array<int, 12> counts{};
  for (const int s : signs) ++counts[static_cast<std::size_t>(Mod12(s - signs[0]))];

  // Column offsets: North labels are placed relative to the house centre
  // (left column ends 2 units left of it, right column starts 2 units right);
  // South labels run from the cell's left anchor. A lone label is centred.
  const int leftOffset = north ? -(w2 - 2) : 0;
  const int rightOffset = north ? 2 : w2;
  const int centredOffset = north ? -((w2 - 2) / 2) : w2 / 2;

  for (int place = 0; place < 12; ++place) {
    const int sign = north ? Mod12(signs[0] + place) : place;
    const int house = north ? place : Mod12(place - signs[0]);
    const int n = counts[static_cast<std::size_t>(house)];
    if (n <= 0) continue;
    const int rows = north ? n / 2 : (n + 1) / 2;
    const int spacing = RowSpacing(rows, line, frame.cellTextHeight);
    const Point anchor = frame.houseAnchors[static_cast<std::size_t>(place)];
    int y = -DownStep(canvas, (rows * spacing) / 2);
    int xoff = n == 1 ? centredOffset : leftOffset;
    int remaining = n;
    int written = 0;
    std::vector<HouseLabel> labels;
    for (GrahaIndex g = 0; g < graha::kCount; ++g) {
      if (signs[static_cast<std::size_t>(g)] != sign) continue;
      labels.push_back(HouseLabel{
          anchor.x + xoff, anchor.y + y, GrahaLabelText(g, IsRetrograde(natal, g)), {}, g});
      --remaining;
      ++written;
      if (written % 2 == 1) {
        xoff = rightOffset;
      } else {
        y += DownStep(canvas, spacing);
        xoff = remaining == 1 ? centredOffset : leftOffset;
      }
    }
    if (north) ClearOfSignNumber(canvas, frame, signs[0], house, line, labels);
    const HouseLabelLayout fitted =
        FitHouseLabels(canvas, frame, place, NumberBox(canvas, frame, signs[0], place, line, north),
                       std::move(labels), 2);
    const FontId previous = fitted.font == font ? font : canvas.SelectFont(fitted.font);
    for (const HouseLabel& label : fitted.labels) canvas.TextOut(label.x, label.y, label.text);
    if (previous != fitted.font) canvas.SelectFont(previous);
  }
}

}  // namespace sarvexa
