#pragma once
// Finding a birth place by name in the atlas, the way a user types it: accents
// and letter case do not matter, the place whose name is exactly what was
// typed comes first, then the places whose names begin with it, the most
// populous first. The place list itself comes from the atlas adapter
// (document/atlas.h); everything here is plain data and free functions.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarvexa {

/// One place of the atlas.
struct AtlasPlace {
  std::string name;       ///< UTF-8, e.g. "Bogotá"
  std::string state;      ///< UTF-8 first-level division, may be empty
  std::string country;    ///< UTF-8 country name
  std::string zoneName;   ///< IANA time-zone name, e.g. "America/Bogota"
  double latDeg = 0;      ///< latitude in degrees, positive north
  double lonDegEast = 0;  ///< longitude in degrees, positive EAST (atlas convention)
  unsigned population = 0;
};

/// The text folded for comparison: ASCII letters lower-cased, the accented
/// Latin letters reduced to their base letters ("Bogotá" -> "bogota",
/// "Straße" -> "strasse"), combining marks dropped, hyphens and runs of
/// blanks made one blank, leading and trailing blanks removed. Other
/// characters are kept as they are.
std::string FoldForSearch(std::string_view utf8);

/// "Name, State, Country"; an empty state, or one equal to the name, is left
/// out ("Madrid, Spain" rather than "Madrid, Madrid, Spain").
std::string PlaceDisplayName(const AtlasPlace& place);

/// The places with their folded names, ready for searching by prefix.
class PlaceIndex {
 public:
  PlaceIndex() = default;
  explicit PlaceIndex(std::vector<AtlasPlace> places);

  /// Places matching `query`, best first, at most `limit` of them. The query
  /// is "Name[, State][, Country]": the name part must equal or begin the
  /// place's name; each further part must begin the state or the country.
  /// Exact names come first, then prefixes; within each, by population
  /// (largest first), then in atlas order. An empty name part finds nothing.
  std::vector<const AtlasPlace*> Search(std::string_view query, std::size_t limit) const;

  std::size_t size() const { return places_.size(); }

 private:
  struct Entry {
    std::string name, state, country;  // folded
  };
  std::vector<AtlasPlace> places_;
  std::vector<Entry> folded_;
};

}  // namespace sarvexa
