#include "timing/counting_equipment.h"

#include "ports/decoder_socket.h"
#include "ports/operator.h"
#include "ports/timing_view.h"
#include "settings/prog_settings.h"
#include "timing/decoder_commands.h"
#include "timing/decoder_records.h"
#include "timing/record_fields.h"

namespace vexa {

CountingEquipment::CountingEquipment(const TimingData& data, const EquipmentLinks& links)
    : settings_(data.settings), race_(data.race), links_(links),
      counter_(data.settings, data.race, links.view, links.clock),
      p3_(data.race, counter_, P3LinkPorts{links.clock, links.scheduler, links.socket, links.view}),
      noise_([this] { links_.view.showNotice(DecoderNoiseNotice); }),
      link_(data.settings,
            DecoderLinkPorts{links.clock, links.decoderPort, links.socket, links.controllerPort},
            p3_, counter_.clockOrigin(), noise_,
            LinkReaders{[this](std::string_view line) { decoderLine(line); },
                        [this](const P3Frame& frame) { p3Frame(frame); }}),
      check_(
          links.scheduler, links.search,
          [this] {
              if (link_.connected()) askDecoder(check_.device());
          },
          [this] { checkRanOut(); }),
      reconnector_(data.settings, *this, link_, check_,
                   ReconnectorPorts{links.clock, links.scheduler, links.op, links.view}),
      test_(data.settings, data.event, data.race, *this, link_, p3_),
      CountDevice(countingDeviceFromSetting(data.settings.countDevice)) {}

CountingEquipment::~CountingEquipment() = default;

void CountingEquipment::setCountDevice(CountingDevice device) {
    const bool changed = device != CountDevice;
    CountDevice = device;
    if (device == CountingDevice::Manual) race_.countingEquipmentNowManual();
    if (changed && deviceChanged_) deviceChanged_();
}

void CountingEquipment::showStatus(const std::string& text) {
    statusText_ = text;
    links_.view.showCountingEquipment(text);
}

void CountingEquipment::Setupcountingequipment() {
    link_.closeConnection();
    reconnector_.stopWatching();

    const CountingDevice device = CountDevice;
    if (!isDecoder(device)) {
        showStatus(ManualTimingText);
        return;
    }
    if (!link_.open(device, raceTakesPassings())) {
        setCountDevice(CountingDevice::Manual);
        Setupcountingequipment();
        links_.op.inform(PortNotFoundMessage);
        return;
    }
    // The status is shown before the search window: a time-out inside the window replaces it
    // with "Manual Timing".
    showStatus(link_.status());
    startCheck(device, CheckKind::SetUp);
}

void CountingEquipment::closeLinks() {
    reconnector_.stopWatching();
    link_.close();
}

void CountingEquipment::startCheck(CountingDevice device, CheckKind kind) {
    const bool italian = device == CountingDevice::System20 && settings_.italy;
    check_.start(device, kind, !italian);
    std::string message;
    switch (device) {
    case CountingDevice::System20:
        message = italian ? ItalianSetupMessage : CheckingSystem20Message;
        link_.setRts(true);
        break;
    case CountingDevice::Ambrc:
        message = CheckingAmbrcMessage;
        break;
    default:
        message = CheckingP3Message;
        break;
    }
    askDecoder(device);
    check_.show(message);
    // Nothing answers for the Italian system: its open port is all there is to find.
    if (italian && kind != CheckKind::SetUp) reconnector_.restored();
}

// The question of the presence check: the empty command of an AMBrc decoder, GET_TIME of a P3
// decoder. A System 20 decoder is asked nothing; it sends its clock records by itself.
void CountingEquipment::askDecoder(CountingDevice device) {
    if (device == CountingDevice::Ambrc) link_.send({});
    if (device == CountingDevice::P3) p3_.askTime();
}

void CountingEquipment::checkRanOut() {
    if (check_.kind() != CheckKind::SetUp) {
        reconnector_.attemptFailed();
        return;
    }
    setCountDevice(CountingDevice::Manual);
    Setupcountingequipment();
    check_.tellNotFound();
}

void CountingEquipment::checkAnswered() {
    check_.end();
    if (check_.kind() == CheckKind::SetUp)
        reconnector_.watchSilence();
    else
        reconnector_.restored();
}

void CountingEquipment::decoderLinkLost() {
    reconnector_.linkLost(DecoderLinkLostMessage, true);
}

void CountingEquipment::CommPortDriverReceiveData(std::string_view bytes) {
    reconnector_.heard();
    link_.serialBytes(bytes);
    reconnector_.bytesOnLostLink();
}

void CountingEquipment::AMBClientSocketRead(std::string_view bytes) {
    reconnector_.heard();
    link_.socketBytes(bytes);
    reconnector_.bytesOnLostLink();
}

void CountingEquipment::decoderLine(std::string_view line) {
    // The device whose records the link brings: in use, or lost and looked for.
    const CountingDevice device = isDecoder(CountDevice) ? CountDevice : lostCountDevice();
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
    if (check_.running() && check_.kind() != CheckKind::SetUp &&
        check_.device() == CountingDevice::Ambrc)
        checkAnswer(found.record);
    reconnector_.bytesOnLostLink();
    sortsignal(found.record);
}

void CountingEquipment::AMBClientSocketError() {
    link_.connectionFailed();
    if (check_.running() && check_.kind() == CheckKind::Retry) {
        // Nobody is watching an automatic attempt: the next one follows in its time.
        check_.stop();
        reconnector_.attemptFailed();
        return;
    }
    links_.op.notify(SocketErrorMessage);
}

void CountingEquipment::sortsignal(std::string_view record) {
    if (test_.running()) {
        test_.showRecord(record);
        return;
    }
    if (check_.running()) {
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
        counter_.countAmbrc(record, link_.decoderId());
    }
}

// Records other than the answer are ignored during the check.
void CountingEquipment::checkAnswer(std::string_view record) {
    const CountingDevice device = check_.device();
    if (device == CountingDevice::System20 && record == System20FirstClockRecord) {
        link_.setRts(false);
        checkAnswered();
    } else if (device == CountingDevice::Ambrc && record.size() >= 2 && record[1] == '$') {
        const std::string_view idText = ambrcField(record, 1);
        const std::optional<int32_t> id = wholeNumber(idText);
        if (!id) {
            links_.view.showNotice(conversionErrorText(idText));
            return;
        }
        link_.setDecoderId(*id);
        const bool overTcp = link_.connected();
        checkAnswered();
        if (!overTcp) reconnector_.serialFollowUp();
    }
}

void CountingEquipment::p3Frame(const P3Frame& frame) {
    if (p3_.askingForMissed()) {
        p3_.setAside(frame);
        return;
    }
    if (check_.running()) {
        if (check_.device() != CountingDevice::P3) return;
        // Any good record answers, a decoder need not answer a request at once; the record is
        // then taken like any other (the first one after a reconnect may be a passing).
        p3_.found(frame);
        checkAnswered();
    }
    if (test_.running()) test_.showP3Record(frame);
    p3_.record(frame, !test_.running());
}

void CountingEquipment::controllerLine(std::string_view line) {
    if (!settings_.secondAmb || test_.running()) return;
    if (!race_.raceRunning()) return;
    counter_.countSecondSystem20(line);
}

void CountingEquipment::switchOn(bool restartClock) {
    switch (CountDevice) {
    case CountingDevice::System20:
        link_.setRts(true);
        break;
    case CountingDevice::Ambrc:
        if (restartClock) link_.sendAmbrc(AmbrcCommand::StartA, {1});
        link_.sendAmbrc(AmbrcCommand::StartB, {0});
        link_.sendAmbrc(AmbrcCommand::StartStop, {1, 0});
        link_.setSecondRts(true);
        break;
    default:
        break; // a P3 decoder is always on
    }
}

void CountingEquipment::TurnAmbOn(bool raceRunning) {
    test_.end();
    switchOn(true);
    if (raceRunning && CountDevice == CountingDevice::P3) p3_.raceStarting();
}

void CountingEquipment::TurnAmbOff() {
    switch (CountDevice) {
    case CountingDevice::System20:
        link_.setRts(false);
        break;
    case CountingDevice::Ambrc:
        link_.sendAmbrc(AmbrcCommand::StartStop, {0, 1});
        link_.setSecondRts(false);
        break;
    default:
        break;
    }
}

bool CountingEquipment::applyEquipmentChoice(CountingDevice chosenDevice, bool portListChanged) {
    const bool socketUnchanged =
        !links_.socket.active() ||
        (links_.socket.host() == settings_.ipAddress &&
         (CountDevice == CountingDevice::P3 || settings_.count1ComPort == IpAddressPortEntry));
    if (CountDevice == chosenDevice && !portListChanged && socketUnchanged) return false;
    if (race_.raceRunning()) return false;
    setCountDevice(chosenDevice);
    reconnector_.forget();
    Setupcountingequipment();
    return true;
}

} // namespace vexa
