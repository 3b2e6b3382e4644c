// sarvexa-cli: dispatches to one subcommand. A new subcommand is a function
// in its own cmd_*.cpp, declared in commands.h, plus one row below.

#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include "cli/batch.h"
#include "cli/cmd_document.h"
#include "cli/cmd_ephemeris.h"
#include "cli/commands.h"
#include "cli/prasna_clock.h"
#include "cli/render_launcher.h"
#include "cli/standard_output.h"

namespace {

using namespace sarvexa::cli;

struct Command {
  const char* name;
  const char* summary;
  int (*run)(const Arguments& args, std::ostream& out, std::ostream& err);
  void (*help)(std::ostream& out);
};

constexpr Command kCommands[] = {
    {"batch", "cast one chart per CSV row, as JSON Lines or CSV", RunBatchCommand, PrintBatchHelp},
    {"chart", "cast a chart from birth data and print it", RunChartCommand, PrintChartHelp},
    {"ephemeris", "list positions on successive days, weeks, months or years", RunEphemerisCommand,
     PrintEphemerisHelp},
    {"open", "load a chart file and print it like chart", RunOpenCommand, PrintOpenHelp},
    {"places", "search the atlas for a place by name", RunPlacesCommand, PrintPlacesHelp},
    {"prasna", "cast the chart of the present moment at the Prasna location", RunPrasnaCommand,
     PrintPrasnaHelp},
    {"render", "draw a page into a PNG image or a PDF", RunRenderProgram, PrintRenderProgramHelp},
    {"sensitivity", "which placements a few minutes of birth time would change",
     RunSensitivityCommand, PrintSensitivityHelp},
    {"transits", "judge the grahas of a moment against a natal chart", RunTransitsCommand,
     PrintTransitsHelp},
};

void PrintUsage(std::ostream& out) {
  out << "Usage: sarvexa-cli COMMAND [OPTIONS]\n"
         "       sarvexa-cli help COMMAND\n\n"
         "Commands:\n";
  for (const Command& c : kCommands) {
    out << "  " << c.name << std::string(12 - std::strlen(c.name), ' ') << c.summary << '\n';
  }
  out << "\nRun \"sarvexa-cli COMMAND --help\" for the options of a command.\n";
}

const Command* FindCommand(const std::string& name) {
  for (const Command& c : kCommands) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  GuardStandardDescriptors();
  // With a file-size limit (ulimit -f) a write past it fails with an error
  // the tool reports and cleans up after, instead of killing the process
  // and leaving a temporary file behind.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc < 2) {
    std::cerr << "sarvexa-cli: a command is required (try sarvexa-cli --help)\n";
    return kExitUsage;
  }
  const std::string first = argv[1];
  if (first == "--help" || first == "-h") {
    PrintUsage(std::cout);
    return FinishStandardOutput(0, "", std::cout, std::cerr);
  }
  if (first == "help") {
    const Command* c = argc > 2 ? FindCommand(argv[2]) : nullptr;
    if (c) {
      c->help(std::cout);
    } else {
      PrintUsage(std::cout);
    }
    return FinishStandardOutput(0, "", std::cout, std::cerr);
  }
  const Command* command = FindCommand(first);
  if (!command) {
    std::cerr << "sarvexa-cli: unknown command \"" << first << "\" (try sarvexa-cli --help)\n";
    return kExitUsage;
  }
  const Arguments args(argv + 2, argv + argc);
  const int code = ExitCodeAfterSettings(command->run(args, std::cout, std::cerr));
  return FinishStandardOutput(code, command->name, std::cout, std::cerr);
}
