#include "decoder_rig.h"

#include "fuzz_check.h"

#include "race/race_engine.h"
#include "timing/counting_equipment.h"
#include "timing/decoder_records.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vexa::fuzz {

namespace {

constexpr int32_t DecoderIdentity = 7;
constexpr int32_t FirstAmbrcTransponder = 4000001;
constexpr int32_t FirstEx20Transponder = 1001;

} // namespace

RigChoice RigChoice::fromByte(uint8_t byte) {
    RigChoice c;
    c.dialect = static_cast<Dialect>((byte & 7) % 6);
    c.massStart = (byte & 8) == 0;
    c.countFirst = (byte & 16) == 0;
    c.countSame = (byte & 32) != 0;
    c.speedTrap = (byte & 64) != 0;
    c.lowestHits = (byte & 128) != 0 ? 5 : 0;
    return c;
}

DecoderRig::DecoderRig(const RigChoice& choice) : choice_(choice) {
    ProgSettings& s = program_.settings;
    ClassSetup& buggy = s.classes[1];
    buggy.name = "Buggy";
    buggy.qualMinutes = 1;
    buggy.tenSecCountdown = false;
    s.raceInterval = "60";
    s.raceSetup = "30";
    s.heatMass = choice.massStart;
    s.countFirst = choice.countFirst;
    s.countSame = choice.countSame;
    s.speedTrap = choice.speedTrap;
    s.lowestHits = choice.lowestHits;
    s.countDevice = 1;
    s.count1ComPort = 1;
    switch (choice.dialect) {
    case Dialect::AmbrcSerial:
        s.countDevice = 2;
        break;
    case Dialect::AmbrcSocket:
        s.countDevice = 2;
        s.count1ComPort = IpAddressPortEntry;
        s.ipAddress = "127.0.0.1";
        break;
    case Dialect::System20:
        break;
    case Dialect::Ex20:
        s.ex20 = true;
        break;
    case Dialect::Italian:
        s.italy = true;
        break;
    case Dialect::SecondSystem20:
        s.countDevice = 2;
        s.secondAmb = true;
        s.rcioComPort = 2;
        break;
    }

    const int32_t firstTransponder =
        choice.dialect == Dialect::Ex20 ? FirstEx20Transponder : FirstAmbrcTransponder;
    for (int id = 1; id <= Cars; ++id) {
        comp_ent& c = program_.event.cpts[id];
        c.name = "Driver " + std::to_string(id);
        c.classno = 1;
        c.transponder = firstTransponder + id - 1;
        program_.event.heats.setSlotText(1, id, std::to_string(id));
    }

    station_ = buildRaceStation(
        program_, StationPorts{clock_, scheduler_, ports_, ports_, ports_, nullptr,
                               EquipmentLinks{scheduler_, clock_, ports_, decoderPort_, socket_,
                                              controllerPort_, view_, view_}});
    RaceEngine& engine = station_->engine();
    station_->equipment().setCountDevice(countingDeviceFromSetting(s.countDevice));
    station_->equipment().Setupcountingequipment();
    answerPresenceCheck();
    engine.openRaceScreen();
    engine.StartBtnClick();
    while (engine.values().RaceState != RaceStates::Running &&
           clock_.milliseconds() < VirtualLimitMs && scheduler_.fireNext()) {
    }
    round_ = engine.values().RoundNumber;
}

DecoderRig::~DecoderRig() = default;

bool DecoderRig::raceRunning() const {
    return station_->engine().values().RaceState == RaceStates::Running;
}

std::string DecoderRig::presenceAnswer() const {
    switch (choice_.dialect) {
    case Dialect::System20:
    case Dialect::Ex20:
        return std::string(System20FirstClockRecord) + "\r\n";
    case Dialect::Italian:
        return {};
    default:
        return "\x01$\t" + std::to_string(DecoderIdentity) + "\t0\t0\r\n";
    }
}

void DecoderRig::answerPresenceCheck() {
    CountingEquipment& equipment = station_->equipment();
    if (!equipment.presenceCheckRunning()) return;
    const std::string answer = presenceAnswer();
    if (choice_.dialect == Dialect::AmbrcSocket)
        equipment.AMBClientSocketRead(answer);
    else
        equipment.CommPortDriverReceiveData(answer);
    require(!equipment.presenceCheckRunning(), "the decoder's answer ends the presence check");
}

void DecoderRig::receive(std::string_view bytes) {
    switch (choice_.dialect) {
    case Dialect::AmbrcSocket:
        station_->equipment().AMBClientSocketRead(bytes);
        break;
    case Dialect::SecondSystem20:
        station_->controller().rciocontrollerReceiveData(bytes);
        break;
    default:
        station_->equipment().CommPortDriverReceiveData(bytes);
        break;
    }
}

void DecoderRig::advance(int64_t ms) {
    const RaceEngine& engine = station_->engine();
    const int64_t target = std::min(clock_.milliseconds() + ms, VirtualLimitMs);
    // Time stops once the race is processed, so that its entrants stay for the checks.
    while (engine.completedRaces() == 0) {
        const auto due = scheduler_.nextDue();
        if (!due || *due > target) {
            scheduler_.advanceTo(target);
            return;
        }
        scheduler_.fireNext();
    }
}

void DecoderRig::loseAndReconnectLink() {
    CountingEquipment& equipment = station_->equipment();
    equipment.decoderLinkLost();
    equipment.reconnectDecoder();
    answerPresenceCheck();
}

bool DecoderRig::finishRace() {
    advance(VirtualLimitMs);
    return station_->engine().completedRaces() > 0;
}

void DecoderRig::checkEntrants() const {
    const RaceDrivers& drivers = station_->engine().values().race_drivers;
    std::vector<bool> placed(drivers.size(), false);
    for (const RaceDriver& d : drivers) {
        const int index = d.runorder;
        require(index >= 0 && static_cast<size_t>(index) < drivers.size(),
                "the running order names entrants");
        require(!placed[static_cast<size_t>(index)], "the running order names each entrant once");
        placed[static_cast<size_t>(index)] = true;
        require(d.lapcount >= 0, "lap counts are not negative");
        require(std::isfinite(d.lastpass) && std::isfinite(d.starttime) &&
                    std::isfinite(d.lastlap) && std::isfinite(d.fastestlap) &&
                    std::isfinite(d.leadergap),
                "times are numbers");
    }
}

void DecoderRig::checkStoredResults() const {
    const EventData& event = program_.event;
    for (const RaceDriver& d : station_->engine().values().race_drivers) {
        if (d.compno <= 0) continue;
        const res_ent& result = event.cptres[d.compno];
        require(result.laps[static_cast<size_t>(round_)] == d.lapcount &&
                    result.time[static_cast<size_t>(round_)] == d.lastpass,
                "every counted lap is in the stored result");
    }
}

} // namespace vexa::fuzz
