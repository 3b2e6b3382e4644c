#pragma once
// The three chart operations every page draws its charts with, in the North
// Indian style (houses fixed, signs numbered) and the South Indian style
// (signs fixed on the rim of a 4 x 4 grid). DrawChartFrame draws the lines
// into a rectangle and returns where the texts go; one placement operation
// then writes the texts. The variant (screen grid or y-up print twips) follows
// the canvas's current mapping: in print, `top` is the chart's lower edge and
// every vertical step is taken downward from the upper edge top + height.

#include <array>

#include "analysis/sa_analysis.h"
#include "document/chart_style.h"
#include "engine/horoscope.h"
#include "engine/varga.h"
#include "view/canvas.h"

namespace sarvexa {

/// ChartStyle: 1 North Indian; any other value (2, or 0 when nothing valid is
/// stored) South Indian.

/// The sign of each chart point, keyed by GrahaIndex (entry 0 the Ascendant).
using ChartSigns = std::array<SignIndex, graha::kCount>;

/// Where the texts of one drawn chart go.
struct ChartFrame {
  ChartStyle chartStyle = ChartStyle::South;  ///< style the frame was drawn in
  /// North: centre of the label list of house k+1. South: anchor of the sign
  /// cell k (the labels start there, centred vertically on it).
  std::array<Point, 12> houseAnchors{};
  /// North only: where the sign number of house k+1 is centred.
  std::array<Point, 12> signNumberAnchors{};
  /// The greatest height the label list of one house or cell may take
  /// (negative when the chart is too small for even one label line).
  int cellTextHeight = 0;
  /// The drawn rectangle in the mapping it was drawn in: left and right x,
  /// and the y of its upper and lower edges as seen on the page.
  int left = 0;
  int right = 0;
  int upperEdgeY = 0;
  int lowerEdgeY = 0;
};

/// Colouring of the graha labels in a Rashi chart.
struct ChartColours {
  bool enabled = false;  ///< colour on
  /// SA colour class by GrahaIndex (see ChartPalette).
  std::array<ColorClass, graha::kCount> colorClass{};
};

/// Draws the outer rectangle and inner lines of one chart with the current
/// pen into (left, top, width, height) and returns its text anchors.
/// `lineHeight` is the line height of the font that will write the labels.
ChartFrame DrawChartFrame(Canvas& canvas, ChartStyle chartStyle, int left, int top, int width,
                          int height, int lineHeight);

/// Rashi charts: (North) the sign number of every house, then in each house
/// the labels of its points in longitude order, each followed by its degrees
/// and minutes within the sign (" %2d:%02d"). With colours enabled each label
/// takes its class colour (the Ascendant stays black) and the text colour is
/// black again afterwards. Uses the selected font.
void PlaceGrahasWithDegrees(Canvas& canvas, const ChartFrame& frame, const ChartSigns& signs,
                            const Horoscope& chart, const ChartColours& colours);

/// Divisional charts: (North) sign numbers, then bare labels in two columns,
/// each house counted from the chart's own Ascendant sign (signs[0]).
/// `natal` supplies the retrograde flags. No colour. Uses the selected font.
void PlaceGrahaLabels(Canvas& canvas, const ChartFrame& frame, const ChartSigns& signs,
                      const Horoscope& natal);

/// The label of a chart point: its two-letter name, plus "R" when retrograde.
/// An index outside 0..9 gives "?".
const char* GrahaLabelText(GrahaIndex g, bool retrograde);

}  // namespace sarvexa
