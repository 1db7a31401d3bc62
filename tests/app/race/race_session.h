#pragma once

#include "program/event_store.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/race_view_bridge.h"
#include "session/session.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"
#include "support/test_session_ports.h"
#include "ui/main/main_window.h"

#include <QTemporaryDir>

#include <memory>

namespace vexa::test {

// A whole session on virtual time with an open event "Club Day": Ids 1..cars are in heat 1 of
// class 1 ("Buggy", 5-minute mass starts counted with the keys, one minute between races, set-up
// 30 s before the start). Sounds and the race engine's outside calls are recorded.
class RaceSession {
  public:
    explicit RaceSession(int cars = 3) {
        program.home.root = home.path().toStdString();
        startProgram(program);
        createEvent(program, "Club Day");
        ProgSettings& s = program.settings;
        s.countDevice = 0;
        s.heatMass = true;
        s.raceInterval = "60";
        s.raceSetup = "30";
        s.raceNumber = 1;
        s.roundNumber = 1;
        s.racingHeats = true;
        s.classes[1].name = "Buggy";
        s.classes[1].qualMinutes = 5;
        s.classes[1].tenSecCountdown = false;
        for (int id = 1; id <= cars; ++id) {
            comp_ent& c = program.event.competitor(id);
            c.name = "Driver " + std::to_string(id);
            c.classno = 1;
            program.event.heats.setSlotText(1, id, std::to_string(id));
        }
        // A second heat, so that the end of heat 1 is not the end of the round.
        program.event.heats.setSlotText(2, 1, "1");
        session = std::make_unique<Session>(program, testSessionPorts(clock, scheduler, op, sound));
    }

    RaceEngine& engine() { return session->race(); }
    MainWindow& window() { return session->mainWindow(); }

    // Shows the main window on its race screen, as the "Race" button does.
    void openRaceScreen() {
        window().show();
        child<QWidget>(window(), "RaceBtn")->setFocus();
        QMetaObject::invokeMethod(child<QObject>(window(), "RaceBtn"), "click");
    }
    // The grids as the next frame draws them.
    void redrawn() { session->raceView().redrawNow(); }
    // Runs the countdown until the race runs.
    void runToStart() {
        while (engine().values().RaceState != RaceStates::Running && scheduler.fireNext()) {
        }
    }
    // Virtual time on, `seconds` from now.
    void runFor(double seconds) { scheduler.advanceBy(static_cast<int64_t>(seconds * 1000.0)); }
    // Runs the race clock to race second `s`.
    void runToRaceSecond(double s) {
        scheduler.advanceTo(clock.milliseconds() +
                            static_cast<int64_t>((s - engine().RaceTime()) * 1000.0));
    }

    QTemporaryDir home;
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts sound{clock};
    RecordingOperator op;
    Program program;
    std::unique_ptr<Session> session; // last: it goes first
};

} // namespace vexa::test
