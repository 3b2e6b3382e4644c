// `sarvexa-cli render`: draws any page of the chart window without a display
// (Qt's offscreen platform) into a PNG image or a one-page PDF, in the screen
// or the print variant, through the same page code as the desktop program.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "atlas/system_atlas.h"
#include "cli/birth_options.h"
#include "cli/city_option.h"
#include "cli/cmd_ephemeris.h"
#include "cli/commands.h"
#include "cli/convention_options.h"
#include "cli/export_options.h"
#include "cli/prasna_clock.h"
#include "document/chart_document.h"
#include "document/chart_sensitivity.h"
#include "document/ini_settings_store.h"
#include "document/notation.h"
#include "document/page_choices.h"
#include "document/prasna.h"
#include "document/settings_store.h"
#include "document/system_zone.h"
#include "engine/dasha.h"
#include "view/display.h"
#include "view/qt/qt_canvas.h"

namespace sarvexa::cli {

namespace {

struct RenderOptions {
  BirthOptions birth;
  bool anyBirthOption = false;
  bool help = false;
  std::optional<std::string> openPath;
  bool prasna = false;
  std::optional<WrittenMoment> now;  ///< --now; the present otherwise
  ViewState view;
  bool printVariant = false;
  std::optional<ChartStyle> style;  ///< the stored setting otherwise
  std::optional<int> colour;        ///< 0/1; the stored setting otherwise
  std::optional<std::string> pngPath;
  std::optional<std::string> pdfPath;
  QSize size{1024, 800};
  double dpi = 150.0;  ///< print variant as PNG
  bool a4 = false;
  EphemerisOptions ephemeris;
  // Transit moment and place; the parts not given keep the dialog's values.
  std::optional<WrittenMoment> at;
  BirthOptions atPlace;
  ConventionOptions conventions;
};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

/// "chart", "maha-bukti", "pratyantar:Ve", ... into the view state.
Result<void> ParsePage(const std::string& text, ViewState& view) {
  const std::string page = Lower(text);
  struct Name {
    const char* name;
    DisplayMode mode;
  };
  constexpr Name kPages[] = {{"chart", DisplayMode::Chart},
                             {"maha-bukti", DisplayMode::MahaBukti},
                             {"divisional", DisplayMode::Divisional},
                             {"ephemeris", DisplayMode::Ephemeris},
                             {"sa", DisplayMode::SaAnalysis},
                             {"transits", DisplayMode::SaTransits},
                             {"sensitivity", DisplayMode::Sensitivity}};
  for (const auto& p : kPages) {
    if (page == p.name) {
      view.displayMode = p.mode;
      return Ok();
    }
  }
  const std::string prefix = "pratyantar:";
  if (page.rfind(prefix, 0) == 0) {
    const std::string lord = page.substr(prefix.size());
    for (int l = 0; l < dasha::kLordCount; ++l) {
      if (lord == Lower(kDashaTwoLetterNames[l])) {
        view.displayMode = DisplayMode::Pratyantar;
        view.pratyantarLord = l;
        return Ok();
      }
    }
    return Fail("--page pratyantar:LORD needs a lord Ke, Ve, Su, Mo, Ma, Ra, Ju, Sa or Me, not '" +
                text.substr(prefix.size()) + "'");
  }
  return Fail(
      "--page must be chart, maha-bukti, pratyantar:LORD, divisional, ephemeris, sa, "
      "transits or sensitivity, not '" +
      text + "'");
}

/// "WxH" with each side 16..8000 pixels.
Result<QSize> ParseSize(const std::string& text) {
  const auto x = text.find_first_of("xX");
  const std::string_view whole = text;
  const std::optional<int> w =
      x == std::string::npos ? std::nullopt : ReadDigits(whole.substr(0, x), 5);
  const std::optional<int> h =
      x == std::string::npos ? std::nullopt : ReadDigits(whole.substr(x + 1), 5);
  if (!w || !h || *w < 16 || *h < 16 || *w > 8000 || *h > 8000)
    return Fail("--size must be WIDTHxHEIGHT in pixels, each 16..8000, not '" + text + "'");
  return QSize(*w, *h);
}

// The value of an option that is one of a few words (any letter case).
bool OneOf(std::string_view value, std::initializer_list<std::string_view> words) {
  const std::string v = Lower(std::string(value));
  for (std::string_view w : words) {
    if (v == w) return true;
  }
  return false;
}

using Row = Option<RenderOptions>;

constexpr Row kRenderRows[] = {
    Row("--page",
        "chart|maha-bukti|pratyantar:LORD|divisional|ephemeris|sa|transits|\n"
        "sensitivity",
        "the page (default chart); LORD is Ke, Ve, Su, Mo, Ma,\n"
        "Ra, Ju, Sa or Me",
        [](RenderOptions& o, std::string_view, std::string_view value) {
          return ParsePage(std::string(value), o.view);
        })
        .HelpBelow(),
    {"--variant", "screen|print", "the window's page or the printed sheet (default screen)",
     [](RenderOptions& o, std::string_view, std::string_view value) -> Result<void> {
       if (!OneOf(value, {"screen", "print"}))
         return Fail("--variant must be screen or print, not '" + std::string(value) + "'");
       o.printVariant = OneOf(value, {"print"});
       return Ok();
     }},
    {"--style", "north|south", "chart style (default: the stored setting)",
     [](RenderOptions& o, std::string_view, std::string_view value) -> Result<void> {
       const Result<CharChartStyle> style = ParseStyleOption(std::string(value));
       if (!style) return Fail(style.error());
       o.style = *style == CharChartStyle::North ? ChartStyle::North : ChartStyle::South;
       return Ok();
     }},
    {"--color", "on|off", "colour the Rashi chart labels (default: the stored setting)",
     [](RenderOptions& o, std::string_view, std::string_view value) -> Result<void> {
       if (!OneOf(value, {"on", "off"}))
         return Fail("--color must be on or off, not '" + std::string(value) + "'");
       o.colour = OneOf(value, {"on"}) ? 1 : 0;
       return Ok();
     }},
    {"--png", "FILE", "write a PNG image", TakeText<RenderOptions, &RenderOptions::pngPath>},
    {"--size", "WxH",
     "window size for a screen page, each side 16..8000\n"
     "pixels (default 1024x800); the whole page is fitted\n"
     "into it",
     [](RenderOptions& o, std::string_view, std::string_view value) -> Result<void> {
       const Result<QSize> size = ParseSize(std::string(value));
       if (!size) return Fail(size.error());
       o.size = *size;
       return Ok();
     }},
    {"--dpi", "N", "PNG resolution of a printed sheet, 30..600 (default 150)",
     [](RenderOptions& o, std::string_view, std::string_view value) -> Result<void> {
       const std::optional<int> dpi = ReadDigits(value);
       if (!dpi || *dpi < 30 || *dpi > 600)
         return Fail("--dpi must be a whole number 30..600, not '" + std::string(value) + "'");
       o.dpi = *dpi;
       return Ok();
     }},
    {"--pdf", "FILE", "write a one-page PDF", TakeText<RenderOptions, &RenderOptions::pdfPath>},
    {"--paper", "letter|a4", "paper of a printed sheet or PDF (default letter)",
     [](RenderOptions& o, std::string_view, std::string_view value) -> Result<void> {
       if (!OneOf(value, {"letter", "a4"}))
         return Fail("--paper must be letter or a4, not '" + std::string(value) + "'");
       o.a4 = OneOf(value, {"a4"});
       return Ok();
     }},
    {"--now", "YYYY-MM-DDTHH:MM",
     "the clock: Prasna moment and current period, on\n"
     "the Prasna location's clock; ending in Z or\n"
     "+HH:MM/-HH:MM, an exact instant",
     TakeMoment<RenderOptions, &RenderOptions::now>},
    {"--open", "FILE", "take the chart from a chart file",
     TakeText<RenderOptions, &RenderOptions::openPath>},
    {"--prasna", "", "the chart of the present moment at the Prasna location",
     SetFlag<RenderOptions, &RenderOptions::prasna>},
    Row("--help", "", "", SetFlag<RenderOptions, &RenderOptions::help>)
        .Alias("-h")
        .Hidden()
        .StopsParsing(),
    // The page's row count is part of its layout; only the ephemeris
    // listing takes a count.
    Row("--rows", "", "",
        [](RenderOptions&, std::string_view, std::string_view) -> Result<void> {
          return Fail(
              "the Ephemeris page has 24 rows on screen and 58 on paper; --rows belongs to "
              "sarvexa-cli ephemeris");
        })
        .Hidden(),
};

// --at-lon and the rest, read as the birth option of their plain name.
Result<void> TakeAtPlace(RenderOptions& o, std::string_view name, std::string_view value) {
  return TakeTransitPlace(o.atPlace, name, value);
}

constexpr Row kTransitRows[] = {
    {"--at", "YYYY-MM-DDTHH:MM",
     "transit moment, local clock time of the transit\n"
     "place; ending in Z or +HH:MM/-HH:MM, an exact instant",
     TakeMoment<RenderOptions, &RenderOptions::at>},
    {"--at-lon", "DDD:MM{E|W}", "", TakeAtPlace},
    Row("--at-lat", "DD:MM{N|S}", "", TakeAtPlace).JoinsLine(),
    Row("--at-zone", "HH:MM", "", TakeAtPlace).JoinsLine(),
    Row("--at-dst", "H", "", TakeAtPlace).JoinsLine(),
};

constexpr CommandRules kRules{"render", MissingValue::NeedsValue, false};

/// The transit choice: the moment of --at (else the present) at the place
/// of the --at-* options (else the stored Prasna location), as the transit
/// dialog would take them. A local --at is the transit place's clock; an
/// instant is read on it.
Result<void> ComputeTransit(const RenderOptions& o, ChartDocument& doc) {
  TransitDialogValues dialog = TransitDialogFromChoice(doc.openTransitChoice());
  CopyGivenPlace(o.atPlace, dialog);
  if (o.atPlace.hasDst) dialog.dstHours = o.atPlace.fields.dstHours;
  if (o.at) {
    LocalClockReading at = o.at->clock;
    if (const std::optional<Instant> instant = o.at->instant())
      at = ClockReadingAt(*instant, ClockOffsetSecondsEast(ToSignedPlace(dialog)));
    dialog.day = at.day;
    dialog.monthIndex = at.month - 1;
    dialog.year = at.year;
    const TwelveHour hour = To12Hour(at.hour);
    dialog.hour12 = hour.hour;
    dialog.isPm = hour.isPm;
    dialog.minute = at.minute;
  }
  const TransitChoice choice = TransitChoiceFromDialog(dialog);
  doc.setTransitChoice(choice);
  return doc.applyTransit(choice);
}

/// Outside a desktop session (scripts, cron, CI) XDG_RUNTIME_DIR is unset and
/// Qt warns on every run before falling back to /tmp/runtime-<user>. Point it
/// at that same private folder ourselves, when it is ours and closed to
/// others, so the tool's standard error carries only its own messages.
void ProvideRuntimeDirectory() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const passwd* user = getpwuid(geteuid());
  if (user == nullptr) return;
  const std::string dir = std::string("/tmp/runtime-") + user->pw_name;
  mkdir(dir.c_str(), 0700);  // may already exist; checked below
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() ||
      (st.st_mode & 0777) != 0700) {
    return;  // not safely ours: leave the choice (and the warning) to Qt
  }
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir));
}

/// Makes sure a GUI application object exists for fonts and painting,
/// on the offscreen platform unless the caller chose another.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ProvideRuntimeDirectory();
  static int argc = 1;
  static char name[] = "sarvexa-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

/// Standard error sent to /dev/null while it lives. The image libraries
/// print their own complaints there ("libpng error: insufficient memory")
/// before failing; the command then says in one line what went wrong.
class QuietStandardError {
 public:
  QuietStandardError() : saved_(::dup(STDERR_FILENO)) {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
    if (null >= 0) ::close(null);
  }
  ~QuietStandardError() {
    if (saved_ < 0) return;
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_;
};

/// What could not be had when a picture's memory ran out, with the way out.
std::string NoMemoryFor(bool print, const RenderOptions& o) {
  if (print) {
    return "not enough memory for the sheet at " + std::to_string(static_cast<int>(o.dpi)) +
           " dpi; choose a lower --dpi or write a PDF";
  }
  return "not enough memory for a " + std::to_string(o.size.width()) + "x" +
         std::to_string(o.size.height()) + " picture; choose a smaller --size";
}

/// A screen page for a window whose client area is `size`: exactly that
/// size, with the page's whole drawn extent fitted and centred in it.
QImage RenderScreenPng(QSize size, const PageDrawing& draw) { return RenderToImage(size, draw); }

}  // namespace

void PrintRenderHelp(std::ostream& out) {
  out << "Usage: sarvexa-cli render (BIRTH OPTIONS | --open FILE.svx | --prasna)\n"
         "                          [--page PAGE] (--png FILE | --pdf FILE) [OPTIONS]\n"
         "Draws one page of the chart window into a PNG image or a one-page PDF,\n"
         "without a display.\n\n";
  PrintOptionHelp(out, {HelpOf(kRenderRows, 24),
                        HelpOf(EphemerisOptionRows().first(2), 24,
                               "Ephemeris page (24 rows on screen, 58 on paper):\n"),
                        HelpOf(kTransitRows, 24,
                               "Transits page (defaults: the clock and the Prasna location):\n"),
                        HelpOf(ConventionOptionRows(), 24, "Conventions of the chart:\n"),
                        HelpOf(BirthOptionRows(), 22, "\nBirth options:\n")});
}

int RunRenderCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  RenderOptions o;
  if (auto parsed =
          ParseArguments(args, kRules, nullptr, Group(kRenderRows, o),
                         Group(EphemerisOptionRows().first(2), o.ephemeris), Group(kTransitRows, o),
                         Group(BirthOptionRows(), o.birth, &o.anyBirthOption),
                         Group(ConventionOptionRows(), o.conventions));
      !parsed) {
    err << "sarvexa-cli render: " << parsed.error() << "\n";
    return kExitUsage;
  }
  if (o.help) {
    PrintRenderHelp(out);
    return 0;
  }
  const int sources = int(o.anyBirthOption) + int(o.openPath.has_value()) + int(o.prasna);
  if (sources > 1) {
    err << "sarvexa-cli render: give birth options, --open or --prasna, only one of them\n";
    return kExitUsage;
  }
  if (sources == 0) {
    err << "sarvexa-cli render: the chart is missing: give birth options, --open FILE or "
           "--prasna\n";
    return kExitUsage;
  }
  if (!o.pngPath && !o.pdfPath) {
    err << "sarvexa-cli render: give --png FILE or --pdf FILE\n";
    return kExitUsage;
  }
  std::vector<NamedFile> outputs;
  if (o.pngPath) outputs.push_back({"--png", *o.pngPath});
  if (o.pdfPath) outputs.push_back({"--pdf", *o.pdfPath});
  std::optional<NamedFile> input;
  if (o.openPath) input = NamedFile{"the chart file of --open", *o.openPath};
  if (auto same = SameFileConflict(outputs, input); !same) {
    err << "sarvexa-cli render: " << same.error() << "\n";
    return kExitUsage;
  }
  if (o.anyBirthOption) {
    if (auto placed = ResolveCity(o.birth); !placed) {
      err << "sarvexa-cli render: " << placed.error() << "\n";
      return kExitUsage;
    }
    PrintCityNote(o.birth, "render", err);
    if (auto given = RequireBirthOptions(o.birth); !given) {
      err << "sarvexa-cli render: " << given.error() << "\n";
      return kExitUsage;
    }
  }

  // The desktop program's stored settings (chart style, colour, Prasna
  // location) when they exist; the program's defaults otherwise. Nothing is
  // written back to the file.
  IniFileSettingsStore settings = ReadStoredSettings("render", err);
  Result<Conventions> conventions = ResolveConventions(o.conventions, settings, "render", err);
  // The moments cast besides the chart's: the transit chart's, the Prasna's.
  for (const auto& [moment, option] : {std::pair{&o.at, "--at"}, std::pair{&o.now, "--now"}}) {
    if (!conventions || !*moment) continue;
    const LocalClockReading& when = (*moment)->clock;
    if (auto inRange = CheckCastDate(*conventions, when.year, when.month, when.day, option);
        !inRange)
      conventions = Fail(inRange.error());
  }
  if (!conventions) {
    err << "sarvexa-cli render: " << conventions.error() << "\n";
    return kExitUsage;
  }
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  ChartDocument doc(settings, nullptr);
  doc.setAtlas(atlas.get());
  if (auto used = UseConventions(doc, *conventions); !used) {
    err << "sarvexa-cli render: " << used.error() << "\n";
    return 1;
  }
  // The present (Prasna, running period, transit default) is read on the
  // Prasna location's clock.
  if (UseComputerZoneIfNoneStored(doc, settings, *atlas) && o.prasna)
    err << "sarvexa-cli render: " << SystemZoneLocationNote(doc.prasnaLocation()) << "\n";
  doc.setClock(ClockOfNow(o.now, doc.prasnaLocation(), atlas.get()));
  if (o.openPath) {
    if (auto opened = doc.open(*o.openPath); !opened) {
      err << "sarvexa-cli render: " << opened.error() << "\n";
      return 1;
    }
  } else if (o.prasna) {
    if (auto cast = doc.castPrasna(); !cast) {
      err << "sarvexa-cli render: " << cast.error() << "\n";
      return 1;
    }
  } else if (auto taken = doc.newChart(o.birth.fields); !taken) {
    err << "sarvexa-cli render: " << taken.error().message << "\n";
    return kExitUsage;
  }
  if (o.style) doc.setChartStyle(*o.style);
  if (o.colour) doc.setColorCharts(*o.colour);
  o.view.ephemerisStartDay = o.ephemeris.startDay;
  o.view.ephemerisInterval = o.ephemeris.interval;
  if (o.view.displayMode == DisplayMode::SaTransits) {
    if (auto transit = ComputeTransit(o, doc); !transit) {
      err << "sarvexa-cli render: " << transit.error() << "\n";
      return 1;
    }
  }

  EnsureGuiApplication();
  const ViewState view = o.view;
  const bool print = o.printVariant;
  // The page is measured, then drawn: the birth-time table is searched once.
  std::optional<BirthTimeSensitivity> table;
  if (view.displayMode == DisplayMode::Sensitivity) {
    Result<BirthTimeSensitivity> searched = ChartSensitivity(doc.snapshot());
    if (!searched) {
      err << "sarvexa-cli render: " << searched.error() << "\n";
      return 1;
    }
    table = std::move(*searched);
  }
  const BirthTimeSensitivity* sensitivity = table ? &*table : nullptr;
  const PageDrawing draw = [&doc, view, print, sensitivity](Canvas& canvas) {
    if (print) {
      DrawPrintPage(canvas, doc.snapshot(), view, sensitivity);
    } else {
      DrawScreenPage(canvas, doc.snapshot(), view, sensitivity);
    }
  };
  SheetLayout sheet;
  if (o.a4) sheet.pageSize = QPageSize(QPageSize::A4);

  if (o.pngPath) {
    const QImage image =
        print ? RenderSheetToImage(sheet, o.dpi, draw) : RenderScreenPng(o.size, draw);
    if (image.isNull()) {
      err << "sarvexa-cli render: " << NoMemoryFor(print, o) << "\n";
      return 1;
    }
    const auto saved = [&] {
      const QuietStandardError quiet;
      return SavePng(image, QString::fromStdString(*o.pngPath));
    }();
    if (!saved) {
      err << "sarvexa-cli render: " << saved.error().toStdString() << "\n";
      return 1;
    }
  }
  if (o.pdfPath) {
    const auto saved = [&] {
      const QuietStandardError quiet;
      return RenderSheetToPdf(QString::fromStdString(*o.pdfPath), sheet, draw);
    }();
    if (!saved) {
      err << "sarvexa-cli render: " << saved.error().toStdString() << "\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace sarvexa::cli
