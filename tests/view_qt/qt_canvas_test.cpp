// The Qt canvas on images and PDF files: mapping, fonts, colours, and that
// drawings land on the page and nowhere else. Runs on the offscreen platform.

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "analysis/sa_transits.h"
#include "analysis/sensitivity.h"
#include "document/convention_text.h"
#include "tests/view/page_layout_check.h"
#include "tests/view/page_test_support.h"
#include "view/chart_drawing.h"
#include "view/display.h"
#include "view/pages.h"
#include "view/qt/qt_canvas.h"

namespace sarvexa {
namespace {

/// Bounding box of the non-white pixels; empty when the image is blank.
QRect InkBox(const QImage& image) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] & 0xFFFFFF) != 0xFFFFFF) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

int CountPixels(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  }
  return n;
}

Horoscope SampleChart() {
  Horoscope h;
  const double lons[10] = {345.5, 10.25, 40.5, 70.75, 100.1, 130.2, 160.3, 190.4, 220.5, 40.5};
  for (int g = 0; g < 10; ++g) h.positions[static_cast<std::size_t>(g)].longitude = lons[g];
  h.positions[3].retrograde = 1;
  return h;
}

void DrawRashi(Canvas& c, ChartStyle style, bool colour) {
  c.SetMapping(Mapping::Screen);
  c.SelectFont(FontId::Screen10);
  const Horoscope h = SampleChart();
  const ChartFrame f = DrawChartFrame(c, style, 20, 80, 300, 300, c.LineHeight());
  ChartColours colours{
      colour,
      {ColorClass::None, ColorClass::Malefic, ColorClass::Benefic, ColorClass::AfflictedBenefic,
       ColorClass::Malefic, ColorClass::Benefic, ColorClass::AfflictedBenefic, ColorClass::Malefic,
       ColorClass::Benefic, ColorClass::AfflictedBenefic}};
  PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, colours);
}

TEST(QtCanvas, ArialResolvesToAMetricCompatibleSans) {
  QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  QtCanvas c(p);
  const QFontInfo info(c.FontFor(FontId::Screen12));
  EXPECT_TRUE(info.family().contains("Liberation Sans") || info.family() == "Arial")
      << info.family().toStdString();
}

TEST(QtCanvas, ScreenGridScalesUniformlyIntoTheTarget) {
  struct Case {
    int w, h;
    double scale;
    const char* why;
  };
  constexpr Case kCases[] = {{1024, 800, 2.0, "exact double"},
                             {1024, 400, 1.0, "height limits"},
                             {256, 800, 0.5, "width limits"}};
  for (const auto& k : kCases) {
    SCOPED_TRACE(k.why);
    QImage image(k.w, k.h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QtCanvas c(p);
    c.SetMapping(Mapping::Screen);
    EXPECT_DOUBLE_EQ(c.ScaleX(), k.scale);
    EXPECT_DOUBLE_EQ(c.ScaleY(), k.scale);
  }
}

TEST(QtCanvas, FontMetricsAreInLogicalUnits) {
  // Liberation Sans: ascent + descent about 1.15 em, on screen and in print.
  QImage image(1024, 800, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  QtCanvas c(p, QSizeF(1024, 800), 1200, 1200);
  c.SelectFont(FontId::Screen12);
  const FontMetrics s = c.GetFontMetrics();
  EXPECT_GE(s.height, 13);
  EXPECT_LE(s.height, 15);
  EXPECT_GE(c.TextWidth("Vimshottari Dashas"), 80);
  EXPECT_LE(c.TextWidth("Vimshottari Dashas"), 120);
  c.SetMapping(Mapping::Print);
  c.SelectFont(FontId::Print280);
  const FontMetrics m = c.GetFontMetrics();
  EXPECT_NEAR(m.height, 312, 8);  // 260 device pixels at 1200 dpi
  EXPECT_NEAR(m.ascent, 253, 8);
  EXPECT_GE(m.externalLeading, 0);
  EXPECT_GT(c.TextWidth("MoRS22:22"), c.TextWidth("MoR"));
}

TEST(QtCanvas, PrintTwipsMapDownwardFromTheOrigin) {
  // 144 dpi: one twip is 0.1 pixel; a rectangle from (720, -720) to
  // (1440, -1440) covers pixels 72..144 on both axes.
  const QImage image = RenderToImage(
      QSize(300, 300),
      [](Canvas& c) {
        c.SetMapping(Mapping::Print);
        c.SetPenWidth(10);
        c.Rectangle(720, -720, 1440, -1440);
      },
      144.0);
  const QRect box = InkBox(image);
  EXPECT_NEAR(box.left(), 72, 1);
  EXPECT_NEAR(box.top(), 72, 1);
  EXPECT_NEAR(box.right(), 144, 1);
  EXPECT_NEAR(box.bottom(), 144, 1);
}

TEST(QtCanvas, TextHangsBelowItsPointInBothSpaces) {
  for (Mapping mapping : {Mapping::Screen, Mapping::Print}) {
    const QImage image = RenderToImage(
        QSize(512, 400),
        [&](Canvas& c) {
          c.SetMapping(mapping);
          if (mapping == Mapping::Screen) {
            c.SelectFont(FontId::Screen12);
            c.TextOut(100, 100, "Hello");  // s = 1 on 512 x 400
          } else {
            c.SelectFont(FontId::Print280);
            c.TextOut(1000, -1000, "Hello");  // 144 dpi: 100, 100 in pixels
          }
        },
        144.0, QSize(512, 400));
    const QRect box = InkBox(image);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.top(), 100);
    EXPECT_LE(box.top(), 106);
    EXPECT_GE(box.left(), 100);
    EXPECT_LE(box.left(), 104);
  }
}

TEST(QtCanvas, ChartDrawingsAreNotBlankAndStayInTheirFrame) {
  for (ChartStyle style : {ChartStyle::North, ChartStyle::South}) {
    SCOPED_TRACE(ChartStyleSetting(style));
    const QImage image = RenderToImage(
        QSize(1024, 800), [&](Canvas& c) { DrawRashi(c, style, false); }, 96.0, QSize(1024, 800));
    const QRect box = InkBox(image);
    ASSERT_FALSE(box.isEmpty());
    // The frame is 20..320 x 80..380 logical, 40..640 x 160..760 pixels.
    const QRect frame(QPoint(38, 158), QPoint(642, 762));
    EXPECT_TRUE(frame.contains(box))
        << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
    EXPECT_GT(CountPixels(image, qRgb(0, 0, 0)), 2000);
  }
}

TEST(QtCanvas, ColoursFollowTheClassesAndOffMeansBlack) {
  auto countReddish = [](const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        n += c.red() > 150 && c.green() < 80 && c.blue() < 80;
      }
    return n;
  };
  const QImage on =
      RenderToImage(QSize(1024, 800), [](Canvas& c) { DrawRashi(c, ChartStyle::North, true); });
  const QImage off =
      RenderToImage(QSize(1024, 800), [](Canvas& c) { DrawRashi(c, ChartStyle::North, false); });
  EXPECT_GT(countReddish(on), 50);
  EXPECT_EQ(countReddish(off), 0);
}

TEST(QtCanvas, SheetImageKeepsThePrintedPageOnTheSheet) {
  SheetLayout letter;
  const QImage image = RenderSheetToImage(letter, 72.0, [](Canvas& c) {
    c.SetMapping(Mapping::Print);
    c.SelectFont(FontId::Print200);
    const Horoscope h = SampleChart();
    const ChartFrame f =
        DrawChartFrame(c, ChartStyle::North, 720, -9000, 7200, 7200, c.LineHeight());
    PlaceGrahasWithDegrees(c, f, RashiSignsOf(h), h, ChartColours{});
  });
  EXPECT_EQ(image.size(), QSize(612, 792));  // 8.5 x 11 inches at 72 dpi
  const QRect box = InkBox(image);
  ASSERT_FALSE(box.isEmpty());
  // 10 pt margin + 720 twips = 46 px; 7200 twips = 360 px.
  EXPECT_NEAR(box.left(), 46, 2);
  EXPECT_NEAR(box.right(), 406, 2);
  EXPECT_NEAR(box.top(), 100, 2);
  EXPECT_NEAR(box.bottom(), 460, 2);
}

TEST(QtCanvas, PdfIsWrittenAndAnUnwritablePathReportsAnError) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("sheet.pdf");
  const auto saved = RenderSheetToPdf(path, SheetLayout{}, [](Canvas& c) {
    c.SetMapping(Mapping::Print);
    c.SelectFont(FontId::Print280);
    c.TextOut(720, 0, "Rashi");
  });
  EXPECT_TRUE(saved.ok());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
  EXPECT_GT(file.size(), 1000);
  const auto bad =
      RenderSheetToPdf(dir.filePath("missing/folder/x.pdf"), SheetLayout{}, [](Canvas&) {});
  EXPECT_FALSE(bad.ok());
}

TEST(QtCanvas, LargerImageShowsWhatFallsOutsideTheArea) {
  // Laid out for 512 x 400 (scale 1); a line to x = 600 is cut by an image of
  // the area's size and complete in a wider one.
  auto draw = [](Canvas& c) {
    c.SetMapping(Mapping::Screen);
    c.Line(10, 200, 600, 200);
  };
  const QImage cut = RenderToImage(QSize(512, 400), draw, 96.0, QSize(512, 400));
  const QImage wide = RenderToImage(QSize(512, 400), draw, 96.0, QSize(800, 400));
  EXPECT_EQ(cut.size(), QSize(512, 400));
  EXPECT_EQ(InkBox(cut).right(), 511);
  EXPECT_NEAR(InkBox(wide).right(), 600, 1);
  EXPECT_NEAR(InkBox(wide).left(), 10, 1);
}

TEST(QtCanvas, FittedImageHoldsTheWholeDrawnExtentCentred) {
  struct Case {
    QSize size;
    const char* source;
  };
  const Case kCases[] = {{QSize(512, 400), "grid size"},
                         {QSize(300, 900), "portrait"},
                         {QSize(2000, 300), "wide and low"}};
  // A line past the grid's right edge and a text above its top.
  auto draw = [](Canvas& c) {
    c.SetMapping(Mapping::Screen);
    c.Line(10, 200, 600, 200);
    c.TextOut(100, -30, "Above");
  };
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.source);
    const QImage image = RenderToImage(k.size, draw);
    ASSERT_EQ(image.size(), k.size);
    const QRect box = InkBox(image);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GT(box.left(), 0);
    EXPECT_GT(box.top(), 0);
    EXPECT_LT(box.right(), k.size.width() - 1);
    EXPECT_LT(box.bottom(), k.size.height() - 1);
    // Centred: the room left and right (or above and below) differs little.
    EXPECT_NEAR(box.left(), k.size.width() - 1 - box.right(), 4 + k.size.width() / 50);
    EXPECT_NEAR(box.top(), k.size.height() - 1 - box.bottom(), 4 + k.size.height() / 20);
  }
}

// The birth-time page with the real fonts: nothing overprints, nothing
// leaves the screen grid or a Letter sheet's printable area, for the worked
// chart's table over 24 and 48 hours (the widest minute counts).
TEST(QtCanvas, SensitivityPageNeverOverprints) {
  page_test::WorkedDocument w;
  const ChartSnapshot snap = w.doc->snapshot();
  BuiltInPositions source;
  for (int hours : {24, 48}) {
    const auto table =
        FindBirthTimeSensitivity({snap.horoscope, page_test::FixedClock(), 365.25, hours}, source);
    ASSERT_TRUE(table.ok());
    for (const bool print : {false, true}) {
      SCOPED_TRACE(std::to_string(hours) + (print ? " h, print" : " h, screen"));
      QImage image(print ? QSize(1275, 1650) : QSize(512, 400), QImage::Format_ARGB32);
      QPainter painter(&image);
      QtCanvas qt(painter, QSizeF(image.size()), print ? 150.0 : 96.0, print ? 150.0 : 96.0);
      page_test::LayoutRecorder r(qt);
      if (print) {
        DrawSensitivityPagePrint(r, snap, *table);
        page_test::ExpectNoOverprint(r, DownBox{0, 0, 12240 - 400, 15840 - 400});
      } else {
        DrawSensitivityPageScreen(r, snap, *table);
        page_test::ExpectNoOverprint(r, DownBox{0, 0, kScreenGridWidth, kScreenGridHeight});
      }
    }
  }
}

// The built-in positions whatever the conventions, standing in for the
// Swiss Ephemeris so that the ephemeris page casts its rows.
// Built-in positions under any conventions, said to come from the Swiss
// Ephemeris's analytical theory (as the ephemeris rows' source).
class AnyConventions final : public PositionTheory {
 public:
  Result<PositionSource> Calculate(Horoscope& h, const Conventions&) const override {
    if (auto cast = BuiltinTheory().Calculate(h, Conventions{}); !cast) return cast;
    PositionSource source;
    source.ephemeris = EphemerisKind::Swiss;
    source.analytical = true;
    return source;
  }
};

// The longest line the conventions give (the Swiss Ephemeris fallen back to
// its analytical theory, Fagan-Bradley, the mean node, the sidereal year)
// fits whole on every page, screen and paper, in the real fonts, and
// overprints nothing.
TEST(QtCanvas, TheLongestConventionsLineFitsEveryPage) {
  page_test::WorkedDocument w;
  ChartSnapshot snap = w.doc->snapshot();
  const AnyConventions theory;
  snap.context.conventions = {EphemerisKind::Swiss, Ayanamsa::FaganBradley, NodeKind::Mean,
                              365.256363};
  snap.context.theory = &theory;
  snap.source.ephemeris = EphemerisKind::Swiss;
  snap.source.analytical = true;
  snap.transitHoroscope = snap.horoscope;
  snap.transitAnalysis = AnalyseTransits(snap.horoscope, snap.horoscope);
  const std::string panelLine = AyanamsaLine(snap.horoscope, snap.context.conventions, snap.source);
  const std::string ephemerisLine = EphemerisConventionsLine(snap.context.conventions, snap.source);
  for (DisplayMode mode : {DisplayMode::Chart, DisplayMode::MahaBukti, DisplayMode::Pratyantar,
                           DisplayMode::Divisional, DisplayMode::Ephemeris, DisplayMode::SaAnalysis,
                           DisplayMode::SaTransits}) {
    for (const bool print : {false, true}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(mode)) + (print ? " print" : " screen"));
      QImage image(print ? QSize(1275, 1650) : QSize(512, 400), QImage::Format_ARGB32);
      QPainter painter(&image);
      QtCanvas qt(painter, QSizeF(image.size()), print ? 150.0 : 96.0, print ? 150.0 : 96.0);
      page_test::LayoutRecorder r(qt);
      ViewState view;
      view.displayMode = mode;
      if (print) {
        DrawPrintPage(r, snap, view);
      } else {
        DrawScreenPage(r, snap, view);
      }
      // Pages without the information panel (the screen's dasha, divisional,
      // SA and transit pages) show no line; the ephemeris names the
      // conventions under its rows.
      const std::string& line = mode == DisplayMode::Ephemeris ? ephemerisLine : panelLine;
      const page_test::LayoutRecorder::Text* shown = nullptr;
      for (const auto& t : r.texts) {
        if (t.text.rfind("Swiss", 0) != 0) continue;
        EXPECT_EQ(t.text, line);
        shown = &t;
      }
      ASSERT_EQ(shown != nullptr,
                print || mode == DisplayMode::Chart || mode == DisplayMode::Ephemeris);
      if (!shown) continue;
      // Inside the sheet or the screen grid, and clear of every other text
      // and box.
      const DownBox page = print ? DownBox{0, 0, 12240 - 400, 15840 - 400}
                                 : DownBox{0, 0, kScreenGridWidth, kScreenGridHeight};
      const DownBox& box = shown->box;
      EXPECT_TRUE(box.left >= page.left && box.right <= page.right && box.top >= page.top &&
                  box.bottom <= page.bottom);
      for (const auto& t : r.texts) {
        if (&t != shown) {
          EXPECT_FALSE(box.Intersects(t.box)) << "overprints " << t.text;
        }
      }
      for (const DownBox& frame : r.rectangles) EXPECT_FALSE(box.Intersects(frame.Grown(1)));
    }
  }
}

}  // namespace
}  // namespace sarvexa

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
