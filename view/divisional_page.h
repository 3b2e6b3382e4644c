#pragma once
// The divisional charts page: small charts of the varga signs of the ten
// chart points with bare labels, six on the screen and twelve on paper, each
// counted from its own divisional Ascendant. The page functions are declared
// in view/pages.h; the signs come from DivisionalSigns (engine/varga.h).

#include "engine/varga.h"
#include "view/chart_drawing.h"
