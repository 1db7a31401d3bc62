#include "ui/results/statistics_window.h"

#include "output/field_format.h"
#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"
#include "scoring/event_statistics.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vexa {

namespace {
const int ColumnWidths[] = {140, 70, 80, 80, 80, 80};
} // namespace

StatisticsWindow::StatisticsWindow(const Program& program, Operator& op, QWidget* parent)
    : QDialog(parent), program_(program), op_(op) {
    setObjectName(QStringLiteral("TVexaStatisticsF"));
    setWindowTitle(QStringLiteral("Statistics"));
    setModal(true);

    grid_ = new QTableWidget(1, 6, this);
    grid_->setObjectName(QStringLiteral("classnumSG"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Class"), QStringLiteral("Total Drivers"),
                                      QStringLiteral("Enabled Drivers"),
                                      QStringLiteral("Total Laps"), QStringLiteral("Total Miles"),
                                      QStringLiteral("Total km")});
    for (int c = 0; c < 6; ++c)
        grid_->setColumnWidth(
            c, std::max(ColumnWidths[c], grid_->horizontalHeader()->sectionSizeHint(c)));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    int width = 0;
    for (int c = 0; c < 6; ++c) width += grid_->columnWidth(c);
    resize(width + 40, 360);
    refresh();
}

void StatisticsWindow::refresh() {
    EventStatistics statistics;
    if (const Outcome counted = eventStatistics(program_.event, program_.settings, statistics);
        !counted) {
        op_.inform(counted.message);
        return;
    }
    grid_->clearContents();
    grid_->setRowCount(std::max<int>(1, static_cast<int>(statistics.classes.size())));
    int r = 0;
    for (const ClassStatistics& c : statistics.classes) {
        const std::string texts[] = {c.className,
                                     std::to_string(c.entered),
                                     std::to_string(c.enabled),
                                     std::to_string(c.laps),
                                     fixed(c.miles, 6, 2),
                                     fixed(c.km, 6, 2)};
        for (int col = 0; col < 6; ++col)
            grid_->setItem(r, col, new QTableWidgetItem(toQt(texts[col])));
        ++r;
    }
}

} // namespace vexa
