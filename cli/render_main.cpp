// sarvexa-render: the drawing command of sarvexa-cli in a program of its own,
// the only one that loads the toolkit. Users call it as `sarvexa-cli render`,
// which starts it with the same arguments; its messages therefore speak of
// "sarvexa-cli render".

#include <QString>
#include <QtGlobal>

#include <iostream>
#include <new>

#include "cli/commands.h"
#include "cli/prasna_clock.h"

namespace {

// The command says in one line of its own what went wrong. Qt's warnings
// (a painter on an image it could not have, a font it fell back from)
// would only bury that line, so they are dropped; its critical messages
// are kept.
void KeepOnlyCriticalMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(KeepOnlyCriticalMessages);
  const sarvexa::cli::Arguments args(argv + 1, argv + argc);
  int code = 1;
  try {
    code = sarvexa::cli::ExitCodeAfterSettings(
        sarvexa::cli::RunRenderCommand(args, std::cout, std::cerr));
  } catch (const std::bad_alloc&) {
    // A page too large for the memory there is: no file has been written
    // (a picture is finished in memory before it replaces anything).
    std::cerr << "sarvexa-cli render: not enough memory to draw the page; choose a smaller "
                 "--size or --dpi\n";
    return 1;
  }
  std::cout.flush();
  return code;
}
