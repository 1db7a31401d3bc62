#pragma once

namespace vexa {

struct EventData;
struct Program;
struct ReportPrinting;
class EndOfRound;
class MainWindow;
class Operator;
class ResultOutputs;
class TablesScreen;

// What the tables screen is wired to.
struct TableCommandParts {
    Program& program;
    Operator& op;
    MainWindow& window;
    const ReportPrinting& printing;
    ResultOutputs& outputs; // writes the overall results pages the sort window asks for
    EndOfRound& endOfRound;
};

// Puts the tables screen on the main window's tables page, draws it each time it is shown, and
// connects "Find" of the driver menu, "Multiple FTD" of the sort window, the table sorting of
// "Enter Finals", and the screen's double clicks to the driver commands' entry window
// ("Drivers Details") and "Frequencies". Made after the driver commands.
void wireTableCommands(const TableCommandParts& parts);
// The tables screen of the main window.
TablesScreen& tablesScreen(MainWindow& window);
// "Find Driver" for a competitor: "GO TO >>" shows the tables screen with the found cell
// selected on its table's page.
void openFindDriver(MainWindow& window, const EventData& event, int id);
// "Enter Finals" on the end-of-round window: the finals page, then the "Sort Table" windows with
// the finals table fixed. Returns whether the finals table was rebuilt (and written).
bool sortTableForFinals(MainWindow& window);

} // namespace vexa
