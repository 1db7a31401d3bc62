#pragma once

#include <functional>

namespace vexa {

struct ProgSettings;
class MainWindow;
class RacePanelWidget;
class RaceScreen;
class RaceStation;
class RaceViewBridge;

// What the race screens are wired to.
struct RaceScreenParts {
    RaceStation& station; // the engine they draw, the inputs they press, the equipment's status
    ProgSettings& settings;
    MainWindow& main;
    RaceViewBridge& view;                 // the engine's redraw notices
    std::function<void()> zoomed;         // the standings' zoom changed (Ctrl+plus, Ctrl+minus)
    std::function<void()> correctResults; // "Correct Results" of the race panel's menu
};

// The race panel and the race screen for spectators, made by wireRaceScreen.
struct RaceScreens {
    RacePanelWidget* panel;
    RaceScreen* spectators;
    // Both draw the display settings (zoom, theme) again.
    void applySettings() const;
};

// Puts the race panel on the main window's race screen and makes the race screen for
// spectators, the "Penalty" window, the lap counters' keys and the keyboard light, all following
// the race engine's redraw notices.
RaceScreens wireRaceScreen(const RaceScreenParts& parts);

} // namespace vexa
