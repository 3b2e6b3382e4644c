// The chart operations against the recording canvas: where anchors, labels
// and lines fall is checked by properties of the two chart styles (inside
// the frame, in the sign's cell, mirrored, ordered, clear of each other);
// the exact coordinates of every page are carried by the recorded drawings
// that scripts/compare-outputs compares between builds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "view/chart_drawing.h"
#include "view/display.h"
#include "view/recording_canvas.h"

namespace sarvexa {
namespace {

/// A chart whose ten points lie at the given longitudes (GrahaIndex order).
Horoscope ChartAt(const std::array<double, 10>& lons) {
  Horoscope h;
  for (std::size_t g = 0; g < 10; ++g) h.positions[g].longitude = lons[g];
  return h;
}

/// Texts recorded after the first `skip`, in order.
std::vector<RecordedText> TextsMatching(const RecordingCanvas& c, const std::string& prefix) {
  std::vector<RecordedText> out;
  for (const auto& t : c.Texts()) {
    if (t.text.rfind(prefix, 0) == 0) out.push_back(t);
  }
  return out;
}

const RecordedText& Only(const RecordingCanvas& c, const std::string& prefix) {
  static const RecordedText kMissing{};
  auto found = TextsMatching(c, prefix);
  EXPECT_EQ(found.size(), 1u) << "texts starting with " << prefix;
  return found.empty()
             ? kMissing
             : *std::find_if(c.Texts().begin(), c.Texts().end(),
                             [&](const RecordedText& t) { return t.text.rfind(prefix, 0) == 0; });
}

// Font 10 on the recording canvas: tmHeight 11, leading 1, line 12, char 5.
constexpr int kLine10 = 12;

TEST(RecordingCanvas, MetricsAreTheDocumentedFixedValues) {
  struct Case {
    FontId font;
    int height, ascent, leading, charWidth;
  };
  constexpr Case kCases[] = {
      {FontId::Screen12, 13, 12, 1, 6},     {FontId::Screen10, 11, 10, 1, 5},
      {FontId::Screen8, 9, 8, 0, 4},        {FontId::Print280, 315, 280, 28, 140},
      {FontId::Print160, 180, 160, 16, 80},
  };
  for (const auto& k : kCases) {
    SCOPED_TRACE(FontHeight(k.font));
    RecordingCanvas c;
    c.SelectFont(k.font);
    EXPECT_EQ(c.GetFontMetrics().height, k.height);
    EXPECT_EQ(c.GetFontMetrics().ascent, k.ascent);
    EXPECT_EQ(c.GetFontMetrics().externalLeading, k.leading);
    EXPECT_EQ(c.LineHeight(), k.height + k.leading);
    EXPECT_EQ(c.TextWidth("Ab"), 2 * k.charWidth);
  }
}

TEST(RecordingCanvas, CountsCodePointsAndLogsEachCall) {
  RecordingCanvas c;
  c.SelectFont(FontId::Screen10);
  EXPECT_EQ(c.TextWidth("10\xC2\xB0"), 15);  // "10°": three code points, four bytes
  c.SetPenWidth(4);
  c.Line(20, 80, 320, 380);
  c.Rectangle(1, 2, 3, 4);
  c.SetTextColor(Rgb{225, 0, 0});
  c.TextOut(20, 1, "Say \"hi\"");
  c.TextOutRight(100, 5, "abc");
  const std::vector<std::string> expected = {
      "font 10",          "pen 4",         "line 20,80 320,380 w4",
      "rect 1,2 3,4 w4",  "color 225,0,0", "text 20,1 \"Say \\\"hi\\\"\"",
      "text 85,5 \"abc\""};
  EXPECT_EQ(c.Log(), expected);
  ASSERT_EQ(c.Texts().size(), 2u);
  EXPECT_EQ(c.Texts()[0].colour, (Rgb{225, 0, 0}));
}

TEST(ChartPalette, MapsTheFourClassesAndFallsBackToBlack) {
  EXPECT_EQ(ChartPalette(static_cast<ColorClass>(0)), (Rgb{0, 0, 0}));
  EXPECT_EQ(ChartPalette(static_cast<ColorClass>(1)), (Rgb{225, 0, 0}));
  EXPECT_EQ(ChartPalette(static_cast<ColorClass>(2)), (Rgb{0, 205, 0}));
  EXPECT_EQ(ChartPalette(static_cast<ColorClass>(3)), (Rgb{203, 182, 84}));
  EXPECT_EQ(ChartPalette(static_cast<ColorClass>(4)), kBlack);
  EXPECT_EQ(ChartPalette(static_cast<ColorClass>(-1)), kBlack);
}

TEST(ChartLabels, NameAndRetrogradeMark) {
  EXPECT_STREQ(GrahaLabelText(0, false), "As");
  EXPECT_STREQ(GrahaLabelText(3, true), "MaR");
  EXPECT_STREQ(GrahaLabelText(9, false), "Ke");
  EXPECT_STREQ(GrahaLabelText(10, false), "?");
}

TEST(RashiSigns, FloorOfLongitudeOverThirty) {
  const auto signs =
      RashiSignsOf(ChartAt({0.0, 29.999, 30.0, 359.99, 180.5, 45, 90, 120, 150, 210}));
  const ChartSigns expected = {0, 0, 1, 11, 6, 1, 3, 4, 5, 7};
  EXPECT_EQ(signs, expected);
}

// ---------------------------------------------------------------- North

TEST(NorthFrame, AnchorsAreInsideAndMirrorAcrossTheDiagonals) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 80, 300, 300, kLine10);
  EXPECT_GT(f.cellTextHeight, kLine10);
  EXPECT_LT(f.cellTextHeight, 300 / 2);
  const int cx = (f.left + f.right) / 2, cy = (f.upperEdgeY + f.lowerEdgeY) / 2;
  const auto inside = [&](Point p) {
    return p.x > f.left && p.x < f.right && p.y > f.upperEdgeY && p.y < f.lowerEdgeY;
  };
  for (std::size_t h = 0; h < 12; ++h) {
    SCOPED_TRACE(h + 1);
    EXPECT_TRUE(inside(f.houseAnchors[h]));
    EXPECT_TRUE(inside(f.signNumberAnchors[h]));
    for (std::size_t k = h + 1; k < 12; ++k) EXPECT_NE(f.houseAnchors[h], f.houseAnchors[k]);
    // Houses 2..6 face houses 12..8 across the vertical centre line, at the
    // same height; the diamonds and the top and bottom triangles mirror
    // exactly (one unit of truncation), the side triangles' lists start
    // nearer the left edge than they end at the right.
    const Point a = f.houseAnchors[h], m = f.houseAnchors[(12 - h) % 12];
    EXPECT_EQ(a.y, m.y);
    const bool sideTriangle = h == 2 || h == 4 || h == 8 || h == 10;
    if (!sideTriangle) {
      EXPECT_NEAR(a.x + m.x, 2 * cx, 1);
    }
    if (h >= 1 && h <= 5) {
      EXPECT_LT(a.x, cx);
    }
    if (h >= 7) {
      EXPECT_GT(a.x, cx);
    }
  }
  EXPECT_LT(f.houseAnchors[0].y, cy);  // house 1 is the top diamond
  EXPECT_GT(f.houseAnchors[6].y, cy);
  EXPECT_LT(f.houseAnchors[3].x, cx);  // house 4 is the left diamond
  // The outer square and the six lines of the diamonds and diagonals, all
  // within the square.
  ASSERT_EQ(c.Shapes().size(), 7u);
  for (const auto& shape : c.Shapes()) {
    EXPECT_GE(std::min(shape.x1, shape.x2), f.left);
    EXPECT_LE(std::max(shape.x1, shape.x2), f.right);
    EXPECT_GE(std::min(shape.y1, shape.y2), f.upperEdgeY);
    EXPECT_LE(std::max(shape.y1, shape.y2), f.lowerEdgeY);
  }
}

TEST(NorthChart, SignNumbersFollowTheAscendant) {
  // Ascendant in Pisces: house 1 shows 12, house 2 shows 1, house 12 shows 11.
  RecordingCanvas c;
  c.SelectFont(FontId::Screen10);
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 80, 300, 300, kLine10);
  const Horoscope h = ChartAt({345, 10, 40, 70, 100, 130, 160, 190, 220, 40});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  ASSERT_GE(c.Texts().size(), 12u);
  struct Case {
    int house;
    const char* number;
  };
  constexpr Case kCases[] = {{0, "12"}, {1, "1"}, {2, "2"}, {11, "11"}};
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.house);
    const RecordedText& t = c.Texts()[static_cast<std::size_t>(k.house)];
    EXPECT_EQ(t.text, k.number);
    const Point a = f.signNumberAnchors[static_cast<std::size_t>(k.house)];
    EXPECT_EQ(t.x, a.x - RecordingCanvas::WidthFor(FontId::Screen10, k.number) / 2);
    EXPECT_EQ(t.y, a.y + kLine10 / 2);
  }
}

TEST(NorthChart, LabelsOfAHouseAreCentredOnItsAnchor) {
  // Sun, Mars and Jupiter in Cancer, the 4th house from an Aries Ascendant.
  RecordingCanvas c;
  c.SelectFont(FontId::Screen10);
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 80, 300, 300, kLine10);
  const Horoscope h = ChartAt({5, 100.5, 40, 95.25, 200, 118, 160, 250, 300, 120});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  const Point a = f.houseAnchors[3];
  const int probe = RecordingCanvas::WidthFor(FontId::Screen10, "MoRS22:22");
  // Three labels at full line spacing (36 <= cellTextHeight 76), in longitude order.
  const RecordedText& ma = Only(c, "Ma");
  const RecordedText& su = Only(c, "Su");
  const RecordedText& ju = Only(c, "Ju");
  EXPECT_EQ(ma.text, "Ma  5:15");
  EXPECT_EQ(su.text, "Su 10:30");
  EXPECT_EQ(ju.text, "Ju 28:00");
  EXPECT_EQ(ma.x, a.x - probe / 2);
  EXPECT_EQ(ma.y, a.y - (3 * kLine10) / 2);
  EXPECT_EQ(su.y, ma.y + kLine10);
  EXPECT_EQ(ju.y, su.y + kLine10);
}

TEST(NorthChart, TenPointsInOneHouseAreAllWrittenWithoutOverlap) {
  RecordingCanvas c;
  c.SelectFont(FontId::Screen10);
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 80, 300, 300, kLine10);
  Horoscope h = ChartAt({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  std::vector<RecordedText> labels;
  for (const auto& t : c.Texts()) {
    if (!std::isdigit(static_cast<unsigned char>(t.text[0]))) labels.push_back(t);
  }
  ASSERT_EQ(labels.size(), 10u);
  // Squeezing ten rows into the cell height would overprint them: they are
  // written in longitude order, row by row, and no two boxes meet.
  for (std::size_t i = 0; i < labels.size(); ++i) {
    EXPECT_EQ(labels[i].text.substr(0, 2), GrahaLabelText(static_cast<int>(i), false));
    const auto m = RecordingCanvas::MetricsFor(labels[i].font);
    for (std::size_t j = 0; j < i; ++j) {
      const auto& o = labels[j];
      const bool apart =
          o.y + m.height <= labels[i].y ||
          (o.y == labels[i].y && o.x + RecordingCanvas::WidthFor(o.font, o.text) < labels[i].x);
      EXPECT_TRUE(apart) << o.text << " / " << labels[i].text;
    }
  }
}

TEST(NorthChart, EqualLongitudesKeepIndexOrder) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 0, 0, 300, 300, kLine10);
  const Horoscope h = ChartAt({50, 50, 10, 100, 130, 160, 190, 220, 250, 70});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  const auto& t = c.Texts();
  const auto as =
      std::find_if(t.begin(), t.end(), [](auto& x) { return x.text.rfind("As", 0) == 0; });
  const auto su =
      std::find_if(t.begin(), t.end(), [](auto& x) { return x.text.rfind("Su", 0) == 0; });
  ASSERT_NE(as, t.end());
  ASSERT_NE(su, t.end());
  EXPECT_LT(as - t.begin(), su - t.begin());
  EXPECT_EQ(su->y, as->y + c.LineHeight());
}

TEST(NorthChart, PrintVariantMirrorsEveryVerticalStep) {
  // A 7200-twip chart whose lower edge is at -9000: the upper edge is -1800.
  RecordingCanvas c;
  c.SetMapping(Mapping::Print);
  c.SelectFont(FontId::Print200);
  const int line = c.LineHeight();  // 225 + 20
  c.Clear();
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 720, -9000, 7200, 7200, line);
  EXPECT_EQ(f.houseAnchors[0], (Point{720 + 3600, -1800 - 1800}));  // (cx, B)
  EXPECT_EQ(f.houseAnchors[1], (Point{720 + 1800, -1800 - 1200}));  // (A, upper + h/6)
  EXPECT_EQ(f.houseAnchors[6], (Point{720 + 3600, -1800 - 5400}));  // (cx, D)
  EXPECT_EQ(f.signNumberAnchors[0], (Point{4320, -5400 + 2 * line}));
  EXPECT_EQ(c.Log().front(), "rect 720,-1800 7920,-9000 w1");
  const Horoscope h = ChartAt({5, 100.5, 40, 95.25, 200, 118, 160, 250, 300, 120});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  EXPECT_EQ(c.Texts()[0].y, f.signNumberAnchors[0].y - line / 2);
  const RecordedText& ma = Only(c, "Ma");
  const RecordedText& su = Only(c, "Su");
  EXPECT_EQ(ma.y, f.houseAnchors[3].y + (3 * line) / 2);
  EXPECT_EQ(su.y, ma.y - line);
}

// Colour classes by GrahaIndex from their stored numbers.
std::array<ColorClass, graha::kCount> Classes(const std::array<int, graha::kCount>& numbers) {
  std::array<ColorClass, graha::kCount> classes{};
  for (std::size_t g = 0; g < classes.size(); ++g) classes[g] = static_cast<ColorClass>(numbers[g]);
  return classes;
}

TEST(NorthChart, ColourByClassAscendantBlackAndBlackAfterwards) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 80, 300, 300, kLine10);
  const Horoscope h = ChartAt({5, 35, 65, 95, 125, 155, 185, 215, 245, 65});
  ChartColours colours;
  colours.enabled = true;
  colours.colorClass = Classes({2, 1, 2, 3, 1, 2, 3, 1, 2, 3});  // a stray class on the Ascendant
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, colours);
  for (GrahaIndex g = 0; g < 10; ++g) {
    SCOPED_TRACE(g);
    const RecordedText& t = Only(c, GrahaLabelText(g, false));
    EXPECT_EQ(t.colour,
              g == 0 ? kBlack : ChartPalette(colours.colorClass[static_cast<std::size_t>(g)]));
  }
  EXPECT_EQ(c.GetTextColor(), kBlack);
  EXPECT_EQ(c.Log().back(), "color 0,0,0");
}

TEST(NorthChart, ColourOffDrawsEverythingBlackWithoutColourChanges) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 80, 300, 300, kLine10);
  const Horoscope h = ChartAt({5, 35, 65, 95, 125, 155, 185, 215, 245, 65});
  ChartColours colours;
  colours.enabled = false;
  colours.colorClass = Classes({0, 1, 2, 3, 1, 2, 3, 1, 2, 3});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, colours);
  for (const auto& line : c.Log()) EXPECT_NE(line.rfind("color", 0), 0u) << line;
  for (const auto& t : c.Texts()) EXPECT_EQ(t.colour, kBlack) << t.text;
  // Switching colour on and off again: the labels are black once more.
  colours.enabled = true;
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, colours);
  colours.enabled = false;
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, colours);
  for (const auto& t : c.Texts()) EXPECT_EQ(t.colour, kBlack) << t.text;
}

TEST(NorthLabels, LoneLabelCentredAndThirdLabelCentredUnderTwo) {
  RecordingCanvas c;
  c.SelectFont(FontId::Screen8);
  const int line = c.LineHeight();
  // Large enough that the three labels of house 2 stay clear of its number.
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 20, 400, 400, line);
  // Divisional signs: Ascendant alone in Leo; Sun, Moon, Mars in Virgo.
  const ChartSigns signs = {4, 5, 5, 5, 7, 8, 9, 10, 11, 0};
  Horoscope natal;
  natal.positions[3].retrograde = 1;
  c.Clear();
  PlaceGrahaLabels(c, f, signs, natal);
  const auto centreX = [&](const RecordedText& t) {
    return t.x + RecordingCanvas::WidthFor(t.font, t.text) / 2;
  };
  // A lone label is centred on its house's anchor, to within one character.
  const int character = RecordingCanvas::WidthFor(FontId::Screen8, "M");
  EXPECT_NEAR(centreX(Only(c, "As")), f.houseAnchors[0].x, character);
  // Two labels side by side, the third centred under them, the block centred
  // on the anchor, in longitude (here index) order.
  const RecordedText& su = Only(c, "Su");
  const RecordedText& mo = Only(c, "Mo");
  const RecordedText& ma = Only(c, "MaR");
  EXPECT_EQ(su.y, mo.y);
  EXPECT_LT(su.x + RecordingCanvas::WidthFor(su.font, su.text), mo.x + 1);
  EXPECT_EQ(ma.y, su.y + line);
  EXPECT_NEAR(centreX(ma), (centreX(su) + centreX(mo)) / 2, character);
  EXPECT_NEAR((su.y + ma.y + line) / 2, f.houseAnchors[1].y, line);
}

/// A recorded text's box in "down the page" units (print y is negated).
struct Box {
  int left, right, top, bottom;
};
Box BoxOf(const RecordedText& t) {
  const int s = t.mapping == Mapping::Print ? -1 : 1;
  const int top = s * t.y;
  return Box{t.x, t.x + RecordingCanvas::WidthFor(t.font, t.text), top,
             top + RecordingCanvas::MetricsFor(t.font).height};
}
bool Touch(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
bool IsNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

/// Every label written in the chart, checked against every sign number and
/// the frame: nothing covers a number and nothing leaves the chart.
void ExpectLabelsClearOfNumbers(const RecordingCanvas& c, const ChartFrame& f,
                                const std::string& what) {
  const int s = c.GetMapping() == Mapping::Print ? -1 : 1;
  int labels = 0;
  for (const auto& label : c.Texts()) {
    if (IsNumber(label.text)) continue;
    ++labels;
    const Box b = BoxOf(label);
    EXPECT_GE(b.left, f.left) << what << " " << label.text;
    EXPECT_LE(b.right, f.right) << what << " " << label.text;
    EXPECT_GE(b.top, s * f.upperEdgeY) << what << " " << label.text;
    EXPECT_LE(b.bottom, s * f.lowerEdgeY) << what << " " << label.text;
    for (const auto& number : c.Texts()) {
      if (IsNumber(number.text)) {
        EXPECT_FALSE(Touch(b, BoxOf(number)))
            << what << ": " << label.text << " covers " << number.text;
      }
    }
  }
  EXPECT_GT(labels, 0) << what;
}

TEST(NorthChart, LabelsGiveWayToTheSignNumbers) {
  // One and then three points in each house in turn (the Ascendant in Aries,
  // the others in the house's sign): in the Chart page's Rashi chart, in the
  // printed one, and in a small divisional chart with bare labels, no label
  // may cover a sign number. The anchors alone let the right-hand side
  // triangles' labels run over their numbers, and the small charts' top
  // triangles stack their lists onto them.
  struct Case {
    Mapping mapping;
    FontId font;
    int left, top, size;
    bool bare;
    int crowd;  ///< most labels per house that fit clear of the number
    const char* what;
  };
  const Case kCases[] = {
      {Mapping::Screen, FontId::Screen10, 20, 80, 300, false, 3, "screen Rashi"},
      {Mapping::Print, FontId::Print200, 720, -9000, 7200, false, 3, "printed Rashi"},
      {Mapping::Screen, FontId::Screen10, 350, 180, 238, true, 3, "screen Navamsa"},
      {Mapping::Screen, FontId::Screen8, 20, 40, 160, true, 3, "screen divisional"},
      // Two rows do not fit above the number of a small printed top triangle.
      {Mapping::Print, FontId::Print160, 720, -6000, 2800, true, 1, "printed divisional"},
  };
  for (const Case& k : kCases) {
    for (int house = 1; house < 12; ++house) {
      for (int extra : {1, 3}) {
        if (extra > k.crowd) continue;
        const std::string what = std::string(k.what) + " house " + std::to_string(house + 1) +
                                 " x" + std::to_string(extra);
        std::array<double, 10> lons = {5, 200, 200, 200, 200, 200, 200, 200, 200, 200};
        // The Ascendant's house keeps the rest company so house 1 is never empty.
        for (int g = 1; g <= extra; ++g) lons[static_cast<std::size_t>(g)] = house * 30.0 + 2 * g;
        for (int g = extra + 1; g < 10; ++g) lons[static_cast<std::size_t>(g)] = 10.0 + g;
        const Horoscope h = ChartAt(lons);
        RecordingCanvas c;
        c.SetMapping(k.mapping);
        c.SelectFont(k.font);
        const ChartFrame f =
            DrawChartFrame(c, ChartStyle::North, k.left, k.top, k.size, k.size, c.LineHeight());
        c.Clear();
        if (k.bare) {
          PlaceGrahaLabels(c, f, RashiSignsOf(h), h);
        } else {
          PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
        }
        // Only the moved house is judged; house 1 holds the crowd.
        RecordingCanvas one;
        one.SetMapping(k.mapping);
        for (const auto& t : c.Texts()) {
          if (IsNumber(t.text) || t.text.rfind("As", 0) != 0) {
            bool inHouse = IsNumber(t.text);
            for (int g = 1; g <= extra && !inHouse; ++g) {
              inHouse = t.text.rfind(kGrahaTwoLetterNames[g], 0) == 0;
            }
            if (!inHouse) continue;
            one.SelectFont(t.font);
            one.TextOut(t.x, t.y, t.text);
          }
        }
        ExpectLabelsClearOfNumbers(one, f, what);
      }
    }
  }
}

TEST(NorthLabels, DivisionalChartCountedByItsOwnAscendant) {
  // Divisional Ascendant in Capricorn: the house-1 number is 10 and the
  // Ascendant's label sits in house 1 even though the birth chart differs.
  RecordingCanvas c;
  c.SelectFont(FontId::Screen8);
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 20, 160, 160, c.LineHeight());
  const ChartSigns signs = {9, 9, 8, 8, 0, 1, 2, 3, 4, 5};
  c.Clear();
  PlaceGrahaLabels(c, f, signs, Horoscope{});
  EXPECT_EQ(c.Texts()[0].text, "10");
  const RecordedText& as = Only(c, "As");
  const RecordedText& su = Only(c, "Su");
  // Two labels form one row (r = 1) starting half a line above the anchor.
  EXPECT_EQ(as.y, f.houseAnchors[0].y - c.LineHeight() / 2);
  EXPECT_EQ(su.y, as.y);
  const RecordedText& mo = Only(c, "Mo");
  EXPECT_EQ(mo.x, f.houseAnchors[11].x - (c.TextWidth("MoR") - 2));  // Sagittarius: house 12
}

// ---------------------------------------------------------------- South

/// The South Indian cell of each sign as (column, row) of the 4 x 4 grid:
/// Pisces top-left, the signs running clockwise round the open centre.
constexpr std::array<std::array<int, 2>, 12> kSouthCells = {{{1, 0},
                                                             {2, 0},
                                                             {3, 0},
                                                             {3, 1},
                                                             {3, 2},
                                                             {3, 3},
                                                             {2, 3},
                                                             {1, 3},
                                                             {0, 3},
                                                             {0, 2},
                                                             {0, 1},
                                                             {0, 0}}};

bool InSouthCell(const ChartFrame& f, SignIndex sign, int x, int y) {
  const int w = f.right - f.left, h = f.lowerEdgeY - f.upperEdgeY;
  const auto [col, row] = kSouthCells[static_cast<std::size_t>(sign)];
  return x >= f.left + col * w / 4 && x < f.left + (col + 1) * w / 4 &&
         y >= f.upperEdgeY + row * h / 4 && y < f.upperEdgeY + (row + 1) * h / 4;
}

TEST(SouthFrame, EachSignHasItsCellRoundAnOpenCentre) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::South, 20, 80, 300, 300, kLine10);
  EXPECT_GT(f.cellTextHeight, kLine10);
  EXPECT_LT(f.cellTextHeight, 300 / 4);
  for (SignIndex s = 0; s < 12; ++s) {
    SCOPED_TRACE(kSignAbbreviations[s]);
    EXPECT_TRUE(InSouthCell(f, s, f.houseAnchors[s].x, f.houseAnchors[s].y));
  }
  // No line crosses the centre's 2 x 2 cells.
  const int x0 = f.left + 75, x1 = f.right - 75, y0 = f.upperEdgeY + 75, y1 = f.lowerEdgeY - 75;
  ASSERT_EQ(c.Shapes().size(), 9u);  // the square and eight lines
  for (const auto& shape : c.Shapes()) {
    const bool vertical = shape.x1 == shape.x2, horizontal = shape.y1 == shape.y2;
    if (vertical && shape.x1 > x0 && shape.x1 < x1) {
      EXPECT_FALSE(std::min(shape.y1, shape.y2) < y1 && std::max(shape.y1, shape.y2) > y0);
    }
    if (horizontal && shape.y1 > y0 && shape.y1 < y1) {
      EXPECT_FALSE(std::min(shape.x1, shape.x2) < x1 && std::max(shape.x1, shape.x2) > x0);
    }
  }
}

TEST(SouthChart, TheAscendantIsInItsSignsCell) {
  struct Case {
    double ascendant;
    SignIndex sign;
    const char* where;
  };
  constexpr Case kCases[] = {{10.0, 0, "Aries: top row, second cell"},
                             {340.0, 11, "Pisces: top-left corner"},
                             {200.0, 6, "Libra: bottom row, third cell"}};
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.where);
    RecordingCanvas c;
    c.SelectFont(FontId::Screen10);
    const ChartFrame f = DrawChartFrame(c, ChartStyle::South, 20, 80, 300, 300, kLine10);
    const Horoscope h = ChartAt({k.ascendant, 100, 130, 160, 40, 220, 250, 280, 310, 130});
    c.Clear();
    PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
    const RecordedText& as = Only(c, "As");
    EXPECT_TRUE(InSouthCell(f, k.sign, as.x, as.y));
    EXPECT_TRUE(InSouthCell(f, k.sign, as.x + RecordingCanvas::WidthFor(as.font, as.text) - 1,
                            as.y + kLine10 - 1));
  }
}

TEST(SouthChart, ColourOnAscendantBlackOthersByClass) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::South, 20, 80, 300, 300, kLine10);
  const Horoscope h = ChartAt({5, 35, 65, 95, 125, 155, 185, 215, 245, 65});
  ChartColours colours{true, Classes({0, 1, 2, 3, 1, 2, 3, 1, 2, 3})};
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, colours);
  EXPECT_EQ(Only(c, "As").colour, kBlack);
  EXPECT_EQ(Only(c, "Su").colour, (Rgb{225, 0, 0}));
  EXPECT_EQ(Only(c, "Mo").colour, (Rgb{0, 205, 0}));
  EXPECT_EQ(Only(c, "Ma").colour, (Rgb{203, 182, 84}));
  EXPECT_EQ(c.GetTextColor(), kBlack);
}

TEST(SouthLabels, TwoColumnsAndLoneLastLabelCentred) {
  RecordingCanvas c;
  c.SelectFont(FontId::Screen8);
  const int line = c.LineHeight();
  const ChartFrame f = DrawChartFrame(c, ChartStyle::South, 20, 20, 160, 160, line);
  // Five points in Taurus, one in Gemini, the rest elsewhere.
  const ChartSigns signs = {1, 1, 1, 1, 1, 2, 5, 6, 7, 9};
  c.Clear();
  PlaceGrahaLabels(c, f, signs, Horoscope{});
  // Two columns, filled row by row in index order; the fifth label alone on
  // the last row, between the columns; every label inside Taurus's cell.
  const RecordedText& as = Only(c, "As");
  const RecordedText& su = Only(c, "Su");
  const RecordedText& mo = Only(c, "Mo");
  const RecordedText& ma = Only(c, "Ma");
  const RecordedText& me = Only(c, "Me");
  EXPECT_EQ(as.y, su.y);
  EXPECT_EQ(mo.y, ma.y);
  EXPECT_GT(mo.y, as.y);
  EXPECT_GT(me.y, mo.y);
  EXPECT_EQ(as.x, mo.x);
  EXPECT_EQ(su.x, ma.x);
  EXPECT_GT(su.x, as.x);
  EXPECT_GT(me.x, as.x);
  EXPECT_LT(me.x, su.x);
  for (const RecordedText* t : {&as, &su, &mo, &ma, &me}) {
    SCOPED_TRACE(t->text);
    EXPECT_TRUE(InSouthCell(f, 1, t->x, t->y));
  }
  // Alone in Gemini: inside its cell, to the right of its cell's anchor.
  const RecordedText& ju = Only(c, "Ju");
  EXPECT_TRUE(InSouthCell(f, 2, ju.x, ju.y));
  EXPECT_GT(ju.x, f.houseAnchors[2].x);
}

TEST(SouthChart, PrintVariantMeasuresRowsDownFromTheUpperEdge) {
  RecordingCanvas c;
  c.SetMapping(Mapping::Print);
  c.SelectFont(FontId::Print200);
  c.Clear();
  const ChartFrame f = DrawChartFrame(c, ChartStyle::South, 720, -9000, 4000, 4000, c.LineHeight());
  // y grows upward on paper: Pisces's row is the top one, Virgo's the bottom.
  EXPECT_GT(f.houseAnchors[11].y, f.houseAnchors[5].y);
  EXPECT_LE(f.houseAnchors[11].y, f.upperEdgeY);
  EXPECT_GE(f.houseAnchors[5].y, f.lowerEdgeY);
  const Horoscope h = ChartAt({61, 62, 63, 100, 130, 160, 190, 220, 250, 70});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  const RecordedText& as = Only(c, "As");
  const RecordedText& su = Only(c, "Su");
  // Four points in Gemini, more than the cell's text height at full line
  // spacing: listed downward (decreasing y) from the top, each row clear of
  // the next.
  EXPECT_LE(su.y, as.y - c.GetFontMetrics().height);
}

TEST(ChartStyle, AnyValueOtherThanOneDrawsSouth) {
  for (int style : {0, 2, 7, -1}) {
    RecordingCanvas c;
    const ChartFrame f = DrawChartFrame(c, static_cast<ChartStyle>(style), 0, 0, 200, 200, 10);
    EXPECT_EQ(f.chartStyle, ChartStyle::South) << style;
    EXPECT_EQ(c.Shapes().size(), 9u) << style;  // rectangle + eight lines
  }
}

TEST(ChartRobustness, OutOfRangeSignsAndTinyChartsDoNotMisplace) {
  // Signs outside 0..11 are taken modulo 12; a frame smaller than one line
  // still lists labels downward, never upward past the anchor's row.
  RecordingCanvas c;
  c.SelectFont(FontId::Screen10);
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 0, 0, 30, 30, kLine10);
  EXPECT_LT(f.cellTextHeight, 0);
  const ChartSigns signs = {-1, 11, 23, 35, -13, 0, 0, 0, 0, 0};
  c.Clear();
  PlaceGrahaLabels(c, f, signs, Horoscope{});
  EXPECT_EQ(c.Texts()[0].text, "12");
  const auto as = Only(c, "As");
  const auto su = Only(c, "Su");
  const auto mo = Only(c, "Mo");
  EXPECT_EQ(as.y, su.y);
  EXPECT_GE(mo.y, as.y);
}

}  // namespace
}  // namespace sarvexa
