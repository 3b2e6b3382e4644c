#include "document/chart_document.h"

#include <cmath>

#include "document/atlas.h"
#include "document/cast.h"
#include "document/chart_file.h"
#include "document/settings.h"
#include "engine/birth_time.h"
#include "engine/calendar.h"
#include "engine/text_format.h"

namespace sarvexa {

namespace {

constexpr const char* kPrasnaName = "Prasna";
constexpr const char* kNoChart = "No chart is open.";

}  // namespace

ChartDocument::ChartDocument(SettingsStore& settings, InstantClock clock)
    : settings_(settings), clock_(clock ? std::move(clock) : InstantClock(ReadSystemInstant)) {
  const DisplaySettings display = ReadDisplaySettings(settings_);
  chart_.chartStyle = ChartStyleFromSetting(display.chartStyle);
  chart_.colorCharts = display.colorCharts;
  prasnaLocation_ = ReadPrasnaLocation(settings_);
  StoredConventions stored = ReadConventionSettings(settings_);
  conventions_ = stored.conventions;
  conventionProblems_ = std::move(stored.problems);
}

ChartDocument::~ChartDocument() {
  // A store that cannot be written loses only the display choice of this
  // run; there is nobody left to tell at exit.
  static_cast<void>(WriteDisplaySettings(
      settings_, DisplaySettings{ChartStyleSetting(chart_.chartStyle), chart_.colorCharts}));
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
  // A store that cannot be written tells the user itself, once (see
  // document/settings_file.h); the location holds for this run all the same.
  static_cast<void>(WritePrasnaLocation(settings_, fields));
  // The location is taken either way; a Prasna that cannot be cast there
  // (by the Swiss Ephemeris) is said, the chart shown kept.
  if (chart_.isPrasna) {
    if (Result<void> cast = castPrasna(); !cast) {
      FieldError failed;
      failed.message = cast.error();
      return Fail(std::move(failed));
    }
  }
  return {};
}

TransitChoice ChartDocument::openTransitChoice() {
  if (!transitFirstUse_) return transitChoice_;
  // The default is offered, not stored: only OK stores a choice.
  transitFirstUse_ = false;
  const PrasnaClock clock = prasnaClock();
  return DefaultTransitChoice(clock.reading, clock.location);
}

Result<void> ChartDocument::applyTransit(const TransitChoice& choice) {
  if (!hasChart()) return Fail(kNoChart);
  Result<TransitResult> r = ComputeTransit(chart_.horoscope, choice, chart_.context);
  if (!r) return Fail(r.error());
  chart_.transitHoroscope = r->transit;
  chart_.transitAnalysis = r->analysis;
  appliedTransit_ = choice;
  ++revision_;
  return Ok();
}

TransitDialogValues ChartDocument::openTransitDialog() {
  transitShown_ = TransitDialogFromChoice(openTransitChoice());
  return transitShown_;
}

Result<void> ChartDocument::closeTransitDialog(const std::optional<TransitDialogValues>& accepted) {
  const TransitChoice chosen = TransitChoiceFromDialog(accepted ? *accepted : transitShown_);
  if (accepted) transitChoice_ = chosen;
  return applyTransit(chosen);
}

Result<void> ChartDocument::setConventions(const Conventions& conventions) {
  if (Result<void> recast = recastUnder(conventions); !recast) return recast;
  // A store that cannot be written tells the user itself, once; the
  // conventions hold for this run all the same.
  static_cast<void>(WriteConventionSettings(settings_, conventions));
  return Ok();
}

Result<void> ChartDocument::useConventionsForRun(const Conventions& conventions) {
  return recastUnder(conventions);
}

Result<void> ChartDocument::recastUnder(const Conventions& conventions) {
  Result<CastContext> context = MakeCastContext(conventions, theories_, chart_.context.now);
  if (!context) return Fail(context.error());
  // Everything is cast before anything is taken, so a failure changes nothing.
  std::optional<CastChart> chart;
  std::optional<TransitResult> transit;
  if (hasChart()) {
    Result<CastChart> cast = CastRecord(chart_.horoscope, *context);
    if (!cast) return Fail(cast.error());
    if (appliedTransit_) {
      Result<TransitResult> t = ComputeTransit(cast->horoscope, *appliedTransit_, *context);
      if (!t) return Fail("the transit chart: " + t.error());
      transit = std::move(*t);
    }
    chart = std::move(*cast);
  }
  conventions_ = conventions;
  if (chart) takeCast(std::move(*chart), *context);
  if (transit) {
    chart_.transitHoroscope = transit->transit;
    chart_.transitAnalysis = transit->analysis;
  }
  return Ok();
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

Result<CastContext> ChartDocument::contextAt(const LocalClockReading& now) const {
  return MakeCastContext(conventions_, theories_, now);
}

void ChartDocument::takeCast(CastChart&& cast, const CastContext& context) {
  chart_.horoscope = cast.horoscope;
  chart_.derivations = std::move(cast.derivations);
  chart_.source = std::move(cast.source);
  chart_.context = context;
  hasChart_ = true;
  // Names, place, zone and the Prasna flag change only in operations that
  // take a cast, so this covers them too.
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
  Result<CheckedChartData, FieldError> checked = CheckChartData(fields);
  if (!checked) return Fail(checked.error());
  const Result<CastContext> context = contextAt(now());
  Result<CastChart> cast = context ? CastChartData(*checked, *context) : Fail(context.error());
  if (!cast) {
    FieldError failed;
    failed.message = cast.error();
    return Fail(std::move(failed));
  }
  const ChartDataFields& f = checked->fields();
  chart_.firstName = f.firstName;
  chart_.lastName = f.lastName;
  chart_.place = f.place;
  chart_.zoneName = f.zoneName;
  takeCast(std::move(*cast), *context);
  pathName_ = chart_.firstName + " " + chart_.lastName;
  modified_ = true;
  takeAsEntered();
  return {};
}

Result<void, FieldError> ChartDocument::newChart(const ChartDataFields& fields) {
  Result<void, FieldError> taken = applyChartData(fields);
  if (taken) chart_.isPrasna = false;
  return taken;
}

Result<void, FieldError> ChartDocument::editChartData(const ChartDataFields& fields) {
  return applyChartData(fields);
}

Result<void> ChartDocument::castPrasna() {
  // One reading of the clock for the chart and its running period.
  const PrasnaClock clock = prasnaClock();
  Horoscope birthData;
  SetPrasnaBirthData(clock.location, clock.reading, birthData);
  const Result<CastContext> context = contextAt(clock.reading);
  if (!context) return Fail(context.error());
  Result<CastChart> cast = CastRecord(birthData, *context);
  if (!cast) return Fail(cast.error());
  chart_.firstName = kPrasnaName;
  chart_.lastName.clear();
  chart_.place = prasnaLocation_.place;
  chart_.zoneName.clear();
  takeCast(std::move(*cast), *context);
  pathName_ = kPrasnaName;
  chart_.isPrasna = true;
  modified_ = false;
  takeAsEntered();
  return Ok();
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
  ChartFileRecord& r = *result;
  const Result<CastContext> context = contextAt(now());
  if (!context) return Fail(context.error());
  Result<CastChart> cast = CastRecord(r.horoscope, *context);
  if (!cast) return Fail(cast.error());
  // The file is whole and cast: only now does it replace the open chart.
  chart_.firstName = std::move(r.firstName);
  chart_.lastName = std::move(r.lastName);
  chart_.place = std::move(r.place);
  chart_.zoneName = std::move(r.zoneName);
  takeCast(std::move(*cast), *context);
  chart_.isPrasna = false;
  modified_ = false;
  takeAsEntered();
  return Ok();
}

std::string ChartDocument::chartFileBytes() const {
  return EncodeChartFile(ChartFileRecord{chart_.firstName, chart_.lastName, chart_.place,
                                         chart_.horoscope, chart_.zoneName});
}

Result<void> ChartDocument::save(const std::filesystem::path& path) {
  if (!hasChart()) return Fail(kNoChart);
  if (auto written = WriteFileReplacing(path, chartFileBytes()); !written) return written;
  modified_ = false;
  pathName_ = path.string();
  takeAsEntered();
  return Ok();
}

void ChartDocument::takeAsEntered() {
  entered_ = chart_.horoscope;
  birthOffset_ = 0;
  modifiedAtEntered_ = modified_;
}

Horoscope ChartDocument::movedBirth(std::int64_t offset) const {
  Horoscope moved = ShiftBirthTime(entered_, offset);
  if (!atlas_ || chart_.zoneName.empty()) return moved;
  const LocalClockReading at = ShiftedBirthClock(entered_, offset);
  const std::optional<LocalZoneInfo> info =
      atlas_->ZoneAt(chart_.zoneName, LocalMoment{at.year, at.month, at.day, at.hour, at.minute});
  if (!info) return moved;
  // The record counts the zone positive west; the saving puts the clock ahead.
  const double enteredOffsetHours = entered_.dst - entered_.zone;
  const bool keepsLater = info->kind != LocalTimeKind::Unique &&
                          info->after.offsetSeconds == std::lround(enteredOffsetHours * 3600);
  const ZoneFields z = ZoneFieldsFor(*info, chart_.zoneName, -entered_.longitude,
                                     keepsLater ? FoldChoice::Later : FoldChoice::Earlier);
  if (z.outOfRange) return moved;
  const int west = z.zoneEast ? -1 : 1;
  SetBirthTime(moved, at.hour, at.minute, west * z.zoneHours, west * z.zoneMinutes, z.dstHours, 0);
  return moved;
}

Result<void> ChartDocument::moveBirthTo(std::int64_t offset) {
  // The moved birth is the record the dialog makes of the moved date and
  // time (movedBirth); the entered one is cast as it was entered.
  const CastContext context = chart_.context;
  Result<CastChart> cast = CastRecord(offset == 0 ? entered_ : movedBirth(offset), context);
  if (!cast) return Fail(cast.error());
  if (birthOffset_ == 0) modifiedAtEntered_ = modified_;
  takeCast(std::move(*cast), context);
  birthOffset_ = offset;
  modified_ = offset == 0 ? modifiedAtEntered_ : true;
  // The last transit comparison follows the chart.
  if (appliedTransit_) {
    const TransitChoice again = *appliedTransit_;
    if (auto compared = applyTransit(again); !compared) return compared;
  }
  return Ok();
}

Result<ChartDocument::StepOutcome> ChartDocument::stepBirthTime(bool later) {
  if (!hasChart()) return Fail(kNoChart);
  const BirthOffsetRange range = SteppableOffsets(entered_);
  if (range.first > 0 || range.last < 0) {
    return Fail(FormatText("Only birth times in the years %d to %d can be stepped.",
                           kChartDataFirstYear, kChartDataLastYear));
  }
  const std::int64_t step = StepMinutes(birthStep_);
  std::int64_t target = birthOffset_ + (later ? step : -step);
  StepOutcome outcome;
  if (target < range.first || target > range.last) {
    target = target < range.first ? range.first : range.last;
    outcome.stoppedAtEdge = true;
  }
  if (target != birthOffset_) {
    if (auto moved = moveBirthTo(target); !moved) return Fail(moved.error());
  }
  return outcome;
}

void ChartDocument::resetBirthTime() {
  if (birthOffset_ != 0) static_cast<void>(moveBirthTo(0));
}

}  // namespace sarvexa
