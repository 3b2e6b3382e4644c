#pragma once
// The Chart page: the Rashi chart with degrees, the Navamsa chart, the
// information panel, the planet table and the Vimshottari dashas (the nine
// maha dashas on screen, 58 Maha/Bukti rows from birth on paper). The page
// functions are declared in view/pages.h; the pieces below are shared with
// the SA page and the tests.

#include <array>
#include <string>
#include <vector>

#include "engine/dasha.h"
#include "engine/horoscope.h"
#include "view/chart_drawing.h"

namespace sarvexa {

class ChartDocument;

/// Label colours of the document's Rashi charts: on when ColorCharts is 1,
/// by the colour classes of the document's SA analysis.
ChartColours ChartColoursOf(const ChartDocument& doc);

/// The day counts of the nine maha dasha rows: row 0 the chart's own date
/// (its julianDay), row i >= 1 the start of maha i (the first bukti start of
/// maha 0 plus the lengths of mahas 0 .. i - 1).
std::array<double, 9> MahaRowDayCounts(const Horoscope& chart, const DashaTable& table);

/// One row of the printed Maha/Bukti list.
struct MahaBuktiRow {
  DashaLord maha = 0;
  DashaLord bukti = 0;
  double startDayCount = 0.0;  ///< the chart's own date for the first row
};

/// `count` consecutive Maha/Bukti periods, from the bukti in force on the
/// chart's date (its whole day number), crossing into later mahas as needed
/// (never past the last maha of the table).
std::vector<MahaBuktiRow> MahaBuktiRowsFromBirth(const Horoscope& chart, const DashaTable& table,
                                                 int count);

}  // namespace sarvexa
