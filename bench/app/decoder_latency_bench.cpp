// From bytes arriving on the decoder's TCP connection to sortCarPass returning, measured with the
// decoder simulator on loopback, for an AMBrc and a P3 decoder: each passing carries the
// simulator's monotonic send time, read again when the record has been counted. Beside them, in
// the same run, the loopback's own one-way trip: the same simulator with the same gaps between
// passings, read by a socket that does nothing with the bytes. Every one of them waits for the
// socket asleep, as the program's event loop does, so a receiver woken by the bytes is measured
// (not one spinning on a core).
#include "../counted_race_field.h"
#include "platform/qt_decoder_socket.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "station/race_station.h"
#include "timing/p3_frame_reader.h"
#include "timing/record_fields.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

using namespace vexa;

namespace {

// Where the simulator puts its send time in a P3 passing (--stamp): a tag no decoder uses.
constexpr uint8_t SimulatorStampTag = 0xF0;

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

// Waits asleep in the event loop until `done` or `ms` have passed; each event that arrives wakes
// it to look again.
bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    QTimer limit; // wakes the loop at the end of the wait
    limit.setSingleShot(true);
    limit.start(ms);
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

// The send times of the AMBrc passings in the bytes: field 2 of each "@" record.
void ambrcStamps(std::string_view bytes, std::vector<int64_t>& stamps) {
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\r', start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view record = bytes.substr(start, end - start);
        if (record.size() > 1 && record[0] == '\x01' && record[1] == '@')
            if (const auto sent = decimalNumber(ambrcField(record, 2)))
                stamps.push_back(static_cast<int64_t>(*sent));
        start = end + 1;
        while (start < bytes.size() && bytes[start] == '\n') ++start;
    }
}

// Starts the simulator with `dialect` on a loopback port: 20 cars, a passing every 25 ms or so;
// its address ("127.0.0.1:PORT"), or nothing (the benchmark skipped) when it did not start.
QString startSimulator(benchmark::State& state, QProcess& sim, const char* dialect) {
#ifndef VEXA_DECODER_SIM
    (void)sim;
    (void)dialect;
    state.SkipWithError("the decoder simulator is not built here");
    return {};
#else
    sim.start(QStringLiteral(VEXA_DECODER_SIM),
              {"--dialect", dialect, "--tcp", "0", "--stamp", "--cars", "20", "--lap", "0.5",
               "--spread", "0.2", "--noise", "0", "--quiet", "--duration", "300"});
    if (!sim.waitForReadyRead(5000)) {
        state.SkipWithError("the decoder simulator did not start");
        return {};
    }
    return QString::fromLatin1(sim.readLine()).trimmed().section(' ', 1);
#endif
}

// The simulator's send times of the passings in the bytes.
void sendTimes(std::string_view bytes, CountingDevice device, P3FrameReader& reader,
               std::vector<int64_t>& stamps) {
    if (device != CountingDevice::P3) {
        ambrcStamps(bytes, stamps);
        return;
    }
    reader.feed(bytes, [&](const P3Frame& frame) {
        P3FieldCursor fields(frame.body);
        P3Field field;
        while (fields.next(field))
            if (field.tag == SimulatorStampTag)
                stamps.push_back(static_cast<int64_t>(p3Unsigned(field.value).value_or(0)));
    });
}

// The median, 99th percentile and largest of the samples (nanoseconds) as microseconds.
void reportSpread(benchmark::State& state, std::vector<int64_t> samples, const char* prefix = "") {
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    const std::string p(prefix);
    state.counters[p + "median_us"] = static_cast<double>(samples[samples.size() / 2]) / 1000.0;
    state.counters[p + "p99_us"] = static_cast<double>(samples[samples.size() * 99 / 100]) / 1000.0;
    state.counters[p + "max_us"] = static_cast<double>(samples.back()) / 1000.0;
}

// Each iteration waits for the next passing and takes its time.
void timeEachPassing(benchmark::State& state, const std::vector<int64_t>& samples) {
    for (auto _ : state) {
        const size_t before = samples.size();
        if (!waitFor([&] { return samples.size() > before; }, 3000)) {
            state.SkipWithError("no passing arrived");
            break;
        }
        state.SetIterationTime(static_cast<double>(samples.back()) / 1e9);
    }
}

// Runs the simulator with `dialect` and counts its 20 cars' passings in a running race; each
// iteration waits for the next passing and takes its time from arrival to sortCarPass returned.
void measureLatency(benchmark::State& state, const char* dialect, CountingDevice device) {
    QProcess sim;
    const QString address = startSimulator(state, sim, dialect);
    if (address.isEmpty()) return;

    VirtualClock clock;
    VirtualScheduler scheduler(clock);
    Quiet quiet(clock);
    quiet.keepEvents = false; // the bench keeps no transcript: not the program's own cost
    QtDecoderSocket socket;
    Program program;
    bench::prepareCountedRaceField(program);
    program.settings.countDevice = settingOf(device);
    program.settings.count1ComPort = IpAddressPortEntry;
    program.settings.ipAddress = address.toStdString();
    program.settings.decoderSilence = 0; // the engine runs on a virtual clock that stands still
    std::unique_ptr<RaceStation> station = buildRaceStation(
        program,
        StationPorts{clock, scheduler, quiet, quiet, quiet, nullptr,
                     EquipmentLinks{scheduler, clock, quiet, quiet, socket, quiet, quiet, quiet}});
    RaceEngine& engine = station->engine();
    CountingEquipment& equipment = station->equipment();

    std::vector<int64_t> samples;
    std::vector<int64_t>
        handling; // from the bytes handed over by the socket to sortCarPass returned
    std::vector<int64_t> stamps;
    P3FrameReader stampReader; // the bench's own reading of the same bytes
    socket.onBytes([&](std::string_view bytes) {
        const int64_t arrived = monotonicNanoseconds();
        equipment.AMBClientSocketRead(bytes);
        const int64_t counted = monotonicNanoseconds();
        stamps.clear();
        sendTimes(bytes, device, stampReader, stamps);
        for (int64_t sent : stamps) {
            samples.push_back(counted - sent);
            handling.push_back(counted - arrived);
        }
    });
    equipment.Setupcountingequipment();
    if (!waitFor([&] { return !equipment.presenceCheckRunning(); }, 3000) ||
        engine.countDevice() != device) {
        state.SkipWithError("the decoder did not answer");
        return;
    }
    engine.openRaceScreen();
    while (engine.values().RaceState != RaceStates::Running && scheduler.fireNext()) {
    }

    timeEachPassing(state, samples);
    reportSpread(state, samples);
    reportSpread(state, handling, "handling_");
    if (device == CountingDevice::P3 && equipment.p3().tracker().missing() != 0)
        state.SkipWithError("passings were missed");
    socket.close();
    station.reset();
    sim.kill();
    sim.waitForFinished(2000);
}

// The loopback's own one-way trip with the same simulator and the same gaps between passings:
// from the simulator's send to the bytes read by a socket that does nothing with them.
void measureRawTrip(benchmark::State& state, const char* dialect, CountingDevice device) {
    QProcess sim;
    const QString address = startSimulator(state, sim, dialect);
    if (address.isEmpty()) return;
    QTcpSocket socket;
    std::vector<int64_t> samples;
    std::vector<int64_t> stamps;
    P3FrameReader reader;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
        const QByteArray bytes = socket.readAll();
        const int64_t arrived = monotonicNanoseconds();
        stamps.clear();
        sendTimes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), device,
                  reader, stamps);
        for (int64_t sent : stamps) samples.push_back(arrived - sent);
    });
    socket.connectToHost(address.section(':', 0, 0), address.section(':', 1).toUShort());
    timeEachPassing(state, samples);
    reportSpread(state, samples);
    socket.close();
    sim.kill();
    sim.waitForFinished(2000);
}

// The program's path and the loopback's own trip, side by side in one run.
BENCHMARK_CAPTURE(measureLatency, SocketBytesToSortCarPassReturned, "ambrc", CountingDevice::Ambrc)
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(measureRawTrip, RawLoopbackOneWayTrip, "ambrc", CountingDevice::Ambrc)
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(measureLatency, P3SocketBytesToSortCarPassReturned, "p3", CountingDevice::P3)
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(measureRawTrip, P3RawLoopbackOneWayTrip, "p3", CountingDevice::P3)
    ->UseManualTime()
    ->Iterations(400)
    ->Unit(benchmark::kMicrosecond);

} // namespace
