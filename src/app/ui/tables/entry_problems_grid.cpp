#include "ui/tables/entry_problems_grid.h"

#include "platform/latin1.h"

#include <QHeaderView>

namespace vexa {

namespace {
const int ColumnWidths[] = {40, 45, 45, 160, 200};
constexpr int Columns = 5;
} // namespace

EntryProblemsGrid::EntryProblemsGrid(QWidget* parent) : QTableWidget(1, Columns, parent) {
    setObjectName(QStringLiteral("DProbsGRD"));
    setHorizontalHeaderLabels({QStringLiteral("Id#"), QStringLiteral("Race#"),
                               QStringLiteral("Car#"), QStringLiteral("Name"),
                               QStringLiteral("Problem")});
    for (int c = 0; c < Columns; ++c)
        setColumnWidth(c, std::max(ColumnWidths[c], horizontalHeader()->sectionSizeHint(c)));
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { findingDoubleClicked(row); });
}

void EntryProblemsGrid::showFindings(std::vector<EntryProblem> findings) {
    findings_ = std::move(findings);
    clearContents();
    setRowCount(static_cast<int>(findings_.size()) + 1);
    for (int row = 0; row < static_cast<int>(findings_.size()); ++row) {
        const EntryProblem& f = findings_[static_cast<size_t>(row)];
        const QString texts[] = {toQt(f.idText), QString::number(f.race), QString::number(f.slot),
                                 toQt(f.name), toQt(f.problem)};
        for (int c = 0; c < Columns; ++c) setItem(row, c, new QTableWidgetItem(texts[c]));
    }
}

void EntryProblemsGrid::findingDoubleClicked(int row) {
    if (row < 0 || row >= static_cast<int>(findings_.size())) return;
    const EntryProblem& f = findings_[static_cast<size_t>(row)];
    switch (f.kind) {
    case EntryProblemKind::NoName:
        emit driverOpenRequested(f.id);
        break;
    case EntryProblemKind::NoFrequency:
    case EntryProblemKind::FreqConflict:
        emit frequenciesOpenRequested(f.id);
        break;
    case EntryProblemKind::Duplicate:
    case EntryProblemKind::NotACompetitor:
        break;
    }
}

} // namespace vexa
