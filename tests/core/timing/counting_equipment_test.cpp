#include "equipment_fixture.h"

#include "timing/decoder_commands.h"

using namespace vexa;
using namespace vexa::test;

namespace {

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

} // namespace
