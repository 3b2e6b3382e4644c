// `sarvexa-cli open` and `sarvexa-cli prasna`: a chart document loaded from a
// file or cast for the present moment, printed like `chart`.

#include "cli/cmd_document.h"
#include "atlas/system_atlas.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/birth_options.h"
#include "cli/chart_json.h"
#include "cli/chart_output.h"
#include "cli/convention_options.h"
#include "cli/export_options.h"
#include "cli/json_writer.h"
#include "cli/prasna_clock.h"
#include "document/chart_document.h"
#include "document/ini_settings_store.h"
#include "document/notation.h"
#include "document/settings_store.h"
#include "document/system_zone.h"

namespace sarvexa::cli {
namespace {

// Options every document subcommand shares.
struct OutputOptions {
  ExportOptions exports;               // --text, --csv, --style
  std::optional<std::string> svxPath;  // --svx
  std::optional<WrittenMoment> now;    // --now; the present otherwise
  bool json = false;
  bool help = false;
};

using OutputRow = Option<OutputOptions>;

// --now as `open` and `prasna` take it: a missing value is told without
// pointing to a help.
constexpr OutputRow NowRow(std::string_view help) {
  return OutputRow("--now", "YYYY-MM-DDTHH:MM", help,
                   TakeMoment<OutputOptions, &OutputOptions::now>)
      .Missing(MissingValue::RequiredBare);
}
constexpr OutputRow SvxRow(std::string_view help) {
  return OutputRow("--svx", "FILE", help, TakeOutputPath<OutputOptions, &OutputOptions::svxPath>)
      .EmptyIsMissing()
      .MissingText(kSvxNeedsFileName);
}
constexpr OutputRow HelpRow() {
  return OutputRow("--help", "", "this text", SetFlag<OutputOptions, &OutputOptions::help>)
      .Alias("-h");
}

// Prints the document's chart (table or JSON) and writes the requested files.
int Emit(const char* command, const ChartDocument& doc, const OutputOptions& o, std::ostream& out,
         std::ostream& err) {
  const bool toStdout = o.exports.textPath == std::string("-") ||
                        o.exports.csvPath == std::string("-") || o.svxPath == std::string("-");
  if (o.json) {
    out << ChartSnapshotJson(doc.snapshot());
  } else if (!toStdout) {
    out << ChartTable(doc.snapshot()) + DerivationTable(doc.snapshot());
  }
  if (o.svxPath) {
    const ChartFileRecord record{doc.firstName(), doc.lastName(), doc.place(), doc.horoscope(),
                                 doc.zoneName()};
    if (auto written = SaveChartFile(*o.svxPath, record, out); !written) {
      err << "sarvexa-cli " << command << ": " << written.error() << '\n';
      return 1;
    }
  }
  if (o.exports.any()) {
    if (auto written = WriteExports(o.exports, doc.snapshot(), out); !written) {
      err << "sarvexa-cli " << command << ": " << written.error() << '\n';
      return 1;
    }
  }
  out.flush();
  return out ? 0 : 1;
}

// Where a Prasna location field came from, as the user knows it: the
// option given on the command line, else the desktop program's stored
// setting it was read from.
std::string PrasnaFieldSource(const std::string& field, const std::vector<std::string>& given) {
  struct Source {
    const char* prefix;
    const char* option;
    const char* key;
  };
  constexpr Source kSources[] = {
      {"place", "--place", settings_key::PrasnaLoc}, {"lon", "--lon", settings_key::PrasnaLong},
      {"isEast", "--lon", settings_key::PrasnaLong}, {"lat", "--lat", settings_key::PrasnaLat},
      {"isSouth", "--lat", settings_key::PrasnaLat}, {"zone", "--zone", settings_key::PrasnaTZone},
      {"dst", "--dst", settings_key::PrasnaDst},
  };
  for (const Source& s : kSources) {
    if (field.rfind(s.prefix, 0) != 0) continue;
    if (std::find(given.begin(), given.end(), s.option) != given.end()) return s.option;
    return std::string("the stored setting \"") + s.key + "\"";
  }
  return field;
}

}  // namespace

Result<void> SaveChartFile(const std::string& path, const ChartFileRecord& record,
                           std::ostream& out) {
  const std::string bytes = EncodeChartFile(record);
  if (path == "-") {
    // A failed write to standard output is reported when the command ends.
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Ok();
  }
  return WriteFileReplacing(path, bytes);
}

// ---- open ----

namespace {

constexpr OutputRow kOpenRows[] = {
    SvxRow("save the chart file again ('-' for standard output)"),
    NowRow("local clock reading for the current period;\n"
           "ending in Z or +HH:MM/-HH:MM, an exact instant,\n"
           "read on the clock of the stored Prasna location\n"
           "(default: the present, read the same way)"),
    {"--json", "",
     "print the chart as JSON (with firstName, lastName,\n"
     "place, isPrasna and what `chart --json` derives)",
     SetFlag<OutputOptions, &OutputOptions::json>},
    HelpRow(),
};

constexpr CommandRules kOpenRules{"open", MissingValue::RequiredBare, true, true};

}  // namespace

void PrintOpenHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli open [OPTIONS] [--] FILE.svx\n"
         "       OPTIONS: [--json] [--svx FILE] [--text FILE] [--csv FILE]\n"
         "                [--style north|south] [--now YYYY-MM-DDTHH:MM[Z|+HH:MM]]\n"
         "                [--ephemeris builtin|swiss] [--ayanamsa NAME] [--node true|mean]\n"
         "                [--dasha-year DAYS]\n"
         "\n"
         "Loads a chart file, computes the chart again from its birth data and prints\n"
         "it like `chart`. A file that cannot be read or is not a chart file prints a\n"
         "message and exits with code 1. After \"--\" a name beginning with '-' is a\n"
         "file name.\n"
         "\n";
  PrintOptionHelp(out, {HelpOf(ExportOptionRows(), 24), HelpOf(ConventionOptionRows(), 24),
                        HelpOf(kOpenRows, 24)});
}

int RunOpenCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  OutputOptions o;
  ConventionOptions given;
  std::optional<std::string> file;
  // The chart file; after "--" a name beginning with '-' too.
  const auto fileName = [&file](const std::string& arg, bool afterDoubleDash) -> Result<bool> {
    if (!afterDoubleDash && !arg.empty() && arg[0] == '-' && arg != "-") return false;
    if (file) return Fail("only one chart file can be opened");
    file = arg;
    return true;
  };
  if (auto parsed = ParseArguments(args, kOpenRules, fileName, Group(ExportOptionRows(), o.exports),
                                   Group(kOpenRows, o), Group(ConventionOptionRows(), given));
      !parsed) {
    err << "sarvexa-cli open: " << parsed.error() << '\n';
    return kExitUsage;
  }
  if (o.help) {
    PrintOpenHelp(out);
    return 0;
  }
  if (!file) {
    err << "sarvexa-cli open: a chart file is required (see sarvexa-cli open --help)\n";
    return kExitUsage;
  }
  if (file->empty()) {
    err << "sarvexa-cli open: the chart file name is empty\n";
    return kExitUsage;
  }
  if (auto outputs = StandardOutputConflict(o.json, o.exports, o.svxPath, *file); !outputs) {
    err << "sarvexa-cli open: " << outputs.error() << '\n';
    return kExitUsage;
  }
  IniFileSettingsStore settings = ReadStoredSettings("open", err);
  const Result<Conventions> conventions = ResolveConventions(given, settings, "open", err);
  if (!conventions) {
    err << "sarvexa-cli open: " << conventions.error() << '\n';
    return kExitUsage;
  }
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  ChartDocument doc(settings, nullptr);
  doc.setAtlas(atlas.get());
  if (auto used = UseConventions(doc, *conventions); !used) {
    err << "sarvexa-cli open: " << used.error() << '\n';
    return 1;
  }
  // The running period is the present on the Prasna location's clock.
  if (NeedsPrasnaClock(o.now)) UseComputerZoneIfNoneStored(doc, settings, *atlas);
  doc.setClock(ClockOfNow(o.now, doc.prasnaLocation(), atlas.get()));
  if (auto opened = doc.open(*file); !opened) {
    err << "sarvexa-cli open: " << *file << ": " << opened.error() << '\n';
    return 1;
  }
  return Emit("open", doc, o, out, err);
}

// ---- prasna ----

namespace {

// The Prasna location given on the command line, in the birth options'
// forms; the Prasna dialog's checks follow when it is taken.
struct PrasnaPlace {
  BirthOptions place;
  bool hasPlaceText = false;
  std::vector<std::string> given;  // the place options named on the command line
};

// A place option read with the birth option's reader and named as given.
template <Result<void> (*Take)(BirthOptions&, std::string_view, std::string_view)>
Result<void> TakePrasnaPlace(PrasnaPlace& p, std::string_view name, std::string_view value) {
  if (auto taken = Take(p.place, name, value); !taken) return taken;
  p.given.emplace_back(name);
  return Ok();
}

Result<void> TakePrasnaPlaceText(PrasnaPlace& p, std::string_view name, std::string_view value) {
  p.place.fields.place = value;  // checked with the Prasna dialog's 30 characters
  p.hasPlaceText = true;
  p.given.emplace_back(name);
  return Ok();
}

using PlaceRow = Option<PrasnaPlace>;

constexpr OutputRow kPrasnaNowRows[] = {
    NowRow("the location's local clock reading to cast for;\n"
           "ending in Z or +HH:MM/-HH:MM, an exact instant\n"
           "(default: the present)"),
};
constexpr PlaceRow kPrasnaPlaceRows[] = {
    {"--place", "TEXT", "place text, at most 30 characters", TakePrasnaPlaceText},
    {"--lon", "DDD:MM{E|W}", "longitude, degrees 0..179", TakePrasnaPlace<TakeLongitude>},
    {"--lat", "DD:MM{N|S}", "latitude, degrees 0..89", TakePrasnaPlace<TakeLatitude>},
    {"--zone", "HH:MM", "time zone, hours 0..12", TakePrasnaPlace<TakeZone>},
    {"--dst", "H", "daylight-saving hours 0..11", TakePrasnaPlace<TakeDst>},
};
constexpr OutputRow kPrasnaOutputRows[] = {
    SvxRow("save the chart file ('-' for standard output)"),
    {"--json", "", "print the chart as JSON", SetFlag<OutputOptions, &OutputOptions::json>},
    HelpRow(),
};

constexpr CommandRules kPrasnaRules{"prasna", MissingValue::RequiredBare};

}  // namespace

void PrintPrasnaHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli prasna [--now YYYY-MM-DDTHH:MM[Z|+HH:MM]] [--place TEXT]\n"
         "                         [--lon DDD:MM{E|W}] [--lat DD:MM{N|S}] [--zone HH:MM]\n"
         "                         [--dst H] [--json] [--svx FILE] [--text FILE] [--csv FILE]\n"
         "                         [--ephemeris builtin|swiss] [--ayanamsa NAME]\n"
         "                         [--node true|mean] [--dasha-year DAYS]\n"
         "\n"
         "Casts the Prasna: the chart of the present moment at the stored Prasna\n"
         "location of the desktop program, or at the place given, on that place's\n"
         "own clock. Options not given keep the stored values; --zone takes its side\n"
         "from --lon (or the stored side). With no location stored and no place\n"
         "given, the principal place of the computer's own time zone is taken (and\n"
         "named on standard error).\n"
         "\n";
  PrintOptionHelp(out, {HelpOf(kPrasnaNowRows, 24), HelpOf(kPrasnaPlaceRows, 24),
                        HelpOf(ExportOptionRows(), 24), HelpOf(ConventionOptionRows(), 24),
                        HelpOf(kPrasnaOutputRows, 24)});
}

int RunPrasnaCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  OutputOptions o;
  PrasnaPlace given;
  ConventionOptions givenConventions;
  if (auto parsed = ParseArguments(
          args, kPrasnaRules, nullptr, Group(kPrasnaNowRows, o), Group(kPrasnaPlaceRows, given),
          Group(ExportOptionRows(), o.exports), Group(kPrasnaOutputRows, o),
          Group(ConventionOptionRows(), givenConventions));
      !parsed) {
    err << "sarvexa-cli prasna: " << parsed.error() << '\n';
    return kExitUsage;
  }
  const BirthOptions& place = given.place;
  const bool anyPlace = !given.given.empty();
  if (o.help) {
    PrintPrasnaHelp(out);
    return 0;
  }
  if (auto outputs = StandardOutputConflict(o.json, o.exports, o.svxPath); !outputs) {
    err << "sarvexa-cli prasna: " << outputs.error() << '\n';
    return kExitUsage;
  }

  IniFileSettingsStore settings = ReadStoredSettings("prasna", err);
  Result<Conventions> conventions = ResolveConventions(givenConventions, settings, "prasna", err);
  if (conventions && o.now) {
    const LocalClockReading& at = o.now->clock;
    if (auto inRange = CheckCastDate(*conventions, at.year, at.month, at.day, "--now"); !inRange)
      conventions = Fail(inRange.error());
  }
  if (!conventions) {
    err << "sarvexa-cli prasna: " << conventions.error() << '\n';
    return kExitUsage;
  }
  // A stored location from the atlas takes the zone and DST of the moment.
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  ChartDocument doc(settings, nullptr);
  doc.setAtlas(atlas.get());
  if (auto used = UseConventions(doc, *conventions); !used) {
    err << "sarvexa-cli prasna: " << used.error() << '\n';
    return 1;
  }
  if (!anyPlace && UseComputerZoneIfNoneStored(doc, settings, *atlas)) {
    err << "sarvexa-cli prasna: " << SystemZoneLocationNote(doc.prasnaLocation()) << '\n';
  }
  if (anyPlace) {
    PrasnaLocationFields f = doc.prasnaLocationDialogValues();
    if (given.hasPlaceText) f.place = place.fields.place;
    CopyGivenPlace(place, f);
    f.zoneName.clear();  // a location given by hand: its zone and DST as given
    if (place.hasDst) {
      f.dstHours = place.fields.dstHours;
      f.dstMinutes = 0;
    }
    // The same checks as the "Set Location for Prasna" dialog; the store is
    // the read-only view of the desktop program's settings, so nothing is
    // written to its file.
    if (auto taken = doc.setPrasnaLocation(f); !taken) {
      err << "sarvexa-cli prasna: " << PrasnaFieldSource(taken.error().field, given.given) << ": "
          << taken.error().message << '\n';
      return kExitUsage;
    }
  }
  doc.setClock(ClockOfNow(o.now, doc.prasnaLocation(), atlas.get()));
  if (auto cast = doc.castPrasna(); !cast) {
    err << "sarvexa-cli prasna: " << cast.error() << '\n';
    return 1;
  }
  return Emit("prasna", doc, o, out, err);
}

}  // namespace sarvexa::cli
