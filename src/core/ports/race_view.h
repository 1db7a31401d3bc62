#pragma once

namespace vexa {

// The screens that draw the race engine's state: the main window's race panel, the race screen
// and the keyboard light. The engine tells them what to redraw; they read what they draw from
// the engine (RaceEngine::panel(), RaceEngine::standings()).
class RaceView {
  public:
    virtual ~RaceView() = default;
    // Labels, titles, progress bar, buttons of the race panel changed.
    virtual void panelChanged() = 0;
    // Both standings grids are to be redrawn completely.
    virtual void standingsChanged() = 0;
    // Only the "Car" cell of one standings row changed its colour (row 1-based).
    virtual void carCellChanged(int row) = 0;
    // The once-per-second keyboard light of a running race.
    virtual void toggleScrollLock() = 0;
};

} // namespace vexa
