// Start-up: the welcome window shown on a home with 40 events, in process; and the whole program
// process started on a full event (300 competitors, both tables full, 20 rounds of results)
// until its main window has shown, with the process's peak resident memory, also with the
// journals of a two-day meeting beside the event.
#include "../full_event.h"
#include "journal/journal_records.h"
#include "platform/qt_operator.h"
#include "program/event_store.h"
#include "program/program.h"
#include "ui/event/welcome_window.h"

#include <QApplication>
#include <QTemporaryDir>

#include <fstream>

#include <benchmark/benchmark.h>

#ifdef __linux__
#include <chrono>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace vexa;

namespace {

void BM_StartupToWelcomeShown(benchmark::State& state) {
    QTemporaryDir home;
    {
        Program program;
        program.home.root = home.path().toStdString();
        startProgram(program);
        for (int i = 0; i < 40; ++i) {
            createEvent(program, "Event " + std::to_string(i));
            program.paths.reset();
        }
    }
    for (auto _ : state) {
        auto program = std::make_unique<Program>();
        program->home.root = home.path().toStdString();
        startProgram(*program);
        QtOperator op;
        WelcomeWindow window(*program, op);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(BM_StartupToWelcomeShown)->Unit(benchmark::kMillisecond);

#if defined(__linux__) && defined(VEXA_PROGRAM)
// `vexa --home H --event E --check-start` on the offscreen platform, from the fork to the end of
// the process right after its main window showed, with the process's peak resident memory.
void measureProgramStart(benchmark::State& state, const std::string& root, const char* event) {
    long peakKb = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            if (!freopen("/dev/null", "w", stdout)) _exit(126);
            execl(VEXA_PROGRAM, "vexa", "--home", root.c_str(), "--event", event, "--check-start",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(took.count());
        peakKb = std::max(peakKb, usage.ru_maxrss);
    }
    state.counters["peak_rss_MB"] = static_cast<double>(peakKb) / 1024.0;
}

void BM_ProgramStartOnFullEventToMainWindow(benchmark::State& state) {
    const bench::FullEventHome home;
    measureProgramStart(state, home.root.string(), "Full Event");
}
BENCHMARK(BM_ProgramStartOnFullEventToMainWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// A 5-minute race's journal as a meeting leaves it: its set-up, about 1,200 decoder records
// (passings and the decoder's status) and its end.
std::string raceJournal(int64_t sitting, int ordinal) {
    JournalHeader header;
    header.sitting = sitting;
    header.ordinal = ordinal;
    header.startMs = 1000 + ordinal * 400'000;
    header.race = {1, true, (ordinal - 1) % 15 + 1};
    std::string out = journalHeaderRecord(header);
    JournalSetUp setUp;
    setUp.ms = header.startMs + 30'000;
    setUp.race = header.race;
    for (int slot = 1; slot <= 20; ++slot) setUp.entrants.push_back({slot, slot, 0, 0.0});
    out += journalSetUpRecord(setUp);
    for (int k = 0; k < 1200; ++k) {
        ScriptEvent e;
        e.kind = ScriptEvent::Kind::Decoder;
        e.data = "\x01@\t1\t7\t" + std::to_string(2'000'000 + k % 20) + "\t" +
                 std::to_string(k * 250) + ".125\t5\t80\r\n";
        appendJournalInput(out, header.startMs + 61'000 + k * 250, e);
    }
    out += journalEndRecord(header.startMs + 400'000);
    return out;
}

// The program started on the full event with the journals of a two-day meeting beside it (four
// sittings of 120 races; the last race of the last sitting stored), or with none.
void BM_ProgramStartWithJournals(benchmark::State& state) {
    const bench::FullEventHome home;
    const int journals = static_cast<int>(state.range(0));
    const std::filesystem::path eventDir = home.root / "event files" / "Full Event";
    for (int k = 0; k < journals; ++k) {
        const int64_t sitting = 1'765'000'000'000 + (k / 120) * 86'400'000;
        const int ordinal = k % 120 + 1;
        std::ofstream(eventDir / ("h" + std::to_string(k + 1) + "r1.journal"), std::ios::binary)
            << raceJournal(sitting, ordinal);
    }
    measureProgramStart(state, home.root.string(), "Full Event");
    state.counters["journals"] = journals;
}
BENCHMARK(BM_ProgramStartWithJournals)
    ->Arg(0)
    ->Arg(480)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
#endif

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
