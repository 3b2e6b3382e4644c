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

Result<OptionMatch> TakeOutputOption(const Arguments& args, std::size_t& i, OutputOptions& o) {
  const Result<OptionMatch> m = TakeExportOption(args, i, o.exports);
  if (!m || *m == OptionMatch::Taken) return m;  // i is past the value already
  const std::string& name = args[i];
  if (name == "--json") {
    o.json = true;
  } else if (name == "--help" || name == "-h") {
    o.help = true;
  } else if (name == "--svx") {
    if (i + 1 >= args.size() || args[i + 1].empty()) return Fail(kSvxNeedsFileName);
    o.svxPath = OutputName(args[i + 1]);
    i += 2;
    return OptionMatch::Taken;
  } else if (name == "--now") {
    if (i + 1 >= args.size()) return Fail(ValueRequired(name));
    // The same form and checks as every command's --now.
    const Result<WrittenMoment> reading = ReadMoment(name, args[i + 1]);
    if (!reading) return Fail(reading.error());
    o.now = *reading;
    i += 2;
    return OptionMatch::Taken;
  } else {
    return OptionMatch::NotMine;
  }
  ++i;
  return OptionMatch::Taken;
}

// Prints the document's chart (table or JSON) and writes the requested files.
int Emit(const char* command, const ChartDocument& doc, const OutputOptions& o, std::ostream& out,
         std::ostream& err) {
  const bool toStdout = o.exports.textPath == std::string("-") ||
                        o.exports.csvPath == std::string("-") || o.svxPath == std::string("-");
  if (o.json) {
    out << ChartSnapshotJson(doc.snapshot());
  } else if (!toStdout) {
    out << ChartTable(doc.snapshot()) +
               DerivationTable(doc.horoscope(), doc.snapshot().derivations);
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

void PrintOpenHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli open [OPTIONS] [--] FILE.svx\n"
         "       OPTIONS: [--json] [--svx FILE] [--text FILE] [--csv FILE]\n"
         "                [--style north|south] [--now YYYY-MM-DDTHH:MM[Z|+HH:MM]]\n"
         "\n"
         "Loads a chart file, computes the chart again from its birth data and prints\n"
         "it like `chart`. A file that cannot be read or is not a chart file prints a\n"
         "message and exits with code 1. After \"--\" a name beginning with '-' is a\n"
         "file name.\n"
         "\n"
      << kExportOptionsHelp
      << "  --svx FILE            save the chart file again ('-' for standard output)\n"
         "  --now YYYY-MM-DDTHH:MM  local clock reading for the current period;\n"
         "                        ending in Z or +HH:MM/-HH:MM, an exact instant,\n"
         "                        read on the clock of the stored Prasna location\n"
         "                        (default: the present, read the same way)\n"
         "  --json                print the chart as JSON (with firstName, lastName,\n"
         "                        place, isPrasna and what `chart --json` derives)\n"
         "  --help                this text\n";
}

int RunOpenCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  OutputOptions o;
  std::optional<std::string> file;
  bool optionsEnded = false;  // after "--" every argument is a file name
  for (std::size_t i = 0; i < args.size();) {
    if (!optionsEnded && args[i] == "--") {
      optionsEnded = true;
      ++i;
      continue;
    }
    const Result<OptionMatch> t =
        optionsEnded ? OptionMatch::NotMine : TakeOutputOption(args, i, o);
    if (!t) {
      err << "sarvexa-cli open: " << t.error() << '\n';
      return kExitUsage;
    }
    if (*t == OptionMatch::Taken) continue;
    if (!optionsEnded && !args[i].empty() && args[i][0] == '-' && args[i] != "-") {
      err << "sarvexa-cli open: unknown option \"" << args[i]
          << "\" (see sarvexa-cli open --help)\n";
      return kExitUsage;
    }
    if (file) {
      err << "sarvexa-cli open: only one chart file can be opened\n";
      return kExitUsage;
    }
    file = args[i++];
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
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  ChartDocument doc(settings, nullptr);
  doc.setAtlas(atlas.get());
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

void PrintPrasnaHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli prasna [--now YYYY-MM-DDTHH:MM[Z|+HH:MM]] [--place TEXT]\n"
         "                         [--lon DDD:MM{E|W}] [--lat DD:MM{N|S}] [--zone HH:MM]\n"
         "                         [--dst H] [--json] [--svx FILE] [--text FILE] [--csv FILE]\n"
         "\n"
         "Casts the Prasna: the chart of the present moment at the stored Prasna\n"
         "location of the desktop program, or at the place given, on that place's\n"
         "own clock. Options not given keep the stored values; --zone takes its side\n"
         "from --lon (or the stored side). With no location stored and no place\n"
         "given, the principal place of the computer's own time zone is taken (and\n"
         "named on standard error).\n"
         "\n"
         "  --now YYYY-MM-DDTHH:MM  the location's local clock reading to cast for;\n"
         "                        ending in Z or +HH:MM/-HH:MM, an exact instant\n"
         "                        (default: the present)\n"
         "  --place TEXT          place text, at most 30 characters\n"
         "  --lon DDD:MM{E|W}     longitude, degrees 0..179\n"
         "  --lat DD:MM{N|S}      latitude, degrees 0..89\n"
         "  --zone HH:MM          time zone, hours 0..12\n"
         "  --dst H               daylight-saving hours 0..11\n"
      << kExportOptionsHelp
      << "  --svx FILE            save the chart file ('-' for standard output)\n"
         "  --json                print the chart as JSON\n"
         "  --help                this text\n";
}

int RunPrasnaCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  OutputOptions o;
  BirthOptions place;  // parsed with the birth options' forms and checks
  bool anyPlace = false, hasPlaceText = false, hasDst = false;
  std::vector<std::string> given;  // the place options named on the command line
  std::string message;
  for (std::size_t i = 0; i < args.size();) {
    const Result<OptionMatch> t = TakeOutputOption(args, i, o);
    if (!t) {
      err << "sarvexa-cli prasna: " << t.error() << '\n';
      return kExitUsage;
    }
    if (*t == OptionMatch::Taken) continue;
    const std::string& name = args[i];
    if (name != "--place" && name != "--lon" && name != "--lat" && name != "--zone" &&
        name != "--dst") {
      err << "sarvexa-cli prasna: unknown option \"" << name
          << "\" (see sarvexa-cli prasna --help)\n";
      return kExitUsage;
    }
    if (i + 1 >= args.size()) {
      err << "sarvexa-cli prasna: " << ValueRequired(name) << "\n";
      return kExitUsage;
    }
    const std::string& value = args[i + 1];
    i += 2;
    if (name == "--place") {
      place.fields.place = value;  // checked below with the Prasna dialog's 30 characters
      hasPlaceText = true;
    } else if (ParseBirthOption(name, value, place, message) != OptionStatus::Accepted) {
      err << "sarvexa-cli prasna: " << message << '\n';
      return kExitUsage;
    }
    if (name == "--dst") hasDst = true;
    given.push_back(name);
    anyPlace = true;
  }
  if (o.help) {
    PrintPrasnaHelp(out);
    return 0;
  }
  if (auto outputs = StandardOutputConflict(o.json, o.exports, o.svxPath); !outputs) {
    err << "sarvexa-cli prasna: " << outputs.error() << '\n';
    return kExitUsage;
  }

  IniFileSettingsStore settings = ReadStoredSettings("prasna", err);
  // A stored location from the atlas takes the zone and DST of the moment.
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  ChartDocument doc(settings, nullptr);
  doc.setAtlas(atlas.get());
  if (!anyPlace && UseComputerZoneIfNoneStored(doc, settings, *atlas)) {
    err << "sarvexa-cli prasna: " << SystemZoneLocationNote(doc.prasnaLocation()) << '\n';
  }
  if (anyPlace) {
    PrasnaLocationFields f = doc.prasnaLocationDialogValues();
    if (hasPlaceText) f.place = place.fields.place;
    CopyGivenPlace(place, f);
    f.zoneName.clear();  // a location given by hand: its zone and DST as given
    if (hasDst) {
      f.dstHours = place.fields.dstHours;
      f.dstMinutes = 0;
    }
    // The same checks as the "Set Location for Prasna" dialog; the store is
    // the read-only view of the desktop program's settings, so nothing is
    // written to its file.
    if (auto taken = doc.setPrasnaLocation(f); !taken) {
      err << "sarvexa-cli prasna: " << PrasnaFieldSource(taken.error().field, given) << ": "
          << taken.error().message << '\n';
      return kExitUsage;
    }
  }
  doc.setClock(ClockOfNow(o.now, doc.prasnaLocation(), atlas.get()));
  doc.castPrasna();
  return Emit("prasna", doc, o, out, err);
}

}  // namespace sarvexa::cli
