#pragma once

#include "race/standings_tones.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace vexa {

struct ProgSettings;
class RaceEngine;
class StandingsGrid;
class MarshalsList;
class ColourKey;

// The "Race Screen" for drivers and spectators: the standings grid `CspecGrid` above a band with
// the clock `specTimeLB` (red), the race title `specheatnumLB` (blue) and its round
// `specroundLB`, the "Marshals" in two columns and the "Colour Key". It opens where it stood
// when the program last ended, otherwise maximised on a second monitor when there is one. On the
// monitor of the main window it shows "Back to Race Panel", so that it never hides the race
// panel without a way back. Light, or dark with high contrast when the settings choose it.
class RaceScreen : public QWidget {
    Q_OBJECT
  public:
    RaceScreen(const RaceEngine& engine, ProgSettings& settings, QWidget* parent = nullptr);

    // "Spectator Screen": shows the window when it is hidden, hides it when it is shown.
    void toggle();

    // Redraws the clock, title, round and marshals.
    void refreshPanel();
    // Redraws every row, or one row's "Car" cell (row 1-based).
    void refreshStandings();
    void carCellChanged(int row);
    // The settings' zoom and theme, after they changed.
    void applySettings();
    // Keeps where the window stands in the settings (as it hides, and as the program ends).
    void keepPlace();

    StandingsGrid& grid() { return *grid_; }

  signals:
    // "Back to Race Panel" was pressed: the window is hidden.
    void backToRacePanel();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void showBackButton();
    void paintTheme();
    void sizeBand(int height);

    const RaceEngine& engine_;
    ProgSettings& settings_;
    StandingsTheme theme_ = StandingsTheme::Light;
    StandingsGrid* grid_;
    QLabel* clock_;
    QLabel* title_;
    QLabel* round_;
    QPushButton* back_;
    MarshalsList* marshals_;
    ColourKey* key_;
};

} // namespace vexa
