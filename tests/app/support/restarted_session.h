#pragma once

#include "race/race_session.h"
#include "support/test_session_ports.h"

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vexa::test {

// The wall clock's millisecond at the first start of a program that is stopped and started again.
inline constexpr int64_t FirstStartWall = 1'765'400'000'000;

// Car c (1..3) crosses every 30 s from race second 20 + c: the crossings from `from` up to `to`,
// in time order.
inline std::vector<std::pair<double, char>> thirtySecondLaps(double from, double to) {
    std::vector<std::pair<double, char>> out;
    for (double t = 21; t < 330; t += 30)
        for (char car : {'1', '2', '3'}) {
            const double at = t + (car - '1');
            if (at >= from && at < to) out.push_back({at, car});
        }
    std::sort(out.begin(), out.end());
    return out;
}

// The laps and times of Ids 1 to 3 in round 1.
inline std::array<std::pair<int, double>, 3> roundOneResults(const Program& program) {
    std::array<std::pair<int, double>, 3> out;
    for (int id = 1; id <= 3; ++id)
        out[static_cast<size_t>(id - 1)] = {program.event.cptres[id].laps[1],
                                            program.event.cptres[id].time[1]};
    return out;
}

// The session of `s` made again with the wall clock at `FirstStartWall` when its clock is at 0,
// after `change` is made to the program.
inline void onTheWallClock(RaceSession& s, const std::function<void()>& change = {}) {
    s.session.reset();
    if (change) change();
    SessionPorts ports = testSessionPorts(s.clock, s.scheduler, s.op, s.sound);
    ports.wallMs = [clock = &s.clock] { return FirstStartWall + clock->milliseconds(); };
    s.session = std::make_unique<Session>(s.program, std::move(ports));
}

// The program started on the same event after a stop: its own clock from 0, the wall clock
// `downMs` after the first start's zero.
struct RestartedSession {
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts sound{clock};
    RecordingOperator op;
    std::unique_ptr<Session> session;

    // `starting` is done before the main window shows, as the program's start-up does.
    RestartedSession(Program& program, int64_t downMs, std::deque<bool> answers,
                     const std::function<void(RestartedSession&)>& starting = {}) {
        op.answers = std::move(answers);
        SessionPorts ports = testSessionPorts(clock, scheduler, op, sound);
        ports.wallMs = [this, downMs] { return FirstStartWall + downMs + clock.milliseconds(); };
        session = std::make_unique<Session>(program, std::move(ports));
        if (starting) starting(*this);
        session->showMainWindow();
    }
    ~RestartedSession() { session.reset(); }
    RaceEngine& engine() { return session->race(); }
    void runToRaceSecond(double s) {
        scheduler.advanceTo(clock.milliseconds() +
                            static_cast<int64_t>((s - engine().RaceTime()) * 1000.0));
    }
};

} // namespace vexa::test
