#include "document/chart_sensitivity.h"

#include "analysis/theory_positions.h"

namespace sarvexa {

Result<BirthTimeSensitivity> ChartSensitivity(const ChartSnapshot& chart, int rangeHours) {
  const CastContext& context = chart.context;
  SensitivityRequest request;
  request.birth = chart.horoscope;
  request.clock = context.now;
  request.daysPerYear = context.conventions.dashaYearDays;
  request.rangeHours = rangeHours;
  if (context.theory == &BuiltinTheory()) {
    BuiltInPositions source;
    return FindBirthTimeSensitivity(request, source);
  }
  TheoryPositions source(*context.theory, context.conventions);
  Result<BirthTimeSensitivity> table = FindBirthTimeSensitivity(request, source);
  // The theory's own reason says more than the search's.
  if (source.failure()) return Fail(*source.failure());
  return table;
}

}  // namespace sarvexa
