#include "timing/counting_equipment.h"

#include "ports/decoder_socket.h"
#include "ports/operator.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/sound_table.h"
#include "timing/decoder_commands.h"
#include "timing/decoder_monitor.h"
#include "timing/decoder_records.h"
#include "timing/record_fields.h"

namespace vexa {

CountingEquipment::CountingEquipment(Program& program, const EquipmentLinks& links)
    : program_(program), links_(links), counter_(program, links.view),
      CountDevice(countingDeviceFromSetting(program.settings.countDevice)) {}

CountingEquipment::~CountingEquipment() {
    stopPresenceCheck();
}

RaceEngine* CountingEquipment::race() const {
    return program_.race.get();
}

void CountingEquipment::setCountDevice(CountingDevice device) {
    CountDevice = device;
    program_.settings.countDevice = settingOf(device);
    RaceEngine* engine = race();
    if (engine && device == CountingDevice::Manual) engine->countingEquipmentNowManual();
}

int CountingEquipment::portEntry() const {
    return program_.settings.count1ComPort;
}

SerialParameters CountingEquipment::decoderParameters() const {
    return program_.settings.ex20 ? SerialParameters{19200, 1} : SerialParameters{9600, 2};
}

void CountingEquipment::showStatus(const std::string& text) {
    statusText_ = text;
    links_.view.showCountingEquipment(text);
}

// ---- Set-up and presence check ----------------------------------------------------------------

void CountingEquipment::Setupcountingequipment() {
    if (links_.socket.active()) links_.socket.close();
    socketLines_.reset();

    const CountingDevice device = CountDevice;
    if (!isDecoder(device)) {
        showStatus(ManualTimingText);
        return;
    }

    links_.decoderPort.close();
    serialLines_.reset();
    const int entry = portEntry();
    std::string suffix = "(Com)";
    comNumber_ = 1;
    if (entry >= 1 && entry <= 7) {
        comNumber_ = entry + 1;
        suffix = "(Com" + std::to_string(comNumber_) + ")";
    }
    links_.decoderPort.setRts(false);

    const bool opened =
        entry == IpAddressPortEntry || links_.decoderPort.open(comNumber_, decoderParameters());
    if (!opened) {
        setCountDevice(CountingDevice::Manual);
        Setupcountingequipment();
        links_.op.inform(PortNotFoundMessage);
        return;
    }

    // The status is shown before the search window: a time-out inside the window replaces it
    // with "Manual Timing".
    showStatus((device == CountingDevice::System20 ? "AMB20" : "AMBrc") + suffix);

    stopPresenceCheck();
    checkProgress_ = 0;
    if (!program_.settings.italy)
        checkTimer_ = links_.scheduler.startTimer(PresenceCheckIntervalMs, true,
                                                  [this] { presenceCheckStep(); });
    std::string message;
    if (device == CountingDevice::System20) {
        message = program_.settings.italy ? ItalianSetupMessage : CheckingSystem20Message;
        links_.decoderPort.setRts(true);
    } else {
        message = CheckingAmbrcMessage;
        if (entry == IpAddressPortEntry) links_.socket.open(program_.settings.ipAddress);
        SendDecoderCommand({});
    }
    links_.search.open(message);
}

void CountingEquipment::stopPresenceCheck() {
    if (checkTimer_ == 0) return;
    links_.scheduler.stopTimer(checkTimer_);
    checkTimer_ = 0;
}

void CountingEquipment::presenceCheckStep() {
    if (checkProgress_ == PresenceCheckResendStep && links_.socket.active()) SendDecoderCommand({});
    if (checkProgress_ < PresenceCheckSteps) {
        links_.search.setProgress(++checkProgress_);
        return;
    }
    stopPresenceCheck();
    resumeAfterCheck_ = false;
    setCountDevice(CountingDevice::Manual);
    Setupcountingequipment();
    links_.search.setMessage(DecoderNotFoundMessage);
}

void CountingEquipment::presenceCheckAnswered() {
    stopPresenceCheck();
    links_.search.close();
    if (!resumeAfterCheck_) return;
    resumeAfterCheck_ = false;
    RaceEngine* engine = race();
    if (engine && engine->acceptsPassings()) switchOn();
}

void CountingEquipment::serialFollowUp() {
    sendAmbrcCommand(AmbrcCommand::SetStopBits, {0});
    links_.decoderPort.close();
    SerialParameters parameters = decoderParameters();
    parameters.stopBits = 1;
    if (!links_.decoderPort.open(comNumber_, parameters)) decoderLinkLost();
}

// ---- Received bytes and link events ----------------------------------------------------------

void CountingEquipment::CommPortDriverReceiveData(std::string_view bytes) {
    serialLines_.feed(bytes, [this](std::string_view line) { sortsignal(line); });
}

void CountingEquipment::AMBClientSocketRead(std::string_view bytes) {
    socketLines_.feed(bytes, [this](std::string_view line) { sortsignal(line); });
}

void CountingEquipment::AMBClientSocketError() {
    socketLines_.reset();
    links_.op.inform(SocketErrorMessage);
}

void CountingEquipment::decoderLinkLost() {
    links_.socket.close();
    links_.decoderPort.close();
    socketLines_.reset();
    serialLines_.reset();
    // During the presence check the check itself runs out and falls back.
    if (presenceCheckRunning()) return;
    if (!isDecoder(CountDevice)) return;
    lostDevice_ = CountDevice;
    setCountDevice(CountingDevice::Manual);
    showStatus(ManualTimingText);
    links_.view.showNotice(DecoderLinkLostMessage);
}

void CountingEquipment::reconnectDecoder() {
    if (lostDevice_ == CountingDevice::Manual) return;
    setCountDevice(lostDevice_);
    lostDevice_ = CountingDevice::Manual;
    resumeAfterCheck_ = true;
    Setupcountingequipment();
}

// ---- Dispatch
// ------------------------------------------------------------------------------------

void CountingEquipment::sortsignal(std::string_view record) {
    if (MonitorMode) {
        monitor(record);
        return;
    }
    const CountingDevice device = CountDevice;
    if (presenceCheckRunning()) {
        if (device == CountingDevice::System20 && record == System20FirstClockRecord) {
            presenceCheckAnswered();
            links_.decoderPort.setRts(false);
        } else if (device == CountingDevice::Ambrc && record.size() >= 2 && record[1] == '$') {
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
        return;
    }
    const RaceEngine* engine = race();
    if (!engine || !engine->acceptsPassings()) return;
    if (device == CountingDevice::System20) {
        if (program_.settings.ex20)
            counter_.countEx20(record);
        else if (program_.settings.italy)
            counter_.countItalian(record);
        else
            counter_.countSystem20(record);
    } else if (device == CountingDevice::Ambrc && !record.empty() && record[0] == '\x01') {
        counter_.countAmbrc(record, DecoderId);
    }
}

void CountingEquipment::controllerLine(std::string_view line) {
    if (!program_.settings.secondAmb || MonitorMode) return;
    const RaceEngine* engine = race();
    if (!engine || engine->values().RaceState != RaceStates::Running) return;
    counter_.countSecondSystem20(line);
}

void CountingEquipment::SendDecoderCommand(const std::string& text) {
    const std::string frame = frameDecoderCommand(text);
    if (links_.socket.active())
        links_.socket.write(frame);
    else
        links_.decoderPort.write(frame);
}

void CountingEquipment::sendAmbrcCommand(int command, std::initializer_list<int> parameters) {
    SendDecoderCommand(ambrcCommandText(DecoderId, command, parameters));
}

// ---- Around a race
// ---------------------------------------------------------------------------------

void CountingEquipment::switchOn() {
    switch (CountDevice) {
    case CountingDevice::System20:
        links_.decoderPort.setRts(true);
        break;
    case CountingDevice::Ambrc:
        sendAmbrcCommand(AmbrcCommand::StartA, {1});
        sendAmbrcCommand(AmbrcCommand::StartB, {0});
        sendAmbrcCommand(AmbrcCommand::StartStop, {1, 0});
        if (program_.settings.secondAmb) links_.controllerPort.setRts(true);
        break;
    default:
        break;
    }
}

void CountingEquipment::TurnAmbOn(bool) {
    MonitorMode = false;
    switchOn();
}

void CountingEquipment::TurnAmbOff() {
    switch (CountDevice) {
    case CountingDevice::System20:
        links_.decoderPort.setRts(false);
        break;
    case CountingDevice::Ambrc:
        sendAmbrcCommand(AmbrcCommand::StartStop, {0, 1});
        if (program_.settings.secondAmb) links_.controllerPort.setRts(false);
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
        (links_.socket.host() == program_.settings.ipAddress && portEntry() == IpAddressPortEntry);
    if (CountDevice == chosenDevice && !portListChanged && socketUnchanged) return false;
    const RaceEngine* engine = race();
    if (engine && engine->values().RaceState == RaceStates::Running) return false;
    setCountDevice(chosenDevice);
    lostDevice_ = CountingDevice::Manual;
    Setupcountingequipment();
    return true;
}

void CountingEquipment::settingsActivated() {
    const RaceEngine* engine = race();
    if (engine && engine->values().RaceState == RaceStates::Running) {
        if (monitorView_) monitorView_->setLabel(RaceRunningTestText);
        return;
    }
    if (monitorView_) {
        monitorView_->setLabel(WaitingForSignalText);
        monitorView_->clear();
    }
    if (isDecoder(CountDevice)) MonitorMode = true;
    if (CountDevice == CountingDevice::System20) links_.decoderPort.setRts(true);
    if (CountDevice == CountingDevice::Ambrc) sendAmbrcCommand(AmbrcCommand::ResetCounter, {});
}

void CountingEquipment::settingsClosed() {
    // Only a transponder test that was started is ended: a decoder counting a race is left on.
    if (!MonitorMode) return;
    links_.decoderPort.setRts(false);
    MonitorMode = false;
}

void CountingEquipment::ResetCounterClick() {
    switch (CountDevice) {
    case CountingDevice::System20:
        links_.decoderPort.setRts(false);
        links_.decoderPort.setRts(true);
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
        dialect = program_.settings.italy  ? MonitorDialect::Italian
                  : program_.settings.ex20 ? MonitorDialect::Ex20
                                           : MonitorDialect::System20;
        break;
    case CountingDevice::Ambrc:
        break;
    default:
        return;
    }
    const MonitorOutput out = monitorRecord(record, dialect, program_.event);
    if (monitorView_) {
        if (out.label) monitorView_->setLabel(*out.label);
        if (!out.lines.empty()) monitorView_->addLines(out.lines);
    }
    if (out.bookedInId != 0) {
        if (const RaceEngine* engine = race()) {
            engine->SpeakNumber(out.bookedInId);
            engine->playwav(Sound::BookedIn);
        }
    }
}

} // namespace vexa
