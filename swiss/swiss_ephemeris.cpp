// The Swiss Ephemeris adapter: the module opened once for the whole run, a
// chart's moment and place turned into the module's query, and its answer
// into the chart record (see swiss_ephemeris.h).
#include "swiss/swiss_ephemeris.h"

#include "loader/module_loader.h"
#include "swiss/swiss_module.h"

namespace sarvexa {
namespace {

static_assert(kAyanamsaNames.size() == SARVEXA_SWISS_AYANAMSA_COUNT,
              "the module numbers the ayanamsas as the engine does");

// JD 2451545.0, the epoch of the chart's Julian centuries.
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;

struct SwissModule {
  int (*chart)(const SarvexaSwissQuery*, SarvexaSwissChart*, char*, size_t) = nullptr;
  void (*range)(double*, double*) = nullptr;
  std::string version;
};

// The module, opened at the first question and kept for the rest of the
// run, or why it cannot be opened.
const Result<SwissModule>& Module() {
  static const Result<SwissModule> module = []() -> Result<SwissModule> {
    SwissModule m;
    void (*version)(char*, size_t) = nullptr;
    const Result<void*> handle =
        OpenModule({SARVEXA_SWISS_MODULE_FILE, "the Swiss Ephemeris module",
                    "sarvexa_swiss_interface_version", SARVEXA_SWISS_INTERFACE_VERSION},
                   [&](void* h) {
                     return ResolveSymbol(h, "sarvexa_swiss_chart", m.chart) &&
                            ResolveSymbol(h, "sarvexa_swiss_range", m.range) &&
                            ResolveSymbol(h, "sarvexa_swiss_library_version", version);
                   });
    if (!handle) return Fail(handle.error());
    char text[SARVEXA_SWISS_TEXT_SIZE] = "";
    version(text, sizeof text);
    m.version = text;
    return m;
  }();
  return module;
}

class SwissEphemeris final : public PositionTheory {
 public:
  explicit SwissEphemeris(std::string ephemerisDir) : ephemerisDir_(std::move(ephemerisDir)) {}

  Result<PositionSource> Calculate(Horoscope& h, const Conventions& conventions) const override {
    const Result<SwissModule>& module = Module();
    if (!module) return Fail(module.error());

    SarvexaSwissQuery query{};
    query.jdUt = kJ2000 + h.julianCenturies * kDaysPerCentury;
    query.eastLongitudeDeg = -h.longitude;  // the chart keeps west positive
    query.latitudeDeg = h.latitude;
    query.ayanamsa = static_cast<int>(conventions.ayanamsa);
    query.meanNode = conventions.node == NodeKind::Mean ? 1 : 0;
    query.ephemerisDir = ephemerisDir_.c_str();
    SarvexaSwissChart chart;
    char error[SARVEXA_SWISS_TEXT_SIZE] = "";
    if (!module->chart(&query, &chart, error, sizeof error)) return Fail(std::string(error));

    EphemerisPositions positions;
    positions.ayanamsaDeg = chart.ayanamsaDeg;
    positions.ascendantDeg = chart.ascendantDeg;
    for (int k = 0; k < SARVEXA_SWISS_BODY_COUNT; ++k) {
      positions.longitudeDeg[k] = chart.longitudeDeg[k];
      positions.speedDegPerDay[k] = chart.speedDegPerDay[k];
    }
    StoreEphemerisPositions(positions, h);

    PositionSource source;
    source.ephemeris = EphemerisKind::Swiss;
    source.version = module->version;
    for (const char* file : {chart.planetFile, chart.moonFile}) {
      if (file[0]) source.files.emplace_back(file);
    }
    source.analytical = chart.analytical != 0;
    source.missingFile = chart.missingFile;
    return source;
  }

 private:
  std::string ephemerisDir_;
};

}  // namespace

std::unique_ptr<PositionTheory> OpenSwissEphemeris(std::string ephemerisDir) {
  return std::make_unique<SwissEphemeris>(std::move(ephemerisDir));
}

const PositionTheory* PositionTheoryFor(EphemerisKind ephemeris) {
  if (ephemeris != EphemerisKind::Swiss) return &BuiltinTheory();
  static const std::unique_ptr<PositionTheory> swiss = OpenSwissEphemeris();
  return swiss.get();
}

Result<JulianDayRange> SwissEphemerisRange() {
  const Result<SwissModule>& module = Module();
  if (!module) return Fail(module.error());
  JulianDayRange r;
  module->range(&r.first, &r.end);
  return r;
}

}  // namespace sarvexa
