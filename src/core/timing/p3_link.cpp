#include "timing/p3_link.h"

#include "ports/clock.h"
#include "ports/decoder_socket.h"
#include "ports/timing_view.h"
#include "timing/p3_requests.h"
#include "timing/passing_counter.h"

#include <algorithm>
#include <cstdint>

namespace vexa {

std::string p3RecoveredNotice(uint64_t recovered, uint64_t lost) {
    std::string text = "Passings recovered from the decoder: " + std::to_string(recovered);
    if (lost > 0) text += "; not recovered: " + std::to_string(lost);
    return text;
}

P3Link::P3Link(TimedRace& race, PassingCounter& counter, const P3LinkPorts& ports)
    : race_(race), counter_(counter), ports_(ports),
      holdTimer_(ports.scheduler, false, [this] { giveUp(); }) {}

// ---- The link ---------------------------------------------------------------------------------

void P3Link::linkOpened() {
    reader_.reset();
    linkUp_ = true;
    tracker_.linkRestored();
    askForGaps();
    if (!held_.empty()) armHold();
}

void P3Link::linkClosed() {
    reader_.reset();
    linkUp_ = false;
    holdTimer_.stop();
}

void P3Link::forgetPassings() {
    tracker_.restart();
    held_.clear();
    holdTimer_.stop();
    inHold_ = false;
}

void P3Link::replayBegins() {
    seenBeforeReplay_.reset();
    // The relation of the clocks comes from the journal: the program's clock counts as the
    // journal's from now on.
    clock_.forget();
    if (const std::optional<uint32_t> last = tracker_.last())
        seenBeforeReplay_ = Seen{*last, tracker_.newestTime()};
    reader_.reset();
    forgetPassings();
}

void P3Link::replayEnds() {
    reader_.reset(); // the journal may end in the middle of a record
    if (seenBeforeReplay_)
        tracker_.missingUpTo(seenBeforeReplay_->number, seenBeforeReplay_->rtcTime);
    seenBeforeReplay_.reset();
    askForGaps();
}

void P3Link::askTime() {
    ports_.socket.write(p3GetTimeRequest());
}

void P3Link::askVersion() {
    ports_.socket.write(p3VersionRequest());
}

bool P3Link::askForMissed(std::function<int64_t()> journalNow) {
    const std::optional<uint32_t> last = tracker_.last();
    if (!linkUp_ || !last) return false;
    missed_.begin(*last, std::move(journalNow));
    askTime();
    const uint32_t until = *last + std::min(P3MissedPassings::AskedAhead, UINT32_MAX - *last);
    ports_.socket.write(p3ResendRequest(*last, until));
    return true;
}

void P3Link::setAside(const P3Frame& frame) {
    if (foreign(readP3DecoderId(frame))) return;
    missed_.frame(frame);
}

std::vector<TimedBytes> P3Link::takeMissed(int64_t notBeforeMs, int64_t notAfterMs) {
    return missed_.take(clock_, notBeforeMs, notAfterMs);
}

// ---- Records ----------------------------------------------------------------------------------

bool P3Link::foreign(const std::optional<uint32_t>& id) const {
    return id && decoderId_ && *id != *decoderId_;
}

void P3Link::found(const P3Frame& frame) {
    const std::optional<uint32_t> id = readP3DecoderId(frame);
    if (foreign(id)) {
        // Another decoder: its passing numbers and its clock are its own.
        forgetPassings();
        clock_.forget();
    }
    if (id) decoderId_ = id;
}

void P3Link::record(const P3Frame& frame, bool forRace) {
    switch (frame.tor) {
    case P3Tor::Passing:
        if (const std::optional<P3Passing> p = readP3Passing(frame)) passing(*p, forRace);
        break;
    case P3Tor::Status: {
        const std::optional<P3Status> status = readP3Status(frame);
        if (!status || foreign(status->decoderId)) break;
        if (!decoderId_) decoderId_ = status->decoderId;
        if (forRace && status->noise)
            ports_.view.showDecoderStatus("P3 Noise:" + std::to_string(*status->noise));
        break;
    }
    case P3Tor::GetTime:
        if (const std::optional<P3Time> time = readP3Time(frame); time && !foreign(time->decoderId))
            observe(time->rtcTime);
        break;
    default:
        break;
    }
}

void P3Link::passing(const P3Passing& p, bool forRace) {
    if (foreign(p.decoderId)) {
        if (forRace && race_.acceptsPassings()) race_.DiagnosticNote(WrongDecoderNote);
        return;
    }
    if (!decoderId_) decoderId_ = p.decoderId;
    const std::optional<uint32_t> lastBefore = tracker_.last();
    const P3PassingVerdict verdict = tracker_.receive(p.passingNumber, p.rtcTime);
    if (verdict == P3PassingVerdict::Repeat) return;
    if (verdict == P3PassingVerdict::New) {
        // A decoder that numbers anew (its tracking has started again, nothing is missing) made
        // what is held before this one.
        if (lastBefore && p.passingNumber <= *lastBefore) release();
        // Only a live passing tells when the decoder's clock read its time.
        observe(p.rtcTime);
    } else {
        // One given up that comes after all is told as recovered too.
        if (!inHold_) {
            inHold_ = true;
            recoveredBefore_ = tracker_.recovered() - 1;
            abandonedBefore_ = tracker_.abandoned();
        }
        armHold(); // more may be on the way
    }
    askForGaps();
    if (forRace && verdict == P3PassingVerdict::Recovered && afterItsRace(p)) {
        release();
        return;
    }
    if (forRace) {
        if (held_.empty() && !tracker_.firstMissing() && !inHold_) {
            count(p);
            return;
        }
        const auto at = std::upper_bound(
            held_.begin(), held_.end(), p.passingNumber,
            [](uint32_t number, const P3Passing& h) { return number < h.passingNumber; });
        held_.insert(at, p);
    }
    release();
}

void P3Link::raceStarting() {
    reanchor_ = true;
    askTime();
}

void P3Link::observe(uint64_t decoderTime) {
    if (reanchor_) {
        clock_.forget();
        reanchor_ = false;
    }
    clock_.observe(decoderTime, ports_.clock.milliseconds());
}

// ---- Missing passings -------------------------------------------------------------------------

void P3Link::askForGaps() {
    if (const std::optional<P3NumberRange> range = tracker_.takeResend()) {
        ports_.socket.write(p3ResendRequest(range->first, range->last));
        armHold();
    }
}

void P3Link::armHold() {
    if (!inHold_) {
        inHold_ = true;
        recoveredBefore_ = tracker_.recovered();
        abandonedBefore_ = tracker_.abandoned();
    }
    if (linkUp_)
        holdTimer_.start(HoldMs);
    else
        holdTimer_.stop();
}

void P3Link::giveUp() {
    tracker_.abandonGaps();
    release();
}

void P3Link::release() {
    const std::optional<uint32_t> first = tracker_.firstMissing();
    size_t ready = 0;
    while (ready < held_.size() && (!first || held_[ready].passingNumber < *first)) ++ready;
    for (size_t i = 0; i < ready; ++i) count(held_[i]);
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(ready));
    if (first || !inHold_) return;
    holdTimer_.stop();
    inHold_ = false;
    const uint64_t recovered = tracker_.recovered() - recoveredBefore_;
    const uint64_t lost = tracker_.abandoned() - abandonedBefore_;
    if (recovered > 0 || lost > 0) ports_.view.showNotice(p3RecoveredNotice(recovered, lost));
}

bool P3Link::afterItsRace(const P3Passing& p) {
    const TimedRace* engine = &race_;
    if (engine->acceptsPassings()) return false;
    // The last race run is still the engine's until the next one is set up.
    if (engine->setupDone() || engine->completedRaces() == 0) return false;
    const std::optional<double> t = clock_.raceSeconds(p.rtcTime, engine->raceClockStartMs());
    const double end = engine->lastCrossingSecond();
    if (!t || *t < -EarlySeconds || *t > end) return false;
    return counter_.tellPassingAfterStore(p, *t);
}

// ---- To the race ------------------------------------------------------------------------------

void P3Link::count(const P3Passing& p) {
    TimedRace* engine = &race_;
    if (!engine->acceptsPassings()) return;
    double time = 0.0; // booking in: every crossing counts as time 0
    if (!engine->bookingIn()) {
        const std::optional<double> seconds =
            clock_.raceSeconds(p.rtcTime, engine->raceClockStartMs());
        time = seconds ? *seconds : engine->RaceTime();
        if (time < -EarlySeconds) {
            engine->DiagnosticNote(P3BeforeStartNote);
            return;
        }
    }
    counter_.countP3(p, time);
}

} // namespace vexa
