#include "ui/race/standings_grid.h"

#include "ui/models/grid_colours.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>

namespace vexa {

namespace {

enum Column { Pos, Car, Name, Laps, Time, LastLap, FastestLap, FixedColumns };

constexpr int OperatorHeaderHeight = 20;
constexpr int OperatorRowHeight = 26;
constexpr int ExtraColumnWidth = 110;
// The race screen is sized for a full field.
constexpr int SpectatorRows = 20;

// Paints a cell straight from the model: its background, and its text in the named colour with
// an outline where light text would vanish on the light grid.
class StandingsDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect;
        painter->fillRect(cell, index.data(Qt::BackgroundRole).value<QBrush>());
        const QRect text = cell.adjusted(4, 0, -4, 0);
        painter->setFont(option.font);
        drawGridText(*painter, text, index.data(Qt::TextAlignmentRole).toInt(),
                     index.data(Qt::DisplayRole).toString(),
                     index.data(Qt::ForegroundRole).value<QBrush>().color(),
                     index.data(StandingsModel::OutlineRole).toBool());
    }
};

} // namespace

StandingsGrid::StandingsGrid(const Standings& standings, StandingsModel::Grid grid, QWidget* parent)
    : QTableView(parent), model_(standings, grid), grid_(grid) {
    setObjectName(grid == StandingsModel::Grid::Operator ? QStringLiteral("CRaceGrid")
                                                         : QStringLiteral("CspecGrid"));
    setModel(&model_);
    setItemDelegate(new StandingsDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus); // the counting keys go to the race panel, never to the grid
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    if (grid == StandingsModel::Grid::Operator) {
        horizontalHeader()->setFixedHeight(OperatorHeaderHeight);
        verticalHeader()->setDefaultSectionSize(OperatorRowHeight);
    } else {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    connect(&model_, &QAbstractItemModel::modelReset, this, &StandingsGrid::sizeColumns);
    sizeColumns();
}

void StandingsGrid::refresh() {
    model_.refresh();
}

void StandingsGrid::carCellChanged(int row) {
    model_.carCellChanged(row);
}

void StandingsGrid::resizeEvent(QResizeEvent* event) {
    if (grid_ == StandingsModel::Grid::Spectator) {
        // Twenty rows and the header fill the height; the font follows the row height.
        const int row = std::max(OperatorRowHeight, event->size().height() / (SpectatorRows + 1));
        QFont big = font();
        big.setPixelSize(row * 6 / 10);
        big.setBold(true);
        setFont(big);
        horizontalHeader()->setFixedHeight(row);
        verticalHeader()->setDefaultSectionSize(row);
    }
    QTableView::resizeEvent(event);
    sizeColumns();
}

void StandingsGrid::sizeColumns() {
    QHeaderView* header = horizontalHeader();
    const int columns = model_.columnCount();
    if (header->count() < columns) return;
    header->setSectionResizeMode(Name, QHeaderView::Stretch);
    if (grid_ == StandingsModel::Grid::Operator) {
        const int widths[FixedColumns] = {34, 40, 0, 44, 64, 64, 74};
        for (int c = 0; c < FixedColumns; ++c)
            if (c != Name) setColumnWidth(c, widths[c]);
        for (int c = FixedColumns; c < columns; ++c) setColumnWidth(c, ExtraColumnWidth);
        return;
    }
    // The widest text each column shows, in the grid's font, and a margin.
    const QFontMetrics metrics(font());
    const char* const widest[] = {
        "Pos", "Car", "", "Laps", " 999.99", " 999.99", " 999.99", "+ 999.99", "Predicted Result"};
    const char* const headers[] = {"Pos",         "Car",        "",
                                   "Laps",        "Time",       "Last Lap",
                                   "Fastest Lap", "Leader Gap", "Predicted Result"};
    for (int c = 0; c < columns && c < 9; ++c) {
        if (c == Name) continue;
        const int w = std::max(metrics.horizontalAdvance(QString::fromLatin1(widest[c])),
                               metrics.horizontalAdvance(QString::fromLatin1(headers[c])));
        setColumnWidth(c, w + metrics.averageCharWidth() * 2);
    }
}

} // namespace vexa
