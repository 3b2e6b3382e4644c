// The chart operations against the recording canvas. Expected coordinates are
// worked out by hand from the chart geometry (quarter, sixth and eighth
// divisions of the frame, truncating) and the recording canvas's fixed
// metrics (font h: line height h + h/8 + h/10, character width h/2).

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

TEST(NorthFrame, AnchorsOfTheScreenChart) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 80, 300, 300, kLine10);
  // L 20, T 80, w = h = 300, c 12: cx 170, cy 230, A 95, B 155, R 245, D 305.
  EXPECT_EQ(f.cellTextHeight, 300 / 3 - 2 * 12);
  const std::array<Point, 12> houses = {{{170, 155},
                                         {95, 130},
                                         {57, 155},
                                         {95, 230},
                                         {57, 305},
                                         {95, 330},
                                         {170, 305},
                                         {245, 330},
                                         {270, 305},
                                         {245, 230},
                                         {270, 155},
                                         {245, 130}}};
  EXPECT_EQ(f.houseAnchors, houses);
  const std::array<Point, 12> numbers = {{{170, 206},
                                          {95, 131},
                                          {83, 143},
                                          {158, 218},
                                          {83, 293},
                                          {95, 305},
                                          {170, 230},
                                          {245, 305},
                                          {257, 293},
                                          {182, 218},
                                          {257, 143},
                                          {245, 131}}};
  EXPECT_EQ(f.signNumberAnchors, numbers);
  const std::vector<std::string> lines(c.Log().begin(), c.Log().end());
  const std::vector<std::string> expected = {"rect 20,80 320,380 w1",   "line 170,80 319,230 w1",
                                             "line 319,230 170,379 w1", "line 170,379 20,230 w1",
                                             "line 20,230 170,80 w1",   "line 20,80 320,380 w1",
                                             "line 20,380 320,80 w1"};
  EXPECT_EQ(lines, expected);
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
  c.SelectFont(FontId::Screen8);  // line 9, char 4: "MoR" is 12 wide
  const int line = c.LineHeight();
  // Large enough that the three labels of house 2 stay clear of its number.
  const ChartFrame f = DrawChartFrame(c, ChartStyle::North, 20, 20, 400, 400, line);
  // Divisional signs: Ascendant alone in Leo; Sun, Moon, Mars in Virgo.
  const ChartSigns signs = {4, 5, 5, 5, 7, 8, 9, 10, 11, 0};
  Horoscope natal;
  natal.positions[3].retrograde = 1;
  c.Clear();
  PlaceGrahaLabels(c, f, signs, natal);
  const int w2 = 12;
  const RecordedText& as = Only(c, "As");
  EXPECT_EQ(as.x, f.houseAnchors[0].x - (w2 - 2) / 2);
  EXPECT_EQ(as.y, f.houseAnchors[0].y);
  const Point a = f.houseAnchors[1];
  const RecordedText& su = Only(c, "Su");
  const RecordedText& mo = Only(c, "Mo");
  const RecordedText& ma = Only(c, "MaR");
  // r = 3 / 2 = 1 row for centring: y starts half a line above the anchor.
  EXPECT_EQ(su.x, a.x - (w2 - 2));
  EXPECT_EQ(su.y, a.y - line / 2);
  EXPECT_EQ(mo.x, a.x + 2);
  EXPECT_EQ(mo.y, su.y);
  EXPECT_EQ(ma.x, a.x - (w2 - 2) / 2);
  EXPECT_EQ(ma.y, su.y + line);
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

TEST(SouthFrame, LinesLeaveTheCentreOpen) {
  RecordingCanvas c;
  const ChartFrame f = DrawChartFrame(c, ChartStyle::South, 20, 80, 300, 300, kLine10);
  EXPECT_EQ(f.cellTextHeight, 75 - 12);
  const std::vector<std::string> expected = {
      "rect 20,80 320,380 w1",   "line 20,155 320,155 w1",  "line 20,230 95,230 w1",
      "line 245,230 320,230 w1", "line 20,305 320,305 w1",  "line 95,80 95,380 w1",
      "line 170,80 170,155 w1",  "line 170,305 170,380 w1", "line 245,80 245,380 w1"};
  EXPECT_EQ(c.Log(), expected);
  // Pisces top-left, Aries next to it, Virgo bottom-right, Sagittarius bottom-left.
  EXPECT_EQ(f.houseAnchors[11], (Point{32, 117}));
  EXPECT_EQ(f.houseAnchors[0], (Point{107, 117}));
  EXPECT_EQ(f.houseAnchors[5], (Point{257, 342}));
  EXPECT_EQ(f.houseAnchors[8], (Point{32, 342}));
  EXPECT_EQ(f.houseAnchors[3], (Point{257, 192}));
}

TEST(SouthChart, TheAscendantIsInItsSignsCell) {
  struct Case {
    double ascendant;
    std::size_t cell;
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
    EXPECT_EQ(as.x, f.houseAnchors[k.cell].x);
    EXPECT_EQ(as.y, f.houseAnchors[k.cell].y - kLine10 / 2);
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
  const int w2 = c.TextWidth("MoR");
  const Point a = f.houseAnchors[1];
  const int rows = 3;
  const int spacing =
      std::abs(rows * line) > std::abs(f.cellTextHeight) ? f.cellTextHeight / rows : line;
  const int y0 = a.y - (rows * spacing) / 2;
  struct Case {
    const char* label;
    int x, y;
  };
  const Case kCases[] = {{"As", a.x, y0},
                         {"Su", a.x + w2, y0},
                         {"Mo", a.x, y0 + spacing},
                         {"Ma", a.x + w2, y0 + spacing},
                         {"Me", a.x + w2 / 2, y0 + 2 * spacing}};
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.label);
    const RecordedText& t = Only(c, k.label);
    EXPECT_EQ(t.x, k.x);
    EXPECT_EQ(t.y, k.y);
  }
  const RecordedText& ju = Only(c, "Ju");  // alone in Gemini: centred on its row
  EXPECT_EQ(ju.x, f.houseAnchors[2].x + w2 / 2);
  EXPECT_EQ(ju.y, f.houseAnchors[2].y - line / 2);
}

TEST(SouthChart, PrintVariantMeasuresRowsDownFromTheUpperEdge) {
  RecordingCanvas c;
  c.SetMapping(Mapping::Print);
  c.SelectFont(FontId::Print200);
  const int line = c.LineHeight();
  c.Clear();
  const ChartFrame f = DrawChartFrame(c, ChartStyle::South, 720, -9000, 4000, 4000, line);
  // Upper edge -5000; Pisces row 0: -5000 - 500; Virgo row 3: -5000 - 500 - 3000.
  EXPECT_EQ(f.houseAnchors[11], (Point{720 + line, -5500}));
  EXPECT_EQ(f.houseAnchors[5], (Point{720 + line + 3000, -8500}));
  EXPECT_EQ(c.Log()[1], "line 720,-6000 4720,-6000 w1");
  const Horoscope h = ChartAt({61, 62, 63, 100, 130, 160, 190, 220, 250, 70});
  c.Clear();
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  const RecordedText& as = Only(c, "As");
  const RecordedText& su = Only(c, "Su");
  // Four points in Gemini need 4 lines (980) > cellTextHeight (1000 - 245):
  // listed downward (decreasing y) from the top, each row clear of the next.
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
