// A whole two-day meeting in simulated time, as `vexa-cli race` runs it: 300 drivers in 10
// classes, 6 rounds of 15 heats of 20 cars and 30 finals of 10 (120 races of 5 minutes), counted
// by an AMBrc decoder, every race's results stored and its page and upload entry written. A
// race at the end of the meeting must cost what one at its start costs: the counters give the
// end-of-race cost (from the upload entry written ahead to the upload entry appended, the
// results saved between) of race 2 and race 120 and their ratio, and the peak memory.
#include "files/settings_file.h"
#include "output/result_outputs.h"
#include "program/event_store.h"
#include "program/program.h"
#include "race/recording_ports.h"
#include "replay/headless_race.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#ifdef __linux__
#include <sys/resource.h>
#include <time.h>
#endif

using namespace vexa;
namespace fs = std::filesystem;

namespace {

constexpr int Drivers = 300;
constexpr int Classes = 10;
constexpr int Rounds = 6;
constexpr int HeatsPerRound = 15;
constexpr int HeatCars = 20;
constexpr int Finals = 30;
constexpr int FinalCars = 10;

using Clock = std::chrono::steady_clock;

// The CPU time of this thread in milliseconds: the end of a race without the waits for the disk,
// which a busy machine makes noisy.
double threadCpuMs() {
#ifdef __linux__
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
#else
    return 0.0;
#endif
}

int32_t transponderOf(int id) {
    return 2'000'000 + id;
}

// The real end-of-race outputs, timed: the end of a race runs from the upload entry written
// ahead to the entry appended.
class TimedOutputs : public RaceOutputs {
  public:
    TimedOutputs(Program& program, Scheduler& scheduler, Operator& op)
        : outputs_(program, OutputIdentity{},
                   ResultOutputPorts{
                       nullptr, [] { return LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 0); },
                       op, scheduler, nullptr}) {
        outputs_.eventOpened();
    }
    void printRaceLapTimes(const FinishedRace&, int) override {}
    void writeRaceResultsPage(const FinishedRace& race) override {
        outputs_.writeRaceResultsPage(race);
    }
    void prepareUploadFile(const FinishedRace& race) override {
        began_ = Clock::now();
        beganCpu_ = threadCpuMs();
        outputs_.prepareUploadFile(race);
    }
    void writeUploadFile(const FinishedRace& race) override {
        outputs_.writeUploadFile(race);
        endOfRace = std::chrono::duration<double, std::milli>(Clock::now() - began_).count();
        endOfRaceCpu = threadCpuMs() - beganCpu_;
    }
    void showEndOfRound(int) override { outputs_.writeEndOfRoundPages(); }

    double endOfRace = 0.0;    // milliseconds, of the race last ended
    double endOfRaceCpu = 0.0; // the same in CPU time

  private:
    ResultOutputs outputs_;
    Clock::time_point began_;
    double beganCpu_ = 0.0;
};

// The meeting's program home in the temporary folder: drivers, classes, both tables.
fs::path makeMeeting() {
    const fs::path home = fs::temp_directory_path() /
                          ("vexa-meeting-bench-" + std::to_string(std::random_device{}()));
    Program program;
    program.home.root = home;
    startProgram(program);
    ProgSettings& s = program.settings;
    s.heatMass = true;
    s.finalMass = true;
    s.countDevice = 2; // AMBrc on Com 1
    s.count1ComPort = 0;
    s.raceInterval = "60";
    s.raceSetup = "30";
    for (int c = 1; c <= Classes; ++c) {
        s.classes[static_cast<size_t>(c)].name = "Class " + std::to_string(c);
        s.classes[static_cast<size_t>(c)].qualMinutes = 5;
        s.classes[static_cast<size_t>(c)].tenSecCountdown = false;
        s.classes[static_cast<size_t>(c)].readStartOrder = false;
    }
    for (int id = 1; id <= Drivers; ++id) {
        comp_ent& c = program.event.competitor(id);
        c.name = "Driver Number " + std::to_string(id);
        c.classno = static_cast<int8_t>((id - 1) / (Drivers / Classes) + 1);
        c.transponder = transponderOf(id);
    }
    for (int heat = 1; heat <= HeatsPerRound; ++heat)
        for (int slot = 1; slot <= HeatCars; ++slot)
            program.event.heats.setSlotText(heat, slot,
                                            std::to_string((heat - 1) * HeatCars + slot));
    for (int final = 1; final <= Finals; ++final)
        for (int slot = 1; slot <= FinalCars; ++slot)
            program.event.finals.setSlotText(final, slot,
                                             std::to_string((final - 1) * FinalCars + slot));
    saveSettingsFile(program.home.iniFile(), s);
    createEvent(program, "Meeting");
    return home;
}

std::string decoderRecord(const std::string& fields) {
    std::string bytes = "\x01" + fields + "\r\n";
    std::string line;
    char pair[4];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, line.empty() ? "%02X" : " %02X", c);
        line += pair;
    }
    return line;
}

// A race as its decoder reports it: the answer to the presence check, the status every five
// seconds, and each car lapping in 14 to 16 s from the start at 61 s until its first crossing
// after the 5 minutes.
RaceScript raceScript(const std::vector<int>& ids) {
    std::vector<std::pair<double, std::string>> events;
    events.push_back({0.5, decoderRecord("$\t1\t0\t0")});
    for (int t = 1; t < 400; t += 5) events.push_back({t, decoderRecord("#\t1\t0\t40")});
    for (size_t k = 0; k < ids.size(); ++k) {
        const double lap = 14.0 + 0.1 * static_cast<double>(k);
        for (double at = lap; at < 300.0 + lap; at += lap) {
            char fields[80];
            std::snprintf(fields, sizeof fields, "@\t1\t7\t%d\t%.3f\t5\t80", transponderOf(ids[k]),
                          at);
            events.push_back({61.0 + at + 0.02, decoderRecord(fields)});
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text;
    char moment[32];
    for (const auto& [t, record] : events) {
        std::snprintf(moment, sizeof moment, "%.3f decoder ", t);
        text += moment + record + "\n";
    }
    return parseRaceScript(text).script;
}

long peakMegabytes() {
#ifdef __linux__
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
#else
    return 0;
#endif
}

void BM_WholeMeetingOf120Races(benchmark::State& state) {
    const fs::path home = makeMeeting();
    std::vector<double> endOfRace;
    std::vector<double> endOfRaceCpu;
    std::vector<double> wholeRace;
    std::vector<double> wholeRaceCpu;
    for (auto _ : state) {
        Program program;
        program.home.root = home;
        startProgram(program);
        openEvent(program, "Meeting");
        endOfRace.clear();
        endOfRaceCpu.clear();
        wholeRace.clear();
        wholeRaceCpu.clear();
        for (int n = 1; n <= Rounds * HeatsPerRound + Finals; ++n) {
            const bool heat = n <= Rounds * HeatsPerRound;
            ProgSettings& s = program.settings;
            s.racingHeats = heat;
            s.raceNumber = heat ? (n - 1) % HeatsPerRound + 1 : n - Rounds * HeatsPerRound;
            s.roundNumber = heat ? (n - 1) / HeatsPerRound + 1 : 1;
            const int cars = heat ? HeatCars : FinalCars;
            std::vector<int> ids;
            for (int slot = 1; slot <= cars; ++slot)
                ids.push_back((s.raceNumber - 1) * cars + slot);
            const RaceScript script = raceScript(ids);

            TimedOutputs* outputs = nullptr;
            std::unique_ptr<TimedOutputs> made;
            const auto begin = Clock::now();
            const double beginCpu = threadCpuMs();
            {
                HeadlessRace race(
                    program, {}, [&](Scheduler& scheduler, RecordingPorts& ports) -> RaceOutputs& {
                        made = std::make_unique<TimedOutputs>(program, scheduler, ports);
                        outputs = made.get();
                        return *made;
                    });
                race.ports.keepEvents = false;
                const RaceRunResult result = race.run(script, 1, nullptr);
                if (result.racesRun != 1) {
                    state.SkipWithError(
                        ("race " + std::to_string(n) + ": " + result.message).c_str());
                    break;
                }
            }
            wholeRace.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
            wholeRaceCpu.push_back(threadCpuMs() - beginCpu);
            endOfRace.push_back(outputs->endOfRace);
            endOfRaceCpu.push_back(outputs->endOfRaceCpu);
        }
    }
    const auto tenAt = [](const std::vector<double>& times, size_t first) {
        double sum = 0.0;
        for (size_t k = first; k < first + 10; ++k) sum += times[k];
        return sum;
    };
    if (endOfRace.size() == 120) {
        state.counters["race2_end_ms"] = endOfRace[1];
        state.counters["race120_end_ms"] = endOfRace[119];
        state.counters["end_ratio_120_to_2"] = endOfRace[119] / endOfRace[1];
        state.counters["race2_end_cpu_ms"] = endOfRaceCpu[1];
        state.counters["race120_end_cpu_ms"] = endOfRaceCpu[119];
        state.counters["end_cpu_ratio_120_to_2"] = endOfRaceCpu[119] / endOfRaceCpu[1];
        // Ten heats of 20 cars at each end of the heats (races 2-11 and 80-89), steadier on a
        // busy machine.
        state.counters["end_ratio_heats_late_to_early"] =
            tenAt(endOfRace, 79) / tenAt(endOfRace, 1);
        state.counters["end_cpu_ratio_heats_late_to_early"] =
            tenAt(endOfRaceCpu, 79) / tenAt(endOfRaceCpu, 1);
        state.counters["race2_ms"] = wholeRace[1];
        state.counters["race120_ms"] = wholeRace[119];
        // The whole race (set up, counted, stored), the same ten heats at each end.
        state.counters["race_ratio_heats_late_to_early"] =
            tenAt(wholeRace, 79) / tenAt(wholeRace, 1);
        state.counters["race_cpu_ratio_heats_late_to_early"] =
            tenAt(wholeRaceCpu, 79) / tenAt(wholeRaceCpu, 1);
        // Each round's heats together: what grows with the rounds shows as a rising line.
        for (int round = 1; round <= Rounds; ++round) {
            double sum = 0.0;
            for (int k = 0; k < HeatsPerRound; ++k)
                sum += wholeRaceCpu[static_cast<size_t>((round - 1) * HeatsPerRound + k)];
            state.counters["round" + std::to_string(round) + "_heats_cpu_ms"] = sum;
        }
    }
    state.counters["peak_rss_MB"] = static_cast<double>(peakMegabytes());
    std::error_code ec;
    const auto uploadBytes = fs::file_size(home / "event files" / "Meeting" / "mlri.dat", ec);
    state.counters["upload_file_KB"] = ec ? 0.0 : static_cast<double>(uploadBytes) / 1024.0;
    fs::remove_all(home);
}
BENCHMARK(BM_WholeMeetingOf120Races)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
