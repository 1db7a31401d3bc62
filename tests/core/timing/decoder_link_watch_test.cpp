// A decoder link that goes dead without a word, and reaching the decoder again: by itself with
// back-off during a race, and by the "Reconnect Decoder" button as often as it takes.
#include "timing_fixture.h"

#include "timing/decoder_link_watch.h"

using namespace vexa;
using namespace vexa::test;

namespace {

const std::string Answer = "\x01$\t12\t0\t0\r\n";
const std::string Status = "\x01#\t12\t0\t33\r\n";

TEST(ReconnectBackoff, DoublesUpToHalfAMinute) {
    ReconnectBackoff backoff;
    std::vector<int> delays;
    for (int i = 0; i < 7; ++i) delays.push_back(backoff.nextDelayMs());
    EXPECT_EQ(delays, (std::vector<int>{2000, 4000, 8000, 16000, 30000, 30000, 30000}));
    backoff.reset();
    EXPECT_EQ(backoff.nextDelayMs(), 2000);
}

// An AMBrc decoder of identity 12 over TCP counting a five-minute heat of cars 1 and 2.
class LinkWatch : public TimingFixture {
  protected:
    LinkWatch() {
        massHeats();
        raceMinutes(5);
        race(1, {1, 2});
        program.event.cpts[1].transponder = 4012345;
        program.settings.countDevice = 2;
        program.settings.count1ComPort = IpAddressPortEntry;
        program.settings.ipAddress = "10.1.1.1";
    }
    void found() {
        attach();
        equipment().Setupcountingequipment();
        equipment().AMBClientSocketRead(Answer);
        ASSERT_EQ(countDevice(), 2);
    }
    int countDevice() { return settingOf(engine().countDevice()); }
    // A status record every five seconds from now to `until`.
    void statusesUntil(double until) {
        for (double t = now(); t <= until; t += 5) {
            runTo(t);
            equipment().AMBClientSocketRead(Status);
        }
    }
    // Opens the race screen and runs the countdown to the start, the decoder sending its status
    // every five seconds.
    void startRace() {
        engine().openRaceScreen();
        for (double t = now(); engine().values().RaceState != RaceStates::Running && t < 600;
             t += 5) {
            runTo(t);
            equipment().AMBClientSocketRead(Status);
        }
        ASSERT_EQ(engine().values().RaceState, RaceStates::Running);
    }
    void lose() {
        socket.isActive = false;
        equipment().decoderLinkLost();
        ASSERT_EQ(countDevice(), 0);
    }
    const RaceDriver& car(size_t i) { return engine().values().race_drivers.at(i); }
};

TEST_F(LinkWatch, SilenceAsksTheDecoderAndOnlyNoAnswerLosesTheLink) {
    found();
    startRace();
    // A decoder that sends its status every five seconds is alive, however long it goes on.
    statusesUntil(now() + 120);
    EXPECT_EQ(countDevice(), 2);
    socket.written.clear();
    // Fifteen seconds of silence: the decoder is asked, with the presence check's empty command.
    double last = now();
    runTo(last + 14.9);
    EXPECT_TRUE(socket.written.empty());
    runTo(last + 15.0);
    EXPECT_EQ(socketOutput(), "\x01\r\n");
    EXPECT_TRUE(equipment().silenceWatch().asking());
    // It answers: a decoder that sends nothing between passings is not lost.
    runTo(last + 19.0);
    equipment().AMBClientSocketRead(Answer);
    EXPECT_FALSE(equipment().silenceWatch().asking());
    runTo(last + 33.0);
    EXPECT_EQ(countDevice(), 2);
    EXPECT_TRUE(view.notices.empty());

    // Asked again, it says nothing for five seconds: the link is lost.
    last = last + 19.0;
    runTo(last + 15.0 + 4.9);
    EXPECT_EQ(countDevice(), 2);
    runTo(last + 15.0 + 5.0);
    EXPECT_EQ(countDevice(), 0);
    EXPECT_EQ(view.notices, std::vector<std::string>{
                                "No data from the decoder for 15 s and no answer when asked, "
                                "laps are now counted with the keys"});
    EXPECT_EQ(view.counting, ManualTimingText);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 2);
    EXPECT_TRUE(engine().values().ManualKeys);
    EXPECT_EQ(engine().values().RaceState, RaceStates::Running);

    // The connection stays open: a passing that comes over it after all finds the decoder again
    // and is counted with its own time, the decoder switched on without a clock restart.
    socket.written.clear();
    const double t = engine().RaceTime() + 1.5;
    runTo(raceClockOrigin() + t);
    EXPECT_TRUE(socket.isActive);
    equipment().AMBClientSocketRead(passing(12, 4012345, t - 0.25) + "\r\n");
    EXPECT_EQ(countDevice(), 2);
    EXPECT_EQ(view.notices.back(), DecoderBackMessage);
    EXPECT_EQ(car(0).lapcount, 1);
    EXPECT_NEAR(car(0).lastpass, t - 0.25, 0.001);
    EXPECT_EQ(socketOutput(), SwitchOnInRace);
}

TEST_F(LinkWatch, OnlyRaceTimeCounts) {
    // Found at once, then quiet through the countdown: no race takes passings before booking in.
    found();
    untilBookingIn();
    const double bookingIn = now();
    EXPECT_GT(bookingIn, 20.0);
    EXPECT_EQ(countDevice(), 2);
    runTo(bookingIn + 14.5);
    EXPECT_FALSE(equipment().silenceWatch().asking());
    runTo(bookingIn + 16.0);
    EXPECT_TRUE(equipment().silenceWatch().asking());
    EXPECT_EQ(countDevice(), 2);
    runTo(bookingIn + 21.0);
    EXPECT_EQ(countDevice(), 0);
}

TEST_F(LinkWatch, ASilenceOfZeroNeverLosesTheLink) {
    program.settings.decoderSilence = 0;
    found();
    untilBookingIn();
    untilRunning();
    runTo(now() + 200);
    EXPECT_EQ(countDevice(), 2);
    EXPECT_FALSE(equipment().silenceWatch().running());
}

TEST_F(LinkWatch, RetriesByItselfWithBackOffAndCountsAgain) {
    found();
    startRace();
    statusesUntil(raceClockOrigin() + 20);
    lose();
    const int searches = view.searchOpened;
    const double lost = now();
    // Each attempt finds the connection refused; the waits double up to half a minute.
    int opens = socket.opens;
    for (double wait : {2.0, 4.0, 8.0, 16.0, 30.0, 30.0}) {
        const double attempt = now() + wait;
        runTo(attempt - 0.001);
        EXPECT_EQ(socket.opens, opens) << attempt - lost;
        runTo(attempt);
        EXPECT_EQ(socket.opens, ++opens) << attempt - lost;
        EXPECT_TRUE(equipment().presenceCheckRunning());
        socket.isActive = false;
        equipment().AMBClientSocketError();
        EXPECT_FALSE(equipment().presenceCheckRunning());
    }
    // Nobody was disturbed: no search window, no message box, the keys count meanwhile.
    EXPECT_EQ(view.searchOpened, searches);
    EXPECT_TRUE(ports.texts("message").empty());
    EXPECT_EQ(countDevice(), 0);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 2);

    // The next attempt is answered: the decoder is switched on and counts again.
    runTo(now() + 30);
    ASSERT_EQ(socket.opens, opens + 1);
    socket.written.clear();
    equipment().AMBClientSocketRead(Answer);
    EXPECT_EQ(countDevice(), 2);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 0);
    EXPECT_EQ(view.counting, "AMBrc(Com)");
    EXPECT_EQ(view.notices.back(), DecoderBackMessage);
    EXPECT_EQ(socketOutput(), SwitchOnInRace);
    const double t = engine().RaceTime() + 1;
    runTo(raceClockOrigin() + t);
    equipment().AMBClientSocketRead(passing(12, 4012345, t) + "\r\n");
    EXPECT_EQ(car(0).lapcount, 1);
    EXPECT_TRUE(equipment().silenceWatch().running());
    // No attempt is left waiting.
    const int after = socket.opens;
    statusesUntil(now() + 100);
    EXPECT_EQ(socket.opens, after);
}

TEST_F(LinkWatch, TheReconnectButtonStaysOfferedUntilTheDecoderAnswers) {
    found();
    startRace();
    statusesUntil(raceClockOrigin() + 20);
    lose();

    // The first press finds nobody: the check runs out, counting stays with the keys, and the
    // button is still offered.
    equipment().reconnectDecoder();
    EXPECT_TRUE(view.searchOpen);
    EXPECT_EQ(view.searchMessage, CheckingAmbrcMessage);
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(countDevice(), 0); // the keys count while the check runs
    EXPECT_TRUE(engine().values().ManualKeys);
    runTo(now() + 1.76);
    EXPECT_FALSE(equipment().presenceCheckRunning());
    EXPECT_EQ(view.searchMessage, DecoderNotFoundMessage);
    EXPECT_EQ(countDevice(), 0);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 2);
    EXPECT_EQ(view.counting, ManualTimingText);
    // The connection stays open until the next attempt: what it brings meanwhile is counted.
    EXPECT_TRUE(socket.isActive);

    // The second press, with the decoder back, resumes counting by the decoder.
    equipment().reconnectDecoder();
    EXPECT_EQ(socket.opens, 3);
    socket.written.clear();
    equipment().AMBClientSocketRead(Answer);
    EXPECT_FALSE(view.searchOpen);
    EXPECT_EQ(countDevice(), 2);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 0);
    EXPECT_EQ(socketOutput(), SwitchOnInRace);
    const double t = engine().RaceTime() + 0.5;
    runTo(raceClockOrigin() + t);
    equipment().AMBClientSocketRead(passing(12, 4012345, t) + "\r\n");
    EXPECT_EQ(car(0).lapcount, 1);
    EXPECT_NEAR(car(0).lastpass, t, 0.001);
}

TEST_F(LinkWatch, ADecoderThatHangsUpOnAnAttemptHasNotAnswered) {
    found();
    startRace();
    lose();
    equipment().reconnectDecoder();
    ASSERT_TRUE(equipment().presenceCheckRunning());
    socket.isActive = false;
    equipment().decoderLinkLost();
    EXPECT_FALSE(equipment().presenceCheckRunning());
    EXPECT_EQ(view.searchMessage, DecoderNotFoundMessage);
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 2);
    EXPECT_EQ(view.notices.size(), 1u); // no second notice of a lost link
    // The next attempt of its own follows two seconds later.
    const int opens = socket.opens;
    runTo(now() + 2.0);
    EXPECT_EQ(socket.opens, opens + 1);
}

TEST_F(LinkWatch, AttemptsWaitForARaceToTakePassings) {
    found();
    runTo(5);
    lose();
    engine().openRaceScreen();
    runTo(58);
    EXPECT_EQ(socket.opens, 1);
    // The race starts with the keys; the attempts begin.
    untilRunning();
    runTo(now() + 2.0);
    EXPECT_EQ(socket.opens, 2);
    equipment().AMBClientSocketRead(Answer);
    EXPECT_EQ(countDevice(), 2);
    // The decoder found again during the race is switched on.
    EXPECT_EQ(socket.written.back(), "\x01?,12,0,14,1,0,\r\n");
}

TEST_F(LinkWatch, ChoosingOtherEquipmentEndsTheAttempts) {
    found();
    runTo(5);
    lose();
    EXPECT_TRUE(equipment().applyEquipmentChoice(CountingDevice::System20, false));
    EXPECT_EQ(settingOf(equipment().lostCountDevice()), 0);
    engine().openRaceScreen();
    untilRunning();
    runTo(now() + 60);
    EXPECT_EQ(socket.opens, 1);
}

} // namespace
