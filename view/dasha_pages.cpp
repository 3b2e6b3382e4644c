#include "view/dasha_pages.h"

#include <algorithm>

#include "document/chart_snapshot.h"
#include "engine/calendar.h"
#include "engine/dasha_balance.h"
#include "view/info_panel.h"
#include "view/page_format.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {

std::vector<PratyantarRow> PratyantarRows(const DashaTable& table, DashaLord lord) {
  std::vector<PratyantarRow> rows;
  const MahaDasha* maha = nullptr;
  for (const MahaDasha& m : table) {
    if (m.lord == lord) {
      maha = &m;
      break;
    }
  }
  if (maha == nullptr) return rows;
  rows.reserve(81);
  for (int j = 0; j < 9; ++j) {
    const DashaLord b = WrapIndex(lord + j, 9);
    // Each bukti restarts from its own start, so the small shortfall of the
    // pratyantar lengths never carries into the next bukti.
    double start = maha->buktiStart[static_cast<std::size_t>(j)];
    DashaLord p = b;
    for (int i = 0; i < 9; ++i) {
      rows.push_back(PratyantarRow{lord, b, p, start});
      start += PratyantarDays(lord, b, p);
      p = NextDashaLord(p);
    }
  }
  return rows;
}

std::string PratyantarRowText(const PratyantarRow& row) {
  return FormatText("%s/%s/%s ", DashaTwoLetter(row.maha), DashaTwoLetter(row.bukti),
                    DashaTwoLetter(row.pratyantar)) +
         MonthDayYearText(DateFromDayCount(row.startDayCount));
}

int DrawMahaBlock(Canvas& canvas, const MahaDasha& maha, double birthDayCount, int x, int y) {
  const int w = canvas.TextWidth("MercurySSJJJ/22/2222");
  const int first = FirstShownBukti(maha, birthDayCount);
  const bool print = canvas.GetMapping() == Mapping::Print;
  const int step = print ? -canvas.LineHeight() : canvas.GetFontMetrics().height - 3;
  if (print) {
    canvas.TextOut(x, y, DashaUpperName(maha.lord));
    y += step;
  }
  for (int j = first; j < 9; ++j) {
    const DashaLord bukti = WrapIndex(maha.lord + j, 9);
    if (print) {
      canvas.TextOut(x, y, DashaFullName(bukti));
    } else {
      canvas.TextOut(x, y, FormatText("%s/%s", DashaTwoLetter(maha.lord), DashaTwoLetter(bukti)));
    }
    canvas.TextOutRight(
        x + w, y, MonthDayYearText(DateFromDayCount(maha.buktiStart[static_cast<std::size_t>(j)])));
    y += step;
  }
  return y;
}

void DrawPratyantarColumns(Canvas& canvas, const DashaTable& table, DashaLord lord, int x, int y) {
  const std::vector<PratyantarRow> rows = PratyantarRows(table, lord);
  const bool print = canvas.GetMapping() == Mapping::Print;
  const int line = canvas.LineHeight();
  const int step = print ? -line : canvas.GetFontMetrics().height - 2;
  const int buktiGap = print ? -2 * line : 2;
  const int columnStep = print ? 3400 : 200;
  const int firstY = print ? y - 4 * line : y;
  int rowY = firstY;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int bukti = static_cast<int>(i / 9);
    const int column = bukti / 3;
    if (i % 27 == 0) rowY = firstY;  // every column starts again at the top
    canvas.TextOut(x + column * columnStep, rowY, PratyantarRowText(rows[i]));
    rowY += step;
    if (i % 9 == 8) rowY += buktiGap;
  }
}

namespace {

// The dasha balance at the right of the heading line, ending where the
// third column's dates end; returns where it begins.
int DrawBalanceInHeading(Canvas& canvas, const ChartSnapshot& snap, int thirdColumnX, int y,
                         const char* label) {
  const std::string text = label + DashaBalanceText(snap.derivations.balance);
  const int right = thirdColumnX + canvas.TextWidth("MercurySSJJJ/22/2222");
  canvas.TextOutRight(right, y, text);
  return right - canvas.TextWidth(text);
}

}  // namespace

void DrawMahaBuktiPageScreen(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Screen, FontId::Screen12, 1);
  const int c = canvas.LineHeight();
  // The title gives way to the balance, a space's width before it.
  const int balanceLeft = DrawBalanceInHeading(canvas, snap, 420, 1, "Balance: ");
  canvas.TextOut(
      20, 1,
      FitTextToWidth(
          canvas,
          FormatText("Vimshottari Dashas for: %s %s", snap.firstName.c_str(),
                     snap.lastName.c_str()),
          std::min(PageTextRightEdge(canvas), balanceLeft - canvas.TextWidth("  ")) - 20));
  const DashaTable& table = snap.derivations.dashas.table;
  for (int column = 0; column < 3; ++column) {
    for (int block = 0; block < 3; ++block) {
      const int y = c + 2 + block * (8 * c - 2);
      DrawMahaBlock(canvas, table[static_cast<std::size_t>(3 * column + block)],
                    snap.derivations.dashas.birthDayCount, 20 + 200 * column, y);
    }
  }
}

void DrawMahaBuktiPagePrint(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Print, FontId::Print280, 4);
  canvas.TextOut(720, 0, "VIMSHOTTARI DASHAS FOR:");
  const int y0 = DrawInfoPanel(canvas, 720, -canvas.LineHeight(), snap);
  canvas.SelectFont(FontId::Print240);
  DrawBalanceInHeading(canvas, snap, 7520, 0, "Dasha balance at birth: ");
  const int b = canvas.LineHeight();
  const DashaTable& table = snap.derivations.dashas.table;
  for (int column = 0; column < 3; ++column) {
    for (int block = 0; block < 3; ++block) {
      const int y = y0 - 2 * b - block * 11 * b;
      DrawMahaBlock(canvas, table[static_cast<std::size_t>(3 * column + block)],
                    snap.derivations.dashas.birthDayCount, 720 + 3400 * column, y);
    }
  }
}

void DrawPratyantarPageScreen(Canvas& canvas, const ChartSnapshot& snap, int pratyantarLord) {
  const DashaLord lord = WrapIndex(pratyantarLord, 9);
  PageStateGuard guard(canvas, Mapping::Screen, FontId::Screen12, 1);
  canvas.TextOut(20, 2,
                 FitTextToWidth(canvas,
                                FormatText("%s PratyAntar Dashas for: %s %s", DashaFullName(lord),
                                           snap.firstName.c_str(), snap.lastName.c_str()),
                                PageTextRightEdge(canvas) - 20));
  DrawPratyantarColumns(canvas, snap.derivations.dashas.table, lord, 20,
                        canvas.GetFontMetrics().height);
}

void DrawPratyantarPagePrint(Canvas& canvas, const ChartSnapshot& snap, int pratyantarLord) {
  const DashaLord lord = WrapIndex(pratyantarLord, 9);
  PageStateGuard guard(canvas, Mapping::Print, FontId::Print240, 4);
  canvas.TextOut(720, -400, FormatText("%s PRATYANTAR DASHAS FOR:", DashaUpperName(lord)));
  const int y0 = DrawInfoPanel(canvas, 720, -400 - canvas.LineHeight(), snap);
  DrawPratyantarColumns(canvas, snap.derivations.dashas.table, lord, 720, y0);
}

}  // namespace sarvexa
