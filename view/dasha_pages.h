#pragma once
// The Vimshottari dasha pages: Maha/Bukti (the nine maha dashas from birth,
// each with its buktis and start dates) and Pratyantar (the 81 pratyantars of
// one chosen maha). The screen and print functions are declared in
// view/pages.h; the pieces below are shared by both variants and by tests.

#include <string>
#include <vector>

#include "engine/dasha.h"
#include "view/canvas.h"

namespace sarvexa {

/// One listed pratyantar: its three lords and its start (a day count).
struct PratyantarRow {
  DashaLord maha = 0;
  DashaLord bukti = 0;
  DashaLord pratyantar = 0;
  double startDayCount = 0.0;
};

/// The 81 pratyantars of the maha ruled by `lord` (0..8), bukti by bukti:
/// each bukti's first pratyantar starts at that bukti's start in the table,
/// and each next one PratyantarDays after the previous. Empty when the table
/// holds no maha of that lord.
std::vector<PratyantarRow> PratyantarRows(const DashaTable& table, DashaLord lord);

/// "%s/%s/%s %s %d,%d": the three two-letter lords and the start date.
std::string PratyantarRowText(const PratyantarRow& row);

/// The rows of one maha: on screen "Ma/Bu" with the bukti's start date
/// right-aligned at x + width("MercurySSJJJ/22/2222"), rows tmHeight - 3
/// apart; in print the maha's upper-case name first, then the bukti lords'
/// full names with their dates, rows one line height apart. The rows start at
/// the bukti in force at `birthDayCount`. Returns the y after the last row.
int DrawMahaBlock(Canvas& canvas, const MahaDasha& maha, double birthDayCount, int x, int y);

/// The 81 pratyantar rows of the maha ruled by `lord` in three columns of
/// three buktis each (screen: from y, 200 apart; print: from y - 4 lines,
/// 3400 apart).
void DrawPratyantarColumns(Canvas& canvas, const DashaTable& table, DashaLord lord, int x, int y);

}  // namespace sarvexa
