#include "document/chart_document.h"

#include "document/atlas.h"
#include "document/chart_file.h"
#include "document/settings.h"
#include "engine/chart_calculation.h"

namespace sarvexa {

namespace {

constexpr const char* kPrasnaName = "Prasna";

LocalClockReading DefaultClock() { return ReadSystemLocalClock(); }

}  // namespace

ChartDocument::ChartDocument(SettingsStore& settings, LocalClock clock)
    : settings_(settings), clock_(clock ? std::move(clock) : LocalClock(DefaultClock)) {
  const DisplaySettings display = ReadDisplaySettings(settings_);
  chartStyle_ = display.chartStyle;
  colorCharts_ = display.colorCharts;
  prasnaLocation_ = ReadPrasnaLocation(settings_);
}

ChartDocument::~ChartDocument() {
  // A store that cannot be written loses only the display choice of this
  // run; there is nobody left to tell at exit.
  WriteDisplaySettings(settings_, DisplaySettings{chartStyle_, colorCharts_});
}

std::string ChartDocument::title() const {
  const std::filesystem::path p(pathName_);
  return p.has_filename() ? p.filename().string() : pathName_;
}

void ChartDocument::setChartStyle(int style) {
  chartStyle_ = (style == chart_style::North || style == chart_style::South) ? style
                                                                            : chart_style::None;
}

void ChartDocument::setColorCharts(int on) { colorCharts_ = on == 1 ? 1 : 0; }

PrasnaLocationFields ChartDocument::prasnaLocationDialogValues() const {
  return PrasnaLocationToFields(prasnaLocation_);
}

std::optional<FieldError> ChartDocument::setPrasnaLocation(const PrasnaLocationFields& fields) {
  if (auto error = ValidatePrasnaLocation(fields)) return error;
  prasnaLocation_ = PrasnaLocationFromFields(fields);
  WritePrasnaLocation(settings_, fields);
  if (isPrasna_) castPrasna();
  return std::nullopt;
}

void ChartDocument::setTransit(const Horoscope& transit, const SaTransitAnalysis& analysis) {
  transitHoroscope_ = transit;
  saTransitAnalysis_ = analysis;
}

LocalClockReading ChartDocument::now() const { return clock_(); }

void ChartDocument::RefreshChart() {
  CalculateHoroscope(horoscope_);
  dasha_ = ComputeDashaTable(horoscope_);
  currentPeriod_ = FindCurrentPeriod(dasha_.table, dasha_.birthDayCount, now());
  SaAnalyzer analyzer(horoscope_, saAnalysis_);
}

ChartDataFields ChartDocument::newChartDialogValues() const {
  return NewChartDialogValues(now().year);
}

ChartDataFields ChartDocument::chartDataDialogValues() const {
  ChartDataFields f = RecordToChartData(horoscope_, firstName_, lastName_, place_);
  f.zoneName = zoneName_;
  return f;
}

std::optional<FieldError> ChartDocument::applyChartData(const ChartDataFields& fields) {
  if (auto error = ValidateChartData(fields)) return error;
  firstName_ = fields.firstName;
  lastName_ = fields.lastName;
  place_ = fields.place;
  zoneName_ = fields.zoneName;
  ChartDataToRecord(fields, horoscope_);
  RefreshChart();
  pathName_ = firstName_ + " " + lastName_;
  modified_ = true;
  return std::nullopt;
}

std::optional<FieldError> ChartDocument::newChart(const ChartDataFields& fields) {
  if (auto error = ValidateChartData(fields)) return error;
  isPrasna_ = false;
  return applyChartData(fields);
}

std::optional<FieldError> ChartDocument::editChartData(const ChartDataFields& fields) {
  return applyChartData(fields);
}

void ChartDocument::castPrasna() {
  firstName_ = kPrasnaName;
  lastName_.clear();
  place_ = prasnaLocation_.place;
  zoneName_.clear();
  const LocalClockReading clock = now();
  PrasnaLocation location = prasnaLocation_;
  if (atlas_ && !location.zoneName.empty()) {
    const LocalMoment moment{clock.year, clock.month, clock.day, clock.hour, clock.minute};
    if (const auto info = atlas_->ZoneAt(location.zoneName, moment)) {
      // In the doubled hour of a fall-back change the clock is read as the
      // later (standard) time, the one in force from then on.
      const ZoneFields zone =
          ZoneFieldsFor(*info, location.zoneName, PrasnaLongitudeEast(location),
                        info->kind == LocalTimeKind::Unique ? FoldChoice::Unresolved
                                                            : FoldChoice::Later);
      location = WithZoneFields(location, zone);
    }
  }
  SetPrasnaBirthData(location, clock, horoscope_);
  RefreshChart();
  pathName_ = kPrasnaName;
  isPrasna_ = true;
  modified_ = false;
}

std::optional<std::string> ChartDocument::open(const std::filesystem::path& path) {
  std::string bytes;
  if (auto error = ReadFileBytes(path, bytes)) return error;
  if (auto error = loadBytes(bytes)) return error;
  pathName_ = path.string();
  return std::nullopt;
}

std::optional<std::string> ChartDocument::loadBytes(const std::string& bytes) {
  ChartFileReadResult result = DecodeChartFile(bytes);
  if (!result.record) return result.error;
  // The file is whole: only now does it replace the open chart.
  ChartFileRecord& r = *result.record;
  firstName_ = std::move(r.firstName);
  lastName_ = std::move(r.lastName);
  place_ = std::move(r.place);
  zoneName_ = std::move(r.zoneName);
  horoscope_ = r.horoscope;
  RefreshChart();
  isPrasna_ = false;
  modified_ = false;
  return std::nullopt;
}

std::string ChartDocument::chartFileBytes() const {
  return EncodeChartFile(ChartFileRecord{firstName_, lastName_, place_, horoscope_, zoneName_});
}

std::optional<std::string> ChartDocument::save(const std::filesystem::path& path) {
  if (auto error = WriteFileReplacing(path, chartFileBytes())) return error;
  modified_ = false;
  pathName_ = path.string();
  return std::nullopt;
}

}  // namespace sarvexa
