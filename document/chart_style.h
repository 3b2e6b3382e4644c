#pragma once
// The chart style setting: how the Rashi, Navamsa and divisional charts are
// drawn. The settings store keeps it as a number (1 North, 2 South).

namespace sarvexa {

/// North Indian or South Indian; None when nothing valid is stored, which the
/// drawings and the text report take as South Indian.
enum class ChartStyle : int { None = 0, North = 1, South = 2 };

/// The style of a stored "Chart Style" number: 1 North, 2 South, anything
/// else None.
constexpr ChartStyle ChartStyleFromSetting(int value) {
  return value == 1 ? ChartStyle::North : value == 2 ? ChartStyle::South : ChartStyle::None;
}

/// The number stored for a style.
constexpr int ChartStyleSetting(ChartStyle style) { return static_cast<int>(style); }

}  // namespace sarvexa
