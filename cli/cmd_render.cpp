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

#include "analysis/sa_transits.h"
#include "atlas/system_atlas.h"
#include "cli/birth_options.h"
#include "cli/city_option.h"
#include "cli/cmd_ephemeris.h"
#include "cli/commands.h"
#include "cli/export_options.h"
#include "cli/prasna_clock.h"
#include "document/chart_document.h"
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
  // Transit moment and place: dialog values, each field optional.
  std::optional<WrittenMoment> at;
  std::optional<std::string> atLon, atLat, atZone, atDst;
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
  constexpr Name kPages[] = {
      {"chart", DisplayMode::Chart},           {"maha-bukti", DisplayMode::MahaBukti},
      {"divisional", DisplayMode::Divisional}, {"ephemeris", DisplayMode::Ephemeris},
      {"sa", DisplayMode::SaAnalysis},         {"transits", DisplayMode::SaTransits}};
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
      "--page must be chart, maha-bukti, pratyantar:LORD, divisional, ephemeris, sa or "
      "transits, not '" +
      text + "'");
}

/// "WxH" with each side 16..8000 pixels.
Result<QSize> ParseSize(const std::string& text) {
  const auto x = text.find_first_of("xX");
  auto number = [](const std::string& s) -> int {
    if (s.empty() || s.size() > 5) return -1;
    for (char c : s) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    }
    return std::atoi(s.c_str());
  };
  const int w = x == std::string::npos ? -1 : number(text.substr(0, x));
  const int h = x == std::string::npos ? -1 : number(text.substr(x + 1));
  if (w < 16 || h < 16 || w > 8000 || h > 8000)
    return Fail("--size must be WIDTHxHEIGHT in pixels, each 16..8000, not '" + text + "'");
  return QSize(w, h);
}

Result<OptionMatch> TakeRenderOption(const Arguments& args, std::size_t& i, RenderOptions& o) {
  const std::string& name = args[i];
  static const char* const kNames[] = {
      "--page", "--variant", "--style", "--color",  "--png",    "--pdf",     "--size",   "--paper",
      "--dpi",  "--now",     "--at",    "--at-lon", "--at-lat", "--at-zone", "--at-dst", "--open"};
  if (name == "--prasna") {
    o.prasna = true;
    ++i;
    return OptionMatch::Taken;
  }
  if (std::find_if(std::begin(kNames), std::end(kNames),
                   [&](const char* n) { return name == n; }) == std::end(kNames)) {
    return OptionMatch::NotMine;
  }
  if (i + 1 >= args.size()) return Fail(NeedsValue(name));
  const std::string& value = args[i + 1];
  const std::string v = Lower(value);
  // A value outside its choices fails with the complaint.
  if (name == "--page") {
    if (auto page = ParsePage(value, o.view); !page) return Fail(page.error());
  } else if (name == "--variant") {
    o.printVariant = v == "print";
    if (!(v == "screen" || v == "print"))
      return Fail("--variant must be screen or print, not '" + value + "'");
  } else if (name == "--style") {
    const Result<CharChartStyle> style = ParseStyleOption(value);
    if (!style) return Fail(style.error());
    o.style = *style == CharChartStyle::North ? ChartStyle::North : ChartStyle::South;
  } else if (name == "--color") {
    o.colour = v == "on" ? 1 : 0;
    if (!(v == "on" || v == "off")) return Fail("--color must be on or off, not '" + value + "'");
  } else if (name == "--png") {
    o.pngPath = value;
  } else if (name == "--pdf") {
    o.pdfPath = value;
  } else if (name == "--open") {
    o.openPath = value;
  } else if (name == "--size") {
    const Result<QSize> size = ParseSize(value);
    if (!size) return Fail(size.error());
    o.size = *size;
  } else if (name == "--paper") {
    o.a4 = v == "a4";
    if (!(v == "letter" || v == "a4"))
      return Fail("--paper must be letter or a4, not '" + value + "'");
  } else if (name == "--dpi") {
    const int dpi = std::atoi(value.c_str());
    o.dpi = dpi;
    if (dpi < 30 || dpi > 600 || value.find_first_not_of("0123456789") != std::string::npos)
      return Fail("--dpi must be a whole number 30..600, not '" + value + "'");
  } else if (name == "--now") {
    const Result<WrittenMoment> now = ReadMoment(name, value);
    if (!now) return Fail(now.error());
    o.now = *now;
  } else if (name == "--at") {
    const Result<WrittenMoment> at = ReadMoment(name, value);
    if (!at) return Fail(at.error());
    o.at = *at;
  } else if (name == "--at-lon") {
    o.atLon = value;
  } else if (name == "--at-lat") {
    o.atLat = value;
  } else if (name == "--at-zone") {
    o.atZone = value;
  } else if (name == "--at-dst") {
    o.atDst = value;
  }
  i += 2;
  return OptionMatch::Taken;
}

/// The transit choice: the moment of --at (else the present) at the place
/// of the --at-* options (else the stored Prasna location), as the transit
/// dialog would take them. A local --at is the transit place's clock; an
/// instant is read on it.
Result<void> ComputeTransit(const RenderOptions& o, ChartDocument& doc) {
  TransitDialogValues dialog = TransitDialogFromChoice(doc.openTransitChoice());

  // The --at-* options take the birth options' forms; parse them as such.
  BirthOptions parsed;
  struct AtOption {
    const char* birthName;
    const std::optional<std::string>& value;
    const char* atName;
  };
  const AtOption kAtOptions[] = {{"--lon", o.atLon, "--at-lon"},
                                 {"--lat", o.atLat, "--at-lat"},
                                 {"--zone", o.atZone, "--at-zone"},
                                 {"--dst", o.atDst, "--at-dst"}};
  for (const AtOption& a : kAtOptions) {
    if (!a.value) continue;
    std::string message;
    if (ParseBirthOption(a.birthName, *a.value, parsed, message) == OptionStatus::Rejected)
      return Fail(std::string(a.atName) + ": " + message);
  }
  CopyGivenPlace(parsed, dialog);
  if (o.atDst) dialog.dstHours = parsed.dstHours;
  if (o.at) {
    LocalClockReading at = o.at->clock;
    if (const std::optional<Instant> instant = o.at->instant())
      at = ClockReadingAt(*instant,
                          ClockOffsetSecondsEast(TransitChoiceFromDialog(dialog).signedPlace));
    dialog.day = at.day;
    dialog.monthIndex = at.month - 1;
    dialog.year = at.year;
    dialog.hour12 = at.hour % 12 == 0 ? 12 : at.hour % 12;
    dialog.isPm = at.hour >= 12;
    dialog.minute = at.minute;
  }
  const TransitChoice choice = TransitChoiceFromDialog(dialog);
  doc.setTransitChoice(choice);
  doc.applyTransit(choice);
  return Ok();
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
         "without a display.\n\n"
         "  --page chart|maha-bukti|pratyantar:LORD|divisional|ephemeris|sa|transits\n"
         "                        the page (default chart); LORD is Ke, Ve, Su, Mo, Ma,\n"
         "                        Ra, Ju, Sa or Me\n"
         "  --variant screen|print  the window's page or the printed sheet (default screen)\n"
         "  --style north|south   chart style (default: the stored setting)\n"
         "  --color on|off        colour the Rashi chart labels (default: the stored setting)\n"
         "  --png FILE            write a PNG image\n"
         "  --size WxH            window size for a screen page, each side 16..8000\n"
         "                        pixels (default 1024x800); the whole page is fitted\n"
         "                        into it\n"
         "  --dpi N               PNG resolution of a printed sheet, 30..600 (default 150)\n"
         "  --pdf FILE            write a one-page PDF\n"
         "  --paper letter|a4     paper of a printed sheet or PDF (default letter)\n"
         "  --now YYYY-MM-DDTHH:MM  the clock: Prasna moment and current period, on\n"
         "                        the Prasna location's clock; ending in Z or\n"
         "                        +HH:MM/-HH:MM, an exact instant\n"
         "  --open FILE           take the chart from a chart file\n"
         "  --prasna              the chart of the present moment at the Prasna location\n"
         "Ephemeris page (24 rows on screen, 58 on paper):\n"
         "  --from YYYY-MM-DD     first date: year 1800..2100, month 1..12, day 0..31\n"
         "                        (default: the chart's own date and moment)\n"
         "  --interval daily|weekly|monthly|yearly   step between rows (default daily)\n"
         "Transits page (defaults: the clock and the Prasna location):\n"
         "  --at YYYY-MM-DDTHH:MM  transit moment, local clock time of the transit\n"
         "                        place; ending in Z or +HH:MM/-HH:MM, an exact instant\n"
         "  --at-lon DDD:MM{E|W}  --at-lat DD:MM{N|S}  --at-zone HH:MM  --at-dst H\n"
         "\nBirth options:\n"
      << BirthOptionsHelp();
}

int RunRenderCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  RenderOptions o;
  for (std::size_t i = 0; i < args.size();) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      PrintRenderHelp(out);
      return 0;
    }
    if (name == "--rows") {
      // The page's row count is part of its layout; only the ephemeris
      // listing takes a count.
      err << "sarvexa-cli render: the Ephemeris page has 24 rows on screen and 58 on paper; "
             "--rows belongs to sarvexa-cli ephemeris\n";
      return kExitUsage;
    }
    Result<OptionMatch> match = TakeRenderOption(args, i, o);
    if (match && *match == OptionMatch::NotMine) match = TakeEphemerisOption(args, i, o.ephemeris);
    if (!match) {
      err << "sarvexa-cli render: " << match.error() << "\n";
      return kExitUsage;
    }
    if (*match == OptionMatch::Taken) continue;
    if (IsBirthOption(name)) {
      if (i + 1 >= args.size()) {
        err << "sarvexa-cli render: " << NeedsValue(name) << "\n";
        return kExitUsage;
      }
      std::string error;
      if (ParseBirthOption(name, args[i + 1], o.birth, error) == OptionStatus::Rejected) {
        err << "sarvexa-cli render: " << error << "\n";
        return kExitUsage;
      }
      o.anyBirthOption = true;
      i += 2;
      continue;
    }
    err << "sarvexa-cli render: unknown option '" << name << "'\n";
    return kExitUsage;
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
    if (auto missing = MissingBirthOption(o.birth)) {
      err << "sarvexa-cli render: " << *missing << "\n";
      return kExitUsage;
    }
  }

  // The desktop program's stored settings (chart style, colour, Prasna
  // location) when they exist; the program's defaults otherwise. Nothing is
  // written back to the file.
  IniFileSettingsStore settings = ReadStoredSettings("render", err);
  const std::unique_ptr<Atlas> atlas = OpenSystemAtlas();
  ChartDocument doc(settings, nullptr);
  doc.setAtlas(atlas.get());
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
    doc.castPrasna();
  } else if (auto taken = doc.newChart(ToChartDataFields(o.birth)); !taken) {
    err << "sarvexa-cli render: " << taken.error().message << "\n";
    return kExitUsage;
  }
  if (o.style) doc.setChartStyle(*o.style);
  if (o.colour) doc.setColorCharts(*o.colour);
  o.view.ephemerisStartDay = o.ephemeris.startDay;
  o.view.ephemerisInterval = o.ephemeris.interval;
  if (o.view.displayMode == DisplayMode::SaTransits) {
    if (auto applied = ComputeTransit(o, doc); !applied) {
      err << "sarvexa-cli render: " << applied.error() << "\n";
      return kExitUsage;
    }
  }

  EnsureGuiApplication();
  const ViewState view = o.view;
  const bool print = o.printVariant;
  const PageDrawing draw = [&doc, view, print](Canvas& canvas) {
    if (print) {
      DrawPrintPage(canvas, doc.snapshot(), view);
    } else {
      DrawScreenPage(canvas, doc.snapshot(), view);
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
