#pragma once
// The chart window's client area: paints the page of the display mode on the
// 512 x 400 grid scaled to the widget, and prints the same page's print
// variant on one sheet. The page code is the view library's; this widget
// only hands it a QPainter-backed canvas.

#include <QWidget>

#include "view/display.h"

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
  /// false when the printer could not be started.
  bool printPage(QPrinter& printer) const;

  /// The screen page rendered into an image of `size` (white background).
  QImage renderScreen(const QSize& size) const;

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  const ChartDocument& document_;
  ViewState state_;
};

}  // namespace sarvexa
