#include "analysis/derivations.h"

namespace sarvexa {

ChartDerivations Derive(const Horoscope& h, const LocalClockReading& now) {
  ChartDerivations d;
  d.dashas = ComputeDashaTable(h);
  d.period = FindCurrentPeriod(d.dashas.table, d.dashas.birthDayCount, now);
  d.balance = BalanceAtBirth(d.dashas, dasha::kDaysPerYear);
  d.sa = AnalyseChart(h);
  return d;
}

}  // namespace sarvexa
