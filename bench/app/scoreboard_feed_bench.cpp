// The scoreboard feed during a 20-car race on loopback: from a passing counted by the engine to
// its `$J` and `$G` records read whole by each of 50 connected displays.
#include "../counted_race_field.h"
#include "latencies.h"
#include "platform/scoreboard_server.h"
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
#include <QThread>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using namespace vexa;

namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

// Displays on a thread of their own: each reads whole records and notes when it has read the
// `$G` record that the awaited passing's `$J` comes before.
class Displays : public QObject {
  public:
    Displays(quint16 port, int count) {
        moveToThread(&thread_);
        thread_.start();
        QMetaObject::invokeMethod(
            this,
            [this, port, count] {
                for (int i = 0; i < count; ++i) {
                    auto* socket = new QTcpSocket(this);
                    buffers_.emplace_back();
                    readAt_.emplace_back();
                    const size_t n = buffers_.size() - 1;
                    connect(socket, &QTcpSocket::readyRead, this,
                            [this, socket, n] { read(n, socket->readAll()); });
                    socket->connectToHost(QHostAddress::LocalHost, port);
                }
            },
            Qt::BlockingQueuedConnection);
    }
    ~Displays() override {
        QMetaObject::invokeMethod(
            this, [this] { moveToThread(qApp->thread()); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }

    // From now on the `$G` of car `car` at `laps` laps is awaited.
    void await(int car, int laps) {
        const std::lock_guard lock(mutex_);
        awaited_ = ",\"" + std::to_string(car) + "\"," + std::to_string(laps) + ",";
        read_ = 0;
    }
    int readCount() {
        const std::lock_guard lock(mutex_);
        return read_;
    }
    // The moments the displays read it.
    std::vector<SteadyTime> readMoments() {
        const std::lock_guard lock(mutex_);
        std::vector<SteadyTime> out;
        for (size_t i = 0; i < readAt_.size() && static_cast<int>(i) < read_; ++i)
            out.push_back(readAt_[i]);
        return out;
    }

  private:
    void read(size_t n, const QByteArray& bytes) {
        std::string& buffer = buffers_[n];
        buffer.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        const size_t end = buffer.rfind("\r\n");
        if (end == std::string::npos) return;
        const std::string whole = buffer.substr(0, end + 2);
        buffer.erase(0, end + 2);
        const std::lock_guard lock(mutex_);
        if (awaited_.empty()) return;
        for (size_t at = whole.find("$G,"); at != std::string::npos;
             at = whole.find("$G,", at + 1)) {
            const size_t lineEnd = whole.find("\r\n", at);
            if (whole.substr(at, lineEnd - at).find(awaited_) == std::string::npos) continue;
            readAt_[static_cast<size_t>(read_)] = std::chrono::steady_clock::now();
            ++read_;
            return;
        }
    }

    QThread thread_;
    std::vector<std::string> buffers_;
    std::vector<SteadyTime> readAt_;
    std::mutex mutex_;
    std::string awaited_;
    int read_ = 0;
};

class ScoreboardBench {
  public:
    static constexpr int Cars = 20;

    ScoreboardBench() {
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
    }

    // The next passing: cars in turn, each about a lap after its previous one; its car number
    // and laps.
    std::pair<int, int> nextPassing() {
        const int car = next_ % Cars;
        const int lap = 11 + next_ / Cars;
        ++next_;
        pass(car, lap);
        return {engine->values().race_drivers[static_cast<size_t>(car)].carno, lap};
    }
    std::pair<int, int> upcoming() const {
        const int car = next_ % Cars;
        return {engine->values().race_drivers[static_cast<size_t>(car)].carno, 11 + next_ / Cars};
    }

    VirtualClock clock;
    VirtualScheduler scheduler{clock};
    RecordingPorts ports{clock};
    Program program;
    RaceViewBridge bridge;
    std::unique_ptr<RaceEngine> engine;
    ScoreboardServer server{ScoreboardSources{program.settings, [this] { return engine.get(); }}};

  private:
    void pass(int car, int lap) { bench::countFieldPassing(*engine, scheduler, car, lap); }
    int next_ = 0;
};

// A passing counted by the engine until each of the connected displays has read its `$J` and
// `$G` records; the displays read on a thread of their own. The time each display saw, over all
// the passings, as median, 90th and 99th percentile and the most.
void BM_PassingToRecordsAtEachDisplay(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    ScoreboardBench bench;
    Displays displays(bench.server.port(), count);
    while (bench.server.readers() < count) QCoreApplication::processEvents();
    QElapsedTimer settle; // the welcome
    settle.start();
    while (settle.elapsed() < 200) QCoreApplication::processEvents();

    std::vector<double> seen; // ms from the passing to a display's records
    for (auto _ : state) {
        const auto [car, laps] = bench.upcoming();
        displays.await(car, laps);
        const auto passed = std::chrono::steady_clock::now();
        bench.nextPassing();
        // The server runs on, as the program's thread would, until every display has read (a
        // second at most).
        QElapsedTimer waited;
        waited.start();
        while (displays.readCount() < count && waited.elapsed() < 1000)
            QCoreApplication::processEvents();
        for (const SteadyTime at : displays.readMoments())
            seen.push_back(std::chrono::duration<double, std::milli>(at - passed).count());
    }
    state.counters["median_ms"] = bench::percentile(seen, 50);
    state.counters["p90_ms"] = bench::percentile(seen, 90);
    state.counters["p99_ms"] = bench::percentile(seen, 99);
    state.counters["max_ms"] = bench::percentile(seen, 100);
    state.counters["missed"] =
        static_cast<double>(state.iterations()) * count - static_cast<double>(seen.size());
}
BENCHMARK(BM_PassingToRecordsAtEachDisplay)
    ->Arg(1)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);

} // namespace
