#pragma once
// The conventions a chart is cast under, named: which ephemeris computes the
// positions, which ayanamsa turns them sidereal, which lunar node is Rahu,
// and how many days a dasha year has. Two programs that agree on all four
// agree on the chart; most disagreements between programs are one of them.
//
// The built-in theory has its own Lahiri formula and the true node, so with
// it only those defaults apply; the Swiss Ephemeris takes every ayanamsa and
// either node. The dasha year applies to both.
//
// Each convention has one reader (text to value, with a message naming the
// allowed values) and one writer (value to text), shared by the command-line
// options and the stored settings; the front door passes its own label
// ("--ayanamsa", "Ayanamsa") for the messages.

#include <array>
#include <string>
#include <string_view>

#include "engine/result.h"

namespace sarvexa {

/// Which theory computes the positions.
enum class EphemerisKind {
  Builtin,  ///< the program's closed-form theory (default)
  Swiss,    ///< the Swiss Ephemeris library
};

/// The ayanamsa: the sidereal zodiac's offset from the tropical one.
enum class Ayanamsa {
  Lahiri,        ///< default; the Indian government's Chitrapaksha
  TrueChitra,    ///< Spica (Chitra) held at 180 degrees exactly
  Raman,         ///< B. V. Raman's
  Krishnamurti,  ///< the KP ayanamsa
  Yukteshwar,    ///< Sri Yukteshwar's
  FaganBradley,  ///< the Western sidereal standard
};

/// Which lunar node is Rahu (Ketu is always opposite).
enum class NodeKind {
  True,  ///< the osculating node (default; the built-in theory's node)
  Mean,  ///< the mean node
};

namespace conventions {
/// The default dasha year: 365.25 days (the Julian year).
inline constexpr double kDefaultDashaYearDays = 365.25;
/// The range a dasha year may take, in days, bounds included.
inline constexpr double kMinDashaYearDays = 300.0;
inline constexpr double kMaxDashaYearDays = 400.0;
}  // namespace conventions

/// The four conventions of one cast. The defaults are today's chart.
struct Conventions {
  EphemerisKind ephemeris = EphemerisKind::Builtin;
  Ayanamsa ayanamsa = Ayanamsa::Lahiri;
  NodeKind node = NodeKind::True;
  double dashaYearDays = conventions::kDefaultDashaYearDays;  ///< 300..400
  friend bool operator==(const Conventions&, const Conventions&) = default;
};

/// Names as typed and stored, keyed by the enums' values.
inline constexpr std::array<std::string_view, 2> kEphemerisNames = {"builtin", "swiss"};
inline constexpr std::array<std::string_view, 6> kAyanamsaNames = {
    "lahiri", "true-chitra", "raman", "krishnamurti", "yukteshwar", "fagan-bradley"};
inline constexpr std::array<std::string_view, 2> kNodeNames = {"true", "mean"};

/// Titles for pages and dialogs, keyed like the names: "Lahiri" .. "Fagan-Bradley".
inline constexpr std::array<std::string_view, 6> kAyanamsaTitles = {
    "Lahiri", "True Chitra", "Raman", "Krishnamurti", "Yukteshwar", "Fagan-Bradley"};

/// The dasha years offered by name: the Julian (default), Gregorian and
/// sidereal years, and the 360-day (savana) year.
inline constexpr std::array<double, 4> kNamedDashaYears = {365.25, 365.2425, 365.256363, 360.0};

/// How a front door names each convention in its messages: option names of
/// the command-line tool ("--ayanamsa") or labels of a dialog.
struct ConventionLabels {
  std::string_view ephemeris = "ephemeris";
  std::string_view ayanamsa = "ayanamsa";
  std::string_view node = "node";
  std::string_view dashaYear = "dasha year";
};

/// "builtin", "swiss".
std::string_view EphemerisName(EphemerisKind e);
/// "lahiri" .. "fagan-bradley".
std::string_view AyanamsaName(Ayanamsa a);
/// "true", "mean".
std::string_view NodeName(NodeKind n);
/// The shortest decimal text that reads back to `days`: "365.25", "360".
std::string DashaYearText(double days);

/// Reads an ephemeris name; the message names `label` and the allowed names.
Result<EphemerisKind> ReadEphemeris(std::string_view text, std::string_view label);
/// Reads an ayanamsa name; the message names `label` and the allowed names.
Result<Ayanamsa> ReadAyanamsa(std::string_view text, std::string_view label);
/// Reads a node name; the message names `label` and the allowed names.
Result<NodeKind> ReadNode(std::string_view text, std::string_view label);
/// Reads a dasha year in days, a plain decimal number ("365.25") from 300 to
/// 400; the message names `label`, the range and the named years.
Result<double> ReadDashaYear(std::string_view text, std::string_view label);
/// Checks a dasha year obtained as a number (a stored setting): finite and
/// within 300..400 days. The message is that of ReadDashaYear.
Result<double> CheckDashaYear(double days, std::string_view label);

/// Checks that the conventions go together: with the built-in theory only
/// the Lahiri ayanamsa and the true node apply. The message is one line,
/// "--ayanamsa raman applies only with --ephemeris swiss", in the labels'
/// words. The dasha year is checked too.
Result<void> CheckConventions(const Conventions& c, const ConventionLabels& labels = {});

}  // namespace sarvexa
