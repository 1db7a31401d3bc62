// Everything a race leaves behind when it ends: the results file, the race's HTML page, the
// upload run and the race results sheet as a PDF file, for a 20-car race of 200 laps. Together
// they must stay well under 100 ms so that the next countdown starts on time.
#include "files/event_files.h"
#include "output/race_results_sheet.h"
#include "output/results_pages.h"
#include "output/upload_file.h"
#include "platform/pdf_print_stream.h"
#include "program/program.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <filesystem>

using namespace vexa;

namespace {

RaceDrivers twentyCarsOf200Laps(Program& program) {
    RaceDrivers drivers;
    for (int k = 0; k < 20; ++k) {
        const int id = k + 1;
        comp_ent& c = program.event.competitor(id);
        c.name = "Driver Number " + std::to_string(id);
        c.classno = 1;
        RaceDriver d;
        d.compno = id;
        d.drivername = c.name;
        d.carno = id;
        d.transponder = 100000 + id;
        d.lapcount = 200 - k / 4;
        for (int n = 1; n <= d.lapcount; ++n) {
            const double t = 9.0 + 0.013 * ((n * 7 + k * 11) % 97);
            d.laptimes[static_cast<size_t>(n)] = t;
            d.lastpass += t;
            if (d.fastestlap == 0.0 || t < d.fastestlap) d.fastestlap = t;
            d.lastlap = t;
        }
        d.runorder = k;
        d.leadergap = k == 0 ? d.lapcount : -(k / 4);
        program.event.storeResult(id, 1, d.lapcount, d.lastpass);
        drivers.push_back(d);
    }
    return drivers;
}

void BM_EndOfRaceOutputs(benchmark::State& state) {
    QTemporaryDir dir;
    Program program;
    program.settings.eventTitle = "Benchmark Cup";
    program.settings.classes[1].name = "Touring";
    const std::filesystem::path eventDir = std::filesystem::path(dir.path().toStdString()) / "Cup";
    std::filesystem::create_directories(eventDir / "html");
    program.paths = EventPaths::in(eventDir);
    const RaceDrivers drivers = twentyCarsOf200Laps(program);
    const FinishedRace race{drivers, 1, 1, false, 1, "", 0.31};
    const OutputIdentity identity;
    const ReportContext context{program, identity,
                                LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9)};
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(eventDir / "mlri.dat");
        state.ResumeTiming();
        bool ok = writeResults(program.paths->results, program.event).ok;
        ok &= RaceResultsPage(context, race).ok;
        ok &= UploadRun(context, race).ok;
        PdfPrintStream sheet(eventDir / "sheet.pdf");
        ok &= printRaceResultsSheet(sheet, context, race, {}).ok;
        if (!ok) state.SkipWithError("an output failed");
    }
}
BENCHMARK(BM_EndOfRaceOutputs)->Unit(benchmark::kMillisecond);

} // namespace
