#pragma once

#include "model/racing_table.h"
#include "support/app_test_support.h"
#include "ui/models/racing_table_model.h"
#include "ui/tables/racing_grid.h"

#include <QAbstractItemView>
#include <QtTest>

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

} // namespace vexa::test
