#include "ui/frequencies/frequency_name_grid.h"

#include "model/limits.h"
#include "platform/latin1.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>

namespace vexa {

FrequencyNameGrid::FrequencyNameGrid(QWidget* parent) : EnterGrid(MaxFrequencies, 2, parent) {
    setObjectName(QStringLiteral("freqgrid"));
    setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("Frequency Name")});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, std::max(40, horizontalHeader()->sectionSizeHint(0)));
    for (int r = 0; r < MaxFrequencies; ++r) {
        QTableWidgetItem* number = fixedItem(QString::number(r + 1));
        number->setFlags(number->flags() | Qt::ItemIsDragEnabled | Qt::ItemIsSelectable);
        setItem(r, 0, number);
        setItem(r, NameColumn, new QTableWidgetItem);
    }
    setColumnEditor(NameColumn, [](QLineEdit& e) { e.setMaxLength(FreqNameCapacity); });
    nextOnEnter = [this](const QModelIndex& at) {
        return at.row() + 1 < MaxFrequencies ? model()->index(at.row() + 1, NameColumn)
                                             : QModelIndex();
    };
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDropIndicatorShown(true);
    setCurrentCell(0, NameColumn);
}

void FrequencyNameGrid::setNames(const std::vector<std::string>& names) {
    for (int r = 0; r < MaxFrequencies; ++r) {
        const auto at = static_cast<size_t>(r);
        item(r, NameColumn)->setText(at < names.size() ? toQt(names[at]) : QString());
    }
}

std::vector<std::string> FrequencyNameGrid::names() {
    finishEditing();
    std::vector<std::string> out;
    out.reserve(MaxFrequencies);
    for (int r = 0; r < MaxFrequencies; ++r) out.push_back(fromQt(item(r, NameColumn)->text()));
    return out;
}

void FrequencyNameGrid::moveName(int from, int to) {
    if (from < 0 || to < 0 || from >= MaxFrequencies || to >= MaxFrequencies || from == to) return;
    std::vector<std::string> rows = names();
    std::string moved = std::move(rows[static_cast<size_t>(from)]);
    rows.erase(rows.begin() + from);
    rows.insert(rows.begin() + to, std::move(moved));
    setNames(rows);
    setCurrentCell(to, NameColumn);
}

// Only rows of this grid get here: the view refuses other drags as they enter.
void FrequencyNameGrid::dropEvent(QDropEvent* event) {
    int to = rowAt(event->position().toPoint().y());
    if (to < 0) to = MaxFrequencies - 1;
    moveName(currentRow(), to);
    // Told as a copy, so that the view removes nothing where the drag began.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace vexa
