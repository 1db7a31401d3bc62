#include "ui/tables/heat_sort_control.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vexa {

namespace {

enum Column { ClassColumn, TotalColumn, RacesColumn, InLastColumn, PerRaceColumn, Columns };

QTableWidgetItem* item(const QString& text, bool editable = false) {
    auto* cell = new QTableWidgetItem(text);
    if (!editable) cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
    return cell;
}

} // namespace

HeatSortControl::HeatSortControl(Program& program, Operator& op, SortChoice choice, QWidget* parent)
    : QDialog(parent), program_(program), op_(op), choice_(choice),
      plan_(openHeatSortPlan(program.event, program.settings, choice.includeNoScore)) {
    setObjectName(QStringLiteral("TVexaheatsortcont"));
    setWindowTitle(QStringLiteral("Sort Table"));

    grid_ = new QTableWidget(static_cast<int>(plan_.rows.size()) + 1, Columns, this);
    grid_->setObjectName(QStringLiteral("DriverclassnumSG"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Class"), QStringLiteral("Total#"),
                                      QStringLiteral("#Races"), QStringLiteral("#in Last"),
                                      QStringLiteral("#Per Race")});
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->setColumnWidth(ClassColumn, 120);
    for (int c = TotalColumn; c < Columns; ++c)
        grid_->setColumnWidth(c, std::max(64, grid_->horizontalHeader()->sectionSizeHint(c)));
    grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    for (int row = 0; row < grid_->rowCount(); ++row)
        for (int c = 0; c < Columns; ++c) grid_->setItem(row, c, item({}));
    for (int row = 0; row < static_cast<int>(plan_.rows.size()); ++row) {
        const HeatSortRow& r = plan_.rows[static_cast<size_t>(row)];
        grid_->setItem(row, ClassColumn, item(toQt(r.classText)));
        grid_->setItem(row, TotalColumn, item(QString::number(r.total)));
        grid_->setItem(row, PerRaceColumn, item(QString::number(r.perRace), true));
    }
    drawCounts();
    grid_->setCurrentCell(0, PerRaceColumn);
    auto* label = new QLabel(QStringLiteral("Driver Numbers:"), this);
    label->setBuddy(grid_);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* updateButton = new QPushButton(QStringLiteral("Update"), this);
    updateButton->setObjectName(QStringLiteral("UpdateBtn"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setAutoDefault(false);
    updateButton->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(updateButton);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(120 + 4 * 72 + 40, 360);

    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(updateButton, &QPushButton::clicked, this, &HeatSortControl::update);
    connect(ok, &QPushButton::clicked, this, &HeatSortControl::fill);
}

void HeatSortControl::drawCounts() {
    for (int row = 0; row < static_cast<int>(plan_.rows.size()); ++row) {
        const HeatSortRow& r = plan_.rows[static_cast<size_t>(row)];
        grid_->item(row, RacesColumn)->setText(QString::number(r.split.races));
        grid_->item(row, InLastColumn)->setText(QString::number(r.split.inLast));
    }
}

void HeatSortControl::update() {
    std::vector<std::string> cells;
    for (int row = 0; row < static_cast<int>(plan_.rows.size()); ++row)
        cells.push_back(fromQt(grid_->item(row, PerRaceColumn)->text().trimmed()));
    const Outcome updated = updatePerRace(plan_, cells);
    drawCounts();
    if (!updated) {
        op_.inform(updated.message);
        return;
    }
    for (int row = 0; row < static_cast<int>(plan_.rows.size()); ++row)
        grid_->item(row, PerRaceColumn)
            ->setText(QString::number(plan_.rows[static_cast<size_t>(row)].perRace));
}

void HeatSortControl::fill() {
    const FillResult result =
        reseedTable(program_.event, program_.settings, choice_, plan_.perrace);
    if (!result.message.empty()) op_.inform(result.message);
    if (result.filled) accept();
}

} // namespace vexa
