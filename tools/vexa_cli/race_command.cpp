#include "commands.h"
#include "event_loader.h"
#include "headless_outputs.h"
#include "live_output.h"
#include "terminal_text.h"

#include "files/file_io.h"
#include "journal/journal_resume.h"
#include "journal/journal_writer.h"
#include "live/live_feed.h"
#include "program/event_store.h"
#include "program/program.h"
#include "replay/headless_race.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>

namespace vexa::cli {

namespace {

struct RaceOptions {
    std::string home;
    std::string event;
    std::string script;     // empty: no events; "-": standard input
    std::string printDir;   // race results sheets as text files; empty: not printed
    std::string live;       // ADDRESS:PORT the live results are served on; empty: not served
    std::string scoreboard; // ADDRESS:PORT the scoreboard feed is served on; empty: not served
    double speed = 1.0;     // with --live or --scoreboard: times real speed
    int races = 1;
    int64_t haltAtMs = -1;
    bool quiet = false;
    bool resume = false;
};

// A speed for --speed: a number above 0 and at most 1000.
std::optional<double> speedValue(const std::string& v) {
    double speed = 0.0;
    const auto res = std::from_chars(v.data(), v.data() + v.size(), speed);
    if (res.ec != std::errc{} || res.ptr != v.data() + v.size() || !(speed > 0.0) || speed > 1000.0)
        return std::nullopt;
    return speed;
}

std::optional<RaceOptions> parseOptions(const std::vector<std::string>& args, std::ostream& err) {
    RaceOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--resume") {
            o.resume = true;
        } else if ((a == "--home" || a == "--event" || a == "--script" || a == "--races" ||
                    a == "--print-dir" || a == "--halt-at" || a == "--live" ||
                    a == "--scoreboard" || a == "--speed") &&
                   hasValue) {
            const std::string& v = args[++i];
            if (a == "--live") {
                o.live = v;
            } else if (a == "--scoreboard") {
                o.scoreboard = v;
            } else if (a == "--speed") {
                const auto speed = speedValue(v);
                if (!speed) {
                    err << "vexa-cli race: --speed needs a number above 0 and at most 1000\n";
                    return std::nullopt;
                }
                o.speed = *speed;
            } else if (a == "--home")
                o.home = v;
            else if (a == "--event")
                o.event = v;
            else if (a == "--script")
                o.script = v;
            else if (a == "--print-dir")
                o.printDir = v;
            else if (a == "--halt-at") {
                const ParsedScript at = parseRaceScript(v + " start");
                if (!at.error.empty()) {
                    err << "vexa-cli race: --halt-at needs seconds of simulated time\n";
                    return std::nullopt;
                }
                o.haltAtMs = at.script.events.front().ms;
            } else {
                const auto res = std::from_chars(v.data(), v.data() + v.size(), o.races);
                if (res.ec != std::errc{} || res.ptr != v.data() + v.size() || o.races < 1) {
                    err << "vexa-cli race: --races needs a number of at least 1\n";
                    return std::nullopt;
                }
            }
        } else {
            err << "vexa-cli race: unknown or incomplete option " << escapedControls(a) << "\n";
            return std::nullopt;
        }
    }
    if (o.home.empty() || o.event.empty()) {
        err << "vexa-cli race: --home and --event are needed\n";
        return std::nullopt;
    }
    if (o.live.empty() && o.scoreboard.empty() && o.speed != 1.0) {
        err << "vexa-cli race: --speed goes with --live or --scoreboard\n";
        return std::nullopt;
    }
    return o;
}

// A sitting number above every earlier one of the event: the wall clock's milliseconds.
int64_t newSitting(const std::vector<JournalHead>& heads) {
    const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    return heads.empty() ? now : std::max(now, latestSittingNumber(heads) + 1);
}

} // namespace

int raceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto options = parseOptions(args, err);
    if (!options) return ExitCommandLine;

    std::string scriptText;
    if (options->script == "-") {
        scriptText.assign(std::istreambuf_iterator<char>(std::cin), {});
    } else if (!options->script.empty()) {
        const auto bytes = readWholeFile(options->script);
        if (!bytes) {
            err << "vexa-cli race: cannot read the script " << escapedControls(options->script)
                << "\n";
            return ExitNotRun;
        }
        scriptText.assign(bytes->begin(), bytes->end());
    }
    ParsedScript parsed = parseRaceScript(scriptText);
    if (!parsed.error.empty()) {
        err << "vexa-cli race: script " << escapedControls(parsed.error) << "\n";
        return ExitCommandLine;
    }

    Program program;
    const EventLoad loaded = loadEvent(program, options->home, options->event);
    for (const std::string& note : loaded.notes) err << "vexa-cli race: " << note << "\n";
    if (!loaded.outcome) {
        err << "vexa-cli race: " << loaded.outcome.message << "\n";
        return loaded.badName ? ExitCommandLine : ExitNotRun;
    }

    // Each race is journaled; a resume replays the latest sitting's journals first.
    // The journals of earlier sittings are known by their first record alone.
    const std::vector<JournalHead> heads = readJournalHeads(program.paths->dir);
    int64_t sittingNumber = newSitting(heads);
    std::vector<JournalFile> reused;
    if (options->resume) {
        const std::vector<JournalFile> sitting =
            readSittingJournals(heads, latestSittingNumber(heads));
        ScriptResume plan =
            planScriptResume(sitting, parsed.script, options->races, program.settings.countDevice);
        err << "vexa-cli race: " << plan.message << "\n";
        if (plan.kind == ScriptResume::Kind::Mismatch || plan.kind == ScriptResume::Kind::Damaged)
            return ExitNotRun;
        if (plan.kind == ScriptResume::Kind::Resume) {
            restoreSittingStart(sitting, program.settings, program.event);
            if (const Outcome put = restoreUploadFile(sitting, program.paths->dir); !put) {
                err << "vexa-cli race: " << terminalText(put.message) << "\n";
                return ExitSaveFailed;
            }
            sittingNumber = sitting.front().journal.header->sitting;
            reused = sitting;
            parsed.script = std::move(plan.script);
        }
    }

    // With --live or --scoreboard the race follows real time while the pages and the feeds are
    // served. They are started before the race they follow: they read its engine once it is made.
    const RaceEngine* engine = nullptr;
    std::unique_ptr<HeadlessLive> live;
    if (!options->live.empty() || !options->scoreboard.empty()) {
        live = startHeadlessLive(HeadlessLiveAddresses{options->live, options->scoreboard},
                                 options->speed,
                                 LiveSources{program.settings, program.event, program.paths,
                                             [&engine] { return engine; }},
                                 err);
        if (!live) return ExitNotRun;
    }
    std::function<void(int64_t)> pace;
    if (live) pace = [&live](int64_t ms) { live->waitUntil(ms); };

    // The settings' decoder is set up as the program does it, on links fed by the script.
    std::optional<HeadlessOutputs> printed;
    HeadlessRace race(
        program, terminalEcho(options->quiet ? nullptr : &out),
        [&](Scheduler& scheduler, RecordingPorts& ports) -> RaceOutputs& {
            return printed.emplace(program, scheduler, ports, options->printDir);
        },
        live ? &live->view() : nullptr);
    engine = &race.engine();
    // The transcript goes out as it is made (or nowhere with --quiet); none of it is kept.
    race.ports.keepEvents = false;
    JournalWriter journal(program.paths->dir, race.clock, race.scheduler, sittingNumber);
    journal.decoderDevice(settingOf(race.station().equipment().countDevice()));
    journal.onFlood([&race](const std::string& text) { race.ports.note(text); });
    for (const JournalFile& j : reused) journal.reuse(j.journal.header->ordinal, j.path);
    const RaceRunResult result =
        race.run(parsed.script, options->races, &journal, options->haltAtMs, nullptr, pace);
    if (live) live->flush();
    if (result.halted) {
        // Stopped dead, as a crash or a power cut would stop it: nothing more is written.
        err.flush();
        out.flush();
        std::_Exit(ExitHalted);
    }
    if (printed) printed->finish();
    journal.leave();
    if (!journal.problem().empty())
        err << "vexa-cli race: " << terminalText(journal.problem()) << "\n";
    err << "vexa-cli race: " << result.racesRun << " race(s) run";
    if (!result.message.empty()) err << "; " << terminalText(result.message);
    err << "\n";
    // A save or an output that failed fails the run, whatever the transcript shows.
    for (const std::string& failure : race.ports.failures)
        err << "vexa-cli race: failed: " << terminalText(failure) << "\n";
    if (!race.ports.failures.empty()) return ExitSaveFailed;
    return result.ok ? ExitDone : ExitNotRun;
}

} // namespace vexa::cli
