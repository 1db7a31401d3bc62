#include "timing/p3_missed_passings.h"

#include "timing/p3_frame_writer.h"
#include "timing/p3_records.h"

#include <algorithm>

namespace vexa {

void P3MissedPassings::begin(uint32_t last, std::function<int64_t()> journalNow) {
    active_ = true;
    last_ = last;
    journalNow_ = std::move(journalNow);
    passings_.clear();
    answers_.clear();
}

void P3MissedPassings::frame(const P3Frame& frame) {
    if (frame.tor == P3Tor::GetTime) {
        if (const std::optional<P3Time> time = readP3Time(frame))
            answers_.push_back({time->rtcTime, journalNow_()});
        return;
    }
    const std::optional<P3Passing> p = readP3Passing(frame);
    if (!p || p->passingNumber <= last_) return;
    const bool known = std::any_of(passings_.begin(), passings_.end(),
                                   [&](const Kept& k) { return k.number == p->passingNumber; });
    if (!known) passings_.push_back({p->passingNumber, p->rtcTime, escapeP3Frame(frame.bytes)});
}

std::vector<TimedBytes> P3MissedPassings::take(const P3DecoderClock& clock, int64_t notBeforeMs,
                                               int64_t notAfterMs) {
    active_ = false;
    P3DecoderClock relation = clock;
    for (const Answer& a : answers_) relation.observe(a.decoderTime, a.ms);
    std::vector<std::pair<uint32_t, TimedBytes>> timed;
    for (Kept& k : passings_) {
        const int64_t made = relation.computerMsOf(k.rtcTime).value_or(notBeforeMs);
        timed.push_back(
            {k.number, {std::clamp(made, notBeforeMs, notAfterMs), std::move(k.bytes)}});
    }
    passings_.clear();
    std::stable_sort(timed.begin(), timed.end(), [](const auto& a, const auto& b) {
        return a.second.ms != b.second.ms ? a.second.ms < b.second.ms : a.first < b.first;
    });
    std::vector<TimedBytes> out;
    for (auto& [number, t] : timed) out.push_back(std::move(t));
    return out;
}

} // namespace vexa
