#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <condition_variable>
#include <deque>
#include <exception>
#include <future>
#include <istream>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <system_error>
#include <thread>

#include "cli/chart_json.h"
#include "cli/csv_records.h"
#include "cli/json_members.h"
#include "cli/json_writer.h"
#include "cli/sensitivity_output.h"
#include "document/chart_sensitivity.h"
#include "document/notation.h"

namespace sarvexa::cli {
namespace {

enum Column {
  kFirst,
  kLast,
  kPlace,
  kDate,
  kTime,
  kZone,
  kDst,
  kLon,
  kLat,
  kCity,
  kFold,
  kNow,
  kColumnCount
};

// The chart option each column up to `fold` stands for.
constexpr const char* kColumnOption[] = {"--first", "--last", "--place", "--date",
                                         "--time",  "--zone", "--dst",   "--lon",
                                         "--lat",   "--city", "--fold"};

// Rows per chunk: large enough that handing a chunk over costs nothing
// beside its work (a chunk is some milliseconds of computing), small enough
// that the chunks in flight, about 4 kB of JSON per row, stay a few
// megabytes even with many threads.
constexpr std::size_t kChunkRows = 64;

// The member --sensitivity adds.
constexpr const char* kSensitivityMember = "sensitivity";

// The worked chart, for the member and path lists, with or without the
// member "sensitivity".
const std::string& SampleChartJson(bool sensitivity) {
  static const std::array<std::string, 2> texts = [] {
    BirthOptions birth;
    for (const auto& [name, value] : {std::pair{"--date", "2000-01-01"},
                                      {"--time", "17:30"},
                                      {"--zone", "05:30"},
                                      {"--lon", "077:12E"},
                                      {"--lat", "28:36N"}}) {
      (void)TakeBirthOption(birth, name, value);
    }
    CastContext context;
    context.now = LocalClockReading{2024, 6, 15, 12, 0};
    ChartSnapshot chart;
    FillSnapshot(birth, CastChartData(CheckChartData(birth.fields).value(), context).value(),
                 context, chart);
    JsonWriter json;
    json.BeginObject();
    WriteChartMembers(json, chart, true);
    json.Key(kSensitivityMember);
    WriteSensitivity(json, ChartSensitivity(chart).value(), chart.horoscope);
    json.EndObject();
    return std::array<std::string, 2>{ChartSnapshotJson(chart), json.Text()};
  }();
  return texts[sensitivity ? 1 : 0];
}

// Members that only the derivations fill: absent from the object written
// without them.
std::vector<std::string> DerivedMemberNames() {
  JsonWriter json;
  json.BeginObject();
  WriteChartMembers(json, ChartSnapshot{}, false);
  json.EndObject();
  const std::vector<std::string> plain = ObjectMemberNames(json.Text());
  std::vector<std::string> derived;
  for (const std::string& m : ChartMemberNames()) {
    if (std::find(plain.begin(), plain.end(), m) == plain.end()) derived.push_back(m);
  }
  return derived;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The first member or path segment of a column name.
std::string_view Head(std::string_view path) { return path.substr(0, path.find('.')); }

// Everything the rows share: the column layout and what to write.
struct Plan {
  std::vector<Column> columnAt;  // by position in the header
  bool has[kColumnCount] = {};
  BatchFormat format = BatchFormat::JsonLines;
  bool allMembers = true;
  std::vector<std::string> keep;        // JSON: members to keep
  std::vector<std::string> csvColumns;  // CSV: scalar paths
  std::map<std::string, std::size_t, std::less<>> csvIndex;
  std::vector<std::string> csvHeads;  // the members the columns lie in
  bool needDerivations = true;
  bool needSensitivity = false;  // the output takes the member "sensitivity"
  LocalClockReading now;
  CastContext cast;
  FoldChoice fold = FoldChoice::Unresolved;
  const CityLookup* city = nullptr;
  const InstantReader* readInstant = nullptr;
};

// A problem with one row: the column it concerns and the message.
struct RowProblem {
  std::string field;
  std::string message;
};

// "--date: expected ..." as the column says it: "date: expected ...".
std::string AsColumnMessage(std::string message) {
  if (message.rfind("--", 0) == 0) message.erase(0, 2);
  return message;
}

// The column of a "Chart Data" field.
const char* ColumnOfDialogField(const std::string& field) {
  struct Pair {
    const char* prefix;
    const char* column;
  };
  constexpr Pair kPairs[] = {{"firstName", "first"}, {"lastName", "last"},   {"place", "place"},
                             {"hour", "time"},       {"minute", "time"},     {"isPm", "time"},
                             {"day", "date"},        {"monthIndex", "date"}, {"year", "date"},
                             {"lon", "lon"},         {"isEast", "lon"},      {"lat", "lat"},
                             {"isSouth", "lat"},     {"zone", "zone"},       {"dst", "dst"}};
  for (const Pair& p : kPairs) {
    if (field.rfind(p.prefix, 0) == 0) return p.column;
  }
  return "row";
}

// Turns one row into what `chart` would compute from the same options, and
// writes it. Each thread has its own, for its scratch memory.
class RowWriter {
 public:
  explicit RowWriter(const Plan& plan)
      : plan_(plan),
        json_(JsonWriter::Layout::OneLine),
        cells_(plan.csvColumns.size()),
        toCells_([this](std::string_view path, std::string_view text) {
          const auto it = plan_.csvIndex.find(path);
          if (it != plan_.csvIndex.end()) cells_[it->second].assign(text);
        }) {}

  // Appends the row's line to `out`; for a bad row also one message line to
  // `errors`. True for a good row.
  bool Write(long row, const CsvRecord& record, std::string& out, std::string& errors) {
    Result<void, RowProblem> computed;
    try {
      computed = Compute(record);
      if (computed) WriteChart(out);
    } catch (const std::bad_alloc& e) {
      // The one failure the computation can meet: memory ran out for this
      // row. The row says so and the run goes on.
      computed = Fail(RowProblem{"row", std::string("the row could not be computed: ") + e.what()});
    }
    if (computed) {
      // The place a city cell took when others have its name too.
      if (!cityNote_.empty())
        errors += "sarvexa-cli batch: row " + std::to_string(row) + ": city: " + cityNote_ + '\n';
      return true;
    }
    const RowProblem& problem = computed.error();
    // One line per bad row: a cell's line break or other control character,
    // quoted in a message, is shown as '?' there (the JSON escapes it).
    std::string line = problem.message;
    for (char& c : line) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    errors += "sarvexa-cli batch: row " + std::to_string(row) + ": " + line + '\n';
    if (plan_.format == BatchFormat::Csv) {
      out.append(plan_.csvColumns.size(), ',');
      AppendCsvField(out, problem.message);
      out += '\n';
    } else {
      json_.Clear();
      json_.BeginObject();
      json_.Field("row", static_cast<std::int64_t>(row));
      json_.Field("field", problem.field);
      json_.Field("error", problem.message);
      json_.EndObject();
      out += json_.View();
    }
    return false;
  }

 private:
  // The options of the row, checked as `chart` checks its options; the
  // chart in chart_ when they pass.
  Result<void, RowProblem> Compute(const CsvRecord& record) {
    if (!record.error.empty()) return Fail(RowProblem{"row", record.error});
    if (record.fields.size() != plan_.columnAt.size()) {
      const std::size_t n = record.fields.size();
      return Fail(RowProblem{"row", "the row has " + std::to_string(n) +
                                        (n == 1 ? " field" : " fields") + " where the header has " +
                                        std::to_string(plan_.columnAt.size())});
    }
    cityNote_.clear();
    BirthOptions birth;
    birth.fold = plan_.fold;
    LocalClockReading now = plan_.now;
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      const Column column = plan_.columnAt[i];
      const std::string& cell = record.fields[i];
      if (cell.empty() || column == kCity) continue;  // an empty cell is an option not given
      if (column == kNow) {
        const Result<WrittenMoment> parsed = ReadMoment("now", cell);
        if (!parsed) return Fail(RowProblem{"now", parsed.error()});
        now = parsed->clock;
        if (const std::optional<Instant> instant = parsed->instant()) {
          if (!plan_.readInstant || !*plan_.readInstant)
            return Fail(RowProblem{"now", "now: no clock to read the instant on"});
          now = (*plan_.readInstant)(*instant);
        }
        continue;
      }
      if (auto taken = TakeBirthOption(birth, kColumnOption[column], cell); !taken)
        return Fail(RowProblem{kColumnOption[column] + 2, AsColumnMessage(taken.error())});
    }
    // A city fills what the row's own cells leave out, for the row's date
    // and time, as --city does for `chart`.
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      const std::string& cell = record.fields[i];
      if (plan_.columnAt[i] != kCity || cell.empty()) continue;
      if (!plan_.city || !*plan_.city) {
        return Fail(
            RowProblem{"city", "city: this build has no atlas to look \"" + cell + "\" up in"});
      }
      if (auto placed = (*plan_.city)(cell, birth); !placed)
        return Fail(RowProblem{"city", "city: " + placed.error()});
      cityNote_ = birth.cityNote;
    }
    if (auto given = RequireBirthOptions(birth); !given) {
      const std::string text = AsColumnMessage(given.error());
      return Fail(RowProblem{text.substr(0, text.find(' ')), text});
    }
    Result<CheckedChartData, FieldError> checked = CheckChartData(birth.fields);
    if (!checked) {
      const FieldError& error = checked.error();
      const char* column = ColumnOfDialogField(error.field);
      return Fail(
          RowProblem{column, std::string(column) + ": " + error.field + ": " + error.message});
    }

    // What `chart` casts for the same options at the same clock reading.
    CastContext context = plan_.cast;
    context.now = now;
    Result<CastChart> cast = CastChartData(
        *checked, context, plan_.needDerivations ? CastDepth::Everything : CastDepth::Positions);
    if (!cast) return Fail(RowProblem{"row", cast.error()});
    FillSnapshot(birth, std::move(*cast), context, chart_);
    if (plan_.needSensitivity) {
      Result<BirthTimeSensitivity> table = ChartSensitivity(chart_);
      if (!table) return Fail(RowProblem{"row", table.error()});
      table_ = std::move(*table);
    }
    return {};
  }

  // The members of `chart --json` that the output takes, written straight
  // from the chart: the whole object, the members kept, or the values of the
  // CSV columns.
  void WriteChart(std::string& out) {
    json_.Clear();
    if (plan_.format == BatchFormat::Csv) {
      for (std::string& cell : cells_) cell.clear();
      json_.KeepMembers(&plan_.csvHeads);
      json_.SendScalarsTo(&toCells_);
    } else if (!plan_.allMembers) {
      json_.KeepMembers(&plan_.keep);
    }
    json_.BeginObject();
    WriteChartMembers(json_, chart_, plan_.needDerivations);
    if (plan_.needSensitivity) {
      json_.Key(kSensitivityMember);
      WriteSensitivity(json_, table_, chart_.horoscope);
    }
    json_.EndObject();
    if (plan_.format != BatchFormat::Csv) {
      out += json_.View();
      return;
    }
    for (const std::string& cell : cells_) {
      AppendCsvField(out, cell);
      out += ',';
    }
    out += '\n';  // the empty error column
  }

  const Plan& plan_;
  JsonWriter json_;
  ChartSnapshot chart_;             // the row's chart, reused so its texts keep their room
  BirthTimeSensitivity table_;      // its birth-time table, with --sensitivity
  std::vector<std::string> cells_;  // CSV: the row's values by column
  const JsonWriter::ScalarSink toCells_;
  std::string cityNote_;  // what the row's city cell needed said
};

struct Chunk {
  long firstRow = 1;
  std::vector<CsvRecord> records;
  std::size_t count = 0;  // records in use
};

struct ChunkOutput {
  std::string out;
  std::string errors;
  long bad = 0;
};

void WriteChunk(RowWriter& writer, const Chunk& chunk, ChunkOutput& result) {
  result.out.clear();
  result.errors.clear();
  result.bad = 0;
  for (std::size_t i = 0; i < chunk.count; ++i) {
    if (!writer.Write(chunk.firstRow + static_cast<long>(i), chunk.records[i], result.out,
                      result.errors)) {
      ++result.bad;
    }
  }
}

// Fills `chunk` with up to kChunkRows records; false when none was left.
bool ReadChunk(CsvRecordReader& reader, long firstRow, Chunk& chunk) {
  chunk.firstRow = firstRow;
  chunk.count = 0;
  if (chunk.records.size() < kChunkRows) chunk.records.resize(kChunkRows);
  while (chunk.count < kChunkRows && reader.Next(chunk.records[chunk.count])) ++chunk.count;
  return chunk.count > 0;
}

// Worker threads that each own a RowWriter and take chunks in turn. As many
// of `count` start as the system grants (a process or memory limit may
// refuse some); size() says how many, refusal() why the rest did not.
class ChunkWorkers {
 public:
  ChunkWorkers(const Plan& plan, int count) {
    for (int i = 0; i < count; ++i) {
      if (Result<void> started = Start(plan); !started) {
        refusal_ = started.error();
        break;
      }
    }
  }
  ~ChunkWorkers() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  int size() const { return static_cast<int>(threads_.size()); }
  const std::string& refusal() const { return refusal_; }

  std::future<ChunkOutput> Submit(std::shared_ptr<Chunk> chunk) {
    auto promise = std::make_shared<std::promise<ChunkOutput>>();
    std::future<ChunkOutput> result = promise->get_future();
    {
      std::lock_guard lock(mutex_);
      jobs_.emplace_back([chunk, promise](RowWriter& writer) {
        // A failure here (memory ran out) reaches the reading thread,
        // which reports it; thrown from the worker it would end the program.
        try {
          ChunkOutput out;
          WriteChunk(writer, *chunk, out);
          promise->set_value(std::move(out));
        } catch (...) {
          promise->set_exception(std::current_exception());
        }
      });
    }
    ready_.notify_one();
    return result;
  }

 private:
  // One more worker, or why the system refused it.
  Result<void> Start(const Plan& plan) {
    try {
      threads_.reserve(threads_.size() + 1);
      threads_.emplace_back([this, &plan] { Work(plan); });
    } catch (const std::system_error& e) {
      return Fail(e.code().message());
    }
    return Ok();
  }

  // A worker's life: take chunks until told to stop.
  void Work(const Plan& plan) {
    RowWriter writer(plan);
    for (;;) {
      std::function<void(RowWriter&)> job;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      job(writer);
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void(RowWriter&)>> jobs_;
  bool stop_ = false;
  std::vector<std::thread> threads_;
  std::string refusal_;
};

// Writes one chunk's lines; false when the output failed.
bool Emit(const ChunkOutput& chunk, std::ostream& out, std::ostream& err, long& bad) {
  out.write(chunk.out.data(), static_cast<std::streamsize>(chunk.out.size()));
  err << chunk.errors;
  bad += chunk.bad;
  return static_cast<bool>(out);
}

Result<void> ReadHeader(CsvRecordReader& reader, Plan& plan) {
  CsvRecord header;
  if (!reader.Next(header)) return Fail("the input is empty: the first line must name the columns");
  if (!header.error.empty()) return Fail("header: " + header.error);
  for (const std::string& cell : header.fields) {
    const std::string name = Lower(TrimBlanks(cell));
    int found = -1;
    for (int c = 0; c < kColumnCount; ++c) {
      if (name == kBatchColumns[c]) found = c;
    }
    if (found < 0) {
      std::string known;
      for (const char* c : kBatchColumns) known += std::string(known.empty() ? "" : ",") + c;
      return Fail("header: unknown column \"" + name + "\" (the columns are " + known + ")");
    }
    if (plan.has[found]) return Fail("header: the column \"" + name + "\" appears twice");
    plan.has[found] = true;
    plan.columnAt.push_back(static_cast<Column>(found));
  }
  // Without these no row could be cast; a city column may stand for the place.
  for (Column c : {kDate, kTime, kLon, kLat, kZone}) {
    const bool fromCity = plan.has[kCity] && (c == kLon || c == kLat || c == kZone);
    if (!plan.has[c] && !fromCity) {
      return Fail(std::string("header: the column \"") + kBatchColumns[c] + "\" is required");
    }
  }
  return Ok();
}

}  // namespace

const std::vector<std::string>& ChartMemberNames(bool sensitivity) {
  static const std::array<std::vector<std::string>, 2> names = {
      ObjectMemberNames(SampleChartJson(false)), ObjectMemberNames(SampleChartJson(true))};
  return names[sensitivity ? 1 : 0];
}

const std::vector<std::string>& ChartScalarPaths(bool sensitivity) {
  static const std::array<std::vector<std::string>, 2> paths = [] {
    std::array<std::vector<std::string>, 2> out;
    for (int i = 0; i < 2; ++i) {
      ForEachScalar(SampleChartJson(i == 1), [&out, i](std::string_view path, std::string_view) {
        out[i].emplace_back(path);
      });
    }
    return out;
  }();
  return paths[sensitivity ? 1 : 0];
}

std::vector<std::string> DefaultCsvColumns(bool sensitivity) {
  std::vector<std::string> columns;
  for (const std::string& path : ChartScalarPaths(sensitivity)) {
    const bool topLevel = path.find('.') == std::string::npos;
    const bool pointLongitude = Head(path) == "positions" && path.ends_with(".longitude");
    // The conventions are the same for every row of a run: a column only
    // when asked for.
    const bool convention = std::find(std::begin(kConventionMembers), std::end(kConventionMembers),
                                      path) != std::end(kConventionMembers);
    if ((topLevel || pointLongitude || Head(path) == kSensitivityMember) && !convention) columns.push_back(path);
  }
  return columns;
}

Result<void> CheckBatchFields(const BatchSettings& settings) {
  const auto& members = ChartMemberNames(settings.sensitivity);
  const auto& paths = ChartScalarPaths(settings.sensitivity);
  for (auto f = settings.fields.begin(); f != settings.fields.end(); ++f) {
    // A JSON object holds a member once; one rule for both forms.
    if (std::find(settings.fields.begin(), f, *f) != f)
      return Fail("--fields: \"" + *f + "\" is named twice; name each field once");
  }
  for (const std::string& f : settings.fields) {
    if (!settings.sensitivity && Head(f) == kSensitivityMember)
      return Fail("--fields: \"" + f + "\" is there only with --sensitivity");
    if (settings.format == BatchFormat::JsonLines) {
      if (std::find(members.begin(), members.end(), f) == members.end()) {
        return Fail("--fields: \"" + f + "\" is not a member of the chart object");
      }
    } else if (std::find(paths.begin(), paths.end(), f) == paths.end()) {
      // A member or part of one that holds several values: suggest its first
      // value by its whole path, a column that exists.
      const auto first = std::find_if(paths.begin(), paths.end(), [&f](const std::string& p) {
        return p.size() > f.size() && p.starts_with(f) && p[f.size()] == '.';
      });
      if (first != paths.end()) {
        return Fail("--fields: \"" + f + "\" holds several values; a CSV column names one, e.g. " +
                    *first);
      }
      return Fail("--fields: \"" + f +
                  "\" is not a value of the chart object (e.g. julianDay, "
                  "positions.1.longitude)");
    }
  }
  return Ok();
}

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err,
             const BatchSettings& settings) {
  CsvRecordReader reader(in);
  return RunBatch(reader, out, err, settings);
}

int RunBatch(CsvRecordReader& reader, std::ostream& out, std::ostream& err,
             const BatchSettings& settings) {
  Plan plan;
  plan.format = settings.format;
  plan.now = settings.now;
  plan.cast = settings.cast;
  plan.fold = settings.fold;
  plan.city = &settings.city;
  plan.readInstant = &settings.readInstant;
  const std::vector<std::string> derived = DerivedMemberNames();
  auto isDerived = [&derived](std::string_view path) {
    return std::find(derived.begin(), derived.end(), Head(path)) != derived.end();
  };
  if (settings.format == BatchFormat::Csv) {
    plan.csvColumns =
        settings.fields.empty() ? DefaultCsvColumns(settings.sensitivity) : settings.fields;
    plan.needDerivations = false;
    for (std::size_t i = 0; i < plan.csvColumns.size(); ++i) {
      plan.csvIndex.emplace(plan.csvColumns[i], i);
      const std::string head(Head(plan.csvColumns[i]));
      if (std::find(plan.csvHeads.begin(), plan.csvHeads.end(), head) == plan.csvHeads.end()) {
        plan.csvHeads.push_back(head);
      }
      plan.needDerivations = plan.needDerivations || isDerived(plan.csvColumns[i]);
    }
  } else if (!settings.fields.empty()) {
    plan.allMembers = false;
    plan.keep = settings.fields;
    plan.needDerivations = std::any_of(plan.keep.begin(), plan.keep.end(), isDerived);
  }
  // The table is searched only for an output that takes it.
  plan.needSensitivity =
      settings.sensitivity &&
      (plan.format == BatchFormat::Csv
           ? std::find(plan.csvHeads.begin(), plan.csvHeads.end(), kSensitivityMember) !=
                 plan.csvHeads.end()
           : plan.allMembers || std::find(plan.keep.begin(), plan.keep.end(), kSensitivityMember) !=
                                    plan.keep.end());

  if (auto header = ReadHeader(reader, plan); !header) {
    err << "sarvexa-cli batch: " << header.error() << '\n';
    return 2;
  }
  if (plan.format == BatchFormat::Csv) {
    std::string line;
    for (const std::string& c : plan.csvColumns) {
      AppendCsvField(line, c);
      line += ',';
    }
    line += "error\n";
    out << line;
  }

  long bad = 0;
  long nextRow = 1;
  bool written = true;
  std::unique_ptr<ChunkWorkers> workers;
  if (settings.threads > 1) {
    workers = std::make_unique<ChunkWorkers>(plan, settings.threads);
    if (workers->size() < settings.threads) {
      err << "sarvexa-cli batch: the system granted " << workers->size() << " of "
          << settings.threads << " threads (" << workers->refusal() << "); computing on "
          << std::max(workers->size(), 1) << '\n';
    }
    if (workers->size() == 0) workers.reset();
  }
  if (!workers) {
    RowWriter writer(plan);
    Chunk chunk;
    ChunkOutput output;
    while (written && ReadChunk(reader, nextRow, chunk)) {
      nextRow += static_cast<long>(chunk.count);
      WriteChunk(writer, chunk, output);
      written = Emit(output, out, err, bad);
    }
  } else {
    std::deque<std::future<ChunkOutput>> pending;
    // One chunk per thread at work, plus two: one being written out, one
    // read ahead. More would only hold memory.
    const std::size_t inFlight = static_cast<std::size_t>(workers->size()) + 2;
    for (;;) {
      auto chunk = std::make_shared<Chunk>();
      if (!ReadChunk(reader, nextRow, *chunk)) break;
      nextRow += static_cast<long>(chunk->count);
      pending.push_back(workers->Submit(std::move(chunk)));
      if (pending.size() >= inFlight) {
        written = Emit(pending.front().get(), out, err, bad);
        pending.pop_front();
        if (!written) break;
      }
    }
    while (!pending.empty()) {
      const ChunkOutput chunk = pending.front().get();
      pending.pop_front();
      if (written) written = Emit(chunk, out, err, bad);
    }
  }
  out.flush();
  if (!written || !out) {
    err << "sarvexa-cli batch: the output could not be written\n";
    return 1;
  }
  if (reader.ReadFailed()) {
    err << "sarvexa-cli batch: the input could not be read to its end\n";
    return 1;
  }
  return bad > 0 ? 1 : 0;
}

}  // namespace sarvexa::cli
