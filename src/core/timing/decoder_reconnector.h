#pragma once

#include "ports/race_timer.h"
#include "settings/count_device_choices.h"
#include "timing/decoder_link_watch.h"
#include "timing/presence_check.h"

#include <cstdint>
#include <string>

namespace vexa {

class Clock;
class Operator;
class TimingView;
class DecoderLink;
class DecoderClockOrigin;
struct ProgSettings;

inline constexpr const char* DecoderLinkLostMessage =
    "Connection to the decoder lost, laps are now counted with the keys";
inline constexpr const char* DecoderBackMessage =
    "Connection to the decoder restored, the decoder counts laps again";

// The notice when a decoder link has been silent for `seconds` of race time.
std::string decoderSilentMessage(int seconds);

// What the reconnector does to the counting equipment whose decoder it looks for.
class ReconnectedEquipment {
  public:
    virtual ~ReconnectedEquipment() = default;
    virtual CountingDevice countDevice() const = 0;
    virtual void setCountDevice(CountingDevice device) = 0;
    virtual void showStatus(const std::string& text) = 0;
    virtual bool raceTakesPassings() const = 0;
    virtual bool raceRunning() const = 0;
    // Asks the decoder the presence check's question.
    virtual void askDecoder(CountingDevice device) = 0;
    virtual void startCheck(CountingDevice device, CheckKind kind) = 0;
    // Switches the decoder on; without `restartClock` its clock runs on.
    virtual void switchOn(bool restartClock) = 0;
    // True while a stopped race is replayed from its journal.
    virtual bool replaying() const = 0;
    virtual DecoderClockOrigin& clockOrigin() = 0;
};

struct ReconnectorPorts {
    const Clock& clock;
    Scheduler& scheduler;
    Operator& op;
    TimingView& view;
};

// A decoder link in use can be lost: the connection drops, the serial adapter vanishes, or an
// AMBrc or P3 decoder silent for "DECODER SILENCE" seconds of race time does not answer when
// asked. Counting then goes on with the keys, and the reconnector tries to reach the decoder
// again by itself while a race takes passings (after 2, 4, 8, 16, then every 30 seconds, without
// windows or message boxes), and whenever the operator asks ("Reconnect Decoder"). Any byte that
// reaches the program over the lost decoder's link (a silent link stays open) finds it again at
// once and is counted; so does the answer to an attempt. A decoder found again during a race is
// switched on without restarting its clock.
class DecoderReconnector {
  public:
    DecoderReconnector(const ProgSettings& settings, ReconnectedEquipment& equipment,
                       DecoderLink& link, PresenceCheck& check, const ReconnectorPorts& ports);

    // The equipment in use before a link was lost, manual when none is lost.
    CountingDevice lostDevice() const { return lost_; }
    const SilenceWatch& silenceWatch() const { return silence_; }

    // Watches the link of the device in use for silence, when it is one that can be asked.
    void watchSilence();
    void stopWatching() { silence_.stop(); }
    // Bytes arrived on the link.
    void heard() { silence_.heard(); }

    // The transport broke (the link is closed), or the decoder went silent (it stays open).
    void linkLost(const std::string& notice, bool broken);
    // The operator's "Reconnect Decoder": the search window shows the attempt.
    void reconnectDecoder();
    // An attempt's presence check ran out: the decoder stays lost and on offer.
    void attemptFailed();
    // The decoder looked for answered: it counts again.
    void restored();
    // Bytes came over the link of a lost decoder: it is found again.
    void bytesOnLostLink();
    // The serial AMBrc decoder just identified is told to answer at one stop bit.
    void serialFollowUp();
    // Another device was chosen: the lost one is looked for no more.
    void forget();

  private:
    void attempt(CheckKind kind);
    void scheduleRetry();
    void retry();

    const ProgSettings& settings_;
    ReconnectedEquipment& equipment_;
    DecoderLink& link_;
    PresenceCheck& check_;
    ReconnectorPorts ports_;
    SilenceWatch silence_;
    ReconnectBackoff backoff_;
    RaceTimer retryTimer_;
    CountingDevice lost_ = CountingDevice::Manual;
    bool reopenedSerial_ = false; // an attempt opened the lost decoder's serial port again
    int64_t reopenedMs_ = 0;      // when it did
};

} // namespace vexa
