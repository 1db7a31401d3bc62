#include "timing/presence_check.h"

#include "ports/timing_view.h"

namespace vexa {

PresenceCheck::PresenceCheck(Scheduler& scheduler, SearchWindow& search,
                             std::function<void()> askAgain, std::function<void()> ranOut)
    : search_(search), askAgain_(std::move(askAgain)), ranOut_(std::move(ranOut)),
      timer_(scheduler, true, [this] { step(); }) {}

void PresenceCheck::start(CountingDevice device, CheckKind kind, bool timed) {
    stop();
    progress_ = 0;
    kind_ = kind;
    device_ = device;
    if (timed)
        timer_.start(device == CountingDevice::P3 ? P3PresenceCheckIntervalMs
                                                  : PresenceCheckIntervalMs);
}

void PresenceCheck::show(const std::string& message) {
    if (kind_ != CheckKind::Retry) search_.open(message);
}

void PresenceCheck::end() {
    stop();
    search_.close();
}

void PresenceCheck::tellNotFound() {
    if (kind_ != CheckKind::Retry) search_.setMessage(DecoderNotFoundMessage);
}

void PresenceCheck::step() {
    if (progress_ == PresenceCheckResendStep) askAgain_();
    if (progress_ < PresenceCheckSteps) {
        ++progress_;
        if (kind_ != CheckKind::Retry) search_.setProgress(progress_);
        return;
    }
    stop();
    ranOut_();
}

} // namespace vexa
