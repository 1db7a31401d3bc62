#include "timing_fixture.h"

#include "timing/decoder_commands.h"

using namespace vexa;
using namespace vexa::test;

namespace {

class Equipment : public TimingFixture {
  protected:
    Equipment() {
        massHeats();
        raceMinutes(2);
        race(1, {1, 2});
        program.event.cpts[1].transponder = 4012345;
        // These decoders say nothing unless a test has them speak; the silence watch has tests
        // of its own.
        program.settings.decoderSilence = 0;
    }
    // An AMBrc decoder of identity 12 on "Com 2", found by the presence check.
    void ambrcOnSerial() {
        program.settings.countDevice = 2;
        program.settings.count1ComPort = 1;
        attach();
        equipment().Setupcountingequipment();
        equipment().CommPortDriverReceiveData("\x01$\t12\t0\t0\r\n");
        ASSERT_EQ(equipment().DecoderId, 12);
        decoderPort.written.clear();
        controllerPort.log.clear();
    }
    // An AMBrc decoder of identity 12 over TCP, found by the presence check.
    void ambrcOverTcp() {
        program.settings.countDevice = 2;
        program.settings.count1ComPort = IpAddressPortEntry;
        program.settings.ipAddress = "10.1.1.1";
        attach();
        equipment().Setupcountingequipment();
        equipment().AMBClientSocketRead("\x01$\t12\t0\t0\r\n");
        ASSERT_EQ(equipment().DecoderId, 12);
        socket.written.clear();
    }
};

TEST_F(Equipment, AmbrcIsSwitchedOnForBookingInAndRaceAndOffBetween) {
    program.settings.secondAmb = true;
    ambrcOnSerial();
    untilBookingIn();
    EXPECT_EQ(decoderPort.output(), SwitchOn);
    EXPECT_EQ(controllerPort.log, std::vector<std::string>{"rts on"});
    untilRunning();
    EXPECT_EQ(decoderPort.output(), SwitchOn + SwitchOff + SwitchOn);
    EXPECT_EQ(controllerPort.log, (std::vector<std::string>{"rts on", "rts off", "rts on"}));
    runToRaceEnd();
    EXPECT_EQ(decoderPort.output(), SwitchOn + SwitchOff + SwitchOn + SwitchOff);
}

TEST_F(Equipment, System20IsSwitchedWithRts) {
    program.settings.countDevice = 1;
    program.settings.count1ComPort = 1;
    attach();
    equipment().Setupcountingequipment();
    equipment().CommPortDriverReceiveData("@00000001\r");
    decoderPort.log.clear();
    untilBookingIn();
    EXPECT_EQ(decoderPort.log, std::vector<std::string>{"rts on"});
    while (engine().values().BookingIn && scheduler.fireNext()) {
    }
    EXPECT_EQ(decoderPort.log, (std::vector<std::string>{"rts on", "rts off"}));
    untilRunning();
    EXPECT_EQ(decoderPort.log, (std::vector<std::string>{"rts on", "rts off", "rts on"}));
    EXPECT_TRUE(decoderPort.written.empty());
}

TEST_F(Equipment, BookingInTakesPassingsAsZeroTime) {
    ambrcOnSerial();
    untilBookingIn();
    equipment().CommPortDriverReceiveData(passing(12, 4012345, 3.0) + "\r\n");
    EXPECT_EQ(engine().values().race_drivers[0].hits, 5);
    EXPECT_EQ(ports.sounds().back(), "carpassftd.wav");
}

TEST_F(Equipment, DroppedTcpLinkLeavesCountingToTheKeys) {
    ambrcOverTcp();
    untilBookingIn();
    untilRunning();
    runTo(raceClockOrigin() + 10);
    // A whole record and the start of another arrive; then the connection drops.
    equipment().AMBClientSocketRead(passing(12, 4012345, 10.0) + "\r\n" + "\x01@\t12\t1\t40");
    ASSERT_EQ(engine().values().race_drivers[0].lapcount, 1);
    socket.isActive = false;
    equipment().decoderLinkLost();
    EXPECT_EQ(view.notices, std::vector<std::string>{DecoderLinkLostMessage});
    EXPECT_EQ(view.counting, ManualTimingText);
    EXPECT_EQ(settingOf(engine().countDevice()), 0);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 2);
    EXPECT_TRUE(engine().values().ManualKeys);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);
    keyAt(20, '1');
    keyAt(30, '2');
    EXPECT_EQ(engine().values().race_drivers[0].lapcount, 2);
    EXPECT_EQ(engine().values().race_drivers[1].lapcount, 1);

    // The operator reconnects: the decoder is checked, switched on again and counts.
    socket.written.clear();
    const int opens = socket.opens;
    equipment().reconnectDecoder();
    EXPECT_EQ(socket.opens, opens + 1);
    EXPECT_TRUE(equipment().presenceCheckRunning());
    equipment().AMBClientSocketRead("12345\t40.0\t5\t80\r\n\x01$\t12\t0\t0\r\n");
    EXPECT_EQ(engine().values().race_drivers[0].lapcount,
              2); // the torn record was not pieced together
    EXPECT_EQ(settingOf(engine().countDevice()), 2);
    EXPECT_EQ(socketOutput(), std::string("\x01\r\n") + SwitchOnInRace);
    runTo(raceClockOrigin() + 40);
    equipment().AMBClientSocketRead(passing(12, 4012345, 40.0) + "\r\n");
    EXPECT_EQ(engine().values().race_drivers[0].lapcount, 3);
}

TEST_F(Equipment, LinkLostWhileBookingInStartsTheRaceByKeys) {
    ambrcOnSerial();
    untilBookingIn();
    decoderPort.opened = false;
    equipment().decoderLinkLost();
    EXPECT_FALSE(engine().values().BookingIn);
    untilRunning();
    EXPECT_TRUE(engine().values().ManualKeys);
    keyAt(15, '2');
    EXPECT_EQ(engine().values().race_drivers[1].lapcount, 1);
    EXPECT_NEAR(engine().values().race_drivers[1].lastpass, 15.0, 0.001);
}

TEST_F(Equipment, SettingsWindowReRunsTheSetUpOnlyWhenNeeded) {
    ambrcOverTcp();
    EXPECT_FALSE(equipment().applyEquipmentChoice(CountingDevice::Ambrc, false));
    EXPECT_EQ(socket.opens, 1);
    program.settings.ipAddress = "10.1.1.2";
    EXPECT_TRUE(equipment().applyEquipmentChoice(CountingDevice::Ambrc, false));
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(socket.host(), "10.1.1.2");
    EXPECT_TRUE(equipment().applyEquipmentChoice(CountingDevice::Ambrc, true));
    EXPECT_EQ(socket.opens, 3);
    equipment().AMBClientSocketRead("\x01$\t12\t0\t0\r\n");

    untilBookingIn();
    untilRunning();
    EXPECT_FALSE(equipment().applyEquipmentChoice(CountingDevice::Manual, true));
    EXPECT_EQ(settingOf(engine().countDevice()), 2);
    runToRaceEnd();
    EXPECT_TRUE(equipment().applyEquipmentChoice(CountingDevice::Manual, false));
    EXPECT_EQ(settingOf(engine().countDevice()), 0);
    EXPECT_EQ(view.counting, ManualTimingText);
    EXPECT_FALSE(socket.isActive);
}

TEST_F(Equipment, TransponderTestShowsRecordsAndBooksIn) {
    program.event.cpts[1].enabled = 'N';
    ambrcOnSerial();
    equipment().settingsActivated();
    EXPECT_TRUE(equipment().MonitorMode);
    EXPECT_EQ(view.monitorLabel, WaitingForSignalText);
    EXPECT_EQ(decoderPort.output(), "\x01?,12,0,11,\r\n");

    equipment().CommPortDriverReceiveData(passing(12, 4012345, 3.5, 9, 60) + "\t2\r\n");
    EXPECT_EQ(view.memo, std::vector<std::string>{
                             "Driver 1 Tx#:4012345 Time:3.500 Hits:9 Signal:60 Batt: Normal"});
    EXPECT_EQ(program.event.cpts[1].enabled, 'Y');
    EXPECT_EQ(ports.sounds(), (std::vector<std::string>{"one.wav", "bookedin.wav"}));

    equipment().ChecksInfoBtnClick();
    EXPECT_EQ(decoderPort.written.back(), "\x01?,12,0,33,\r\n");
    equipment().checksmemoClearClick();
    EXPECT_TRUE(view.memo.empty());
    equipment().ResetCounterClick();
    EXPECT_EQ(decoderPort.written.back(), "\x01?,12,0,11,\r\n");

    equipment().settingsClosed();
    EXPECT_FALSE(equipment().MonitorMode);
}

TEST_F(Equipment, TransponderTestIsRefusedDuringARaceAndLeavesTheDecoderOn) {
    program.settings.countDevice = 1;
    program.settings.count1ComPort = 1;
    attach();
    equipment().Setupcountingequipment();
    equipment().CommPortDriverReceiveData("@00000001\r");
    untilBookingIn();
    untilRunning();
    ASSERT_TRUE(decoderPort.rts);
    equipment().settingsActivated();
    EXPECT_EQ(view.monitorLabel, RaceRunningTestText);
    EXPECT_FALSE(equipment().MonitorMode);
    equipment().settingsClosed();
    EXPECT_TRUE(decoderPort.rts);
    runTo(raceClockOrigin() + 10);
    equipment().CommPortDriverReceiveData("@01000010005\r");
    EXPECT_EQ(engine().values().race_drivers[0].lapcount, 1);
}

TEST_F(Equipment, System20TestInformationIsALine) {
    program.settings.countDevice = 1;
    attach();
    equipment().settingsActivated();
    equipment().ChecksInfoBtnClick();
    equipment().CommPortDriverReceiveData("@00000105\r@05010215307\r");
    EXPECT_EQ(view.memo,
              (std::vector<std::string>{"System 20 Decoder",
                                        "Transponder:05     Hits:7     Time:01:02:15.30"}));
    EXPECT_EQ(view.monitorLabel, "Timer: 00:01:05");
}

} // namespace
