#pragma once
// The chart window's client area: paints the page of the display mode with
// its whole drawn extent fitted into the widget (Fit Page) or at a zoom the
// user chose, and prints the same page's print variant on one sheet. The
// page code is the view library's; this widget only hands it a
// QPainter-backed canvas. It sits in a scroll area: at a zoom larger than the
// window it asks for the room the page needs, and the scroll bars appear.

#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/sensitivity.h"

#include "view/display.h"
#include "view/page_extent.h"

class QPrinter;

namespace sarvexa {

class ChartDocument;

class ChartView final : public QWidget {
  Q_OBJECT

 public:
  ChartView(const ChartDocument& document, QWidget* parent = nullptr);

  /// The page shown and the arguments of the Pratyantar and Ephemeris pages.
  ViewState& state() { return state_; }
  const ViewState& state() const { return state_; }

  /// Draws the print variant of the current page on one sheet of `printer`;
  /// false when the printer could not be started or no chart is open (the
  /// screen then stays blank).
  bool printPage(QPrinter& printer) const;

  /// The screen page rendered into an image of `size` (white background).
  QImage renderScreen(const QSize& size) const;

  /// Fit Page: the whole page scaled to the widget. Leaving it keeps the
  /// scale the page has at that moment.
  bool fitPage() const { return fitPage_; }
  void setFitPage(bool fit);
  /// One zoom step up or down from the scale shown now (leaves Fit Page).
  void zoomIn();
  void zoomOut();
  /// Leaves Fit Page for a fixed scale (device pixels per page unit),
  /// brought into the zoom range.
  void setZoomScale(double scale);
  /// Device pixels per page unit as the page is drawn now.
  double pageScale() const;
  /// Where the current page goes in a widget of `size` (the drawn extent
  /// and its scale and origin), as paintEvent uses it.
  PagePlacement placementFor(const QSize& size) const;
  /// The drawn extent of the current screen page in page units.
  PageExtent pageExtent() const;
  /// The drawn extent of the screen page of `state` measured at `scale`
  /// (see MeasureWithQt). Measuring draws the whole page, so each extent is
  /// kept until the document's chart changes.
  PageExtent extentAt(const ViewState& state, double scale) const;
  /// The room the Chart page of the open chart, measured at one pixel per
  /// page unit, takes with its margin at `scale` pixels per page unit. It is
  /// the page the program opens on and the widest of the fixed layouts (only
  /// the SA pages' free text lines can run longer), so it sizes the window.
  QSize chartPageRoom(double scale) const;

  QSize sizeHint() const override;

  /// The Birth-Time Sensitivity table of the open chart, searched once for
  /// each revision of the document (the page is measured and drawn several
  /// times); null when the search failed or no chart is open.
  const BirthTimeSensitivity* sensitivity() const;

 signals:
  /// Fit Page was switched on or off (by a command, a zoom or the wheel).
  void fitPageChanged(bool fit);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void zoomBy(double factor);
  /// The screen page of `state` (the window's own page state, or another
  /// one being measured).
  void drawScreen(Canvas& canvas, const ViewState& state) const;
  /// The table `state`'s page draws: the sensitivity() of its page only.
  const BirthTimeSensitivity* tableFor(const ViewState& state) const;
  /// The room the page asks of the scroll area at the current zoom.
  QSize zoomedSize() const;

  const ChartDocument& document_;
  ViewState state_;
  struct MeasuredExtent {
    ViewState state;
    double scale = 1.0;
    PageExtent extent;
  };
  /// Extents measured for the document's revision `measuredRevision_`, the
  /// most recent last.
  mutable std::vector<MeasuredExtent> measured_;
  mutable std::uint64_t measuredRevision_ = 0;
  /// The table of the document's revision `searchedRevision_`, once searched.
  mutable std::optional<std::optional<BirthTimeSensitivity>> searched_;
  mutable std::uint64_t searchedRevision_ = 0;
  bool fitPage_ = true;
  double zoomScale_ = 1.0;  ///< device pixels per page unit when not fitting
};

}  // namespace sarvexa
