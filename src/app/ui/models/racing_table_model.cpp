#include "ui/models/racing_table_model.h"

#include "platform/latin1.h"

#include <algorithm>

namespace vexa {

RacingTableModel::RacingTableModel(RacingTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int RacingTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Rows;
}

int RacingTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : MaxRaces;
}

QVariant RacingTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) {
        const GridCell cell = gridCell(index);
        return toQt(table_.cell(cell.column, cell.row));
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

QVariant RacingTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    // Races are numbered by their place, so a race dragged elsewhere takes the number there.
    if (orientation == Qt::Horizontal) return QString::number(section + 1);
    return section == 0 ? QStringLiteral("Info") : QString::number(section);
}

GridCell RacingTableModel::gridCell(const QModelIndex& index) {
    return {index.column() + RacingTable::FirstColumn, index.row() + RacingTable::InfoRow};
}

QModelIndex RacingTableModel::indexOf(GridCell cell) const {
    return index(cell.row - RacingTable::InfoRow, cell.column - RacingTable::FirstColumn);
}

void RacingTableModel::setCellText(const QModelIndex& index, std::string text) {
    const GridCell cell = gridCell(index);
    table_.setCell(cell.column, cell.row, std::move(text));
    emit dataChanged(index, index, {Qt::DisplayRole});
}

void RacingTableModel::racesChanged(int first, int last) {
    if (first > last) std::swap(first, last);
    first = std::clamp(first, 1, MaxRaces);
    last = std::clamp(last, 1, MaxRaces);
    emit dataChanged(index(0, first - 1), index(Rows - 1, last - 1), {Qt::DisplayRole});
}

void RacingTableModel::tableChanged() {
    racesChanged(1, MaxRaces);
}

} // namespace vexa
