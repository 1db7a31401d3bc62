#include "ui/race/standings_grid.h"

#include "ui/race/standings_delegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace vexa {

namespace {

enum Column { Pos, Car, Name, Laps, Time, LastLap, FastestLap, FixedColumns };

// The race panel's sizes at the zoom of 100 %.
constexpr int OperatorHeaderHeight = 20;
constexpr int OperatorRowHeight = 26;
constexpr int OperatorWidths[FixedColumns] = {34, 40, 0, 44, 64, 64, 74};
constexpr int ExtraColumnWidth = 110;
// The race screen's rows grow for a small field down to this many (at 100 %).
constexpr int SpectatorMinimumRows = 10;
// The room a cell and a header section leave around their text.
constexpr int CellPadding = 8;
constexpr int HeaderPadding = 14;

// The widest text a column shows, and its widest header.
struct ColumnTexts {
    const char* widest;
    const char* header;
};
ColumnTexts columnTexts(StandingsModel::Grid grid, int column) {
    static const ColumnTexts fixed[FixedColumns] = {{"20", "Pos"},
                                                    {"999", "Car"},
                                                    {"", " Name"},
                                                    {"999", "Laps"},
                                                    {"9999.99", "Time"},
                                                    {"9999.99", "Last Lap"},
                                                    {"9999.99", "Fastest Lap"}};
    if (column < FixedColumns) return fixed[column];
    if (grid == StandingsModel::Grid::Spectator && column == FixedColumns)
        return {"+ 9999.99", "Leader Gap"};
    // An extra column may show any of its kinds: the longest header and value.
    return {"99/9999.99", "Predicted Result"};
}

bool biggest(StandingsModel::Grid grid, int column) {
    return grid == StandingsModel::Grid::Spectator &&
           (column == Pos || column == Car || column == Laps || column == Time);
}

int scaled(int pixels, int zoom) {
    return static_cast<int>(std::lround(pixels * zoom / 100.0));
}

QFont withPixels(QFont font, int pixels, bool bold) {
    font.setPixelSize(std::max(8, pixels));
    font.setBold(bold);
    return font;
}

} // namespace

StandingsGrid::StandingsGrid(const Standings& standings, StandingsModel::Grid grid, QWidget* parent)
    : QTableView(parent), model_(standings, grid), grid_(grid) {
    setObjectName(grid == StandingsModel::Grid::Operator ? QStringLiteral("CRaceGrid")
                                                         : QStringLiteral("CspecGrid"));
    setModel(&model_);
    setItemDelegate(new StandingsDelegate([this](int c) -> const QFont& { return columnFont(c); },
                                          [this] { return theme_; }, this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus); // the counting keys go to the window, never to the grid
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    if (grid == StandingsModel::Grid::Spectator) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    big_ = small_ = font();
    paintTheme();
    connect(&model_, &QAbstractItemModel::modelReset, this, &StandingsGrid::layOut);
    layOut();
}

void StandingsGrid::refresh() {
    model_.refresh();
}

void StandingsGrid::carCellChanged(int row) {
    model_.carCellChanged(row);
}

void StandingsGrid::setZoom(int percent) {
    if (percent == zoom_) return;
    zoom_ = percent;
    layOut();
}

void StandingsGrid::setTheme(StandingsTheme theme) {
    if (theme == theme_) return;
    theme_ = theme;
    paintTheme();
    viewport()->update();
}

const QFont& StandingsGrid::columnFont(int column) const {
    return biggest(grid_, column) || grid_ == StandingsModel::Grid::Operator ? big_ : small_;
}

void StandingsGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    layOut();
}

void StandingsGrid::layOut() {
    if (grid_ == StandingsModel::Grid::Spectator)
        layOutSpectator();
    else
        layOutOperator();
}

std::vector<int> StandingsGrid::widthsFor(const QFont& big, const QFont& small) const {
    // Measured with the fonts given, as the columns would be drawn in them.
    const QFontMetrics bigMetrics(big), smallMetrics(small);
    const QFontMetrics headerMetrics(grid_ == StandingsModel::Grid::Spectator ? small : big);
    std::vector<int> widths(static_cast<size_t>(model_.columnCount()), 0);
    for (int c = 0; c < model_.columnCount(); ++c) {
        if (c == Name) continue;
        const ColumnTexts texts = columnTexts(grid_, c);
        const QFontMetrics& cellMetrics =
            biggest(grid_, c) || grid_ == StandingsModel::Grid::Operator ? bigMetrics
                                                                         : smallMetrics;
        widths[static_cast<size_t>(c)] = std::max(
            cellMetrics.horizontalAdvance(QString::fromLatin1(texts.widest)) + CellPadding,
            headerMetrics.horizontalAdvance(QString::fromLatin1(texts.header)) + HeaderPadding);
    }
    return widths;
}

void StandingsGrid::applyWidths(const std::vector<int>& widths) {
    QHeaderView* header = horizontalHeader();
    if (header->count() < model_.columnCount()) return;
    header->setSectionResizeMode(Name, QHeaderView::Stretch);
    for (int c = 0; c < model_.columnCount(); ++c)
        if (c != Name) setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

void StandingsGrid::layOutOperator() {
    // The application's font, grown with the zoom; the rows and columns with it.
    const QFont base = QApplication::font(this);
    const qreal points = base.pointSizeF() > 0 ? base.pointSizeF() : 9.0;
    QFont zoomed = base;
    zoomed.setPointSizeF(points * zoom_ / 100.0);
    big_ = small_ = zoomed;
    horizontalHeader()->setFont(zoomed);
    const QFontMetrics metrics(zoomed);
    horizontalHeader()->setFixedHeight(
        std::max(scaled(OperatorHeaderHeight, zoom_), metrics.height() + 4));
    verticalHeader()->setDefaultSectionSize(
        std::max(scaled(OperatorRowHeight, zoom_), metrics.height() + 6));
    horizontalHeader()->setMinimumSectionSize(metrics.averageCharWidth() * 3);
    std::vector<int> widths = widthsFor(zoomed, zoomed);
    for (int c = 0; c < model_.columnCount(); ++c) {
        if (c == Name) continue;
        const int least = c < FixedColumns ? OperatorWidths[c] : ExtraColumnWidth;
        widths[static_cast<size_t>(c)] =
            std::max(widths[static_cast<size_t>(c)], scaled(least, zoom_));
    }
    applyWidths(widths);
}

void StandingsGrid::layOutSpectator() {
    // The rows fill the height (ten at least at 100 %, fewer with a bigger zoom, so that a small
    // field does not shout unless asked to), and the fonts follow the row height unless the
    // columns would not fit across.
    const int least = std::max(1, SpectatorMinimumRows * 100 / std::max(zoom_, 1));
    const int rows = std::max(model_.rowCount(), least);
    const int row = std::max(OperatorRowHeight, height() / (rows + 1));
    const QFont base = font();
    auto fonts = [&](double scale) {
        return std::pair{withPixels(base, static_cast<int>(row * 0.66 * scale), true),
                         withPixels(base, static_cast<int>(row * 0.46 * scale), true)};
    };
    auto [big, small] = fonts(1.0);
    const std::vector<int> wanted = widthsFor(big, small);
    int across = QFontMetrics(small).averageCharWidth() * 12; // the name at least
    for (int w : wanted) across += w;
    const int room = width() - 4;
    if (across > room && room > 0) std::tie(big, small) = fonts(double(room) / across);
    big_ = big;
    small_ = small;
    horizontalHeader()->setFont(small_);
    horizontalHeader()->setFixedHeight(row);
    verticalHeader()->setDefaultSectionSize(row);
    applyWidths(widthsFor(big_, small_));
}

void StandingsGrid::paintTheme() {
    const ThemeTones tones = themeTones(theme_);
    QPalette colours = palette();
    colours.setColor(QPalette::Base,
                     toQColor(cellTones(GridColour::Black, GridColour::Normal, theme_).background));
    setPalette(colours);
    const bool dark = theme_ == StandingsTheme::Dark;
    horizontalHeader()->setStyleSheet(
        dark ? QStringLiteral("QHeaderView::section { background: %1; color: %2; border: 0; "
                              "padding-left: 4px; }")
                   .arg(toQColor(tones.header).name(), toQColor(tones.headerText).name())
             : QString());
    setStyleSheet(dark ? QStringLiteral("QTableView { gridline-color: #505050; border: 0; }")
                       : QString());
}

} // namespace vexa
