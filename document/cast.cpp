#include "document/cast.h"

#include <utility>

namespace sarvexa {
namespace {

Result<CastChart> Cast(const Horoscope& birthData, const CastContext& context, CastDepth depth) {
  CastChart chart;
  chart.horoscope = birthData;
  Result<PositionSource> source = CastPositions(chart.horoscope, context);
  if (!source) return Fail(source.error());
  chart.source = std::move(*source);
  if (depth == CastDepth::Everything) {
    chart.derivations = Derive(chart.horoscope, context.now, context.conventions.dashaYearDays);
  }
  return chart;
}

}  // namespace

Result<CastContext> MakeCastContext(const Conventions& conventions, const TheoryFinder& find,
                                    const LocalClockReading& now) {
  if (Result<void> fits = CheckConventions(conventions); !fits) return Fail(fits.error());
  const PositionTheory* theory = find ? find(conventions.ephemeris)
                                 : conventions.ephemeris == EphemerisKind::Builtin
                                     ? &BuiltinTheory()
                                     : nullptr;
  if (!theory) {
    return Fail("this program cannot compute with the " +
                std::string(conventions.ephemeris == EphemerisKind::Swiss ? "Swiss Ephemeris"
                                                                          : "chosen ephemeris"));
  }
  return CastContext{now, conventions, theory};
}

Result<PositionSource> CastPositions(Horoscope& h, const CastContext& context) {
  return context.theory->Calculate(h, context.conventions);
}

Result<CastChart> CastRecord(const Horoscope& birthData, const CastContext& context) {
  return Cast(birthData, context, CastDepth::Everything);
}

Result<CastChart> CastChartData(const CheckedChartData& data, const CastContext& context,
                                CastDepth depth) {
  Horoscope birthData;
  ChartDataToRecord(data.fields(), birthData);
  return Cast(birthData, context, depth);
}

}  // namespace sarvexa
