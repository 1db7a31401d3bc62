#include "timing/decoder_link_watch.h"

#include <algorithm>

namespace vexa {

void SilenceWatch::start(int limitSeconds, std::function<bool()> inRace, std::function<void()> ask,
                         std::function<void()> onSilent) {
    stop();
    limitMs_ = int64_t{limitSeconds} * 1000;
    inRace_ = std::move(inRace);
    ask_ = std::move(ask);
    onSilent_ = std::move(onSilent);
    heard();
    timer_.start(CheckIntervalMs);
}

void SilenceWatch::check() {
    if (!inRace_()) {
        heard();
        return;
    }
    const int64_t now = clock_.milliseconds();
    if (!askedMs_) {
        if (now - lastHeardMs_ < limitMs_) return;
        askedMs_ = now;
        ask_();
        return;
    }
    if (now - *askedMs_ < AnswerWaitMs) return;
    stop();
    const std::function<void()> onSilent = onSilent_; // it may start the watch again
    onSilent();
}

int ReconnectBackoff::nextDelayMs() {
    const int delay = delayMs_;
    delayMs_ = std::min(delayMs_ * 2, LongestDelayMs);
    return delay;
}

} // namespace vexa
