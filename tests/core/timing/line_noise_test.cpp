// Noise on a decoder link: a record starts at its start byte wherever it stands in its line, so
// a glitch before a record or a burst of garbage loses no record that follows intact, in every
// dialect; what is dropped is tallied and told once a run.
#include "timing_fixture.h"

#include "timing/line_noise.h"
#include "timing/p3_frame_writer.h"

#include <random>

using namespace vexa;
using namespace vexa::test;

namespace {

TEST(FindRecordInLine, TheRecordIsTheLastStartThatLeavesARecord) {
    struct Case {
        const char* name;
        std::string line;
        char start;
        size_t shortest;
        std::string record;
        size_t dropped;
    };
    const Case cases[] = {
        {"a clean record", "\x01@\t7", '\x01', 2, "\x01@\t7", 0},
        {"one noise byte", "Z\x01@\t7", '\x01', 2, "\x01@\t7", 1},
        {"noise holding the start byte", "\x01xx\x01@\t7", '\x01', 2, "\x01@\t7", 3},
        {"no start byte", "garbage", '\x01', 2, "", 7},
        {"an empty line", "", '@', 9, "", 0},
        {"System 20 after noise with an @", "x@y@050102153007", '@', 9, "@050102153007", 3},
        {"an Italian record whose last character is an @", "@@12@", '@', 4, "@12@", 1},
        {"too short for any record: the last start", "ab@1", '@', 4, "@1", 2},
    };
    for (const Case& c : cases) {
        const RecordInLine found = findRecordInLine(c.line, c.start, c.shortest);
        EXPECT_EQ(found.record, c.record) << c.name;
        EXPECT_EQ(found.dropped, c.dropped) << c.name;
    }
}

// A random burst of garbage: every byte value, carriage returns and start bytes among them.
std::string burst(unsigned seed, size_t size) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out;
    for (size_t i = 0; i < size; ++i) out.push_back(static_cast<char>(byte(random)));
    return out;
}

enum class Dialect { AmbrcSerial, AmbrcTcp, System20, Ex20, Italian, P3 };

// Three cars in a five-minute heat, each crossing every 20 s from race second 10 + car, in
// every dialect the program reads; before each record comes the noise a case asks for.
class NoisyLine : public TimingFixture, public ::testing::WithParamInterface<Dialect> {
  protected:
    NoisyLine() {
        massHeats();
        raceMinutes(5);
        race(1, {1, 2, 3});
        program.settings.decoderSilence = 0;
        const Dialect d = GetParam();
        program.settings.countDevice = d == Dialect::P3                                      ? 3
                                       : d == Dialect::AmbrcSerial || d == Dialect::AmbrcTcp ? 2
                                                                                             : 1;
        program.settings.count1ComPort = d == Dialect::AmbrcTcp ? IpAddressPortEntry : 1;
        program.settings.ipAddress = "10.1.1.1";
        program.settings.ex20 = d == Dialect::Ex20;
        program.settings.italy = d == Dialect::Italian;
        for (int id = 1; id <= 3; ++id) program.event.cpts[id].transponder = transponder(id);
    }
    int32_t transponder(int car) const {
        return GetParam() == Dialect::Ex20 ? 1000 + car : 4000000 + car;
    }
    bool overTcp() const { return GetParam() == Dialect::AmbrcTcp || GetParam() == Dialect::P3; }
    void send(const std::string& bytes) {
        if (overTcp())
            equipment().AMBClientSocketRead(bytes);
        else
            equipment().CommPortDriverReceiveData(bytes);
    }
    // The record of car `car` crossing at race second `t`, as its dialect writes it.
    std::string crossing(int car, double t) {
        char text[64];
        const long hundredths = std::lround(t * 100.0);
        switch (GetParam()) {
        case Dialect::AmbrcSerial:
        case Dialect::AmbrcTcp:
            return passing(12, transponder(car), t) + "\r\n";
        case Dialect::System20:
            std::snprintf(text, sizeof text, "@%02d%02ld%02ld%02ld%02ld07\r", car,
                          hundredths / 360000, hundredths / 6000 % 60, hundredths / 100 % 60,
                          hundredths % 100);
            return text;
        case Dialect::Ex20:
            return "@" + std::to_string(transponder(car)) + "\r";
        case Dialect::Italian:
            std::snprintf(text, sizeof text, "@%02d0\r", car);
            return text;
        case Dialect::P3:
            return P3FrameWriter(P3Tor::Passing)
                .u32(0x01, static_cast<uint32_t>(++p3Number_))
                .u32(0x03, static_cast<uint32_t>(transponder(car)))
                .u64(0x04, static_cast<uint64_t>(std::llround((raceStart_ + t) * 1e6)))
                .u16(0x06, 9)
                .u32(0x81, 268307)
                .frame();
        }
        return {};
    }
    void foundAndStarted() {
        attach();
        equipment().Setupcountingequipment();
        if (GetParam() == Dialect::P3)
            send(P3FrameWriter(P3Tor::Status).u16(0x01, 39).u32(0x81, 268307).frame());
        else if (GetParam() == Dialect::AmbrcSerial || GetParam() == Dialect::AmbrcTcp)
            send("\x01$\t12\t0\t0\r\n");
        else if (GetParam() != Dialect::Italian)
            send("@00000001\r");
        ASSERT_EQ(settingOf(engine().countDevice()), program.settings.countDevice);
        openAndStart();
        raceStart_ = raceClockOrigin();
    }
    // Runs the race to its end, each record arriving with `noise(n)` before it; the laps of
    // each car.
    std::vector<int> runRace(const std::function<std::string(int)>& noise) {
        foundAndStarted();
        int n = 0;
        for (double lap = 10; lap < 300; lap += 20)
            for (int car = 1; car <= 3; ++car) {
                const double t = lap + car;
                runTo(raceStart_ + t + 0.01);
                send(noise(n++) + crossing(car, t));
            }
        runToRaceEnd();
        // The three cars of the race (a burst may, by chance, hold a record of a car unknown).
        std::vector<int> laps;
        for (size_t i = 0; i < 3 && i < engine().values().race_drivers.size(); ++i)
            laps.push_back(engine().values().race_drivers[i].lapcount);
        return laps;
    }
    int notices(const std::string& text) const {
        return static_cast<int>(std::count(view.notices.begin(), view.notices.end(), text));
    }

    int p3Number_ = 0;
    double raceStart_ = 0;
};

const std::vector<int> EveryLap = {15, 15, 15};

TEST_P(NoisyLine, ANoiseByteBeforeEachRecordLosesNoPassing) {
    EXPECT_EQ(runRace([](int) { return std::string("Z"); }), EveryLap);
    EXPECT_EQ(equipment().noise().droppedBytes(), 45u);
    // One run of noise, told once.
    EXPECT_EQ(notices(DecoderNoiseNotice), 1);
    EXPECT_EQ(equipment().noise().runs(), 1u);
}

TEST_P(NoisyLine, ABurstOfRandomBytesLosesNoRecordThatFollowsIt) {
    // Bursts of up to 3 kB before every fourth record, each of other bytes.
    EXPECT_EQ(
        runRace([](int n) { return n % 4 == 0 ? burst(static_cast<unsigned>(n), 3000) : ""; }),
        EveryLap);
    EXPECT_GT(equipment().noise().droppedBytes(), 0u);
    EXPECT_GE(notices(DecoderNoiseNotice), 1);
}

TEST_P(NoisyLine, ACleanLineTellsNothing) {
    EXPECT_EQ(runRace([](int) { return std::string(); }), EveryLap);
    EXPECT_EQ(equipment().noise().droppedBytes(), 0u);
    EXPECT_EQ(notices(DecoderNoiseNotice), 0);
}

std::string dialectName(const ::testing::TestParamInfo<Dialect>& info) {
    static const char* const names[] = {"AmbrcSerial", "AmbrcTcp", "System20",
                                        "Ex20",        "Italian",  "P3"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryDialect, NoisyLine,
                         ::testing::Values(Dialect::AmbrcSerial, Dialect::AmbrcTcp,
                                           Dialect::System20, Dialect::Ex20, Dialect::Italian,
                                           Dialect::P3),
                         dialectName);

} // namespace
