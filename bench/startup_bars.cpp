// A second yardstick of scripts/bench-startup: an empty Qt main window of the
// same size with what any such program shows besides its page: a menu bar,
// a toolbar and a status bar with text (the first use of the font database
// and of one font). From exec to the window painted once, then quit.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "bench/first_paint.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  for (const char* title : {"&File", "&Edit", "&View", "&Help"})
    window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
  QToolBar* toolBar = window.addToolBar(QStringLiteral("Toolbar"));
  for (const char* text : {"New", "Open", "Save", "Print", "About"})
    toolBar->addAction(QString::fromLatin1(text));
  window.statusBar()->showMessage(QStringLiteral("Ready"));
  window.resize(578, 478);
  new sarvexa::QuitAfterFirstPaint(window);
  window.show();
  return app.exec();
}
