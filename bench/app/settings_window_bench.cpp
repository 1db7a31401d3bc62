// The "Setup" window of a whole session: made once at start-up, opened (drawn from the settings,
// laid out and shown) each time "Program Setup" is chosen, and closed (checked, stored, and both
// the settings file and the event's own settings file saved). Opening must stay under 50 ms and
// closing under 20 ms, on a file with names in all 31 classes and all 80 transponders set.
#include "files/settings_file.h"
#include "platform/timing_host.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/session.h"
#include "station/race_station.h"
#include "ui/main/main_window.h"
#include "ui/settings/settings_window.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vexa;

namespace {

// A session over a program home with a full settings file and an open event.
struct SetupBench {
    QTemporaryDir home;
    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts ports{clock};
    Program program;
    std::unique_ptr<Session> session;

    SetupBench() {
        program.home.root = home.path().toStdString();
        startProgram(program);
        for (int i = 0; i < MaxClasses; ++i)
            program.settings.classes[static_cast<size_t>(i)].name = "Class " + std::to_string(i);
        for (int set = 1; set <= 4; ++set)
            for (int car = 1; car <= MaxSlots; ++car)
                program.settings.trackSets[static_cast<size_t>(set)]
                    .transponders[static_cast<size_t>(car)] = 1000000 + set * 100 + car;
        saveSettingsFile(program.home.iniFile(), program.settings);
        createEvent(program, "Bench");
        SessionPorts given;
        given.clock = &clock;
        given.scheduler = &scheduler;
        given.op = &ports;
        given.sound = &ports;
        session = std::make_unique<Session>(program, std::move(given));
    }
    ~SetupBench() { session.reset(); }

    SettingsWindow& window() {
        return *session->mainWindow().findChild<SettingsWindow*>(QStringLiteral("TProgSetF"));
    }
};

void BM_SetupWindowOpen(benchmark::State& state) {
    SetupBench bench;
    SettingsWindow& window = bench.window();
    for (auto _ : state) {
        window.FormActivate();
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SetupWindowOpen)->Unit(benchmark::kMillisecond);

void BM_SetupWindowClose(benchmark::State& state) {
    SetupBench bench;
    SettingsWindow& window = bench.window();
    for (auto _ : state) {
        state.PauseTiming();
        window.FormActivate();
        window.show();
        QApplication::processEvents();
        state.ResumeTiming();
        const bool closed = window.FormClose();
        benchmark::DoNotOptimize(closed);
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SetupWindowClose)->Unit(benchmark::kMillisecond);

// Making the window, once at start-up.
void BM_SetupWindowMade(benchmark::State& state) {
    SetupBench bench;
    RaceStation& station = bench.session->station();
    for (auto _ : state) {
        SettingsWindow window(bench.program, bench.ports, station);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_SetupWindowMade)->Unit(benchmark::kMillisecond);

} // namespace
