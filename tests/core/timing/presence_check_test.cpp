#include "timing_fixture.h"

using namespace vexa;
using vexa::test::TimingFixture;

namespace {

class PresenceCheck : public TimingFixture {
  protected:
    void setUp(int device, int portEntry) {
        program.settings.countDevice = device;
        program.settings.count1ComPort = portEntry;
        program.settings.ipAddress = "127.0.0.1";
        attach();
        equipment().setCountDevice(countingDeviceFromSetting(device));
        equipment().Setupcountingequipment();
    }
    int countDevice() { return settingOf(engine().countDevice()); }
};

TEST_F(PresenceCheck, SilentDecoderFallsBackAfterTenSteps) {
    setUp(2, 2); // "Com 3"
    EXPECT_EQ(decoderPort.log.front(), "rts off");
    EXPECT_TRUE(decoderPort.opened);
    EXPECT_EQ(decoderPort.com, 3);
    EXPECT_EQ(decoderPort.written, std::vector<std::string>{"\x01\r\n"});
    EXPECT_TRUE(view.searchOpen);
    EXPECT_EQ(view.searchMessage, CheckingAmbrcMessage);
    EXPECT_EQ(view.counting, "AMBrc(Com3)");

    for (int step = 1; step <= PresenceCheckSteps; ++step) {
        runTo(step * 0.160);
        EXPECT_EQ(view.progress, step);
        EXPECT_TRUE(equipment().presenceCheckRunning()) << step;
    }
    runTo(1.759);
    EXPECT_EQ(countDevice(), 2);
    runTo(1.760);
    EXPECT_FALSE(equipment().presenceCheckRunning());
    EXPECT_EQ(countDevice(), 0);
    EXPECT_EQ(view.counting, ManualTimingText);
    EXPECT_EQ(view.searchMessage, DecoderNotFoundMessage);
    EXPECT_TRUE(view.searchOpen); // the operator closes it
    EXPECT_EQ(scheduler.runningTimers(), 0u);
    EXPECT_EQ(decoderPort.written.size(), 1u); // no second empty command over a serial port
}

TEST_F(PresenceCheck, MissingPortFallsBackAtOnce) {
    decoderPort.missing[4] = true;
    setUp(1, 3);
    EXPECT_EQ(ports.texts("message"), std::vector<std::string>{PortNotFoundMessage});
    EXPECT_EQ(view.counting, ManualTimingText);
    EXPECT_EQ(countDevice(), 0);
    EXPECT_EQ(view.searchOpened, 0);
    EXPECT_FALSE(equipment().presenceCheckRunning());
}

TEST_F(PresenceCheck, StatusTextsAndPortParameters) {
    const struct {
        int device;
        int entry;
        bool ex20;
        const char* status;
        int com;
        int baud;
        int stopBits;
    } cases[] = {
        {2, 0, false, "AMBrc(Com)", 1, 9600, 2},  {2, 1, false, "AMBrc(Com2)", 2, 9600, 2},
        {2, 7, false, "AMBrc(Com8)", 8, 9600, 2}, {1, 1, false, "AMB20(Com2)", 2, 9600, 2},
        {2, 2, true, "AMBrc(Com3)", 3, 19200, 1}, {1, 5, true, "AMB20(Com6)", 6, 19200, 1},
        {2, 8, false, "AMBrc(Com)", 0, 0, 0},
    };
    for (const auto& c : cases) {
        program.settings.ex20 = c.ex20;
        decoderPort = {};
        setUp(c.device, c.entry);
        EXPECT_EQ(view.counting, c.status) << c.status;
        EXPECT_EQ(decoderPort.com, c.com) << c.status;
        if (c.com == 0) {
            EXPECT_TRUE(socket.isActive);
            EXPECT_EQ(socket.host(), "127.0.0.1");
            continue;
        }
        EXPECT_EQ(decoderPort.parameters.baudRate, c.baud) << c.status;
        EXPECT_EQ(decoderPort.parameters.stopBits, c.stopBits) << c.status;
    }
}

TEST_F(PresenceCheck, AmbrcAnswerOverSerialSetsIdentityAndOneStopBit) {
    setUp(2, 1);
    runTo(0.5);
    // Records other than the reply are ignored during the check.
    equipment().CommPortDriverReceiveData("\x01#\t12\t0\t3\r\n\x01$\t1x\t0\t0\r\n\x01$\t12\t0\t0");
    EXPECT_TRUE(equipment().presenceCheckRunning());
    EXPECT_EQ(view.notices, std::vector<std::string>{"'1x' is not a valid integer value"});
    EXPECT_TRUE(view.decoderStatus.empty());
    decoderPort.log.clear();
    equipment().CommPortDriverReceiveData("\r\n");
    EXPECT_EQ(equipment().decoderId(), 12);
    EXPECT_FALSE(equipment().presenceCheckRunning());
    EXPECT_FALSE(view.searchOpen);
    EXPECT_EQ(decoderPort.written.back(), command(12, "37,0,"));
    EXPECT_EQ(decoderPort.log, (std::vector<std::string>{"close", "open 2 9600 1"}));
    runTo(5);
    EXPECT_EQ(settingOf(engine().countDevice()), 2);
    EXPECT_EQ(view.counting, "AMBrc(Com2)");
}

TEST_F(PresenceCheck, AmbrcOverTcpRepeatsTheEmptyCommandAndNeedsNoFollowUp) {
    setUp(2, IpAddressPortEntry);
    EXPECT_FALSE(decoderPort.opened);
    EXPECT_EQ(socket.written, std::vector<std::string>{"\x01\r\n"});
    runTo(1.119);
    EXPECT_EQ(socket.written.size(), 1u);
    runTo(1.120); // the step at which the bar stands at 6
    EXPECT_EQ(socket.written.size(), 2u);
    equipment().AMBClientSocketRead("\x01$\t21\t0\t0\r");
    EXPECT_EQ(equipment().decoderId(), 21);
    EXPECT_FALSE(view.searchOpen);
    EXPECT_EQ(socket.written.size(), 2u);
    EXPECT_EQ(decoderPort.log, std::vector<std::string>{"rts off"}); // never opened
}

TEST_F(PresenceCheck, TcpErrorIsShownAndTheCheckRunsOut) {
    setUp(2, IpAddressPortEntry);
    runTo(0.2);
    socket.isActive = false;
    equipment().AMBClientSocketError();
    EXPECT_EQ(ports.texts("message"), std::vector<std::string>{SocketErrorMessage});
    runTo(1.76);
    EXPECT_EQ(settingOf(engine().countDevice()), 0);
    EXPECT_EQ(view.searchMessage, DecoderNotFoundMessage);
    EXPECT_EQ(socket.written.size(), 1u);
}

TEST_F(PresenceCheck, System20FirstClockRecordEndsTheCheck) {
    setUp(1, 1);
    EXPECT_TRUE(decoderPort.rts);
    EXPECT_EQ(view.searchMessage, CheckingSystem20Message);
    runTo(0.4);
    equipment().CommPortDriverReceiveData("@00000000\r@02000001005\r");
    EXPECT_TRUE(equipment().presenceCheckRunning());
    equipment().CommPortDriverReceiveData("@00000001\r");
    EXPECT_FALSE(equipment().presenceCheckRunning());
    EXPECT_FALSE(view.searchOpen);
    EXPECT_FALSE(decoderPort.rts);
    runTo(3);
    EXPECT_EQ(settingOf(engine().countDevice()), 1);
}

TEST_F(PresenceCheck, ItalianSystemWaitsForTheOperator) {
    program.settings.italy = true;
    setUp(1, 1);
    EXPECT_EQ(view.searchMessage, ItalianSetupMessage);
    runTo(30);
    EXPECT_TRUE(view.searchOpen);
    EXPECT_EQ(view.progress, 0);
    EXPECT_EQ(settingOf(engine().countDevice()), 1);
}

TEST_F(PresenceCheck, ManualCountingTouchesNoPort) {
    setUp(0, 1);
    EXPECT_EQ(view.counting, ManualTimingText);
    EXPECT_TRUE(decoderPort.log.empty());
    EXPECT_EQ(view.searchOpened, 0);
}

} // namespace
