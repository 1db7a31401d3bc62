// Start-up: the welcome window shown on a home with 40 events, in process; and the whole program
// process started on a full event (300 competitors, both tables full, 20 rounds of results)
// until its main window has shown, with the process's peak resident memory.
#include "../full_event.h"
#include "platform/qt_operator.h"
#include "program/event_store.h"
#include "program/program.h"
#include "ui/event/welcome_window.h"

#include <QApplication>
#include <QTemporaryDir>

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
// `vexa --home H --event "Full Event" --check-start` on the offscreen platform, from the fork to
// the end of the process right after its main window showed.
void BM_ProgramStartOnFullEventToMainWindow(benchmark::State& state) {
    const bench::FullEventHome home;
    const std::string root = home.root.string();
    long peakKb = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            if (!freopen("/dev/null", "w", stdout)) _exit(126);
            execl(VEXA_PROGRAM, "vexa", "--home", root.c_str(), "--event", "Full Event",
                  "--check-start", static_cast<char*>(nullptr));
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
BENCHMARK(BM_ProgramStartOnFullEventToMainWindow)
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
