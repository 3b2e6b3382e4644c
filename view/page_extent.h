#pragma once
// The part of its coordinate space a page actually draws on. Pages are laid
// out on a fixed grid (512 x 400 on screen, twips on paper) but several draw
// past its edges, so fitting the grid would cut them off. The extent is found
// by drawing the page once onto a canvas that only measures: the union of
// every line, rectangle and text box. The window, the image export and the
// printer then fit that extent instead of the grid.

#include <functional>

#include "view/canvas.h"

namespace sarvexa {

/// A drawn extent in "down" coordinates: x as drawn, y measured down the page
/// (on paper the twips' y negated), in the logical units of `mapping`.
struct PageExtent {
  Mapping mapping = Mapping::Screen;
  bool empty = true;  ///< nothing was drawn
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

/// The extent of what `draw` puts on a canvas. Text is measured with
/// `metrics` (fonts and mapping are selected on it as the page selects them),
/// so the extent matches the target's own font metrics.
PageExtent MeasurePageExtent(Canvas& metrics, const std::function<void(Canvas&)>& draw);

/// How a page extent is laid into a target area: device = origin +
/// (x, down-y) * scale.
struct PagePlacement {
  double scale = 1.0;  ///< device units per logical unit
  double originX = 0.0;
  double originY = 0.0;
};

/// The largest isotropic scale at which `extent` fits into a target of
/// `width` x `height` device units with `margin` on every side, centred in
/// it. An empty extent or a target without room gives scale 0.
PagePlacement FitExtent(const PageExtent& extent, double width, double height, double margin);

/// `extent` at a given scale, centred in the target when it is smaller than
/// the target and starting `margin` from its top-left corner otherwise.
PagePlacement PlaceExtent(const PageExtent& extent, double scale, double width, double height,
                          double margin);

}  // namespace sarvexa
