#include "document/place_search.h"

#include <algorithm>
#include <tuple>

#include "document/utf8.h"

namespace sarvexa {
namespace {

// Base letters of the accented Latin letters, indexed from U+00C0 and from
// U+1E00; an empty entry keeps the character as it is. Derived from the
// canonical decompositions, with the few letters that have none (ß, æ, ø, ł,
// đ, þ ...) spelt the way their names are usually written in plain Latin.
constexpr const char* kLatinFold[0x250 - 0xC0] = {
    "a", "a",  "a",  "a",  "a",  "a",  "ae", "c",  "e",  "e",  "e",  "e",  "i",  "i", "i",  "i",
    "d", "n",  "o",  "o",  "o",  "o",  "o",  "",   "o",  "u",  "u",  "u",  "u",  "y", "th", "ss",
    "a", "a",  "a",  "a",  "a",  "a",  "ae", "c",  "e",  "e",  "e",  "e",  "i",  "i", "i",  "i",
    "d", "n",  "o",  "o",  "o",  "o",  "o",  "",   "o",  "u",  "u",  "u",  "u",  "y", "th", "y",
    "a", "a",  "a",  "a",  "a",  "a",  "c",  "c",  "c",  "c",  "c",  "c",  "c",  "c", "d",  "d",
    "d", "d",  "e",  "e",  "e",  "e",  "e",  "e",  "e",  "e",  "e",  "e",  "g",  "g", "g",  "g",
    "g", "g",  "g",  "g",  "h",  "h",  "h",  "h",  "i",  "i",  "i",  "i",  "i",  "i", "i",  "i",
    "i", "i",  "ij", "ij", "j",  "j",  "k",  "k",  "k",  "l",  "l",  "l",  "l",  "l", "l",  "l",
    "l", "l",  "l",  "n",  "n",  "n",  "n",  "n",  "n",  "n",  "n",  "n",  "o",  "o", "o",  "o",
    "o", "o",  "oe", "oe", "r",  "r",  "r",  "r",  "r",  "r",  "s",  "s",  "s",  "s", "s",  "s",
    "s", "s",  "t",  "t",  "t",  "t",  "t",  "t",  "u",  "u",  "u",  "u",  "u",  "u", "u",  "u",
    "u", "u",  "u",  "u",  "w",  "w",  "y",  "y",  "y",  "z",  "z",  "z",  "z",  "z", "z",  "s",
    "b", "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",  "",   "",
    "",  "",   "f",  "",   "",   "",   "",   "i",  "",   "",   "",   "",   "",   "",  "",   "",
    "o", "o",  "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",  "",   "u",
    "u", "",   "",   "",   "",   "z",  "z",  "",   "",   "",   "",   "",   "",   "",  "",   "",
    "",  "",   "",   "",   "dz", "dz", "dz", "lj", "lj", "lj", "nj", "nj", "nj", "a", "a",  "i",
    "i", "o",  "o",  "u",  "u",  "u",  "u",  "u",  "u",  "u",  "u",  "u",  "u",  "",  "a",  "a",
    "a", "a",  "",   "",   "",   "",   "g",  "g",  "k",  "k",  "o",  "o",  "o",  "o", "",   "",
    "j", "dz", "dz", "dz", "g",  "g",  "",   "",   "n",  "n",  "a",  "a",  "",   "",  "",   "",
    "a", "a",  "a",  "a",  "e",  "e",  "e",  "e",  "i",  "i",  "i",  "i",  "o",  "o", "o",  "o",
    "r", "r",  "r",  "r",  "u",  "u",  "u",  "u",  "s",  "s",  "t",  "t",  "",   "",  "h",  "h",
    "",  "",   "",   "",   "",   "",   "a",  "a",  "e",  "e",  "o",  "o",  "o",  "o", "o",  "o",
    "o", "o",  "y",  "y",  "",   "",   "",   "",   "",   "",   "",   "",   "",   "",  "",   "",
    "",  "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",  "",   "",
};

constexpr const char* kLatinAdditionalFold[0x1F00 - 0x1E00] = {
    "a", "a", "b", "b", "b", "b", "b", "b", "c", "c", "d", "d", "d", "d", "d", "d", "d", "d", "d",
    "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "f", "f", "g", "g", "h", "h", "h", "h",
    "h", "h", "h", "h", "h", "h", "i", "i", "i", "i", "k", "k", "k", "k", "k", "k", "l", "l", "l",
    "l", "l", "l", "l", "l", "m", "m", "m", "m", "m", "m", "n", "n", "n", "n", "n", "n", "n", "n",
    "o", "o", "o", "o", "o", "o", "o", "o", "p", "p", "p", "p", "r", "r", "r", "r", "r", "r", "r",
    "r", "s", "s", "s", "s", "s", "s", "s", "s", "s", "s", "t", "t", "t", "t", "t", "t", "t", "t",
    "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "v", "v", "v", "v", "w", "w", "w", "w", "w",
    "w", "w", "w", "w", "w", "x", "x", "x", "x", "y", "y", "z", "z", "z", "z", "z", "z", "h", "t",
    "w", "y", "",  "s", "",  "",  "",  "",  "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a",
    "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "e", "e", "e", "e", "e", "e",
    "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "i", "i", "i", "i", "o", "o", "o", "o", "o",
    "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o",
    "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "y", "y", "y", "y", "y",
    "y", "y", "y", "",  "",  "",  "",  "",  "",
};

bool IsCombiningMark(char32_t cp) { return cp >= 0x300 && cp <= 0x36F; }

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The query split at its commas, each part folded.
std::vector<std::string> QueryParts(std::string_view query) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = query.find(',', start);
    parts.push_back(FoldForSearch(query.substr(start, comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return parts;
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pendingBlank = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    bool valid = true;
    const char32_t cp = utf8::Next(text, pos, valid);
    if (IsCombiningMark(cp)) continue;
    if (cp == ' ' || cp == '\t' || cp == '-' || cp == 0xA0) {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) {
      out += ' ';
      pendingBlank = false;
    }
    const char* base = nullptr;
    if (cp >= 0xC0 && cp < 0x250) base = kLatinFold[cp - 0xC0];
    if (cp >= 0x1E00 && cp < 0x1F00) base = kLatinAdditionalFold[cp - 0x1E00];
    if (base && *base) {
      out += base;
    } else if (cp >= 'A' && cp <= 'Z') {
      out += static_cast<char>(cp - 'A' + 'a');
    } else if (!valid) {
      out += text[pos - 1];  // keep a stray byte as it was
    } else {
      utf8::Append(out, cp);
    }
  }
  return out;
}

std::string PlaceDisplayName(const AtlasPlace& p) {
  std::string shown = p.name;
  if (!p.state.empty() && p.state != p.name) shown += ", " + p.state;
  if (!p.country.empty()) shown += ", " + p.country;
  return shown;
}

PlaceIndex::PlaceIndex(std::vector<AtlasPlace> places) : places_(std::move(places)) {
  folded_.reserve(places_.size());
  for (const AtlasPlace& p : places_) {
    folded_.push_back({FoldForSearch(p.name), FoldForSearch(p.state), FoldForSearch(p.country)});
  }
}

std::vector<const AtlasPlace*> PlaceIndex::Search(std::string_view query, std::size_t limit) const {
  const std::vector<std::string> parts = QueryParts(query);
  std::vector<const AtlasPlace*> found;
  if (parts.front().empty() || limit == 0) return found;

  struct Hit {
    bool exact;
    std::size_t index;
  };
  std::vector<Hit> hits;
  for (std::size_t i = 0; i < folded_.size(); ++i) {
    const Entry& e = folded_[i];
    if (!StartsWith(e.name, parts.front())) continue;
    bool qualified = true;
    for (std::size_t k = 1; k < parts.size() && qualified; ++k) {
      qualified =
          parts[k].empty() || StartsWith(e.state, parts[k]) || StartsWith(e.country, parts[k]);
    }
    if (qualified) hits.push_back({e.name.size() == parts.front().size(), i});
  }
  const auto better = [this](const Hit& a, const Hit& b) {
    const AtlasPlace& pa = places_[a.index];
    const AtlasPlace& pb = places_[b.index];
    return std::tuple(!a.exact, -static_cast<long long>(pa.population), a.index) <
           std::tuple(!b.exact, -static_cast<long long>(pb.population), b.index);
  };
  const std::size_t n = std::min(limit, hits.size());
  std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(n), hits.end(),
                    better);
  found.reserve(n);
  for (std::size_t k = 0; k < n; ++k) found.push_back(&places_[hits[k].index]);
  return found;
}

}  // namespace sarvexa
