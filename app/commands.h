#pragma once
// The program's commands: their numbers, menu texts (mnemonic and, after a
// tab, the accelerator) and status-bar prompts. The menu, the toolbar and the
// tests all read this one table.

#include <span>

class QAction;
class QObject;

namespace sarvexa {

namespace command {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int ExportText = 32788;
inline constexpr int ExportCsv = 32787;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int RecentFile = 57616;
inline constexpr int CurrentPrasna = 32781;
inline constexpr int AppExit = 57665;
inline constexpr int EditChartData = 32779;
inline constexpr int SetPrasnaLocation = 32780;
inline constexpr int CalculationSettings = 32814;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int ViewChart = 32776;
inline constexpr int ViewMahaBukti = 32777;
inline constexpr int PratyantarFirst = 32790;  ///< Ketu; + DashaLord up to 32798 Mercury
inline constexpr int PratyantarLast = 32798;
inline constexpr int ViewDivisional = 32778;
inline constexpr int ViewEphemeris = 32782;
inline constexpr int ViewSaAnalysis = 32783;
inline constexpr int ViewSaTransits = 32799;
inline constexpr int StyleNorth = 32774;
inline constexpr int StyleSouth = 32775;
inline constexpr int ColorOff = 32801;
inline constexpr int ColorOn = 32802;
inline constexpr int ViewZoomIn = 32803;
inline constexpr int ViewZoomOut = 32804;
inline constexpr int ViewFitPage = 32805;
inline constexpr int ViewSensitivity = 32806;
inline constexpr int BirthTimeEarlier = 32807;
inline constexpr int BirthTimeLater = 32808;
inline constexpr int BirthStepFirst = 32809;  ///< 1 minute; + BirthStep up to 32812 (1 day)
inline constexpr int BirthStepLast = 32812;
inline constexpr int BirthTimeReset = 32813;
inline constexpr int HelpContents = 32784;
inline constexpr int HelpAbout = 57664;
}  // namespace command

/// One command: id, menu text ("&New\tCtrl+N": mnemonic, tab, accelerator)
/// and prompt ("status text\ntooltip"; empty when the item has none).
struct CommandInfo {
  int id;
  const char* text;
  const char* prompt;
};

/// Every command of the menu, in menu order.
std::span<const CommandInfo> Commands();

/// The entry of a command id, nullptr when there is none.
const CommandInfo* FindCommand(int id);

/// The action of command `id` (which must be in the table): its menu text,
/// accelerator, status tip and tooltip, with the id as its data.
QAction* MakeCommandAction(int id, QObject* parent);

}  // namespace sarvexa
