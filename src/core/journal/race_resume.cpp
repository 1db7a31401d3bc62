#include "journal/race_resume.h"

#include "race/race_engine.h"

#include <algorithm>

namespace vexa {

RaceResume::RaceResume(Journal journal, Parts parts, std::function<void(size_t)> resumed)
    : journal_(std::move(journal)), parts_(std::move(parts)), resumed_(std::move(resumed)),
      poll_(parts_.liveScheduler, true, [this] { poll(); }) {}

void RaceResume::start(MissedPassings* decoder) {
    ResumableTime& time = parts_.time;
    replayedTo_ = journal_.header->startMs;
    time.beginReplay(replayedTo_);
    parts_.engine.openRaceScreen();
    for (const ScriptEvent& e : journal_.inputs) {
        time.advanceTo(e.ms);
        parts_.inputs.deliver(e);
        replayedTo_ = std::max(replayedTo_, e.ms);
    }
    decoder_ = decoder;
    if (decoder_ && decoder_->askForMissedPassings(parts_.nowMs)) {
        if (parts_.tell) parts_.tell(AskingForMissedPassingsNotice);
        waitedMs_ = quietMs_ = 0;
        come_ = 0;
        poll_.start(PollMs);
        return;
    }
    decoder_ = nullptr;
    goLive();
}

void RaceResume::poll() {
    waitedMs_ += PollMs;
    const size_t come = decoder_->missedPassingsCome();
    quietMs_ = come == come_ ? quietMs_ + PollMs : 0;
    come_ = come;
    if (quietMs_ < QuietMs && waitedMs_ < LongestWaitMs) return;
    poll_.stop();
    goLive();
}

void RaceResume::goLive() {
    ResumableTime& time = parts_.time;
    int64_t now = std::max(parts_.nowMs(), replayedTo_);
    size_t recovered = 0;
    if (decoder_) {
        for (const TimedBytes& passing : decoder_->takeMissedPassings(replayedTo_, now)) {
            time.advanceTo(passing.ms);
            parts_.inputs.decoderBytes(passing.bytes);
            ++recovered;
        }
        decoder_ = nullptr;
        now = std::max(parts_.nowMs(), replayedTo_);
    }
    time.advanceTo(now);
    time.goLive();
    if (resumed_) resumed_(recovered);
}

} // namespace vexa
