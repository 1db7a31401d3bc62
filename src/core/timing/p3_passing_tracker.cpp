#include "timing/p3_passing_tracker.h"

#include <algorithm>

namespace vexa {

namespace {

uint64_t size(const P3NumberRange& range) {
    return uint64_t{range.last} - range.first + 1;
}

} // namespace

void P3PassingTracker::startAt(uint32_t number, uint64_t rtcTime) {
    last_ = number;
    newestTime_ = rtcTime;
    gaps_.clear();
}

P3PassingVerdict P3PassingTracker::receive(uint32_t number, uint64_t rtcTime) {
    if (!last_) {
        startAt(number, rtcTime);
        return P3PassingVerdict::New;
    }
    if (number > *last_) {
        const uint32_t skipped = number - *last_ - 1;
        if (skipped > MaxGap) {
            startAt(number, rtcTime);
            return P3PassingVerdict::New;
        }
        if (skipped > 0) addGap({*last_ + 1, number - 1});
        last_ = number;
        newestTime_ = std::max(newestTime_, rtcTime);
        return P3PassingVerdict::New;
    }
    // A passing sent again is older than the newest one; a much later time means new numbering.
    if (rtcTime > newestTime_ && rtcTime - newestTime_ > RestartMargin) {
        startAt(number, rtcTime);
        return P3PassingVerdict::New;
    }
    if (fillGap(number)) {
        ++recovered_;
        return P3PassingVerdict::Recovered;
    }
    ++repeats_;
    return P3PassingVerdict::Repeat;
}

void P3PassingTracker::addGap(P3NumberRange range) {
    if (gaps_.size() == MaxGaps) {
        if (!gaps_.front().givenUp) abandoned_ += size(gaps_.front().range);
        gaps_.erase(gaps_.begin());
    }
    gaps_.push_back({range, false});
}

void P3PassingTracker::missingUpTo(uint32_t number, uint64_t rtcTime) {
    if (!last_ || number <= *last_ || number - *last_ > MaxGap) return;
    // The gap reaches the last number: the passing after it, when it comes, leaves no gap.
    addGap({*last_ + 1, number});
    last_ = number;
    newestTime_ = std::max(newestTime_, rtcTime);
}

bool P3PassingTracker::fillGap(uint32_t number) {
    const auto gap = std::find_if(gaps_.begin(), gaps_.end(), [number](const Gap& g) {
        return g.range.first <= number && number <= g.range.last;
    });
    if (gap == gaps_.end()) return false;
    P3NumberRange& range = gap->range;
    if (range.first == range.last) {
        gaps_.erase(gap);
    } else if (number == range.first) {
        ++range.first;
    } else if (number == range.last) {
        --range.last;
    } else {
        const Gap upper{{number + 1, range.last}, gap->asked, gap->givenUp};
        range.last = number - 1;
        gaps_.insert(gap + 1, upper);
        // A split can exceed the cap by one; the oldest gap goes.
        if (gaps_.size() > MaxGaps) {
            if (!gaps_.front().givenUp) abandoned_ += size(gaps_.front().range);
            gaps_.erase(gaps_.begin());
        }
    }
    return true;
}

std::optional<P3NumberRange> P3PassingTracker::takeResend() {
    std::optional<P3NumberRange> request;
    for (Gap& gap : gaps_) {
        if (gap.asked) continue;
        gap.asked = true;
        if (!request) request = gap.range;
        request->last = gap.range.last;
    }
    if (!request) return std::nullopt;
    // A gap starts after a received number and ends before one or at the newest number known:
    // one beyond either end is a passing already counted or not made yet.
    --request->first;
    ++request->last;
    return request;
}

void P3PassingTracker::linkRestored() {
    for (Gap& gap : gaps_) gap.asked = false;
}

uint64_t P3PassingTracker::abandonGaps() {
    const uint64_t given = missing();
    abandoned_ += given;
    for (Gap& gap : gaps_) gap.givenUp = true;
    return given;
}

void P3PassingTracker::restart() {
    last_.reset();
    newestTime_ = 0;
    gaps_.clear();
}

std::vector<P3NumberRange> P3PassingTracker::gaps() const {
    std::vector<P3NumberRange> out;
    for (const Gap& gap : gaps_) out.push_back(gap.range);
    return out;
}

uint64_t P3PassingTracker::missing() const {
    uint64_t count = 0;
    for (const Gap& gap : gaps_)
        if (!gap.givenUp) count += size(gap.range);
    return count;
}

std::optional<uint32_t> P3PassingTracker::firstMissing() const {
    for (const Gap& gap : gaps_)
        if (!gap.givenUp) return gap.range.first;
    return std::nullopt;
}

} // namespace vexa
