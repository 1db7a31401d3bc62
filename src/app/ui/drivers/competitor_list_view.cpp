#include "ui/drivers/competitor_list_view.h"

#include "platform/latin1.h"
#include "program/program.h"
#include "programme/competitor_list.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace vexa {

namespace {
const int ColumnWidths[] = {30, 151, 90, 37, 50, 90, 43, 55};
constexpr int NameColumn = 1;
} // namespace

CompetitorListView::CompetitorListView(const Program& program, QWidget* parent)
    : QTableWidget(parent), program_(program) {
    setObjectName(QStringLiteral("cptgrid"));
    setColumnCount(8);
    setHorizontalHeaderLabels({QStringLiteral("Id"), QStringLiteral("Name"),
                               QStringLiteral("Class"), QStringLiteral("Ability"),
                               QStringLiteral("Mem.No"), QStringLiteral("Frequency"),
                               QStringLiteral("Enabled"), QStringLiteral("AMBrc DP")});
    // The given widths, widened where the platform's font needs more room for a caption.
    for (int c = 0; c < 8; ++c)
        setColumnWidth(c, std::max(ColumnWidths[c], horizontalHeader()->sectionSizeHint(c)));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

int CompetitorListView::selectedId() const {
    const int row = currentRow();
    if (row < 0 || !item(row, 0)) return 0;
    return item(row, 0)->text().toInt();
}

void CompetitorListView::refresh(DriverOrder order) {
    const int remembered = selectedId();
    const std::vector<int> ids = competitorListOrder(program_.event, order);
    clearContents();
    setRowCount(static_cast<int>(ids.size()));
    int reselect = -1;
    for (int row = 0; row < static_cast<int>(ids.size()); ++row) {
        const CompetitorRow texts = competitorListRow(ids[static_cast<size_t>(row)], program_.event,
                                                      program_.settings, program_.freqnames);
        for (int c = 0; c < 8; ++c) setItem(row, c, new QTableWidgetItem(toQt(texts[c])));
        if (ids[static_cast<size_t>(row)] == remembered) reselect = row;
    }
    if (reselect >= 0) selectRow(reselect);
}

void CompetitorListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint().y());
    QTableWidgetItem* idCell = row >= 0 ? item(row, 0) : nullptr;
    if (idCell) selectRow(row);
    emit competitorDoubleClicked(idCell ? idCell->text().toInt() : 0);
    event->accept();
}

void CompetitorListView::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    // The name column takes whatever width the others leave.
    int others = 0;
    for (int c = 0; c < 8; ++c)
        if (c != NameColumn) others += columnWidth(c);
    setColumnWidth(NameColumn, std::max(ColumnWidths[NameColumn], viewport()->width() - others));
}

} // namespace vexa
