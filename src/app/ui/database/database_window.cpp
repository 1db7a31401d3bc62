#include "ui/database/database_window.h"

#include "ui/common/typing_window.h"

#include "files/database_transfer.h"
#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/event_saves.h"
#include "program/program.h"
#include "programme/database_csv_export.h"
#include "ui/database/database_editor.h"
#include "ui/drivers/controls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vexa {

namespace {

const DatabaseOrder Orders[] = {DatabaseOrder::IdNumber, DatabaseOrder::FirstName,
                                DatabaseOrder::SecondName, DatabaseOrder::AbilityLevel};

} // namespace

DatabaseWindow::DatabaseWindow(Program& program, Operator& op, FileChoices files, QWidget* parent)
    : QDialog(parent), program_(program), op_(op), files_(std::move(files)) {
    setObjectName(QStringLiteral("DriverDBF"));
    setWindowTitle(QStringLiteral("Driver Database"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    markTypingWindow(*this);

    grid_ = new QTableWidget(0, 6, this);
    grid_->setObjectName(QStringLiteral("DBgrid"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("DD-id"), QStringLiteral("Name"),
                                      QStringLiteral("Default Class"), QStringLiteral("Ability"),
                                      QStringLiteral("Pref Freq"), QStringLiteral("AMBrc DP")});
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    const int widths[] = {50, 160, 130, 50, 120, 70};
    for (int c = 0; c < 6; ++c)
        if (c != 1)
            grid_->setColumnWidth(
                c, std::max(widths[c], grid_->horizontalHeader()->sectionSizeHint(c)));
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);

    auto* orderLabel = new QLabel(QStringLiteral("Display Drivers by"), this);
    order_ = new QComboBox(this);
    order_->setObjectName(QStringLiteral("displaybyCB"));
    order_->addItems({QStringLiteral("Id Number"), QStringLiteral("First Name"),
                      QStringLiteral("Second Name"), QStringLiteral("Ability Level")});
    orderLabel->setBuddy(order_);
    auto* transfer = plainButton(QStringLiteral("Transfer Driver to event"), "TransferBtn", this);
    auto* add = plainButton(QStringLiteral("New"), "NewBtn", this);
    auto* remove = plainButton(QStringLiteral("Delete"), "DeleteBtn", this);
    auto* exportCsv = plainButton(QStringLiteral("Export"), "ExportBtn", this);

    auto* bar = new QHBoxLayout;
    bar->addWidget(transfer);
    bar->addWidget(add);
    bar->addWidget(remove);
    bar->addWidget(exportCsv);
    bar->addStretch();
    bar->addWidget(orderLabel);
    bar->addWidget(order_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(grid_);

    connect(order_, &QComboBox::currentIndexChanged, this, &DatabaseWindow::refresh);
    connect(transfer, &QPushButton::clicked, this, &DatabaseWindow::transferSelected);
    connect(add, &QPushButton::clicked, this, [this] { edit(std::nullopt); });
    connect(remove, &QPushButton::clicked, this, &DatabaseWindow::deleteSelected);
    connect(exportCsv, &QPushButton::clicked, this, &DatabaseWindow::exportList);
    resize(760, 480);
}

void DatabaseWindow::showDatabase() {
    refresh();
    show();
    raise();
    activateWindow();
    grid_->setFocus();
}

void DatabaseWindow::refresh() {
    const std::optional<size_t> remembered = selectedRecord();
    rows_ = databaseList(program_.database, Orders[std::max(0, order_->currentIndex())],
                         program_.settings, program_.freqnames);
    grid_->clearContents();
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const DatabaseListRow& row = rows_[static_cast<size_t>(r)];
        const std::string texts[] = {std::to_string(row.id), row.name,
                                     row.classText,          row.ability,
                                     row.prefFreq,           row.transponder};
        for (int c = 0; c < 6; ++c) grid_->setItem(r, c, new QTableWidgetItem(toQt(texts[c])));
    }
    if (remembered) select(*remembered);
}

void DatabaseWindow::select(size_t record) {
    for (size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].index == record) grid_->selectRow(static_cast<int>(r));
}

std::optional<size_t> DatabaseWindow::selectedRecord() const {
    const QList<QTableWidgetItem*> items = grid_->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    const auto row = static_cast<size_t>(items.first()->row());
    if (row >= rows_.size()) return std::nullopt;
    return rows_[row].index;
}

void DatabaseWindow::edit(std::optional<size_t> record) {
    DatabaseEditor editor(program_, op_, record, this);
    if (editor.exec() != QDialog::Accepted || !editor.savedIndex()) return;
    refresh();
    select(*editor.savedIndex());
    if (editor.transferAsked()) transfer(*editor.savedIndex());
}

void DatabaseWindow::transferSelected() {
    if (const auto record = selectedRecord()) transfer(*record);
}

void DatabaseWindow::transfer(size_t record) {
    const int id = transferToEvent(
        program_.database.records.at(record), program_.event,
        [this](const std::string& question) { return op_.ask(question, Buttons::YesNo); });
    if (id == 0) return;
    const Outcome saved = saveCompetitors(program_);
    emit competitorsChanged();
    if (!saved) op_.inform(saved.message);
}

void DatabaseWindow::deleteSelected() {
    const auto record = selectedRecord();
    if (!record) return;
    if (!op_.ask(deleteDriverQuestion(program_.database.records[*record]), Buttons::YesNo)) return;
    deleteDatabaseRecord(program_.database, *record);
    refresh();
}

void DatabaseWindow::exportList() {
    const std::filesystem::path path =
        files_.save(this, {QStringLiteral("Export"), program_.home.databaseDir(),
                           QStringLiteral("CSV file (*.csv)"), QStringLiteral("csv")});
    if (path.empty()) return;
    const Outcome written = exportDatabaseCsv(path, program_.database, rows_, program_.settings);
    if (!written) op_.inform(written.message);
}

void DatabaseWindow::done(int result) {
    const Outcome closed = closeDriversDatabase(program_.database);
    if (!closed) {
        op_.inform(closed.message);
        return;
    }
    rows_.clear();
    grid_->setRowCount(0);
    QDialog::done(result);
}

bool DatabaseWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const int row = grid_->rowAt(static_cast<QMouseEvent*>(event)->position().toPoint().y());
        if (row >= 0 && row < static_cast<int>(rows_.size()))
            edit(rows_[static_cast<size_t>(row)].index);
        else
            edit(std::nullopt);
        return true;
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ShiftModifier && key->key() >= Qt::Key_A &&
            key->key() <= Qt::Key_Z) {
            const int row = rowForInitial(rows_, static_cast<char>('A' + key->key() - Qt::Key_A));
            if (row >= 0) grid_->selectRow(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vexa
