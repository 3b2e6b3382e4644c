#pragma once
// The conventions of a command's charts (engine/conventions.h), declared
// once for every command that casts: --ephemeris, --ayanamsa, --node and
// --dasha-year. An option given wins over the desktop program's stored
// setting, which wins over the default; a convention given that does not
// apply to the ephemeris is refused in one line. The Swiss Ephemeris is
// loaded only by a run that casts with it.

#include <iosfwd>
#include <optional>
#include <span>
#include <string_view>

#include "cli/option_table.h"
#include "document/cast.h"
#include "document/settings_store.h"
#include "engine/conventions.h"
#include "engine/result.h"

namespace sarvexa {
class ChartDocument;
}

namespace sarvexa::cli {

/// The conventions given on the command line; nothing where none was.
struct ConventionOptions {
  std::optional<EphemerisKind> ephemeris;
  std::optional<Ayanamsa> ayanamsa;
  std::optional<NodeKind> node;
  std::optional<double> dashaYearDays;
};

/// --ephemeris, --ayanamsa, --node and --dasha-year, in the order --help
/// lists them (column 24). A value that is not one of the names, or a dasha
/// year outside 300..400 days, is refused naming the option and the values
/// it takes.
std::span<const Option<ConventionOptions>> ConventionOptionRows();

/// The conventions of the run: each option given, else the stored setting of
/// `stored`, else the default. A stored value that cannot be taken is said
/// on `err` ("sarvexa-cli COMMAND: the stored setting ...") and gives its
/// default. A stored ayanamsa and node belong to the stored ephemeris: with
/// another ephemeris given, the defaults take their place. Fails when an
/// ayanamsa or node given does not apply to the ephemeris, given or stored:
/// "--ayanamsa raman applies only with --ephemeris swiss", and for swiss in
/// a build without the Swiss Ephemeris.
Result<Conventions> ResolveConventions(const ConventionOptions& given, const SettingsStore& stored,
                                       const char* command, std::ostream& err);

/// The context of the run's casts under `conventions`, with the program's
/// theory of their ephemeris (the Swiss Ephemeris made at the first need).
CastContext ConventionContext(const Conventions& conventions, const LocalClockReading& now = {});

/// Gives a document the program's theories and the run's conventions
/// (resolved, so before the first cast this does not fail).
Result<void> UseConventions(ChartDocument& document, const Conventions& conventions);

/// Fails when the date `year`-`month`-`day` lies outside the years the
/// conventions' ephemeris computes, naming `option` and those years:
/// "--at: the Swiss Ephemeris (--ephemeris swiss) computes the years 3000 BC
/// to AD 3000; 3012-05-01 lies outside them". The built-in theory takes
/// every date.
Result<void> CheckCastDate(const Conventions& conventions, int year, int month, int day,
                           std::string_view option);

}  // namespace sarvexa::cli
