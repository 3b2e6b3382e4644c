// sarvexa-cli batch: the same members as chart for the same birth, bad rows
// reported in place, the CSV reader, the member and column choices, the
// worker threads, and the built program (which must load no toolkit).

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/csv_records.h"
#include "cli/json_members.h"
#include "cli/json_writer.h"
#include "cli/render_launcher.h"

namespace sarvexa::cli {
namespace {

using ScalarMap = std::map<std::string, std::string>;

ScalarMap Scalars(const std::string& json) {
  ScalarMap m;
  EXPECT_TRUE(ForEachScalar(json, [&m](std::string_view path, std::string_view token) {
    m.emplace(std::string(path), std::string(token));
  })) << json;
  return m;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct BatchRun {
  int code = -1;
  std::string out, err;
};

BatchRun Batch(const std::string& csv, BatchSettings settings = {}) {
  settings.now = LocalClockReading{2024, 6, 15, 12, 0};
  std::istringstream in(csv);
  std::ostringstream out, err;
  BatchRun r;
  r.code = RunBatch(in, out, err, settings);
  r.out = out.str();
  r.err = err.str();
  return r;
}

// ---- batch and chart agree ------------------------------------------------

// One birth: its CSV cells and the chart options that say the same. An empty
// cell is an option left out.
struct Birth {
  const char* first;
  const char* last;
  const char* place;
  const char* date;
  const char* time;
  const char* zone;
  const char* dst;
  const char* lon;
  const char* lat;
  const char* now;
  const char* source;
};

const Birth kBirths[] = {
    {"Ann", "Lee", "New Delhi", "2000-01-01", "17:30", "05:30", "0", "077:12E", "28:36N", "",
     "worked chart"},
    {"", "", "", "1950-07-04", "5:30AM", "05:00", "1", "074:00W", "40:43N", "",
     "west, daylight saving, 12-hour time, no names"},
    {"Zoë", "O'Neil", "Buenos Aires, AR", "1987-02-28", "23:59", "03:00", "", "058:22W", "34:36S",
     "1990-01-01T00:00", "south, comma in place, own clock"},
    {"Late", "", "", "2099-12-31", "00:00", "12:00", "0", "179:59E", "89:59N", "",
     "edge of every range"},
    {"Before", "", "", "2030-05-05", "12:00", "00:00", "0", "000:00E", "00:00N", "",
     "chart dated after the clock: no current period"},
    {"Bad", "", "", "2000-13-01", "17:30", "05:30", "0", "077:12E", "28:36N", "", "month 13"},
    {"Bad", "", "", "2000-01-01", "17:30", "05:30", "0", "077:12", "28:36N", "",
     "longitude without side"},
    {"Bad", "", "", "2000-01-01", "17:30", "13:00", "0", "077:12E", "28:36N", "", "zone 13 hours"},
    {"Bad", "", "", "2000-01-01", "", "05:30", "0", "077:12E", "28:36N", "", "time missing"},
    {"Bad", "", "A place name far longer than thirty-two characters", "2000-01-01", "17:30",
     "05:30", "0", "077:12E", "28:36N", "", "place too long"},
    {"Bad", "", "", "2000-01-01", "25:00", "05:30", "0", "077:12E", "28:36N", "", "hour 25"},
    {"Bad", "", "", "2000-01-01", "17:30", "05:30", "13", "077:12E", "28:36N", "", "dst 13"},
    {"Bad", "", "", "2000-01-01", "17:30", "05:30", "0", "077:12E", "28:36N", "2024-02-30T12:00",
     "now on a day the month lacks"},
};

std::string CsvCell(const char* text) {
  std::string out;
  AppendCsvField(out, text);
  return out;
}

// chart with the options the row stands for; the message without the
// program's prefix.
BatchRun Chart(const Birth& b) {
  Arguments args;
  auto add = [&args](const char* name, const char* value) {
    if (*value) {
      args.push_back(name);
      args.push_back(value);
    }
  };
  add("--first", b.first);
  add("--last", b.last);
  add("--place", b.place);
  add("--date", b.date);
  add("--time", b.time);
  add("--zone", b.zone);
  add("--dst", b.dst);
  add("--lon", b.lon);
  add("--lat", b.lat);
  args.push_back("--now");
  args.push_back(*b.now ? b.now : "2024-06-15T12:00");
  args.push_back("--json");
  std::ostringstream out, err;
  BatchRun r;
  r.code = RunChartCommand(args, out, err);
  r.out = out.str();
  r.err = err.str();
  const std::string prefix = "sarvexa-cli chart: ";
  if (r.err.rfind(prefix, 0) == 0) r.err.erase(0, prefix.size());
  if (!r.err.empty() && r.err.back() == '\n') r.err.pop_back();
  return r;
}

TEST(BatchAgreesWithChart, SameMembersAndSameRefusals) {
  std::string csv = "first,last,place,date,time,zone,dst,lon,lat,now\n";
  for (const Birth& b : kBirths) {
    for (const char* cell :
         {b.first, b.last, b.place, b.date, b.time, b.zone, b.dst, b.lon, b.lat}) {
      csv += CsvCell(cell) + ",";
    }
    csv += CsvCell(b.now) + "\n";
  }
  const BatchRun batch = Batch(csv);
  EXPECT_EQ(batch.code, 1);  // some rows are bad
  const std::vector<std::string> lines = Lines(batch.out);
  const std::vector<std::string> errLines = Lines(batch.err);
  ASSERT_EQ(lines.size(), std::size(kBirths));
  std::size_t errIndex = 0;
  for (std::size_t i = 0; i < std::size(kBirths); ++i) {
    const Birth& b = kBirths[i];
    SCOPED_TRACE(b.source);
    const BatchRun chart = Chart(b);
    const ScalarMap row = Scalars(lines[i]);
    if (chart.code == 0) {
      EXPECT_EQ(Scalars(chart.out), row);
      EXPECT_EQ(ObjectMemberNames(chart.out), ObjectMemberNames(lines[i]));
      continue;
    }
    EXPECT_EQ(chart.code, kExitUsage);
    // The chart message, said of the column instead of the option.
    std::string expected = chart.err;
    if (expected.rfind("--", 0) == 0) expected.erase(0, 2);
    ASSERT_TRUE(row.count("error")) << lines[i];
    EXPECT_EQ(ScalarText(row.at("error")), expected);
    EXPECT_EQ(ScalarText(row.at("row")), std::to_string(i + 1));
    EXPECT_EQ(expected.rfind(ScalarText(row.at("field")) + ":", 0) == 0 ||
                  expected.rfind(ScalarText(row.at("field")) + " is required", 0) == 0,
              true)
        << "field " << row.at("field") << " not named first in: " << expected;
    ASSERT_LT(errIndex, errLines.size());
    EXPECT_EQ(errLines[errIndex++],
              "sarvexa-cli batch: row " + std::to_string(i + 1) + ": " + expected);
  }
  EXPECT_EQ(errIndex, errLines.size());
}

TEST(BatchAgreesWithChart, ChosenMembersAreTheChartsOwn) {
  const std::string csv =
      "date,time,zone,lon,lat,first\n2000-01-01,17:30,05:30,077:12E,28:36N,Ann\n";
  const std::string full = Lines(Batch(csv).out).at(0);
  const ScalarMap all = Scalars(full);
  struct Case {
    std::vector<std::string> fields;
    const char* source;
  };
  const Case kCases[] = {
      {{"firstName", "julianDay"}, "scalars only: no derivations needed"},
      {{"currentPeriod", "positions"}, "a derivation and the positions"},
      {{"saAnalysis", "firstName"}, "order follows the chart, not the list"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    BatchSettings settings;
    settings.fields = c.fields;
    ASSERT_TRUE(CheckBatchFields(settings).ok());
    const BatchRun r = Batch(csv, settings);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string line = Lines(r.out).at(0);
    ScalarMap expected;
    for (const auto& [path, token] : all) {
      const std::string head = path.substr(0, path.find('.'));
      if (std::find(c.fields.begin(), c.fields.end(), head) != c.fields.end()) {
        expected.emplace(path, token);
      }
    }
    EXPECT_EQ(Scalars(line), expected);
    std::vector<std::string> order;
    for (const std::string& m : ObjectMemberNames(full)) {
      if (std::find(c.fields.begin(), c.fields.end(), m) != c.fields.end()) order.push_back(m);
    }
    EXPECT_EQ(ObjectMemberNames(line), order);
  }
}

TEST(BatchCsv, ColumnsCarryTheJsonValues) {
  const std::string csv =
      "first,place,date,time,zone,lon,lat\n"
      "Ann,\"Delhi, IN\",2000-01-01,17:30,05:30,077:12E,28:36N\n"
      "Bob,,2000-01-01,17:30,05:30,077:12E,99:00N\n";
  BatchSettings settings;
  settings.format = BatchFormat::Csv;
  settings.fields = {"firstName", "place", "positions.1.longitude", "currentPeriod.maha",
                     "vargaSigns.9.2"};
  ASSERT_TRUE(CheckBatchFields(settings).ok());
  const BatchRun r = Batch(csv, settings);
  EXPECT_EQ(r.code, 1);
  const ScalarMap json = Scalars(Lines(Batch(csv).out).at(0));
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "firstName,place,positions.1.longitude,currentPeriod.maha,vargaSigns.9.2,error");
  EXPECT_EQ(lines[1], "Ann,\"Delhi, IN\"," + json.at("positions.1.longitude") + "," +
                          json.at("currentPeriod.maha") + "," + json.at("vargaSigns.9.2") + ",");
  EXPECT_EQ(lines[2].substr(0, 6), ",,,,,\"");  // empty values, then the quoted message
  EXPECT_NE(lines[2].find("lat: expected"), std::string::npos);
}

TEST(BatchFields, RefusedChoices) {
  struct Case {
    BatchFormat format;
    std::vector<std::string> fields;
    const char* says;
  };
  const Case kCases[] = {
      {BatchFormat::JsonLines, {"firstName", "nosuch"}, "\"nosuch\" is not a member"},
      {BatchFormat::JsonLines, {"positions.1.longitude"}, "is not a member"},
      {BatchFormat::Csv, {"positions"}, "holds several values"},
      {BatchFormat::Csv, {"positions.10.longitude"}, "is not a value"},
      {BatchFormat::Csv, {"currentPeriod"}, "currentPeriod.maha"},
      {BatchFormat::Csv, {"firstName", "julianDay", "firstName"}, "\"firstName\" is named twice"},
      {BatchFormat::JsonLines, {"julianDay", "positions", "julianDay"}, "named twice"},
      {BatchFormat::JsonLines, {"sensitivity"}, "only with --sensitivity"},
      {BatchFormat::Csv, {"sensitivity.daysPerMinute"}, "only with --sensitivity"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.says);
    BatchSettings settings;
    settings.format = c.format;
    settings.fields = c.fields;
    const auto checked = CheckBatchFields(settings);
    ASSERT_FALSE(checked.ok());
    EXPECT_NE(checked.error().find(c.says), std::string::npos) << checked.error();
  }
}

// A CSV column names one value; a member or part of one that holds several
// is refused with an example, and the example is a column that works.
TEST(BatchFields, EverySuggestedColumnIsAccepted) {
  const std::vector<std::string>& paths = ChartScalarPaths();
  std::vector<std::string> several = ChartMemberNames();
  several.insert(several.end(), {"saAnalysis.mep", "positions.1", "vargaSigns.9"});
  int suggested = 0;
  for (const std::string& name : several) {
    if (std::find(paths.begin(), paths.end(), name) != paths.end()) continue;  // one value
    SCOPED_TRACE(name);
    BatchSettings settings;
    settings.format = BatchFormat::Csv;
    settings.fields = {name};
    const auto refused = CheckBatchFields(settings);
    ASSERT_FALSE(refused.ok());
    const std::string& message = refused.error();
    const auto example = message.find("e.g. ");
    ASSERT_NE(example, std::string::npos) << message;
    settings.fields = {message.substr(example + 5)};
    EXPECT_TRUE(CheckBatchFields(settings).ok()) << settings.fields[0];
    EXPECT_EQ(settings.fields[0].rfind(name + ".", 0), 0u) << "a value of what was named";
    ++suggested;
  }
  EXPECT_GE(suggested, 8) << "saAnalysis, positions, dashaTable, vargaSigns, currentPeriod, ...";
}

TEST(BatchHeader, UnusableHeadersStopBeforeAnyOutput) {
  struct Case {
    const char* csv;
    const char* says;
  };
  const Case kCases[] = {
      {"", "the input is empty"},
      {"date,time,zone,lon,lat,colour\n", "unknown column \"colour\""},
      {"date,time,zone,lon,lat,Date\n", "appears twice"},
      {"date,time,zone,lon\n", "\"lat\" is required"},
      {"time,zone,lon,lat,city\n", "\"date\" is required"},
      {"date,\"time,zone,lon,lat\n", "no closing quote"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.csv);
    const BatchRun r = Batch(c.csv);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

TEST(BatchRows, BrokenRowsKeepTheirPlace) {
  struct Case {
    const char* row;
    const char* says;
  };
  const Case kCases[] = {
      {"2000-01-01,17:30,05:30,077:12E", "the row has 4 fields where the header has 5"},
      {"", "the row has 1 field where the header has 5"},
      {"2000-01-01,17:30,05:30,077:12E,28:36N,extra", "the row has 6 fields"},
      {"2000-01-01,\"17\"30,05:30,077:12E,28:36N", "a quote stands inside"},
      {" 2000-01-01,17:30,05:30,077:12E,28:36N", "date: expected"},
      {"\"2000-01-01\n\",17:30,05:30,077:12E,28:36N", "date: expected"},
  };
  const char* good = "2000-01-01,17:30,05:30,077:12E,28:36N";
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.says);
    const BatchRun r =
        Batch(std::string("date,time,zone,lon,lat\n") + good + "\n" + c.row + "\n" + good + "\n");
    EXPECT_EQ(r.code, 1);
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Scalars(lines[0]), Scalars(lines[2]));
    const ScalarMap bad = Scalars(lines[1]);
    ASSERT_TRUE(bad.count("error"));
    EXPECT_NE(ScalarText(bad.at("error")).find(c.says), std::string::npos) << lines[1];
    EXPECT_EQ(r.err.rfind("sarvexa-cli batch: row 2: ", 0), 0u) << r.err;
    EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
  }
}

TEST(BatchRows, EachBadRowIsOneLineOnStandardError) {
  // Cells quoted back in a message may hold line breaks.
  const BatchRun r = Batch(
      "date,time,zone,lon,lat,now,city\n"
      "2000-01-01,17:30,05:30,077:12E,28:36N,\"2024-01\n01\",\n"
      "2000-01-01,17:30,05:30,077:12E,28:36N,,\"Del\nhi\"\n");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(Lines(r.out).size(), 2u);
  const std::vector<std::string> err = Lines(r.err);
  ASSERT_EQ(err.size(), 2u) << r.err;
  EXPECT_EQ(err[0].rfind("sarvexa-cli batch: row 1: now: ", 0), 0u) << err[0];
  EXPECT_EQ(err[1].rfind("sarvexa-cli batch: row 2: city: ", 0), 0u) << err[1];
  EXPECT_NE(r.out.find("Del\\nhi"), std::string::npos) << r.out;  // the JSON keeps it, escaped
}

TEST(BatchRows, CityNeedsTheAtlas) {
  const std::string csv = "date,time,city\n2000-01-01,17:30,Delhi\n";
  const BatchRun without = Batch(csv);
  EXPECT_EQ(without.code, 1);
  EXPECT_NE(without.out.find("\"field\":\"city\""), std::string::npos) << without.out;

  BatchSettings settings;
  settings.city = [](std::string_view city, BirthOptions& birth) -> Result<void> {
    if (city != "Delhi") return Fail("unknown place");
    for (const auto& [name, value] : {std::pair{"--lon", "077:12E"},
                                      {"--lat", "28:36N"},
                                      {"--zone", "05:30"},
                                      {"--place", "New Delhi"}}) {
      EXPECT_TRUE(TakeBirthOption(birth, name, value));
    }
    return Ok();
  };
  const BatchRun with = Batch(csv + "2000-01-01,17:30,Atlantis\n", settings);
  EXPECT_EQ(with.code, 1);
  const std::vector<std::string> lines = Lines(with.out);
  ASSERT_EQ(lines.size(), 2u);
  const std::string direct = Lines(Batch("date,time,zone,lon,lat,place\n"
                                         "2000-01-01,17:30,05:30,077:12E,28:36N,New Delhi\n")
                                       .out)
                                 .at(0);
  EXPECT_EQ(Scalars(lines[0]), Scalars(direct));
  EXPECT_NE(lines[1].find("city: unknown place"), std::string::npos);
}

TEST(BatchThreads, SameOutputInTheSameOrder) {
  std::mt19937 engine(11);
  auto rng = [&engine] { return static_cast<unsigned>(engine()); };
  std::string csv = "first,date,time,zone,lon,lat\n";
  for (int i = 0; i < 1500; ++i) {
    const bool bad = rng() % 17 == 0;
    char row[120];
    std::snprintf(row, sizeof row, "R%d,%04u-%02u-%02u,%02u:%02u,05:30,%03u:00E,%02u:00N\n", i,
                  1900 + rng() % 200, 1 + rng() % 12, bad ? 40 : 1 + rng() % 28, rng() % 24,
                  rng() % 60, rng() % 180, rng() % 90);
    csv += row;
  }
  const BatchRun one = Batch(csv);
  for (int threads : {2, 3, 8}) {
    SCOPED_TRACE(threads);
    BatchSettings settings;
    settings.threads = threads;
    const BatchRun many = Batch(csv, settings);
    EXPECT_EQ(many.code, one.code);
    EXPECT_TRUE(many.out == one.out);
    EXPECT_EQ(many.err, one.err);
  }
  EXPECT_EQ(Lines(one.out).size(), 1500u);
}

// ---- the CSV reader ------------------------------------------------------

TEST(CsvRecordReader, RecordsFieldsAndFaults) {
  struct Case {
    std::string input;
    std::vector<std::vector<std::string>> records;
    std::vector<bool> faulty;
    const char* source;
  };
  const Case kCases[] = {
      {"a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}, {false, false}, "plain"},
      {"a,b\r\n1,2", {{"a", "b"}, {"1", "2"}}, {false, false}, "CR LF, no final newline"},
      {"\xEF\xBB\xBF"
       "a\n",
       {{"a"}},
       {false},
       "byte-order mark dropped"},
      {"\"x,y\",\"say \"\"hi\"\"\"\n", {{"x,y", "say \"hi\""}}, {false}, "quotes"},
      {"\"two\nlines\",z\n", {{"two\nlines", "z"}}, {false}, "line break inside quotes"},
      {",\n", {{"", ""}}, {false}, "empty fields"},
      {"\n\n", {{""}, {""}}, {false, false}, "blank lines are records"},
      {"ab\"c\n", {{"ab\"c"}}, {true}, "quote inside unquoted field"},
      {"\"ab\"c,d\n", {{"abc", "d"}}, {true}, "text after closing quote"},
      {"\"open,x\n", {{"open,x\n"}}, {true}, "no closing quote"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    std::istringstream in(c.input);
    CsvRecordReader reader(in);
    CsvRecord record;
    std::size_t n = 0;
    while (reader.Next(record)) {
      ASSERT_LT(n, c.records.size());
      EXPECT_EQ(record.fields, c.records[n]);
      EXPECT_EQ(!record.error.empty(), c.faulty[n]) << record.error;
      ++n;
    }
    EXPECT_EQ(n, c.records.size());
  }
}

TEST(CsvRecordReader, OverlongRecordIsCutAndTheNextOneRead) {
  std::string input =
      "\"" + std::string(CsvRecordReader::kMaxRecordBytes + 10, 'x') + "\",y\nnext\n";
  std::istringstream in(input);
  CsvRecordReader reader(in);
  CsvRecord record;
  ASSERT_TRUE(reader.Next(record));
  EXPECT_FALSE(record.error.empty());
  EXPECT_LE(record.fields.at(0).size(), CsvRecordReader::kMaxRecordBytes);
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.fields, std::vector<std::string>{"next"});
  EXPECT_TRUE(record.error.empty());
}

TEST(CsvField, QuotedOnlyWhenNeeded) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case kCases[] = {{"plain", "plain"},
                         {"a,b", "\"a,b\""},
                         {"say \"x\"", "\"say \"\"x\"\"\""},
                         {"two\nlines", "\"two\nlines\""},
                         {" pad", "\" pad\""},
                         {"", ""}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.in);
    std::string out;
    AppendCsvField(out, c.in);
    EXPECT_EQ(out, c.out);
    // and it reads back
    std::istringstream in(out + "\n");
    CsvRecordReader reader(in);
    CsvRecord record;
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.fields, std::vector<std::string>{c.in});
  }
}

// ---- finding the drawing program -----------------------------------------

TEST(RenderLauncher, CandidatesInOrder) {
  struct Case {
    std::string self, libexec;
    std::vector<std::string> expected;
    const char* source;
  };
  const Case kCases[] = {
      {"/b/cli/sarvexa-cli",
       "/usr/libexec/sarvexa",
       {"/b/cli/sarvexa-render", "/b/libexec/sarvexa/sarvexa-render",
        "/usr/libexec/sarvexa/sarvexa-render"},
       "build tree"},
      {"/usr/bin/sarvexa-cli",
       "/usr/libexec/sarvexa",
       {"/usr/bin/sarvexa-render", "/usr/libexec/sarvexa/sarvexa-render"},
       "installed: the relative and the configured folder are one"},
      {"", "/opt/x", {"/opt/x/sarvexa-render"}, "own path unknown"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(RenderProgramCandidates(c.self, c.libexec), c.expected);
  }
}

// ---- the built program ---------------------------------------------------

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

BatchRun RunShell(const std::string& command) {
  const std::string base = testing::TempDir() + "/sarvexa_batch_" + std::to_string(getpid());
  const std::string outPath = base + "_out", errPath = base + "_err";
  const int status = std::system((command + " >'" + outPath + "' 2>'" + errPath + "'").c_str());
  BatchRun r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadAll(outPath);
  r.err = ReadAll(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return r;
}

TEST(BatchProgram, StandardInputToJsonLines) {
  const std::string cli = std::string("'") + SARVEXA_CLI_PATH + "'";
  struct Case {
    const char* input;
    const char* args;
    int code;
    std::size_t lines;
    const char* source;
  };
  const Case kCases[] = {
      {"date,time,zone,lon,lat\\n2000-01-01,17:30,05:30,077:12E,28:36N\\n", "", 0, 1, "good"},
      {"date,time,zone,lon,lat\\n2000-01-01,17:30,05:30,077:12E,28:36N\\nx,,,,\\n", "-", 1, 2,
       "one bad row, '-' for standard input"},
      {"date,time,zone,lon,lat\\n2000-01-01,17:30,05:30,077:12E,28:36N\\n", "--threads 0", 2, 0,
       "bad thread count"},
      {"when\\n", "", 2, 0, "unknown column"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.source);
    const BatchRun r = RunShell(std::string("printf '") + c.input + "' | " + cli +
                                " batch --now 2024-06-15T12:00 " + c.args);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_EQ(Lines(r.out).size(), c.lines);
    for (const std::string& line : Lines(r.out)) EXPECT_EQ(line.front(), '{');
  }
}

TEST(BatchProgram, CityColumnAgreesWithChartCity) {
  const std::string cli = std::string("'") + SARVEXA_CLI_PATH + "'";
  // Kolkata's +6:30 war time, and a row whose own zone overrides the atlas.
  const BatchRun batch = RunShell(
      std::string("printf 'first,date,time,city,zone\\nA,1943-06-01,12:00,Kolkata,\\n"
                  "B,1943-06-01,12:00,Kolkata,05:30\\nC,1943-06-01,12:00,Qwxzville,\\n' | ") +
      cli + " batch --now 2024-06-15T12:00");
  EXPECT_EQ(batch.code, 1) << batch.err;
  const std::vector<std::string> rows = Lines(batch.out);
  ASSERT_EQ(rows.size(), 3u);
  const std::string chart =
      " chart --date 1943-06-01 --time 12:00 --city Kolkata --now 2024-06-15T12:00 --json";
  EXPECT_EQ(Scalars(rows[0]), Scalars(RunShell(cli + chart + " --first A").out));
  EXPECT_EQ(Scalars(rows[1]), Scalars(RunShell(cli + chart + " --first B --zone 05:30").out));
  EXPECT_NE(rows[2].find("\"field\":\"city\""), std::string::npos) << rows[2];
}

TEST(BatchProgram, LoadsNoToolkitLibrary) {
  const BatchRun r = RunShell(std::string("ldd '") + SARVEXA_CLI_PATH + "'");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("libc.so"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("libQt"), std::string::npos) << r.out;
  // Nor glib, nor the zone library, nor the Swiss Ephemeris: each is opened
  // at its first use.
  for (const char* lib : {"libglib", "libdate-tz", "libswe"}) {
    EXPECT_EQ(r.out.find(lib), std::string::npos) << lib << '\n' << r.out;
  }
}

}  // namespace
}  // namespace sarvexa::cli
