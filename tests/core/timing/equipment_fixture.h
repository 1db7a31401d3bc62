#pragma once

#include "timing_fixture.h"

namespace vexa::test {

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
        ASSERT_EQ(equipment().decoderId(), 12);
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
        ASSERT_EQ(equipment().decoderId(), 12);
        socket.written.clear();
    }
};

} // namespace vexa::test
