#pragma once

#include "model/result_cells.h"
#include "ui/drivers/enter_grid.h"

namespace vexa {

// The "Results" grid of the entry window: rounds 1..20 with their laps and times. Enter moves
// from "Laps" to "Time" and from "Time" to "Laps" of the next round.
class ResultsGrid : public EnterGrid {
    Q_OBJECT
  public:
    explicit ResultsGrid(QWidget* parent = nullptr);

    void showRows(const ResultRows& rows);
    // The texts as they stand now, the cell being typed into included.
    ResultRows typedRows();

    static constexpr int LapsColumn = 2;
    static constexpr int TimeColumn = 3;
};

} // namespace vexa
