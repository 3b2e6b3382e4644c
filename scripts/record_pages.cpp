// record-pages: opens chart files and prints, for every page of the chart
// window, the drawing calls a RecordingCanvas receives. Used by
// scripts/compare-outputs to prove that two builds draw the same pages.
//
//   record-pages [--full] --now YYYY-MM-DDTHH:MM FILE.svx...
//
// Each page gives one line "FILE PAGE HASH LINES" (FNV-1a of the log), or
// with --full the page header followed by the whole log.
//
// The program is compiled by compare-outputs against the libraries of each
// build it compares, so it is written to compile against every revision it
// may meet: it reaches the document and the pages only through calls whose
// form it checks at compile time.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "document/chart_document.h"
#include "document/settings_store.h"
#include "view/display.h"
#include "view/recording_canvas.h"

namespace {

using namespace sarvexa;

std::uint64_t Fnv1a(const std::string& text) {
  std::uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

template <class R>
bool Failed(const R& result) {
  if constexpr (std::is_same_v<R, std::optional<std::string>>) {
    return result.has_value();
  } else {
    return !result.ok();
  }
}

template <class Doc, class State>
void Draw(Canvas& canvas, const Doc& doc, const State& state, bool print) {
  if constexpr (requires { doc.snapshot(); }) {
    if (print) {
      DrawPrintPage(canvas, doc.snapshot(), state);
    } else {
      DrawScreenPage(canvas, doc.snapshot(), state);
    }
  } else {
    if (print) {
      DrawPrintPage(canvas, doc, state);
    } else {
      DrawScreenPage(canvas, doc, state);
    }
  }
}

template <class Doc>
void SetDisplay(Doc& doc, int style, int colour) {
  doc.setChartStyle(static_cast<std::decay_t<decltype(doc.chartStyle())>>(style));
  doc.setColorCharts(static_cast<std::decay_t<decltype(doc.colorCharts())>>(colour));
}

struct Page {
  std::string name;
  int mode = 1;
  int lord = 0;
  int startDay = 0;
  int interval = 0;
  bool allDisplays = false;  ///< drawn in every style and colour, not only North in colour
};

std::vector<Page> Pages() {
  std::vector<Page> pages = {
      {"chart", 1, 0, 0, 0, true},
      {"maha-bukti", 2},
      {"divisional", 3, 0, 0, 0, true},
      {"ephemeris", 4},
      {"ephemeris-monthly-2451545", 4, 0, 2451545, 2},
      {"ephemeris-yearly", 4, 0, 0, 3},
      {"sa", 5},
      {"transits", 7},
      {"sensitivity", 8},
      {"mode-0", 0},
      {"mode-9", 9},
  };
  for (int lord = 0; lord < 9; ++lord) {
    pages.push_back({"pratyantar-" + std::to_string(lord), 6, lord});
  }
  return pages;
}

bool ParseNow(const char* text, LocalClockReading& now) {
  return std::sscanf(text, "%d-%d-%dT%d:%d", &now.year, &now.month, &now.day, &now.hour,
                     &now.minute) == 5;
}

}  // namespace

int main(int argc, char** argv) {
  bool full = false;
  LocalClockReading now{2024, 6, 15, 12, 0};
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--full") == 0) {
      full = true;
    } else if (std::strcmp(argv[i], "--now") == 0 && i + 1 < argc) {
      if (!ParseNow(argv[++i], now)) {
        std::cerr << "record-pages: --now must be YYYY-MM-DDTHH:MM\n";
        return 2;
      }
    } else {
      files.emplace_back(argv[i]);
    }
  }
  int failures = 0;
  for (const std::string& file : files) {
    MemorySettingsStore settings;
#if __has_include("document/present.h")
    // The reading on the Prasna location's clock, as the commands take --now.
    ChartDocument doc(settings, nullptr);
    const Instant instant = PrasnaInstantOf(doc.prasnaLocation(), now, nullptr);
    doc.setClock([instant] { return instant; });
#else
    // Revisions whose document took the local clock reading itself (this
    // file is compiled against both sides of a comparison).
    ChartDocument doc(settings, [now] { return now; });
#endif
    if (Failed(doc.open(file))) {
      std::cout << file << " open-failed\n";
      ++failures;
      continue;
    }
    for (const Page& page : Pages()) {
      for (int print = 0; print < 2; ++print) {
        for (int style = 1; style <= 2; ++style) {
          for (int colour = 1; colour >= 0; --colour) {
            if (!page.allDisplays && (style != 1 || colour != 1)) continue;
            SetDisplay(doc, style, colour);
            ViewState state;
            state.displayMode = static_cast<std::decay_t<decltype(state.displayMode)>>(page.mode);
            state.pratyantarLord = page.lord;
            state.ephemerisStartDay = page.startDay;
            state.ephemerisInterval =
                static_cast<std::decay_t<decltype(state.ephemerisInterval)>>(page.interval);
            RecordingCanvas canvas;
            Draw(canvas, doc, state, print == 1);
            const std::string log = canvas.LogText();
            const std::string id = page.name + (print ? "/print" : "/screen") +
                                   (style == 1 ? "/north" : "/south") +
                                   (colour ? "/colour" : "/black");
            if (full) {
              std::cout << "== " << file << ' ' << id << '\n' << log;
            } else {
              char hash[17];
              std::snprintf(hash, sizeof hash, "%016llx",
                            static_cast<unsigned long long>(Fnv1a(log)));
              std::cout << file << ' ' << id << ' ' << hash << ' ' << canvas.Log().size() << '\n';
            }
          }
        }
      }
    }
  }
  return failures == 0 ? 0 : 1;
}
