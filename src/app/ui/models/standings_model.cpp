#include "ui/models/standings_model.h"

#include "platform/latin1.h"

namespace vexa {

namespace {

enum Column { Pos, Car, Name, Laps, Time, LastLap, FastestLap, FixedColumns };

const char* const FixedHeaders[FixedColumns] = {"Pos",  "Car",      " Name",      "Laps",
                                                "Time", "Last Lap", "Fastest Lap"};

} // namespace

StandingsModel::StandingsModel(const Standings& standings, Grid grid, QObject* parent)
    : QAbstractTableModel(parent), standings_(standings), grid_(grid),
      rows_(static_cast<int>(standings.rows().size())), columns_(countColumns()),
      shown_(standings.rows()) {}

int StandingsModel::countColumns() const {
    return FixedColumns + (grid_ == Grid::Spectator ? 2 : standings_.visibleSlots());
}

int StandingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int StandingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

const std::string* StandingsModel::text(const StandingsRow& row, int column) const {
    switch (column) {
    case Pos:
        return &row.pos;
    case Car:
        return &row.car;
    case Name:
        return &row.name;
    case Laps:
        return &row.laps;
    case Time:
        return &row.time;
    case LastLap:
        return &row.lastLap;
    case FastestLap:
        return &row.fastestLap;
    default:
        break;
    }
    const int extra = column - FixedColumns;
    if (grid_ == Grid::Spectator) return extra == 0 ? &row.leaderGap : &row.predicted;
    return &row.extra[static_cast<size_t>(extra)];
}

QVariant StandingsModel::data(const QModelIndex& index, int role) const {
    const auto& rows = standings_.rows();
    if (!index.isValid() || index.row() >= static_cast<int>(rows.size()) ||
        index.column() >= columns_)
        return {};
    const StandingsRow& row = rows[static_cast<size_t>(index.row())];
    const int column = index.column();
    const bool lapsOrTime = column == Laps || column == Time;
    const GridColour background = lapsOrTime ? row.lapsTimeBackground : GridColour::Normal;
    GridColour textColour = GridColour::Black;
    if (column == Car) textColour = row.carText;
    if (column == Name) textColour = row.nameText;
    if (lapsOrTime) textColour = row.lapsTimeText;

    switch (role) {
    case Qt::DisplayRole:
        return toQt(*text(row, column));
    case Qt::TextAlignmentRole:
        return column == Name ? int(Qt::AlignLeft | Qt::AlignVCenter)
                              : int(Qt::AlignRight | Qt::AlignVCenter);
    case GridBackgroundRole:
        return static_cast<int>(background);
    case GridTextRole:
        return static_cast<int>(textColour);
    default:
        return {};
    }
}

QVariant StandingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= columns_) return {};
    if (section < FixedColumns) return QString::fromLatin1(FixedHeaders[section]);
    if (grid_ == Grid::Spectator)
        return section == FixedColumns ? QStringLiteral("Leader Gap")
                                       : QStringLiteral("Predicted Result");
    return toQt(standings_.extraHeader(section - FixedColumns + 1));
}

void StandingsModel::refresh() {
    const int rows = static_cast<int>(standings_.rows().size());
    const int columns = countColumns();
    if (rows != rows_ || columns != columns_) {
        beginResetModel();
        rows_ = rows;
        columns_ = columns;
        shown_ = standings_.rows();
        endResetModel();
        return;
    }
    // Every row is read again; the view repaints the rows whose cells changed.
    const auto& now = standings_.rows();
    int first = -1;
    for (int r = 0; r <= rows_; ++r) {
        const bool changed =
            r < rows_ && !sameCells(now[static_cast<size_t>(r)], shown_[static_cast<size_t>(r)]);
        if (changed && first < 0) first = r;
        if (!changed && first >= 0) {
            emit dataChanged(index(first, 0), index(r - 1, columns_ - 1));
            first = -1;
        }
    }
    shown_ = now;
    if (grid_ == Grid::Operator) {
        // The extra columns' headers are drawn again only when their choice changed.
        std::array<std::string, Standings::ExtraSlots> headers;
        for (int k = 1; k <= Standings::ExtraSlots; ++k)
            headers[static_cast<size_t>(k - 1)] = standings_.extraHeader(k);
        if (headers != headers_) {
            headers_ = headers;
            emit headerDataChanged(Qt::Horizontal, FixedColumns, columns_ - 1);
        }
    }
}

bool StandingsModel::sameCells(const StandingsRow& a, const StandingsRow& b) const {
    for (int c = 0; c < columns_; ++c)
        if (*text(a, c) != *text(b, c)) return false;
    return a.carText == b.carText && a.nameText == b.nameText &&
           a.lapsTimeBackground == b.lapsTimeBackground && a.lapsTimeText == b.lapsTimeText;
}

void StandingsModel::carCellChanged(int row) {
    if (row < 1 || row > rows_ || static_cast<size_t>(row) > standings_.rows().size()) return;
    shown_[static_cast<size_t>(row - 1)].carText =
        standings_.rows()[static_cast<size_t>(row - 1)].carText;
    const QModelIndex cell = index(row - 1, Car);
    emit dataChanged(cell, cell, {GridTextRole});
}

} // namespace vexa
