#include "equipment_fixture.h"

using namespace vexa;
using namespace vexa::test;

namespace {

TEST_F(Equipment, TransponderTestShowsRecordsAndBooksIn) {
    program.event.cpts[1].enabled = 'N';
    ambrcOnSerial();
    equipment().transponderTest().settingsActivated();
    EXPECT_TRUE(equipment().transponderTest().running());
    EXPECT_EQ(view.monitorLabel, WaitingForSignalText);
    EXPECT_EQ(decoderPort.output(), "\x01?,12,0,11,\r\n");

    equipment().CommPortDriverReceiveData(passing(12, 4012345, 3.5, 9, 60) + "\t2\r\n");
    EXPECT_EQ(view.memo, std::vector<std::string>{
                             "Driver 1 Tx#:4012345 Time:3.500 Hits:9 Signal:60 Batt: Normal"});
    EXPECT_EQ(program.event.cpts[1].enabled, 'Y');
    EXPECT_EQ(ports.sounds(), (std::vector<std::string>{"one.wav", "bookedin.wav"}));

    equipment().transponderTest().informationClick();
    EXPECT_EQ(decoderPort.written.back(), "\x01?,12,0,33,\r\n");
    equipment().transponderTest().clearClick();
    EXPECT_TRUE(view.memo.empty());
    equipment().transponderTest().resetCounterClick();
    EXPECT_EQ(decoderPort.written.back(), "\x01?,12,0,11,\r\n");

    equipment().transponderTest().settingsClosed();
    EXPECT_FALSE(equipment().transponderTest().running());
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
    equipment().transponderTest().settingsActivated();
    EXPECT_EQ(view.monitorLabel, RaceRunningTestText);
    EXPECT_FALSE(equipment().transponderTest().running());
    equipment().transponderTest().settingsClosed();
    EXPECT_TRUE(decoderPort.rts);
    runTo(raceClockOrigin() + 10);
    equipment().CommPortDriverReceiveData("@01000010005\r");
    EXPECT_EQ(engine().values().race_drivers[0].lapcount, 1);
}

TEST_F(Equipment, System20TestInformationIsALine) {
    program.settings.countDevice = 1;
    attach();
    equipment().transponderTest().settingsActivated();
    equipment().transponderTest().informationClick();
    equipment().CommPortDriverReceiveData("@00000105\r@05010215307\r");
    EXPECT_EQ(view.memo,
              (std::vector<std::string>{"System 20 Decoder",
                                        "Transponder:05     Hits:7     Time:01:02:15.30"}));
    EXPECT_EQ(view.monitorLabel, "Timer: 00:01:05");
}

} // namespace
