#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace vexa {

struct ProgSettings;
class RaceEngine;
class RaceInputs;
class StandingsGrid;
class PlacePictures;

// The main window's race panel: the operator's standings grid `CRaceGrid` with its extra columns,
// the clock `TimeLB`, the progress bar `timebar`, the race title `heatnumLB` and its round
// `roundLB`, the "Race Information" (start type `rtype`, race length `racedur`, the counting
// equipment, the first three places' pictures), the "COLOUR CODE (KEY)", the "Marshals"
// `marshalLB`, and the race
// director's controls: the countdown buttons on `PreButtons`, "Race Options" with the race menu
// `rsmenu`, "Enable Keys", "Re-Print Laptimes", "Passing Beeps" and "Copies". It draws the race
// engine's panel and standings; the race director's actions go through the race's inputs.
class RacePanelWidget : public QWidget {
    Q_OBJECT
  public:
    // `countingEquipment` gives the counting equipment's status text ("Manual Timing", ...).
    RacePanelWidget(RaceEngine& engine, RaceInputs& inputs, ProgSettings& settings,
                    std::function<std::string()> countingEquipment, QWidget* parent = nullptr);

    StandingsGrid& grid() { return *grid_; }
    QMenu& raceMenu() { return *raceMenu_; }
    QMenu& extraColumnMenu() { return *extraMenu_; }

    // Redraws the labels, progress bar and buttons from the engine's panel.
    void refreshPanel();
    // The settings' zoom of the standings, after it changed.
    void applySettings();
    // Redraws every row and the places' pictures, or one row's "Car" cell (row 1-based).
    void refreshStandings();
    void carCellChanged(int row);
    // A press on the grid's header column: the extra-column menu for its slot, when the column
    // is an extra one and the counting keys are off.
    void headerPressed(int column);

  signals:
    void penaltyRequested();         // "Give Time Penalty"
    void spectatorScreenRequested(); // "Spectator Screen"
    void correctResultsRequested();  // "Correct Results", when no race runs

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QWidget* buildControls();
    QWidget* buildInformation();
    void buildRaceMenu();
    void chooseExtraColumn(int slot);

    RaceEngine& engine_;
    RaceInputs& inputs_;
    ProgSettings& settings_;
    std::function<std::string()> countingEquipment_;
    StandingsGrid* grid_;
    QProgressBar* timebar_;
    int timebarColour_ = -1;
    QLabel* clock_;
    QLabel* title_;
    QLabel* round_;
    QLabel* startType_;
    QLabel* raceLength_;
    QLabel* equipment_;
    PlacePictures* pictures_;
    QListWidget* marshals_;
    std::vector<std::string> shownMarshals_;
    QWidget* preButtons_;
    QPushButton* readOrder_;
    QPushButton* pause_;
    QPushButton* raceOptions_;
    QPushButton* keys_;
    QCheckBox* passBeeps_;
    QSpinBox* copies_;
    QMenu* raceMenu_;
    QMenu* extraMenu_;
};

} // namespace vexa
