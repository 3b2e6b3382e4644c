#pragma once
// The seven pages of the chart window, each in a screen variant (the fixed
// 512 x 400 grid, y down) and a print variant (twips, y up, the printable
// area's top-left at 0, 0). Every page sets up its own coordinate space on the
// canvas, selects its fonts and pen, draws, and leaves the canvas as it found
// it. Pages only read the chart document; they never touch the toolkit.

namespace sarvexa {

class Canvas;
struct ChartSnapshot;
struct BirthTimeSensitivity;
enum class EphemerisInterval : int;

/// Chart page (display mode 1): Rashi and Navamsa charts, information panel,
/// planet table and the Maha dasha dates (screen) or 58 Maha/Bukti rows from
/// birth (print).
void DrawChartPageScreen(Canvas& canvas, const ChartSnapshot& snap);
void DrawChartPagePrint(Canvas& canvas, const ChartSnapshot& snap);

/// Maha/Bukti page (display mode 2): the nine maha dashas from birth, each
/// with its buktis and their start dates, in three columns, and the dasha
/// balance at birth at the right of the heading.
void DrawMahaBuktiPageScreen(Canvas& canvas, const ChartSnapshot& snap);
void DrawMahaBuktiPagePrint(Canvas& canvas, const ChartSnapshot& snap);

/// Pratyantar page (display mode 6): the 81 pratyantars of the maha ruled by
/// `pratyantarLord` (a DashaLord 0..8; other values are brought into 0..8).
void DrawPratyantarPageScreen(Canvas& canvas, const ChartSnapshot& snap, int pratyantarLord);
void DrawPratyantarPagePrint(Canvas& canvas, const ChartSnapshot& snap, int pratyantarLord);

/// Divisional charts page (display mode 3): six small charts on screen,
/// twelve on paper, each counted from its own divisional Ascendant.
void DrawDivisionalPageScreen(Canvas& canvas, const ChartSnapshot& snap);
void DrawDivisionalPagePrint(Canvas& canvas, const ChartSnapshot& snap);

/// Ephemeris page (display mode 4): positions at local midnight of 24 (screen)
/// or 58 (print) successive dates from `startDay` (a Julian Day Number; 0 =
/// the chart's own date and moment), stepping by `interval`.
void DrawEphemerisPageScreen(Canvas& canvas, const ChartSnapshot& snap, int startDay,
                             EphemerisInterval interval);
void DrawEphemerisPagePrint(Canvas& canvas, const ChartSnapshot& snap, int startDay,
                            EphemerisInterval interval);

/// System's Approach analysis page (display mode 5), recomputed from the
/// chart on every draw.
void DrawSaPageScreen(Canvas& canvas, const ChartSnapshot& snap);
void DrawSaPagePrint(Canvas& canvas, const ChartSnapshot& snap);

/// SA transits page (display mode 7): the document's transit chart judged
/// against the natal chart, as last computed by the transit command.
void DrawTransitsPageScreen(Canvas& canvas, const ChartSnapshot& snap);
void DrawTransitsPagePrint(Canvas& canvas, const ChartSnapshot& snap);

/// Birth-Time Sensitivity page: `table`, the birth-time search's result for
/// the document's chart, under the chart's name and birth time (screen:
/// ten columns; print: the information panel and all fifteen columns in two
/// tables). The page only draws; the caller searches.
void DrawSensitivityPageScreen(Canvas& canvas, const ChartSnapshot& snap,
                               const BirthTimeSensitivity& table);
void DrawSensitivityPagePrint(Canvas& canvas, const ChartSnapshot& snap,
                              const BirthTimeSensitivity& table);

}  // namespace sarvexa
