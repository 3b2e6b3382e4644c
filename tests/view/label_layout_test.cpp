// Chart labels never overprint: on the chart geometry of every page that
// draws a chart, in both styles and both variants, with one to nine points
// in one house and the Ascendant in each sign, every label box stays inside
// its house, clear of the frame lines, the sign numbers and the other labels,
// and inside the page's drawn extent. Also: fitting a page's extent.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "analysis/sa_transits.h"
#include "tests/view/page_test_support.h"
#include "view/chart_drawing.h"
#include "view/label_layout.h"
#include "view/page_extent.h"
#include "view/pages.h"

namespace sarvexa {
namespace {

using page_test::WorkedDocument;

/// One chart a page draws: its rectangle as recorded, the mapping and font
/// of its labels and whether they carry degrees.
struct ChartSlot {
  Mapping mapping = Mapping::Screen;
  FontId font = FontId::Screen10;
  int left = 0, right = 0, lowY = 0, highY = 0;  // recorded corners, sorted
  bool degrees = false;
};

bool IsNumber(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char ch) {
    return std::isdigit(static_cast<unsigned char>(ch));
  });
}

/// The box of a recorded text in down coordinates (y measured down the page).
DownBox BoxOf(const RecordedText& t) {
  const int width = RecordingCanvas::WidthFor(t.font, t.text);
  const int height = RecordingCanvas::MetricsFor(t.font).height;
  const int top = t.mapping == Mapping::Print ? -t.y : t.y;
  return DownBox{t.x, top, t.x + width, top + height};
}

/// The charts of a recorded page: a rectangle followed by the lines of a
/// North frame (the fifth line runs corner to corner) or of a South frame
/// (the first line spans the full width).
std::vector<ChartSlot> ChartsOf(const RecordingCanvas& page) {
  std::vector<ChartSlot> slots;
  // The font and mapping in effect at each shape, from the log.
  std::vector<std::pair<Mapping, FontId>> stateAtShape;
  Mapping mapping = Mapping::Screen;
  int fontHeight = 12;
  for (const std::string& line : page.Log()) {
    if (line == "mapping print") mapping = Mapping::Print;
    if (line == "mapping screen") mapping = Mapping::Screen;
    if (line.rfind("font ", 0) == 0) fontHeight = std::stoi(line.substr(5));
    if (line.rfind("rect ", 0) == 0 || line.rfind("line ", 0) == 0) {
      FontId font = FontId::Screen12;
      for (FontId f : {FontId::Screen12, FontId::Screen14, FontId::Screen10, FontId::Screen8,
                       FontId::Print280, FontId::Print240, FontId::Print200, FontId::Print160}) {
        if (FontHeight(f) == fontHeight) font = f;
      }
      stateAtShape.emplace_back(mapping, font);
    }
  }
  const auto& shapes = page.Shapes();
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const RecordedShape& r = shapes[i];
    if (!r.isRectangle) continue;
    const int left = std::min(r.x1, r.x2), right = std::max(r.x1, r.x2);
    const int lowY = std::min(r.y1, r.y2), highY = std::max(r.y1, r.y2);
    const bool north = i + 5 < shapes.size() && !shapes[i + 5].isRectangle &&
                       shapes[i + 5].x1 == left && shapes[i + 5].x2 == right &&
                       std::abs(shapes[i + 5].y2 - shapes[i + 5].y1) == highY - lowY;
    const bool south = i + 8 < shapes.size() && !shapes[i + 1].isRectangle &&
                       shapes[i + 1].x1 == left && shapes[i + 1].x2 == right &&
                       shapes[i + 1].y1 == shapes[i + 1].y2;
    if (!north && !south) continue;
    ChartSlot slot{stateAtShape[i].first, stateAtShape[i].second, left, right, lowY, highY, false};
    for (const RecordedText& t : page.Texts()) {
      if (t.x > left && t.x < right && t.y > lowY && t.y < highY &&
          t.text.find(':') != std::string::npos) {
        slot.degrees = true;
      }
    }
    slots.push_back(slot);
  }
  return slots;
}

/// True when the segment (a, b) meets the inside of `box` (Liang-Barsky).
bool SegmentCrossesBox(double ax, double ay, double bx, double by, const DownBox& box) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = bx - ax, dy = by - ay;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax - box.left, box.right - ax, ay - box.top, box.bottom - ay};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] <= 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 >= t1) return false;
  }
  return true;
}

/// A chart with `crowd` points (Sun onward) in sign `crowdSign`, the
/// Ascendant in `ascSign` and every other point alone in a sign of its own.
Horoscope CrowdedChart(int ascSign, int crowdSign, int crowd) {
  Horoscope h;
  h.positions[0].longitude = ascSign * 30 + 12.5;
  int other = 1;
  for (int g = 1; g < graha::kCount; ++g) {
    if (g <= crowd) {
      h.positions[static_cast<std::size_t>(g)].longitude = crowdSign * 30 + 2.0 + 2.9 * g;
    } else {
      int sign = (crowdSign + other++) % 12;
      if (sign == ascSign) sign = (crowdSign + other++) % 12;
      h.positions[static_cast<std::size_t>(g)].longitude = sign * 30 + 17.25;
    }
    h.positions[static_cast<std::size_t>(g)].retrograde = g % 3 == 0;
  }
  return h;
}

struct PageCase {
  const char* name;
  std::function<void(Canvas&, const ChartSnapshot&)> draw;
};

TEST(LabelLayout, CrowdedHousesNeverOverprintOnAnyPage) {
  const PageCase kPages[] = {
      {"Chart screen", DrawChartPageScreen},
      {"Chart print", DrawChartPagePrint},
      {"Divisional screen", DrawDivisionalPageScreen},
      {"Divisional print", DrawDivisionalPagePrint},
      {"SA print", DrawSaPagePrint},
      {"Transits print", DrawTransitsPagePrint},
      {"SA screen", DrawSaPageScreen},
      {"Transits screen", DrawTransitsPageScreen},
  };
  int chartsChecked = 0;
  for (ChartStyle style : {ChartStyle::North, ChartStyle::South}) {
    WorkedDocument w(ChartStyleSetting(style));
    ChartSnapshot snap = w.doc->snapshot();
    snap.transitHoroscope = snap.horoscope;
    snap.transitAnalysis = AnalyseTransits(snap.horoscope, snap.horoscope);
    for (const PageCase& page : kPages) {
      RecordingCanvas recorded;
      page.draw(recorded, snap);
      RecordingCanvas metrics;
      const PageExtent extent = MeasurePageExtent(metrics, [&](Canvas& c) { page.draw(c, snap); });
      for (const ChartSlot& slot : ChartsOf(recorded)) {
        for (int asc = 0; asc < 12; ++asc) {
          // The crowd in the Ascendant's house, and in the sixth from it,
          // so that every house and every cell is crowded somewhere.
          for (int offset : {0, 5}) {
            const int crowdSign = (2 * asc + offset) % 12;
            for (int crowd = 1; crowd <= 9; ++crowd) {
              const std::string where = std::string(page.name) + " style " +
                                        std::to_string(ChartStyleSetting(style)) + " chart at x " +
                                        std::to_string(slot.left) + ", Ascendant sign " +
                                        std::to_string(asc) + ", " + std::to_string(crowd) +
                                        " in sign " + std::to_string(crowdSign);
              SCOPED_TRACE(where);
              RecordingCanvas c;
              c.SetMapping(slot.mapping);
              c.SelectFont(slot.font);
              const int size = slot.right - slot.left;
              const int top = slot.lowY;  // upper edge on screen, lower edge in print
              const ChartFrame frame = DrawChartFrame(c, style, slot.left, top, size,
                                                      slot.highY - slot.lowY, c.LineHeight());
              const Horoscope h = CrowdedChart(asc, crowdSign, crowd);
              const ChartSigns signs = RashiSignsOf(h);
              if (slot.degrees) {
                PlaceGrahasWithDegrees(c, frame, signs, h, ChartColours{});
              } else {
                PlaceGrahaLabels(c, frame, signs, h);
              }
              ++chartsChecked;

              std::vector<std::pair<DownBox, int>> labels;  // box, place
              std::vector<DownBox> numbers;
              for (const RecordedText& t : c.Texts()) {
                if (IsNumber(t.text)) {
                  numbers.push_back(BoxOf(t));
                  continue;
                }
                int g = 0;
                while (g < graha::kCount && t.text.rfind(GrahaLabelText(g, false), 0) != 0) ++g;
                ASSERT_LT(g, graha::kCount) << t.text;
                const int sign = signs[static_cast<std::size_t>(g)];
                labels.emplace_back(
                    BoxOf(t), style == ChartStyle::North ? (sign - signs[0] + 12) % 12 : sign);
              }
              ASSERT_EQ(labels.size(), static_cast<std::size_t>(graha::kCount));
              const int s = slot.mapping == Mapping::Print ? -1 : 1;
              for (std::size_t i = 0; i < labels.size(); ++i) {
                const DownBox& box = labels[i].first;
                EXPECT_TRUE(BoxInsideShape(box, HouseShapeOf(frame, labels[i].second), 0))
                    << "label " << i << " outside its house";
                EXPECT_TRUE(box.left >= extent.left && box.right <= extent.right &&
                            box.top >= extent.top && box.bottom <= extent.bottom)
                    << "label " << i << " outside the page";
                for (std::size_t j = 0; j < i; ++j) {
                  EXPECT_FALSE(box.Intersects(labels[j].first)) << "labels " << j << ", " << i;
                }
                for (const DownBox& number : numbers) {
                  EXPECT_FALSE(box.Intersects(number)) << "label " << i << " on a sign number";
                }
                for (const RecordedShape& line : c.Shapes()) {
                  if (line.isRectangle) continue;
                  EXPECT_FALSE(SegmentCrossesBox(line.x1, s * line.y1, line.x2, s * line.y2, box))
                      << "label " << i << " crosses a line";
                }
              }
              if (::testing::Test::HasFailure()) return;  // one case tells enough
            }
          }
        }
      }
    }
  }
  // Rashi and Navamsa on the Chart pages, 6 + 12 divisional charts, two on
  // each SA and transits print page, both styles, 216 charts each.
  EXPECT_EQ(chartsChecked, 2 * (2 + 2 + 6 + 12 + 2 + 2) * 216);
}

TEST(PageExtent, FitKeepsTheWholeExtentInsideAndCentred) {
  struct Case {
    PageExtent extent;
    double width, height;
    const char* source;
  };
  const Case kCases[] = {
      {{Mapping::Screen, false, 20, 0, 588, 380}, 512, 400, "Chart page in the grid's size"},
      {{Mapping::Screen, false, 20, 0, 588, 380}, 700, 1000, "portrait window"},
      {{Mapping::Screen, false, 0, -30, 660, 390}, 2000, 600, "wide window, text above the grid"},
      {{Mapping::Print, false, 720, 0, 12000, 14000}, 1000, 1300, "printed sheet in twips"},
  };
  constexpr double kMargin = 4;
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.source);
    const PagePlacement p = FitExtent(k.extent, k.width, k.height, kMargin);
    ASSERT_GT(p.scale, 0);
    const double left = p.originX + k.extent.left * p.scale;
    const double right = p.originX + k.extent.right * p.scale;
    const double top = p.originY + k.extent.top * p.scale;
    const double bottom = p.originY + k.extent.bottom * p.scale;
    EXPECT_GE(left, kMargin - 1e-9);
    EXPECT_GE(top, kMargin - 1e-9);
    EXPECT_LE(right, k.width - kMargin + 1e-9);
    EXPECT_LE(bottom, k.height - kMargin + 1e-9);
    EXPECT_NEAR(left, k.width - right, 1e-6);
    EXPECT_NEAR(top, k.height - bottom, 1e-6);
    // As large as it goes: it touches the margins on one axis.
    EXPECT_TRUE(std::abs(left - kMargin) < 1e-6 || std::abs(top - kMargin) < 1e-6);
  }
  EXPECT_EQ(FitExtent(PageExtent{}, 512, 400, kMargin).scale, 0.0);
}

}  // namespace
}  // namespace sarvexa
