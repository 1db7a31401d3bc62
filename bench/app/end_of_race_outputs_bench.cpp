// Everything a race leaves behind when it ends: the results file, the race's HTML page, the
// upload run and the race results sheet as a PDF file, for a 20-car race of 200 laps. What holds
// the next countdown (the files, and the sheet laid out and kept for a crash) must stay under
// 15 ms; the PDF file itself is made just after, from the sheet kept.
#include "files/event_files.h"
#include "output/pending_sheets.h"
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

// The event directory and the race of the benchmarks.
struct RaceOutputsBench {
    QTemporaryDir dir;
    Program program;
    std::filesystem::path eventDir;
    RaceDrivers drivers;
    OutputIdentity identity;

    RaceOutputsBench() {
        program.settings.eventTitle = "Benchmark Cup";
        program.settings.classes[1].name = "Touring";
        eventDir = std::filesystem::path(dir.path().toStdString()) / "Cup";
        std::filesystem::create_directories(eventDir / "html");
        program.paths = EventPaths::in(eventDir);
        drivers = twentyCarsOf200Laps(program);
    }
    FinishedRace race() const { return {drivers, 1, 1, false, 1, "", 0.31}; }
    ReportContext context() const {
        return {program, identity, LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9)};
    }
    bool resultsFile() { return writeResults(program.paths->results, program.event).ok; }
    bool racePage() { return RaceResultsPage(context(), race()).ok; }
    bool uploadRun() { return UploadRun(context(), race()).ok; }
    bool sheetPdf() {
        PdfPrintStream sheet(eventDir / "sheet.pdf");
        return printRaceResultsSheet(sheet, context(), race(), {}).ok;
    }
    // At the end of the race: the sheet laid out and kept in the event directory.
    bool sheetKept() {
        PendingSheet sheet;
        const bool laid = printRaceResultsSheet(sheet.job, context(), race(), {}).ok;
        kept = {sheet};
        return laid && keepPendingSheets(eventDir, kept).ok;
    }
    // Just after: the sheet kept printed into a PDF file.
    bool keptSheetPdf() {
        PdfPrintStream sheet(eventDir / "sheet.pdf");
        return kept.front().job.printOn(sheet).ok;
    }
    std::vector<PendingSheet> kept;
};

void BM_EndOfRaceOutputs(benchmark::State& state) {
    RaceOutputsBench bench;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(bench.eventDir / "mlri.dat");
        state.ResumeTiming();
        const bool ok =
            bench.resultsFile() & bench.racePage() & bench.uploadRun() & bench.sheetKept();
        if (!ok) state.SkipWithError("an output failed");
    }
}
BENCHMARK(BM_EndOfRaceOutputs)->Unit(benchmark::kMillisecond);

// The PDF sheet made from the sheet kept, after the next countdown has started.
void BM_SheetPdfAfterTheRace(benchmark::State& state) {
    RaceOutputsBench bench;
    if (!bench.sheetKept()) state.SkipWithError("the sheet could not be kept");
    for (auto _ : state)
        if (!bench.keptSheetPdf()) state.SkipWithError("the sheet failed");
}
BENCHMARK(BM_SheetPdfAfterTheRace)->Unit(benchmark::kMillisecond);

// Each output on its own, to see where the time goes.
template <bool (RaceOutputsBench::*Output)()> void BM_OneOutput(benchmark::State& state) {
    RaceOutputsBench bench;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(bench.eventDir / "mlri.dat");
        state.ResumeTiming();
        if (!(bench.*Output)()) state.SkipWithError("the output failed");
    }
}
BENCHMARK_TEMPLATE(BM_OneOutput, &RaceOutputsBench::resultsFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OneOutput, &RaceOutputsBench::racePage)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OneOutput, &RaceOutputsBench::uploadRun)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OneOutput, &RaceOutputsBench::sheetPdf)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OneOutput, &RaceOutputsBench::sheetKept)->Unit(benchmark::kMillisecond);

} // namespace
