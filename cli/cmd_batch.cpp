// `sarvexa-cli batch`: the options, then RunBatch over a file or standard input.

#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <mutex>
#include <new>
#include <ostream>
#include <system_error>
#include <thread>

#include <unistd.h>

#include "atlas/system_atlas.h"
#include "cli/batch.h"
#include "cli/chart_json.h"
#include "cli/city_option.h"
#include "cli/convention_options.h"
#include "cli/prasna_clock.h"
#include "document/notation.h"
#include "document/prasna.h"
#include "document/safe_file.h"

namespace sarvexa::cli {
namespace {

// Each thread holds a chunk of rows and its output (about a megabyte of
// JSON); 64 keep the run well under a hundred megabytes.
constexpr int kMaxThreads = 64;

// The bytes of an open descriptor, which it closes at the end.
class DescriptorSource {
 public:
  explicit DescriptorSource(int fd) : fd_(fd) {}
  ~DescriptorSource() { ::close(fd_); }
  DescriptorSource(const DescriptorSource&) = delete;
  DescriptorSource& operator=(const DescriptorSource&) = delete;

  Result<std::size_t> Read(char* into, std::size_t room) const {
    ssize_t n = 0;
    do {
      n = ::read(fd_, into, room);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return Fail(std::string(std::strerror(errno)));
    return static_cast<std::size_t>(n);
  }

 private:
  int fd_;
};

struct BatchOptions {
  BatchSettings settings;
  ConventionOptions conventions;         // one choice for the whole run
  std::optional<std::string> inputPath;  // nothing or "-": standard input
  std::optional<WrittenMoment> now;      // --now; the present otherwise
  bool help = false;
};

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!item.empty()) out.push_back(item);
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

using Row = Option<BatchOptions>;

constexpr Row kBatchRows[] = {
    {"--fields", "LIST",
     "comma-separated: with json, the members to keep (e.g.\n"
     "firstName,julianDay,positions); with csv, the columns,\n"
     "each one value by its path (e.g. julianDay,\n"
     "positions.1.longitude, currentPeriod.maha,\n"
     "vargaSigns.9.0). Default: every member; for csv the\n"
     "single-valued members and each point's longitude",
     [](BatchOptions& o, std::string_view, std::string_view value) -> Result<void> {
       o.settings.fields = SplitList(std::string(value));
       if (o.settings.fields.empty()) return Fail("--fields: name at least one member");
       return Ok();
     }},
    {"--format", "json|csv",
     "output form (default json); csv starts with a header\n"
     "line and ends each line with an error column",
     [](BatchOptions& o, std::string_view, std::string_view value) -> Result<void> {
       if (value == "json") {
         o.settings.format = BatchFormat::JsonLines;
       } else if (value == "csv") {
         o.settings.format = BatchFormat::Csv;
       } else {
         return Fail("--format: expected json or csv (got \"" + std::string(value) + "\")");
       }
       return Ok();
     }},
    {"--threads", "N",
     "compute on N threads, 1..64 (default 1); the output\n"
     "keeps the input order. When the system grants fewer,\n"
     "the run goes on with those and says so once",
     [](BatchOptions& o, std::string_view, std::string_view value) -> Result<void> {
       const std::optional<int> n = ReadDigits(value, 3);
       if (!n || *n < 1 || *n > kMaxThreads)
         return Fail("--threads: expected a whole number 1.." + std::to_string(kMaxThreads) +
                     " (got \"" + std::string(value) + "\")");
       o.settings.threads = *n;
       return Ok();
     }},
    {"--now", "YYYY-MM-DDTHH:MM",
     "the clock for rows without a now cell, as the now\n"
     "column takes it (default: the present on the stored\n"
     "Prasna location's clock, read once at the start)",
     TakeMoment<BatchOptions, &BatchOptions::now>},
    {"--fold", "earlier|later",
     "for rows without a fold cell: the offset before or\n"
     "after a change of the clocks (default: such a row\n"
     "is refused)",
     [](BatchOptions& o, std::string_view, std::string_view value) -> Result<void> {
       const auto fold = ParseFoldChoice(value);
       if (!fold)
         return Fail("--fold: expected earlier or later (got \"" + std::string(value) + "\")");
       o.settings.fold = *fold;
       return Ok();
     }},
    {"--sensitivity", "",
     "add to each row the member \"sensitivity\": the object\n"
     "of sarvexa-cli sensitivity --json for the row's chart,\n"
     "searched 24 hours either way. With csv its values are\n"
     "columns by path, e.g. sensitivity.points.2.factors.2.to\n"
     "(when the Moon's pada changes later), sensitivity.\n"
     "runningPeriod.from; without --fields all of them follow\n"
     "the default columns",
     [](BatchOptions& o, std::string_view, std::string_view) -> Result<void> {
       o.settings.sensitivity = true;
       return Ok();
     }},
    Row("--help", "", "this text", SetFlag<BatchOptions, &BatchOptions::help>).Alias("-h"),
};

constexpr CommandRules kRules{"batch"};

Result<BatchOptions> ParseBatchArguments(const Arguments& args) {
  BatchOptions o;
  // The input: a file name, or "-" for standard input; only one.
  const auto input = [&o](const std::string& arg, bool) -> Result<bool> {
    if ((arg != "-" && arg.rfind("-", 0) == 0) || o.inputPath) return false;
    o.inputPath = arg;
    return true;
  };
  if (auto parsed = ParseArguments(args, kRules, input, Group(kBatchRows, o),
                                   Group(ConventionOptionRows(), o.conventions));
      !parsed)
    return Fail(parsed.error());
  return o;
}

}  // namespace

void PrintBatchHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli batch [FILE | -] [--fields LIST] [--format json|csv]\n"
         "                         [--threads N] [--now YYYY-MM-DDTHH:MM]\n"
         "                         [--fold earlier|later] [--sensitivity]\n"
         "                         [--ephemeris builtin|swiss] [--ayanamsa NAME]\n"
         "                         [--node true|mean] [--dasha-year DAYS]\n"
         "\n"
         "Casts one chart per row of a CSV file or a pipe (standard input when FILE is\n"
         "missing or '-'). The first line names the columns, in any order:\n"
         "  first,last,place,date,time,zone,dst,lon,lat   as the chart options\n"
         "                      --first .. --lat take them; date, time, zone, lon\n"
         "                      and lat are required\n"
         "  city                a place from the atlas, as --city; the row's own lon,\n"
         "                      lat and zone cells, when filled, override it. A name\n"
         "                      that several places have takes the most populous and\n"
         "                      says so on standard error (\"row N: city: ...\")\n"
         "  fold                earlier or later: the offset for a city's clock time\n"
         "                      that was skipped or passed twice, as --fold\n"
         "  now                 YYYY-MM-DDTHH:MM: the clock for this row's current\n"
         "                      period; ending in Z or +HH:MM/-HH:MM, an instant read\n"
         "                      on the stored Prasna location's clock\n"
         "An empty cell is an option not given. Fields may be quoted (\"...\", with\n"
         "quotes doubled inside); lines may end in LF or CR LF.\n"
         "\n"
         "Each row gives one line, in input order: a JSON object with the members of\n"
         "sarvexa-cli chart --json (JSON Lines), or a CSV line.\n";
  PrintOptionHelp(out, {HelpOf(kBatchRows, 22), HelpOf(ConventionOptionRows(), 22)});
  out << "\n"
         "A bad row writes one line to standard error, \"sarvexa-cli batch: row N:\n"
         "FIELD: ...\" (row 1 is the first line after the header), and in its place\n"
         "the object {\"row\":N,\"field\":FIELD,\"error\":MESSAGE} (csv: empty columns and\n"
         "the message in the error column). The run goes on. Exit code 0 when every\n"
         "row was good, 1 when some were not or the output failed, 2 for bad options\n"
         "or a header that cannot be used.\n"
         "Example:\n"
         "  printf 'first,date,time,zone,lon,lat\\nAnn,2000-01-01,17:30,05:30,077:12E,28:36N\\n' "
         "|\n"
         "    sarvexa-cli batch --fields firstName,julianDay,currentPeriod\n";
}

int RunBatchCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  Result<BatchOptions> parsed = ParseBatchArguments(args);
  if (!parsed) {
    err << "sarvexa-cli batch: " << parsed.error() << '\n';
    return kExitUsage;
  }
  BatchOptions& o = *parsed;
  if (o.help) {
    PrintBatchHelp(out);
    return 0;
  }
  if (auto fields = CheckBatchFields(o.settings); !fields) {
    err << "sarvexa-cli batch: " << fields.error() << '\n';
    return kExitUsage;
  }
  // One clock reading for the whole run, so that every row without its own
  // `now` is judged at the same moment: --now as written, or an instant (and
  // the present) on the Prasna location's clock. The settings are read
  // before the rows, so what they cannot tell is said first.
  const IniFileSettingsStore stored = ReadStoredSettings("batch", err);
  const Result<Conventions> conventions = ResolveConventions(o.conventions, stored, "batch", err);
  if (!conventions) {
    err << "sarvexa-cli batch: " << conventions.error() << '\n';
    return kExitUsage;
  }
  o.settings.cast = ConventionContext(*conventions);
  o.settings.now = PeriodClockReading(o.now, stored);
  // The atlas is opened at the first row that names a city or an instant,
  // and looked up by one worker at a time: its place list is read on first
  // use.
  std::unique_ptr<Atlas> atlas;
  std::optional<PrasnaLocation> prasnaLocation;
  std::mutex atlasLock;
  o.settings.city = [&](std::string_view city, BirthOptions& birth) -> Result<void> {
    const std::lock_guard<std::mutex> hold(atlasLock);
    if (!atlas) atlas = OpenSystemAtlas();
    birth.city = std::string(city);
    auto placed = ResolveCity(birth, *atlas, kBatchFoldHint);
    if (placed) return Ok();
    // The row's message names its column, not the chart option.
    const std::string& why = placed.error();
    return Fail(why.rfind("--city: ", 0) == 0 ? why.substr(8) : why);
  };
  o.settings.readInstant = [&](Instant instant) {
    const std::lock_guard<std::mutex> hold(atlasLock);
    if (!atlas) atlas = OpenSystemAtlas();
    if (!prasnaLocation) prasnaLocation = CommandPrasnaLocation(stored, *atlas, instant);
    return PrasnaClockAt(*prasnaLocation, instant, atlas.get()).reading;
  };

  try {
    if (!o.inputPath || *o.inputPath == "-") return RunBatch(std::cin, out, err, o.settings);
    // As `open` reads a chart file: a device or a folder is refused rather
    // than read for ever; a pipe is read as standard input is.
    const Result<int> fd = OpenStreamForReading(*o.inputPath);
    if (!fd) {
      err << "sarvexa-cli batch: " << fd.error() << '\n';
      return 1;
    }
    const DescriptorSource file(*fd);
    CsvRecordReader reader([&file](char* into, std::size_t room) { return file.Read(into, room); });
    return RunBatch(reader, out, err, o.settings);
  } catch (const std::bad_alloc&) {
    // The lines written so far are whole; the run stops after them.
    err << "sarvexa-cli batch: not enough memory to go on; the output ends after its last whole "
           "line\n";
    return 1;
  }
}

}  // namespace sarvexa::cli
