// The live results server during a 20-car race on loopback: from a passing to the event a
// connected phone receives, the processor time 100 connected phones cost per second of race,
// and the size of what a phone loads.
#include "../counted_race_field.h"
#include "live/live_feed.h"
#include "platform/live_server.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/live_results.h"
#include "session/race_view_bridge.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <vector>

using namespace vexa;

namespace {

class LiveBench {
  public:
    static constexpr int Cars = 20;

    explicit LiveBench(int clients) {
        bench::prepareCountedRaceField(program);
        program.settings.countDevice = 0;
        attachRaceEngine(program,
                         RacePorts{clock, scheduler, ports, ports, ports, ports, ports, &bridge});
        followRace(server, bridge);
        server.start(QStringLiteral("127.0.0.1"), 0);
        RaceEngine& engine = *program.race;
        engine.openRaceScreen();
        while (engine.values().RaceState != RaceStates::Running && scheduler.fireNext()) {
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
    LiveFeed feed{LiveSources{program.settings, program.event, program.paths, program.race}};
    LiveServer server{feed};
    std::vector<std::unique_ptr<QTcpSocket>> streams;

  private:
    double nextPassingTime() const {
        return bench::fieldPassingTime(next_ % Cars, 11 + next_ / Cars);
    }
    void pass(int car, int lap) { bench::countFieldPassing(*program.race, scheduler, car, lap); }
    double raceTime() const { return program.race->RaceTime(); }
    double raceOrigin() const {
        return static_cast<double>(clock.milliseconds()) / 1000.0 - program.race->RaceTime();
    }
    int next_ = 0;
};

// A passing counted by the engine until one connected client has read the whole event that
// carries it.
void BM_PassingToEventAtTheClient(benchmark::State& state) {
    LiveBench bench(1);
    for (auto _ : state) {
        bench.nextPassing();
        bench.drainAll();
    }
    state.counters["event_bytes"] = static_cast<double>(bench.feed.raceEvent().size());
}
BENCHMARK(BM_PassingToEventAtTheClient)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(500)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

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
