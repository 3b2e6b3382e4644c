#pragma once
// Texts the user typed (name, place) can be of any length, but each line
// that shows them has a fixed room before the next element of its page. A
// text longer than its room is cut there and ended with "…"; the full text
// stays in the window title, the chart file and the exports.

#include <string>
#include <string_view>

#include "view/canvas.h"

namespace sarvexa {

/// `text` as it fits into `room` logical units in the selected font: whole
/// when it fits, otherwise cut between two characters (UTF-8 code points)
/// and ended with "…". Nothing fits into a room narrower than "…" alone:
/// then "…" is returned.
std::string FitTextToWidth(Canvas& canvas, std::string_view text, int room);

/// The right edge a page's text lines may reach when nothing else on the
/// page stops them first: the screen grid's right edge, and on paper 7.5
/// inches from the printable area's left edge (inside Letter and A4).
int PageTextRightEdge(const Canvas& canvas);

}  // namespace sarvexa
