#pragma once

#include <functional>

namespace vexa {

struct Program;
class MainWindow;
class Operator;
class RaceStation;
class SettingsWindow;

// What the "Setup" window is wired to.
struct SettingsCommandParts {
    Program& program;
    Operator& op;
    RaceStation& station; // the engine, the counting equipment and the track controller it sets
    MainWindow& main;
    std::function<void()> waitForEquipment; // returns once the "AMB Connection" window has gone
    std::function<void()> displaySettingsChanged;
};

// Makes the "Setup" window (once, hidden) and connects "Program Setup" to it. Returns the window,
// which the main window owns.
SettingsWindow& wireSettingsCommands(const SettingsCommandParts& parts);

} // namespace vexa
