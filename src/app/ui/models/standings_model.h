#pragma once

#include "race/standings.h"

#include <QAbstractTableModel>

#include <array>
#include <string>
#include <vector>

namespace vexa {

// The live standings as a Qt table for one of the two grids: the operator grid (`CRaceGrid`,
// seven fixed columns and the visible extra columns) or the race screen grid (`CspecGrid`,
// seven fixed columns, "Leader Gap" and "Predicted Result"). It converts the core's rows for the
// view and names the colours of each cell; the rows themselves come from the race engine.
class StandingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum class Grid { Operator, Spectator };
    // The cell's GridColour background and text as numbers, for the delegate and tests; the
    // tones they are drawn in follow the grid's theme (standings_tones.h).
    static constexpr int GridBackgroundRole = Qt::UserRole + 2;
    static constexpr int GridTextRole = Qt::UserRole + 3;

    StandingsModel(const Standings& standings, Grid grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Every row was rebuilt (the standings changed, or the extra columns): every row is read
    // again, and the rows whose cells changed are told to the view.
    void refresh();
    // Only the "Car" cell of a row (1-based) changed its colour.
    void carCellChanged(int row);

  private:
    int countColumns() const;
    const std::string* text(const StandingsRow& row, int column) const;
    bool sameCells(const StandingsRow& a, const StandingsRow& b) const;

    const Standings& standings_;
    Grid grid_;
    int rows_ = 0;
    int columns_ = 0;
    std::array<std::string, Standings::ExtraSlots> headers_;
    std::vector<StandingsRow> shown_; // the rows as the view last drew them
};

} // namespace vexa
