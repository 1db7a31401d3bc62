#include "timing/counting_equipment.h"

#include "ports/timing_view.h"

// The counting equipment's part in a race replayed from its journal.
namespace vexa {

EquipmentInUse CountingEquipment::journaledEquipment() const {
    return {CountDevice, CountDevice == CountingDevice::Ambrc ? link_.decoderId() : 0};
}

void CountingEquipment::takeJournaledEquipment(CountingDevice device, int32_t decoderId) {
    if (ownDuringReplay_) {
        CountDevice = device;
        if (device == CountingDevice::Ambrc) link_.setDecoderId(decoderId);
        link_.dropHalfRead();
        if (device == CountingDevice::Manual) race_.countingEquipmentNowManual();
        return;
    }
    check_.end();
    closeLinks();
    if (!isDecoder(device) || !link_.open(device, raceTakesPassings())) {
        setCountDevice(CountingDevice::Manual);
        showStatus(ManualTimingText);
        return;
    }
    setCountDevice(device);
    if (device == CountingDevice::Ambrc) link_.setDecoderId(decoderId);
    showStatus(link_.status());
}

void CountingEquipment::replayBegins() {
    ownDuringReplay_ = InUse{CountDevice, link_.decoderId()};
    link_.setReplaying(true);
    // The replay's time is not the link's: its silence is not watched meanwhile.
    reconnector_.stopWatching();
    link_.dropHalfRead();
    p3_.replayBegins();
}

void CountingEquipment::replayedBytes(std::string_view bytes) {
    link_.replayedBytes(CountDevice, bytes);
}

void CountingEquipment::replayEnds() {
    if (ownDuringReplay_) {
        CountDevice = ownDuringReplay_->device;
        link_.setDecoderId(ownDuringReplay_->decoderId);
        ownDuringReplay_.reset();
    }
    link_.setReplaying(false);
    if (lostCountDevice() == CountingDevice::Manual) reconnector_.watchSilence();
    link_.dropHalfRead();
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
        CountDevice != CountingDevice::P3 || !link_.connected())
        return false;
    return p3_.askForMissed(std::move(journalNow));
}

std::vector<TimedBytes> CountingEquipment::takeMissedPassings(int64_t notBeforeMs,
                                                              int64_t notAfterMs) {
    return p3_.takeMissed(notBeforeMs, notAfterMs);
}

bool CountingEquipment::fetchesMissedPassings() const {
    return CountDevice == CountingDevice::P3 && link_.connected() &&
           p3_.tracker().last().has_value();
}

} // namespace vexa
