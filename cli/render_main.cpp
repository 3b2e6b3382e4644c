// sarvexa-render: the drawing command of sarvexa-cli in a program of its own,
// the only one that loads the toolkit. Users call it as `sarvexa-cli render`,
// which starts it with the same arguments; its messages therefore speak of
// "sarvexa-cli render".

#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  const sarvexa::cli::Arguments args(argv + 1, argv + argc);
  const int code = sarvexa::cli::RunRenderCommand(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
