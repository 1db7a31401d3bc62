#include "timing/transponder_test.h"

#include "ports/timed_race.h"
#include "ports/timing_equipment.h"
#include "ports/timing_view.h"
#include "settings/prog_settings.h"
#include "timing/decoder_commands.h"
#include "timing/decoder_link.h"
#include "timing/decoder_monitor.h"
#include "timing/p3_link.h"
#include "timing/p3_monitor.h"

namespace vexa {

TransponderTest::TransponderTest(const ProgSettings& settings, EventData& event, TimedRace& race,
                                 const TimingEquipment& equipment, DecoderLink& link, P3Link& p3)
    : settings_(settings), event_(event), race_(race), equipment_(equipment), link_(link), p3_(p3) {
}

void TransponderTest::settingsActivated() {
    if (race_.raceRunning()) {
        if (view_) view_->setLabel(RaceRunningTestText);
        return;
    }
    if (view_) {
        view_->setLabel(WaitingForSignalText);
        view_->clear();
    }
    const CountingDevice device = equipment_.countDevice();
    if (isDecoder(device)) running_ = true;
    if (device == CountingDevice::System20) link_.setRts(true);
    if (device == CountingDevice::Ambrc) link_.sendAmbrc(AmbrcCommand::ResetCounter, {});
}

void TransponderTest::settingsClosed() {
    if (!running_) return;
    link_.setRts(false);
    running_ = false;
}

void TransponderTest::resetCounterClick() {
    switch (equipment_.countDevice()) {
    case CountingDevice::System20:
        link_.setRts(false);
        link_.setRts(true);
        break;
    case CountingDevice::Ambrc:
        link_.sendAmbrc(AmbrcCommand::ResetCounter, {});
        break;
    default:
        break;
    }
}

void TransponderTest::informationClick() {
    const CountingDevice device = equipment_.countDevice();
    if (device == CountingDevice::Ambrc)
        link_.sendAmbrc(AmbrcCommand::Information, {});
    else if (device == CountingDevice::P3)
        p3_.askVersion();
    else if (view_)
        view_->addLines({System20InformationLine});
}

void TransponderTest::clearClick() {
    if (view_) view_->clear();
}

void TransponderTest::showRecord(std::string_view record) {
    MonitorDialect dialect = MonitorDialect::Ambrc;
    switch (equipment_.countDevice()) {
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
    show(monitorRecord(record, dialect, event_));
}

void TransponderTest::showP3Record(const P3Frame& frame) {
    show(monitorP3Record(frame, event_));
}

void TransponderTest::show(const MonitorOutput& out) {
    if (view_) {
        if (out.label) view_->setLabel(*out.label);
        if (!out.lines.empty()) view_->addLines(out.lines);
    }
    if (out.bookedInId != 0) race_.announceBookedIn(out.bookedInId);
}

} // namespace vexa
