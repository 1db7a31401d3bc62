#include "../timing/timing_fixture.h"
#include "station/race_station.h"

using namespace vexa;
using namespace vexa::test;

namespace {

// A station built by its one function on fake links: the AMBrc decoder of identity 12 on "Com 2".
class Station : public RaceFixture {
  protected:
    Station() {
        massHeats();
        raceMinutes(2);
        race(1, {1, 2});
        program.event.cpts[1].transponder = 4012345;
        program.settings.countDevice = 2;
        program.settings.count1ComPort = 1;
        program.settings.decoderSilence = 0;
        station = buildRaceStation(
            program, StationPorts{clock, scheduler, ports, ports, ports, nullptr,
                                  EquipmentLinks{scheduler, clock, ports, decoderPort, socket,
                                                 controllerPort, view, view}});
        drivenEngine = &station->engine();
    }

    FakeSerialPort decoderPort;
    FakeSerialPort controllerPort;
    FakeSocket socket;
    FakeTimingView view;
    std::unique_ptr<RaceStation> station;
};

TEST_F(Station, ADecoderRecordThroughTheStationReachesTheStandings) {
    CountingEquipment& equipment = station->equipment();
    equipment.Setupcountingequipment();
    equipment.CommPortDriverReceiveData("\x01$\t12\t0\t0\r\n");
    ASSERT_EQ(equipment.decoderId(), 12);
    decoderPort.written.clear();

    openAndStart();
    // The engine switches the station's own equipment on.
    EXPECT_EQ(decoderPort.output(), SwitchOn + SwitchOff + SwitchOn);
    runTo(raceClockOrigin() + 12.5);
    equipment.CommPortDriverReceiveData("\x01@\t12\t1\t4012345\t12.500\t5\t80\r\n");
    const RaceDriver& first = station->engine().values().race_drivers.at(0);
    EXPECT_EQ(first.lapcount, 1);
    EXPECT_NEAR(first.lastpass, 12.5, 1e-9);
}

TEST_F(Station, TheRaceStopsWithTheStation) {
    station->equipment().Setupcountingequipment();
    station->engine().openRaceScreen();
    ASSERT_GT(scheduler.runningTimers(), 0u);
    station.reset();
    drivenEngine = nullptr;
    // Nothing of the station is left to run: no countdown, no presence check, no decoder command.
    EXPECT_EQ(scheduler.runningTimers(), 0u);
    decoderPort.written.clear();
    runTo(600);
    EXPECT_TRUE(decoderPort.written.empty());
}

} // namespace
