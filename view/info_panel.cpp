#include "view/info_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>

#include "document/chart_snapshot.h"
#include "document/convention_text.h"
#include "document/notation.h"
#include "engine/calendar.h"
#include "engine/numeric.h"
#include "view/page_format.h"
#include "view/text_fit.h"

namespace sarvexa {

InfoPanelData InfoPanelDataOf(const ChartSnapshot& snap) {
  return InfoPanelData{snap.firstName, snap.lastName,           snap.place,
                       snap.horoscope, snap.derivations.period, snap.context.conventions,
                       snap.source};
}

std::string CoordinateText(double value, char positiveLetter, char negativeLetter) {
  const WholeAndMinutes dm = SplitDegreesRounded(value);
  char letter = positiveLetter;
  int degrees = dm.whole;
  int minutes = dm.minutes;
  // Both parts carry the sign; a place less than one degree from the
  // reference line has a zero whole part and only the minutes tell the side.
  if (degrees < 0 || (degrees == 0 && minutes < 0)) {
    letter = negativeLetter;
    degrees = SaturatingAbs(degrees);
    minutes = SaturatingAbs(minutes);
  }
  return FormatText("%d%c%02d", degrees, letter, minutes);
}

InfoPanelTexts InfoPanelTextsOf(const InfoPanelData& data) {
  const Horoscope& h = data.horoscope;
  InfoPanelTexts t;
  const CivilDate date = DateFromDayNumber(h.julianDay);
  t.nameAndDate = FormatText("%s %s %s %d,%d ", data.firstName.c_str(), data.lastName.c_str(),
                             MonthAbbreviation(date.month), date.day, date.year);

  const WholeAndMinutes clock = SplitDegreesRounded(h.universalTime - h.zone + h.dst);
  const WholeAndMinutes zone = SplitDegreesRounded(h.zone);
  t.time = "Time: " + WriteTwelveHourClock({clock.whole, clock.minutes}, false) +
           FormatText("  Zone: %d:%02d  DST: %d", SaturatingAbs(zone.whole),
                      SaturatingAbs(zone.minutes), static_cast<int>(h.dst));

  t.place = data.place;
  t.longitude = "Longitude: " + CoordinateText(h.longitude, 'W', 'E') + "  ";
  const auto names = CurrentPeriodNames(data.currentPeriod);
  t.latitude = "Latitude: " + CoordinateText(h.latitude, 'N', 'S') +
               FormatText("  CurPer: %s/%s/%s", names[0], names[1], names[2]);

  t.ayanamsa = AyanamsaLine(h, data.conventions, data.source);
  return t;
}

namespace {

// The page's text sizes, largest first, on screen and on paper, down to the
// legible floor the chart labels shrink to.
constexpr FontId kScreenSizes[] = {FontId::Screen12, FontId::Screen10, FontId::Screen8,
                                   FontId::Screen7};
constexpr FontId kPrintSizes[] = {FontId::Print280, FontId::Print240, FontId::Print200,
                                  FontId::Print160, FontId::Print140};

// Writes `text` at (x, y) in the selected font, or in the next smaller size
// of the page that fits it into `room`; cut at the smallest.
void DrawFittedLine(Canvas& canvas, int x, int y, const std::string& text, int room) {
  if (canvas.TextWidth(text) <= room) {
    canvas.TextOut(x, y, text);
    return;
  }
  const FontId selected = canvas.GetFont();
  const bool print = canvas.GetMapping() == Mapping::Print;
  const std::span<const FontId> sizes(print ? std::span<const FontId>(kPrintSizes)
                                            : std::span<const FontId>(kScreenSizes));
  FontId font = selected;
  for (FontId f : sizes) {
    if (FontHeight(f) >= FontHeight(selected)) continue;
    font = f;
    canvas.SelectFont(f);
    if (canvas.TextWidth(text) <= room) break;
  }
  canvas.TextOut(x, y, FitTextToWidth(canvas, text, room));
  if (font != selected) canvas.SelectFont(selected);
}

}  // namespace

int DrawInfoPanel(Canvas& canvas, int x, int y, const InfoPanelData& data, int rightEdge) {
  InfoPanelTexts t = InfoPanelTextsOf(data);
  const int room = (rightEdge > 0 ? rightEdge : PageTextRightEdge(canvas)) - x;
  if (canvas.TextWidth(t.nameAndDate) > room) {
    // Only the name gives way; the date after it stays whole.
    const std::size_t nameLength = data.firstName.size() + 1 + data.lastName.size();
    const std::string date = t.nameAndDate.substr(std::min(nameLength, t.nameAndDate.size()));
    t.nameAndDate =
        FitTextToWidth(canvas, t.nameAndDate.substr(0, nameLength), room - canvas.TextWidth(date)) +
        date;
  }
  t.place = FitTextToWidth(canvas, t.place, room);
  const int step = DownPage(canvas, canvas.LineHeight());
  canvas.TextOut(x, y, t.nameAndDate);
  canvas.TextOut(x, y + step, t.time);
  canvas.TextOut(x, y + 2 * step, t.place);
  canvas.TextOut(x, y + 3 * step, t.longitude);
  canvas.TextOut(x + canvas.TextWidth(t.longitude), y + 3 * step, t.latitude);
  DrawFittedLine(canvas, x, y + 4 * step, t.ayanamsa, room);
  return y + 4 * step;
}

int DrawInfoPanel(Canvas& canvas, int x, int y, const ChartSnapshot& snap, int rightEdge) {
  return DrawInfoPanel(canvas, x, y, InfoPanelDataOf(snap), rightEdge);
}

void DrawPlanetTable(Canvas& canvas, int left, int top, int rowHeight, const Horoscope& chart) {
  const int w0 = canvas.TextWidth("SSSSS22:22SSSS");
  const int w1 = canvas.TextWidth("SSSS22:22S");
  const int w2 = canvas.TextWidth("SSSS");
  const int w3 = canvas.TextWidth("22:22");
  canvas.Rectangle(left, top, left + w0, top + DownPage(canvas, 11 * rowHeight));

  const int x0 = left + (w0 - w1) / 3;
  int y = top + DownPage(canvas, rowHeight / 2);
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    const GrahaPosition& p = chart.positions[static_cast<std::size_t>(g)];
    std::string name = kGrahaTwoLetterNames[g];
    if (p.retrograde != 0) name += "R";
    canvas.TextOut(x0, y, name);
    const WholeAndMinutes dm = SplitDegrees(p.longitude);
    canvas.TextOutRight(x0 + w2 + w3, y, FormatText("%02d:%02d", dm.whole % 30, dm.minutes));
    canvas.TextOut(x0 + w1, y, kSignAbbreviations[WrapIndex(dm.whole / 30, 12)]);
    y += DownPage(canvas, rowHeight);
  }
}

}  // namespace sarvexa
