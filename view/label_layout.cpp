#include "view/label_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sarvexa {

namespace {

/// -1 in the y-up print space, +1 on the screen grid: y times this is "down".
int DownSign(const Canvas& canvas) { return canvas.GetMapping() == Mapping::Print ? -1 : 1; }

/// Horizontal extent of a convex shape on the line at down-y `y`; empty
/// (lo > hi) when the line misses it.
struct Span {
  double lo = 1.0;
  double hi = 0.0;
  bool Empty() const { return lo > hi; }
};

Span SpanAt(const HouseShape& shape, double y) {
  Span s{std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()};
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const Point a = shape[i];
    const Point b = shape[(i + 1) % shape.size()];
    const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    if (y < y0 || y > y1) continue;
    double x;
    if (a.y == b.y) {
      s.lo = std::min(s.lo, static_cast<double>(std::min(a.x, b.x)));
      s.hi = std::max(s.hi, static_cast<double>(std::max(a.x, b.x)));
      continue;
    }
    x = a.x + (b.x - a.x) * (y - a.y) / static_cast<double>(b.y - a.y);
    s.lo = std::min(s.lo, x);
    s.hi = std::max(s.hi, x);
  }
  return s;
}

/// The room a row between down-y `top` and `bottom` has in a convex shape:
/// the narrower of the spans at its two edges (the span is concave in y).
Span RowRoom(const HouseShape& shape, int top, int bottom, int margin) {
  const Span a = SpanAt(shape, top - margin);
  const Span b = SpanAt(shape, bottom + margin);
  if (a.Empty() || b.Empty()) return Span{};
  return Span{std::max(a.lo, b.lo) + margin, std::min(a.hi, b.hi) - margin};
}

/// One way of writing a house's labels.
struct Attempt {
  FontId font;
  bool tight;      // line step = text height instead of the font's line height
  int maxColumns;  // labels per row
  int dropped;     // labels, counted from the last, written without degrees
};

/// Sizes of the labels in one font.
struct Measured {
  int textHeight = 0;
  int line = 0;
  int gap = 0;  // one space: the least room between two columns
  std::vector<int> fullWidth;
  std::vector<int> bareWidth;
};

Measured Measure(Canvas& canvas, const std::vector<HouseLabel>& labels) {
  Measured m;
  const FontMetrics fm = canvas.GetFontMetrics();
  m.textHeight = fm.height;
  m.line = fm.LineHeight();
  m.gap = std::max(1, canvas.TextWidth(" "));
  for (const HouseLabel& label : labels) {
    m.fullWidth.push_back(canvas.TextWidth(label.text));
    m.bareWidth.push_back(label.bareText.empty() ? m.fullWidth.back()
                                                 : canvas.TextWidth(label.bareText));
  }
  return m;
}

/// Top-left corners (down coordinates) of the labels packed row by row into
/// the shape, as close to `centre` as they go; nothing when they do not fit.
std::optional<std::vector<Point>> Pack(const HouseShape& shape,
                                       const std::optional<DownBox>& numberBox,
                                       const std::vector<int>& widths, int textHeight, int step,
                                       int maxColumns, int gap, int margin, Point centre) {
  int yMin = std::numeric_limits<int>::max(), yMax = std::numeric_limits<int>::lowest();
  for (const Point& p : shape) {
    yMin = std::min(yMin, p.y);
    yMax = std::max(yMax, p.y);
  }
  const int n = static_cast<int>(widths.size());
  const int increment = std::max(1, textHeight / 8);
  std::optional<std::vector<Point>> best;
  double bestCost = std::numeric_limits<double>::max();
  std::vector<Point> places(widths.size());

  for (int y0 = yMin + margin; y0 + textHeight + margin <= yMax; y0 += increment) {
    int index = 0;
    int y = y0;
    double sideways = 0.0;
    int rows = 0;
    bool fits = true;
    while (index < n) {
      if (y + textHeight + margin > yMax) {
        fits = false;
        break;
      }
      const Span room = RowRoom(shape, y, y + textHeight, margin);
      if (room.Empty()) {
        fits = false;
        break;
      }
      // The sign number splits a row it shares into a left and a right part.
      Span parts[2] = {room, Span{}};
      if (numberBox) {
        const DownBox clear = numberBox->Grown(gap);
        if (clear.top < y + textHeight && y < clear.bottom) {
          parts[0] = Span{room.lo, std::min(room.hi, static_cast<double>(clear.left))};
          parts[1] = Span{std::max(room.lo, static_cast<double>(clear.right)), room.hi};
        }
      }
      // How many of the next labels fit side by side into a part.
      const auto fitting = [&](const Span& part, int from, int most) {
        int count = 0, used = 0;
        while (!part.Empty() && from + count < n && count < most) {
          const int next =
              used + (count > 0 ? gap : 0) + widths[static_cast<std::size_t>(from + count)];
          if (next > part.hi - part.lo) break;
          used = next;
          ++count;
        }
        return count;
      };
      const auto widthOf = [&](int from, int count) {
        int w = 0;
        for (int i = 0; i < count; ++i)
          w += widths[static_cast<std::size_t>(from + i)] + (i > 0 ? gap : 0);
        return w;
      };
      // A group of labels in a part, as near the centre as the part allows.
      const auto place = [&](const Span& part, int from, int count) {
        const int rowWidth = widthOf(from, count);
        const double x = std::clamp(centre.x - rowWidth / 2.0, part.lo, part.hi - rowWidth);
        int left = static_cast<int>(std::ceil(x));
        if (left + rowWidth > part.hi) left = static_cast<int>(std::floor(part.hi)) - rowWidth;
        sideways += std::abs(left + rowWidth / 2.0 - centre.x);
        for (int i = 0; i < count; ++i) {
          places[static_cast<std::size_t>(from + i)] = Point{left, y};
          left += widths[static_cast<std::size_t>(from + i)] + gap;
        }
      };
      const int inLeft = fitting(parts[0], index, maxColumns);
      const int inRight = fitting(parts[1], index, maxColumns);
      // Both sides of the number, when a split row holds more that way.
      const int leftFirst = inLeft;
      const int thenRight =
          parts[1].Empty() ? 0 : fitting(parts[1], index + leftFirst, maxColumns - leftFirst);
      int bestCount = 0;
      if (leftFirst > 0 && thenRight > 0 && leftFirst + thenRight > std::max(inLeft, inRight)) {
        place(parts[0], index, leftFirst);
        place(parts[1], index + leftFirst, thenRight);
        bestCount = leftFirst + thenRight;
      } else if (inLeft > 0 || inRight > 0) {
        const auto nearness = [&](const Span& s) { return std::abs((s.lo + s.hi) / 2 - centre.x); };
        const bool right =
            inRight > inLeft || (inRight == inLeft && nearness(parts[1]) < nearness(parts[0]));
        bestCount = right ? inRight : inLeft;
        place(right ? parts[1] : parts[0], index, bestCount);
      }
      if (bestCount == 0) {
        fits = false;
        break;
      }
      index += bestCount;
      ++rows;
      y += step;
    }
    if (!fits) continue;
    const int blockHeight = (rows - 1) * step + textHeight;
    const double cost = std::abs(y0 + blockHeight / 2.0 - centre.y) + sideways / rows;
    if (cost < bestCost) {
      bestCost = cost;
      best = places;
    }
  }
  return best;
}

/// The smaller page fonts a chart label may take, largest first, from `font`
/// down to its floor.
std::vector<FontId> FontsFrom(FontId font) {
  static constexpr FontId kScreen[] = {FontId::Screen14, FontId::Screen12, FontId::Screen10,
                                       FontId::Screen8, FontId::Screen7};
  static constexpr FontId kPrint[] = {FontId::Print280, FontId::Print240, FontId::Print200,
                                      FontId::Print160, FontId::Print140, FontId::Print120,
                                      FontId::Print100};
  std::vector<FontId> out{font};
  const FontId floor = LabelFontFloor(font);
  const auto add = [&](const auto& list) {
    for (const FontId f : list) {
      if (FontHeight(f) < FontHeight(font) && FontHeight(f) >= FontHeight(floor)) out.push_back(f);
    }
  };
  if (IsScreenFont(font)) {
    add(kScreen);
  } else {
    add(kPrint);
  }
  return out;
}

/// True when the labels as given already sit inside the house, clear of its
/// sign number and of each other (one column apart by at least half a space).
bool GivenPlacementFits(Canvas& canvas, const HouseShape& shape,
                        const std::optional<DownBox>& numberBox,
                        const std::vector<HouseLabel>& labels, int s) {
  const FontMetrics fm = canvas.GetFontMetrics();
  const int margin = std::max(1, fm.height / 16);
  const int gap = std::max(1, canvas.TextWidth(" ") / 2);
  std::vector<DownBox> boxes;
  for (const HouseLabel& label : labels) {
    const int top = s * label.y;
    const DownBox box{label.x, top, label.x + canvas.TextWidth(label.text), top + fm.height};
    if (!BoxInsideShape(box, shape, margin)) return false;
    if (numberBox && box.Intersects(numberBox->Grown(margin))) return false;
    for (const DownBox& other : boxes) {
      if (DownBox{box.left - gap, box.top, box.right + gap, box.bottom}.Intersects(other)) {
        return false;
      }
    }
    boxes.push_back(box);
  }
  return true;
}

}  // namespace

HouseShape HouseShapeOf(const ChartFrame& frame, int place) {
  const int s = frame.upperEdgeY <= frame.lowerEdgeY ? 1 : -1;
  const int L = frame.left;
  const int Rt = frame.right;
  const int T = s * frame.upperEdgeY;
  const int Bm = s * frame.lowerEdgeY;
  const int w = Rt - L;
  const int h = Bm - T;
  const std::size_t k = static_cast<std::size_t>(((place % 12) + 12) % 12);
  if (frame.chartStyle == ChartStyle::North) {
    const int cx = L + w / 2, cy = T + h / 2;
    const int A = L + w / 4, R = L + w - w / 4, B = T + h / 4, D = T + h - h / 4;
    const HouseShape shapes[12] = {{{cx, T}, {R, B}, {cx, cy}, {A, B}},
                                   {{L, T}, {cx, T}, {A, B}},
                                   {{L, T}, {A, B}, {L, cy}},
                                   {{L, cy}, {A, B}, {cx, cy}, {A, D}},
                                   {{L, cy}, {A, D}, {L, Bm}},
                                   {{L, Bm}, {A, D}, {cx, Bm}},
                                   {{cx, Bm}, {A, D}, {cx, cy}, {R, D}},
                                   {{cx, Bm}, {R, D}, {Rt, Bm}},
                                   {{Rt, Bm}, {R, D}, {Rt, cy}},
                                   {{Rt, cy}, {R, D}, {cx, cy}, {R, B}},
                                   {{Rt, cy}, {R, B}, {Rt, T}},
                                   {{Rt, T}, {R, B}, {cx, T}}};
    return shapes[k];
  }
  // South: the cell's lines as drawn (quarters and the half, truncating).
  constexpr int kRow[12] = {0, 0, 0, 1, 2, 3, 3, 3, 3, 2, 1, 0};
  constexpr int kColumn[12] = {1, 2, 3, 3, 3, 3, 2, 1, 0, 0, 0, 0};
  const int xs[5] = {L, L + w / 4, L + w / 2, L + 3 * (w / 4), Rt};
  const int ys[5] = {T, T + h / 4, T + h / 2, T + 3 * (h / 4), Bm};
  const int c = kColumn[k], r = kRow[k];
  return {{xs[c], ys[r]}, {xs[c + 1], ys[r]}, {xs[c + 1], ys[r + 1]}, {xs[c], ys[r + 1]}};
}

bool BoxInsideShape(const DownBox& box, const HouseShape& shape, int margin) {
  if (shape.size() < 3) return false;
  double area = 0;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const Point a = shape[i], b = shape[(i + 1) % shape.size()];
    area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
  }
  const double orientation = area >= 0 ? 1.0 : -1.0;
  const Point corners[4] = {
      {box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const Point a = shape[i], b = shape[(i + 1) % shape.size()];
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double length = std::sqrt(ex * ex + ey * ey);
    if (length == 0) continue;
    for (const Point& p : corners) {
      const double cross = ex * (p.y - a.y) - ey * (p.x - a.x);
      if (orientation * cross / length < margin) return false;
    }
  }
  return true;
}

FontId LabelFontFloor(FontId font) {
  // 7 units on screen is 7 px at the first-start size; 5 pt on paper is
  // reached only by the smallest printed charts with eight or more points
  // in one house.
  return IsScreenFont(font) ? FontId::Screen7 : FontId::Print100;
}

HouseLabelLayout FitHouseLabels(Canvas& canvas, const ChartFrame& frame, int place,
                                const std::optional<DownBox>& numberBox,
                                std::vector<HouseLabel> labels, int columns) {
  const FontId given = canvas.GetFont();
  HouseLabelLayout out{given, labels};
  if (labels.empty()) return out;
  const int s = DownSign(canvas);
  const HouseShape shape = HouseShapeOf(frame, place);
  if (GivenPlacementFits(canvas, shape, numberBox, labels, s)) return out;

  // The block is laid out again around the centre of the given one.
  const FontMetrics givenMetrics = canvas.GetFontMetrics();
  int left = labels.front().x, right = left, top = s * labels.front().y, bottom = top;
  for (const HouseLabel& label : labels) {
    left = std::min(left, label.x);
    right = std::max(right, label.x + canvas.TextWidth(label.text));
    top = std::min(top, s * label.y);
    bottom = std::max(bottom, s * label.y + givenMetrics.height);
  }
  const Point centre{(left + right) / 2, (top + bottom) / 2};

  const bool hasDegrees = !labels.front().bareText.empty();
  const int n = static_cast<int>(labels.size());
  std::vector<Attempt> attempts;
  const std::vector<FontId> fonts = FontsFrom(given);
  for (const FontId font : fonts) {
    attempts.push_back({font, false, columns, 0});
    attempts.push_back({font, true, columns, 0});
    if (columns < 2) attempts.push_back({font, true, 2, 0});
    // Bare labels are short: where a house is wide (the outer edge of a
    // triangle), a row takes more of them before the font gets smaller.
    if (!hasDegrees && n > 2) attempts.push_back({font, true, n, 0});
  }
  if (hasDegrees) {
    for (int dropped = 1; dropped <= n; ++dropped)
      attempts.push_back({fonts.back(), true, 2, dropped});
    // Beyond two columns only when nothing else lets every label be read.
    attempts.push_back({fonts.back(), true, n, n});
  }

  const FontId previous = canvas.GetFont();
  FontId measuredFont = previous;
  Measured m = Measure(canvas, labels);
  bool switched = false;
  for (const Attempt& attempt : attempts) {
    if (attempt.font != measuredFont) {
      canvas.SelectFont(attempt.font);
      switched = true;
      measuredFont = attempt.font;
      m = Measure(canvas, labels);
    }
    std::vector<int> widths(labels.size());
    for (int i = 0; i < n; ++i) {
      const bool bare = i >= n - attempt.dropped;
      widths[static_cast<std::size_t>(i)] = bare ? m.bareWidth[static_cast<std::size_t>(i)]
                                                 : m.fullWidth[static_cast<std::size_t>(i)];
    }
    const int step = attempt.tight ? m.textHeight : std::max(m.line, m.textHeight);
    const int margin = std::max(1, m.textHeight / 8);
    const auto places = Pack(shape, numberBox, widths, m.textHeight, step, attempt.maxColumns,
                             m.gap, margin, centre);
    if (!places) continue;
    out.font = attempt.font;
    for (int i = 0; i < n; ++i) {
      HouseLabel& label = out.labels[static_cast<std::size_t>(i)];
      const Point p = (*places)[static_cast<std::size_t>(i)];
      label.x = p.x;
      label.y = s * p.y;
      if (i >= n - attempt.dropped && !label.bareText.empty()) label.text = label.bareText;
    }
    break;
  }
  if (switched) canvas.SelectFont(previous);
  return out;
}

}  // namespace sarvexa
