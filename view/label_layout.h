#pragma once
// Fitting the labels of one house into its shape. The chart drawings first
// place a house's labels at the anchors of the frame; when that block fits
// inside the house (clear of its lines, its sign number and itself) it is
// drawn as placed. Only a house whose labels would run over a line, a sign
// number or each other is laid out again here, trying in turn: a tighter line
// step, two columns, a smaller font down to a legible floor, and last the
// degrees dropped from the labels that still do not fit.
//
// Geometry here works in "down" coordinates: x as drawn, y measured down the
// page (the print mapping's y negated), so one rule serves both mappings.

#include <optional>
#include <string>
#include <vector>

#include "view/canvas.h"
#include "view/chart_drawing.h"

namespace sarvexa {

/// An axis-aligned box in down coordinates; right and bottom are exclusive.
struct DownBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Intersects(const DownBox& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  /// The box grown by `d` on every side.
  DownBox Grown(int d) const { return DownBox{left - d, top - d, right + d, bottom + d}; }
};

/// A convex house region in down coordinates, corners in drawing order.
using HouseShape = std::vector<Point>;

/// The region of a house (North, `place` = house index 0..11) or of a sign
/// cell (South, `place` = SignIndex) of a drawn frame, bounded by its lines.
HouseShape HouseShapeOf(const ChartFrame& frame, int place);

/// True when `box` lies inside the convex `shape`, at least `margin` away
/// from each of its sides.
bool BoxInsideShape(const DownBox& box, const HouseShape& shape, int margin);

/// One label of a house: where it is written (top-left, drawn mapping), its
/// text with degrees and, for Rashi charts, the same label without them.
struct HouseLabel {
  int x = 0;
  int y = 0;
  std::string text;
  std::string bareText;  ///< name and "R" only; empty when `text` has no degrees
  GrahaIndex graha = 0;
};

/// The labels of one house as they are to be written, with their font.
struct HouseLabelLayout {
  FontId font = FontId::Screen10;
  std::vector<HouseLabel> labels;
};

/// The labels of a house placed so that none overprints: returned unchanged
/// in the selected font when they already fit; otherwise laid out again as
/// described in the file comment. `numberBox` is the sign number's box in
/// down coordinates (North), to keep clear of. `columns` is the number of
/// columns the given placement uses (1 for degree labels, 2 for bare ones).
HouseLabelLayout FitHouseLabels(Canvas& canvas, const ChartFrame& frame, int place,
                                const std::optional<DownBox>& numberBox,
                                std::vector<HouseLabel> labels, int columns);

/// The smallest font chart labels written in `font` may shrink to.
FontId LabelFontFloor(FontId font);

}  // namespace sarvexa
