#pragma once

// Both standings grids, the race panel's and the spectators', on a running race of 20 cars at
// lap 150, for the race screen benchmarks.
#include "../counted_race_field.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/session.h"
#include "ui/main/main_window.h"
#include "ui/race/race_screen.h"
#include "ui/race/standings_grid.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>

#include <memory>

namespace vexa::bench {

// Counts the paint events of a grid's viewport.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class RaceScreenRig {
  public:
    static constexpr int Cars = 20;

    RaceScreenRig() {
        program.home.root = home.path().toStdString();
        startProgram(program);
        createEvent(program, "Bench");
        prepareCountedRaceField(program);
        program.settings.countDevice = 0; // the keys count: the clock runs from the start
        SessionPorts ports;
        ports.clock = &clock;
        ports.scheduler = &scheduler;
        ports.op = &sound;
        ports.sound = &sound;
        ports.openUrl = [](const QUrl&) {};
        session = std::make_unique<Session>(program, ports);
        MainWindow& window = session->mainWindow();
        window.resize(1000, 680);
        window.show();
        window.showScreen(Screen::Race);
        spectators = window.findChild<RaceScreen*>();
        spectators->resize(1280, 1024);
        spectators->show();
        while (session->race().values().RaceState != RaceStates::Running && scheduler.fireNext()) {
        }
        // Every car to lap 150, the field spread over a lap.
        for (int lap = 1; lap <= 150; ++lap)
            for (int car = 0; car < Cars; ++car) pass(car, lap);
        QApplication::processEvents();
        grid = window.findChild<StandingsGrid*>(QStringLiteral("CRaceGrid"));
        grid->viewport()->installEventFilter(&operatorPaints);
        spectators->grid().viewport()->installEventFilter(&spectatorPaints);
    }

    ~RaceScreenRig() { session.reset(); }

    void pass(int car, int lap) { countFieldPassing(session->race(), scheduler, car, lap); }
    MainWindow& window() { return session->mainWindow(); }

    PaintCounter operatorPaints;
    PaintCounter spectatorPaints;
    QTemporaryDir home;
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts sound{clock};
    Program program;
    std::unique_ptr<Session> session;
    RaceScreen* spectators = nullptr;
    StandingsGrid* grid = nullptr;
};

} // namespace vexa::bench
