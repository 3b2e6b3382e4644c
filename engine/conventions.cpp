// Names of the conventions and their readers; see conventions.h.
#include "engine/conventions.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace sarvexa {
namespace {

// "a, b or c".
template <std::size_t N>
std::string Alternatives(const std::array<std::string_view, N>& names) {
  std::string out;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += i + 1 == N ? " or " : ", ";
    out += names[i];
  }
  return out;
}

// The enum whose name is `text`, or a message naming the allowed names.
template <typename E, std::size_t N>
Result<E> ReadName(std::string_view text, const std::array<std::string_view, N>& names,
                   std::string_view label) {
  for (std::size_t i = 0; i < N; ++i) {
    if (text == names[i]) return static_cast<E>(i);
  }
  return Fail(std::string(label) + " takes " + Alternatives(names) + ", not \"" +
              std::string(text) + "\"");
}

template <typename E, std::size_t N>
std::string_view NameOf(E value, const std::array<std::string_view, N>& names) {
  const auto i = static_cast<std::size_t>(value);
  return i < N ? names[i] : std::string_view("?");
}

std::string DashaYearMessage(std::string_view label, std::string_view given) {
  std::string named;
  for (std::size_t i = 0; i < kNamedDashaYears.size(); ++i) {
    if (i > 0) named += i + 1 == kNamedDashaYears.size() ? " or " : ", ";
    named += DashaYearText(kNamedDashaYears[i]);
    if (i == 0) named += " (the default)";
  }
  return std::string(label) + " takes a number of days from " +
         DashaYearText(conventions::kMinDashaYearDays) + " to " +
         DashaYearText(conventions::kMaxDashaYearDays) + ", such as " + named + "; not \"" +
         std::string(given) + "\"";
}

}  // namespace

std::string_view EphemerisName(EphemerisKind e) { return NameOf(e, kEphemerisNames); }
std::string_view AyanamsaName(Ayanamsa a) { return NameOf(a, kAyanamsaNames); }
std::string_view NodeName(NodeKind n) { return NameOf(n, kNodeNames); }

std::string DashaYearText(double days) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, days);
  return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("?");
}

Result<EphemerisKind> ReadEphemeris(std::string_view text, std::string_view label) {
  return ReadName<EphemerisKind>(text, kEphemerisNames, label);
}

Result<Ayanamsa> ReadAyanamsa(std::string_view text, std::string_view label) {
  return ReadName<Ayanamsa>(text, kAyanamsaNames, label);
}

Result<NodeKind> ReadNode(std::string_view text, std::string_view label) {
  return ReadName<NodeKind>(text, kNodeNames, label);
}

Result<double> ReadDashaYear(std::string_view text, std::string_view label) {
  // Digits with at most one point: no sign, exponent, "nan" or "inf".
  int points = 0, digits = 0;
  for (const char c : text) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      points = 2;
      break;
    }
  }
  double days = 0.0;
  if (points > 1 || digits == 0 ||
      std::from_chars(text.data(), text.data() + text.size(), days).ptr !=
          text.data() + text.size()) {
    return Fail(DashaYearMessage(label, text));
  }
  if (!(days >= conventions::kMinDashaYearDays && days <= conventions::kMaxDashaYearDays)) {
    return Fail(DashaYearMessage(label, text));
  }
  return days;
}

Result<double> CheckDashaYear(double days, std::string_view label) {
  if (days >= conventions::kMinDashaYearDays && days <= conventions::kMaxDashaYearDays) {
    return days;
  }
  return Fail(DashaYearMessage(label, DashaYearText(days)));
}

Result<void> CheckConventions(const Conventions& c, const ConventionLabels& labels) {
  if (c.ephemeris != EphemerisKind::Swiss) {
    const std::string swiss = " applies only with " + std::string(labels.ephemeris) + " " +
                              std::string(EphemerisName(EphemerisKind::Swiss));
    if (c.ayanamsa != Ayanamsa::Lahiri) {
      return Fail(std::string(labels.ayanamsa) + " " + std::string(AyanamsaName(c.ayanamsa)) +
                  swiss);
    }
    if (c.node != NodeKind::True) {
      return Fail(std::string(labels.node) + " " + std::string(NodeName(c.node)) + swiss);
    }
  }
  if (const Result<double> year = CheckDashaYear(c.dashaYearDays, labels.dashaYear); !year) {
    return Fail(year.error());
  }
  return Ok();
}

}  // namespace sarvexa
