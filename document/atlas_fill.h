#pragma once
// Filling a dialog's place fields from an atlas place. The coordinates go
// into the place record every dialog holds (FillCoordinates in
// document/place.h); the place's name is fitted to the dialog's field here.

#include <string>

#include "document/place.h"
#include "document/place_search.h"

namespace sarvexa {

/// The place's name for a place field of `maxChars` characters: the display
/// name when it fits, else "Name, Country", else the name (cut to the limit).
std::string PlaceFieldText(const AtlasPlace& place, int maxChars);

}  // namespace sarvexa
