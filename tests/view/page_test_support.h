#pragma once
// Shared set-up of the page tests: the worked chart (1 January 2000, 17:30,
// zone 5:30 East, no daylight saving, 77 deg 12 min East, 28 deg 36 min North)
// entered through the chart document with a fixed clock, and small lookups in
// a recording canvas.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/chart_document.h"
#include "document/settings_store.h"
#include "tests/support/worked_chart_fields.h"
#include "view/recording_canvas.h"

namespace sarvexa::page_test {

/// The clock of every page test: 15 June 2024, 12:00.
inline LocalClockReading FixedClock() { return LocalClockReading{2024, 6, 15, 12, 0}; }

/// The instant at which the clock of the Prasna location of an empty store
/// (the default location) shows `reading`.
inline Instant AtDefaultPrasnaClock(const LocalClockReading& reading) {
  return PrasnaInstantOf(PrasnaLocation{}, reading, nullptr);
}

/// A document holding the worked chart in the given style and colour choice.
struct WorkedDocument {
  MemorySettingsStore store;
  std::unique_ptr<ChartDocument> doc;

  explicit WorkedDocument(int style = 1, int colour = 0, LocalClockReading clock = FixedClock()) {
    doc = std::make_unique<ChartDocument>(store, [clock] { return AtDefaultPrasnaClock(clock); });
    const auto taken = doc->newChart(test_support::WorkedChartFields());
    EXPECT_TRUE(taken.ok()) << (taken ? "" : taken.error().message);
    doc->setChartStyle(ChartStyleFromSetting(style));
    doc->setColorCharts(colour);
  }
};

/// Texts recorded that start with `prefix`, in drawing order.
inline std::vector<RecordedText> TextsStartingWith(const RecordingCanvas& c,
                                                   const std::string& prefix) {
  std::vector<RecordedText> out;
  for (const auto& t : c.Texts()) {
    if (t.text.rfind(prefix, 0) == 0) out.push_back(t);
  }
  return out;
}

/// The recorded text equal to `text`; fails the test when it is missing.
inline RecordedText TextAt(const RecordingCanvas& c, const std::string& text) {
  const RecordedText* t = c.FindText(text);
  EXPECT_NE(t, nullptr) << "missing text: " << text;
  return t ? *t : RecordedText{};
}

/// Index of the first recorded text equal to `text`, or -1.
inline int IndexOfText(const RecordingCanvas& c, const std::string& text) {
  for (std::size_t i = 0; i < c.Texts().size(); ++i) {
    if (c.Texts()[i].text == text) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace sarvexa::page_test
