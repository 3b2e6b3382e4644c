#include "view/sensitivity_page.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "document/chart_snapshot.h"
#include "document/notation.h"
#include "engine/birth_time.h"
#include "engine/calendar.h"
#include "engine/varga.h"
#include "view/info_panel.h"
#include "view/page_format.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {

namespace {

constexpr const char* kMinus = "\xE2\x88\x92";  // U+2212
constexpr Rgb kFragileRed{225, 0, 0};

// "Jun 15,2024 12:00PM", the twelve-hour clock of the information panel.
std::string ClockText(const LocalClockReading& c) {
  return MonthDayYearText(CivilDate{c.month, c.day, c.year}) + " " +
         WriteTwelveHourClock({c.hour, c.minute}, false);
}

int FactorIndex(FactorKind kind, int division) {
  const auto& factors = SensitivityFactors();
  for (int f = 0; f < kFactorCount; ++f) {
    if (factors[f].kind == kind &&
        (kind != FactorKind::Division || factors[f].division == division))
      return f;
  }
  return 0;
}

// Every text a factor's values can take.
std::vector<std::string> PossibleValues(const SensitivityFactor& factor) {
  std::vector<std::string> out;
  const int count = factor.kind == FactorKind::Nakshatra ? dasha::kNakshatraCount
                    : factor.kind == FactorKind::Pada    ? 5
                                                         : 12;
  for (int v = 0; v < count; ++v) out.push_back(FactorValueText(factor, v));
  return out;
}

// The fonts, pens and spacing of one variant, in its logical units.
struct Style {
  FontId title, text, cells, footer;
  int left;    // the page's left edge
  int gap;     // between columns (and twice a box's reach into it)
  int rowGap;  // between rows
  int boxPen;  // the pen of a fragile cell's box
};

constexpr Style kScreenStyle{
    FontId::Screen12, FontId::Screen8, FontId::Screen8, FontId::Screen10, 20, 6, 3, 1};
constexpr Style kPrintStyle{
    FontId::Print280, FontId::Print160, FontId::Print140, FontId::Print200, 720, 90, 60, 12};

// The widest text a column can hold: its name, any value, either side of
// any window of this range. Fixed for a range, so the table keeps its shape
// while the birth time is stepped.
int ColumnWidth(Canvas& canvas, const SensitivityFactor& factor, int rangeMinutes) {
  int w = canvas.TextWidth(factor.name);
  for (const std::string& v : PossibleValues(factor)) w = std::max(w, canvas.TextWidth(v));
  for (const WindowSide side : {WindowSide::Before, WindowSide::After}) {
    for (const std::optional<int>& minutes :
         {std::optional<int>(rangeMinutes), std::optional<int>()}) {
      w = std::max(w, canvas.TextWidth(WindowSideText(side, minutes, rangeMinutes)));
    }
  }
  return w;
}

// One table: a header line of column names, then per point its name and in
// each column three lines: the value, the minutes before, the minutes after.
// Returns the y below the table.
int DrawTable(Canvas& canvas, const Style& style, const BirthTimeSensitivity& t,
              const std::vector<int>& columns, int y) {
  const auto& factors = SensitivityFactors();
  canvas.SelectFont(style.cells);
  const int line = canvas.LineHeight();
  const int cellHeight = 2 * line + canvas.GetFontMetrics().height;
  int labelWidth = 0;
  for (const char* name : kGrahaTwoLetterNames)
    labelWidth = std::max(labelWidth, canvas.TextWidth(name));
  std::vector<int> x, width;
  int used = 0;
  for (int f : columns) {
    width.push_back(ColumnWidth(canvas, factors[f], t.rangeMinutes));
    used += width.back();
  }
  // The room left on the line goes to the gaps, up to three times their
  // least, so a narrow table spreads over the page.
  const int columnCount = static_cast<int>(columns.size());
  const int spare = PageTextRightEdge(canvas) - style.left - labelWidth - used;
  const int gap = std::clamp(spare / std::max(1, columnCount), style.gap, 3 * style.gap);
  int next = style.left + labelWidth + gap;
  for (int w : width) {
    x.push_back(next);
    next += w + gap;
  }

  for (std::size_t i = 0; i < columns.size(); ++i)
    canvas.TextOut(x[i], y, factors[columns[i]].name);
  y += DownPage(canvas, line + style.rowGap);

  const int pad = gap / 2 - 1;
  const int vPad = style.rowGap / 2;
  for (GrahaIndex g = 0; g < graha::kCount; ++g) {
    canvas.TextOut(style.left, y, kGrahaTwoLetterNames[g]);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const FactorWindow& cell = t.points[static_cast<std::size_t>(g)][columns[i]];
      const bool fragile = EndsWithin(cell.window, kFragileMinutes);
      if (fragile) {
        const int previous = canvas.SetPenWidth(style.boxPen);
        canvas.Rectangle(x[i] - pad, y - DownPage(canvas, vPad), x[i] + width[i] + pad,
                         y + DownPage(canvas, cellHeight + vPad));
        canvas.SetPenWidth(previous);
        canvas.SetTextColor(kFragileRed);
      }
      canvas.TextOut(x[i], y, FactorValueText(factors[columns[i]], cell.value));
      canvas.TextOut(x[i], y + DownPage(canvas, line),
                     WindowSideText(WindowSide::Before, cell.window.from, t.rangeMinutes));
      canvas.TextOut(x[i], y + DownPage(canvas, 2 * line),
                     WindowSideText(WindowSide::After, cell.window.to, t.rangeMinutes));
      if (fragile) canvas.SetTextColor(kBlack);
    }
    y += DownPage(canvas, cellHeight + style.rowGap);
  }
  return y;
}

// The footer's three lines from y down; the period in red and boxed too
// when its window ends within the fragile minutes.
void DrawFooter(Canvas& canvas, const Style& style, const BirthTimeSensitivity& t, int y) {
  canvas.SelectFont(style.footer);
  const SensitivityFooter footer = SensitivityFooterOf(t);
  const int room = PageTextRightEdge(canvas) - style.left;
  // The period's line is as far from the next as the table's rows are, so
  // that its box fits between them.
  const int line = canvas.LineHeight();
  const int boxed = line + style.rowGap;
  const std::string period = FitTextToWidth(canvas, footer.period, room);
  if (EndsWithin(t.runningPeriod.window, kFragileMinutes)) {
    const int pad = style.gap / 2 - 1;
    const int vPad = style.rowGap / 2;
    const int previous = canvas.SetPenWidth(style.boxPen);
    canvas.Rectangle(style.left - pad, y - DownPage(canvas, vPad),
                     style.left + canvas.TextWidth(period) + pad,
                     y + DownPage(canvas, canvas.GetFontMetrics().height + vPad));
    canvas.SetPenWidth(previous);
    canvas.SetTextColor(kFragileRed);
  }
  canvas.TextOut(style.left, y, period);
  canvas.SetTextColor(kBlack);
  canvas.TextOut(style.left, y + DownPage(canvas, boxed),
                 FitTextToWidth(canvas, footer.dates, room));
  canvas.TextOut(style.left, y + DownPage(canvas, boxed + line),
                 FitTextToWidth(canvas, footer.balance, room));
}

// What a cell shows, said once under the title: in two lines on paper, in
// one on the screen, where the cells' "> 24 h" tells the range.
std::vector<std::string> Explanation(const BirthTimeSensitivity& t, bool oneLine) {
  if (oneLine) {
    return {
        FormatText("Value, then the birth minutes before (%s) and after (+) the time shown "
                   "in which it holds; red, boxed: changes within %d min.",
                   kMinus, kFragileMinutes)};
  }
  return {FormatText("Each cell: the value, then the birth minutes before (%s) and after (+) "
                     "the time shown in which it holds,",
                     kMinus),
          FormatText("searched %d h either way. Red and boxed: the value changes within %d "
                     "minutes.",
                     t.rangeMinutes / 60, kFragileMinutes)};
}

}  // namespace

std::string WindowSideText(WindowSide side, const std::optional<int>& minutes, int rangeMinutes) {
  if (!minutes) return FormatText("> %d h", rangeMinutes / 60);
  if (side == WindowSide::Before) return FormatText("%s%d min", kMinus, std::abs(*minutes));
  return FormatText("+%d min", *minutes);
}

std::string WindowText(const MinuteWindow& window, int rangeMinutes) {
  const std::string before = window.from
                                 ? FormatText("%s%d", kMinus, std::abs(*window.from))
                                 : WindowSideText(WindowSide::After, std::nullopt, rangeMinutes);
  if (!window.to) {
    return (window.from ? before + " min" : before) + " / " +
           WindowSideText(WindowSide::After, std::nullopt, rangeMinutes);
  }
  return before + FormatText(" / +%d min", *window.to);
}

SensitivityFooter SensitivityFooterOf(const BirthTimeSensitivity& t) {
  SensitivityFooter f;
  f.period = "Running period at " + ClockText(t.clock) + ": " +
             FormatCurrentPeriod(t.runningPeriod.value) + ", " +
             WindowText(t.runningPeriod.window, t.rangeMinutes);
  const double days = std::fabs(t.daysPerMinute);
  if (days < 0.05) {
    f.dates = "A minute later birth moves the dasha dates less than a tenth of a day";
  } else {
    f.dates = FormatText("A minute later birth moves every dasha date %.1f days %s", days,
                         t.daysPerMinute < 0 ? "earlier" : "later");
  }
  f.balance = "Dasha balance at birth: " + DashaBalanceText(t.balance);
  return f;
}

std::vector<int> ScreenSensitivityColumns() {
  std::vector<int> columns{FactorIndex(FactorKind::Sign, 0), FactorIndex(FactorKind::Nakshatra, 0),
                           FactorIndex(FactorKind::Pada, 0), FactorIndex(FactorKind::Division, 9)};
  for (int division : kScreenDivisions)
    columns.push_back(FactorIndex(FactorKind::Division, division));
  return columns;
}

std::vector<std::vector<int>> PrintSensitivityTables() {
  std::vector<std::vector<int>> tables(2);
  for (int f = 0; f < kFactorCount; ++f) tables[f < 8 ? 0 : 1].push_back(f);
  return tables;
}

void DrawSensitivityPageScreen(Canvas& canvas, const ChartSnapshot& snap,
                               const BirthTimeSensitivity& table) {
  const Style& s = kScreenStyle;
  PageStateGuard guard(canvas, Mapping::Screen, s.title, 1);
  const LocalClockReading born = ShiftedBirthClock(snap.horoscope, 0);
  // A Prasna has no last name, and no space may stand before the comma.
  const std::string name =
      snap.lastName.empty() ? snap.firstName : snap.firstName + " " + snap.lastName;
  canvas.TextOut(s.left, 1,
                 FitTextToWidth(canvas,
                                FormatText("Birth-Time Sensitivity for: %s, born %s", name.c_str(),
                                           ClockText(born).c_str()),
                                PageTextRightEdge(canvas) - s.left));
  int y = 1 + canvas.GetFontMetrics().height + 2;
  canvas.SelectFont(s.text);
  for (const std::string& text : Explanation(table, true)) {
    canvas.TextOut(s.left, y, FitTextToWidth(canvas, text, PageTextRightEdge(canvas) - s.left));
    y += canvas.LineHeight();
  }
  y = DrawTable(canvas, s, table, ScreenSensitivityColumns(), y + 2);
  DrawFooter(canvas, s, table, y);
}

void DrawSensitivityPagePrint(Canvas& canvas, const ChartSnapshot& snap,
                              const BirthTimeSensitivity& table) {
  const Style& s = kPrintStyle;
  PageStateGuard guard(canvas, Mapping::Print, s.title, 4);
  canvas.TextOut(s.left, 0, "BIRTH-TIME SENSITIVITY");
  const int titleLine = canvas.LineHeight();
  canvas.SelectFont(FontId::Print200);
  int y = DrawInfoPanel(canvas, s.left, -titleLine, snap) - canvas.LineHeight() - 100;
  canvas.SelectFont(s.text);
  for (const std::string& text : Explanation(table, false)) {
    canvas.TextOut(s.left, y, FitTextToWidth(canvas, text, PageTextRightEdge(canvas) - s.left));
    y -= canvas.LineHeight();
  }
  for (const std::vector<int>& columns : PrintSensitivityTables()) {
    y = DrawTable(canvas, s, table, columns, y - 150);
  }
  DrawFooter(canvas, s, table, y - 100);
}

}  // namespace sarvexa
