#include "document/char_chart.h"

#include <cstddef>

namespace sarvexa {
namespace {

struct Cell {
  int row;
  int column;
};

// North form, house 1..12: where the sign number goes and where the first
// label row of a full house (nine points) starts.
constexpr Cell kNorthNumberCells[12] = {{12, 27}, {5, 13},  {7, 10},  {14, 24}, {21, 11}, {23, 13},
                                        {16, 27}, {23, 41}, {21, 44}, {14, 30}, {7, 44},  {5, 41}};
constexpr Cell kNorthLabelCells[12] = {{3, 23},  {1, 9},   {3, 1},   {10, 9},  {17, 1}, {20, 9},
                                       {17, 23}, {20, 37}, {17, 46}, {10, 37}, {3, 46}, {1, 37}};

// South form: top-left cell of each sign's box, Aries .. Pisces.
constexpr Cell kSouthBoxCorners[12] = {{0, 14},  {0, 28},  {0, 42}, {7, 42}, {14, 42}, {21, 42},
                                       {21, 28}, {21, 14}, {21, 0}, {14, 0}, {7, 0},   {0, 0}};

// Slots 1..9 inside a box: six rows down the left, then three down a second
// column (those labels may run over the box's right edge).
constexpr Cell kSouthSlots[9] = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1},
                                 {6, 1}, {1, 9}, {2, 9}, {3, 9}};

int Wrap12(int value) {
  const int r = value % 12;
  return r < 0 ? r + 12 : r;
}

void PutStar(CharGrid& grid, int row, int column) { PutText(grid, row, column, "*"); }

void DrawNorthLines(CharGrid& grid) {
  for (int c = 0; c <= 54; ++c) {
    PutStar(grid, 0, c);
    PutStar(grid, 28, c);
  }
  for (int r = 1; r <= 27; ++r) {
    PutStar(grid, r, 0);
    PutStar(grid, r, 54);
    PutStar(grid, r, 2 * r - 1);
    PutStar(grid, r, 55 - 2 * r);
  }
  for (int k = 0; k <= 12; ++k) {
    PutStar(grid, 1 + k, 25 - 2 * k);
    PutStar(grid, 1 + k, 29 + 2 * k);
    PutStar(grid, 27 - k, 25 - 2 * k);
    PutStar(grid, 27 - k, 29 + 2 * k);
  }
}

void DrawSouthLines(CharGrid& grid) {
  for (int row : {0, 7, 21, 28}) {
    for (int c = 0; c <= 56; ++c) PutStar(grid, row, c);
  }
  for (int r = 1; r <= 27; ++r) {
    if (r == 7 || r == 21) continue;
    const bool outerRow = r <= 6 || r >= 22;
    if (outerRow) {
      for (int c : {0, 14, 28, 42, 56}) PutStar(grid, r, c);
    } else if (r != 14) {
      for (int c : {0, 14, 42, 56}) PutStar(grid, r, c);
    }
  }
  for (int c = 0; c <= 14; ++c) PutStar(grid, 14, c);
  for (int c = 42; c <= 56; ++c) PutStar(grid, 14, c);
}

bool ValidSign(SignIndex s) { return s >= 0 && s < 12; }

}  // namespace

std::array<int, 12> HouseCountsFromSigns(const std::array<SignIndex, graha::kCount>& signs) {
  std::array<int, 12> counts{};
  for (SignIndex s : signs) {
    if (ValidSign(s) && ValidSign(signs[0])) ++counts[Wrap12(s - signs[0])];
  }
  return counts;
}

CharGrid BlankCharGrid() {
  CharGrid grid;
  for (auto& row : grid) row.assign(kCharChartColumns, ' ');
  return grid;
}

void PutText(CharGrid& grid, int row, int column, const std::string& text) {
  if (row < 0 || row >= kCharChartRows) return;
  std::string& line = grid[static_cast<std::size_t>(row)];
  for (std::size_t i = 0; i < text.size(); ++i) {
    const long c = static_cast<long>(column) + static_cast<long>(i);
    if (c < 0) continue;
    if (c >= kCharChartColumns) break;
    line[static_cast<std::size_t>(c)] = text[i];
  }
}

CharGrid DrawNorthCharChart(const CharChartInput& input) {
  CharGrid grid = BlankCharGrid();
  DrawNorthLines(grid);
  const SignIndex ascendant = Wrap12(input.signs[0]);
  // All twelve numbers go in before any label, so a long label list may
  // cover a neighbouring house's number, as on the drawn chart.
  for (int h = 0; h < 12; ++h) {
    const Cell cell = kNorthNumberCells[h];
    PutText(grid, cell.row, cell.column, std::to_string((ascendant + h) % 12 + 1));
  }
  for (int h = 0; h < 12; ++h) {
    const SignIndex sign = (ascendant + h) % 12;
    const int count = input.houseCounts[static_cast<std::size_t>(h)];
    int row = kNorthLabelCells[h].row + (9 - count) / 2;
    const int column = kNorthLabelCells[h].column + input.labelColumnShift;
    for (GrahaIndex g : input.order) {
      if (g < 0 || g >= graha::kCount) continue;
      if (input.signs[static_cast<std::size_t>(g)] != sign) continue;
      PutText(grid, row, column, input.labels[static_cast<std::size_t>(g)]);
      ++row;
    }
  }
  return grid;
}

CharGrid DrawSouthCharChart(const CharChartInput& input) {
  CharGrid grid = BlankCharGrid();
  DrawSouthLines(grid);
  for (SignIndex sign = 0; sign < 12; ++sign) {
    const Cell corner = kSouthBoxCorners[sign];
    int slot = 0;
    for (GrahaIndex g : input.order) {
      if (g < 0 || g >= graha::kCount) continue;
      if (input.signs[static_cast<std::size_t>(g)] != sign) continue;
      // Nine slots suffice for any real chart (Rahu and Ketu always stand in
      // opposite signs); a tenth point in one sign is dropped, never written
      // outside the box's slots.
      if (slot >= 9) break;
      PutText(grid, corner.row + kSouthSlots[slot].row,
              corner.column + kSouthSlots[slot].column + input.labelColumnShift,
              input.labels[static_cast<std::size_t>(g)]);
      ++slot;
    }
  }
  return grid;
}

CharGrid DrawCharChart(const CharChartInput& input, CharChartStyle style) {
  return style == CharChartStyle::North ? DrawNorthCharChart(input) : DrawSouthCharChart(input);
}

}  // namespace sarvexa
