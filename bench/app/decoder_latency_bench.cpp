// From bytes arriving on the decoder's TCP connection to sortCarPass returning, measured with the
// decoder simulator on loopback: each passing carries the simulator's monotonic send time, read
// again when the record has been counted.
#include "../counted_race_field.h"
#include "platform/qt_decoder_socket.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "timing/record_fields.h"
#include "timing/timing_station.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

using namespace vexa;

namespace {

int64_t monotonicNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

class Quiet : public RecordingPorts, public SerialPort, public TimingView, public SearchWindow {
  public:
    using RecordingPorts::RecordingPorts;
    void play(int, int) override {}
    bool open(int, const SerialParameters&) override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    void setRts(bool) override {}
    void write(const std::string&) override {}
    void showCountingEquipment(const std::string&) override {}
    void showDecoderStatus(const std::string&) override {}
    void showWeather(WeatherValue, const std::string&) override {}
    void showNotice(const std::string&) override {}
    void open(const std::string&) override {}
    void setMessage(const std::string&) override {}
    void setProgress(int) override {}
};

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

void BM_SocketBytesToSortCarPassReturned(benchmark::State& state) {
#ifndef VEXA_DECODER_SIM
    state.SkipWithError("the decoder simulator is not built here");
    return;
#else
    QProcess sim;
    sim.start(QStringLiteral(VEXA_DECODER_SIM),
              {"--tcp", "0", "--stamp", "--cars", "20", "--lap", "0.5", "--spread", "0.2",
               "--noise", "0", "--quiet", "--duration", "300"});
    if (!sim.waitForReadyRead(5000)) {
        state.SkipWithError("the decoder simulator did not start");
        return;
    }
    const QString address = QString::fromLatin1(sim.readLine()).trimmed().section(' ', 1);

    VirtualClock clock;
    VirtualScheduler scheduler(clock);
    Quiet quiet(clock);
    QtDecoderSocket socket;
    Program program;
    bench::prepareCountedRaceField(program);
    program.settings.count1ComPort = IpAddressPortEntry;
    program.settings.ipAddress = address.toStdString();
    TimingStation station(program,
                          EquipmentLinks{scheduler, quiet, quiet, socket, quiet, quiet, quiet});
    RaceEngine& engine =
        attachRaceEngine(program, RacePorts{clock, scheduler, quiet, quiet, station.equipment,
                                            station.controller, quiet, nullptr});

    std::vector<int64_t> samples;
    socket.onBytes([&](std::string_view bytes) {
        station.equipment.AMBClientSocketRead(bytes);
        const int64_t counted = monotonicNanoseconds();
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find('\r', start);
            if (end == std::string_view::npos) end = bytes.size();
            const std::string_view record = bytes.substr(start, end - start);
            if (record.size() > 1 && record[0] == '\x01' && record[1] == '@')
                if (const auto sent = decimalNumber(ambrcField(record, 2)))
                    samples.push_back(counted - static_cast<int64_t>(*sent));
            start = end + 1;
            while (start < bytes.size() && bytes[start] == '\n') ++start;
        }
    });
    station.equipment.Setupcountingequipment();
    if (!waitFor([&] { return !station.equipment.presenceCheckRunning(); }, 3000)) {
        state.SkipWithError("the decoder did not answer");
        return;
    }
    engine.openRaceScreen();
    while (engine.values().RaceState != RaceStates::Running && scheduler.fireNext()) {
    }

    for (auto _ : state) {
        const size_t before = samples.size();
        if (!waitFor([&] { return samples.size() > before; }, 3000)) {
            state.SkipWithError("no passing arrived");
            break;
        }
        state.SetIterationTime(static_cast<double>(samples.back()) / 1e9);
    }
    std::sort(samples.begin(), samples.end());
    if (!samples.empty()) {
        state.counters["median_us"] = static_cast<double>(samples[samples.size() / 2]) / 1000.0;
        state.counters["p99_us"] = static_cast<double>(samples[samples.size() * 99 / 100]) / 1000.0;
        state.counters["max_us"] = static_cast<double>(samples.back()) / 1000.0;
    }
    program.race.reset();
    socket.close();
    sim.kill();
    sim.waitForFinished(2000);
#endif
}
BENCHMARK(BM_SocketBytesToSortCarPassReturned)
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMicrosecond);

} // namespace
