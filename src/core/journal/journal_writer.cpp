#include "journal/journal_writer.h"

#include "files/file_io.h"
#include "files/file_sync.h"
#include "output/upload_file.h"

#include <algorithm>
#include <string_view>
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

void JournalWriter::countdownOpened(const RecordedRace& race, bool paused) {
    close();
    ++ordinal_;
    setUp_ = false;
    path_ = pathFor(race);
    kept_.clear();
    matched_ = 0;
    keptSetUp_ = false;
    std::ios::openmode mode = std::ios::binary | std::ios::trunc;
    if (reuse_.count(ordinal_)) {
        // A race run again from its journal writes what the journal holds once more: those
        // records are checked against it rather than written, so the journal is never shorter
        // than it was, whenever the run stops.
        if (const auto bytes = readWholeFile(path_)) {
            const std::string_view old(reinterpret_cast<const char*>(bytes->data()), bytes->size());
            const Journal journal = readJournal(old);
            kept_ = std::string(old.substr(0, journal.wholeBytes));
            keptSetUp_ = journal.raceSetUp();
            std::error_code ec;
            fs::resize_file(path_, kept_.size(), ec); // a record cut short goes
            mode = std::ios::binary | std::ios::app;
        }
    }
    file_.open(path_, mode);
    if (!file_) fail();
    if (file_ && carryToDisk_ && !syncFolderToDisk(path_.parent_path())) fail();
    buffer_ = journalHeaderRecord({sitting_, ordinal_, clock_.milliseconds(), race});
    if (equipment_)
        if (const std::optional<ScriptEvent> e = equipment_()) {
            decoderDevice(e->argument);
            appendJournalInput(buffer_, clock_.milliseconds(), *e);
        }
    if (paused) {
        ScriptEvent pause;
        pause.kind = ScriptEvent::Kind::Action;
        pause.action = "pause";
        appendJournalInput(buffer_, clock_.milliseconds(), pause);
    }
    flush();
}

void JournalWriter::input(const ScriptEvent& input) {
    if (path_.empty()) return;
    if (input.kind == ScriptEvent::Kind::Action && input.action == "equipment")
        decoderDevice(input.argument);
    if (input.kind != ScriptEvent::Kind::Decoder) {
        appendJournalInput(buffer_, clock_.milliseconds(), input);
    } else {
        ScriptEvent kept;
        kept.kind = ScriptEvent::Kind::Decoder;
        kept.data = thinner_.keep(input.data, clock_.milliseconds());
        if (thinner_.flooding() && !floodTold_) {
            floodTold_ = true;
            if (tellFlood_) tellFlood_(DecoderFloodMessage);
        }
        if (kept.data.empty()) return;
        appendJournalInput(buffer_, clock_.milliseconds(), kept);
    }
    arm();
}

void JournalWriter::decoderDevice(int device) {
    thinner_.countingDevice(device);
}

void JournalWriter::raceSetUp(const RecordedRace& race,
                              const std::vector<RecordedEntrant>& entrants) {
    if (path_.empty()) return;
    setUp_ = true;
    buffer_ += journalSetUpRecord({clock_.milliseconds(), race, entrants});
    flush();
}

void JournalWriter::raceEnded() {
    if (!path_.empty()) {
        std::error_code ec;
        const uintmax_t size = fs::file_size(eventDir_ / UploadCollectFileName, ec);
        buffer_ += journalUploadRecord(clock_.milliseconds(), ec ? 0 : size);
    }
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
    std::string_view fresh = buffer_;
    if (matched_ < kept_.size()) {
        const size_t n = std::min(fresh.size(), kept_.size() - matched_);
        if (std::string_view(kept_).substr(matched_, n) == fresh.substr(0, n)) {
            matched_ += n;
            fresh.remove_prefix(n);
        } else {
            // The race went otherwise than its journal: the journal is written afresh.
            file_.close();
            file_.clear();
            file_.open(path_, std::ios::binary | std::ios::trunc);
            file_.write(kept_.data(), static_cast<std::streamsize>(matched_));
            kept_.clear();
            matched_ = 0;
            keptSetUp_ = false;
        }
    }
    if (file_ && !fresh.empty()) {
        file_.write(fresh.data(), static_cast<std::streamsize>(fresh.size()));
        file_.flush();
        if (!file_ || (carryToDisk_ && !syncFileToDisk(path_))) fail();
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
    const bool keep = setUp_ || keptSetUp_;
    close();
    std::error_code ec;
    if (!keep) fs::remove(path, ec);
}

} // namespace vexa
