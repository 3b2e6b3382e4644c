#pragma once
// The atlas over the system's data: the place list of libgeonames (GeoNames
// places of 15,000 people or more) and the IANA time-zone database of the
// system (/usr/share/zoneinfo), read through the date/tz library in the zone
// module (zone_module.h). Both are opened lazily: the place library on the
// first search, the zone module on the first zone question.

#include <memory>

#include "document/atlas.h"

namespace sarvexa {

/// A new atlas over the system's data. Cheap: nothing is read yet.
std::unique_ptr<Atlas> OpenSystemAtlas();

}  // namespace sarvexa
