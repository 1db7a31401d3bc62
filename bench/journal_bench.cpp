// The race journal: one passing appended, and the resume of a 5-minute race of 20 cars stopped
// at its middle.
#include "five_minute_race.h"

#include "files/file_io.h"
#include "journal/journal_resume.h"
#include "journal/journal_writer.h"
#include "race/virtual_time.h"
#include "replay/race_runner.h"

#include <benchmark/benchmark.h>

using namespace vexa;
using namespace vexa::bench;
namespace fs = std::filesystem;

namespace {

// The decoder's bytes of one AMBrc passing, as a race journal takes them before the engine.
void BM_JournalAppendPassing(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() /
                         ("vexa-journal-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    {
        VirtualClock clock;
        VirtualScheduler scheduler(clock);
        JournalWriter journal(dir, clock, scheduler, 1);
        journal.countdownOpened({1, true, 1}, false);
        ScriptEvent passing;
        passing.kind = ScriptEvent::Kind::Decoder;
        passing.data = "\x01@\t1\t7\t4000017\t1234.567\t5\t80\r\n";
        int count = 0;
        for (auto _ : state) {
            journal.input(passing);
            if (++count % 250 == 0) { // the flush of the clock's timer, off the passing's path
                state.PauseTiming();
                scheduler.advanceBy(JournalWriter::FlushIntervalMs);
                state.ResumeTiming();
            }
        }
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_JournalAppendPassing)->Repetitions(5)->ReportAggregatesOnly(true);

// The race halted at 3 minutes leaves its journal; each iteration is `vexa-cli race --resume`'s
// work: the event opened, the journals read and matched with the script, the race replayed and
// run on to its stored results.
void BM_ResumeFiveMinuteRaceOf20Cars(benchmark::State& state) {
    const fs::path home = makeFiveMinuteEvent();
    const RaceScript script = fiveMinuteKeysScript();
    const auto race = [&](const RaceScript& events, int64_t sitting,
                          const std::vector<JournalFile>& reused, int64_t haltAt) {
        BenchRace bench(home);
        restoreSittingStart(reused, bench.program.settings, bench.program.event);
        JournalWriter journal(bench.program.paths->dir, bench.clock, bench.scheduler, sitting);
        for (const JournalFile& j : reused) journal.reuse(j.journal.header->ordinal, j.path);
        bench.engine->setRecorder(&journal);
        const RaceRunResult result =
            runRaces(*bench.engine, bench.scheduler, events, 1, nullptr, &journal, haltAt);
        bench.engine->setRecorder(nullptr);
        return result;
    };
    race(script, 1, {}, 180'000);
    const fs::path eventDir = home / "event files" / "Bench";
    const std::vector<uint8_t> halted =
        readWholeFile(eventDir / "h1r1.journal").value_or(std::vector<uint8_t>{});
    for (auto _ : state) {
        state.PauseTiming();
        writeFileAtomic(eventDir / "h1r1.journal", halted);
        state.ResumeTiming();
        const std::vector<JournalFile> sitting = readLatestSitting(eventDir);
        const ScriptResume plan = planScriptResume(sitting, script, 1, 0); // counted by keys
        if (plan.kind != ScriptResume::Kind::Resume) state.SkipWithError("nothing to resume");
        const RaceRunResult result = race(plan.script, 1, sitting, -1);
        if (!result.ok) state.SkipWithError(result.message.c_str());
    }
    fs::remove_all(home);
}
BENCHMARK(BM_ResumeFiveMinuteRaceOf20Cars)->Unit(benchmark::kMillisecond);

} // namespace
