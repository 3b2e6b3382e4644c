#include "document/atlas_fill.h"

#include "document/chart_data.h"

namespace sarvexa {

std::string PlaceFieldText(const AtlasPlace& place, int maxChars) {
  std::string shown = PlaceDisplayName(place);
  if (CountCharacters(shown) <= maxChars) return shown;
  // "Name, Country" is the next best; then the name, cut by characters.
  if (!place.country.empty()) {
    shown = place.name + ", " + place.country;
    if (CountCharacters(shown) <= maxChars) return shown;
  }
  shown.clear();
  int count = 0;
  for (std::size_t i = 0; i < place.name.size(); ++i) {
    const auto b = static_cast<unsigned char>(place.name[i]);
    if ((b & 0xC0) != 0x80 && ++count > maxChars) break;
    shown += place.name[i];
  }
  return shown;
}

}  // namespace sarvexa
