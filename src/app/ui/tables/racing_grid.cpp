#include "ui/tables/racing_grid.h"

#include "model/limits.h"
#include "platform/latin1.h"
#include "programme/cell_editing.h"
#include "programme/table_moves.h"
#include "ui/models/racing_table_model.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace vexa {

namespace {

constexpr int RaceColumnWidth = 30;

// Keys that type into a cell, as against keys that move the selection (arrows, Tab, Page Up).
bool typingKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

CellKey cellKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return CellKey::Backspace;
    case Qt::Key_Delete:
        return CellKey::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CellKey::Enter;
    default:
        break;
    }
    const QString text = event.text();
    const bool digit =
        text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
    return digit ? CellKey::Digit : CellKey::Other;
}

// Race cells hold a few digits: drawn as plain centred text on the cell's background, a thousand
// cells at a time, without the general item machinery (text layout, eliding, icons).
class RaceCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect, Qt::AlignCenter, index.data().toString());
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(option.palette.color(group, QPalette::Text), 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
    }
};

} // namespace

RacingGrid::RacingGrid(RacingTableModel& model, const char* objectName, QWidget* parent)
    : QTableView(parent), model_(model) {
    setObjectName(QString::fromLatin1(objectName));
    setModel(&model_);
    setItemDelegate(new RaceCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    QHeaderView* races = horizontalHeader();
    races->setDefaultSectionSize(RaceColumnWidth);
    races->setMinimumSectionSize(RaceColumnWidth);
    races->setSectionResizeMode(QHeaderView::Fixed);
    races->setSectionsMovable(true);
    races->setHighlightSections(true);
    QHeaderView* slotRows = verticalHeader();
    slotRows->setDefaultSectionSize(fontMetrics().height() + 4);
    slotRows->setSectionResizeMode(QHeaderView::Fixed);
    slotRows->setDefaultAlignment(Qt::AlignCenter);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    connect(races, &QHeaderView::sectionMoved, this,
            [this](int, int oldVisual, int newVisual) { raceDragged(oldVisual, newVisual); });
    connect(this, &QAbstractItemView::clicked, this, &RacingGrid::sideBarStale);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        emit cellDoubleClicked(RacingTableModel::race(index), index.row());
    });
    setCurrentIndex(model_.index(1, 0));
}

int RacingGrid::selectedRace() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? RacingTableModel::race(current) : 1;
}

void RacingGrid::selectCell(int race, int slot) {
    const QModelIndex index = model_.index(slot, race - 1);
    if (!index.isValid()) return;
    setCurrentIndex(index);
    scrollTo(index);
}

int RacingGrid::fullHeight() const {
    return horizontalHeader()->sizeHint().height() +
           verticalHeader()->defaultSectionSize() * RacingTableModel::Rows +
           horizontalScrollBar()->sizeHint().height() + 2 * frameWidth();
}

void RacingGrid::keyPressEvent(QKeyEvent* event) {
    if (!typingKey(*event)) {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    type(event);
}

void RacingGrid::type(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    const GridCell cell = RacingTableModel::gridCell(current);
    const CellKey key = cellKey(*event);
    if (!raceCellAcceptsKey(cell.row, key)) return;

    const std::string& held = model_.table().cell(cell.column, cell.row);
    switch (key) {
    case CellKey::Enter: {
        const QModelIndex next = model_.indexOf(cellAfterEnter(cell));
        setCurrentIndex(next);
        scrollTo(next);
        return;
    }
    case CellKey::Digit: {
        std::string text = typing_ ? held : std::string();
        // A cell keeps what the table files keep of it.
        if (text.size() >= static_cast<size_t>(CellCapacity)) return;
        text += fromQt(event->text());
        model_.setCellText(current, std::move(text));
        break;
    }
    case CellKey::Backspace:
        model_.setCellText(current, typing_ && !held.empty() ? held.substr(0, held.size() - 1)
                                                             : std::string());
        break;
    case CellKey::Delete:
        model_.setCellText(current, {});
        break;
    case CellKey::Other:
        return;
    }
    typing_ = true;
    emit sideBarStale();
}

void RacingGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    emit sideBarStale();
}

void RacingGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    typing_ = false;
    emit sideBarStale();
}

void RacingGrid::raceDragged(int oldPlace, int newPlace) {
    if (restoringOrder_) return;
    // The columns stay in race order on the screen: the table itself moves the race, and every
    // race is numbered by its new place.
    restoringOrder_ = true;
    horizontalHeader()->moveSection(newPlace, oldPlace);
    restoringOrder_ = false;
    const int row = currentIndex().isValid() ? currentIndex().row() : 1;
    moveRace(model_.table(), oldPlace + 1, newPlace + 1);
    model_.racesChanged(oldPlace + 1, newPlace + 1);
    setCurrentIndex(model_.index(row, newPlace));
    emit sideBarStale();
}

} // namespace vexa
