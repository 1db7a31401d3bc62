#pragma once

#include <QWidget>

class QLabel;

namespace vexa {

class RaceEngine;
class StandingsGrid;
class MarshalsList;
class ColourKey;

// The "Race Screen" for drivers and spectators: the standings grid `CspecGrid` above a band with
// the clock `specTimeLB` (red), the race title `specheatnumLB` (blue), the "Marshals" in two
// columns and the "Colour Key". Opened maximised, on a second monitor when there is one.
class RaceScreen : public QWidget {
    Q_OBJECT
  public:
    explicit RaceScreen(const RaceEngine& engine, QWidget* parent = nullptr);

    // "Spectator Screen": shows the window when it is hidden, hides it when it is shown.
    void toggle();

    // Redraws the clock, title and marshals.
    void refreshPanel();
    // Redraws every row, or one row's "Car" cell (row 1-based).
    void refreshStandings();
    void carCellChanged(int row);

    StandingsGrid& grid() { return *grid_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    const RaceEngine& engine_;
    StandingsGrid* grid_;
    QLabel* clock_;
    QLabel* title_;
    MarshalsList* marshals_;
    ColourKey* key_;
};

} // namespace vexa
