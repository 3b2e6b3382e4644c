#include "analysis/derivations.h"

#include <cassert>

namespace sarvexa {

const VargaSignArray& VargaSignTable::of(int division) const {
  for (std::size_t i = 0; i < std::size(kPrintDivisions); ++i) {
    if (kPrintDivisions[i] == division) return byPrintOrder[i];
  }
  assert(false && "a division the program does not show");
  return byPrintOrder[0];
}

ChartDerivations Derive(const Horoscope& h, const LocalClockReading& now, double dashaYearDays) {
  ChartDerivations d;
  d.dashas = ComputeDashaTable(h, dashaYearDays);
  d.period = FindCurrentPeriod(d.dashas.table, d.dashas.birthDayCount, now, dashaYearDays);
  d.balance = BalanceAtBirth(d.dashas, dashaYearDays);
  d.sa = AnalyseChart(h);
  for (std::size_t i = 0; i < std::size(kPrintDivisions); ++i)
    VargaSigns(h, d.vargas.byPrintOrder[i], kPrintDivisions[i]);
  return d;
}

}  // namespace sarvexa
