#include "cli/convention_options.h"

#include <cstdio>
#include <ostream>

#include "cli/prasna_clock.h"
#include "document/chart_document.h"
#include "document/settings.h"
#include "engine/calendar.h"

#ifdef SARVEXA_HAVE_SWISS
#include "swiss/swiss_ephemeris.h"
#endif

namespace sarvexa::cli {
namespace {

// How the messages of the command line name the conventions.
constexpr ConventionLabels kOptionLabels{"--ephemeris", "--ayanamsa", "--node", "--dasha-year"};

template <typename T, Result<T> (*Read)(std::string_view, std::string_view),
          std::optional<T> ConventionOptions::*Member>
Result<void> Take(ConventionOptions& o, std::string_view name, std::string_view value) {
  Result<T> read = Read(value, name);
  if (!read) return Fail(read.error());
  o.*Member = *read;
  return Ok();
}

using Row = Option<ConventionOptions>;

constexpr Row kConventionRows[] = {
    {"--ephemeris", "builtin|swiss",
     "positions from the built-in theory or the Swiss\n"
     "Ephemeris (default: the stored setting, else builtin)",
     Take<EphemerisKind, ReadEphemeris, &ConventionOptions::ephemeris>},
    {"--ayanamsa", "NAME",
     "with swiss: lahiri, true-chitra, raman, krishnamurti,\n"
     "yukteshwar or fagan-bradley (default: the stored\n"
     "setting, else lahiri, the only one of builtin)",
     Take<Ayanamsa, ReadAyanamsa, &ConventionOptions::ayanamsa>},
    {"--node", "true|mean",
     "with swiss: Rahu at the true or the mean node\n"
     "(default: the stored setting, else true, the only\n"
     "one of builtin)",
     Take<NodeKind, ReadNode, &ConventionOptions::node>},
    {"--dasha-year", "DAYS",
     "days of a dasha year, 300..400: 365.25, 365.2425,\n"
     "365.256363 or 360 (default: the stored setting, else\n"
     "365.25)",
     Take<double, ReadDashaYear, &ConventionOptions::dashaYearDays>},
};

const PositionTheory* TheoryOf(EphemerisKind ephemeris) {
#ifdef SARVEXA_HAVE_SWISS
  return PositionTheoryFor(ephemeris);
#else
  return ephemeris == EphemerisKind::Builtin ? &BuiltinTheory() : nullptr;
#endif
}

}  // namespace

std::span<const Option<ConventionOptions>> ConventionOptionRows() { return kConventionRows; }

Result<Conventions> ResolveConventions(const ConventionOptions& given, const SettingsStore& stored,
                                       const char* command, std::ostream& err) {
  StoredConventions read = ReadConventionSettings(stored);
  Conventions c = read.conventions;
  // The stored ayanamsa and node go with the stored ephemeris only.
  const bool otherEphemeris = given.ephemeris && *given.ephemeris != c.ephemeris;
  // A stored value is told only when the run would have used it: an option
  // given for its key replaces it.
  const auto replaced = [&](const std::string& key) {
    if (key == settings_key::Ephemeris) return given.ephemeris.has_value();
    if (key == settings_key::Ayanamsa) return otherEphemeris || given.ayanamsa.has_value();
    if (key == settings_key::Node) return otherEphemeris || given.node.has_value();
    if (key == settings_key::DashaYear) return given.dashaYearDays.has_value();
    return false;
  };
  for (const StoredProblem& problem : read.problems) {
    if (replaced(problem.key)) continue;
    err << "sarvexa-cli " << command << ": " << problem.message << '\n';
    NoteUnusableSettings();
  }
  if (otherEphemeris) {
    // The stored ayanamsa and node were chosen for the stored ephemeris.
    const Conventions defaults;
    c.ayanamsa = defaults.ayanamsa;
    c.node = defaults.node;
    c.ephemeris = *given.ephemeris;
  }
  if (given.ayanamsa) c.ayanamsa = *given.ayanamsa;
  if (given.node) c.node = *given.node;
  if (given.dashaYearDays) c.dashaYearDays = *given.dashaYearDays;
  if (Result<void> fits = CheckConventions(c, kOptionLabels); !fits) return Fail(fits.error());
  if (!TheoryOf(c.ephemeris)) return Fail("--ephemeris swiss: this build has no Swiss Ephemeris");
  return c;
}

CastContext ConventionContext(const Conventions& conventions, const LocalClockReading& now) {
  const PositionTheory* theory = TheoryOf(conventions.ephemeris);
  return CastContext{now, conventions, theory ? theory : &BuiltinTheory()};
}

Result<void> UseConventions(ChartDocument& document, const Conventions& conventions) {
  document.setTheories(TheoryOf);
  return document.useConventionsForRun(conventions);
}

Result<void> CheckCastDate(const Conventions& conventions, int year, int month, int day,
                           std::string_view option) {
#ifdef SARVEXA_HAVE_SWISS
  if (conventions.ephemeris != EphemerisKind::Swiss) return Ok();
  // A module that cannot be loaded is said by the cast itself.
  const Result<JulianDayRange> range = SwissEphemerisRange();
  const double noon = DayNumberFromDate(year, month, day);
  if (!range || (noon >= range->first && noon < range->end)) return Ok();
  char date[40];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
  return Fail(std::string(option) +
              ": the Swiss Ephemeris (--ephemeris swiss) computes the years 3000 BC to AD 3000; " +
              date + " lies outside them");
#else
  static_cast<void>(conventions), static_cast<void>(year), static_cast<void>(month);
  static_cast<void>(day), static_cast<void>(option);
  return Ok();
#endif
}

}  // namespace sarvexa::cli
