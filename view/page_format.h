#pragma once
// Small text and layout helpers shared by the pages: guarded name lookups (a
// damaged record never indexes past a table), the date texts the pages print,
// and the direction of "down the page" in the current mapping. FormatText
// comes with it from engine/text_format.h, as every page formats its texts.

#include <string>

#include "engine/calendar.h"
#include "engine/text_format.h"
#include "view/canvas.h"

namespace sarvexa {

/// Month abbreviation of a month 1..12 ("Jan" .. "Dec"); "???" outside.
const char* MonthAbbreviation(int month);

/// Two-letter, full and upper-case names of a DashaLord, wrapped into 0..8.
const char* DashaTwoLetter(int lord);
const char* DashaFullName(int lord);
const char* DashaUpperName(int lord);

/// A value brought into 0..n-1 (n > 0), also for negative values.
int WrapIndex(int value, int n);

/// "%s %d,%d": month abbreviation, day and year, e.g. "Sep 3,1999".
std::string MonthDayYearText(const CivilDate& date);

/// +d on the screen grid (y down), -d in the print space (y up): a step of d
/// units down the page.
int DownPage(const Canvas& canvas, int d);

/// Selects a font and a pen width for one page and puts back the previous
/// ones when the page is done.
class PageStateGuard {
 public:
  PageStateGuard(Canvas& canvas, Mapping mapping, FontId font, int penWidth);
  ~PageStateGuard();
  PageStateGuard(const PageStateGuard&) = delete;
  PageStateGuard& operator=(const PageStateGuard&) = delete;

 private:
  Canvas& canvas_;
  FontId previousFont_;
  int previousPen_;
};

}  // namespace sarvexa
