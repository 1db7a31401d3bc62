#pragma once

namespace vexa {

struct Program;
class Operator;
class MainWindow;

// The "Correct Results" window on the stored races of the open event, from the main window's
// output menu and the race screen's race menu. A correction made there is stored and its pages
// written again; the open event takes the stored results back.
void openCorrectResults(Program& program, Operator& op, MainWindow& window);
void wireCorrectResults(Program& program, Operator& op, MainWindow& window);

} // namespace vexa
