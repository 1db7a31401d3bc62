// The live results server under load while a race runs in real time: 100 phones follow the race
// through the event stream while 50 other clients each ask three times at once for a 15 MB file
// of the event's html folder (half of them read it as fast as they can and ask again, half read
// nothing). How late the race's timers fire (and a 10 ms timer beside them), and how much memory
// the process and the server hold. The clients
// run on a thread of their own, so that their work is not counted as the program's; the argument
// chooses where the server serves: 0 on its own thread (as the program does it), 1 on the
// program's thread (what the own thread spares the race).
#include "../counted_race_field.h"
#include "latencies.h"
#include "live/live_feed.h"
#include "live_crowd.h"
#include "platform/live_server.h"
#include "platform/process_memory.h"
#include "platform/qt_timers.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "session/live_results.h"
#include "session/race_view_bridge.h"
#include "station/race_station.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

using namespace vexa;

namespace {

// The race's timers as the program runs them, each firing measured against when it was due.
class MeasuredTimers : public Scheduler {
  public:
    MeasuredTimers() { clock_.start(); }

    TimerId startTimer(int intervalMs, bool repeating, std::function<void()> onFire) override {
        auto due = std::make_shared<qint64>(clock_.elapsed() + intervalMs);
        return timers_.startTimer(intervalMs, repeating,
                                  [this, due, intervalMs, onFire = std::move(onFire)] {
                                      const qint64 now = clock_.elapsed();
                                      lateness.push_back(static_cast<double>(now - *due));
                                      *due = now + intervalMs;
                                      onFire();
                                  });
    }
    void stopTimer(TimerId id) override { timers_.stopTimer(id); }

    std::vector<double> lateness; // ms, one per firing

  private:
    QtScheduler timers_;
    QElapsedTimer clock_;
};

void BM_RaceClockUnderLoad(benchmark::State& state) {
    const auto serving =
        state.range(0) == 0 ? LiveServer::Serving::OwnThread : LiveServer::Serving::CallerThread;
    constexpr int RaceMs = 10000;
    QTemporaryDir folder;
    QtClock clock;
    MeasuredTimers timers;
    RecordingPorts ports{clock};
    RaceViewBridge bridge;
    Program program;
    bench::prepareCountedRaceField(program);
    program.settings.countDevice = 0; // lap counters' keys
    program.settings.minLap = "1";
    program.paths = EventPaths::in(std::filesystem::path(folder.path().toStdString()) / "Bench");
    const std::filesystem::path html = program.paths->dir / "html";
    std::filesystem::create_directories(html);
    {
        std::ofstream big(html / "big.jpg", std::ios::binary);
        const std::vector<char> block(1024 * 1024, 'j');
        for (int mb = 0; mb < 15; ++mb)
            big.write(block.data(), static_cast<std::streamsize>(block.size()));
    }

    RaceEngine engine(raceData(program),
                      RacePorts{clock, timers, ports, ports, ports, ports, ports, &bridge});
    LiveFeed feed{
        LiveSources{program.settings, program.event, program.paths, [&engine] { return &engine; }}};
    LiveServer server{feed, nullptr, LiveLimits{}, serving};
    followRace(server, bridge);
    if (!server.start(QStringLiteral("127.0.0.1"), 0)) {
        state.SkipWithError("the server could not listen");
        return;
    }
    engine.openRaceScreen();
    engine.StartBtnClick();
    if (engine.values().RaceState != RaceStates::Running) {
        state.SkipWithError("the race did not start");
        return;
    }
    // A lap counter presses the cars in turn, four a second.
    QTimer keys;
    int next = 0;
    QObject::connect(&keys, &QTimer::timeout,
                     [&] { engine.manualKey("1234567890QWERTYUIOP"[next++ % 20]); });
    keys.start(250);
    // Beside the race's timers, one every 10 ms: how soon the program's thread runs a timer.
    std::vector<double> probeLateness;
    QElapsedTimer probeClock;
    probeClock.start();
    qint64 probeDue = 10;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = probeClock.elapsed();
        probeLateness.push_back(static_cast<double>(now - probeDue));
        probeDue = now + 10;
    });

    const size_t before = residentMemoryBytes();
    size_t most = before;
    bench::LiveCrowd crowd;
    for (auto _ : state) {
        timers.lateness.clear();
        probeLateness.clear();
        probeDue = probeClock.elapsed() + 10;
        probe.start(10);
        crowd.follow(server.port(), 100);
        crowd.askForFile(server.port(), "/html/big.jpg", 15 * 1024 * 1024, 50);
        QElapsedTimer running;
        running.start();
        while (running.elapsed() < RaceMs) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
            most = std::max(most, residentMemoryBytes());
        }
    }
    keys.stop();
    probe.stop();
    state.counters["probe_late_max_ms"] = bench::percentile(probeLateness, 100);
    state.counters["probe_late_p99_ms"] = bench::percentile(probeLateness, 99);
    state.counters["timer_firings"] = static_cast<double>(timers.lateness.size());
    state.counters["late_max_ms"] = bench::percentile(timers.lateness, 100);
    state.counters["late_p99_ms"] = bench::percentile(timers.lateness, 99);
    state.counters["late_median_ms"] = bench::percentile(timers.lateness, 50);
    state.counters["rss_peak_mb"] = static_cast<double>(most) / (1024.0 * 1024.0);
    state.counters["rss_growth_mb"] = static_cast<double>(most - before) / (1024.0 * 1024.0);
    state.counters["server_held_peak_mb"] =
        static_cast<double>(server.peakHeldBytes()) / (1024.0 * 1024.0);
    state.counters["events_per_phone"] = crowd.events / 100.0;
    state.counters["file_mb_read"] = static_cast<double>(crowd.fileBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_RaceClockUnderLoad)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace
