#pragma once

#include "ports/race_timer.h"
#include "settings/count_device_choices.h"

#include <functional>
#include <string>

namespace vexa {

class Scheduler;
class SearchWindow;

inline constexpr int PresenceCheckIntervalMs = 160;
inline constexpr int PresenceCheckSteps = 10;
// A P3 decoder may not answer a request, so its check ends with its first record of any kind;
// it sends a STATUS every 5 s unasked, so its ten steps allow 12 s, two status intervals and
// more.
inline constexpr int P3PresenceCheckIntervalMs = 1200;
// When the question is asked again over TCP during the presence check.
inline constexpr int PresenceCheckResendStep = 6;

inline constexpr const char* DecoderNotFoundMessage =
    "AMB Decoder not found, now set to manual counting";

// Why the presence check runs: the set-up (a time-out falls back to manual counting), the
// operator's reconnect (with the search window) or an automatic one (no window, no message).
enum class CheckKind { SetUp, Reconnect, Retry };

// The presence check: ten steps in which a decoder must answer, shown in the "AMB Connection"
// search window unless it is an automatic attempt nobody watches. At the resend step the
// question is asked once more (`askAgain`); after the last step the check has run out
// (`ranOut`).
class PresenceCheck {
  public:
    PresenceCheck(Scheduler& scheduler, SearchWindow& search, std::function<void()> askAgain,
                  std::function<void()> ranOut);

    // Starts looking for `device`; without `timed` it waits for the operator, with no steps.
    void start(CountingDevice device, CheckKind kind, bool timed);
    // Opens the search window with `message`, unless the check is an automatic attempt.
    void show(const std::string& message);
    void stop() { timer_.stop(); }
    // Ends the check and closes its window (the decoder answered, or it is looked for no more).
    void end();
    // Tells in the window that the decoder was not found, unless nobody watches.
    void tellNotFound();

    bool running() const { return timer_.running(); }
    int progress() const { return progress_; }
    CheckKind kind() const { return kind_; }
    // The device looked for.
    CountingDevice device() const { return device_; }
    void lookFor(CountingDevice device) { device_ = device; }

  private:
    void step();

    SearchWindow& search_;
    std::function<void()> askAgain_;
    std::function<void()> ranOut_;
    RaceTimer timer_;
    int progress_ = 0;
    CheckKind kind_ = CheckKind::SetUp;
    CountingDevice device_ = CountingDevice::Manual;
};

} // namespace vexa
