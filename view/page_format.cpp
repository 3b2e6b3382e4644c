#include "view/page_format.h"

#include "engine/dasha.h"
#include "engine/horoscope.h"

namespace sarvexa {

const char* MonthAbbreviation(int month) {
  if (month < 1 || month > 12) return "???";
  return kMonthAbbreviations[month - 1];
}

int WrapIndex(int value, int n) { return ((value % n) + n) % n; }

const char* DashaTwoLetter(int lord) { return kDashaTwoLetterNames[WrapIndex(lord, 9)]; }
const char* DashaFullName(int lord) { return kDashaNames[WrapIndex(lord, 9)]; }
const char* DashaUpperName(int lord) { return kDashaUpperNames[WrapIndex(lord, 9)]; }

std::string MonthDayYearText(const CivilDate& date) {
  return FormatText("%s %d,%d", MonthAbbreviation(date.month), date.day, date.year);
}

int DownPage(const Canvas& canvas, int d) { return canvas.GetMapping() == Mapping::Print ? -d : d; }

PageStateGuard::PageStateGuard(Canvas& canvas, Mapping mapping, FontId font, int penWidth)
    : canvas_(canvas), previousFont_(canvas.GetFont()), previousPen_(0) {
  canvas_.SetMapping(mapping);
  previousPen_ = canvas_.SetPenWidth(penWidth);
  canvas_.SelectFont(font);
}

PageStateGuard::~PageStateGuard() {
  canvas_.SelectFont(previousFont_);
  canvas_.SetPenWidth(previousPen_);
}

}  // namespace sarvexa
