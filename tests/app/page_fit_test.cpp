// The whole page in any window: Fit Page, zoom with scroll bars, the
// window's first, least and remembered sizes.

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <functional>
#include <tuple>

#include "app/chart_view.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "document/chart_document.h"
#include "tests/app/app_fixture.h"
#include "view/qt/qt_canvas.h"

namespace sarvexa::test {
namespace {

using namespace command;

/// The screen page drawn as the view places it in a widget of `size`, into a
/// larger white image with room round the widget's area; where the ink lies
/// in widget coordinates (empty when nothing was drawn).
QRect InkOfPlacedPage(const ChartView& view, const ChartDocument& doc, QSize size) {
  constexpr int kRoom = 300;
  QImage image(size + QSize(2 * kRoom, 2 * kRoom), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.translate(kRoom, kRoom);
    QtCanvas canvas(painter, QSizeF(size), 96.0, 96.0);
    canvas.SetPlacement(view.placementFor(size));
    DrawScreenPage(canvas, doc.snapshot(), view.state());
  }
  QRect ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 200) ink |= QRect(x - kRoom, y - kRoom, 1, 1);
    }
  }
  return ink;
}

TEST_F(AppTest, EveryPageIsWholeInsideTheWindowAtFitPage) {
  start();
  window().show();
  const QSize kWindows[] = {{512, 400}, {1280, 1000}, {700, 1000}, {2000, 600}};
  for (const QSize& size : kWindows) {
    window().resize(size);
    QApplication::processEvents();
    const QSize client = window().chartView()->size();
    for (int style : {1, 2}) {
      doc().setChartStyle(ChartStyleFromSetting(style));
      for (int mode = static_cast<int>(DisplayMode::Chart);
           mode <= static_cast<int>(DisplayMode::Sensitivity); ++mode) {
        SCOPED_TRACE(QStringLiteral("window %1x%2 style %3 page %4")
                         .arg(size.width())
                         .arg(size.height())
                         .arg(style)
                         .arg(mode)
                         .toStdString());
        window().chartView()->state().displayMode = static_cast<DisplayMode>(mode);
        const QRect ink = InkOfPlacedPage(*window().chartView(), doc(), client);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(ink))
            << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height() << " in "
            << client.width() << "x" << client.height();
        // Fitted: the page fills the client area's width or its height.
        EXPECT_TRUE(ink.width() > client.width() * 0.9 || ink.height() > client.height() * 0.8);
      }
    }
  }
}

TEST_F(AppTest, TheViewMeasuresThePageAgainAfterEveryChangeOfTheChart) {
  // The view keeps the extents it has measured; each change of the chart
  // must make it measure again, or a page is fitted by the extent of the
  // chart shown before. Each row's page has other edges after the change.
  start();
  const auto edges = [](const PageExtent& e) {
    return std::tuple(e.empty, e.left, e.top, e.right, e.bottom);
  };
  struct Row {
    const char* change;
    DisplayMode page;
    std::function<void()> apply;
  };
  const Row rows[] = {
      {"chart data", DisplayMode::SaAnalysis,
       [&] {
         ChartDataFields fields = doc().chartDataDialogValues();
         fields.year = 1962;
         fields.monthIndex = 1;
         fields.day = 5;
         ASSERT_TRUE(doc().editChartData(fields));
       }},
      {"transit", DisplayMode::SaTransits,
       [&] {
         TransitChoice choice = doc().openTransitChoice();
         choice.year -= 7;
         ASSERT_TRUE(doc().applyTransit(choice));
       }},
      {"Prasna", DisplayMode::SaAnalysis, [&] { ASSERT_TRUE(doc().castPrasna()); }},
  };
  ChartView& view = *window().chartView();
  const QSize size(700, 500);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.change);
    view.state().displayMode = row.page;
    const PageExtent before = view.pageExtent();
    view.placementFor(size);
    row.apply();
    const auto draw = [&](Canvas& canvas) {
      DrawScreenPage(canvas, doc().snapshot(), view.state());
    };
    const PageExtent after = MeasureWithQt(draw);
    ASSERT_NE(edges(after), edges(before));
    EXPECT_EQ(edges(view.pageExtent()), edges(after));
    const PagePlacement fitted = view.placementFor(size);
    const PagePlacement fresh = FitScreenPage(draw, QSizeF(size), kPageMarginPx);
    EXPECT_EQ(std::tuple(fitted.scale, fitted.originX, fitted.originY),
              std::tuple(fresh.scale, fresh.originX, fresh.originY));
  }
}

TEST_F(AppTest, ZoomCommandsAndTheWheelScaleThePageAndFitPageReturns) {
  start();
  window().show();
  window().resize(800, 600);
  QApplication::processEvents();
  ChartView& view = *window().chartView();
  const double fit = view.pageScale();
  auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(10, 10), view.mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
  };
  struct Step {
    std::function<void()> act;
    double scaleOfFit;  ///< the page scale expected, as a multiple of the fitted one
    bool fitPage;
    const char* source;
  };
  const Step kSteps[] = {
      {[&] { window().action(ViewZoomIn)->trigger(); }, 1.25, false, "Zoom In"},
      {[&] { window().action(ViewZoomIn)->trigger(); }, 1.5625, false, "Zoom In again"},
      {[&] { window().action(ViewZoomOut)->trigger(); }, 1.25, false, "Zoom Out"},
      {[&] { wheel(120, Qt::ControlModifier); }, 1.5625, false, "Ctrl+wheel up"},
      {[&] { wheel(-120, Qt::NoModifier); }, 1.5625, false, "wheel alone scrolls"},
      {[&] { wheel(-120, Qt::ControlModifier); }, 1.25, false, "Ctrl+wheel down"},
      {[&] { window().action(ViewFitPage)->trigger(); }, 1.0, true, "Fit Page"},
  };
  for (const Step& step : kSteps) {
    SCOPED_TRACE(step.source);
    step.act();
    QApplication::processEvents();
    EXPECT_NEAR(view.pageScale(), fit * step.scaleOfFit, fit * 0.02);
    EXPECT_EQ(view.fitPage(), step.fitPage);
    EXPECT_EQ(window().action(ViewFitPage)->isChecked(), step.fitPage);
    // Zoomed past the window, the page asks for more room than it has and
    // the scroll area offers scroll bars.
    auto* scroll = qobject_cast<QScrollArea*>(window().centralWidget());
    ASSERT_NE(scroll, nullptr);
    const bool scrolls =
        scroll->horizontalScrollBar()->maximum() > 0 || scroll->verticalScrollBar()->maximum() > 0;
    EXPECT_EQ(scrolls, step.scaleOfFit > 1.0);
  }
}

TEST_F(AppTest, FitPageZoomAndGeometryAreKeptAcrossRuns) {
  start();
  window().show();
  window().resize(900, 700);
  QApplication::processEvents();
  window().action(ViewZoomIn)->trigger();
  const double zoomed = window().chartView()->pageScale();
  window().close();
  EXPECT_EQ(storedSetting(QStringLiteral("Fit Page")), "0");
  stop();

  start();
  EXPECT_FALSE(window().chartView()->fitPage());
  EXPECT_NEAR(window().chartView()->pageScale(), zoomed, 0.01);
  EXPECT_EQ(window().size(), QSize(900, 700));
  window().action(ViewFitPage)->trigger();
  window().close();
  EXPECT_EQ(storedSetting(QStringLiteral("Fit Page")), "1");
}

TEST_F(AppTest, TheSmallestWindowKeepsPageTextReadable) {
  start();
  window().show();
  window().resize(1, 1);
  QApplication::processEvents();
  EXPECT_EQ(window().size(), window().minimumSize());
  const QSize screen = window().screen()->availableGeometry().size();
  for (int mode = static_cast<int>(DisplayMode::Chart);
       mode <= static_cast<int>(DisplayMode::Sensitivity); ++mode) {
    SCOPED_TRACE(mode);
    window().chartView()->state().displayMode = static_cast<DisplayMode>(mode);
    // 12-unit text at least 8 px high, unless the screen itself is smaller.
    EXPECT_TRUE(window().chartView()->pageScale() >= 8.0 / 12.0 - 1e-3 ||
                window().minimumWidth() >= screen.width() ||
                window().minimumHeight() >= screen.height())
        << window().chartView()->pageScale();
  }
}

}  // namespace
}  // namespace sarvexa::test
