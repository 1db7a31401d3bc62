#include "ui/race/standings_grid.h"

#include "ui/models/grid_colours.h"

#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace vexa {

namespace {

enum Column { Pos, Car, Name, Laps, Time, LastLap, FastestLap, FixedColumns };

constexpr int OperatorHeaderHeight = 20;
constexpr int OperatorRowHeight = 26;
constexpr int ExtraColumnWidth = 110;
// The race screen's rows grow for a small field down to this many.
constexpr int SpectatorMinimumRows = 10;

// Paints a cell straight from the model: its background where it is not the grid's own, and its
// text in the named colour with an outline where light text would vanish on the light grid. The
// texts are laid out once and kept, since most of them stay the same from one passing to the next.
class StandingsDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect;
        const auto background =
            static_cast<GridColour>(index.data(StandingsModel::GridBackgroundRole).toInt());
        if (background != GridColour::Normal)
            painter->fillRect(cell, gridColour(background, option.palette));
        const QStaticText& text = laidOut(index.data(Qt::DisplayRole).toString(), option.font);
        if (text.text().isEmpty()) return;
        const QSizeF size = text.size();
        const QRect room = cell.adjusted(4, 0, -4, 0);
        const int alignment = index.data(Qt::TextAlignmentRole).toInt();
        const qreal x =
            (alignment & Qt::AlignRight) ? room.right() + 1 - size.width() : room.left();
        const QPointF at(x, room.top() + (room.height() - size.height()) / 2.0);
        const auto colour =
            static_cast<GridColour>(index.data(StandingsModel::GridTextRole).toInt());
        painter->setFont(option.font);
        if (needsOutline(colour, background)) {
            painter->setPen(OutlineColour);
            for (const QPointF offset :
                 {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
                painter->drawStaticText(at + offset, text);
        }
        painter->setPen(gridColour(colour, option.palette));
        painter->drawStaticText(at, text);
    }

  private:
    static constexpr int KeptTexts = 4000;

    const QStaticText& laidOut(const QString& text, const QFont& font) const {
        if (font != font_) {
            font_ = font;
            texts_.clear();
        }
        if (texts_.size() > KeptTexts) texts_.clear();
        auto found = texts_.find(text);
        if (found == texts_.end()) {
            QStaticText laid(text);
            laid.setTextFormat(Qt::PlainText);
            laid.prepare(QTransform(), font);
            found = texts_.insert(text, laid);
        }
        return *found;
    }

    mutable QFont font_;
    mutable QHash<QString, QStaticText> texts_;
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
    // The grid's own background is the cells' normal one, so only coloured cells are filled.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, gridColour(GridColour::Normal, colours));
    setPalette(colours);
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
    QTableView::resizeEvent(event);
    if (grid_ == StandingsModel::Grid::Spectator)
        fitSpectatorRows();
    else
        sizeColumns();
}

void StandingsGrid::sizeColumns() {
    QHeaderView* header = horizontalHeader();
    if (header->count() < model_.columnCount()) return;
    header->setSectionResizeMode(Name, QHeaderView::Stretch);
    if (grid_ == StandingsModel::Grid::Spectator) {
        fitSpectatorRows();
        return;
    }
    const int widths[FixedColumns] = {34, 40, 0, 44, 64, 64, 74};
    for (int c = 0; c < FixedColumns; ++c)
        if (c != Name) setColumnWidth(c, widths[c]);
    for (int c = FixedColumns; c < model_.columnCount(); ++c) setColumnWidth(c, ExtraColumnWidth);
}

std::array<int, StandingsGrid::SpectatorColumns> StandingsGrid::spectatorWidths(const QFont& font) {
    // The widest text each column shows, and a margin; the name takes what is left.
    const QFontMetrics metrics(font);
    const char* const widest[] = {
        "Pos", "Car", "", "Laps", " 999.99", " 999.99", " 999.99", "+ 999.99", "Predicted Result"};
    const char* const headers[] = {"Pos",         "Car",        "",
                                   "Laps",        "Time",       "Last Lap",
                                   "Fastest Lap", "Leader Gap", "Predicted Result"};
    std::array<int, SpectatorColumns> widths{};
    for (int c = 0; c < SpectatorColumns; ++c) {
        if (c == Name) continue;
        const int w = std::max(metrics.horizontalAdvance(QString::fromLatin1(widest[c])),
                               metrics.horizontalAdvance(QString::fromLatin1(headers[c])));
        widths[static_cast<size_t>(c)] = w + metrics.averageCharWidth() * 2;
    }
    widths[Name] = metrics.averageCharWidth() * 16;
    return widths;
}

void StandingsGrid::fitSpectatorRows() {
    // The rows fill the height (ten rows at least, so that a small field does not shout), and
    // the font follows the row height unless the columns would not fit across.
    const int rows = std::max(model_.rowCount(), SpectatorMinimumRows);
    const int row = std::max(OperatorRowHeight, height() / (rows + 1));
    QFont big = font();
    big.setBold(true);
    big.setPixelSize(std::max(8, row * 6 / 10));
    const auto sum = [](const std::array<int, SpectatorColumns>& w) {
        int total = 0;
        for (int x : w) total += x;
        return total;
    };
    const int across = sum(spectatorWidths(big));
    const int room = width() - 4;
    if (across > room && room > 0) big.setPixelSize(std::max(8, big.pixelSize() * room / across));
    setFont(big);
    horizontalHeader()->setFixedHeight(row);
    verticalHeader()->setDefaultSectionSize(row);
    const auto widths = spectatorWidths(big);
    if (horizontalHeader()->count() < SpectatorColumns) return;
    for (int c = 0; c < SpectatorColumns; ++c)
        if (c != Name) setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

} // namespace vexa
