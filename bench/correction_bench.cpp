// A correction of a stored race: a 5-minute race of 20 cars, counted with the keys, stored with
// its journal; each iteration removes one passing as `vexa-cli correct` and the "Correct
// Results" window do: the journal read and its event opened, the race run again with the
// correction, its results stored, its page and the round's pages written, the correction and the
// audit line kept.
#include "five_minute_race.h"

#include "files/file_io.h"
#include "replay/race_correction.h"
#include "replay/race_runner.h"

#include <benchmark/benchmark.h>

using namespace vexa;
using namespace vexa::bench;
namespace fs = std::filesystem;

namespace {

void BM_CorrectionOfAFiveMinuteRaceOf20Cars(benchmark::State& state) {
    const fs::path home = makeFiveMinuteEvent();
    {
        BenchRace bench(home);
        JournalWriter journal(bench.program.paths->dir, bench.clock, bench.scheduler, 1);
        bench.engine->setRecorder(&journal);
        const RaceRunResult result = runRaces(*bench.engine, bench.scheduler,
                                              fiveMinuteKeysScript(), 1, nullptr, &journal, -1);
        bench.engine->setRecorder(nullptr);
        if (!result.ok) state.SkipWithError(result.message.c_str());
    }
    const fs::path eventDir = home / "event files" / "Bench";
    const std::vector<uint8_t> results =
        readWholeFile(eventDir / "eventfile.qrf").value_or(std::vector<uint8_t>{});
    Correction removal;
    removal.kind = Correction::Kind::RemovePassing;
    removal.car = 7;
    removal.lap = 3;
    const auto now = [] { return LocalMoment::withPlainTexts(2026, 12, 10, 12, 0, 0); };
    for (auto _ : state) {
        state.PauseTiming(); // each correction made on the race as it was stored
        writeFileAtomic(eventDir / "eventfile.qrf", results);
        fs::remove(eventDir / "h1r1.corrections");
        fs::remove(eventDir / "audit.log");
        state.ResumeTiming();
        OpenedJournalReplay opened = openJournalReplay(eventDir / "h1r1.journal", openJournalEvent);
        if (!opened.replay) {
            state.SkipWithError(opened.problem.c_str());
            break;
        }
        const RaceCorrectionResult done = correctStoredRace(*opened.replay, removal, "bench", now);
        if (!done.outcome) {
            state.SkipWithError(done.outcome.message.c_str());
            break;
        }
    }
    fs::remove_all(home);
}
BENCHMARK(BM_CorrectionOfAFiveMinuteRaceOf20Cars)->Unit(benchmark::kMillisecond);

} // namespace
