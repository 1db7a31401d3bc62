// Start-up to the welcome window shown: settings, tables and frequency names in place, the
// window built, filled with the events list and shown.
#include "platform/qt_operator.h"
#include "program/event_store.h"
#include "program/program.h"
#include "ui/event/welcome_window.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
