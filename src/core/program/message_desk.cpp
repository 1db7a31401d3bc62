#include "program/message_desk.h"

#include <cstdio>

namespace vexa {

// The log keeps the messages of a long meeting; the oldest go first beyond this.
static constexpr size_t KeptMessages = 2000;

std::string timeOfDayText(const LocalMoment& moment) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", moment.hour % 100, moment.minute % 100,
                  moment.second % 100);
    return text;
}

MessageDesk::MessageDesk(Ports ports) : ports_(std::move(ports)) {}

void MessageDesk::logNotice(const std::string& text) {
    if (log_.size() >= KeptMessages) log_.erase(log_.begin());
    log_.push_back({ports_.now ? timeOfDayText(ports_.now()) : std::string{}, text});
    if (logged_) logged_();
}

void MessageDesk::give(const std::string& text, bool failure) {
    logNotice(text);
    if (showNotice_) showNotice_(text);
    const Waiting message{text, failure};
    if (raceUnderWay() || !waiting_.empty()) {
        waiting_.push_back(message);
        raceChanged();
        return;
    }
    show(message);
}

void MessageDesk::raceChanged() {
    if (waiting_.empty() || raceUnderWay() || showing_ || !ports_.soon) return;
    showing_ = true;
    ports_.soon([this] {
        showing_ = false;
        showWaiting();
    });
}

void MessageDesk::show(const Waiting& message) {
    if (message.failure)
        ports_.boxes.reportFailure(message.text);
    else
        ports_.boxes.inform(message.text);
}

void MessageDesk::showWaiting() {
    // One box after another, in the order they were given; a race that starts meanwhile (a box
    // runs the event loop) holds back the rest.
    while (!waiting_.empty() && !raceUnderWay()) {
        const Waiting next = waiting_.front();
        waiting_.erase(waiting_.begin());
        show(next);
    }
}

} // namespace vexa
