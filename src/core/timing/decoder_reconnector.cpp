#include "timing/decoder_reconnector.h"

#include "ports/clock.h"
#include "ports/operator.h"
#include "ports/timing_view.h"
#include "settings/prog_settings.h"
#include "timing/decoder_clock_origin.h"
#include "timing/decoder_link.h"

#include <optional>

namespace vexa {

std::string decoderSilentMessage(int seconds) {
    return "No data from the decoder for " + std::to_string(seconds) +
           " s and no answer when asked, laps are now counted with the keys";
}

DecoderReconnector::DecoderReconnector(const ProgSettings& settings,
                                       ReconnectedEquipment& equipment, DecoderLink& link,
                                       PresenceCheck& check, const ReconnectorPorts& ports)
    : settings_(settings), equipment_(equipment), link_(link), check_(check), ports_(ports),
      silence_(ports.clock, ports.scheduler),
      retryTimer_(ports.scheduler, false, [this] { retry(); }) {}

void DecoderReconnector::watchSilence() {
    silence_.stop();
    const int limit = settings_.decoderSilence;
    if (!countsLikeAmbrc(equipment_.countDevice()) || limit <= 0) return;
    silence_.start(
        limit, [this] { return equipment_.raceTakesPassings(); },
        [this] { equipment_.askDecoder(equipment_.countDevice()); },
        [this, limit] { linkLost(decoderSilentMessage(limit), false); });
}

void DecoderReconnector::linkLost(const std::string& notice, bool broken) {
    // A broken link is closed; a silent one stays open, so that a byte it still brings is
    // counted and finds the decoder again at once.
    silence_.stop();
    if (broken) link_.close();
    if (check_.running()) {
        // A decoder looked for again that hangs up has not answered; at set-up the check runs
        // out by itself.
        if (check_.kind() != CheckKind::SetUp) {
            check_.stop();
            attemptFailed();
        }
        return;
    }
    const CountingDevice device = equipment_.countDevice();
    if (!isDecoder(device)) return;
    lost_ = device;
    equipment_.setCountDevice(CountingDevice::Manual);
    equipment_.showStatus(ManualTimingText);
    ports_.view.showNotice(notice);
    backoff_.reset();
    scheduleRetry();
}

void DecoderReconnector::attemptFailed() {
    // Still lost: counting stays with the keys, and the decoder stays on offer. The link stays
    // open: whatever it brings until the next attempt is counted.
    check_.tellNotFound();
    scheduleRetry();
}

void DecoderReconnector::restored() {
    equipment_.setCountDevice(check_.device());
    lost_ = CountingDevice::Manual;
    retryTimer_.stop();
    backoff_.reset();
    equipment_.showStatus(link_.status());
    ports_.view.showNotice(DecoderBackMessage);
    watchSilence();
    reopenedSerial_ = false;
    if (!equipment_.raceTakesPassings()) return;
    // During a race the decoder's clock runs on: the first record tells from when (a System 20
    // decoder whose line dropped with its port restarted as the port opened again).
    const bool running = equipment_.raceRunning();
    if (running) {
        std::optional<int64_t> reopened;
        if (equipment_.countDevice() == CountingDevice::System20) reopened = reopenedMs_;
        equipment_.clockOrigin().unsure(reopened);
    }
    equipment_.switchOn(!running);
}

void DecoderReconnector::bytesOnLostLink() {
    if (lost_ == CountingDevice::Manual || equipment_.replaying()) return;
    if (check_.running()) {
        if (check_.kind() == CheckKind::SetUp) return;
        check_.end();
    }
    check_.lookFor(lost_);
    // A serial AMBrc decoder answers at one stop bit, as it was told when it was first found.
    const bool followUp = reopenedSerial_ && lost_ == CountingDevice::Ambrc;
    restored();
    if (followUp) serialFollowUp();
}

void DecoderReconnector::serialFollowUp() {
    if (!link_.reopenAtOneStopBit()) linkLost(DecoderLinkLostMessage, true);
}

void DecoderReconnector::reconnectDecoder() {
    if (lost_ == CountingDevice::Manual) return;
    // An automatic attempt under way is shown from the start; the operator's own is waited for.
    if (check_.running() && check_.kind() != CheckKind::Retry) return;
    backoff_.reset();
    attempt(CheckKind::Reconnect);
}

void DecoderReconnector::forget() {
    lost_ = CountingDevice::Manual;
    retryTimer_.stop();
}

void DecoderReconnector::attempt(CheckKind kind) {
    retryTimer_.stop();
    // A serial port still open is asked again as it is; a connection is made anew, for a silent
    // one may be half open.
    if (link_.overTcp() || !link_.serialOpen()) {
        silence_.stop();
        link_.close();
        if (!link_.open(lost_, equipment_.raceTakesPassings())) {
            if (kind == CheckKind::Reconnect) ports_.op.inform(PortNotFoundMessage);
            scheduleRetry();
            return;
        }
        reopenedSerial_ = !link_.overTcp();
        reopenedMs_ = ports_.clock.milliseconds();
    }
    equipment_.startCheck(lost_, kind);
}

void DecoderReconnector::scheduleRetry() {
    retryTimer_.start(backoff_.nextDelayMs());
}

void DecoderReconnector::retry() {
    if (lost_ == CountingDevice::Manual || check_.running()) return;
    if (!equipment_.raceTakesPassings()) {
        // Between races: the next race starts the attempts again.
        retryTimer_.start(ReconnectBackoff::FirstDelayMs);
        return;
    }
    attempt(CheckKind::Retry);
}

} // namespace vexa
