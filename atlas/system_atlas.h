#pragma once
// The atlas over the system's data: the place list of libgeonames (GeoNames
// places of 15,000 people or more) and the IANA time-zone database of the
// system (/usr/share/zoneinfo), read through the date/tz library. Both are
// read lazily: the places on the first search, a zone on its first lookup.

#include <memory>

#include "document/atlas.h"

namespace sarvexa {

/// A new atlas over the system's data. Cheap: nothing is read yet.
std::unique_ptr<Atlas> OpenSystemAtlas();

}  // namespace sarvexa
