#pragma once

#include "base/local_moment.h"
#include "ports/operator.h"

#include <functional>
#include <string>
#include <vector>

namespace vexa {

// One message of the log: the time of day it was given ("14:05:09") and its text.
struct LoggedMessage {
    std::string time;
    std::string text;
};

// The operator's desk: every question and every message given in answer to the operator goes
// straight to the message boxes. A message the program gives by itself (`notify`,
// `reportFailure`) and a notice of the timing equipment are written into the message log with
// the time of day and shown on the main window's notice line; a message's box waits while a
// race or its countdown runs, so that no box takes the keyboard from the lap counters, and is
// shown once no race runs.
class MessageDesk : public Operator {
  public:
    struct Ports {
        Operator& boxes; // the message boxes
        // Runs a call at the next turn of the event loop, whatever runs now (a modal window
        // included): boxes are never opened from inside the race engine's own call.
        std::function<void(std::function<void()>)> soon;
        std::function<LocalMoment()> now;
    };
    explicit MessageDesk(Ports ports);
    MessageDesk(const MessageDesk&) = delete;
    MessageDesk& operator=(const MessageDesk&) = delete;

    void inform(const std::string& text) override { ports_.boxes.inform(text); }
    bool ask(const std::string& text, Buttons buttons) override {
        return ports_.boxes.ask(text, buttons);
    }
    void notify(const std::string& text) override { give(text, false); }
    void reportFailure(const std::string& text) override { give(text, true); }

    // A notice that never needs a box (the timing equipment's, already on the notice line):
    // only logged.
    void logNotice(const std::string& text);

    // Whether a race or its countdown runs now; until it is told, nothing runs.
    void setRaceUnderWay(std::function<bool()> underWay) { underWay_ = std::move(underWay); }
    // The race's state may have changed: the boxes that wait are shown at the next turn of the
    // event loop, once no race runs (never from inside the race engine's own call).
    void raceChanged();

    // What the notice line shows of a message given by itself; what the log window redraws.
    void onNotice(std::function<void(const std::string&)> show) { showNotice_ = std::move(show); }
    void onLogged(std::function<void()> logged) { logged_ = std::move(logged); }

    const std::vector<LoggedMessage>& log() const { return log_; }
    // The boxes that wait for the race to end.
    size_t waiting() const { return waiting_.size(); }

  private:
    struct Waiting {
        std::string text;
        bool failure;
    };
    void give(const std::string& text, bool failure);
    void show(const Waiting& message);
    void showWaiting();
    bool raceUnderWay() const { return underWay_ && underWay_(); }

    Ports ports_;
    std::function<bool()> underWay_;
    std::function<void(const std::string&)> showNotice_;
    std::function<void()> logged_;
    std::vector<LoggedMessage> log_;
    std::vector<Waiting> waiting_;
    bool showing_ = false; // a showing of the waiting boxes is on its way
};

// The time of day as the message log shows it: hh:mm:ss.
std::string timeOfDayText(const LocalMoment& moment);

} // namespace vexa
