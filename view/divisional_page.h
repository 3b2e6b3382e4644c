#pragma once
// The divisional charts page: small charts of the varga signs of the ten
// chart points with bare labels, six on the screen and twelve on paper, each
// counted from its own divisional Ascendant. The page functions are declared
// in view/pages.h.

#include "engine/horoscope.h"
#include "view/chart_drawing.h"

namespace sarvexa {

/// The signs of the ten points in division `division` (2..12 or 24); for an
/// unsupported division the Rashi signs.
ChartSigns DivisionalSigns(const Horoscope& chart, int division);

}  // namespace sarvexa
