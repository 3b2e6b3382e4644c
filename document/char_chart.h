#pragma once
// Charts drawn with characters for the plain-text export: a grid of 29 rows
// by 59 columns, lines drawn with '*', then sign numbers (North form only)
// and the labels of the ten chart points copied over them. A later text
// overwrites whatever lies under it, lines included; nothing is ever written
// outside the grid.

#include <array>
#include <string>
#include <vector>

#include "engine/horoscope.h"

#include "document/chart_style.h"

namespace sarvexa {

/// The drawing style of a chart; the values are those of the stored
/// "Chart Style" setting (1 North Indian, 2 South Indian).
enum class CharChartStyle : int { North = 1, South = 2 };

/// The style for a stored "Chart Style" value: 1 is North, any other value
/// (2, or 0 when nothing valid is stored) South, as every drawn chart.
inline constexpr CharChartStyle CharChartStyleFromSetting(ChartStyle chartStyle) {
  return chartStyle == ChartStyle::North ? CharChartStyle::North : CharChartStyle::South;
}

inline constexpr int kCharChartRows = 29;
inline constexpr int kCharChartColumns = 59;

/// A character grid, row by row; every row holds exactly kCharChartColumns
/// characters.
using CharGrid = std::array<std::string, kCharChartRows>;

/// What one chart shows: where each point stands and what it is called.
struct CharChartInput {
  /// Sign (0 Aries .. 11 Pisces) of each point, keyed by GrahaIndex; entry 0
  /// is the chart's ascendant and fixes the houses.
  std::array<SignIndex, graha::kCount> signs{};
  /// Label of each point, keyed by GrahaIndex, e.g. "SU 16:32" or "SU".
  std::array<std::string, graha::kCount> labels{};
  /// Order in which the points of one house (or sign) are listed: a
  /// permutation of the GrahaIndex values 0..9.
  std::array<GrahaIndex, graha::kCount> order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  /// Points per house, entry k for house k + 1 counted from the ascendant's
  /// sign; centres a house's labels in the North form.
  std::array<int, 12> houseCounts{};
  /// Columns added to each label's start (the Navamsa chart indents its bare
  /// labels: 3 in the North form, 2 in the South form).
  int labelColumnShift = 0;
};

/// House counts from the point signs: entry k is the number of points whose
/// sign is house k + 1 counted from signs[0]. Suits charts whose signs are
/// not read off longitudes (the Navamsa).
std::array<int, 12> HouseCountsFromSigns(const std::array<SignIndex, graha::kCount>& signs);

/// A grid of spaces.
CharGrid BlankCharGrid();

/// Writes `text` at (row, column) over what lies there; characters that
/// would fall outside the grid are dropped.
void PutText(CharGrid& grid, int row, int column, const std::string& text);

/// The North form: lines, then the twelve sign numbers, then the labels
/// house by house, each house's list centred by its count.
CharGrid DrawNorthCharChart(const CharChartInput& input);

/// The South form: fixed boxes per sign, no sign numbers; the points of a
/// sign take the box's nine slots in turn, signs written Aries to Pisces.
CharGrid DrawSouthCharChart(const CharChartInput& input);

/// The North or South form by style.
CharGrid DrawCharChart(const CharChartInput& input, CharChartStyle style);

}  // namespace sarvexa
