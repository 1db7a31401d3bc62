#pragma once

#include "ui/models/standings_model.h"

#include <QTableView>

#include <array>

namespace vexa {

// A standings grid: the race panel's `CRaceGrid` (header 20 pixels, rows 26, extra columns 110
// wide) or the race screen's `CspecGrid`, whose rows and font grow with the screen and shrink
// with the field, so that the standings fill it and can be read from the drivers' rostrum.
class StandingsGrid : public QTableView {
    Q_OBJECT
  public:
    StandingsGrid(const Standings& standings, StandingsModel::Grid grid, QWidget* parent = nullptr);

    StandingsModel& standingsModel() { return model_; }
    // Redraws every row, or only one row's "Car" cell.
    void refresh();
    void carCellChanged(int row);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    static constexpr int SpectatorColumns = 9;
    static std::array<int, SpectatorColumns> spectatorWidths(const QFont& font);
    void sizeColumns();
    void fitSpectatorRows();

    StandingsModel model_;
    StandingsModel::Grid grid_;
};

} // namespace vexa
