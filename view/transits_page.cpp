#include "view/transits_page.h"

#include <cmath>

#include "document/chart_snapshot.h"
#include "engine/calendar.h"
#include "view/chart_drawing.h"
#include "view/display.h"
#include "view/info_panel.h"
#include "view/page_format.h"
#include "view/pages.h"
#include "view/text_fit.h"

namespace sarvexa {

int TransitHouseAspects(GrahaIndex g) {
  constexpr int kMasks[graha::kCount] = {
      0,                                // Ascendant: not a transiting graha
      1 << 7,                           // Sun
      1 << 7,                           // Moon
      (1 << 4) | (1 << 7) | (1 << 8),   // Mars
      1 << 7,                           // Mercury
      (1 << 5) | (1 << 7) | (1 << 9),   // Jupiter
      1 << 7,                           // Venus
      (1 << 3) | (1 << 7) | (1 << 10),  // Saturn
      (1 << 5) | (1 << 9),              // Rahu
      (1 << 5) | (1 << 9),              // Ketu
  };
  return g >= 0 && g < graha::kCount ? kMasks[g] : 0;
}

std::string DailyMotionText(double degreesPerDay) {
  double magnitude = std::isfinite(degreesPerDay) ? std::fabs(degreesPerDay) : 0.0;
  if (magnitude > 1e6) magnitude = 1e6;
  int whole = static_cast<int>(magnitude);
  int minutes = static_cast<int>((magnitude - whole) * 60.0 + 0.5);
  // Rounding the minutes can reach a full degree; carry it so 0.9999 shows
  // as 1 degree 00 minutes, not 0 degrees 60 minutes.
  if (minutes >= 60) {
    whole += 1;
    minutes -= 60;
  }
  return FormatText(degreesPerDay < 0 ? "-%d\u00B0 %02d'" : "%d\u00B0 %02d'", whole, minutes);
}

namespace {

/// trunc(100 - 20 x s) for a closeness s of 0..5 degrees; 0 at the orb and
/// beyond (an exact 5 degrees must not read as an exact hit).
int PercentOfCloseness(double s) {
  if (!std::isfinite(s) || s >= 5.0) return 0;
  if (s <= 0.0) return 100;
  return static_cast<int>(100.0 - 20.0 * s);
}

}  // namespace

int TransitConjunctionPercent(double natalLon, double transitLon) {
  return PercentOfCloseness(circularSeparation(natalLon, transitLon));
}

int TransitAspectPercent(double natalLon, double transitLon) {
  const double o = std::fmod(natalLon, 30.0) - std::fmod(transitLon, 30.0);
  // The degrees within the signs, also across a sign boundary (29 and 1).
  const double q = std::fabs(o) <= 5.0 ? std::fabs(o) : 30.0 - std::fabs(o);
  return PercentOfCloseness(std::fabs(q));
}

std::vector<std::string> TransitLines(const Horoscope& natal, const Horoscope& transit,
                                      const SaTransitAnalysis& analysis, GrahaIndex t) {
  std::vector<std::string> lines;
  if (t < graha::Sun || t > graha::Ketu) return lines;
  const std::size_t slot = static_cast<std::size_t>(t - 1);
  const double transitLon = transit.positions[static_cast<std::size_t>(t)].longitude;

  lines.push_back(FormatText("%s (speed: ", kGrahaFullNames[t - 1]) +
                  DailyMotionText(transit.positions[static_cast<std::size_t>(t)].dailyMotion) +
                  " ) : ");

  const int c = analysis.transitHouse[slot];
  if (c >= 0 && c < 12) {
    std::string line =
        FormatText("Conjunct house %d MEP %d%% ", c + 1, analysis.transitHouseStrength[slot]);
    const int aspects = TransitHouseAspects(t);
    for (int j = 3; j <= 10; ++j) {
      if ((aspects & (1 << j)) == 0) continue;
      int house = c + j;
      if (house > 12) house -= 12;
      line += FormatText(" Asp house %d MEP ", house);
    }
    lines.push_back(std::move(line));
  }

  const auto natalList = [&](const char* heading, GrahaSet set, bool aspect) {
    std::string line = heading;
    for (GrahaIndex n = graha::Sun; n <= graha::Ketu; ++n) {
      if (!Contains(set, n)) continue;
      const double natalLon = natal.positions[static_cast<std::size_t>(n)].longitude;
      const int p = aspect ? TransitAspectPercent(natalLon, transitLon)
                           : TransitConjunctionPercent(natalLon, transitLon);
      line += FormatText("%s %d%% ", kGrahaShortNames[n - 1], p);
    }
    return line;
  };
  if (analysis.natalConjunctions[slot] != 0) {
    lines.push_back(natalList("Conjunt Natal: ", analysis.natalConjunctions[slot], false));
  }
  if (analysis.natalAspects[slot] != 0) {
    lines.push_back(natalList("Aspect Natal: ", analysis.natalAspects[slot], true));
  }
  return lines;
}

std::string TransitMomentText(const Horoscope& transit) {
  const CivilDate date = DateFromDayNumber(transit.julianDay);
  const WholeAndMinutes clock =
      SplitDegreesRounded(transit.universalTime - transit.zone + transit.dst);
  return MonthDayYearText(date) + FormatText(" %02d:%02d", clock.whole, clock.minutes);
}

void DrawTransitsPageScreen(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Screen, FontId::Screen14, 1);
  const int bigLine = canvas.LineHeight();
  canvas.TextOut(20, 2,
                 FitTextToWidth(canvas,
                                FormatText("Current Transits for %s %s", snap.firstName.c_str(),
                                           snap.lastName.c_str()),
                                PageTextRightEdge(canvas) - 20));
  int y = bigLine + 2;
  canvas.SelectFont(FontId::Screen12);
  const int h = canvas.LineHeight();
  for (GrahaIndex t = graha::Sun; t <= graha::Ketu; ++t) {
    const auto lines = TransitLines(snap.horoscope, snap.transitHoroscope, snap.transitAnalysis, t);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      canvas.TextOut(i == 0 ? 30 : 40, y, lines[i]);
      y += h;
    }
  }
}

void DrawTransitsPagePrint(Canvas& canvas, const ChartSnapshot& snap) {
  PageStateGuard guard(canvas, Mapping::Print, FontId::Print240, 4);
  const int h = canvas.LineHeight();
  canvas.TextOut(720, -400, "CURRENT TRANSITS FOR:");
  int y = DrawInfoPanel(canvas, 720, -400 - h, snap) - 2 * h;
  for (GrahaIndex t = graha::Sun; t <= graha::Ketu; ++t) {
    const auto lines = TransitLines(snap.horoscope, snap.transitHoroscope, snap.transitAnalysis, t);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      canvas.TextOut(i == 0 ? 720 : 920, y, lines[i]);
      y -= h;
    }
  }

  y -= 2 * h;
  canvas.TextOut(720, y, "Natal Chart");
  canvas.TextOut(5320, y, "Transit Chart");
  y -= h;
  canvas.TextOut(5320, y, TransitMomentText(snap.transitHoroscope));
  y -= h;

  canvas.SelectFont(FontId::Print160);
  const int g = canvas.LineHeight();
  y -= 4000;
  const ChartColours colours = RashiChartColours(snap);
  const ChartFrame natalFrame = DrawChartFrame(canvas, snap.chartStyle, 720, y, 4000, 4000, g);
  PlaceGrahasWithDegrees(canvas, natalFrame, RashiSignsOf(snap.horoscope), snap.horoscope, colours);
  const ChartFrame transitFrame = DrawChartFrame(canvas, snap.chartStyle, 5320, y, 4000, 4000, g);
  PlaceGrahasWithDegrees(canvas, transitFrame, RashiSignsOf(snap.transitHoroscope),
                         snap.transitHoroscope, colours);
}

}  // namespace sarvexa
