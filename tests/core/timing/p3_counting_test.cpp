// A P3 decoder as the counting equipment, on a fake TCP link in virtual time: the presence
// check, races counted with the decoder's own times, and no passing lost or counted twice when
// records go missing or the link is lost.
#include "p3_sample_frames.h"
#include "timing_fixture.h"

#include "timing/p3_frame_writer.h"
#include "timing/p3_requests.h"

using namespace vexa;
using namespace vexa::test;

namespace {

constexpr uint32_t Decoder = 268307;
// The decoder's clock at virtual time 0: its own time of day, microseconds since 1970.
constexpr uint64_t DecoderEpoch = 1'761'855'000'000'000;

// One crossing as the decoder records it.
struct Crossing {
    uint32_t number;
    std::optional<uint32_t> transponder;
    double raceSeconds; // when it happened
    const char* code = "";
    std::optional<uint16_t> hits = 9;
    uint32_t decoder = Decoder;
};

// A five-minute mass-start heat of three drivers: a ProChip transponder of nine digits, a
// transponder known only by its code "PV-38463" (number 253138463), and an AMB RC transponder.
class P3Counting : public TimingFixture {
  protected:
    P3Counting() {
        massHeats();
        raceMinutes(5);
        race(1, {1, 2, 3});
        program.event.cpts[1].transponder = 102758186;
        program.event.cpts[2].transponder = 253138463;
        program.event.cpts[3].transponder = 4000003;
        program.settings.countDevice = 3;
        program.settings.ipAddress = "10.1.1.5";
        program.settings.lowestHits = 3;
        // Most tests send no status records; the silence watch has tests of its own.
        program.settings.decoderSilence = 0;
    }

    static std::string status(uint32_t decoder = Decoder) {
        return P3FrameWriter(P3Tor::Status)
            .u16(0x01, 39)
            .u16(0x07, 22)
            .u8(0x0C, 118)
            .u8(0x06, 0)
            .u32(0x81, decoder)
            .frame();
    }
    // The decoder's time at virtual second `seconds`.
    static uint64_t decoderTime(double seconds) {
        return DecoderEpoch + static_cast<uint64_t>(std::llround(seconds * 1e6));
    }
    std::string record(const Crossing& c) const {
        P3FrameWriter w(P3Tor::Passing);
        w.u32(0x01, c.number);
        if (c.transponder) w.u32(0x03, *c.transponder);
        if (*c.code) w.text(0x0A, c.code);
        w.u64(0x04, decoderTime(origin + c.raceSeconds));
        w.u16(0x05, 120);
        if (c.hits) w.u16(0x06, *c.hits);
        w.u16(0x08, 0);
        w.u32(0x81, c.decoder);
        return w.frame();
    }

    void send(const std::string& bytes) { equipment().AMBClientSocketRead(bytes); }
    // The decoder is found by its first status record, then the race is started; the decoder
    // sends its status every five seconds meanwhile.
    void foundAndStarted() {
        attach();
        equipment().Setupcountingequipment();
        send(status());
        engine().openRaceScreen();
        for (double t = 5; engine().values().RaceState != RaceStates::Running && t < 600; t += 5) {
            runTo(t);
            send(status());
        }
        ASSERT_EQ(engine().values().RaceState, RaceStates::Running);
        origin = raceClockOrigin();
    }
    // A passing that reaches the program as it happens.
    void live(const Crossing& c) {
        runTo(origin + c.raceSeconds);
        send(record(c));
    }
    // Passings sent again, arriving now.
    void again(std::initializer_list<Crossing> crossings) {
        std::string bytes;
        for (const Crossing& c : crossings) bytes += record(c);
        send(bytes);
    }

    int countDevice() { return settingOf(engine().countDevice()); }
    const RaceDriver& car(size_t i) { return engine().values().race_drivers.at(i); }
    std::vector<std::string> notes() const { return ports.texts("note"); }

    double origin = 0.0; // virtual second of the race start
};

TEST_F(P3Counting, PresenceCheckEndsWithTheFirstGoodRecord) {
    attach();
    equipment().Setupcountingequipment();
    EXPECT_TRUE(socket.isActive);
    EXPECT_EQ(socket.host(), "10.1.1.5");
    EXPECT_EQ(socket.defaultPort, 5403);
    EXPECT_EQ(socket.written, std::vector<std::string>{p3GetTimeRequest()});
    EXPECT_EQ(view.counting, "P3(TCP)");
    EXPECT_EQ(view.searchMessage, CheckingP3Message);
    EXPECT_TRUE(decoderPort.log.empty()); // no serial port is touched

    // The question is asked again at the step where the bar stands at 6.
    runTo(8.399);
    EXPECT_EQ(socket.written.size(), 1u);
    runTo(8.4);
    EXPECT_EQ(view.progress, 7);
    EXPECT_EQ(socket.written.size(), 2u);

    // A record cut off by the next, and a damaged one, do not answer.
    std::string damaged = wire(p3::StatusAmbRc);
    damaged[12] ^= 1;
    send(wire(p3::StatusAmbRc).substr(0, 12) + damaged);
    EXPECT_TRUE(equipment().presenceCheckRunning());
    send(wire(p3::StatusAmbRc));
    EXPECT_FALSE(equipment().presenceCheckRunning());
    EXPECT_FALSE(view.searchOpen);
    EXPECT_EQ(equipment().p3().decoderId(), Decoder);
    runTo(60);
    EXPECT_EQ(countDevice(), 3);
    EXPECT_EQ(view.counting, "P3(TCP)");
}

TEST_F(P3Counting, ASilentDecoderFallsBackAfterTwelveSeconds) {
    attach();
    equipment().Setupcountingequipment();
    runTo(13.199);
    EXPECT_TRUE(equipment().presenceCheckRunning());
    EXPECT_EQ(view.progress, 10);
    runTo(13.2);
    EXPECT_EQ(countDevice(), 0);
    EXPECT_EQ(view.counting, ManualTimingText);
    EXPECT_EQ(view.searchMessage, DecoderNotFoundMessage);
    EXPECT_FALSE(socket.isActive);
}

TEST_F(P3Counting, RaceTimesAreTheDecodersEvenWhenARecordComesLate) {
    foundAndStarted();
    // The clock is related anew at the start.
    EXPECT_EQ(socket.written.back(), p3GetTimeRequest());
    live({1, 102758186, 21.111});
    send(status());
    EXPECT_EQ(view.decoderStatus, "P3 Noise:39");
    live({2, 4000003, 23.456});
    // Held up on the network for ten seconds: still its own time.
    runTo(origin + 35.0);
    send(record({3, std::nullopt, 25.0, "PV-38463"}));
    live({4, 102758186, 42.222});
    live({5, 253138463, 47.5});

    EXPECT_EQ(car(0).lapcount, 2);
    EXPECT_NEAR(car(0).lastpass, 42.222, 1e-6);
    EXPECT_NEAR(car(0).laptimes[2], 21.111, 1e-6);
    EXPECT_EQ(car(1).lapcount, 2);
    EXPECT_NEAR(car(1).laptimes[1], 25.0, 1e-6);
    EXPECT_NEAR(car(1).laptimes[2], 22.5, 1e-6);
    EXPECT_EQ(car(2).lapcount, 1);
    EXPECT_EQ(car(2).hits, 9);
    EXPECT_EQ(car(2).signal, 120);
    EXPECT_TRUE(notes().empty());

    // The race goes into the upload file, as for AMBrc.
    runToRaceEnd();
    EXPECT_EQ(ports.texts("upload").size(), 1u);
}

TEST_F(P3Counting, EntrantsAsForAmbrc) {
    race(1, {1, 2, 3, 5}); // Driver 5 on car 4 has no transponder of his own
    program.settings.trackSets[1].transponders[4] = 6543;
    foundAndStarted();
    const struct {
        const char* name;
        Crossing crossing;
        size_t entrant;
        int lapcount;
        std::vector<std::string> notes;
    } cases[] = {
        {"nine digits", {1, 102758186, 10.0}, 0, 1, {}},
        {"code only", {2, std::nullopt, 11.0, "PV-38463"}, 1, 1, {}},
        {"no hits: no minimum to meet", {3, 4000003, 12.0, "", std::nullopt}, 2, 1, {}},
        {"track set", {4, 6543, 13.0}, 3, 1, {}},
        {"too few hits: not counted",
         {5, 4000003, 40.0, "", 2},
         2,
         1,
         {"Transponder4000003 Passing outside Hits(2) acceptence level"}},
        {"another decoder, numbering its own",
         {9001, 102758186, 41.0, "", 9, 4711},
         0,
         1,
         {WrongDecoderNote}},
        {"a code that makes no number",
         {6, std::nullopt, 42.0, "ABC-123456"},
         0,
         1,
         {P3NoTransponderNote}},
        {"unknown transponder: a new car", {7, 5550001, 43.0}, 4, 1, {}},
    };
    for (const auto& c : cases) {
        ports.clear();
        live(c.crossing);
        ASSERT_LT(c.entrant, engine().values().race_drivers.size()) << c.name;
        EXPECT_EQ(car(c.entrant).lapcount, c.lapcount) << c.name;
        EXPECT_EQ(notes(), c.notes) << c.name;
    }
    EXPECT_EQ(car(3).transponder, 6543);
    EXPECT_EQ(car(4).transponder, 5550001);
    EXPECT_EQ(car(4).carno, 5);
    // The foreign decoder's passing number was not taken for this decoder's.
    EXPECT_TRUE(equipment().p3().tracker().gaps().empty());
}

TEST_F(P3Counting, MissingPassingsAreAskedForAndCountedOnceInTheirOrder) {
    foundAndStarted();
    live({1, 102758186, 10.0});
    live({2, 253138463, 11.0});
    socket.written.clear();
    // Passings 3 and 4 were damaged on the way; 5 shows the gap, 6 comes before the answer.
    live({5, 102758186, 30.0});
    EXPECT_EQ(socket.written, std::vector<std::string>{p3ResendRequest(2, 5)});
    live({6, 253138463, 31.5});
    EXPECT_EQ(car(0).lapcount, 1); // held until what came before it is there
    EXPECT_EQ(car(1).lapcount, 1);

    runTo(now() + 0.05);
    again({{2, 253138463, 11.0}, {3, 4000003, 15.0}, {4, 253138463, 20.0}, {5, 102758186, 30.0}});
    EXPECT_EQ(car(0).lapcount, 2);
    EXPECT_NEAR(car(0).laptimes[2], 20.0, 1e-6);
    EXPECT_EQ(car(1).lapcount, 3);
    EXPECT_NEAR(car(1).laptimes[2], 9.0, 1e-6);
    EXPECT_NEAR(car(1).laptimes[3], 11.5, 1e-6);
    EXPECT_EQ(car(2).lapcount, 1);
    EXPECT_NEAR(car(2).lastpass, 15.0, 1e-6);
    EXPECT_EQ(view.notices, std::vector<std::string>{"Passings recovered from the decoder: 2"});

    // A passing that comes once more is ignored.
    again({{4, 253138463, 20.0}});
    EXPECT_EQ(car(1).lapcount, 3);
    EXPECT_EQ(equipment().p3().tracker().missing(), 0u);
    EXPECT_TRUE(notes().empty());
}

TEST_F(P3Counting, ADecoderThatCannotSendThemAgainHoldsNothingUpForLong) {
    foundAndStarted();
    live({1, 102758186, 10.0});
    live({4, 102758186, 30.0});
    EXPECT_EQ(car(0).lapcount, 1);
    runTo(now() + 2.999);
    EXPECT_EQ(car(0).lapcount, 1);
    runTo(now() + 0.001);
    EXPECT_EQ(car(0).lapcount, 2);
    EXPECT_NEAR(car(0).lastpass, 30.0, 1e-6);
    EXPECT_EQ(view.notices,
              std::vector<std::string>{"Passings recovered from the decoder: 0; not recovered: 2"});
    // One of them after all, while the race is open: counted in its place, each lap as it was.
    again({{2, 102758186, 20.0}});
    EXPECT_EQ(car(0).lapcount, 3);
    EXPECT_EQ(std::vector<double>(car(0).laptimes.begin() + 1, car(0).laptimes.begin() + 4),
              (std::vector<double>{10.0, 10.0, 10.0}));
    EXPECT_NEAR(car(0).lastpass, 30.0, 1e-6);
    EXPECT_EQ(view.notices.back(), "Passings recovered from the decoder: 1");
    live({5, 102758186, 50.0});
    EXPECT_EQ(car(0).lapcount, 4);
}

TEST_F(P3Counting, APassingSentAgainAfterItsRaceWasStoredIsNamedForCorrection) {
    raceMinutes(1);
    foundAndStarted();
    live({1, 102758186, 10.0});
    live({3, 102758186, 50.0});
    runTo(now() + 3.0); // passing 2 is given up
    live({4, 102758186, 61.0});
    runToRaceEnd();
    ASSERT_EQ(car(0).lapcount, 3);
    again({{2, 102758186, 30.5}});
    EXPECT_EQ(car(0).lapcount, 3); // the stored race is not changed
    const std::string told = "A passing of Heat 1 of round 1 came from the decoder after the race "
                             "was stored: car 1 (Driver 1) at race second 30.500; it can be added "
                             "in Correct Results";
    EXPECT_NE(std::find(view.notices.begin(), view.notices.end(), told), view.notices.end());
}

TEST_F(P3Counting, ASilentLinkIsLostAndFoundAgainWithoutLosingAPassing) {
    program.settings.decoderSilence = 15;
    foundAndStarted();
    live({1, 102758186, 10.0});
    send(status());
    live({2, 253138463, 12.0});
    // The cable is cut without a reset: the decoder goes on counting, nothing arrives. After
    // fifteen seconds it is asked for its clock; five more without an answer lose it.
    const double cut = now();
    socket.written.clear();
    runTo(cut + 15.0);
    EXPECT_EQ(socket.written, std::vector<std::string>{p3GetTimeRequest()});
    runTo(cut + 19.9);
    EXPECT_EQ(countDevice(), 3);
    runTo(cut + 21.0);
    EXPECT_EQ(countDevice(), 0);
    EXPECT_EQ(view.notices.back(), decoderSilentMessage(15));
    EXPECT_TRUE(engine().values().ManualKeys);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 3);

    // Two seconds later the decoder is tried again, quietly; it answers with its status.
    const int searches = view.searchOpened;
    socket.written.clear();
    runTo(now() + 2.0);
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(socket.written, std::vector<std::string>{p3GetTimeRequest()});
    send(status());
    EXPECT_EQ(countDevice(), 3);
    EXPECT_EQ(view.notices.back(), DecoderBackMessage);
    EXPECT_EQ(view.searchOpened, searches);
    runTo(origin + 40.0);
    send(status());

    // The first passing after the break shows what was missed; it is asked for and counted once,
    // each with its own time.
    socket.written.clear();
    live({5, 102758186, 50.0});
    EXPECT_EQ(socket.written, std::vector<std::string>{p3ResendRequest(2, 5)});
    again({{2, 253138463, 12.0}, {3, 102758186, 30.0}, {4, 253138463, 33.0}, {5, 102758186, 50.0}});
    EXPECT_EQ(car(0).lapcount, 3);
    EXPECT_NEAR(car(0).laptimes[2], 20.0, 1e-6);
    EXPECT_NEAR(car(0).laptimes[3], 20.0, 1e-6);
    EXPECT_EQ(car(1).lapcount, 2);
    EXPECT_NEAR(car(1).laptimes[2], 21.0, 1e-6);
    EXPECT_EQ(view.notices.back(), "Passings recovered from the decoder: 2");
    EXPECT_TRUE(notes().empty());
}

TEST_F(P3Counting, APassingFromBeforeTheStartIsNotCountedWhenItComesAgain) {
    attach();
    equipment().Setupcountingequipment();
    send(status());
    runTo(5); // a car on the track long before the race (the start is not known yet)
    send(record({1, 102758186, 5.0}));
    openAndStart();
    origin = raceClockOrigin();
    live({3, 102758186, 10.0});
    again({{1, 102758186, -56.0}, {2, 102758186, -30.0}, {3, 102758186, 10.0}});
    EXPECT_EQ(car(0).lapcount, 1);
    EXPECT_NEAR(car(0).lastpass, 10.0, 1e-6);
    EXPECT_EQ(notes(), std::vector<std::string>{P3BeforeStartNote});
}

TEST_F(P3Counting, APassingThatAnswersTheCheckIsCounted) {
    foundAndStarted();
    live({1, 102758186, 10.0});
    socket.isActive = false;
    equipment().decoderLinkLost();
    runTo(origin + 12.0);
    EXPECT_EQ(socket.opens, 2);
    ASSERT_TRUE(equipment().presenceCheckRunning());
    live({2, 102758186, 20.0}); // before any status or answer
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(countDevice(), 3);
    EXPECT_EQ(car(0).lapcount, 2);
    EXPECT_NEAR(car(0).lastpass, 20.0, 1e-6);
}

TEST_F(P3Counting, AnotherDecoderFoundOnReconnectNumbersItsOwnPassings) {
    foundAndStarted();
    live({700, 102758186, 10.0});
    socket.isActive = false;
    equipment().decoderLinkLost();
    runTo(now() + 2.0);
    send(status(99)); // another decoder answers at the address
    EXPECT_EQ(countDevice(), 3);
    EXPECT_EQ(equipment().p3().decoderId(), 99u);
    socket.written.clear();
    live({1, 102758186, 30.0, "", 9, 99});
    EXPECT_TRUE(socket.written.empty()); // nothing is missing from a new decoder
    EXPECT_EQ(car(0).lapcount, 2);
    EXPECT_NEAR(car(0).lastpass, 30.0, 1e-6);
}

TEST_F(P3Counting, TransponderTestShowsRecordsAndAsksForTheVersion) {
    program.event.cpts[2].enabled = 'N';
    attach();
    equipment().Setupcountingequipment();
    send(status());
    socket.written.clear();
    equipment().transponderTest().settingsActivated();
    EXPECT_TRUE(equipment().transponderTest().running());
    EXPECT_TRUE(socket.written.empty()); // no counter to reset, and none is cleared
    send(wire(p3::PassingCodeOnly) + wire(p3::StatusAmbRc));
    EXPECT_EQ(view.memo, std::vector<std::string>{"Driver 2 Tx#:253138463 Code:PV-38463 "
                                                  "Time:21:00:53.232 Hits:40 Signal:122"});
    EXPECT_EQ(program.event.cpts[2].enabled, 'Y');
    EXPECT_EQ(ports.sounds(), (std::vector<std::string>{"two.wav", "bookedin.wav"}));
    EXPECT_EQ(view.monitorLabel, "(P3 Status)  Noise Level:39  Temperature:22  Voltage:118  GPS:0");
    equipment().transponderTest().informationClick();
    EXPECT_EQ(socket.written, std::vector<std::string>{p3VersionRequest()});
    equipment().transponderTest().resetCounterClick();
    EXPECT_EQ(socket.written.size(), 1u);
    equipment().transponderTest().settingsClosed();
    EXPECT_FALSE(equipment().transponderTest().running());
}

} // namespace
