#include "journal/journal_writer.h"

#include "files/file_io.h"

#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

JournalWriter::JournalWriter(fs::path eventDir, const Clock& clock, Scheduler& scheduler,
                             int64_t sitting)
    : eventDir_(std::move(eventDir)), clock_(clock), scheduler_(scheduler), sitting_(sitting) {
    buffer_.reserve(1 << 16);
}

JournalWriter::~JournalWriter() {
    close();
}

fs::path JournalWriter::pathFor(const RecordedRace& race) const {
    if (const auto it = reuse_.find(ordinal_); it != reuse_.end()) return it->second;
    // Named as the race's page is: h3r1 is heat 3 of round 1; a race run again gets -2, -3...
    const std::string name =
        (race.heats ? "h" : "f") + std::to_string(race.race) + "r" + std::to_string(race.round);
    fs::path path = eventDir_ / (name + ".journal");
    std::error_code ec;
    for (int n = 2; fs::exists(path, ec); ++n)
        path = eventDir_ / (name + "-" + std::to_string(n) + ".journal");
    return path;
}

void JournalWriter::countdownOpened(const RecordedRace& race) {
    close();
    ++ordinal_;
    setUp_ = false;
    path_ = pathFor(race);
    file_.open(path_, std::ios::binary | std::ios::trunc);
    if (!file_) fail();
    buffer_ = journalHeaderRecord({sitting_, ordinal_, clock_.milliseconds(), race});
    flush();
}

void JournalWriter::input(const ScriptEvent& input) {
    if (path_.empty()) return;
    appendJournalInput(buffer_, clock_.milliseconds(), input);
    arm();
}

void JournalWriter::raceSetUp(const RecordedRace& race,
                              const std::vector<RecordedEntrant>& entrants) {
    if (path_.empty()) return;
    setUp_ = true;
    buffer_ += journalSetUpRecord({clock_.milliseconds(), race, entrants});
    flush();
}

void JournalWriter::raceStored() {
    if (path_.empty()) return;
    buffer_ += journalEndRecord(clock_.milliseconds());
    close();
}

void JournalWriter::arm() {
    if (flushTimer_ != 0) return;
    flushTimer_ = scheduler_.startTimer(FlushIntervalMs, false, [this] {
        flushTimer_ = 0;
        flush();
    });
}

void JournalWriter::flush() {
    if (flushTimer_ != 0) {
        scheduler_.stopTimer(flushTimer_);
        flushTimer_ = 0;
    }
    if (buffer_.empty()) return;
    if (file_) {
        file_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        file_.flush();
        if (!file_) fail();
    }
    buffer_.clear();
}

void JournalWriter::fail() {
    if (!problem_.empty()) return;
    problem_ = "The race journal " + displayPath(path_) +
               " could not be written: the race goes on, but is not kept for a restart";
    if (tell_) tell_(problem_);
}

void JournalWriter::close() {
    if (path_.empty()) return;
    flush();
    file_.close();
    file_.clear();
    path_.clear();
}

void JournalWriter::leave() {
    if (path_.empty()) return;
    const fs::path path = path_;
    const bool keep = setUp_;
    close();
    std::error_code ec;
    if (!keep) fs::remove(path, ec);
}

} // namespace vexa
