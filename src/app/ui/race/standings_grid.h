#pragma once

#include "race/standings_tones.h"
#include "ui/models/standings_model.h"

#include <QTableView>

#include <vector>

namespace vexa {

// A standings grid: the race panel's `CRaceGrid` (at the zoom of 100 %, header 20 pixels, rows
// 26, extra columns 110 wide, all growing with the zoom) or the race screen's `CspecGrid`, whose
// rows fill the screen and shrink with the field, so that every car shows and can be read from
// the drivers' rostrum; there position, car, laps and time are drawn biggest. The columns are
// as wide as their widest text needs (numbers right-aligned); the name takes what is left.
class StandingsGrid : public QTableView {
    Q_OBJECT
  public:
    StandingsGrid(const Standings& standings, StandingsModel::Grid grid, QWidget* parent = nullptr);

    StandingsModel& standingsModel() { return model_; }
    // Redraws every row, or only one row's "Car" cell.
    void refresh();
    void carCellChanged(int row);

    // The standings' size in percent (50..300).
    void setZoom(int percent);
    int zoom() const { return zoom_; }
    void setTheme(StandingsTheme theme);
    StandingsTheme theme() const { return theme_; }
    // The font a column's cells are drawn in.
    const QFont& columnFont(int column) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layOut();
    void layOutOperator();
    void layOutSpectator();
    void applyWidths(const std::vector<int>& widths);
    std::vector<int> widthsFor(const QFont& big, const QFont& small) const;
    void paintTheme();

    StandingsModel model_;
    StandingsModel::Grid grid_;
    int zoom_ = 100;
    StandingsTheme theme_ = StandingsTheme::Light;
    QFont big_;   // the figures that matter most: position, car, laps, time
    QFont small_; // the rest
};

} // namespace vexa
