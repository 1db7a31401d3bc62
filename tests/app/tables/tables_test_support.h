#pragma once

#include "files/event_files.h"
#include "model/racing_table.h"
#include "program/program.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"
#include "support/temp_dir.h"
#include "ui/models/racing_table_model.h"
#include "ui/tables/racing_grid.h"
#include "ui/tables/tables_screen.h"

#include <QAbstractItemView>
#include <QTableWidget>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

namespace vexa::test {

// The grid cell of a race's slot (0: the information row).
inline QModelIndex cellOf(RacingGrid& grid, int race, int slot) {
    return grid.racingModel().index(slot, race - 1);
}

// A double click as the mouse makes it: a click, then the second press.
inline void doubleClick(QAbstractItemView& view, const QModelIndex& index) {
    view.scrollTo(index);
    const QPoint at = view.visualRect(index).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
}

// Runs `act` on the modal window of that object name as soon as it is the active one; for
// windows that open one after the other.
inline void onModal(const char* name, std::function<void(QWidget&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, name, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String(name)) return;
        poll->stop();
        poll->deleteLater();
        act(*modal);
    });
    poll->start();
}

// The Ids of a race as "slot:Id" pairs, such as "3:12 7:4".
inline std::string seated(const RacingTable& table, int race) {
    std::string out;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (table.slotText(race, slot).empty()) continue;
        if (!out.empty()) out += ' ';
        out += std::to_string(slot) + ":" + table.slotText(race, slot);
    }
    return out;
}

// Puts Ids into chosen slots of a race: {slot, Id} pairs.
inline void place(RacingTable& table, int race, const std::vector<std::pair<int, int>>& seats) {
    for (auto [slot, id] : seats) table.setSlotText(race, slot, std::to_string(id));
}

// The rows of a grid, the cells of a row joined by '|'.
inline QStringList rowsOf(const QTableWidget& grid) {
    QStringList rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << (grid.item(r, c) ? grid.item(r, c)->text() : QString());
        rows << cells.join('|');
    }
    return rows;
}

// A program whose event lives in a folder of the test's own, and the operator that answers it.
struct TablesTestEvent {
    TempDir dir_;
    std::unique_ptr<Program> program_;
    RecordingOperator op_;
    QStringList& messages_ = op_.shown;

    // A fresh program with no event files on disk yet, and no messages.
    void freshProgram() {
        program_ = std::make_unique<Program>();
        program_->paths = EventPaths::in(dir_.path());
        for (const auto& file :
             {program_->paths->competitors, program_->paths->heats, program_->paths->finals})
            std::filesystem::remove(file);
        messages_.clear();
    }

    // The tables screen over the program, shown as the "Tables" button shows it.
    std::unique_ptr<TablesScreen> tablesScreen(std::function<void(int, int)> overallPage = {}) {
        ReportPrinting printing{
            *program_, OutputIdentity{},
            [](QWidget*, const QString&) { return std::make_unique<PrintRecorder>(); },
            [] { return LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9); }, op_};
        auto screen = std::make_unique<TablesScreen>(
            *program_, op_, TablesScreenPorts{printing, std::move(overallPage)});
        screen->resize(1000, 700);
        screen->show();
        screen->showTables();
        return screen;
    }
};

} // namespace vexa::test
