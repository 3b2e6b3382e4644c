#pragma once
// The chart document: the one open chart and everything the program keeps
// about it for the whole run (names, chart record, dasha state, analysis,
// Prasna location, display settings, transit state), with the operations
// behind File > New, Edit > Chart Data, File > Current Prasna, Edit > Set
// Prasna Location, File > Open and File > Save. The application owns one.
//
// The clock (an instant: the present moment) and the settings store are
// passed in, so tests fix both. The present is read on the Prasna
// location's own clock wherever a local date and time is needed: the
// Prasna, the running period, the first-use dialog defaults.
// Questions to the user (save if modified?) and repainting belong to the
// caller; every operation here leaves the document consistent on return.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/sa_analysis.h"
#include "analysis/sa_transits.h"
#include "document/birth_steps.h"
#include "document/chart_data.h"
#include "document/chart_snapshot.h"
#include "document/page_choices.h"
#include "document/prasna.h"
#include "document/present.h"
#include "document/settings.h"
#include "document/settings_store.h"
#include "engine/conventions.h"
#include "engine/dasha.h"
#include "engine/horoscope.h"
#include "engine/result.h"

namespace sarvexa {

class Atlas;

class ChartDocument {
 public:
  /// Reads "Chart Style", "Color Chart", the five Prasna keys and the four
  /// conventions from `settings` (which must outlive the document). No
  /// chart is cast yet:
  /// call castPrasna() (start-up) or open() next.
  /// An empty `clock` reads the system clock.
  ChartDocument(SettingsStore& settings, InstantClock clock);
  /// Writes "Chart Style" and "Color Chart" back to the store.
  ~ChartDocument();
  ChartDocument(const ChartDocument&) = delete;
  ChartDocument& operator=(const ChartDocument&) = delete;

  // ---- the open chart (read by the pages and the exports) ----
  /// The open chart with its derivations, display choices and transit
  /// state, as one read-only record (a blank record while !hasChart()).
  const ChartSnapshot& snapshot() const { return chart_; }
  /// Changes whenever the snapshot may have changed, so a view can keep
  /// what it derived from one snapshot (a page's measured extent) until then.
  std::uint64_t revision() const { return revision_; }
  const std::string& firstName() const {
    return chart_.firstName;
  }                                                                ///< UTF-8; "Prasna" for a Prasna
  const std::string& lastName() const { return chart_.lastName; }  ///< UTF-8; empty for a Prasna
  const std::string& place() const { return chart_.place; }        ///< UTF-8
  /// IANA zone the chart's zone and DST were taken from; empty when they were
  /// typed by hand (or for a Prasna).
  const std::string& zoneName() const { return chart_.zoneName; }
  const Horoscope& horoscope() const { return chart_.horoscope; }
  double birthDayCount() const { return chart_.derivations.dashas.birthDayCount; }
  const DashaTable& dashaTable() const { return chart_.derivations.dashas.table; }
  /// The Maha/Bukti/Pratyantar at the Prasna location's clock reading of
  /// the present at the last refresh;
  /// nothing for a chart dated in the future.
  const std::optional<CurrentPeriod>& currentPeriod() const { return chart_.derivations.period; }
  const SaAnalysis& saAnalysis() const { return chart_.derivations.sa; }
  bool isPrasna() const { return chart_.isPrasna; }
  /// Whether a chart is open: false only until the first chart is cast,
  /// opened or entered (the Prasna at start may fail, e.g. under an
  /// ephemeris that cannot be loaded). Without one there is nothing to
  /// show, save, step or compare.
  bool hasChart() const { return hasChart_; }

  // ---- document state ----
  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }
  /// Path of the chart file, or the name given to a new chart ("First Last",
  /// "Prasna"); empty before the first chart.
  const std::string& pathName() const { return pathName_; }
  /// Window title: the file name of pathName() (without folders).
  std::string title() const;

  // ---- display settings (persisted) ----
  ChartStyle chartStyle() const { return chart_.chartStyle; }
  void setChartStyle(ChartStyle style);  ///< values other than North, South become None
  /// Whether the Rashi chart labels show their SA colours.
  bool colorCharts() const { return chart_.colorCharts; }
  void setColorCharts(bool on);

  // ---- Prasna location ----
  const PrasnaLocation& prasnaLocation() const { return prasnaLocation_; }
  /// The "Set Location for Prasna" dialog's values for the stored location.
  PrasnaLocationFields prasnaLocationDialogValues() const;
  /// OK of "Set Location for Prasna": checks the fields (nothing changes on
  /// a failure, which is returned), stores the location, writes the five
  /// Prasna keys and recasts the chart when a Prasna is shown (a Prasna that
  /// cannot be cast there is returned with an empty `field`, the location
  /// kept). The caller repaints when isPrasna() is true afterwards.
  Result<void, FieldError> setPrasnaLocation(const PrasnaLocationFields& fields);
  /// Takes `location` for this run only, without writing the settings (the
  /// computer's own zone at a first start with no location stored). The
  /// shown chart does not change.
  void usePrasnaLocationForRun(const PrasnaLocation& location) { prasnaLocation_ = location; }

  // ---- transit state (written by the SA transits command) ----
  const Horoscope& transitHoroscope() const { return chart_.transitHoroscope; }
  const SaTransitAnalysis& saTransitAnalysis() const { return chart_.transitAnalysis; }
  const TransitChoice& transitChoice() const { return transitChoice_; }
  /// True until the transit command has been used once in this run.
  bool transitFirstUse() const { return transitFirstUse_; }
  /// The choice the transit dialog opens with: the stored one, or at the
  /// first use the present moment at the Prasna location (offered, not
  /// stored), which ends the first use.
  TransitChoice openTransitChoice();
  /// Remembers `choice` as the stored one.
  void setTransitChoice(const TransitChoice& choice) { transitChoice_ = choice; }
  /// Computes the transit chart of `choice` and its comparison with the open
  /// chart, for the SA transits page, cast as the open chart was. A transit
  /// chart that cannot be cast leaves the last comparison as it was and
  /// says why.
  Result<void> applyTransit(const TransitChoice& choice);
  /// The transit dialog's opening values: openTransitChoice() as the dialog
  /// shows it (12-hour clock, magnitudes with their sides).
  TransitDialogValues openTransitDialog();
  /// The transit dialog closed: OK (`accepted`) stores its values as the
  /// choice; Cancel (nothing) takes the values it opened with, unstored.
  /// Either way the transit chart of that choice is computed (applyTransit).
  Result<void> closeTransitDialog(const std::optional<TransitDialogValues>& accepted);

  // ---- conventions (Edit > Calculation Settings) ----
  /// The conventions every chart is cast under: the stored ones, until
  /// others are taken.
  const Conventions& conventions() const { return conventions_; }
  /// What was wrong with the stored conventions, one line per key (see
  /// ReadConventionSettings); the front door tells them once.
  const std::vector<StoredProblem>& conventionProblems() const { return conventionProblems_; }
  /// The theories of the program (the Swiss Ephemeris lives above the
  /// document); without them only the built-in theory is known.
  void setTheories(TheoryFinder theories) { theories_ = std::move(theories); }
  /// OK of "Calculation Settings": casts the open chart (birth data and
  /// running period as they are) and the last transit chart again under
  /// `conventions`, takes them and writes the four keys. When a cast fails
  /// (a moment the ephemeris does not compute, a library that cannot be
  /// loaded) nothing changes and the reason is returned.
  Result<void> setConventions(const Conventions& conventions);
  /// The same for this run only, without writing the settings (the
  /// command-line options).
  Result<void> useConventionsForRun(const Conventions& conventions);

  // ---- ephemeris choice (the Ephemeris command) ----
  const EphemerisDialogValues& ephemerisChoice() const { return ephemerisChoice_; }
  /// The values the Ephemeris dialog opens with: the stored choice, or at
  /// the first use of the command in this run the present date, daily.
  EphemerisDialogValues openEphemerisDialog();
  /// The Ephemeris dialog closed: OK (`accepted`) stores its values and the
  /// page starts on their date; Cancel (nothing) starts it on the chart's own
  /// date, stepping by the stored choice's interval.
  EphemerisPageChoice closeEphemerisDialog(const std::optional<EphemerisDialogValues>& accepted);

  // ---- the clock ----
  /// The present instant, from the injected clock.
  Instant present() const { return clock_(); }
  /// The present on the Prasna location's own clock, seconds dropped.
  LocalClockReading now() const;
  /// Replaces the clock (a command-line tool fixes a written moment once it
  /// knows the location whose clock the moment was read on).
  void setClock(InstantClock clock);

  // ---- chart operations ----
  /// Every chart is cast through document/cast.h under the open chart's
  /// context (its theory and conventions) with the running period read at
  /// the present on the Prasna location's clock. A cast that fails changes
  /// nothing: the open chart stays as it was and the reason is returned.

  /// Dialog values for File > New: initial values with the current year.
  ChartDataFields newChartDialogValues() const;
  /// Dialog values for Edit > Chart Data: the open chart.
  ChartDataFields chartDataDialogValues() const;
  /// OK of File > New: checks (CheckChartData), casts, then stores names and
  /// the cast chart, names the chart "First Last", clears isPrasna, sets
  /// modified. On a failed check nothing changes and the first failure is
  /// returned; a failed cast is returned with an empty `field`.
  Result<void, FieldError> newChart(const ChartDataFields& fields);
  /// OK of Edit > Chart Data: as newChart but isPrasna keeps its value.
  Result<void, FieldError> editChartData(const ChartDataFields& fields);

  /// Casts the chart of the present instant at the Prasna location, on the
  /// location's own clock (seconds dropped): names "Prasna" and "",
  /// isPrasna set, title "Prasna", modified cleared. File > Current Prasna
  /// and start-up. A location whose zone came from the atlas takes the zone
  /// and DST in force at that instant (when an atlas is set). A Prasna that
  /// cannot be cast leaves the open chart as it was and says why.
  Result<void> castPrasna();
  /// The atlas for a Prasna location's zone; null (the default) keeps the
  /// stored zone and DST. `atlas` must outlive the document.
  void setAtlas(Atlas* atlas) { atlas_ = atlas; }

  /// Loads a chart file. On success the chart is cast from the stored
  /// birth data and `julianCenturies`, isPrasna and modified are cleared and
  /// pathName() becomes `path`. On failure the open chart stays exactly as
  /// it was and the message is returned.
  Result<void> open(const std::filesystem::path& path);
  /// Loads a chart file's bytes (as open(), without a path).
  Result<void> loadBytes(const std::string& bytes);

  /// Saves the open chart. The old file is replaced only after the new one
  /// has been written whole; on failure it is left as it was and the message
  /// is returned. On success modified is cleared, pathName() becomes `path`
  /// and the saved birth time becomes the entered one. Fails, writing
  /// nothing, when no chart is open.
  Result<void> save(const std::filesystem::path& path);
  /// The chart file's bytes for the open chart.
  std::string chartFileBytes() const;

  // ---- stepping the birth time (Edit > Birth Time Earlier, Later, Reset) ----
  /// The step of the next Earlier or Later; one minute at first.
  BirthStep birthStep() const { return birthStep_; }
  void setBirthStep(BirthStep step) { birthStep_ = step; }
  /// The birth data as last entered: typed in "Chart Data", opened, saved
  /// or cast as a Prasna. The open chart is this birth moved by
  /// birthOffset() minutes of clock time (zone and DST kept).
  const Horoscope& enteredBirth() const { return entered_; }
  std::int64_t birthOffset() const { return birthOffset_; }
  /// The outcome of a step.
  struct StepOutcome {
    bool stoppedAtEdge = false;  ///< the step went no further than the years allow
  };
  /// Moves the birth time one step later (`later`) or earlier, casting the
  /// chart as if the moved date and time were typed in "Chart Data" (with
  /// the open chart's context, so the running period keeps its clock): the
  /// zone and DST are kept, unless the chart's zone came from the atlas,
  /// whose zone and DST at the moved time it then takes (a clock time
  /// skipped or passed twice keeps the entered offset where it is one of
  /// the two, else takes the one before the change). A
  /// step past the years 1700..2300 stops at their edge (said in the
  /// outcome). A moved chart counts as modified; back at the entered time
  /// it is modified as it was before the first step. Fails, changing
  /// nothing, when no chart is open, the entered date lies outside those
  /// years or the cast fails.
  Result<StepOutcome> stepBirthTime(bool later);
  /// Back to the entered birth time (Edit > Reset Birth Time).
  void resetBirthTime();

 private:
  Result<void, FieldError> applyChartData(const ChartDataFields& fields);
  /// The context of a new cast under the conventions with the running
  /// period at `now`.
  Result<CastContext> contextAt(const LocalClockReading& now) const;
  /// setConventions without the write.
  Result<void> recastUnder(const Conventions& conventions);
  /// Takes a cast chart as the open chart's record and derivations.
  void takeCast(CastChart&& cast, const CastContext& context);
  /// The Prasna location's clock at the present instant.
  PrasnaClock prasnaClock() const;
  /// The open chart's birth data become the entered ones.
  void takeAsEntered();
  /// Casts the entered birth moved by `offset` minutes as the open chart.
  Result<void> moveBirthTo(std::int64_t offset);
  /// The entered birth moved by `offset` (non-zero) minutes of clock time,
  /// as "Chart Data" makes it of the moved date and time: a chart whose
  /// zone came from the atlas takes the zone and DST in force then.
  Horoscope movedBirth(std::int64_t offset) const;

  SettingsStore& settings_;
  InstantClock clock_;

  /// Every change of chart_ increments revision_ (see revision()).
  ChartSnapshot chart_;
  std::uint64_t revision_ = 0;
  bool hasChart_ = false;  ///< a cast has been taken (see hasChart())
  Atlas* atlas_ = nullptr;
  bool modified_ = false;
  std::string pathName_;

  PrasnaLocation prasnaLocation_;

  Conventions conventions_;
  std::vector<StoredProblem> conventionProblems_;
  TheoryFinder theories_;

  TransitChoice transitChoice_{};
  /// The choice of the transit chart shown, cast again with the chart
  /// (under new conventions, and at every step of the birth time).
  std::optional<TransitChoice> appliedTransit_;
  bool transitFirstUse_ = true;
  /// What the transit dialog opened with last, taken when it is cancelled.
  TransitDialogValues transitShown_{};
  EphemerisDialogValues ephemerisChoice_{};
  bool ephemerisFirstUse_ = true;

  Horoscope entered_{};
  std::int64_t birthOffset_ = 0;
  BirthStep birthStep_ = BirthStep::Minute;
  /// The modified flag when the birth time was last at its entered value.
  bool modifiedAtEntered_ = false;
};

}  // namespace sarvexa
