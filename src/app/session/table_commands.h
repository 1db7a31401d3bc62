#pragma once

namespace vexa {

class Session;
class TablesScreen;

// Puts the tables screen on the main window's tables page, draws it each time it is shown, and
// connects "Find" of the driver menu, "Multiple FTD" of the sort window, the table sorting of
// "Enter Finals", and the screen's double clicks to the driver commands' entry window
// ("Drivers Details") and "Frequencies". Made after the driver commands.
void wireTableCommands(Session& session);

// The tables screen of the session's main window.
TablesScreen& tablesScreen(Session& session);

// "Find Driver" for a competitor: "GO TO >>" shows the tables screen with the found cell
// selected on its table's page.
void openFindDriver(Session& session, int id);

// "Enter Finals" on the end-of-round window: the finals page, then the "Sort Table" windows with
// the finals table fixed. Returns whether the finals table was rebuilt (and written).
bool sortTableForFinals(Session& session);

} // namespace vexa
