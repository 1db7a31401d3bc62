#include "timing/counting_equipment.h"

#include "ports/decoder_socket.h"
#include "ports/operator.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "settings/prog_settings.h"
#include "timing/decoder_address.h"
#include "timing/decoder_commands.h"
#include "timing/decoder_monitor.h"
#include "timing/decoder_records.h"
#include "timing/p3_monitor.h"
#include "timing/record_fields.h"

namespace vexa {

std::string decoderSilentMessage(int seconds) {
    return "No data from the decoder for " + std::to_string(seconds) +
           " s and no answer when asked, laps are now counted with the keys";
}

CountingEquipment::CountingEquipment(const TimingData& data, const EquipmentLinks& links)
    : settings_(data.settings), event_(data.event), race_(data.race), links_(links),
      counter_(data.settings, data.race, links.view, links.clock),
      p3_(data.race, counter_, P3LinkPorts{links.clock, links.scheduler, links.socket, links.view}),
      silence_(links.clock, links.scheduler),
      noise_([this] { links_.view.showNotice(DecoderNoiseNotice); }),
      checkTimer_(links.scheduler, true, [this] { presenceCheckStep(); }),
      retryTimer_(links.scheduler, false, [this] { retry(); }),
      CountDevice(countingDeviceFromSetting(data.settings.countDevice)) {}

CountingEquipment::~CountingEquipment() = default;

bool CountingEquipment::raceTakesPassings() const {
    return race_.acceptsPassings();
}

bool CountingEquipment::raceRunning() const {
    return race_.raceRunning();
}

void CountingEquipment::setCountDevice(CountingDevice device) {
    const bool changed = device != CountDevice;
    CountDevice = device;
    settings_.countDevice = settingOf(device);
    if (device == CountingDevice::Manual) race_.countingEquipmentNowManual();
    if (changed && deviceChanged_) deviceChanged_();
}

int CountingEquipment::portEntry() const {
    return settings_.count1ComPort;
}

SerialParameters CountingEquipment::decoderParameters() const {
    return settings_.ex20 ? SerialParameters{19200, 1} : SerialParameters{9600, 2};
}

void CountingEquipment::showStatus(const std::string& text) {
    statusText_ = text;
    links_.view.showCountingEquipment(text);
}

// ---- Set-up and presence check ----------------------------------------------------------------

void CountingEquipment::Setupcountingequipment() {
    if (links_.socket.active()) links_.socket.close();
    socketLines_.reset();
    p3_.linkClosed();
    silence_.stop();

    const CountingDevice device = CountDevice;
    if (!isDecoder(device)) {
        showStatus(ManualTimingText);
        return;
    }
    if (!openLink(device)) {
        setCountDevice(CountingDevice::Manual);
        Setupcountingequipment();
        links_.op.inform(PortNotFoundMessage);
        return;
    }
    // The status is shown before the search window: a time-out inside the window replaces it
    // with "Manual Timing".
    showStatus(linkStatus_);
    startCheck(device, CheckKind::SetUp);
}

EquipmentInUse CountingEquipment::journaledEquipment() const {
    return {CountDevice, CountDevice == CountingDevice::Ambrc ? DecoderId : 0};
}

void CountingEquipment::takeJournaledEquipment(CountingDevice device, int32_t decoderId) {
    if (ownDuringReplay_) {
        CountDevice = device;
        if (device == CountingDevice::Ambrc) DecoderId = decoderId;
        serialLines_.reset();
        if (device == CountingDevice::Manual) race_.countingEquipmentNowManual();
        return;
    }
    stopPresenceCheck();
    links_.search.close();
    closeLinks();
    if (!isDecoder(device) || !openLink(device)) {
        setCountDevice(CountingDevice::Manual);
        showStatus(ManualTimingText);
        return;
    }
    setCountDevice(device);
    if (device == CountingDevice::Ambrc) DecoderId = decoderId;
    showStatus(linkStatus_);
}

bool CountingEquipment::openLink(CountingDevice device) {
    linkDevice_ = device;
    links_.decoderPort.close();
    serialLines_.reset();
    if (device == CountingDevice::P3) {
        linkOverTcp_ = true;
        links_.socket.open(settings_.ipAddress, P3TcpPort);
        p3_.linkOpened();
        linkStatus_ = P3StatusText;
        return true;
    }
    const int entry = portEntry();
    std::string suffix = "(Com)";
    comNumber_ = 1;
    if (entry >= 1 && entry <= 7) {
        comNumber_ = entry + 1;
        suffix = "(Com" + std::to_string(comNumber_) + ")";
    }
    // A decoder found again during a race keeps its line as it was: RTS off and on again would
    // restart a System 20 decoder's clock.
    if (!raceTakesPassings()) setDecoderRts(false);
    linkOverTcp_ = entry == IpAddressPortEntry && device == CountingDevice::Ambrc;
    if (entry != IpAddressPortEntry && !links_.decoderPort.open(comNumber_, decoderParameters()))
        return false;
    if (linkOverTcp_) links_.socket.open(settings_.ipAddress, AmbrcTcpPort);
    linkStatus_ = (device == CountingDevice::System20 ? "AMB20" : "AMBrc") + suffix;
    return true;
}

void CountingEquipment::closeLinks() {
    silence_.stop();
    links_.socket.close();
    links_.decoderPort.close();
    socketLines_.reset();
    serialLines_.reset();
    p3_.linkClosed();
}

void CountingEquipment::startCheck(CountingDevice device, CheckKind kind) {
    stopPresenceCheck();
    checkProgress_ = 0;
    checkKind_ = kind;
    checkedDevice_ = device;
    const bool italian = device == CountingDevice::System20 && settings_.italy;
    if (!italian)
        checkTimer_.start(device == CountingDevice::P3 ? P3PresenceCheckIntervalMs
                                                       : PresenceCheckIntervalMs);
    std::string message;
    switch (device) {
    case CountingDevice::System20:
        message = italian ? ItalianSetupMessage : CheckingSystem20Message;
        setDecoderRts(true);
        break;
    case CountingDevice::Ambrc:
        message = CheckingAmbrcMessage;
        break;
    default:
        message = CheckingP3Message;
        break;
    }
    askDecoder(device);
    if (kind != CheckKind::Retry) links_.search.open(message);
    // Nothing answers for the Italian system: its open port is all there is to find.
    if (italian && kind != CheckKind::SetUp) restored();
}

// The question of the presence check: the empty command of an AMBrc decoder, GET_TIME of a P3
// decoder. A System 20 decoder is asked nothing; it sends its clock records by itself.
void CountingEquipment::askDecoder(CountingDevice device) {
    if (device == CountingDevice::Ambrc) SendDecoderCommand({});
    if (device == CountingDevice::P3) p3_.askTime();
}

void CountingEquipment::stopPresenceCheck() {
    checkTimer_.stop();
}

void CountingEquipment::presenceCheckStep() {
    if (checkProgress_ == PresenceCheckResendStep && links_.socket.active())
        askDecoder(checkedDevice_);
    if (checkProgress_ < PresenceCheckSteps) {
        ++checkProgress_;
        if (checkKind_ != CheckKind::Retry) links_.search.setProgress(checkProgress_);
        return;
    }
    stopPresenceCheck();
    presenceCheckFailed();
}

void CountingEquipment::presenceCheckFailed() {
    if (checkKind_ == CheckKind::SetUp) {
        setCountDevice(CountingDevice::Manual);
        Setupcountingequipment();
        links_.search.setMessage(DecoderNotFoundMessage);
        return;
    }
    // Still lost: counting stays with the keys, and the decoder stays on offer. The link stays
    // open: whatever it brings until the next attempt is counted.
    if (checkKind_ == CheckKind::Reconnect) links_.search.setMessage(DecoderNotFoundMessage);
    scheduleRetry();
}

void CountingEquipment::presenceCheckAnswered() {
    stopPresenceCheck();
    links_.search.close();
    if (checkKind_ == CheckKind::SetUp)
        watchSilence();
    else
        restored();
}

void CountingEquipment::restored() {
    setCountDevice(checkedDevice_);
    lostDevice_ = CountingDevice::Manual;
    stopRetry();
    backoff_.reset();
    showStatus(linkStatus_);
    links_.view.showNotice(DecoderBackMessage);
    watchSilence();
    reopenedSerial_ = false;
    if (!raceTakesPassings()) return;
    // During a race the decoder's clock runs on: the first record tells from when (a System 20
    // decoder whose line dropped with its port restarted as the port opened again).
    const bool running = raceRunning();
    if (running) {
        std::optional<int64_t> reopened;
        if (CountDevice == CountingDevice::System20) reopened = reopenedMs_;
        counter_.clockOrigin().unsure(reopened);
    }
    switchOn(!running);
}

void CountingEquipment::bytesOnLostLink() {
    if (lostDevice_ == CountingDevice::Manual || ownDuringReplay_) return;
    if (presenceCheckRunning()) {
        if (checkKind_ == CheckKind::SetUp) return;
        stopPresenceCheck();
        links_.search.close();
    }
    checkedDevice_ = lostDevice_;
    // A serial AMBrc decoder answers at one stop bit, as it was told when it was first found.
    const bool followUp = reopenedSerial_ && lostDevice_ == CountingDevice::Ambrc;
    restored();
    if (followUp) serialFollowUp();
}

void CountingEquipment::serialFollowUp() {
    sendAmbrcCommand(AmbrcCommand::SetStopBits, {0});
    links_.decoderPort.close();
    SerialParameters parameters = decoderParameters();
    parameters.stopBits = 1;
    if (!links_.decoderPort.open(comNumber_, parameters)) decoderLinkLost();
}

// ---- A lost link ------------------------------------------------------------------------------

void CountingEquipment::watchSilence() {
    silence_.stop();
    const int limit = settings_.decoderSilence;
    if (!countsLikeAmbrc(CountDevice) || limit <= 0) return;
    silence_.start(
        limit, [this] { return raceTakesPassings(); }, [this] { askDecoder(CountDevice); },
        [this, limit] { linkLost(decoderSilentMessage(limit), false); });
}

void CountingEquipment::decoderLinkLost() {
    linkLost(DecoderLinkLostMessage, true);
}

void CountingEquipment::linkLost(const std::string& notice, bool broken) {
    // A broken link is closed; a silent one stays open, so that a byte it still brings is
    // counted and finds the decoder again at once.
    if (broken)
        closeLinks();
    else
        silence_.stop();
    if (presenceCheckRunning()) {
        // A decoder looked for again that hangs up has not answered; at set-up the check runs
        // out by itself.
        if (checkKind_ != CheckKind::SetUp) {
            stopPresenceCheck();
            presenceCheckFailed();
        }
        return;
    }
    if (!isDecoder(CountDevice)) return;
    lostDevice_ = CountDevice;
    setCountDevice(CountingDevice::Manual);
    showStatus(ManualTimingText);
    links_.view.showNotice(notice);
    backoff_.reset();
    scheduleRetry();
}

void CountingEquipment::reconnectDecoder() {
    if (lostDevice_ == CountingDevice::Manual) return;
    // An automatic attempt under way is shown from the start; the operator's own is waited for.
    if (presenceCheckRunning() && checkKind_ != CheckKind::Retry) return;
    backoff_.reset();
    attemptReconnect(CheckKind::Reconnect);
}

void CountingEquipment::attemptReconnect(CheckKind kind) {
    stopRetry();
    // A serial port still open is asked again as it is; a connection is made anew, for a silent
    // one may be half open.
    if (linkOverTcp_ || !links_.decoderPort.isOpen()) {
        closeLinks();
        if (!openLink(lostDevice_)) {
            if (kind == CheckKind::Reconnect) links_.op.inform(PortNotFoundMessage);
            scheduleRetry();
            return;
        }
        reopenedSerial_ = !linkOverTcp_;
        reopenedMs_ = links_.clock.milliseconds();
    }
    startCheck(lostDevice_, kind);
}

void CountingEquipment::scheduleRetry() {
    retryTimer_.start(backoff_.nextDelayMs());
}

void CountingEquipment::retry() {
    if (lostDevice_ == CountingDevice::Manual || presenceCheckRunning()) return;
    if (!raceTakesPassings()) {
        // Between races: the next race starts the attempts again.
        retryTimer_.start(ReconnectBackoff::FirstDelayMs);
        return;
    }
    attemptReconnect(CheckKind::Retry);
}

void CountingEquipment::stopRetry() {
    retryTimer_.stop();
}

// ---- Received bytes and link events ----------------------------------------------------------

void CountingEquipment::CommPortDriverReceiveData(std::string_view bytes) {
    silence_.heard();
    feedLines(serialLines_, bytes);
    bytesOnLostLink();
}

void CountingEquipment::AMBClientSocketRead(std::string_view bytes) {
    silence_.heard();
    if (linkDevice_ == CountingDevice::P3)
        feedP3(bytes);
    else
        feedLines(socketLines_, bytes);
    bytesOnLostLink();
}

void CountingEquipment::feedLines(LineAssembler& lines, std::string_view bytes) {
    const size_t overflowBefore = lines.droppedBytes();
    lines.feed(bytes, [this](std::string_view line) { decoderLine(line); });
    noise_.dropped(lines.droppedBytes() - overflowBefore);
}

void CountingEquipment::feedP3(std::string_view bytes) {
    // A link that opens in the middle of a record skips its rest: that is no noise.
    bool synced = p3_.frameCounts().frames > 0;
    p3_.feed(bytes, [this, &synced](const P3Frame& frame) {
        const P3FrameCounts& counts = p3_.frameCounts();
        const size_t noise = counts.skippedBytes + counts.dropped();
        if (synced && noise > p3Noise_)
            noise_.dropped(noise - p3Noise_);
        else if (synced)
            noise_.clean();
        p3Noise_ = noise;
        synced = true;
        p3Frame(frame);
    });
}

void CountingEquipment::decoderLine(std::string_view line) {
    // The device whose records the link brings: in use, or lost and looked for.
    const CountingDevice device = isDecoder(CountDevice) ? CountDevice : lostDevice_;
    const bool ambrc = device != CountingDevice::System20;
    size_t shortest = 2;
    if (!ambrc && !settings_.ex20)
        shortest = settings_.italy ? ItalianRecordLength : System20ClockRecordLength;
    const RecordInLine found = findRecordInLine(line, ambrc ? '\x01' : '@', shortest);
    if (found.record.empty()) {
        noise_.dropped(found.dropped);
        return;
    }
    if (found.dropped == 0)
        noise_.clean();
    else
        noise_.dropped(found.dropped);
    // A decoder found again by its answer to the check: the answer sets its identity.
    if (presenceCheckRunning() && checkKind_ != CheckKind::SetUp &&
        checkedDevice_ == CountingDevice::Ambrc)
        checkAnswer(found.record);
    bytesOnLostLink();
    sortsignal(found.record);
}

void CountingEquipment::AMBClientSocketError() {
    socketLines_.reset();
    p3_.linkClosed();
    if (presenceCheckRunning() && checkKind_ == CheckKind::Retry) {
        // Nobody is watching an automatic attempt: the next one follows in its time.
        stopPresenceCheck();
        presenceCheckFailed();
        return;
    }
    links_.op.notify(SocketErrorMessage);
}

void CountingEquipment::replayBegins() {
    ownDuringReplay_ = InUse{CountDevice, DecoderId};
    // The replay's time is not the link's: its silence is not watched meanwhile.
    silence_.stop();
    serialLines_.reset();
    socketLines_.reset();
    p3_.replayBegins();
}

void CountingEquipment::replayedBytes(std::string_view bytes) {
    if (CountDevice == CountingDevice::P3)
        feedP3(bytes);
    else
        feedLines(serialLines_, bytes);
}

void CountingEquipment::replayEnds() {
    if (ownDuringReplay_) {
        CountDevice = ownDuringReplay_->device;
        DecoderId = ownDuringReplay_->decoderId;
        ownDuringReplay_.reset();
    }
    if (lostDevice_ == CountingDevice::Manual) watchSilence();
    serialLines_.reset();
    socketLines_.reset();
    p3_.replayEnds();
    if (CountDevice == CountingDevice::Manual) race_.countingEquipmentNowManual();
    if (!raceTakesPassings() || !isDecoder(CountDevice)) return;
    // The decoder was switched on by the program that stopped, and its clock restarted as that
    // program started the race (or set it up, if it stopped before): switched on again, it is
    // not restarted, and the first record tells which of those restarts its clock counts from.
    // A System 20 decoder is off after the presence check, so its clock restarts as it is
    // switched on now.
    const bool running = raceRunning();
    if (running) counter_.clockOrigin().unsure({});
    switchOn(!running);
}

bool CountingEquipment::askForMissedPassings(std::function<int64_t()> journalNow) {
    // The race replayed was counted by a P3 decoder, and the program counts with one now.
    if (!ownDuringReplay_ || ownDuringReplay_->device != CountingDevice::P3 ||
        CountDevice != CountingDevice::P3 || !links_.socket.active())
        return false;
    return p3_.askForMissed(std::move(journalNow));
}

std::vector<TimedBytes> CountingEquipment::takeMissedPassings(int64_t notBeforeMs,
                                                              int64_t notAfterMs) {
    return p3_.takeMissed(notBeforeMs, notAfterMs);
}

bool CountingEquipment::fetchesMissedPassings() const {
    return CountDevice == CountingDevice::P3 && links_.socket.active() &&
           p3_.tracker().last().has_value();
}

// ---- Dispatch
// ------------------------------------------------------------------------------------

void CountingEquipment::sortsignal(std::string_view record) {
    if (MonitorMode) {
        monitor(record);
        return;
    }
    if (presenceCheckRunning()) {
        checkAnswer(record);
        return;
    }
    if (!race_.acceptsPassings()) return;
    const CountingDevice device = CountDevice;
    if (device == CountingDevice::System20) {
        if (settings_.ex20)
            counter_.countEx20(record);
        else if (settings_.italy)
            counter_.countItalian(record);
        else
            counter_.countSystem20(record);
    } else if (device == CountingDevice::Ambrc && !record.empty() && record[0] == '\x01') {
        counter_.countAmbrc(record, DecoderId);
    }
}

// Records other than the answer are ignored during the check.
void CountingEquipment::checkAnswer(std::string_view record) {
    if (checkedDevice_ == CountingDevice::System20 && record == System20FirstClockRecord) {
        setDecoderRts(false);
        presenceCheckAnswered();
    } else if (checkedDevice_ == CountingDevice::Ambrc && record.size() >= 2 && record[1] == '$') {
        const std::string_view idText = ambrcField(record, 1);
        const std::optional<int32_t> id = wholeNumber(idText);
        if (!id) {
            links_.view.showNotice(conversionErrorText(idText));
            return;
        }
        DecoderId = *id;
        const bool overTcp = links_.socket.active();
        presenceCheckAnswered();
        if (!overTcp) serialFollowUp();
    }
}

void CountingEquipment::p3Frame(const P3Frame& frame) {
    if (p3_.askingForMissed()) {
        p3_.setAside(frame);
        return;
    }
    if (presenceCheckRunning()) {
        if (checkedDevice_ != CountingDevice::P3) return;
        // Any good record answers, a decoder need not answer a request at once; the record is
        // then taken like any other (the first one after a reconnect may be a passing).
        p3_.found(frame);
        presenceCheckAnswered();
    }
    if (MonitorMode) showMonitorOutput(monitorP3Record(frame, event_));
    p3_.record(frame, !MonitorMode);
}

void CountingEquipment::controllerLine(std::string_view line) {
    if (!settings_.secondAmb || MonitorMode) return;
    if (!race_.raceRunning()) return;
    counter_.countSecondSystem20(line);
}

void CountingEquipment::SendDecoderCommand(const std::string& text) {
    // A race replayed from its journal switched its decoder on and off long ago.
    if (ownDuringReplay_) return;
    const std::string frame = frameDecoderCommand(text);
    if (links_.socket.active())
        links_.socket.write(frame);
    else
        links_.decoderPort.write(frame);
}

void CountingEquipment::sendAmbrcCommand(int command, std::initializer_list<int> parameters) {
    if (command == AmbrcCommand::StartA || command == AmbrcCommand::ResetCounter)
        counter_.clockOrigin().restarted(links_.clock.milliseconds());
    SendDecoderCommand(ambrcCommandText(DecoderId, command, parameters));
}

void CountingEquipment::setDecoderRts(bool on) {
    const int64_t now = links_.clock.milliseconds();
    // The program that stopped switched its decoder so; the line now is this program's own.
    if (ownDuringReplay_) {
        if (on) counter_.clockOrigin().restarted(now);
        return;
    }
    // Switched on again, a System 20 decoder restarts its clock.
    if (on && !decoderRts_) counter_.clockOrigin().restarted(now);
    decoderRts_ = on;
    links_.decoderPort.setRts(on);
}

// ---- Around a race
// ---------------------------------------------------------------------------------

void CountingEquipment::switchOn(bool restartClock) {
    switch (CountDevice) {
    case CountingDevice::System20:
        setDecoderRts(true);
        break;
    case CountingDevice::Ambrc:
        if (restartClock) sendAmbrcCommand(AmbrcCommand::StartA, {1});
        sendAmbrcCommand(AmbrcCommand::StartB, {0});
        sendAmbrcCommand(AmbrcCommand::StartStop, {1, 0});
        if (settings_.secondAmb && !ownDuringReplay_) links_.controllerPort.setRts(true);
        break;
    default:
        break; // a P3 decoder is always on
    }
}

void CountingEquipment::TurnAmbOn(bool raceRunning) {
    MonitorMode = false;
    switchOn(true);
    if (raceRunning && CountDevice == CountingDevice::P3) p3_.raceStarting();
}

void CountingEquipment::TurnAmbOff() {
    switch (CountDevice) {
    case CountingDevice::System20:
        setDecoderRts(false);
        break;
    case CountingDevice::Ambrc:
        sendAmbrcCommand(AmbrcCommand::StartStop, {0, 1});
        if (settings_.secondAmb && !ownDuringReplay_) links_.controllerPort.setRts(false);
        break;
    default:
        break;
    }
}

// ---- Settings window
// ---------------------------------------------------------------------------------

bool CountingEquipment::applyEquipmentChoice(CountingDevice chosenDevice, bool portListChanged) {
    const bool socketUnchanged =
        !links_.socket.active() ||
        (links_.socket.host() == settings_.ipAddress &&
         (CountDevice == CountingDevice::P3 || portEntry() == IpAddressPortEntry));
    if (CountDevice == chosenDevice && !portListChanged && socketUnchanged) return false;
    if (race_.raceRunning()) return false;
    setCountDevice(chosenDevice);
    lostDevice_ = CountingDevice::Manual;
    stopRetry();
    Setupcountingequipment();
    return true;
}

void CountingEquipment::settingsActivated() {
    if (race_.raceRunning()) {
        if (monitorView_) monitorView_->setLabel(RaceRunningTestText);
        return;
    }
    if (monitorView_) {
        monitorView_->setLabel(WaitingForSignalText);
        monitorView_->clear();
    }
    if (isDecoder(CountDevice)) MonitorMode = true;
    if (CountDevice == CountingDevice::System20) setDecoderRts(true);
    if (CountDevice == CountingDevice::Ambrc) sendAmbrcCommand(AmbrcCommand::ResetCounter, {});
}

void CountingEquipment::settingsClosed() {
    // Only a transponder test that was started is ended: a decoder counting a race is left on.
    if (!MonitorMode) return;
    setDecoderRts(false);
    MonitorMode = false;
}

void CountingEquipment::ResetCounterClick() {
    switch (CountDevice) {
    case CountingDevice::System20:
        setDecoderRts(false);
        setDecoderRts(true);
        break;
    case CountingDevice::Ambrc:
        sendAmbrcCommand(AmbrcCommand::ResetCounter, {});
        break;
    default:
        break;
    }
}

void CountingEquipment::ChecksInfoBtnClick() {
    if (CountDevice == CountingDevice::Ambrc)
        sendAmbrcCommand(AmbrcCommand::Information, {});
    else if (CountDevice == CountingDevice::P3)
        p3_.askVersion();
    else if (monitorView_)
        monitorView_->addLines({System20InformationLine});
}

void CountingEquipment::checksmemoClearClick() {
    if (monitorView_) monitorView_->clear();
}

void CountingEquipment::monitor(std::string_view record) {
    MonitorDialect dialect = MonitorDialect::Ambrc;
    switch (CountDevice) {
    case CountingDevice::System20:
        dialect = settings_.italy  ? MonitorDialect::Italian
                  : settings_.ex20 ? MonitorDialect::Ex20
                                   : MonitorDialect::System20;
        break;
    case CountingDevice::Ambrc:
        break;
    default:
        return;
    }
    showMonitorOutput(monitorRecord(record, dialect, event_));
}

void CountingEquipment::showMonitorOutput(const MonitorOutput& out) {
    if (monitorView_) {
        if (out.label) monitorView_->setLabel(*out.label);
        if (!out.lines.empty()) monitorView_->addLines(out.lines);
    }
    if (out.bookedInId != 0) {
        { race_.announceBookedIn(out.bookedInId); }
    }
}

} // namespace vexa
