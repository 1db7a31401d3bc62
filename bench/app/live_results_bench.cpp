// The live results server during a 20-car race on loopback: from a passing to the event each of
// 200 connected phones has read, the processor time 100 connected phones cost per second of
// race, and the size of what a phone loads.
#include "../counted_race_field.h"
#include "latencies.h"
#include "live/live_feed.h"
#include "live_crowd.h"
#include "platform/live_server.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/live_results.h"
#include "session/race_view_bridge.h"
#include "station/race_station.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <memory>
#include <mutex>
#include <vector>

using namespace vexa;

namespace {

class LiveBench {
  public:
    static constexpr int Cars = 20;

    explicit LiveBench(int clients) {
        bench::prepareCountedRaceField(program);
        program.settings.countDevice = 0;
        engine = std::make_unique<RaceEngine>(
            raceData(program),
            RacePorts{clock, scheduler, ports, ports, ports, ports, ports, &bridge});
        followRace(server, bridge);
        server.start(QStringLiteral("127.0.0.1"), 0);
        engine->openRaceScreen();
        while (engine->values().RaceState != RaceStates::Running && scheduler.fireNext()) {
        }
        for (int lap = 1; lap <= 10; ++lap)
            for (int car = 0; car < Cars; ++car) pass(car, lap);
        for (int i = 0; i < clients; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            socket->connectToHost(QHostAddress::LocalHost, server.port());
            socket->write("GET /api/events HTTP/1.1\r\nHost: bench\r\n\r\n");
            streams.push_back(std::move(socket));
        }
        while (server.streams() < clients) QCoreApplication::processEvents();
        drainAll();
    }

    // The next passing: cars in turn, each about a lap after its previous one.
    void nextPassing() {
        const int car = next_ % Cars;
        const int lap = 11 + next_ / Cars;
        ++next_;
        pass(car, lap);
    }

    // Runs the event loop until every client has read up to the end of an event (a second at
    // most, should nothing come).
    void drainAll() {
        QElapsedTimer waited;
        waited.start();
        for (auto& s : streams) {
            QByteArray got = s->readAll();
            while (!got.endsWith("\n\n") && waited.elapsed() < 1000) {
                QCoreApplication::processEvents();
                got += s->readAll();
            }
        }
    }

    // One second of race: the clock's tick and the passings that fall in it (20 cars on
    // 20-second laps: about one a second), each to every client.
    void oneRaceSecond() {
        const double until = raceTime() + 1.0;
        while (nextPassingTime() <= until) nextPassing();
        scheduler.advanceTo(static_cast<int64_t>((raceOrigin() + until) * 1000.0));
        QCoreApplication::processEvents();
        drainAll();
    }

    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts ports{clock};
    Program program;
    RaceViewBridge bridge;
    std::unique_ptr<RaceEngine> engine;
    LiveFeed feed{LiveSources{program.settings, program.event, program.paths,
                              [this] { return engine.get(); }}};
    LiveServer server{feed};
    std::vector<std::unique_ptr<QTcpSocket>> streams;

  private:
    double nextPassingTime() const {
        return bench::fieldPassingTime(next_ % Cars, 11 + next_ / Cars);
    }
    void pass(int car, int lap) { bench::countFieldPassing(*engine, scheduler, car, lap); }
    double raceTime() const { return engine->RaceTime(); }
    double raceOrigin() const {
        return static_cast<double>(clock.milliseconds()) / 1000.0 - engine->RaceTime();
    }
    int next_ = 0;
};

// A passing counted by the engine until each of the connected phones has read the whole event
// that carries it; the phones read on a thread of their own. The time each phone saw, over all
// the passings, as median, 90th and 99th percentile and the most.
void BM_PassingToEventAtEachClient(benchmark::State& state) {
    const int phones = static_cast<int>(state.range(0));
    LiveBench bench(0);
    bench::LiveCrowd crowd;
    std::vector<std::chrono::steady_clock::time_point> readAt(static_cast<size_t>(phones));
    std::vector<int> readIn(static_cast<size_t>(phones), -1); // the passing read last
    std::atomic<int> passing{-1};
    std::atomic<int> read{0};
    std::mutex mutex;
    std::condition_variable allRead;
    crowd.follow(bench.server.port(), phones, [&](int phone) {
        const auto i = static_cast<size_t>(phone);
        const int now = passing;
        if (now < 0 || readIn[i] == now) return;
        readIn[i] = now;
        readAt[i] = std::chrono::steady_clock::now();
        if (++read == phones) {
            const std::lock_guard lock(mutex);
            allRead.notify_one();
        }
    });
    while (bench.server.streams() < phones) QCoreApplication::processEvents();
    QElapsedTimer settle; // the first messages
    settle.start();
    while (settle.elapsed() < 200) QCoreApplication::processEvents();

    std::vector<double> seen; // ms from the passing to a phone's whole event
    int n = 0;
    for (auto _ : state) {
        read = 0;
        const auto passed = std::chrono::steady_clock::now();
        passing = n++;
        bench.nextPassing();
        QCoreApplication::processEvents(); // the race goes to the server's thread
        std::unique_lock lock(mutex);
        allRead.wait_for(lock, std::chrono::seconds(1), [&] { return read == phones; });
        for (const auto at : readAt)
            if (at >= passed)
                seen.push_back(std::chrono::duration<double, std::milli>(at - passed).count());
    }
    state.counters["median_ms"] = bench::percentile(seen, 50);
    state.counters["p90_ms"] = bench::percentile(seen, 90);
    state.counters["p99_ms"] = bench::percentile(seen, 99);
    state.counters["max_ms"] = bench::percentile(seen, 100);
    state.counters["missed"] =
        static_cast<double>(state.iterations()) * phones - static_cast<double>(seen.size());
    state.counters["event_bytes"] = static_cast<double>(bench.feed.raceEvent().size());
}
BENCHMARK(BM_PassingToEventAtEachClient)
    ->Arg(1)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);

// One second of a 20-car race with 100 phones following it: the processor time of the program
// (the clients' reading included, so the server's own share is less) as a share of one core.
void BM_HundredClientsPerSecondOfRace(benchmark::State& state) {
    LiveBench bench(static_cast<int>(state.range(0)));
    double cpu = 0.0;
    for (auto _ : state) {
        const std::clock_t before = std::clock();
        bench.oneRaceSecond();
        cpu += static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC;
    }
    state.counters["core_percent_per_race_second"] =
        100.0 * cpu / static_cast<double>(state.iterations());
}
BENCHMARK(BM_HundredClientsPerSecondOfRace)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(120)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// What a phone loads: the page, and the race of 20 cars as JSON.
void BM_LivePageAndRaceSize(benchmark::State& state) {
    LiveBench bench(0);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = bench.feed.raceJson().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["page_bytes"] = static_cast<double>(LiveServer::livePage().size());
    state.counters["race_json_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_LivePageAndRaceSize)->Unit(benchmark::kMicrosecond);

} // namespace
