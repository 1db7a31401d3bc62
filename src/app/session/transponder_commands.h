#pragma once

namespace vexa {

struct Program;
class Operator;
class MainWindow;
struct ReportPrinting;

// "House Transponders" and "Transponders out" of the set-up menu, and the loans still out shown
// as the program ends, before the operator confirms it. `printing` lives as long as the window.
void wireTransponderDesk(Program& program, Operator& op, MainWindow& window,
                         const ReportPrinting& printing);

} // namespace vexa
