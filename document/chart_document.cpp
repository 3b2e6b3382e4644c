#include "document/chart_document.h"

#include "document/atlas.h"
#include "document/chart_file.h"
#include "document/settings.h"
#include "engine/chart_calculation.h"

namespace sarvexa {

namespace {

constexpr const char* kPrasnaName = "Prasna";

}  // namespace

ChartDocument::ChartDocument(SettingsStore& settings, InstantClock clock)
    : settings_(settings), clock_(clock ? std::move(clock) : InstantClock(ReadSystemInstant)) {
  const DisplaySettings display = ReadDisplaySettings(settings_);
  chart_.chartStyle = ChartStyleFromSetting(display.chartStyle);
  chart_.colorCharts = display.colorCharts;
  prasnaLocation_ = ReadPrasnaLocation(settings_);
}

ChartDocument::~ChartDocument() {
  // A store that cannot be written loses only the display choice of this
  // run; there is nobody left to tell at exit.
  WriteDisplaySettings(settings_,
                       DisplaySettings{ChartStyleSetting(chart_.chartStyle), chart_.colorCharts});
}

std::string ChartDocument::title() const {
  const std::filesystem::path p(pathName_);
  return p.has_filename() ? p.filename().string() : pathName_;
}

void ChartDocument::setChartStyle(ChartStyle style) {
  chart_.chartStyle = ChartStyleFromSetting(ChartStyleSetting(style));
  ++revision_;
}

void ChartDocument::setColorCharts(bool on) {
  chart_.colorCharts = on;
  ++revision_;
}

PrasnaLocationFields ChartDocument::prasnaLocationDialogValues() const {
  return PrasnaLocationToFields(prasnaLocation_);
}

Result<void, FieldError> ChartDocument::setPrasnaLocation(const PrasnaLocationFields& fields) {
  if (auto checked = ValidatePrasnaLocation(fields); !checked) return Fail(checked.error());
  prasnaLocation_ = PrasnaLocationFromFields(fields);
  WritePrasnaLocation(settings_, fields);
  if (chart_.isPrasna) castPrasna();
  return {};
}

TransitChoice ChartDocument::openTransitChoice() {
  if (!transitFirstUse_) return transitChoice_;
  // The default is offered, not stored: only OK stores a choice.
  transitFirstUse_ = false;
  const PrasnaClock clock = prasnaClock();
  return DefaultTransitChoice(clock.reading, clock.location);
}

void ChartDocument::applyTransit(const TransitChoice& choice) {
  TransitResult r = ComputeTransit(chart_.horoscope, choice);
  chart_.transitHoroscope = r.transit;
  chart_.transitAnalysis = r.analysis;
  ++revision_;
}

TransitDialogValues ChartDocument::openTransitDialog() {
  transitShown_ = TransitDialogFromChoice(openTransitChoice());
  return transitShown_;
}

void ChartDocument::closeTransitDialog(const std::optional<TransitDialogValues>& accepted) {
  const TransitChoice chosen = TransitChoiceFromDialog(accepted ? *accepted : transitShown_);
  if (accepted) transitChoice_ = chosen;
  applyTransit(chosen);
}

EphemerisDialogValues ChartDocument::openEphemerisDialog() {
  if (ephemerisFirstUse_) {
    ephemerisChoice_ = DefaultEphemerisChoice(now());
    ephemerisFirstUse_ = false;
  }
  return ephemerisChoice_;
}

EphemerisPageChoice ChartDocument::closeEphemerisDialog(
    const std::optional<EphemerisDialogValues>& accepted) {
  if (!accepted) return EphemerisPageChoice{0, ephemerisChoice_.interval};
  ephemerisChoice_ = *accepted;
  return EphemerisPageOf(*accepted);
}

PrasnaClock ChartDocument::prasnaClock() const {
  return PrasnaClockAt(prasnaLocation_, present(), atlas_);
}

LocalClockReading ChartDocument::now() const { return prasnaClock().reading; }

void ChartDocument::setClock(InstantClock clock) {
  clock_ = clock ? std::move(clock) : InstantClock(ReadSystemInstant);
}

void ChartDocument::RefreshChart() { refreshAt(now()); }

void ChartDocument::refreshAt(const LocalClockReading& now) {
  CalculateHoroscope(chart_.horoscope);
  chart_.derivations = Derive(chart_.horoscope, now);
  // Names, place, zone and the Prasna flag change only in operations that
  // refresh the chart, so this covers them too.
  ++revision_;
}

ChartDataFields ChartDocument::newChartDialogValues() const {
  return NewChartDialogValues(now().year);
}

ChartDataFields ChartDocument::chartDataDialogValues() const {
  ChartDataFields f =
      RecordToChartData(chart_.horoscope, chart_.firstName, chart_.lastName, chart_.place);
  f.zoneName = chart_.zoneName;
  return f;
}

Result<void, FieldError> ChartDocument::applyChartData(const ChartDataFields& fields) {
  if (auto checked = ValidateChartData(fields); !checked) return Fail(checked.error());
  chart_.firstName = fields.firstName;
  chart_.lastName = fields.lastName;
  chart_.place = fields.place;
  chart_.zoneName = fields.zoneName;
  ChartDataToRecord(fields, chart_.horoscope);
  RefreshChart();
  pathName_ = chart_.firstName + " " + chart_.lastName;
  modified_ = true;
  return {};
}

Result<void, FieldError> ChartDocument::newChart(const ChartDataFields& fields) {
  if (auto checked = ValidateChartData(fields); !checked) return Fail(checked.error());
  chart_.isPrasna = false;
  return applyChartData(fields);
}

Result<void, FieldError> ChartDocument::editChartData(const ChartDataFields& fields) {
  return applyChartData(fields);
}

void ChartDocument::castPrasna() {
  chart_.firstName = kPrasnaName;
  chart_.lastName.clear();
  chart_.place = prasnaLocation_.place;
  chart_.zoneName.clear();
  // One reading of the clock for the chart and its running period.
  const PrasnaClock clock = prasnaClock();
  SetPrasnaBirthData(clock.location, clock.reading, chart_.horoscope);
  refreshAt(clock.reading);
  pathName_ = kPrasnaName;
  chart_.isPrasna = true;
  modified_ = false;
}

Result<void> ChartDocument::open(const std::filesystem::path& path) {
  const Result<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return Fail(bytes.error());
  if (auto loaded = loadBytes(*bytes); !loaded) return loaded;
  pathName_ = path.string();
  return Ok();
}

Result<void> ChartDocument::loadBytes(const std::string& bytes) {
  Result<ChartFileRecord> result = DecodeChartFile(bytes);
  if (!result) return Fail(result.error());
  // The file is whole: only now does it replace the open chart.
  ChartFileRecord& r = *result;
  chart_.firstName = std::move(r.firstName);
  chart_.lastName = std::move(r.lastName);
  chart_.place = std::move(r.place);
  chart_.zoneName = std::move(r.zoneName);
  chart_.horoscope = r.horoscope;
  RefreshChart();
  chart_.isPrasna = false;
  modified_ = false;
  return Ok();
}

std::string ChartDocument::chartFileBytes() const {
  return EncodeChartFile(ChartFileRecord{chart_.firstName, chart_.lastName, chart_.place,
                                         chart_.horoscope, chart_.zoneName});
}

Result<void> ChartDocument::save(const std::filesystem::path& path) {
  if (auto written = WriteFileReplacing(path, chartFileBytes()); !written) return written;
  modified_ = false;
  pathName_ = path.string();
  return Ok();
}

}  // namespace sarvexa
