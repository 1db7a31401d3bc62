#pragma once

#include "model/racing_table.h"
#include "programme/cell_editing.h"

#include <QAbstractTableModel>

#include <string>

namespace vexa {

// A heats or finals table as a grid: a column per race 1..50 with the race number above it, and
// the information row ("Info") over slots 1..20 down the side. The cells are the table's own
// texts; nothing is copied, so drawing a full table costs no more than reading it.
class RacingTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int Rows = MaxSlots + 1; // the information row, then slots 1..20

    explicit RacingTableModel(RacingTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    RacingTable& table() { return table_; }
    const RacingTable& table() const { return table_; }

    // The table's own address of a model cell (grid column 2..51, row 1..21), and back.
    static GridCell gridCell(const QModelIndex& index);
    QModelIndex indexOf(GridCell cell) const;
    static int race(const QModelIndex& index) { return index.column() + 1; }

    // Writes one cell and redraws only that cell.
    void setCellText(const QModelIndex& index, std::string text);
    // Redraws races first..last after the table was changed there.
    void racesChanged(int first, int last);
    // Redraws the whole table.
    void tableChanged();

  private:
    RacingTable& table_;
};

} // namespace vexa
