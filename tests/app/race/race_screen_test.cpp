#include "race/race_session.h"

#include "race/standings.h"
#include "settings/display_settings.h"
#include "timing/counting_equipment.h"
#include "ui/race/penalty_window.h"
#include "ui/race/race_screen.h"
#include "ui/race/standings_grid.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QtTest>

using namespace vexa;
using vexa::test::child;
using vexa::test::RaceSession;

namespace {

enum Column { Pos, Car, Name, Laps, Time, LastLap, FastestLap, LeaderGap, Predicted };

QString cell(QTableView& grid, int row, int column) {
    return grid.model()->index(row, column).data().toString();
}

GridColour textColour(QTableView& grid, int row, int column) {
    return static_cast<GridColour>(
        grid.model()->index(row, column).data(StandingsModel::GridTextRole).toInt());
}

// Every cell's text and colours, row by row.
QList<QStringList> cells(QTableView& grid) {
    QList<QStringList> out;
    const QAbstractItemModel& m = *grid.model();
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m.columnCount(); ++c) {
            const QModelIndex i = m.index(r, c);
            row << i.data().toString() << i.data(StandingsModel::GridTextRole).toString()
                << i.data(StandingsModel::GridBackgroundRole).toString();
        }
        out << row;
    }
    return out;
}

// The rows that the model told its views to draw again.
QSet<int> rowsTold(const QSignalSpy& changes) {
    QSet<int> rows;
    for (const QList<QVariant>& change : changes)
        for (int r = change[0].value<QModelIndex>().row();
             r <= change[1].value<QModelIndex>().row(); ++r)
            rows << r;
    return rows;
}

QStringList headers(QTableView& grid) {
    QStringList out;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        out << grid.model()->headerData(c, Qt::Horizontal).toString();
    return out;
}

QAction* item(QMenu& menu, const QString& caption) {
    for (QAction* a : menu.actions())
        if (a->text() == caption) return a;
    qFatal("no menu item %s", qPrintable(caption));
}

QStringList enabledItems(QMenu& menu) {
    QStringList out;
    for (QAction* a : menu.actions())
        if (a->isEnabled() && !a->isSeparator()) out << a->text();
    return out;
}

// Opens the race menu as "Race Options" does and returns it.
QMenu& raceMenu(QWidget& window) {
    child<QPushButton>(window, "raceoptions")->click();
    auto* menu = child<QMenu>(window, "rsmenu");
    if (!menu->isVisible()) qFatal("the race menu did not open");
    return *menu;
}

// Chooses an item of the race menu, opened as "Race Options" opens it.
void choose(QWidget& window, const char* caption) {
    QMenu& menu = raceMenu(window);
    item(menu, QString::fromLatin1(caption))->trigger();
    menu.hide();
}

// Runs `act` on the "Setup" window as soon as it shows.
void onModalSetup(std::function<void(QWidget&)> act) {
    vexa::test::onNextModal([act = std::move(act)](QWidget& setup) {
        if (setup.objectName() != QStringLiteral("TProgSetF")) qFatal("not the setup window");
        act(setup);
    });
}

void pressHeader(QTableView& grid, int column) {
    QHeaderView* header = grid.horizontalHeader();
    QTest::mousePress(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, 5));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + 5, 5));
}

} // namespace

// The race screen driven by the real race engine on virtual time, as a race director drives it.
class RaceScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsColoursAndTheCarCellFollowThePassings() {
        RaceSession race(3);
        race.openRaceScreen();
        race.runToStart();
        auto* panel = child<QWidget>(race.window(), "racePanelWidget");
        auto* grid = child<QTableView>(race.window(), "CRaceGrid");
        auto* spectators = race.window().findChild<RaceScreen*>();
        QVERIFY(spectators);
        QTableView& stands = spectators->grid();

        race.runToRaceSecond(20);
        QTest::keyClick(panel, Qt::Key_1);
        race.runToRaceSecond(23.5);
        QTest::keyClick(panel, Qt::Key_2);
        race.redrawn();

        for (QTableView* g : {grid, &stands}) {
            QCOMPARE(g->model()->rowCount(), 3);
            QCOMPARE(cell(*g, 0, Car), QStringLiteral("1"));
            QCOMPARE(cell(*g, 0, Name), QStringLiteral("Driver 1"));
            QCOMPARE(cell(*g, 0, Laps), QStringLiteral("1"));
            QCOMPARE(cell(*g, 0, Time), QStringLiteral(" 20.00"));
            QCOMPARE(cell(*g, 1, Car), QStringLiteral("2"));
            // A first counted lap beats no earlier result: "DRIVER IMPROVED".
            QCOMPARE(textColour(*g, 0, Laps), GridColour::Lime);
            // Counted within the last four seconds: the car number shows white.
            QCOMPARE(textColour(*g, 1, Car), GridColour::White);
        }
        QCOMPARE(cell(stands, 0, LeaderGap), QStringLiteral("1 Lap"));
        QCOMPARE(cell(stands, 1, LeaderGap), QStringLiteral("+   3.50"));
        QCOMPARE(headers(stands).mid(LeaderGap),
                 (QStringList{QStringLiteral("Leader Gap"), QStringLiteral("Predicted Result")}));

        // Four clock seconds later only the car cells change back to blue.
        QSignalSpy standsChanges(stands.model(), &QAbstractItemModel::dataChanged);
        race.runToRaceSecond(28.2);
        race.redrawn();
        QCOMPARE(textColour(*grid, 1, Car), GridColour::Blue);
        QCOMPARE(textColour(stands, 1, Car), GridColour::Blue);
        QVERIFY(!standsChanges.isEmpty());
        for (const QList<QVariant>& change : standsChanges) {
            const auto from = change[0].value<QModelIndex>();
            const auto to = change[1].value<QModelIndex>();
            QCOMPARE(from, to);
            QCOMPARE(from.column(), int(Car));
        }
        // Car 3 has not crossed the line for longer than the last-lap allowance: "NOT RUNNING
        // CURRENTLY".
        QCOMPARE(textColour(*grid, 2, Name), GridColour::Blue);
        race.runToRaceSecond(31.2);
        QCOMPARE(textColour(*grid, 2, Name), GridColour::Grey);
        QCOMPARE(textColour(stands, 2, Name), GridColour::Grey);
        QCOMPARE(child<QLabel>(*spectators, "specTimeLB")->text(),
                 QStringLiteral("Race Timer: 00:00:31   Remaining: 00:04:29"));
    }

    void everyChangedRowIsDrawnAgainAfterAPassing() {
        RaceSession race(6);
        race.openRaceScreen();
        race.runToStart();
        auto* panel = child<QWidget>(race.window(), "racePanelWidget");
        auto* grid = child<QTableView>(race.window(), "CRaceGrid");
        QTableView& stands = race.window().findChild<RaceScreen*>()->grid();
        const Qt::Key keys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5, Qt::Key_6};
        for (int lap = 1; lap <= 4; ++lap)
            for (int car = 0; car < 6; ++car) {
                // Car 1 fastest, car 6 slowest, so that the gaps change as the laps go on.
                race.runToRaceSecond(lap * 15.0 + car * (0.5 + 0.4 * lap) + 0.3);
                QTest::keyClick(panel, keys[car]);
            }
        // A passing watched on both grids: the rows whose cells changed, and the rows told.
        QTableView* grids[2] = {grid, &stands};
        const auto watch = [&](double second, Qt::Key key) {
            race.redrawn();
            QList<QStringList> before[2] = {cells(*grid), cells(stands)};
            QSignalSpy operatorChanges(grid->model(), &QAbstractItemModel::dataChanged);
            QSignalSpy standsChanges(stands.model(), &QAbstractItemModel::dataChanged);
            race.runToRaceSecond(second);
            QTest::keyClick(panel, key);
            race.redrawn();
            const QSignalSpy* spies[2] = {&operatorChanges, &standsChanges};
            std::array<std::pair<QSet<int>, QSet<int>>, 2> out;
            for (int g = 0; g < 2; ++g) {
                const QList<QStringList> after = cells(*grids[g]);
                for (int r = 0; r < after.size(); ++r)
                    if (after[r] != before[g][r]) out[g].first << r;
                out[g].second = rowsTold(*spies[g]);
            }
            return out;
        };
        // The leader starts lap 5: the gaps behind it change, and those rows are drawn again.
        for (const auto& [changed, told] : watch(75.3, Qt::Key_1)) {
            QVERIFY(changed.size() > 1);
            QCOMPARE(told, changed);
        }
        // Then the second car: its row changes; the others stay as they are and are not drawn.
        for (const auto& [changed, told] : watch(77.5, Qt::Key_2)) {
            QCOMPARE(changed, QSet<int>{1});
            QCOMPARE(told, changed);
        }
    }

    void extraColumnMenuRules() {
        struct Case {
            const char* name;
            int width;
            CountingDevice device;
            bool speedTrap;
            int column;
            QStringList enabled; // empty: no menu opens
        };
        const Case cases[] = {
            {"narrow, a fixed column", 900, CountingDevice::Manual, false, FastestLap, {}},
            {"narrow, slot 3 is not shown", 900, CountingDevice::Manual, false, 9, {}},
            {"narrow, manual",
             900,
             CountingDevice::Manual,
             true,
             7,
             {"Average Lap", "Average Speed", "Driver FTD"}},
            {"wide, manual", 1000, CountingDevice::Manual, true, 10, {"Average Speed"}},
            {"wide, System 20",
             1000,
             CountingDevice::System20,
             true,
             9,
             {"Average Speed", "Hits / Signal Strength"}},
            {"wide, AMBrc without trap",
             1000,
             CountingDevice::Ambrc,
             false,
             8,
             {"Average Speed", "Hits / Signal Strength"}},
            {"wide, AMBrc with trap",
             1000,
             CountingDevice::Ambrc,
             true,
             8,
             {"Average Speed", "Speed Trap", "Hits / Signal Strength"}},
        };
        for (const Case& c : cases) {
            RaceSession race(2);
            race.program.settings.speedTrap = c.speedTrap;
            race.session->equipment().setCountDevice(c.device);
            race.window().resize(c.width, 680);
            race.openRaceScreen();
            race.redrawn();
            auto* grid = child<QTableView>(race.window(), "CRaceGrid");
            QCOMPARE(race.window().width(), c.width);
            QCOMPARE(grid->model()->columnCount(), c.width < 990 ? 9 : 11);
            auto* menu = child<QMenu>(race.window(), "extraColumnMenu");
            pressHeader(*grid, c.column);
            QVERIFY2(menu->isVisible() == !c.enabled.isEmpty(), c.name);
            if (menu->isVisible()) QCOMPARE(enabledItems(*menu), c.enabled);
            menu->hide();
        }
    }

    void choosingAnExtraColumnRelabelsTheGridAndTheKeysLockIt() {
        RaceSession race(2);
        race.window().resize(1000, 680);
        race.openRaceScreen();
        race.redrawn();
        auto* grid = child<QTableView>(race.window(), "CRaceGrid");
        QCOMPARE(headers(*grid).mid(7),
                 (QStringList{QStringLiteral("Leader Gap"), QStringLiteral("Predicted Result"),
                              QStringLiteral("Average Lap"), QStringLiteral("Driver FTD")}));
        auto* menu = child<QMenu>(race.window(), "extraColumnMenu");
        pressHeader(*grid, 8);
        item(*menu, QStringLiteral("Average Speed"))->trigger();
        race.redrawn();
        menu->hide();
        QCOMPARE(headers(*grid)[8], QStringLiteral("Average Speed"));

        race.window().resize(900, 680);
        race.redrawn();
        QCOMPARE(headers(*grid).mid(7),
                 (QStringList{QStringLiteral("Leader Gap"), QStringLiteral("Average Speed")}));

        // With the keys on (a race counted by keys) a header press opens nothing.
        race.runToStart();
        QVERIFY(race.engine().values().ManualKeys);
        pressHeader(*grid, 7);
        QVERIFY(!menu->isVisible());
    }

    void keysCountCarsOnlyWhileTheKeysAreOnAndThePanelShows() {
        RaceSession race(1);
        race.openRaceScreen();
        auto* panel = child<QWidget>(race.window(), "racePanelWidget");
        auto carPresent = [&race](int car) { return race.engine().findCarNumber(car) >= 0; };

        // Before the race the keys are off: nothing counts.
        race.runFor(10);
        QTest::keyClick(panel, Qt::Key_5);
        QVERIFY(!carPresent(5));

        race.runToStart();
        race.runToRaceSecond(10);
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int car;
        };
        const Key keys[] = {
            {Qt::Key_2, {}, 2},  {Qt::Key_9, {}, 9},
            {Qt::Key_0, {}, 10}, {Qt::Key_3, Qt::KeypadModifier, 3},
            {Qt::Key_Q, {}, 11}, {Qt::Key_T, Qt::ShiftModifier, 15},
            {Qt::Key_P, {}, 20},
        };
        for (const Key& k : keys) {
            QVERIFY(!carPresent(k.car));
            QTest::keyClick(panel, k.key, k.modifiers);
            QVERIFY2(carPresent(k.car), qPrintable(QString::number(k.car)));
        }
        // Lower and upper case count the same car.
        race.runToRaceSecond(30);
        const auto laps = [&race](int car) {
            return race.engine()
                .values()
                .race_drivers[static_cast<size_t>(race.engine().findCarNumber(car))]
                .lapcount;
        };
        const int before = laps(11);
        QTest::keyClick(panel, 'q');
        race.runToRaceSecond(50);
        QTest::keyClick(panel, 'Q', Qt::ShiftModifier);
        QCOMPARE(laps(11), before + 2);

        // Not a counting key, a key with Ctrl, and keys while another screen shows count nothing.
        QTest::keyClick(panel, Qt::Key_A);
        QTest::keyClick(panel, Qt::Key_4, Qt::ControlModifier);
        QVERIFY(!carPresent(4));
        child<QPushButton>(race.window(), "DriversBtn")->click();
        QTest::keyClick(&race.window(), Qt::Key_4);
        QVERIFY(!carPresent(4));

        // "Disable Keys" is the engine's: switched off, the keys count nothing.
        child<QPushButton>(race.window(), "RaceBtn")->click();
        race.engine().KeyEnableClick();
        QTest::keyClick(panel, Qt::Key_4);
        QVERIFY(!carPresent(4));
    }

    void buttonCaptionsThroughCountdownPauseRaceAndEnd() {
        RaceSession race(2);
        race.openRaceScreen();
        QWidget& w = race.window();
        auto* pre = child<QWidget>(w, "PreButtons");
        auto* pause = child<QPushButton>(w, "Stop_StarTBTN");
        auto* clock = child<QLabel>(w, "TimeLB");
        auto* keys = child<QPushButton>(w, "Keyenablebtn");
        auto* bar = child<QProgressBar>(w, "timebar");
        QCOMPARE(child<QPushButton>(w, "StartBtn")->text(), QStringLiteral("&Start Race"));
        QCOMPARE(child<QPushButton>(w, "RestartCBtn")->text(), QStringLiteral("&Reset Countdown"));
        QCOMPARE(child<QPushButton>(w, "ReadOBtn")->text(), QStringLiteral("Read &Order"));
        QCOMPARE(child<QPushButton>(w, "plus1m")->text(), QStringLiteral("+1"));
        QCOMPARE(child<QPushButton>(w, "plus5m")->text(), QStringLiteral("+5"));
        QCOMPARE(child<QPushButton>(w, "reprintbtn")->text(), QStringLiteral("Re-Print Laptimes"));
        QCOMPARE(pause->text(), QStringLiteral("Stop &Countdown"));
        QCOMPARE(keys->text(), QStringLiteral("Enable Keys"));
        QVERIFY(!keys->isEnabled());
        QVERIFY(pre->isVisible());

        race.runFor(5.5);
        QCOMPARE(clock->text(), QStringLiteral("PRE RACE COUNTDOWN: 00:00:56"));
        pause->click();
        QCOMPARE(pause->text(), QStringLiteral("Start &Countdown"));
        QCOMPARE(clock->text(), QStringLiteral("Countdown Paused  | |"));
        // The paused clock blinks every 800 ms.
        QVERIFY(clock->isVisible());
        race.runFor(0.8);
        QVERIFY(!clock->isVisible());
        race.runFor(0.8);
        QVERIFY(clock->isVisible());
        race.runFor(0.4);
        pause->click();
        QCOMPARE(pause->text(), QStringLiteral("Stop &Countdown"));
        QVERIFY(clock->isVisible());
        child<QPushButton>(w, "plus1m")->click();
        race.runFor(1);
        QCOMPARE(clock->text(), QStringLiteral("PRE RACE COUNTDOWN: 00:01:55"));

        // "&Start Race" starts it at once; the countdown buttons go while it runs.
        child<QPushButton>(w, "StartBtn")->click();
        QCOMPARE(race.engine().values().RaceState, RaceStates::Running);
        QVERIFY(!pre->isVisible());
        QCOMPARE(keys->text(), QStringLiteral("Disable Keys"));
        race.runToRaceSecond(150.2);
        QCOMPARE(clock->text(), QStringLiteral("Race Timer: 00:02:30   Remaining: 00:02:30"));
        QCOMPARE(bar->value(), 50);
        QMenu& menu = raceMenu(w);
        QCOMPARE(
            enabledItems(menu),
            (QStringList{QStringLiteral("Restart Race"), QStringLiteral("End Race (Save Scores)"),
                         QStringLiteral("Give Time Penalty"), QStringLiteral("Spectator Screen")}));
        race.op.answers = {true};
        item(menu, QStringLiteral("End Race (Save Scores)"))->trigger();
        menu.hide();
        QCOMPARE(race.op.shown.last(), QStringLiteral("? End the Race (Saving Scores)"));
        QCOMPARE(race.engine().values().RaceState, RaceStates::BetweenRaces);
        QCOMPARE(keys->text(), QStringLiteral("Enable Keys"));
        QVERIFY(bar->styleSheet().contains(QStringLiteral("#ff0000")));
        race.runFor(2.5);
        QVERIFY(pre->isVisible());
        QCOMPARE(enabledItems(raceMenu(w)), (QStringList{QStringLiteral("Spectator Screen"),
                                                         QStringLiteral("Correct Results")}));
    }

    void thePenaltyWindowStaysOpenForACarNotInTheRace() {
        RaceSession race(2);
        race.openRaceScreen();
        race.runToStart();
        race.runToRaceSecond(100);
        item(raceMenu(race.window()), QStringLiteral("Give Time Penalty"))->trigger();
        auto* penalty = race.window().findChild<PenaltyWindow*>();
        QVERIFY(penalty && penalty->isVisible());
        QCOMPARE(penalty->windowTitle(), QStringLiteral("Penalty"));
        QVERIFY(penalty->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!penalty->isModal());
        auto* car = child<QSpinBox>(*penalty, "carpenalty");
        QCOMPARE(car->value(), 1);

        car->setValue(7);
        child<QPushButton>(*penalty, "OKBtn")->click();
        QCOMPARE(race.op.shown.last(), QStringLiteral("No car with that number"));
        QVERIFY(penalty->isVisible());

        const double endtime = race.engine().values().race_drivers[1].endtime;
        car->setValue(2);
        child<QPushButton>(*penalty, "OKBtn")->click();
        QVERIFY(!penalty->isVisible());
        QCOMPARE(race.engine().values().race_drivers[1].endtime, endtime - 10.0);
    }

    void theSpectatorScreenShowsAndHides() {
        RaceSession race(2);
        race.openRaceScreen();
        race.runFor(31);
        auto* spectators = race.window().findChild<RaceScreen*>();
        QVERIFY(spectators && !spectators->isVisible());
        item(raceMenu(race.window()), QStringLiteral("Spectator Screen"))->trigger();
        race.redrawn();
        QVERIFY(spectators->isVisible());
        QCOMPARE(spectators->windowTitle(), QStringLiteral("Race Screen"));
        QVERIFY(spectators->windowState() & Qt::WindowMaximized);
        QCOMPARE(child<QLabel>(*spectators, "specheatnumLB")->text(),
                 child<QLabel>(race.window(), "heatnumLB")->text());
        QCOMPARE(child<QLabel>(*spectators, "specheatnumLB")->text(),
                 QStringLiteral("Buggy Heat# 1"));
        QCOMPARE(child<QLabel>(*spectators, "specTimeLB")->text(),
                 QStringLiteral("PRE RACE COUNTDOWN: 00:00:30"));
        QCOMPARE(spectators->grid().model()->rowCount(), 2);
        QCOMPARE(child<QLabel>(*spectators, "specroundLB")->text(), QStringLiteral("Round 1"));
        item(raceMenu(race.window()), QStringLiteral("Spectator Screen"))->trigger();
        QVERIFY(!spectators->isVisible());

        // On the one monitor it covers the race panel, and shows the way back to it.
        race.window().activateWindow();
        QTest::keyClick(&race.window(), Qt::Key_F11);
        QVERIFY(spectators->isVisible());
        auto* back = child<QPushButton>(*spectators, "backToPanelBtn");
        QVERIFY(back->isVisible());
        QCOMPARE(back->text(), QStringLiteral("Back to Race Panel"));
        back->click();
        QVERIFY(!spectators->isVisible());
        // Where it stood is kept for the next start.
        QVERIFY(readWindowPlace(race.program.settings.raceScreenPlace).has_value());
    }

    void theCountingKeysCountOnEveryWindowButOneToTypeInto() {
        RaceSession race(1);
        race.openRaceScreen();
        race.runToStart();
        race.runToRaceSecond(10);
        auto counted = [&race](int car) { return race.engine().findCarNumber(car) >= 0; };
        // The spectators' race screen holds the keyboard: its keys count.
        choose(race.window(), "Spectator Screen");
        auto* spectators = race.window().findChild<RaceScreen*>();
        spectators->activateWindow();
        QTest::keyClick(spectators, Qt::Key_5);
        QVERIFY(counted(5));
        // So do the message log's.
        child<QPushButton>(race.window(), "messagesBtn")->click();
        auto* log = race.window().findChild<QWidget*>(QStringLiteral("MessagesF"));
        QVERIFY(log && log->isVisible());
        QTest::keyClick(log, Qt::Key_6);
        QVERIFY(counted(6));
        // "Penalty" is typed into: its digits are the car's number, no lap.
        choose(race.window(), "Give Time Penalty");
        auto* penalty = race.window().findChild<PenaltyWindow*>();
        QTest::keyClick(child<QSpinBox>(*penalty, "carpenalty"), Qt::Key_7);
        QVERIFY(!counted(7));
        QCOMPARE(child<QSpinBox>(*penalty, "carpenalty")->text(), QStringLiteral("7"));
        penalty->reject();
    }

    void anAutomaticMessageDuringARaceLeavesTheKeysToTheLapCounters() {
        RaceSession race(1);
        race.openRaceScreen();
        race.runToStart();
        race.runToRaceSecond(10);
        // A message the program gives by itself (a journal that cannot be written, ...).
        race.session->op().notify("The race journal cannot be written");
        QVERIFY(race.op.shown.isEmpty());
        QCOMPARE(child<QLabel>(race.window(), "timingNoticeLB")->text(),
                 QStringLiteral("The race journal cannot be written"));
        auto* panel = child<QWidget>(race.window(), "racePanelWidget");
        QTest::keyClick(panel, Qt::Key_3);
        QVERIFY(race.engine().findCarNumber(3) >= 0);
        // "Messages" lists it with its time.
        child<QPushButton>(race.window(), "messagesBtn")->click();
        auto* list = child<QListWidget>(race.window(), "messagesLB");
        QCOMPARE(list->count(), 1);
        QVERIFY(
            list->item(0)->text().endsWith(QStringLiteral("  The race journal cannot be written")));
        // Once no race runs (the countdown paused), the box comes.
        race.op.answers = {true};
        choose(race.window(), "End Race (Save Scores)");
        race.runFor(3);
        QVERIFY(race.op.shown.filter(QStringLiteral("journal")).isEmpty()); // the countdown runs
        child<QPushButton>(race.window(), "Stop_StarTBTN")->click();
        QTRY_VERIFY(race.op.shown.contains(QStringLiteral("The race journal cannot be written")));
    }

    void theZoomGrowsBothGridsAndTheRaceScreensFiguresAreItsBiggest() {
        RaceSession race(20);
        race.window().resize(1024, 680);
        race.openRaceScreen();
        race.runToStart();
        auto* grid = child<StandingsGrid>(race.window(), "CRaceGrid");
        const int row = grid->verticalHeader()->defaultSectionSize();
        const int points = grid->columnFont(0).pointSize();
        // Ctrl+plus twice, Ctrl+minus once, from either window.
        const auto press = [&race](const QKeySequence& keys) {
            for (QShortcut* shortcut : race.window().findChildren<QShortcut*>())
                if (shortcut->key() == keys) {
                    QCOMPARE(shortcut->context(), Qt::ApplicationShortcut);
                    emit shortcut->activated();
                    return;
                }
            QFAIL("no such shortcut");
        };
        press(QKeySequence(Qt::CTRL | Qt::Key_Plus));
        press(QKeySequence(Qt::CTRL | Qt::Key_Plus));
        QCOMPARE(race.program.settings.standingsZoom, 120);
        QVERIFY(grid->verticalHeader()->defaultSectionSize() > row);
        QVERIFY(grid->columnFont(0).pointSizeF() > points);
        press(QKeySequence(Qt::CTRL | Qt::Key_Minus));
        QCOMPARE(race.program.settings.standingsZoom, 110);

        choose(race.window(), "Spectator Screen");
        auto* spectators = race.window().findChild<RaceScreen*>();
        spectators->showNormal();
        spectators->resize(1280, 1024);
        race.redrawn();
        QCoreApplication::processEvents();
        StandingsGrid& stands = spectators->grid();
        QCOMPARE(stands.zoom(), 110);
        // Position, car, laps and time are drawn bigger than anything else on the screen.
        int others = 0;
        for (int c : {Name, LastLap, FastestLap, LeaderGap, Predicted})
            others = std::max(others, stands.columnFont(c).pixelSize());
        others = std::max(others, stands.horizontalHeader()->font().pixelSize());
        for (const char* label : {"specTimeLB", "specheatnumLB", "specroundLB"})
            others = std::max(others, child<QLabel>(*spectators, label)->font().pixelSize());
        for (int c : {Pos, Car, Laps, Time}) QVERIFY(stands.columnFont(c).pixelSize() > others);
        // And every car shows.
        QVERIFY(stands.verticalHeader()->defaultSectionSize() * 21 <= stands.height());
    }

    void theDarkRaceScreenIsChosenInSetup() {
        RaceSession race(2);
        race.openRaceScreen();
        auto* spectators = race.window().findChild<RaceScreen*>();
        QCOMPARE(spectators->grid().theme(), StandingsTheme::Light);
        onModalSetup([](QWidget& setup) {
            child<QCheckBox>(setup, "darkRaceScreenCB")->setChecked(true);
            child<QPushButton>(setup, "CloseBtn")->click();
        });
        race.window().menus().programSetup->trigger();
        QVERIFY(race.program.settings.darkRaceScreen);
        QCOMPARE(spectators->grid().theme(), StandingsTheme::Dark);
        QVERIFY(spectators->palette().color(QPalette::Window).lightness() < 40);
    }

    void theMainWindowFitsALaptopScreen() {
        RaceSession race(20);
        MainWindow& w = race.window();
        QVERIFY(w.minimumSizeHint().width() <= 1024);
        QVERIFY(w.minimumSizeHint().height() <= 600);
        w.resize(1024, 600);
        race.openRaceScreen();
        race.runFor(31); // set up: twenty rows
        race.redrawn();
        QCOMPARE(w.size(), QSize(1024, 600));
        const QRect inside = w.rect();
        const auto fits = [&w, &inside](QWidget* b) {
            const QRect at(b->mapTo(&w, QPoint(0, 0)), b->size());
            return b->isVisible() && inside.contains(at) &&
                   b->width() >= b->sizeHint().width() - 2 &&
                   b->height() >= b->minimumSizeHint().height();
        };
        for (const char* name :
             {"RaceBtn", "TablesBtn", "DriversBtn", "OutputBtn", "OptionsBtn", "BrandBtn",
              "messagesBtn", "StartBtn", "Stop_StarTBTN", "RestartCBtn", "ReadOBtn", "plus1m",
              "plus5m", "raceoptions", "Keyenablebtn", "reprintbtn", "PassbeepCB", "Copiesse"})
            QVERIFY2(fits(child<QWidget>(w, name)), name);
        // Every column of the standings is within the grid and as wide as its texts.
        auto* grid = child<StandingsGrid>(w, "CRaceGrid");
        QHeaderView* header = grid->horizontalHeader();
        QCOMPARE(grid->model()->columnCount(), 11);
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            const int left = header->sectionViewportPosition(c);
            QVERIFY2(left >= 0 && left + header->sectionSize(c) <= grid->viewport()->width(),
                     qPrintable(QString::number(c)));
            int widest = header->fontMetrics().horizontalAdvance(headers(*grid)[c]);
            const QFontMetrics cells(grid->columnFont(c));
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                widest = std::max(widest, cells.horizontalAdvance(cell(*grid, r, c)));
            QVERIFY2(header->sectionSize(c) >= widest + 8, qPrintable(headers(*grid)[c]));
        }
    }

    void theRaceInformationShowsTheRaceAndTheCountingEquipment() {
        RaceSession race(2);
        race.openRaceScreen();
        race.runFor(31);
        QCOMPARE(child<QLabel>(race.window(), "rtype")->text(), QStringLiteral("Mass Start"));
        QCOMPARE(child<QLabel>(race.window(), "racedur")->text(), QStringLiteral("5 Min Race"));
        race.session->setUpCountingEquipment();
        race.runFor(1);
        QCOMPARE(child<QLabel>(race.window(), "raceEquipmentLB")->text(),
                 QStringLiteral("Manual Timing"));
    }
};

QTEST_MAIN(RaceScreenTest)
#include "race_screen_test.moc"
