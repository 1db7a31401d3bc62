#pragma once

#include "journal/decoder_status_thinner.h"
#include "journal/journal_records.h"
#include "ports/clock.h"
#include "ports/race_recorder.h"
#include "ports/scheduler.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* DecoderFloodMessage =
    "The decoder floods its link with status records (more than 40 a second): the race journals "
    "keep every passing but only two of those a second. Check the decoder's settings and its "
    "cable.";

// Writes one journal per race into the event folder: opened when the countdown to the race
// opens, then every input (appended before the engine acts on it), the race's set-up, and the
// end record once its results are stored. Records are gathered in memory, so a passing costs no
// file access; they are handed to the operating system within 250 ms of the clock, at the race's
// end and when its results are stored.
class JournalWriter : public RaceRecorder {
  public:
    static constexpr int FlushIntervalMs = 250;

    // `sitting` tells this run's journals from those of earlier runs: a number that grows from
    // run to run (the start's wall-clock milliseconds).
    JournalWriter(std::filesystem::path eventDir, const Clock& clock, Scheduler& scheduler,
                  int64_t sitting);
    ~JournalWriter() override;
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // A journal of this sitting written before (a resume): the race of that ordinal is written
    // again into it (what it holds already is checked, not written), so a run resumed twice still
    // leaves one journal per race, and a resume stopped half-way leaves it whole.
    void reuse(int ordinal, std::filesystem::path path) { reuse_[ordinal] = std::move(path); }
    // The next race's ordinal in the sitting (a resumed sitting goes on with its numbers).
    void continueAt(int ordinal) { ordinal_ = ordinal - 1; }

    // What a new journal holds first after its header: the counting equipment the race is counted
    // with, as an "equipment" event, so that the race can be run again from its journal alone.
    // Nothing when the source gives nothing (a race replayed into the program carries its own).
    void recordEquipment(std::function<std::optional<ScriptEvent>()> source) {
        equipment_ = std::move(source);
    }

    // An input arriving now, before the engine sees it. Of the decoder's bytes, the records that
    // change nothing a race counts are thinned out (DecoderStatusThinner), and the operator is
    // told once when the decoder floods its link with them.
    void input(const ScriptEvent& input);
    // The counting device whose bytes come in (the settings' number, 3 a P3 decoder), until an
    // "equipment" event names another.
    void decoderDevice(int device);
    // Who is told, once, that the decoder floods its link.
    void onFlood(std::function<void(const std::string&)> tell) { tellFlood_ = std::move(tell); }

    // A countdown that opens paused is journaled with a "pause" after the equipment, so that a
    // run of the journal alone stands as the race stood.
    void countdownOpened(const RecordedRace& race, bool paused) override;
    void raceSetUp(const RecordedRace& race, const std::vector<RecordedEntrant>& entrants) override;
    // The race's end, with the size of the upload file before the race's run goes into it: a
    // resume puts the file back so, and the run again writes the race's run once.
    void raceEnded() override;
    void raceStored() override;

    // With it on, whatever is handed to the operating system is carried on to the disk at once
    // (and a new journal's folder entry with it), so that a power cut costs no more than the
    // last 250 ms of a race. The program turns it on; simulated runs have no power to lose.
    void carryToDisk(bool on) { carryToDisk_ = on; }

    // Hands the gathered records to the operating system (and to the disk, when asked).
    void flush();
    // The sitting ends normally: a journal whose race was never set up holds nothing worth
    // keeping and is removed; one of a race set up but not stored is kept for a resume.
    void leave();

    // The journal being written, empty when none is.
    const std::filesystem::path& currentPath() const { return path_; }
    // The first failure to write a journal, as a message for the operator; empty when none.
    const std::string& problem() const { return problem_; }
    // Who is told of that first failure as it happens.
    void onProblem(std::function<void(const std::string&)> tell) { tell_ = std::move(tell); }

  private:
    std::filesystem::path pathFor(const RecordedRace& race) const;
    void close();
    void arm();
    void fail();

    std::filesystem::path eventDir_;
    const Clock& clock_;
    Scheduler& scheduler_;
    int64_t sitting_;
    int ordinal_ = 0;
    std::map<int, std::filesystem::path> reuse_;

    std::filesystem::path path_;
    std::ofstream file_;
    bool carryToDisk_ = false;
    std::string buffer_;
    bool setUp_ = false;
    std::string kept_;       // a reused journal's records, to be written again
    size_t matched_ = 0;     // how much of them the race has written again
    bool keptSetUp_ = false; // they hold the race's set-up
    TimerId flushTimer_ = 0;
    std::string problem_;
    std::function<void(const std::string&)> tell_;
    std::function<std::optional<ScriptEvent>()> equipment_;
    DecoderStatusThinner thinner_;
    std::function<void(const std::string&)> tellFlood_;
    bool floodTold_ = false;
};

} // namespace vexa
